#include "window/qt/application.h"

#include <QAccessible>
#include <QApplication>
#include <QWidget>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

#include "version.h"
#include "window/qt/accessibility.h"
#include "window/qt/fonts.h"

namespace angoli {
namespace {

QAccessibleInterface* MainWindowAccessible(const QString& className, QObject* object) {
  if (className == QLatin1String("angoli::MainWindow") && object->isWidgetType())
    return NewWindowAccessible(qobject_cast<QWidget*>(object));
  return nullptr;
}

}  // namespace

void SetUpApplication(QApplication& app) {
  QApplication::setApplicationName(QStringLiteral("angoli"));
  QApplication::setApplicationVersion(QStringLiteral(ANGOLI_VERSION));
  // Lets a Wayland compositor find the installed desktop entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("it.angoli.Angoli"));

  // The controls stand at fixed pixel positions, so their frames and margins
  // must not change with the desktop's style.
  if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion")))
    QApplication::setStyle(style);

  LoadFaces();
  QAccessible::installFactory(MainWindowAccessible);
  InstallAccessibility();

  // Qt's own texts (the cells' context menu, the OK of a warning) in Italian,
  // whatever the machine's language. Only texts: numbers never meet QLocale.
  auto* translator = new QTranslator(&app);
  if (translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                       QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(translator);
}

}  // namespace angoli
