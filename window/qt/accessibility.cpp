#include "window/qt/accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QButtonGroup>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>

namespace angoli {
namespace {

// A cell as screen readers read and edit it. Qt's own line edit answers a
// request for the text attributes at an offset with an empty run there (0-0
// at 0, 1-1 at 1, ...), and Orca, joining those runs, reads a value without
// its last character: '45' as "4", '0' not at all. Here the whole text is one
// run, with no attributes of its own.
class CellAccessible final : public QAccessibleWidget,
                             public QAccessibleTextInterface,
                             public QAccessibleEditableTextInterface {
 public:
  explicit CellAccessible(QLineEdit* cell) : QAccessibleWidget(cell, QAccessible::EditableText) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
      return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text kind) const override {
    return kind == QAccessible::Value ? Cell()->text() : QAccessibleWidget::text(kind);
  }

  // A locked cell still takes the focus and lets its text be selected.
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = Cell()->isReadOnly();
    state.editable = !state.readOnly;
    state.selectableText = true;
    return state;
  }

  // attributes(1) on '45' -> "" from 0 to 2.
  QString attributes(int /*offset*/, int* startOffset, int* endOffset) const override {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
  }

  QString text(int startOffset, int endOffset) const override {
    return Cell()->text().mid(startOffset, endOffset - startOffset);
  }
  int characterCount() const override { return static_cast<int>(Cell()->text().size()); }

  int cursorPosition() const override { return Cell()->cursorPosition(); }
  void setCursorPosition(int position) override { Cell()->setCursorPosition(position); }

  // A line edit has one selection at most.
  int selectionCount() const override { return Cell()->hasSelectedText() ? 1 : 0; }
  void selection(int index, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = 0;
    if (index != 0 || !Cell()->hasSelectedText()) return;
    *startOffset = Cell()->selectionStart();
    *endOffset = Cell()->selectionEnd();
  }
  void addSelection(int startOffset, int endOffset) override {
    setSelection(0, startOffset, endOffset);
  }
  void removeSelection(int index) override {
    if (index == 0) Cell()->deselect();
  }
  void setSelection(int index, int startOffset, int endOffset) override {
    if (index == 0) Cell()->setSelection(startOffset, endOffset - startOffset);
  }

  // Where the cell paints the character at offset, in screen coordinates:
  // inside its frame and text margins, placed by its alignment. Cells never
  // hold more than fits, so their text never scrolls.
  QRect characterRect(int offset) const override {
    const QLineEdit* cell = Cell();
    const QString text = cell->text();
    if (offset < 0 || offset >= text.size()) return {};
    const int frame =
        cell->hasFrame() ? cell->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, cell) : 0;
    const QRect area = cell->rect()
                           .marginsRemoved(QMargins(frame, frame, frame, frame))
                           .marginsRemoved(cell->textMargins());
    const QFontMetrics metrics(cell->font());
    const int width = metrics.horizontalAdvance(text);
    int left = area.left();
    if (cell->alignment() & Qt::AlignHCenter) left += (area.width() - width) / 2;
    if (cell->alignment() & Qt::AlignRight) left = area.right() + 1 - width;
    const QRect box(left + metrics.horizontalAdvance(text.left(offset)), area.top(),
                    metrics.horizontalAdvance(text.mid(offset, 1)), area.height());
    return {cell->mapToGlobal(box.topLeft()), box.size()};
  }
  int offsetAtPoint(const QPoint& point) const override {
    return Cell()->cursorPositionAt(Cell()->mapFromGlobal(point));
  }
  void scrollToSubstring(int startIndex, int endIndex) override {
    Cell()->setCursorPosition(endIndex);
    Cell()->setCursorPosition(startIndex);
  }

  // Edits from an assistive tool, refused in a locked cell as typing is.
  void deleteText(int startOffset, int endOffset) override {
    replaceText(startOffset, endOffset, QString());
  }
  void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
  void replaceText(int startOffset, int endOffset, const QString& text) override {
    if (Cell()->isReadOnly()) return;
    Cell()->setText(Cell()->text().replace(startOffset, endOffset - startOffset, text));
  }

 private:
  QLineEdit* Cell() const { return static_cast<QLineEdit*>(widget()); }
};

QAccessibleInterface* CellAccessibleFactory(const QString& className, QObject* object) {
  if (className != QLatin1String("QLineEdit")) return nullptr;
  auto* cell = qobject_cast<QLineEdit*>(object);
  return cell ? new CellAccessible(cell) : nullptr;
}

// The window's notice: an accessible object with no widget behind it. Orca
// speaks a notification as it starts showing, wherever the focus is; a
// change of name or description it speaks only on the control it is on, and
// Qt 6.4 sends such a change without the new text, which Orca 43 cannot read.
class NoticeAccessible final : public QAccessibleInterface {
 public:
  explicit NoticeAccessible(QWidget* window) : window_(window) {}

  // Takes text as its name and shows itself anew.
  //   Show("Celle svuotate") after Show("Conversione eseguita") -> "notifica Celle svuotate"
  void Show(const QString& text) {
    if (text != text_) {
      text_ = text;
      // Orca 48 keeps the name it read when the notice last showed until it
      // hears of a change; Orca 43 reads it anew and says nothing of this.
      QAccessibleEvent renamed(this, QAccessible::NameChanged);
      QAccessible::updateAccessibility(&renamed);
    }
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
  }

