# The program's icon: one SVG that the project draws, rendered at every size
# the hicolor theme gets. The window embeds the same pictures, and the
# install puts them into the theme, so both always show the same icon.
#
#   TESSALINE_ICON_SOURCE  the SVG
#   TESSALINE_ICON_SIZES   the rendered sizes, in pixels
#   TESSALINE_ICON_FOLDER  where the renderings go, laid out as in the theme:
#                          SIZExSIZE/apps/tessaline.png
set(TESSALINE_ICON_SOURCE ${PROJECT_SOURCE_DIR}/packaging/tessaline.svg)
set(TESSALINE_ICON_SIZES 16 32 48 64 128 256)
set(TESSALINE_ICON_FOLDER ${PROJECT_BINARY_DIR}/icons)
