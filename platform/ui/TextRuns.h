#pragma once
// Latin runs and paths inside Persian texts, whole and in order. In a
// right-to-left line the marks at the edge of a Latin run take the line's
// direction: the "*." of the first pattern of "تصاوير (*.bmp *.cur)" goes to
// the far end of the run ("(bmp *.cur.*) تصاوير"). Between two Persian
// folder names a path's "/" reads right to left, so those folders swap.
#include <QString>
#include <Qt>

namespace pf::ui {

// The text as it is handed to a line laid out in `direction` so that it
// reads whole:
// - a path (from "/", "~/", a drive "C:\" or "\\"): one left-to-right run,
//   each separator kept between the names it parts, in either direction;
// - in a right-to-left line, each Latin run, with the digits after its last
//   letter and the marks that cling to its first ("*." of "*.bmp", "." of
//   ".pdf"; not those after a Persian letter: the "." of "نام.png" stays
//   between the two words), is one left-to-right run; a bracket or a blank
//   at its edge stays the line's, and so does a mark after its last letter
//   (a full stop reads last);
// - anything else as it is.
// The runs are set apart by Unicode isolates (LRI ... PDI), separators by a
// left-to-right mark; neither takes room.
QString laidOutText(const QString &text, Qt::LayoutDirection direction);

// Whether the text is a path as above.
bool isPath(const QString &text);

// Whether the letter is written right to left (Persian, Arabic, Hebrew).
bool isPersianLetter(QChar c);

} // namespace pf::ui
