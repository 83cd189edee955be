#pragma once
// The Persian faces the forms and reports name ("Traffic", "mitra", "Zar",
// "Titr", "Nazanin", "Badr", and "Tahoma") are commercial faces that are
// rarely installed; each missing one is mapped to an installed free Persian
// face (Nazli, FreeFarsi or Homa for text, Titr for titles).
#include <QString>
#include <QStringList>

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

} // namespace pf::ui
