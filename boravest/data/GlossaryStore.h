#pragma once
// The glossary's own terms: the installation terms the program ships with
// (Glossary.tsv, built in), the one write that lays them into word.DB, and
// the rule by which the glossary's look-ups hold two texts the same word.
#include "platform/db/Db.h"

#include <QString>
#include <QVector>

namespace bv::data::stores {

struct GlossaryTerm {
    QString english;     // English
    QString persian;     // Pertion
    QString description; // Memprs
    int line = 0;        // line of the term in its file
};

// The shipped terms in file order. A line that does not hold exactly three
// tab-separated texts gives a term with empty texts, so that it shows.
const QVector<GlossaryTerm> &shippedGlossaryTerms();

// A term as an earlier version shipped it, and the English word of the term
// that stands for it now.
struct MendedGlossaryTerm {
    GlossaryTerm earlier;
    QString now;
};
// The terms this version ships differently (GlossaryMended.tsv).
const QVector<MendedGlossaryTerm> &mendedGlossaryTerms();

// Lays the shipped terms into word.DB, in one transaction:
// - a glossary without any row gets every shipped term;
// - a glossary that an earlier version filled (it holds a term exactly as a
//   version shipped it) gets the terms shipped since, each unless its word
//   or its meaning is one of the glossary's already, and a term still
//   exactly as an earlier version shipped it is changed to the term as
//   shipped now;
// - any other glossary, the engineer's own, is left as it is, and so is
//   every word the engineer added or changed.
// Returns the rows added or changed.
int layShippedGlossary(pf::db::Database &db);

// The key the glossary's look-ups compare: the text without the blanks and
// the invisible marks (zero-width non-joiner and joiner, direction marks)
// anywhere in it. A compound written with a non-joiner, with a blank or
// closed up, and a word typed with a blank after it, are then one word;
// letter case and the forms of kaf and yeh are the collation's to compare.
QString glossaryKey(const QString &text);
// Whether two texts are the same word to the glossary's look-ups.
bool sameGlossaryWord(const QString &a, const QString &b);
// The first row of the words, in their current order, whose field is the
// same word as `typed`; -1 when none is.
int findGlossaryRow(const pf::db::Dataset &words, int field, const QString &typed);

} // namespace bv::data::stores
