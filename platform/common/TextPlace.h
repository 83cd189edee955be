#pragma once
// Texts found by where their characters lie, without reading them.
//
// QString shares its characters among its copies and copies them before
// any change. So while some QString holding a text's characters is kept
// alive, those characters can be neither changed nor freed, and a text
// whose characters lie at the same place with the same length is that same
// text. Whoever remembers a place keeps such a QString for as long as it
// trusts the place: a cache that holds the very text it remembers the place
// of. A place remembered without its text held may be given to another
// text once the first is freed: it is then only a hint, checked against
// the text itself before it is believed.
#include <QHashFunctions>
#include <QString>

namespace pf {

struct TextPlace {
    const QChar *data = nullptr;
    qsizetype size = -1; // -1: no text

    TextPlace() = default;
    explicit TextPlace(const QString &s) : data(s.constData()), size(s.size()) {}
    // Whether `s`'s characters lie here.
    bool holds(const QString &s) const { return data == s.constData() && size == s.size(); }
    bool operator==(const TextPlace &) const = default;
};

inline size_t qHash(const TextPlace &p, size_t seed = 0) { return qHashMulti(seed, p.data, p.size); }

// Whether the two texts share their characters (then they are equal).
inline bool sameCharacters(const QString &a, const QString &b) { return TextPlace(a).holds(b); }

} // namespace pf
