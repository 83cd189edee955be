#pragma once
// The building heat load of one project read straight from the project
// tables: every floor-and-unit row of the project with its spaces and their
// surfaces, joined on the project, floor, unit and space keys exactly as the
// data module's master/detail chain joins them, then handed to the heating
// load rules of the building total (stored directions, air factor as
// computed, every row counted, the sum rounded half to even).
//
// No form and no cursor of the data module is involved, so the equipment
// inputs page and the boiler sizing read the same total.
#include "boravest/data/BuildingRows.h"

#include <vector>

namespace pf::db {
class Database;
}

namespace bv::sizing {

struct BuildingRowsOfProject {
    building::SiteData site;              // Ga and Tg of the project row (0 when there is none)
    std::vector<building::UnitRow> units; // floor order, then storage order
};

// The rows of project `project` (its number, `Shproje`). A database error
// is thrown as pf::db::DbError.
BuildingRowsOfProject readBuildingRows(pf::db::Database &db, double project);

// Building heat load of the project, Btu/h, a whole number as a double.
double buildingHeatLoadOf(pf::db::Database &db, double project);

} // namespace bv::sizing
