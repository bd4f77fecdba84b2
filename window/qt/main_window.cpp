#include "window/qt/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStyle>
#include <QValidator>

#include <algorithm>

#include "window/controls.h"
#include "window/qt/fonts.h"
#include "window/qt/light_look.h"
#include "window/modes.h"

// The icons as C arrays: QPixmap reads them with Qt's own XPM reader, without
// the image-format plugins that opening an image file loads first.
#include "window/icons/angoli-16.xpm"
#include "window/icons/angoli-32.xpm"

namespace angoli {
namespace {

using form::Px;

// Ctrl+Shift and the command's letter: KeysOf(kPasteAngleCommand) -> Ctrl+Shift+V
QKeySequence KeysOf(const AngleCommand& command) {
  return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key(command.key));
}

QColor ToQColor(Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

Qt::Alignment ToQt(form::Align align) {
  return align == form::Align::Centre ? Qt::AlignCenter : Qt::AlignLeft;
}

// A paste is cut at the cell's length in UTF-16 units, which can split a
// character beyond the basic plane in two; the half left over goes.
class WholeCharacters final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& text, int& pos) const override {
    for (qsizetype i = 0; i < text.size(); ++i) {
      const QChar c = text[i];
      const bool paired = c.isHighSurrogate()  ? i + 1 < text.size() && text[i + 1].isLowSurrogate()
                          : c.isLowSurrogate() ? i > 0 && text[i - 1].isHighSurrogate()
                                               : true;
      if (paired) continue;
      text.remove(i, 1);
      if (pos > i) --pos;
      --i;
    }
    return Acceptable;
  }
};