  bool isValid() const override { return !window_.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return window_ ? window_->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(window_.data());
  }
  QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
  QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
  QString text(QAccessible::Text kind) const override {
    return kind == QAccessible::Name ? text_ : QString();
  }
  void setText(QAccessible::Text /*kind*/, const QString& /*text*/) override {}
  // Nothing to see: an empty box at the window's top left corner.
  QRect rect() const override {
    return window_ ? QRect(window_->mapToGlobal(QPoint()), QSize()) : QRect();
  }
  QAccessible::Role role() const override { return QAccessible::Notification; }
  QAccessible::State state() const override { return {}; }

 private:
  QPointer<QWidget> window_;
  QString text_;
};

// A plain top-level QWidget reads as a filler; screen readers announce a
// window by its title only when it is a frame. Its last child is the notice.
class WindowAccessible final : public QAccessibleWidget {
 public:
  explicit WindowAccessible(QWidget* window)
      : QAccessibleWidget(window, QAccessible::Window),
        notice_(new NoticeAccessible(window)),
        notice_id_(QAccessible::registerAccessibleInterface(notice_)) {}
  ~WindowAccessible() override { QAccessible::deleteAccessibleInterface(notice_id_); }
  WindowAccessible(const WindowAccessible&) = delete;
  WindowAccessible& operator=(const WindowAccessible&) = delete;

  NoticeAccessible& Notice() const { return *notice_; }

  int childCount() const override { return QAccessibleWidget::childCount() + 1; }
  QAccessibleInterface* child(int index) const override {
    return index == QAccessibleWidget::childCount() ? notice_ : QAccessibleWidget::child(index);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child == notice_ ? QAccessibleWidget::childCount() : QAccessibleWidget::indexOfChild(child);
  }

 private:
  NoticeAccessible* notice_;  // owned by Qt's registry of interfaces
  QAccessible::Id notice_id_;
};

// The object whose events Unheard holds back, the control a screen reader
// was last told has the focus, and the handler ours stands in front of.
const QObject* unheard_object = nullptr;
QPointer<QObject> told_focus;
QAccessible::UpdateHandler outer_handler = nullptr;

// Whether event only follows the focus moving: the cell losing it drops its
// selection, the cell gaining it by Tab selects its text, both before the
// focus news. Orca takes either as a selection the user made, and says
// "Testo non selezionato", then the value before the name. A selection made
// in the cell the reader was told has the focus is news.
//   Shift+Tab from C3 to C2: C3's selection gone, C2's whole text selected -> true
//   Shift+Left in C2 once its focus was announced -> false
bool FollowsFocusMove(const QAccessibleEvent& event) {
  if (event.type() != QAccessible::TextSelectionChanged) return false;
  return event.object() != told_focus || event.object() != QApplication::focusWidget();
}

// Hands event on to the screen reader unless it is held back.
//   Pass(focus on C2) -> heard, and C2's own selections are heard from then on
//   Pass(text written to C2 under Unheard) -> dropped
void Pass(QAccessibleEvent* event) {
  if ((unheard_object && event->object() == unheard_object) || FollowsFocusMove(*event)) return;
  // A menu tells of its items as focused while the focus widget may stay.
  if (event->type() == QAccessible::Focus && event->object() == QApplication::focusWidget())
    told_focus = event->object();
  // Everything else goes on as if this handler were not there.
  QAccessible::installUpdateHandler(outer_handler);
  QAccessible::updateAccessibility(event);
  QAccessible::installUpdateHandler(&Pass);
}

}  // namespace

void InstallAccessibility() {
  QAccessible::installFactory(CellAccessibleFactory);
  const QAccessible::UpdateHandler outer = QAccessible::installUpdateHandler(&Pass);
  if (outer != &Pass) outer_handler = outer;  // a second call must not chain Pass to itself
}

QAccessibleInterface* NewWindowAccessible(QWidget* window) { return new WindowAccessible(window); }

Unheard::Unheard(const QObject& object) : outer_(unheard_object) { unheard_object = &object; }

Unheard::~Unheard() { unheard_object = outer_; }

void DescribePlaces(const QButtonGroup& group) {
  const QList<QAbstractButton*> buttons = group.buttons();
  for (qsizetype i = 0; i < buttons.size(); ++i)
    buttons[i]->setAccessibleDescription(QStringLiteral("%1 di %2").arg(i + 1).arg(buttons.size()));
}

Announcer::Announcer(QWidget& window) : QObject(&window), window_(window) {
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* /*now*/) {
    if (armed_ && old == described_) Forget();
  });
}

void Announcer::Say(const QString& text) {
  if (auto* window = dynamic_cast<WindowAccessible*>(QAccessible::queryAccessibleInterface(&window_)))
    window->Notice().Show(text);
}

void Announcer::Describe(QWidget& control, const QString& text) {
  Forget();
  {
    // Read with the focus; Orca 43 fails on Qt 6.4's news of the change.
    const Unheard quiet(control);
    control.setAccessibleDescription(text);
  }
  described_ = &control;
  // The focus may still be settling (an arrow key on the option buttons hands
  // it to the option and back to the cell); only a move after that counts.
  QMetaObject::invokeMethod(this, [this] { armed_ = true; }, Qt::QueuedConnection);
}

void Announcer::Forget() {
  if (described_) {
    const Unheard quiet(*described_);
    described_->setAccessibleDescription(QString());
  }
  described_ = nullptr;
  armed_ = false;
}

QString RowChosenText(const QString& optionName) {
  if (optionName.isEmpty()) return {};
  return QStringLiteral("Scelta la ") + optionName.front().toLower() + optionName.mid(1);
}

}  // namespace angoli
