#pragma once
// The furnace results stored per space in bankfz.DB by the booklet's report
// run: `V_Kore` and `Q_room` of every space of the project.
#include "platform/db/Db.h"

#include <vector>

namespace bv::data {

struct FurnaceStoreRow {
    qint64 No = 0;     // bankfz.DB row of the space
    double V_Kore = 0; // warm air, CFM, display-rounded; 0 for a space not marked
    double Q_room = 0; // space load, display-rounded
};

// Writes the rows in one transaction.
void storeFurnaceResults(pf::db::Database &db, const std::vector<FurnaceStoreRow> &rows);

// Empties both results of every space of the project marked for the furnace
// (`E_Kore` above 0), the spaces the booklet lists: a sizing that stops
// before it has its spaces leaves nothing of an earlier run.
void clearFurnaceResults(pf::db::Database &db, double shproje);

} // namespace bv::data
