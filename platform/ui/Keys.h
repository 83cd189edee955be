#pragma once
// Keyboard helpers of the forms: key preview (the form sees a key before
// the focused control), character filters of number inputs and the Enter
// chain that moves from one input to the next.
#include <QFlags>
#include <QList>
#include <QString>

#include <functional>

class QKeyEvent;
class QLineEdit;
class QObject;
class QWidget;

namespace pf::ui {

// Returns true when the form consumed the key; the focused control then
// never sees it.
using KeyHandler = std::function<bool(QKeyEvent *key)>;

// Every key press aimed at the form or at any control inside it reaches the
// handler first (once per press). The returned object is owned by the form;
// deleting it ends the preview.
QObject *installKeyPreview(QWidget *form, KeyHandler handler);

// Characters a number input accepts besides the digits 0-9. Backspace,
// Enter and Esc always pass; so do keys that type no character (arrows,
// function keys, Delete, Tab). Any other character, control characters
// such as Ctrl+Z included, is dropped after the refusal message is shown
// through showMessage. A point goes in only once: a second one is refused
// the same way.
enum class NumberChar { None = 0, Point = 1, Minus = 2, Slash = 4 }; // Slash: dates
Q_DECLARE_FLAGS(NumberChars, NumberChar)

// Pasted text (the paste key, the edit's context menu) and dropped text go
// in only when the whole text they make is one the filter accepts; else
// the refusal is shown and the text stays as it was.
//
// Installing a filter on an edit that has one replaces it (a box whose
// field changes takes the filter of its new field).
//
// `maxChars` (0: no limit): a line edit takes no more characters than that
// (nor than its own maximum length). A key that would make the text longer
// is refused with the refusal like any other, and a paste or drop that would
// is refused whole; the text stays as it was. A longer text the program put
// there can still be shortened.
QObject *installNumberFilter(QWidget *edit, NumberChars extra, const QString &refusal, int maxChars = 0);
inline QObject *installWholeNumberFilter(QWidget *edit, const QString &refusal, int maxChars = 0)
{
    return installNumberFilter(edit, NumberChar::None, refusal, maxChars);
}
inline QObject *installDecimalFilter(QWidget *edit, const QString &refusal, int maxChars = 0)
{
    return installNumberFilter(edit, NumberChar::Point, refusal, maxChars);
}
inline QObject *installSignedFilter(QWidget *edit, const QString &refusal, bool decimal = false, int maxChars = 0)
{
    return installNumberFilter(edit, decimal ? NumberChars(NumberChar::Minus) | NumberChar::Point
                                             : NumberChars(NumberChar::Minus),
                               refusal, maxChars);
}

// Whether the filter lets the character through (for callers that check a
// text themselves).
bool numberCharAllowed(QChar c, NumberChars extra);

// A number input whose minus sign stands after its digits ("12-"), as a
// right-to-left input reads a negative number: the sign may be typed
// anywhere (the filter must let it in) and goes to the end when the input is
// left. numberText() gives an input's text with the sign in front, where the
// conversions expect it, for such an input; any other input's text as it is.
void showMinusAfterDigits(QLineEdit *edit);
QString numberText(const QLineEdit *edit);

// Enter (either key) in a widget of the chain moves the focus to the next
// widget of the chain that is shown and enabled; after the last one it goes
// back to the first only with `wrap`, else Enter does nothing more. The Enter
// press is consumed. The returned object is owned by the first widget.
QObject *installEnterChain(const QList<QWidget *> &chain, bool wrap = false);

// Enter (either key) in the widget runs the handler instead of reaching the
// widget; for chains whose next stop depends on the form's state.
QObject *onEnter(QWidget *widget, std::function<void()> handler);

bool isEnterKey(const QKeyEvent *key);

} // namespace pf::ui

Q_DECLARE_OPERATORS_FOR_FLAGS(pf::ui::NumberChars)
