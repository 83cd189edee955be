#pragma once
// The glossary's own terms: the installation terms the program ships with
// (Glossary.tsv, built in), and the one write that lays them into word.DB.
#include "platform/db/Db.h"

#include <QString>
#include <QVector>

namespace bv::data::stores {

struct GlossaryTerm {
    QString english;     // English
    QString persian;     // Pertion
    QString description; // Memprs
    int line = 0;        // line of the term in Glossary.tsv
};

// The shipped terms in file order. A line that does not hold exactly three
// tab-separated texts gives a term with empty texts, so that it shows.
const QVector<GlossaryTerm> &shippedGlossaryTerms();

// Lays the shipped terms into word.DB when it holds no row at all, in one
// transaction; a glossary that has any row, the engineer's own words or
// changes among them, is left exactly as it is. Returns the rows added.
int fillEmptyGlossary(pf::db::Database &db);

} // namespace bv::data::stores