// How much the window shrinks to fit where a screen at a large scale has
// less room than it needs: FitZoom({352, 311}, {1358, 740}) -> 1,
// FitZoom({352, 311}, {538, 279}) -> 0.897 (1366 x 768 at 250 %).
double FitZoom(QSize window, QSize room) {
  return std::min({1.0, double(room.width()) / window.width(),
                   double(room.height()) / window.height()});
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Main"));
  setWindowTitle(QString::fromUtf8(form::kTitle));
  QIcon icon;
  icon.addPixmap(QPixmap(angoli_16));
  icon.addPixmap(QPixmap(angoli_32));
  setWindowIcon(icon);
  // The screen the window opens on: its scale, and its free area at that
  // scale, which sets how large the window can be.
  const QRect available = screen()->availableGeometry();
  devicePixelRatio_ = screen()->devicePixelRatio();
  // The window manager's frame is not known before the window is shown;
  // Qt's own title bar and frame metrics stand in for it.
  const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight);
  const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
  zoom_ = FitZoom(QSize(Px(form::kClientWidth), Px(form::kClientHeight)),
                  available.size() - QSize(2 * border, titleBar + border));

  setFont(FontOf(form::kWindowFont, zoom_, devicePixelRatio_));
  // A fixed look: every control keeps the same light colours, whatever the
  // desktop's palette or platform theme. Every role is set on the window, so
  // the controls take each from it, also where the platform theme gives a
  // kind of control a palette of its own or changes its palette later; the
  // warning box is a window of its own and follows the desktop.
  setPalette(LightLook(ToQColor(form::kWindowBack)));
  setAutoFillBackground(true);
  // The controls stand at fixed places, and the window cannot be made
  // smaller. A Wayland compositor that maximises or tiles it must be obeyed,
  // or it breaks the connection and the program ends with the entry: there
  // the window takes the size it is given and shows more grey. Elsewhere the
  // window manager keeps it at its size, and is offered no maximise button.
  const QSize client(Scaled(form::kClientWidth), Scaled(form::kClientHeight));
  setMinimumSize(client);
  if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) setMaximumSize(client);
  resize(client);
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);

  rows_ = new QButtonGroup(this);
  announcer_ = new Announcer(*this);
  // Children are created in tab-index order, which is Qt's default Tab order.
  for (const form::ControlLine& line : form::kControls) CreateControl(line);
  rows_->button(static_cast<int>(Row::A))->setChecked(true);
  KeepTabStopOnSelectedRow();
  DescribePlaces(*rows_);

  board_ = std::make_unique<WidgetBoard>(*this, cells_, calc_);

  connect(new QShortcut(KeysOf(kPasteAngleCommand), this), &QShortcut::activated, this,
          [this] { PasteAngleFromClipboard(); });
  connect(new QShortcut(KeysOf(kCopyAngleCommand), this), &QShortcut::activated, this,
          [this] { CopyAngleOf(FocusedRow()); });
  connect(new QShortcut(KeysOf(kConvertListCommand), this), &QShortcut::activated, this,
          [this] { ConvertListOnClipboard(); });
  // Shift+F10 opens the focused control's menu, as the Menu key does: the
  // desktops' key for it, where a keyboard has no Menu key.
  connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this), &QShortcut::activated, this, [] {
    if (QWidget* focused = QApplication::focusWidget()) {
      const QPoint at = focused->rect().center();
      QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, focused->mapToGlobal(at));
      QApplication::sendEvent(focused, &menu);
    }
  });

  // Only a change of selection is a new row: a click on the current row's
  // button must not empty the user's entry.
  connect(rows_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (!checked) return;
    KeepTabStopOnSelectedRow();
    const auto row = static_cast<Row>(id);
    // Heard with the row's first cell, where the focus goes.
    announcer_->Describe(*cells_[IndexOf(FirstCell(row))],
                         RowChosenText(rows_->button(id)->accessibleName()));
    RunAction(*board_, form::Action::ChooseRow, row);
    // An arrow key selects the next option and then focuses it, after the
    // row has handed the focus to its first cell: hand it back once Qt is done.
    QMetaObject::invokeMethod(
        this,
        [this, id, row] {
          if (QApplication::focusWidget() == rows_->button(id)) board_->SetFocus(FirstCell(row));
        },
        Qt::QueuedConnection);
  });

  // Centred on the screen's free area, with room for the title bar above.
  QRect place = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), available);
  place.moveTop(std::max(place.top(), available.top() + titleBar));
  setGeometry(place);
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateControl(const form::ControlLine& line) {
  const QString caption = QString::fromUtf8(line.caption);
  QWidget* widget = nullptr;
  switch (line.kind) {
    case form::Kind::Option: {
      auto* option = new QRadioButton(this);
      rows_->addButton(option, static_cast<int>(line.row));
      widget = option;
      break;
    }
    case form::Kind::Cell: {
      auto* cell = new QLineEdit(this);
      cell->setMaxLength(static_cast<int>(MaxLength(*line.cell)));
      cell->setValidator(new WholeCharacters(cell));
      cells_[IndexOf(*line.cell)] = cell;
      cell->setContextMenuPolicy(Qt::CustomContextMenu);
      connect(cell, &QLineEdit::customContextMenuRequested, this,
              [this, cell, which = *line.cell](const QPoint& at) {
                CellMenu(which)->exec(cell->mapToGlobal(at));
              });
      widget = cell;
      break;
    }
    case form::Kind::Command: {
      auto* button = new QPushButton(caption, this);
      // Enter in a cell must do nothing.
      button->setAutoDefault(false);
      button->setDefault(false);
      if (line.action == form::Action::Calcola) calc_[IndexOf(CalcButton(line.row))] = button;
      connect(button, &QPushButton::clicked, this, [this, action = line.action, row = line.row] {
        if (!RunAction(*board_, action, row)) return;
        // The focus stays on the button, so nothing else would be heard.
        if (const char* notice = NoticeOf(action)) announcer_->Say(QString::fromUtf8(notice));
      });
      widget = button;
      break;
    }
    case form::Kind::Label: {
      auto* label = new QLabel(caption, this);
      label->setTextFormat(Qt::PlainText);
      label->setFocusPolicy(Qt::NoFocus);
      // All eleven labels are opaque: the headers on light orange, the others
      // on the window's grey.
      label->setAutoFillBackground(true);
      widget = label;
      break;
    }
  }

  widget->setObjectName(QString::fromUtf8(line.name.data(), static_cast<qsizetype>(line.name.size())));
  if (line.accessibleName) widget->setAccessibleName(QString::fromUtf8(line.accessibleName));
  widget->setFont(FontOf(line.font, zoom_, devicePixelRatio_));

  QPalette palette = widget->palette();
  const bool cell = line.kind == form::Kind::Cell;
  if (line.foreColor)
    palette.setColor(cell ? QPalette::Text : QPalette::WindowText, ToQColor(*line.foreColor));
  if (line.backColor)
    palette.setColor(cell ? QPalette::Base : QPalette::Window, ToQColor(*line.backColor));
  widget->setPalette(palette);

  if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->setAlignment(ToQt(line.align));
  if (auto* label = qobject_cast<QLabel*>(widget))
    label->setAlignment(ToQt(line.align) | Qt::AlignVCenter);

  widget->move(Scaled(line.left), Scaled(line.top));
  if (line.autoSize)
    widget->adjustSize();
  else
    widget->resize(Scaled(line.width), Scaled(line.height));
}

