#include "boravest/data/ProjectReads.h"

#include "platform/common/Numbers.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace bv::data {

namespace {

// The scopes alive, the newest first (all on the program's one thread).
ProjectReadScope *g_scopes = nullptr;

} // namespace

ProjectReadScope::ProjectReadScope(pf::db::Database &db) : m_db(&db), m_next(g_scopes)
{
    g_scopes = this;
}

ProjectReadScope::~ProjectReadScope()
{
    // Scopes end in the reverse order of their making.
    g_scopes = m_next;
}

namespace {

// Rows read in the order of an index put in the order of their row
// counters, which are unique: the order ORDER BY "No" gives, without the
// engine sorting every whole record first. They are read in the order of
// their floor, unit and space, the order they are mostly stored in, so that
// mostly nothing moves.
template <class Rows> void orderByNo(Rows &rows, const std::vector<qint64> &nos)
{
    if (std::is_sorted(nos.begin(), nos.end()))
        return;
    std::vector<std::pair<qint64, int>> order(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        order[i] = {nos[i], int(i)};
    std::sort(order.begin(), order.end());
    Rows sorted;
    for (const auto &[no, i] : order)
        sorted.push_back(std::move(rows[size_t(i)]));
    rows = std::move(sorted);
}

} // namespace

ProjectReadScope *ProjectReadScope::active(const pf::db::Database &db)
{
    ProjectReadScope *found = nullptr;
    for (ProjectReadScope *s = g_scopes; s; s = s->m_next)
        if (s->m_db == &db)
            found = s;
    return found;
}

std::shared_ptr<const ProjectChainRows> readProjectChain(pf::db::Database &db, double project)
{
    return cachedRead(db, "project chain", project, [&] {
        auto rows = std::make_shared<ProjectChainRows>();
        ProjectChainRows &r = *rows;
        // The three levels read under one lock.
        const pf::db::ReadScope walk(&db);
        const QString units = db.attachTable(QStringLiteral("bankvh.DB"));
        const QString spaces = db.attachTable(QStringLiteral("bankfz.DB"));
        const QString surfaces = db.attachTable(QStringLiteral("bankjd.DB"));
        using Value = ProjectChainRows::Value;
        // Texts that rows repeat are read once and shared.
        pf::db::SeenTexts names, kinds;
        // The lists grow with this project's rows alone.
        std::vector<qint64> nos;
        auto value = [](const pf::db::RowReader &row, int c) {
            double v = 0;
            const bool number = row.number(c, &v);
            return Value{number ? v : 0, !number && row.isNull(c)};
        };
        db.forEachRow(QStringLiteral("SELECT \"No\", Shproje, Shsk, Tabage, Shvahed, Sf, Z_ertefa, T_Rz FROM %1 "
                                     "WHERE Shproje = ? ORDER BY Tabage, \"No\"")
                          .arg(units),
                      {project}, [&](const pf::db::RowReader &row) {
                          r.units.push_back({row.whole(0), value(row, 1), value(row, 2), value(row, 3),
                                             value(row, 4), value(row, 5), value(row, 6), value(row, 7)});
                      });
        db.forEachRow(QStringLiteral("SELECT \"No\", Shproje, Shsk, Tabage, Shvahed, Codefaza, Faza, Ti_, To_, A_, "
                                     "V_, Air_, V_varm, E_Rad, T_UH, E_Kore, Te_Hav, To_Mo_Hav FROM %1 "
                                     "WHERE Shproje = ? ORDER BY Shsk, Tabage, Shvahed, Codefaza, \"No\"")
                          .arg(spaces),
                      {project}, [&](const pf::db::RowReader &row) {
                          ProjectChainRows::Space s;
                          s.No = row.whole(0);
                          nos.push_back(s.No);
                          s.Shproje = value(row, 1);
                          s.Shsk = value(row, 2);
                          s.Tabage = value(row, 3);
                          s.Shvahed = value(row, 4);
                          s.Codefaza = value(row, 5);
                          s.Faza = row.text(6, names);
                          Value *rest[] = {&s.Ti_, &s.To_, &s.A_, &s.V_, &s.Air_, &s.V_varm,
                                           &s.E_Rad, &s.T_UH, &s.E_Kore, &s.Te_Hav, &s.To_Mo_Hav};
                          for (int i = 0; i < 11; ++i)
                              *rest[i] = value(row, 7 + i);
                          r.spaces.push_back(std::move(s));
                      });
        orderByNo(r.spaces, nos);
        nos.clear();
        db.forEachRow(QStringLiteral("SELECT Shproje, Shsk, Tabage, Shvahed, CodeFaza, Jedare, Id_jedar, "
                                     "Id_njedar, Id_gjedar, Masa1, Masa2, To_, Ti_, Z_1, Z_2, \"No\" FROM %1 "
                                     "WHERE Shproje = ? ORDER BY Shsk, Tabage, Shvahed, CodeFaza, \"No\"")
                          .arg(surfaces),
                      {project}, [&](const pf::db::RowReader &row) {
                          ProjectChainRows::Surface s;
                          s.Shproje = value(row, 0);
                          s.Shsk = value(row, 1);
                          s.Tabage = value(row, 2);
                          s.Shvahed = value(row, 3);
                          s.CodeFaza = value(row, 4);
                          s.Jedare = row.text(5, kinds);
                          Value *rest[] = {&s.Id_jedar, &s.Id_njedar, &s.Id_gjedar, &s.Masa1, &s.Masa2,
                                           &s.To_,      &s.Ti_,       &s.Z_1,       &s.Z_2};
                          for (int i = 0; i < 9; ++i)
                              *rest[i] = value(row, 6 + i);
                          r.surfaces.push_back(std::move(s));
                          nos.push_back(row.whole(15));
                      });
        orderByNo(r.surfaces, nos);
        return std::shared_ptr<const ProjectChainRows>(std::move(rows));
    });
}

building::SurfaceRow surfaceRowOf(const ProjectChainRows::Surface &r)
{
    const auto whole = [](const ProjectChainRows::Value &v) { return int(pf::roundToInt(v.number)); };
    building::SurfaceRow s;
    s.Jedare = r.Jedare;
    s.Id_jedar = r.Id_jedar.number;
    s.Id_njedar = whole(r.Id_njedar);
    s.Id_gjedar = whole(r.Id_gjedar);
    s.Masa1 = r.Masa1.number;
    s.Masa2 = r.Masa2.number;
    s.To_ = r.To_.number;
    s.Ti_ = r.Ti_.number;
    s.Z_1 = r.Z_1.number;
    s.Z_2 = r.Z_2.number;
    return s;
}

building::SpaceRow spaceRowOf(const ProjectChainRows &chain, size_t space, const DetailRuns &surfacesOf)
{
    building::SpaceRow s = spaceRowOf(chain.spaces[space]);
    const auto [first, last] = surfacesOf.runs[space];
    s.surfaces.reserve(size_t(last - first));
    for (int k = first; k < last; ++k)
        s.surfaces.push_back(surfaceRowOf(chain.surfaces[size_t(surfacesOf.order[size_t(k)])]));
    return s;
}

std::array<KeyValue, 4> keyOf(const ProjectChainRows::Unit &u) { return {u.Shproje, u.Shsk, u.Tabage, u.Shvahed}; }

std::array<KeyValue, 4> unitKeyOf(const ProjectChainRows::Space &s)
{
    return {s.Shproje, s.Shsk, s.Tabage, s.Shvahed};
}

std::array<KeyValue, 5> keyOf(const ProjectChainRows::Space &s)
{
    return {s.Shproje, s.Shsk, s.Tabage, s.Shvahed, s.Codefaza};
}

std::array<KeyValue, 5> keyOf(const ProjectChainRows::Surface &s)
{
    return {s.Shproje, s.Shsk, s.Tabage, s.Shvahed, s.CodeFaza};
}

ChainRuns matchChain(const ProjectChainRows &chain, KeyRule rule)
{
    using Chain = ProjectChainRows;
    ChainRuns r;
    r.spacesOf = matchDetails<4>(
        rule, chain.units, [](const Chain::Unit &u) { return keyOf(u); }, chain.spaces,
        [](const Chain::Space &s) { return unitKeyOf(s); });
    r.surfacesOf = matchDetails<5>(
        rule, chain.spaces, [](const Chain::Space &s) { return keyOf(s); }, chain.surfaces,
        [](const Chain::Surface &s) { return keyOf(s); });
    return r;
}

building::SpaceRow spaceRowOf(const ProjectChainRows::Space &r)
{
    building::SpaceRow s;
    s.Ti_ = r.Ti_.number;
    s.To_ = r.To_.number;
    s.A_ = r.A_.number;
    s.V_ = r.V_.number;
    s.Air_ = r.Air_.number;
    s.V_varm = r.V_varm.number;
    return s;
}

} // namespace bv::data
