#include "boravest/equipment/SpaceSizing.h"

#include "boravest/data/ProgramState.h"
#include "boravest/data/ProjectReads.h"

#include "boravest/building/HeatLoad.h"
#include "boravest/data/CalcFields.h"
#include "platform/common/Numbers.h"

#include <QVariant>

#include <map>
#include <tuple>

namespace bv::equipment {

SpacePlace placeOf(const SizingUnit &unit, const SizingSpace &space)
{
    SpacePlace p;
    p.No = space.No;
    p.Shproje = unit.Shproje;
    p.Tabage = unit.Tabage;
    p.NameT = calcfields::floorName(unit.Tabage);
    p.Shvahed = unit.Shvahed;
    p.Faza = space.Faza;
    p.Ti_ = space.row.Ti_;
    return p;
}

namespace {

std::vector<SizingUnit> readSizingUnits(pf::db::Database &db, double shproje)
{
    using Rows = QVector<QVector<QVariant>>;
    const auto num = [](const QVariant &v) { return v.toDouble(); };
    const auto whole = [](const QVariant &v) { return int(pf::roundToInt(v.toDouble())); };

    const Rows units = db.select(QStringLiteral("select Shsk, Tabage, Shvahed, Sf, Z_ertefa from bankvh "
                                                "where Shproje = ? order by Tabage, No"),
                                 {shproje})
                           .rows;
    const Rows spaces = db.select(QStringLiteral("select Shsk, Tabage, Shvahed, No, Faza, Codefaza, Ti_, To_, A_, V_, "
                                                 "Air_, V_varm, E_Rad, T_UH, E_Kore, Te_Hav, To_Mo_Hav from bankfz "
                                                 "where Shproje = ? order by No"),
                                  {shproje})
                            .rows;
    const Rows surfaces = db.select(QStringLiteral("select Shsk, Tabage, Shvahed, CodeFaza, Jedare, Id_jedar, Id_njedar, "
                                                   "Id_gjedar, Masa1, Masa2, To_, Ti_, Z_1, Z_2 from bankjd "
                                                   "where Shproje = ? order by No"),
                                    {shproje})
                              .rows;
    // The spaces of each unit and the surfaces of each space, in stored
    // order, found once: a large project has thousands of each.
    using UnitKey = std::tuple<double, double, double>;
    using SpaceKey = std::tuple<double, double, double, double>;
    const auto unitKey = [&](const QVector<QVariant> &r) { return UnitKey{num(r[0]), num(r[1]), num(r[2])}; };
    std::map<UnitKey, std::vector<const QVector<QVariant> *>> spacesOf;
    for (const auto &s : spaces)
        spacesOf[unitKey(s)].push_back(&s);
    std::map<SpaceKey, std::vector<const QVector<QVariant> *>> surfacesOf;
    for (const auto &j : surfaces)
        surfacesOf[std::tuple_cat(unitKey(j), std::tuple{num(j[3])})].push_back(&j);
    static const std::vector<const QVector<QVariant> *> none;
    const auto rowsOf = [](const auto &groups, const auto &key) -> const std::vector<const QVector<QVariant> *> & {
        const auto it = groups.find(key);
        return it == groups.end() ? none : it->second;
    };

    std::vector<SizingUnit> out;
    for (const auto &u : units) {
        SizingUnit unit;
        unit.Shproje = shproje;
        unit.Tabage = num(u[1]);
        unit.Shvahed = num(u[2]);
        unit.Sf = num(u[3]);
        unit.Z_ertefa = num(u[4]);
        for (const QVector<QVariant> *sp : rowsOf(spacesOf, unitKey(u))) {
            const QVector<QVariant> &s = *sp;
            SizingSpace space;
            space.No = s[3].toLongLong();
            space.Faza = s[4].toString();
            space.row.Ti_ = num(s[6]);
            space.row.To_ = num(s[7]);
            space.row.A_ = num(s[8]);
            space.row.V_ = num(s[9]);
            space.row.Air_ = num(s[10]);
            space.row.V_varm = num(s[11]);
            space.E_Rad = num(s[12]);
            space.T_UH = num(s[13]);
            space.E_Kore = num(s[14]);
            space.Te_Hav = num(s[15]);
            space.To_Mo_Hav = num(s[16]);
            for (const QVector<QVariant> *jp : rowsOf(surfacesOf, std::tuple_cat(unitKey(u), std::tuple{num(s[5])}))) {
                const QVector<QVariant> &j = *jp;
                building::SurfaceRow r;
                r.Jedare = j[4].toString();
                r.Id_jedar = num(j[5]);
                r.Id_njedar = whole(j[6]);
                r.Id_gjedar = whole(j[7]);
                r.Masa1 = num(j[8]);
                r.Masa2 = num(j[9]);
                r.To_ = num(j[10]);
                r.Ti_ = num(j[11]);
                r.Z_1 = num(j[12]);
                r.Z_2 = num(j[13]);
                space.row.surfaces.push_back(r);
            }
            unit.spaces.push_back(std::move(space));
        }
        out.push_back(std::move(unit));
    }
    return out;
}

} // namespace

std::vector<SizingUnit> loadSizingUnits(pf::db::Database &db, double shproje)
{
    return data::cachedRead(db, "sizing units", shproje, [&] { return readSizingUnits(db, shproje); });
}

namespace perspace {

double spaceLoad(const SizingUnit &unit, const SizingSpace &space, const building::SiteData &site)
{
    return building::evaluateSpace(space.row, unit.Sf, unit.Z_ertefa, site, building::spaceSizingOptions()).Qs;
}

double roundX(double v)
{
    return ::RoundX(v);
}

QString roundXText(double v)
{
    return pf::floatToStr(roundX(v));
}

int whole(double v)
{
    return int(pf::roundToInt(v));
}

} // namespace perspace

} // namespace bv::equipment
