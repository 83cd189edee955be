#pragma once
// The Persian faces the forms and reports name ("Traffic", "mitra", "Zar",
// "Titr", "Nazanin", "Badr", and "Tahoma") are commercial faces that are
// rarely installed; each missing one is mapped to an installed free Persian
// face (Nazli, FreeFarsi or Homa for text, Titr for titles).
#include <QString>
#include <QStringList>

class QFont;

namespace pf::ui {

// Installs the substitutions and returns the face that stands in for the
// text faces (empty when no Persian face is installed, and then nothing is
// mapped). Safe to call more than once.
QString installPersianFonts();

// The names that are mapped when missing.
QStringList persianFontNames();

// Maps any other face name that is neither installed nor mapped yet to the
// installed Persian face (for a title, Titr when it is installed), so that a
// chosen name missing on this machine still draws Persian text. Does nothing
// for an empty name or when no Persian face is installed.
void substituteMissingFace(const QString &name, bool title);

// The height a line of text in the font needs so that every glyph of it
// shows where a line is centred by the face's ascent and descent: the face's
// height, grown on each side by the most its Persian and Latin letters reach
// beyond them (Titr declares no descent, yet its letters reach below the
// line).
int wholeLineHeight(const QFont &font);

} // namespace pf::ui
