#pragma once
// The unit-heater results stored per space in bankfz.DB by the booklet's
// report run: `Q_room`, `Radiat` and `Modelradiat`.
#include "platform/db/Db.h"

#include <QString>
#include <vector>

namespace bv::data {

struct UnitHeaterStoreRow {
    qint64 No = 0;       // bankfz.DB row of the space
    double Q_room = 0;   // space load, display-rounded
    double Radiat = 0;   // correction factor, two decimals
    QString Modelradiat; // catalogue row of the model as text, "0" when none fits
};

// Writes the rows in one transaction. Spaces without unit heaters are not
// touched.
void storeUnitHeaterResults(pf::db::Database &db, const std::vector<UnitHeaterStoreRow> &rows);

// Empties the three results of every space of the project with unit heaters
// (`T_UH` above 0), as the booklet lists them: a sizing that stops stores
// nothing and must leave nothing of an earlier run.
void clearUnitHeaterResults(pf::db::Database &db, double shproje);

} // namespace bv::data
