#pragma once
// The extract-fan results stored per space in bankfz.DB by the booklet's
// report run.
#include "platform/db/Db.h"

#include <vector>

namespace bv::data {

struct ExtractFanStoreRow {
    qint64 No = 0;          // bankfz.DB row of the space
    double K_Oft_F_Hav = 0; // duct pressure drop, display-rounded, in. w.g.
    double CFM_Hav = 0;     // exhaust air volume, CFM
    int Gh_Hav = 0;         // fan diameter, whole inches
    int Coun_Hav = 0;       // FanCatalogue row, 0 when none fits
    double GhH_Hav = 0;     // fan diameter before rounding, in
    double Inw_Hav = 0;     // duct pressure drop before rounding, in. w.g.
};

// Writes the rows in one transaction. `GhH_Hav` and `Inw_Hav` are written
// where the space file has those fields.
void storeExtractFanResults(pf::db::Database &db, const std::vector<ExtractFanStoreRow> &rows);

// Empties the results of every space of the project with extract fans
// (`Te_Hav` above 0), as the booklet lists them: a sizing that stops stores
// nothing and must leave nothing of an earlier run.
void clearExtractFanResults(pf::db::Database &db, double shproje);

} // namespace bv::data
