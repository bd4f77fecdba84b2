// The window as created, before its first activation sets up a row: every
// control's kind, place, font, colours and caption against the window's
// description, texts that fit, the window itself.

#include <QAccessible>
#include <QFontInfo>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStyleOptionFrame>

#include "gui_support.h"

namespace {

constexpr int kTwipsPerPixel = 15;

struct Font {
  const char* family;
  double points;
  bool bold;
};
const Font kTahoma975{"Tahoma", 9.75, false};
const Font kTahoma975Bold{"Tahoma", 9.75, true};
const Font kTahoma1125Bold{"Tahoma", 11.25, true};
const Font kTahoma1425Bold{"Tahoma", 14.25, true};
const Font kSansSerif825{"MS Sans Serif", 8.25, false};

const QColor kDefault;  // invalid: the style's own colour
const QColor kBlue(0, 0, 255);
const QColor kLightYellow(255, 255, 192);
const QColor kLightOrange(255, 224, 192);

// Dark pixels: the letters of a caption.
int Ink(const QImage& image) {
  int dark = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 128;
  return dark;
}

}  // namespace

class LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { main_.ensurePolished(); }

  void controls_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");  // width -1: sized to its text
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QColor>("fore");
    QTest::addColumn<QColor>("back");
    QTest::addColumn<int>("alignment");

    auto row = [](const char* name, const char* kind, const char* caption, QRect twips,
                  Font font, QColor fore, QColor back, Qt::Alignment align) {
      QTest::newRow(name) << QString(kind) << QString(caption) << twips << QString(font.family)
                          << font.points << font.bold << fore << back << int(align);
    };
    const Qt::Alignment centre = Qt::AlignHCenter, left = Qt::AlignLeft;
    // In tab-index order, as the window's description lists them.
    row("OptA", "QRadioButton", "", {600, 960, 345, 345}, kSansSerif825, kDefault, kDefault, left);
    row("A1", "QLineEdit", "", {1200, 930, 585, 420}, kTahoma1425Bold, gui::kBlack, kLightYellow, centre);
    row("A2", "QLineEdit", "", {2040, 930, 1230, 405}, kTahoma1425Bold, gui::kBlack, kLightYellow, centre);
    row("OptB", "QRadioButton", "", {600, 1920, 345, 345}, kSansSerif825, kDefault, kDefault, left);
    row("B1", "QLineEdit", "", {1200, 1905, 585, 405}, kTahoma1425Bold, gui::kBlack, kLightYellow, centre);
    row("B2", "QLineEdit", "", {2040, 1890, 585, 405}, kTahoma1425Bold, gui::kBlack, kLightYellow, centre);
    row("B3", "QLineEdit", "", {2880, 1890, 1125, 405}, kTahoma1425Bold, gui::kBlack, kLightYellow, centre);
    row("OptC", "QRadioButton", "", {600, 2880, 345, 345}, kSansSerif825, kDefault, kDefault, left);
    row("C1", "QLineEdit", "", {1200, 2835, 585, 405}, kTahoma1425Bold, gui::kBlack, kLightYellow, centre);
    row("C2", "QLineEdit", "", {2040, 2835, 585, 405}, kTahoma1425Bold, gui::kBlack, kLightYellow, centre);
    row("C3", "QLineEdit", "", {2880, 2835, 585, 405}, kTahoma1425Bold, gui::kBlack, kLightYellow, centre);
    row("C4", "QLineEdit", "", {3720, 2835, 825, 405}, kTahoma1425Bold, gui::kBlack, kLightYellow, centre);
    row("CalcA", "QPushButton", "Calcola", {1155, 3675, 795, 420}, kSansSerif825, kDefault, kDefault, centre);
    row("CalcB", "QPushButton", "Calcola", {1155, 3675, 795, 420}, kSansSerif825, kDefault, kDefault, centre);
    row("CalcC", "QPushButton", "Calcola", {1155, 3675, 795, 420}, kSansSerif825, kDefault, kDefault, centre);
    row("Command1", "QPushButton", "Reset", {2310, 3675, 795, 420}, kTahoma975, kDefault, kDefault, centre);
    row("Chiudi", "QPushButton", "Chiudi", {3420, 3675, 795, 420}, kSansSerif825, kDefault, kDefault, centre);
    row("lbDecimali", "QLabel", "ddddd", {2220, 660, 735, 255}, kTahoma1125Bold, kBlue, kLightOrange, centre);
    row("Label1", "QLabel", "dddd", {2925, 1620, 855, 255}, kTahoma1125Bold, kBlue, kLightOrange, centre);
    row("Label3", "QLabel", "MM", {2085, 1605, 495, 255}, kTahoma1125Bold, kBlue, kLightOrange, centre);
    row("Label4", "QLabel", "ddd", {3720, 2565, 735, 255}, kTahoma1125Bold, kBlue, kLightOrange, centre);
    row("Label6", "QLabel", "MM", {2100, 2580, 495, 255}, kTahoma1125Bold, kBlue, kLightOrange, centre);
    row("Label7", "QLabel", "SS", {2910, 2580, 495, 255}, kTahoma1125Bold, kBlue, kLightOrange, centre);
    row("Label5", "QLabel", "DD", {1200, 2565, 585, 255}, kTahoma1125Bold, kBlue, kLightOrange, centre);
    row("Label2", "QLabel", "DD", {1200, 1620, 585, 255}, kTahoma1125Bold, kBlue, kLightOrange, centre);
    row("lbGradi", "QLabel", "DD", {1200, 660, 585, 255}, kTahoma1125Bold, kBlue, kLightOrange, centre);
    row("Label8", "QLabel", "D=gradi   M=primi   S=secondi   d=decimali", {360, 240, -1, -1}, kTahoma975Bold, kBlue, kDefault, left);
    row("Label9", "QLabel", "Versione " ANGOLI_VERSION, {1725, 4320, -1, -1}, kTahoma975, kDefault, kDefault, left);
  }

  void controls() {
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    QFETCH(QString, family);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(QColor, fore);
    QFETCH(QColor, back);
    QFETCH(int, alignment);
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    QWidget* control = gui::Find(main_, name);

    QCOMPARE(control->metaObject()->className(), kind);
    QCOMPARE(control->parentWidget(), &main_);  // no container in between
    QCOMPARE(control->pos(),
             QPoint(twips.x() / kTwipsPerPixel, twips.y() / kTwipsPerPixel));
    if (twips.width() > 0) {
      QCOMPARE(control->size(),
               QSize(twips.width() / kTwipsPerPixel, twips.height() / kTwipsPerPixel));
    } else {
      QCOMPARE(control->size(), control->sizeHint());
    }

    // The face asked for and the face drawn: the look-alike must be installed.
    QCOMPARE(control->font().family(), family);
    QCOMPARE(QFontInfo(control->font()).family(), family);
    QCOMPARE(control->font().pointSizeF(), points);
    QCOMPARE(control->font().bold(), bold);
    QCOMPARE(QFontInfo(control->font()).bold(), bold);

    const auto* cell = qobject_cast<QLineEdit*>(control);
    const QPalette::ColorRole foreRole = cell ? QPalette::Text
                                         : qobject_cast<QLabel*>(control) ? QPalette::WindowText
                                                                          : QPalette::ButtonText;
    const QPalette::ColorRole backRole = cell ? QPalette::Base
                                         : qobject_cast<QLabel*>(control) ? QPalette::Window
                                                                          : QPalette::Button;
    const QPalette standard = QApplication::palette(control);
    QCOMPARE(control->palette().color(foreRole),
             fore.isValid() ? fore : standard.color(foreRole));
    if (back.isValid()) QCOMPARE(control->palette().color(backRole), back);

    if (cell) {
      QCOMPARE(cell->maxLength(), int(MaxLength(gui::CellOf(name))));
      QCOMPARE(int(cell->alignment() & Qt::AlignHorizontal_Mask), alignment);
      QCOMPARE(cell->text(), QString());
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
      QCOMPARE(label->text(), caption);
      QCOMPARE(int(label->alignment() & Qt::AlignHorizontal_Mask), alignment);
      QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
      QCOMPARE(button->text(), caption);  // also: no "&", so no access key
      if (auto* push = qobject_cast<QPushButton*>(button)) {
        QVERIFY(!push->isDefault());
        QVERIFY(!push->autoDefault());
      }
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

  void accessibleNames_data() {
    QTest::addColumn<QString>("expected");
    QTest::newRow("A1") << "Gradi, riga A";
    QTest::newRow("A2") << "Decimali dei gradi, riga A";
    QTest::newRow("B1") << "Gradi, riga B";
    QTest::newRow("B2") << "Minuti, riga B";
    QTest::newRow("B3") << "Decimali dei minuti, riga B";
    QTest::newRow("C1") << "Gradi, riga C";
    QTest::newRow("C2") << "Minuti, riga C";
    QTest::newRow("C3") << "Secondi, riga C";
    QTest::newRow("C4") << "Decimali dei secondi, riga C";
    QTest::newRow("OptA") << "Riga A, gradi decimali";
    QTest::newRow("OptB") << "Riga B, gradi e minuti decimali";
    QTest::newRow("OptC") << "Riga C, gradi, minuti e secondi decimali";
    QTest::newRow("lbDecimali") << "Intestazione decimali dei gradi, riga A";
    QTest::newRow("CalcA") << "Calcola";
    QTest::newRow("Command1") << "Reset";
    QTest::newRow("Chiudi") << "Chiudi";
  }

  void accessibleNames() {
    QFETCH(QString, expected);
    QWidget* control = gui::Find(main_, QString::fromLatin1(QTest::currentDataTag()));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), expected);
    // A cell's text is one attribute run, which a screen reader reads whole.
    if (auto* cell = qobject_cast<QLineEdit*>(control)) {
      cell->setText(QStringLiteral("45"));
      int start = -1, end = -1;
      accessible->textInterface()->attributes(1, &start, &end);
      QCOMPARE(qMakePair(start, end), qMakePair(0, 2));
    }
  }

  void theWindow() {
    const QWidget& main = main_;
    QCOMPARE(main.objectName(), QStringLiteral("Main"));
    QCOMPARE(main.windowTitle(), QStringLiteral("Conversione angoli"));
    QCOMPARE(QApplication::applicationVersion(), QStringLiteral(ANGOLI_VERSION));
    QCOMPARE(main.size(), QSize(5280 / kTwipsPerPixel, 4665 / kTwipsPerPixel));
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

  // Neither the window system nor the program can resize the window, and no
  // control moves.
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
  // control, and whether it comes before the window is made or after.
  void lightUnderDarkPalette_data() {
    QTest::addColumn<QStringList>("classes");  // none: the application's palette
    QTest::newRow("application") << QStringList();
    QTest::newRow("controls") << QStringList{"QPushButton", "QRadioButton", "QLineEdit", "QLabel"};
  }
  void lightUnderDarkPalette() {
    QFETCH(QStringList, classes);
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
