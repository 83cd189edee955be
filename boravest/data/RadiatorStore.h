#pragma once
// The radiator results stored per space in bankfz.DB by the booklet's report
// run: `Q_room`, `Radiat` and `Modelradiat`.
#include "platform/db/Db.h"

#include <QString>
#include <vector>

namespace bv::data {

struct RadiatorStoreRow {
    qint64 No = 0;        // bankfz.DB row of the space
    double Q_room = 0;    // space load, display-rounded
    double Radiat = 0;    // correction factor, display-rounded
    QString Modelradiat;  // number of sections as text
};

// In one transaction: clears `Q_room`, `Radiat` and `Modelradiat` of every
// space of the project marked for radiators (`E_Rad` above 0), so that a
// space that gets no sections keeps nothing of an earlier run, then writes
// the rows.
void storeRadiatorResults(pf::db::Database &db, double shproje, const std::vector<RadiatorStoreRow> &rows);

} // namespace bv::data
