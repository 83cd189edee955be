#include "boravest/sizing/SpaceSizing.h"

#include "boravest/data/ProgramState.h"
#include "boravest/data/ProjectReads.h"

#include "boravest/sizing/HeatLoad.h"
#include "boravest/data/CalcFields.h"
#include "platform/common/Numbers.h"

#include <QVariant>

#include <map>
#include <tuple>

namespace bv::sizing {

const char *const kHotWaterTempMessage = "دماي آبگرم رفت را مشخص كنيد";

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

    using Chain = data::ProjectChainRows;
    const Chain chain = data::readProjectChain(db, shproje);
    const Rows &units = chain.units;
    const Rows &spaces = chain.spaces;
    const Rows &surfaces = chain.surfaces;
    // The spaces of each unit and the surfaces of each space, in stored
    // order, found once: a large project has thousands of each.
    using UnitKey = std::tuple<double, double, double>;
    using SpaceKey = std::tuple<double, double, double, double>;
    const auto unitKey = [&](const QVector<QVariant> &r, int shsk, int tabage, int shvahed) {
        return UnitKey{num(r[shsk]), num(r[tabage]), num(r[shvahed])};
    };
    std::map<UnitKey, std::vector<const QVector<QVariant> *>> spacesOf;
    for (const auto &s : spaces)
        spacesOf[unitKey(s, Chain::FShsk, Chain::FTabage, Chain::FShvahed)].push_back(&s);
    std::map<SpaceKey, std::vector<const QVector<QVariant> *>> surfacesOf;
    for (const auto &j : surfaces)
        surfacesOf[std::tuple_cat(unitKey(j, Chain::JShsk, Chain::JTabage, Chain::JShvahed), std::tuple{num(j[Chain::JCodeFaza])})]
            .push_back(&j);
    static const std::vector<const QVector<QVariant> *> none;
    const auto rowsOf = [](const auto &groups, const auto &key) -> const std::vector<const QVector<QVariant> *> & {
        const auto it = groups.find(key);
        return it == groups.end() ? none : it->second;
    };

    std::vector<SizingUnit> out;
    for (const auto &u : units) {
        SizingUnit unit;
        unit.Shproje = shproje;
        unit.Tabage = num(u[Chain::UTabage]);
        unit.Shvahed = num(u[Chain::UShvahed]);
        unit.Sf = num(u[Chain::USf]);
        unit.Z_ertefa = num(u[Chain::UZ_ertefa]);
        const UnitKey key = unitKey(u, Chain::UShsk, Chain::UTabage, Chain::UShvahed);
        for (const QVector<QVariant> *sp : rowsOf(spacesOf, key)) {
            const QVector<QVariant> &s = *sp;
            SizingSpace space;
            space.No = s[Chain::FNo].toLongLong();
            space.Faza = s[Chain::FFaza].toString();
            space.row.Ti_ = num(s[Chain::FTi_]);
            space.row.To_ = num(s[Chain::FTo_]);
            space.row.A_ = num(s[Chain::FA_]);
            space.row.V_ = num(s[Chain::FV_]);
            space.row.Air_ = num(s[Chain::FAir_]);
            space.row.V_varm = num(s[Chain::FV_varm]);
            space.E_Rad = num(s[Chain::FE_Rad]);
            space.T_UH = num(s[Chain::FT_UH]);
            space.E_Kore = num(s[Chain::FE_Kore]);
            space.Te_Hav = num(s[Chain::FTe_Hav]);
            space.To_Mo_Hav = num(s[Chain::FTo_Mo_Hav]);
            for (const QVector<QVariant> *jp : rowsOf(surfacesOf, std::tuple_cat(key, std::tuple{num(s[Chain::FCodefaza])}))) {
                const QVector<QVariant> &j = *jp;
                building::SurfaceRow r;
                r.Jedare = j[Chain::JJedare].toString();
                r.Id_jedar = num(j[Chain::JId_jedar]);
                r.Id_njedar = whole(j[Chain::JId_njedar]);
                r.Id_gjedar = whole(j[Chain::JId_gjedar]);
                r.Masa1 = num(j[Chain::JMasa1]);
                r.Masa2 = num(j[Chain::JMasa2]);
                r.To_ = num(j[Chain::JTo_]);
                r.Ti_ = num(j[Chain::JTi_]);
                r.Z_1 = num(j[Chain::JZ_1]);
                r.Z_2 = num(j[Chain::JZ_2]);
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
    return pf::plainNumberText(roundX(v));
}

bool showable(double v) { return pf::showsAsTyped(roundX(v)); }

int whole(double v)
{
    return int(pf::roundToInt(v));
}

} // namespace perspace

} // namespace bv::sizing
