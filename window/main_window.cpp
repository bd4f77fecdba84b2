#include "window/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QValidator>

#include <string_view>

#include "validation/calcola.h"
#include "window/controls.h"
#include "window/fonts.h"
#include "window/modes.h"

// The icons as C arrays: QPixmap reads them with Qt's own XPM reader, without
// the image-format plugins that opening an image file loads first.
#include "window/icons/angoli-16.xpm"
#include "window/icons/angoli-32.xpm"

namespace angoli {
namespace {

using form::Px;

QColor ToQColor(Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

// Index of name in names, or -1.
template <typename Names, typename NameOfEntry>
int IndexIn(const Names& names, std::string_view name, NameOfEntry nameOf) {
  for (std::size_t i = 0; i < names.size(); ++i)
    if (std::string_view(nameOf(names[i])) == name) return static_cast<int>(i);
  return -1;
}
template <typename Names>
int IndexIn(const Names& names, std::string_view name) {
  return IndexIn(names, name, [](const auto& entry) { return entry; });
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

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Main"));
  setWindowTitle(QString::fromUtf8(form::kTitle));
  QIcon icon;
  icon.addPixmap(QPixmap(angoli_16));
  icon.addPixmap(QPixmap(angoli_32));
  setWindowIcon(icon);
  setFont(FontOf(form::kWindowFont));
  QPalette back = palette();
  back.setColor(QPalette::Window, ToQColor(form::kWindowBack));
  setPalette(back);
  setAutoFillBackground(true);
  setFixedSize(Px(form::kClientWidth), Px(form::kClientHeight));

  rows_ = new QButtonGroup(this);
  // Children are created in tab-index order, which is Qt's default Tab order.
  for (const form::ControlLine& control : form::kControls) CreateControl(control);
  rows_->button(static_cast<int>(Row::A))->setChecked(true);
  KeepTabStopOnSelectedRow();

  board_ = std::make_unique<WidgetBoard>(*this, cells_, calc_);

  // Only a change of selection is a new row: a click on the current row's
  // button must not empty the user's entry.
  connect(rows_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (!checked) return;
    KeepTabStopOnSelectedRow();
    const auto row = static_cast<Row>(id);
    OnRowChosen(*board_, row);
    // An arrow key selects the next option and then focuses it, after the
    // row has handed the focus to its first cell: hand it back once Qt is done.
    QMetaObject::invokeMethod(
        this,
        [this, id, row] {
          if (QApplication::focusWidget() == rows_->button(id)) board_->SetFocus(FirstCell(row));
        },
        Qt::QueuedConnection);
  });
  for (Row row : kRows) {
    connect(calc_[IndexOf(CalcButton(row))], &QPushButton::clicked, this,
            [this, row] { Calcola(*board_, row); });
  }
  connect(findChild<QPushButton*>(QStringLiteral("Command1")), &QPushButton::clicked, this,
          [this] { OnReset(*board_); });
  connect(findChild<QPushButton*>(QStringLiteral("Chiudi")), &QPushButton::clicked, this,
          [this] { OnChiudi(*board_); });

  setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                  screen()->availableGeometry()));
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateControl(const form::ControlLine& control) {
  const QString caption = QString::fromUtf8(control.caption);
  QWidget* widget = nullptr;
  switch (control.kind) {
    case form::Kind::Option: {
      auto* option = new QRadioButton(this);
      const int row = IndexIn(form::kOptionNames, control.name);
      rows_->addButton(option, row);
      widget = option;
      break;
    }
    case form::Kind::Cell: {
      auto* cell = new QLineEdit(this);
      cell->setMaxLength(control.maxLength);
      cell->setValidator(new WholeCharacters(cell));
      cells_[static_cast<std::size_t>(IndexIn(kCells, control.name, [](const CellInfo& info) { return info.name; }))] = cell;
      widget = cell;
      break;
    }
    case form::Kind::Command: {
      auto* button = new QPushButton(caption, this);
      // Enter in a cell must do nothing.
      button->setAutoDefault(false);
      button->setDefault(false);
      if (int calc = IndexIn(form::kCalcNames, control.name); calc >= 0)
        calc_[static_cast<std::size_t>(calc)] = button;
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

  widget->setObjectName(QString::fromUtf8(control.name));
  if (control.accessibleName) widget->setAccessibleName(QString::fromUtf8(control.accessibleName));
  if (control.font.face != form::Face::Window) widget->setFont(FontOf(control.font));

  QPalette palette = widget->palette();
  const bool cell = control.kind == form::Kind::Cell;
  if (control.foreColor)
    palette.setColor(cell ? QPalette::Text : QPalette::WindowText, ToQColor(*control.foreColor));
  if (control.backColor)
    palette.setColor(cell ? QPalette::Base : QPalette::Window, ToQColor(*control.backColor));
  widget->setPalette(palette);

  if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->setAlignment(control.alignment);
  if (auto* label = qobject_cast<QLabel*>(widget))
    label->setAlignment(control.alignment | Qt::AlignVCenter);

  widget->move(Px(control.left), Px(control.top));
  if (control.autoSize)
    widget->adjustSize();
  else
    widget->resize(Px(control.width), Px(control.height));
}

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
    OnFirstActivate(*board_);
  }
  return handled;
}

}  // namespace angoli
