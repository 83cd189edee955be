#pragma once
// Writes that touch several table files at once. Each store takes the
// database and the keys of what it changes, attaches every table file it
// writes, and does its whole write in one transaction: all of it is stored
// or none of it. Values are bound as parameters; no widget is involved.
//
// `withRecord`, when given, runs inside the same transaction after the
// store's own writes: the page posts the record it is editing there, so that
// the record and the rows that hang on it go in together.
#include "platform/db/Db.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>

namespace bv::data::stores {

using WithRecord = std::function<void()>;

// The table files each store writes.
const QStringList &projectNumberFiles(); // Bank1, bankvh, bankfz, bankjd, Tajhizat, TypMas
const QStringList &unitNumberFiles();    // bankvh, bankfz, bankjd
const QStringList &spaceFiles();         // bankfz, bankjd

// A project's number changes from `from` to `to`: its general data row, its
// floor-and-unit rows, spaces and surfaces (project and `Shsk`), its
// equipment record and its material layers move with it. Refused with a
// DbError, nothing written, when a project numbered `to` exists.
void changeProjectNumber(pf::db::Database &db, double from, double to, const WithRecord &withRecord = {});

// The key of a floor-and-unit row and of everything under it. `shsk` may be
// null (rows stored without it).
struct UnitKey {
    double project = 0;
    QVariant shsk;
    double floor = 0;
    double unit = 0;
};

// A floor-and-unit row's floor or unit number changes: the row, its spaces
// and their surfaces take the new numbers. Refused, nothing written, when
// another row of the project has the new numbers.
void changeUnitNumber(pf::db::Database &db, const UnitKey &from, double floor, double unit,
                      const WithRecord &withRecord = {});

// A space of a floor-and-unit row saved under the name list's `code`. When
// it was stored under another code (`oldCode`, a renamed space) the space
// row takes the new code and name and its surfaces follow; refused, nothing
// written, when the row already has a space of the new code. Then every
// surface of the space takes `surfaceTi`, the space's inside temperature.
struct SpaceSave {
    UnitKey unit;
    std::optional<double> oldCode; // empty for a new space
    double code = 0;
    QString name;
    double surfaceTi = 0;
};
void saveSpace(pf::db::Database &db, const SpaceSave &space, const WithRecord &withRecord = {});

} // namespace bv::data::stores
