#pragma once
// Calculated fields of the data module: the words and factors shown beside
// the stored codes of floors, spaces and surfaces. Pure functions of the
// field values, so the data module, the heating-load booklet and the tests
// all read the same rules.
#include "boravest/data/BuildingRows.h"

#include <QString>

namespace calcfields {

// Persian floor name (`NameT`): -5..50 by word ("همكف" for the ground
// floor, ordinals above it, "منهاي" and the cardinal below it; compound
// ordinals carry a zero-width non-joiner before "و"). The number is taken
// as a whole number (ties to even); outside -5..50 the stored value's text.
QString floorName(double tabage);

// Extract-fan mark of a space (`Star`): "*" when `E_hav` as a whole number
// is above 0 or the space has fans (`Te_Hav` above 0), else one blank.
QString extractFanMark(double eHav, double teHav = 0);

// Direction code the load rules use (`Dv_gJedar`): the stored code as is.
int directionCode(int idGjedar);

// State word (`Nnjedar`): internal / external, or for a floor (kind 4)
// on / off the ground; any other state gives an empty text.
QString stateWord(double idJedar, int idNjedar);

// Direction or ceiling word (`Ngjedar`) of a direction code: for the kind
// word "سقف" 0 normal, 1 false ceiling; for every other kind the eight
// compass words. Codes out of range give an empty text.
QString directionWord(const QString &jedare, int code);

// Area in use (`Mmasa`), whole sq.ft: the false ceiling's `Masa2` for a
// roof with code 1, else `Masa1`; rounded, ties to even.
int areaInUse(const QString &jedare, int idGjedar, double masa1, double masa2);

// U-value in use (`Z_z`): `Z_2` for a roof with a false ceiling, else `Z_1`.
double uInUse(const QString &jedare, int idGjedar, double z1, double z2);

// Orientation factor (`ZaribJ`): external walls facing north or east 1.10,
// west 1.05; every other direction and every other surface 1.00.
double orientationFactor(const QString &jedare, int idNjedar, int dvGJedar);

// All calculated fields of one surface row at once.
struct SurfaceFields {
    int Dv_gJedar = 0;
    QString Nnjedar;
    QString Ngjedar;
    int Mmasa = 0;
    double Z_z = 0;
    double ZaribJ = 1.0;
};
SurfaceFields surfaceFields(const building::SurfaceRow &row);

} // namespace calcfields
