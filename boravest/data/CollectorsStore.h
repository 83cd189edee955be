#pragma once
// The unit rows the collectors and risers sizing reads, and the per-unit
// results it writes back into bankvh.DB (`Q_Vahed`, `GP`, `Col`, `Row`).
#include "boravest/data/BuildingRows.h"
#include "platform/db/Db.h"

#include <vector>

namespace bv::data {

// One floor-and-unit row of bankvh.DB with its spaces and their surfaces.
struct CollectorUnitRow {
    qint64 No = 0; // the row's counter, the key its results are written under
    double Shproje = 0;
    double Shsk = 0;
    int T_Rz = 0;           // risers, rounded (ties to even)
    building::UnitRow unit; // Tabage, Shvahed, Sf, Z_ertefa, spaces, surfaces
};

struct CollectorProject {
    building::SiteData site; // Ga, Tg of the project (Bank1.DB)
    std::vector<CollectorUnitRow> units; // by floor, then by row counter
};

// Every unit row of a project with its spaces (matched on Shproje, Shsk,
// Tabage, Shvahed) and their surfaces (and Codefaza).
CollectorProject readCollectorUnits(pf::db::Database &db, double project);

// The results of one unit row. A row that is not `sized` (no risers, or no
// pipe carries its flow) has its four result fields cleared, so that no
// value of an earlier run stays behind.
struct CollectorStoreRow {
    qint64 No = 0;
    bool sized = false;
    double Q_Vahed = 0;
    double GP = 0;
    int Col = 0;
    int Row = 0;
};

// Writes the rows of one project in one transaction; rows of other projects
// are never touched.
void storeCollectorResults(pf::db::Database &db, double project, const std::vector<CollectorStoreRow> &rows);

} // namespace bv::data
