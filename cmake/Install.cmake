# What `cmake --install` puts below the prefix (/usr/local by default, /usr
# for the Debian package): the program, its manual page, the desktop menu
# entry, the icon in the hicolor theme, the AppStream metadata and, in the
# documentation folder, the companion text, the JSON schema (json.md), the
# route-table dialects (dialects.md), the licence as "copyright" and the
# changelog.

install(TARGETS tessaline RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
set(TESSALINE_INSTALLED_BINARIES ${CMAKE_INSTALL_BINDIR}/tessaline)
# The window module, which the program finds relative to itself: a private
# module, so not executable and without a version.
if(TESSALINE_WINDOW)
  install(TARGETS tessaline_window LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/tessaline
    PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  list(APPEND TESSALINE_INSTALLED_BINARIES ${CMAKE_INSTALL_LIBDIR}/tessaline/tessaline-window.so)
endif()
# A stripping install (`cmake --install --strip`, and so the package) also
# drops the compilers' version notes, as Debian's own packages do.
foreach(binary IN LISTS TESSALINE_INSTALLED_BINARIES)
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${binary}\"
        COMMAND_ERROR_IS_FATAL ANY)
    endif()")
endforeach()

# Manual page and changelog go in compressed, without a time stamp or a file
# name in the gzip header, so that two builds give the same bytes. Building
# the program makes them, so that `cmake --build --target tessaline` is
# enough for an install.
find_program(TESSALINE_GZIP gzip REQUIRED)
set(TESSALINE_COMPRESSED ${PROJECT_BINARY_DIR}/compressed)
set(compressed_files "")
foreach(source docs/tessaline.1 packaging/changelog)
  get_filename_component(name ${source} NAME)
  add_custom_command(OUTPUT ${TESSALINE_COMPRESSED}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/${source} ${TESSALINE_COMPRESSED}/${name}
    COMMAND ${TESSALINE_GZIP} -9 -n -f ${TESSALINE_COMPRESSED}/${name}
    DEPENDS ${PROJECT_SOURCE_DIR}/${source}
    VERBATIM)
  list(APPEND compressed_files ${TESSALINE_COMPRESSED}/${name}.gz)
endforeach()
add_custom_target(tessaline_compressed_docs ALL DEPENDS ${compressed_files})
add_dependencies(tessaline tessaline_compressed_docs)

install(FILES ${TESSALINE_COMPRESSED}/tessaline.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The companion text that the About box names: Tessaline + major + the minor
# as two digits + ".txt" (Tessaline060.txt for 0.60).
math(EXPR tessaline_minor_plus_100 "${PROJECT_VERSION_MINOR} + 100")
string(LENGTH "${tessaline_minor_plus_100}" tessaline_length)
math(EXPR tessaline_length "${tessaline_length} - 2")
string(SUBSTRING "${tessaline_minor_plus_100}" ${tessaline_length} 2 tessaline_minor_text)
set(TESSALINE_COMPANION_TEXT "Tessaline${PROJECT_VERSION_MAJOR}${tessaline_minor_text}.txt")
if(NOT EXISTS ${PROJECT_SOURCE_DIR}/docs/${TESSALINE_COMPANION_TEXT})
  message(FATAL_ERROR "The About box of version ${PROJECT_VERSION} names "
    "docs/${TESSALINE_COMPANION_TEXT}, which does not exist.")
endif()
install(FILES
  ${PROJECT_SOURCE_DIR}/docs/${TESSALINE_COMPANION_TEXT}
  ${PROJECT_SOURCE_DIR}/docs/json.md
  ${PROJECT_SOURCE_DIR}/docs/dialects.md
  ${TESSALINE_COMPRESSED}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)

# The desktop side exists only with the window.
if(TESSALINE_WINDOW)
  include(${PROJECT_SOURCE_DIR}/cmake/Icons.cmake)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/tessaline.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/org.tessaline.tessaline.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  foreach(size IN LISTS TESSALINE_ICON_SIZES)
    install(FILES ${TESSALINE_ICON_FOLDER}/${size}x${size}/apps/tessaline.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  install(FILES ${TESSALINE_ICON_SOURCE}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
