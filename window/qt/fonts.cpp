#include "window/qt/fonts.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QResource>
#include <QString>

namespace angoli {

void LoadFaces() {
  for (const char* file : {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf"}) {
    // Stored uncompressed, so the font database reads the program's own
    // pages instead of a copy.
    const QResource face(QStringLiteral(":/fonts/") + QLatin1String(file));
    QFontDatabase::addApplicationFontFromData(QByteArray::fromRawData(
        reinterpret_cast<const char*>(face.data()), static_cast<qsizetype>(face.size())));
  }
}

QFont FontOf(const form::FontStyle& wanted, double zoom, double devicePixelRatio) {
  const bool bitmapFits = zoom * devicePixelRatio == 1;
  QFont font(wanted.face == form::Face::MsSansSerif && bitmapFits ? QStringLiteral("MS Sans Serif")
                                                                   : QStringLiteral("Tahoma"));
  font.setPointSizeF(wanted.points * zoom);
  font.setWeight(wanted.bold ? QFont::Bold : QFont::Normal);
  return font;
}

}  // namespace angoli
