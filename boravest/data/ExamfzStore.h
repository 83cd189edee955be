#pragma once
// The work table Examfz.DB: one text row per space of the last screen run of
// a per-space sizing (radiators, unit heaters, warm-air furnaces, extract
// fans), shown in the result grid and never read back into the project
// tables. Each screen run empties it and fills it again.
#include "platform/db/Db.h"

#include <QString>
#include <vector>

namespace bv::data {

// One row. Every column is text; an empty text leaves the column empty
// (null), and so does No = 0. What each sizing puts in which column is the
// sizing's own affair.
struct ExamfzRow {
    int No = 0; // running row number from 1; 0 = not set
    QString Shproje, NameT, Shvahed, Faza, Ti_;
    QString Barh, Z_ts, s_hararat, T_Pare, Tol_Pare, hjm_Ab, Vazn_Rad, size_Rad, debi;
};

// Empties Examfz.DB and writes the rows in order, in one transaction.
// Columns are matched to the table's fields without regard to case; a value
// whose column the file does not have is left out.
void refillExamfz(pf::db::Database &db, const std::vector<ExamfzRow> &rows);

} // namespace bv::data
