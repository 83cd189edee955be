#pragma once
// Whole captions in whatever face a form is given. The forms are laid out
// by hand for the faces they were designed in; a wider face would cut the
// texts of their labels and buttons.
class QWidget;

namespace pf::ui {

// Makes the caption of every label (not word-wrapped, not a picture, not
// rich text), push button, check box and radio button of `form` whole in the
// font the widget now has, measured line by line without the "&" of a
// shortcut against the room the widget gives it (check boxes and radio
// buttons less their indicator, buttons less their margins, labels less
// their margin and indent). A caption that does not fit first widens its
// widget on the side away from where the text is anchored (a right-aligned
// caption grows to the left, a left-aligned one to the right, a centred one
// both ways), within its parent and never onto a sibling (shown or hidden:
// a hidden one may show later) it did not already overlap; what is still
// missing then makes that widget's point size smaller, keeping its face,
// down to 5.5 pt at the least. Widgets placed by a layout are left to it.
//
// The designed geometry and size are remembered: each call starts again
// from them, so a narrower face brings a widget back to its design and many
// calls leave it where one call would. A caption that fits its design is
// never touched. A geometry or a size the program sets itself becomes the
// new design. Nothing is laid out again; only the widgets that change are
// moved or given a font.
void fitCaptions(QWidget *form);

} // namespace pf::ui
