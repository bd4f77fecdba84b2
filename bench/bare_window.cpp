// The floor of the start-up benchmark: a bare Qt 6 Widgets window holding one
// label, and nothing else. What the tool costs beyond it is the tool's own.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QLabel label(QStringLiteral("Conversione angoli"));
  label.setWindowTitle(QStringLiteral("bare window"));
  label.show();
  return QApplication::exec();
}
