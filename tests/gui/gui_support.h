#pragma once
// What the GUI tests share: the window as the user meets it, clicks and keys
// that go the way of real input, and the catching of a warning box.

#include <QApplication>
#include <QColor>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

#include "window/qt/application.h"
#include "window/qt/main_window.h"

namespace gui {

// Text colours of the input row and of the result rows.
inline const QColor kBlack(0, 0, 0);
inline const QColor kRed(255, 0, 0);

inline const QStringList kCellNames = {"A1", "A2", "B1", "B2", "B3", "C1", "C2", "C3", "C4"};

// Cells of a row, left to right: CellsOf('B') -> B1, B2, B3.
inline QStringList CellsOf(QChar row) {
  QStringList cells;
  for (const QString& name : kCellNames)
    if (name.front() == row) cells << name;
  return cells;
}

template <typename T = QWidget>
T* Find(const QWidget& window, const QString& name) {
  T* child = window.findChild<T*>(name);
  if (!child) qFatal("no control %s", qPrintable(name));
  return child;
}

inline QLineEdit* Cell(const QWidget& window, const QString& name) {
  return Find<QLineEdit>(window, name);
}

inline QWidget* Focused() {
  QWidget* focused = QApplication::focusWidget();
  if (!focused) qFatal("nothing has the keyboard focus");
  return focused;
}

inline QString FocusedName() {
  QWidget* focused = QApplication::focusWidget();
  return focused ? focused->objectName() : QStringLiteral("<none>");
}

// A left click at the centre of a control, delivered to the window as the
// window system delivers it: Qt finds the widget under the pointer itself,
// so a hidden or covered control cannot receive it.
inline void ClickOn(QWidget& window, const QWidget* control) {
  QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                    control->mapTo(&window, control->rect().center()));
}

inline void ClickOn(QWidget& window, const QString& name) {
  ClickOn(window, Find(window, name));
}

// Keys go to whatever has the focus, as typing does.
inline void Type(const QString& text) {
  for (QChar c : text) {
    if (c.unicode() < 0x80)
      QTest::keyClick(Focused(), c.toLatin1());
    else  // QTest knows key codes for ASCII only; the text is what counts
      QTest::sendKeyEvent(QTest::Click, Focused(), Qt::Key(c.toUpper().unicode()), QString(c),
                          Qt::NoModifier);
  }
}
inline void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
  QTest::keyClick(Focused(), key, modifiers);
}
inline void Press(const QKeySequence& sequence) { QTest::keySequence(Focused(), sequence); }

// Makes window the active window in Qt's eyes, where the window system
// activates nothing (a headless weston): MakeActive(main) -> the focus widget
// gets keys. Qt 6.5 deprecated the call for QWidget::activateWindow(), which
// only asks the window system and so leaves no window active there; nothing
// public replaces it, so it stays, and only here.
inline void MakeActive(QWidget& window) {
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
  QApplication::setActiveWindow(&window);
#else
  QT_WARNING_PUSH
  QT_WARNING_DISABLE_DEPRECATED
  QApplication::setActiveWindow(&window);
  QT_WARNING_POP
#endif
}

// The window as the tool starts: created, shown and activated once.
struct Window {
  angoli::MainWindow main;

  bool Start() {
    main.show();
    return QTest::qWaitForWindowActive(&main);
  }
  // The control that has the window's focus, and gets the keys whenever the
  // window is active.
  QString focusName() const {
    return main.focusWidget() ? main.focusWidget()->objectName() : QStringLiteral("<none>");
  }
  // As the window system does when the user comes back, or a box closes.
  bool Reactivate() {
    main.activateWindow();
    return QTest::qWaitForWindowActive(&main);
  }
  QLineEdit* cell(const QString& name) const { return Cell(main, name); }
  QString text(const QString& name) const { return cell(name)->text(); }
  void click(const QString& name) { ClickOn(main, name); }
  // Makes a row the input row as the user does: a click on its option button.
  void choose(QChar row) { click(QStringLiteral("Opt") + row); }
  // Types each text into the next cell of the row, moving on with Tab.
  void fill(QChar row, const QStringList& texts) {
    click(CellsOf(row).front());
    for (int i = 0; i < texts.size(); ++i) {
      if (i > 0) Press(Qt::Key_Tab);
      Type(texts[i]);
    }
  }
  // The "Calcola" rectangle, clicked where the three buttons stand.
  void calcola() { click(QStringLiteral("CalcA")); }
  QStringList texts() const {
    QStringList all;
    for (const QString& name : kCellNames) all << text(name);
    return all;
  }
};

// What a warning box showed, read while it was open.
struct Warning {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
  bool modal = false;
  bool childOfMain = false;
};

// Waits for the next modal message box, records it, lets `whileOpen` look at
// the window behind it, and closes it with a click on its OK button.
class WarningCatcher {
 public:
  explicit WarningCatcher(QWidget& main, std::function<void()> whileOpen = {})
      : main_(main), whileOpen_(std::move(whileOpen)) {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { Poll(); });
    timer_.start();
  }

  int count() const { return count_; }
  const Warning& last() const { return last_; }

 private:
  void Poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || box == seen_) return;
    seen_ = box;
    ++count_;
    last_.title = box->windowTitle();
    last_.text = box->text();
    last_.icon = box->icon();
    last_.buttons.clear();
    for (QAbstractButton* button : box->buttons()) last_.buttons << button->text();
    last_.modal = box->isModal();
    last_.childOfMain = box->parentWidget() == &main_;
    if (whileOpen_) whileOpen_();
    if (QAbstractButton* ok = box->button(QMessageBox::Ok))
      QTest::mouseClick(ok, Qt::LeftButton);
    else
      box->done(0);  // no OK button: the test fails on `buttons` anyway
  }

  QWidget& main_;
  std::function<void()> whileOpen_;
  QTimer timer_;
  QPointer<QMessageBox> seen_;
  int count_ = 0;
  Warning last_;
};

inline QColor TextColour(const QLineEdit* cell) { return cell->palette().color(QPalette::Text); }

}  // namespace gui

// One QApplication per test program, set up as the tool sets it up.
#define ANGOLI_GUI_TEST_MAIN(TestClass)                   \
  int main(int argc, char* argv[]) {                      \
    QApplication app(argc, argv);                         \
    angoli::SetUpApplication(app);                        \
    TestClass test;                                       \
    return QTest::qExec(&test, argc, argv);               \
  }
