#include "window/qt/fonts.h"

#include <QFontDatabase>
#include <QString>

namespace angoli {

void LoadFaces() {
  for (const char* file : {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf"})
    QFontDatabase::addApplicationFont(QStringLiteral(ANGOLI_FONT_DIR "/") + QLatin1String(file));
}

QFont FontOf(const form::FontStyle& wanted) {
  QFont font(wanted.face == form::Face::MsSansSerif ? QStringLiteral("MS Sans Serif")
                                                    : QStringLiteral("Tahoma"));
  font.setPointSizeF(wanted.points);
  font.setWeight(wanted.bold ? QFont::Bold : QFont::Normal);
  return font;
}

}  // namespace angoli
