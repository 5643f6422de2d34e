#include "ui/window_fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace tess {

namespace {
// The design's family first, then the same font under its other names and
// the metric-compatible IPA P Gothic.
QStringList JapaneseFamilies() {
  return {QString::fromUtf8("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
          QStringLiteral("IPAPGothic"), QString::fromUtf8("IPA Pゴシック")};
}

// The first of them that is installed; the design's family when none is.
QString InstalledJapaneseFamily() {
  for (const QString& family : JapaneseFamilies()) {
    if (QFontDatabase::hasFamily(family)) return family;
  }
  return JapaneseFamilies().front();
}

QFont JapaneseFont(double points) {
  QFont font;
  // The first family is the one in use; the rest cover characters it lacks.
  font.setFamilies(QStringList{InstalledJapaneseFamily()} + JapaneseFamilies());
  font.setPointSizeF(points);
  font.setWeight(QFont::Normal);
  return font;
}
}  // namespace

QFont PathFieldFont() { return JapaneseFont(9.75); }

QFont WindowFont() { return JapaneseFont(9.0); }

}  // namespace tess
