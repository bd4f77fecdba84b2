#include "window/qt/widget_board.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>

#include "conversion/utf8_text.h"
#include "window/qt/accessibility.h"

namespace angoli {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

WidgetBoard::WidgetBoard(QWidget& window, const std::array<QLineEdit*, 9>& cells,
                         const std::array<QPushButton*, 3>& buttons)
    : window_(window), cells_(cells), buttons_(buttons) {}

std::string WidgetBoard::Text(Cell cell) const {
  return cells_[IndexOf(cell)]->text().toStdString();
}

void WidgetBoard::SetText(Cell cell, std::string_view text) {
  QLineEdit* edit = cells_[IndexOf(cell)];
  QString cut = FromUtf8(FirstChars(text, MaxLength(cell)));
  // QLineEdit counts UTF-16 units: a character beyond the basic plane takes
  // two, and Qt's own cut would split it.
  while (cut.size() > edit->maxLength()) cut.chop(cut.back().isLowSurrogate() ? 2 : 1);
  const Unheard quiet(*edit);
  edit->setText(cut);
}

void WidgetBoard::SetLocked(Cell cell, bool locked) {
  // Read-only still takes the focus and lets the user select and copy.
  cells_[IndexOf(cell)]->setReadOnly(locked);
}

void WidgetBoard::SetForeColor(Cell cell, Rgb colour) {
  QLineEdit* edit = cells_[IndexOf(cell)];
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Text, QColor(colour.red, colour.green, colour.blue));
  edit->setPalette(palette);
}

void WidgetBoard::SetVisible(Button button, bool visible) {
  buttons_[IndexOf(button)]->setVisible(visible);
}

void WidgetBoard::SetFocus(Cell cell) {
  cells_[IndexOf(cell)]->setFocus(Qt::OtherFocusReason);
}

void WidgetBoard::ShowMessage(std::string_view message, std::string_view title) {
  QMessageBox box(QMessageBox::Information, FromUtf8(title), FromUtf8(message),
                  QMessageBox::Ok, &window_);
  box.exec();
  // A window manager gives the focus back to the window once the box has
  // gone; without one the cell that the checks focus next would not get the
  // keys. Coming back is not a first activation: nothing is reset.
  window_.activateWindow();
}

void WidgetBoard::EndProgram() {
  window_.close();
  QCoreApplication::exit(0);
}

}  // namespace angoli
