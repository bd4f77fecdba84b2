// The window as created, before its first activation sets up a row: every
// control's kind, place, font, colours, caption and name as the window table
// gives them, texts that fit, the window itself.

#include <QAccessible>
#include <QColorSpace>
#include <QFontInfo>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QStyleOptionFrame>

#include "gui_support.h"

namespace {

// Dark pixels: the letters of a caption.
int Ink(const QImage& image) {
  int dark = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 128;
  return dark;
}

}  // namespace

namespace form = angoli::form;

class LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { main_.ensurePolished(); }

  // Every control as the window table gives it, in tab-index order.
  void controls_data() {
    QTest::addColumn<int>("index");
    for (const form::ControlLine& line : form::kControls)
      QTest::newRow(std::string(line.name).c_str()) << int(form::IndexOf(line));
  }

  void controls() {
    QFETCH(int, index);
    const form::ControlLine& line = form::kControls[std::size_t(index)];
    QWidget* control = gui::Find(main_, QString::fromLatin1(QTest::currentDataTag()));
    const char* const classOfKind[] = {"QRadioButton", "QLineEdit", "QPushButton", "QLabel"};

    QCOMPARE(control->metaObject()->className(), classOfKind[int(line.kind)]);
    QCOMPARE(control->parentWidget(), &main_);  // no container in between
    QCOMPARE(control->pos(), QPoint(form::Px(line.left), form::Px(line.top)));
    QCOMPARE(control->size(), line.autoSize ? control->sizeHint()
                                            : QSize(form::Px(line.width), form::Px(line.height)));

    // The face asked for and the face drawn: the look-alike must be installed.
    const QString family = line.font.face == form::Face::Tahoma ? "Tahoma" : "MS Sans Serif";
    QCOMPARE(control->font().family(), family);
    QCOMPARE(QFontInfo(control->font()).family(), family);
    QCOMPARE(control->font().pointSizeF(), line.font.points);
    QCOMPARE(control->font().bold(), line.font.bold);
    QCOMPARE(QFontInfo(control->font()).bold(), line.font.bold);

    const auto* cell = qobject_cast<QLineEdit*>(control);
    const QPalette::ColorRole foreRole = cell ? QPalette::Text
                                         : qobject_cast<QLabel*>(control) ? QPalette::WindowText
                                                                          : QPalette::ButtonText;
    const QPalette::ColorRole backRole = cell ? QPalette::Base
                                         : qobject_cast<QLabel*>(control) ? QPalette::Window
                                                                          : QPalette::Button;
    auto colour = [](angoli::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); };
    QCOMPARE(control->palette().color(foreRole),
             line.foreColor ? colour(*line.foreColor) : QApplication::palette(control).color(foreRole));
    if (line.backColor) QCOMPARE(control->palette().color(backRole), colour(*line.backColor));

    const int alignment = line.align == form::Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
    if (cell) {
      QCOMPARE(cell->maxLength(), int(MaxLength(*line.cell)));
      QCOMPARE(int(cell->alignment() & Qt::AlignHorizontal_Mask), alignment);
      QCOMPARE(cell->text(), QString());
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
      QCOMPARE(label->text(), QString::fromUtf8(line.caption));
      QCOMPARE(int(label->alignment() & Qt::AlignHorizontal_Mask), alignment);
      QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
      QCOMPARE(button->text(), QString::fromUtf8(line.caption));  // also: no "&", so no access key
      if (auto* push = qobject_cast<QPushButton*>(button)) {
        QVERIFY(!push->isDefault());
        QVERIFY(!push->autoDefault());
      }
    }

    // What a screen reader reads: the table's name, else the caption; and a
    // cell's text as one attribute run, so that it is read whole.
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name),
             QString::fromUtf8(line.accessibleName ? line.accessibleName : line.caption));
    if (cell) {
      gui::Cell(main_, QTest::currentDataTag())->setText(QStringLiteral("45"));
      int start = -1, end = -1;
      accessible->textInterface()->attributes(1, &start, &end);
      QCOMPARE(qMakePair(start, end), qMakePair(0, 2));
      gui::Cell(main_, QTest::currentDataTag())->clear();
    }
  }

  // Every caption, and every cell's widest number text, inside its control.
  void textsFit() {
    for (auto* label : main_.findChildren<QLabel*>()) {
      const QFontMetrics metrics(label->font());
      QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->contentsRect().width(),
               qPrintable(label->objectName()));
      QVERIFY2(metrics.height() <= label->contentsRect().height(),
               qPrintable(label->objectName()));
      QVERIFY2(main_.rect().contains(label->geometry()), qPrintable(label->objectName()));
    }
    for (auto* button : main_.findChildren<QPushButton*>()) {
      const QFontMetrics metrics(button->font());
      const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
      QVERIFY2(metrics.horizontalAdvance(button->text()) + 2 * margin <= button->width(),
               qPrintable(button->objectName()));
      QVERIFY2(metrics.height() + margin <= button->height(), qPrintable(button->objectName()));
    }
    for (const QString& name : gui::kCellNames) {
      QLineEdit* cell = gui::Cell(main_, name);
      QStyleOptionFrame option;
      option.initFrom(cell);
      option.lineWidth = cell->hasFrame()
                             ? cell->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, cell)
                             : 0;
      // QLineEdit keeps two pixels on each side of its text.
      const QRect room = cell->style()
                             ->subElementRect(QStyle::SE_LineEditContents, &option, cell)
                             .adjusted(2, 0, -2, 0);
      const QFontMetrics metrics(cell->font());
      for (QChar digit : {u'0', u'8'}) {
        const QString widest(cell->maxLength(), digit);
        const QString negative = QStringLiteral("-") + widest.left(cell->maxLength() - 1);
        for (const QString& text : {widest, negative})
          QVERIFY2(metrics.horizontalAdvance(text) <= room.width(),
                   qPrintable(name + ": " + text));
      }
      QVERIFY2(metrics.height() <= room.height(), qPrintable(name));
    }
  }

  void theWindow() {
    const QWidget& main = main_;
    QCOMPARE(main.objectName(), QStringLiteral("Main"));
    QCOMPARE(main.windowTitle(), QStringLiteral("Conversione angoli"));
    QCOMPARE(QApplication::applicationVersion(), QStringLiteral(ANGOLI_VERSION));
    QCOMPARE(main.size(), QSize(form::Px(form::kClientWidth), form::Px(form::kClientHeight)));
    QCOMPARE(main.palette().color(QPalette::Window), QColor(192, 192, 192));
    QCOMPARE(main.font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(main.font().pointSizeF(), 9.75);
    QVERIFY(!main.font().bold());
    QVERIFY(main.findChildren<QMenuBar*>().isEmpty());
    QCOMPARE(main.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), 28);

    // Nothing of the tool has run before the first activation.
    for (const QString& name : gui::kCellNames) QVERIFY(!gui::Cell(main_, name)->isReadOnly());
    for (const char* calc : {"CalcA", "CalcB", "CalcC"}) QVERIFY(!gui::Find(main_, calc)->isHidden());
    QVERIFY(gui::Find<QRadioButton>(main_, "OptA")->isChecked());
    QVERIFY(!gui::Find<QRadioButton>(main_, "OptB")->isChecked());
    QVERIFY(!gui::Find<QRadioButton>(main_, "OptC")->isChecked());

    const QRect screen = main.screen()->availableGeometry();
    QVERIFY(qAbs(main.geometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(main.geometry().center().y() - screen.center().y()) <= 1);

    const QList<QSize> sizes = main.windowIcon().availableSizes();
    QVERIFY(sizes.contains(QSize(16, 16)));
    QVERIFY(sizes.contains(QSize(32, 32)));
    for (int side : {16, 32}) {
      const QImage image = main.windowIcon().pixmap(side).toImage();
      QCOMPARE(image.size(), QSize(side, side));
      QSet<QRgb> colours;
      for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
          if (qAlpha(image.pixel(x, y)) == 255) colours.insert(image.pixel(x, y));
      QVERIFY(colours.size() >= 2);
      QVERIFY(colours.size() <= 16);
    }
  }

  // The whole window, frame included, on the screen's free area, however
  // small the screen is at its scale.
  void onTheScreen() {
    angoli::MainWindow main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QVERIFY(main.screen()->availableGeometry().contains(main.frameGeometry()));
  }

  // At a scale s every caption has about s * s times the ink it has drawn at
  // scale 1; a bitmap face keeps its one size and only spreads the letters.
  void captionsScale() {
    const qreal scale = main_.devicePixelRatioF();
    for (QPushButton* button : main_.findChildren<QPushButton*>()) {
      QImage unscaled(button->size(), QImage::Format_RGB32);
      unscaled.fill(Qt::white);
      button->render(&unscaled);
      const double ratio = double(Ink(button->grab().toImage())) / Ink(unscaled);
      QVERIFY2(ratio >= 0.625 * scale * scale,
               qPrintable(QStringLiteral("%1: %2").arg(button->objectName()).arg(ratio)));
    }
  }

  // A dark desktop palette leaves the window's look alone, whether it comes
  // for the whole application or, as platform themes set it, per kind of
  // control, and whether it comes before the window is made or after. The
  // look is the default one of README's picture, also under Qt's GTK theme
  // with a dark GTK theme (ctest: layout_test_gtk_dark).
  void lightUnderDarkPalette_data() {
    QTest::addColumn<QStringList>("classes");  // none: the application's palette
    QTest::newRow("application") << QStringList();
    QTest::newRow("controls") << QStringList{"QPushButton", "QRadioButton", "QLineEdit", "QLabel"};
  }
  void lightUnderDarkPalette() {
    QFETCH(QStringList, classes);
    // Under a dark GTK theme the desktop's palette is dark, or the theme did not load.
    QVERIFY(QApplication::palette().window().color().lightness() < 128 || !qgetenv("GTK_THEME").endsWith(":dark"));
    QImage look(ANGOLI_DEFAULT_LOOK);
    look.setColorSpace({});  // as grabs have none
    gui::Window shown;  // as the picture was taken: after a conversion from row A
    QVERIFY(shown.Start());
    shown.fill('A', {"45", "50833"});
    shown.calcola();
    QVERIFY(shown.main.grab().toImage().convertToFormat(QImage::Format_RGB32) == look);
    angoli::MainWindow early;
    const QImage light = early.grab().toImage();
    const QPalette standard = QApplication::palette();
    const QPalette dark(QColor(45, 45, 45));
    for (const QString& name : classes) QApplication::setPalette(dark, qPrintable(name));
    if (classes.isEmpty()) QApplication::setPalette(dark);
    const QImage madeUnderDark = angoli::MainWindow().grab().toImage();
    const QImage turnedDark = early.grab().toImage();
    for (const QString& name : classes) QApplication::setPalette(standard, qPrintable(name));
    QApplication::setPalette(standard);
    QVERIFY(madeUnderDark == light);
    QVERIFY(turnedDark == light);
  }

  // Read from the X server (ctest: layout_test_x11), the Motif hints offer a
  // window manager no maximise: flags (functions and decorations given),
  // functions (resize, move, minimise, close), decorations (border, resize
  // handles, title, menu, minimise), input mode, status.
  void noMaximiseOffered() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) QSKIP("needs an X server");
    angoli::MainWindow main;
    QProcess xprop;
    xprop.start("xprop", {"-id", QString::number(main.winId()), "_MOTIF_WM_HINTS"});
    QVERIFY(xprop.waitForFinished());
    QCOMPARE(QString(xprop.readAll()).section('=', 1).trimmed(), "0x3, 0x2e, 0x3e, 0x0, 0x0");
  }

  // Neither the window system nor the program can resize the window, and no
  // control moves.
  void fixedSize() {
    QWidget& main = main_;
    QCOMPARE(main.minimumSize(), main.maximumSize());
    QMap<QString, QRect> before;
    for (QWidget* control : main.findChildren<QWidget*>())
      before.insert(control->objectName(), control->geometry());
    const QSize size = main.size();
    main.resize(size + QSize(200, 100));
    main.resize(size - QSize(100, 100));
    QCOMPARE(main.size(), size);
    for (QWidget* control : main.findChildren<QWidget*>())
      QCOMPARE(control->geometry(), before.value(control->objectName()));
  }

 private:
  angoli::MainWindow main_;
};

ANGOLI_GUI_TEST_MAIN(LayoutTest)
#include "layout_test.moc"
