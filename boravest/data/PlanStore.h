#pragma once
// Copying a floor plan and deleting a part of the building model with all
// that hangs under it. Each runs as one transaction over the table files it
// touches: all of it is stored or none of it. Values are bound; no widget is
// involved.
//
// `step`, when given, runs after every statement inside the transaction; an
// exception thrown from it rolls the whole write back.
#include "platform/db/Db.h"

#include <QString>

#include <functional>
#include <optional>

namespace bv::data::stores {

using Step = std::function<void()>;

// The floors that have names: a copy's target floor is a whole number in
// this range.
constexpr int kLowestFloor = -5;
constexpr int kHighestFloor = 50;
// The target floor typed by the engineer ("5", " -2 ", "7.0"): a whole
// number from -5 to 50, or nothing.
std::optional<int> parseTargetFloor(const QString &text);

enum class CopyOutcome {
    Copied,        // at least one floor-and-unit row copied
    BadFloor,      // target floor not a whole number in -5..50
    TargetExists,  // the project already has the target floor; nothing written
    SourceMissing, // the project has no row on the source floor; nothing written
};
struct FloorCopy {
    double project = 0;
    double fromFloor = 0;
    double toFloor = 0;
};
struct CopyResult {
    CopyOutcome outcome = CopyOutcome::SourceMissing;
    int units = 0;
    int spaces = 0;
    int surfaces = 0;
};
// Every floor-and-unit row of the project's source floor, the spaces of those
// units and the surfaces of those spaces are written again on the target
// floor with every other value unchanged (`Shsk` equal to the project, `No`
// numbered by the table, in the order of the floor's index). One statement
// per table does it, inside the database.
CopyResult copyFloorPlan(pf::db::Database &db, const FloorCopy &copy, const Step &step = {});

// The table files a project's delete touches.
const QStringList &planDeleteFiles(); // Bank1, bankvh, bankfz, bankjd, Tajhizat, TypMas

// A project: its surfaces, spaces, floor-and-unit rows, equipment record,
// material layers and its row of Bank1.
void deleteProject(pf::db::Database &db, double project, const Step &step = {});
// A floor: every floor-and-unit row of the project with that floor number,
// their spaces and surfaces.
void deleteFloor(pf::db::Database &db, double project, double floor, const Step &step = {});
// A floor-and-unit row with its spaces and their surfaces.
void deleteUnit(pf::db::Database &db, double project, double floor, double unit, const Step &step = {});
// A space of a unit with its surfaces.
void deleteSpace(pf::db::Database &db, double project, double floor, double unit, double code,
                 const Step &step = {});
// One surface row, by its `No`.
void deleteSurface(pf::db::Database &db, qint64 no, const Step &step = {});

} // namespace bv::data::stores
