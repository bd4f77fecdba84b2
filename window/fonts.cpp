#include "window/fonts.h"

#include <QFontDatabase>
#include <QString>

namespace angoli {

int LoadFaces() {
  int loaded = 0;
  for (const char* file : {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf"}) {
    const QString path = QStringLiteral(ANGOLI_FONT_DIR "/") + QLatin1String(file);
    if (QFontDatabase::addApplicationFont(path) >= 0) ++loaded;
  }
  return loaded;
}

QFont FontOf(const form::FontStyle& wanted) {
  const form::FontStyle& own =
      wanted.face == form::Face::Window ? form::kWindowFont : wanted;
  QFont font(own.face == form::Face::MsSansSerif ? QStringLiteral("MS Sans Serif")
                                                 : QStringLiteral("Tahoma"));
  font.setPointSizeF(own.points);
  font.setWeight(own.bold ? QFont::Bold : QFont::Normal);
  return font;
}

}  // namespace angoli
