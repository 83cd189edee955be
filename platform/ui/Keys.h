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

// Characters a number input accepts besides the digits 0-9. Persian and
// Arabic-Indic digits are taken as the digits 0-9 (the box holds those), and
// in a box that takes a point the Persian decimal separator U+066B as the
// point. Format marks (U+200B-U+200F, U+202A-U+202E, U+2066-U+2069, U+FEFF)
// typed, pasted or dropped are left out without a word.
// Backspace, Enter and Esc always pass; so do keys that type no character
// (arrows, Home, End, Delete, function keys, Tab) and the line edit's own
// shortcuts (Ctrl+A, Ctrl+C, Ctrl+X, Ctrl+Z...), which type none either.
// Any other character is dropped after the refusal message is shown through
// showMessage. A key is refused the same way when the text it makes is not
// a number in the making:
//   - a second point;
//   - with Minus, a second minus sign, or one between the digits: a box
//     takes "-12" and "12-" (as it shows a negative number), never "1-2";
//     with MinusAnywhere one minus sign may stand anywhere (a floor number,
//     whose page moves it into place);
//   - more than 15 digits before the point (no box holds a number it could
//     not show again without an exponent; dates excepted).
enum class NumberChar { None = 0, Point = 1, Minus = 2, Slash = 4, MinusAnywhere = 8 }; // Slash: dates
Q_DECLARE_FLAGS(NumberChars, NumberChar)

// Pasted text (the paste key, the edit's context menu) and dropped text go
// in only when the whole text they make is one the filter accepts (their
// Persian and Arabic-Indic digits taken as 0-9); else the refusal is shown
// and the text stays as it was.
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

// The refusal message of the box's number filter; empty for a box without
// one. What a box says when its text is not a number.
QString boxRefusal(const QWidget *edit);

// A number input whose minus sign stands after its digits ("12-"), as a
// right-to-left input reads a negative number: the sign may be typed
// anywhere (the filter must let it in) and goes to the end when the input is
// left. numberText() gives an input's text as the conversions read it: its
// digits as 0-9 and the sign in front, for such an input and for any text
// whose sign stands at its end ("12-"); any other text as it is.
void showMinusAfterDigits(QLineEdit *edit);
QString numberText(const QLineEdit *edit);

// A name stands on one line: oneLine() gives the text with each line break
// (CR LF, CR, LF, the Unicode line and paragraph separators, a vertical tab
// or form feed) and each tab as one blank. keepOnOneLine() makes the edit
// do that to whatever comes in, typed, pasted or dropped (a validator of
// its own; an edit that needs another validator calls oneLine() in it).
QString oneLine(const QString &text);
void keepOnOneLine(QLineEdit *edit);

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
