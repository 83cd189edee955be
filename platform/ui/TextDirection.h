#pragma once
// The direction a text is laid out in, one rule for labels, message boxes,
// grid cells, report texts and the platform's own dialogs.
//
// The program's Persian texts come in two kinds, told apart by their own
// characters. Texts stored for a left-to-right paragraph put the mark that
// ends them in reading first (":نام پروژه", "(lit)حجم استاندارد", "!توجه",
// ".ايجاد پشتيبان ..."): they are laid out left to right, which puts the
// mark after the words, and keep the alignment their page gives them
// (right, in a right-to-left page). Texts written in reading order
// ("نام پروژه:", "مقدار «%1» عدد معتبر نيست", "(%) طبقه (Btu/h)") are laid
// out right to left.
#include <QString>
#include <Qt>

class QLineEdit;
class QTextOption;

namespace pf::ui {

// The paragraph direction of the text:
// - with Persian (right-to-left) letters: left to right when its first
//   non-blank character is a mark (punctuation, bracket or symbol; not a
//   digit, not a letter) and its last non-blank character is not one, or
//   when it begins with a left-to-right mark (U+200E: a text stored for a
//   left-to-right paragraph whose first character is a letter);
//   otherwise right to left;
// - with Latin letters only: left to right;
// - without letters: left to right when it reads as stored only so, a
//   number with its sign in front ("-5") or digits joined by a mark that is
//   no part of a number ("600*150"); otherwise ("1/4 1", "12-", "75-74")
//   the surrounding direction.
Qt::LayoutDirection textDirection(const QString &text, Qt::LayoutDirection surrounding = Qt::RightToLeft);

// The text as a button or a label with a buddy shows it: a shortcut's "&"
// goes ("&&" is one "&").
QString withoutMnemonic(const QString &text);

// Flags for QPainter::drawText and QStyle::drawItemText: the alignment read
// in the surrounding direction (made absolute, so it is not mirrored again)
// and the text's direction forced.
int textFlags(const QString &text, Qt::Alignment alignment, Qt::LayoutDirection surrounding = Qt::RightToLeft);

// The same as a text option (for QPainter::drawText with an option and for
// QTextLayout).
QTextOption textOption(const QString &text, Qt::Alignment alignment,
                       Qt::LayoutDirection surrounding = Qt::RightToLeft);

// The text as it reads in a paragraph that takes its direction from the
// text's own first letter (a text document: a message box, a rich-text
// label), laid out there as the rule above lays it out, also where it wraps
// onto several lines. A text the rule lays out left to right that has
// Persian letters comes in reading order: its runs as a right-to-left
// reader meets them (a mark that ends it in reading stands last; brackets
// are turned so that each still faces its words; a Latin run stays as one
// left-to-right embedding); it then shows on one line as it would left to
// right. A text the rule lays out right to left begins with a right-to-left
// mark (U+200F) when its first letter is not Persian. A text with Latin
// letters only is returned as it is.
QString inReadingOrder(const QString &text, Qt::LayoutDirection surrounding = Qt::RightToLeft);

// Installs over the application's style a style that lays out every text it
// draws by the rule above: labels, buttons, check boxes, combo boxes, tab and
// header captions, message boxes and the cells of item views (a path, a date
// or a file name in a right-to-left file dialog reads left to right). A
// label with Persian letters, or none, is aligned as its own direction reads
// its alignment (a label with Latin letters only keeps the alignment QLabel
// gives it). The style also keeps disabled texts legible: one that would
// vanish into what shows behind it is drawn three fifths of the way from
// that background to black (to white on a dark one). The underlines of the
// shortcuts ("&" in a text) show only while Alt is held, each under its
// letter of a word painted whole (pf::ui::drawShortcutUnderlined); the
// shortcuts always work. Latin runs and paths read whole and in order
// (pf::ui::laidOutText); a closed combo box too narrow for its text shows
// the text's start. Column titles hold their face's whole letters
// (pf::ui::wholeLineHeight). Each
// of Qt's own dialogs is readied as it is first shown
// (pf::ui::preparePlatformDialog). Safe to call more than once.
void installTextStyle();

// Whether the underlines of the shortcuts show (while Alt is held).
bool shortcutUnderlinesShown();

// A line edit that shows stored texts (a display) lays out each text it is
// given by the rule above, where its alignment put it before.
void layOutByText(QLineEdit *edit);

} // namespace pf::ui
