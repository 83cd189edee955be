#pragma once
// What the per-space stores share: emptying the results a sizing stored on
// the spaces of a project, so that a booklet whose sizing stopped prints
// blanks, never the values of an earlier run.
#include "platform/db/Db.h"

#include <QString>
#include <QStringList>

namespace bv::data {

// In one transaction: sets `fields` of bankfz.DB to null on every space of
// the project that meets `spaces` (a condition on bankfz.DB's own fields,
// written by the caller, with no value of the user in it).
void clearSpaceResults(pf::db::Database &db, double shproje, const QString &spaces, const QStringList &fields);

} // namespace bv::data