std::unique_ptr<QMenu> MainWindow::CellMenu(Cell cell) {
  std::unique_ptr<QMenu> menu(cells_[IndexOf(cell)]->createStandardContextMenu());
  QAction* first = menu->actions().value(0);
  // The keys are shown, as the line edit's own items show theirs; they act
  // through the window's shortcuts.
  auto* paste = new QAction(QString::fromUtf8(kPasteAngleCommand.name), menu.get());
  paste->setShortcut(KeysOf(kPasteAngleCommand));
  connect(paste, &QAction::triggered, this, [this] { PasteAngleFromClipboard(); });
  auto* copy = new QAction(QString::fromUtf8(kCopyAngleCommand.name), menu.get());
  copy->setShortcut(KeysOf(kCopyAngleCommand));
  connect(copy, &QAction::triggered, this, [this, row = RowOf(cell)] { CopyAngleOf(row); });
  auto* convert = new QAction(QString::fromUtf8(kConvertListCommand.name), menu.get());
  convert->setShortcut(KeysOf(kConvertListCommand));
  connect(convert, &QAction::triggered, this, [this] { ConvertListOnClipboard(); });
  menu->insertActions(first, {paste, copy, convert});
  menu->insertSeparator(first);
  return menu;
}

void MainWindow::PasteAngleFromClipboard() {
  const Pasted pasted = PasteAngle(*board_, QGuiApplication::clipboard()->text().toStdString());
  if (!pasted.row) return;
  // The option group shows the new input row, as if its button was clicked.
  {
    const QSignalBlocker quiet(rows_);
    rows_->button(static_cast<int>(*pasted.row))->setChecked(true);
  }
  KeepTabStopOnSelectedRow();
  if (pasted.converted) announcer_->Say(QString::fromUtf8(NoticeOf(form::Action::Calcola)));
}

void MainWindow::CopyAngleOf(Row row) {
  if (const std::optional<std::string> text = CopyAngle(*board_, row))
    QGuiApplication::clipboard()->setText(QString::fromStdString(*text));
}

void MainWindow::ConvertListOnClipboard() {
  const ListOnClipboard list =
      ConvertClipboardList(QGuiApplication::clipboard()->text().toStdString(), "\n");
  // On the clipboard before the box says it is there.
  if (list.table) QGuiApplication::clipboard()->setText(QString::fromStdString(*list.table));
  board_->ShowMessage(list.message, list.title);
}

Row MainWindow::FocusedRow() const {
  for (Cell cell : kBoardOrder)
    if (focusWidget() == cells_[IndexOf(cell)]) return RowOf(cell);
  return static_cast<Row>(rows_->checkedId());
}

int MainWindow::Scaled(int twips) const { return qRound(Px(twips) * zoom_); }

// Tab enters the option buttons at the selected one only. Qt would move that
// stop to whichever button last took the focus, also one pressed and released
// elsewhere, which selects nothing; the others take no focus at all, and the
// arrow keys still move the selection through the group.
void MainWindow::KeepTabStopOnSelectedRow() {
  for (QAbstractButton* option : rows_->buttons())
    option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::NoFocus);
}

bool MainWindow::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  // Qt activates the window again whenever it regains the focus, also when a
  // warning closes; only the first activation sets up row A.
  if (event->type() == QEvent::WindowActivate && !activated_) {
    activated_ = true;
    // A click on another option before this moment (the window shown but
    // not yet active) must not leave the group showing a row that is not the
    // input row; the row change itself runs once, just below.
    {
      const QSignalBlocker quiet(rows_);
      rows_->button(static_cast<int>(Row::A))->setChecked(true);
    }
    KeepTabStopOnSelectedRow();
    OnFirstActivate(*board_);
  }
  return handled;
}

}  // namespace angoli
