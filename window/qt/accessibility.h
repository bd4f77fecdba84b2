#pragma once
// What screen readers hear of the window beyond the controls' roles and
// names: the cells' whole values, the program's own writes kept quiet, the
// option buttons' places, and spoken confirmations of what moves no focus.

#include <QObject>
#include <QPointer>
#include <QString>

class QAccessibleInterface;
class QButtonGroup;
class QWidget;

namespace angoli {

// Gives every line edit (the cells) an accessible interface of our own, and
// keeps from screen readers the selection news that only follows the focus
// moving between cells; call once, after the QApplication exists.
void InstallAccessibility();

// The accessible interface of the main window: a frame, with one child more
// than its widgets, the notice through which Announcer::Say speaks.
QAccessibleInterface* NewWindowAccessible(QWidget* window);

// While it lives, no screen reader hears of changes to object. The program
// writes cells on its own (results, a cell emptied after a warning, a new
// row). Orca takes the caret moving in a cell that has the focus by the time
// it looks for the user having arrived there, silently, and then says nothing
// when the focus news comes: the cell after a warning, or the first cell of a
// new row, went unannounced.
//   { const Unheard quiet(*cell); cell->setText(""); }  // nothing announced
class Unheard {
 public:
  explicit Unheard(const QObject& object);
  ~Unheard();
  Unheard(const Unheard&) = delete;
  Unheard& operator=(const Unheard&) = delete;

 private:
  const QObject* outer_;
};

// Describes each option button of group with its place in it, "1 di 3" …,
// which a screen reader reads after the name and state.
void DescribePlaces(const QButtonGroup& group);

// Spoken news, for a screen reader on the window.
class Announcer final : public QObject {
 public:
  explicit Announcer(QWidget& window);

  // Heard at once, wherever the focus is, as a notification.
  //   Say("Conversione eseguita") on "Calcola" -> "notifica Conversione eseguita"
  void Say(const QString& text);

  // Heard with control when it gets the focus, until the focus moves on
  // from it: said with the focus, it is not cut short by it.
  //   Describe(B1, "Scelta la riga B") then focus on B1 -> "Gradi, riga B testo. Scelta la riga B"
  void Describe(QWidget& control, const QString& text);

 private:
  void Forget();

  QWidget& window_;
  QPointer<QWidget> described_;
  bool armed_ = false;
};

// What Announcer says after a row is chosen (after a conversion and a reset:
// NoticeOf in window/modes.h).
// RowChosenText("Riga B, gradi e minuti decimali") -> "Scelta la riga B, gradi e minuti decimali"
QString RowChosenText(const QString& optionName);

}  // namespace angoli
