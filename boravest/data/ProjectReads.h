#pragma once
// Reads of a project's building chain (its floors, units, spaces and
// surfaces) kept for the length of one run of several operations, the
// equipment booklet's build, so that a large project is read from the
// table files once per build rather than once per sizing.
//
// A `ProjectReadScope` is held by whoever runs the operations, for exactly
// as long as they run. While one is alive for a database, `cachedRead` gives
// what the first read of a kind for a project gave; outside every scope it
// reads each time. Nothing is kept once the scope ends, so a change made
// after a run is seen by the next one. The operations run inside a scope
// must write nothing the kept reads hold (the booklet's operations write
// only their results: loads, sizes, models, counts).
#include "boravest/data/BuildingRows.h"
#include "boravest/data/MasterDetail.h"
#include "platform/db/Db.h"

#include <QString>

#include <any>
#include <array>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace bv::data {

class ProjectReadScope {
public:
    explicit ProjectReadScope(pf::db::Database &db);
    ~ProjectReadScope();
    ProjectReadScope(const ProjectReadScope &) = delete;
    ProjectReadScope &operator=(const ProjectReadScope &) = delete;

    // The scope alive for `db` (the outermost when scopes nest), or null.
    static ProjectReadScope *active(const pf::db::Database &db);

    // The value kept under (kind, project), or null.
    template <class T> const T *find(const std::string &kind, double project) const
    {
        const auto it = m_values.find({kind, project});
        return it == m_values.end() ? nullptr : std::any_cast<T>(&it->second);
    }
    template <class T> const T &keep(const std::string &kind, double project, T value)
    {
        std::any &slot = m_values[{kind, project}];
        slot = std::move(value);
        return *std::any_cast<T>(&slot);
    }

private:
    pf::db::Database *m_db;
    ProjectReadScope *m_next; // the scope made before this one
    std::map<std::pair<std::string, double>, std::any> m_values;
};

// What `read()` gives for `project`: inside a scope of `db` read once and
// then copied from what was kept, outside any scope read every time. A read
// that fails keeps nothing.
template <class Read>
auto cachedRead(pf::db::Database &db, const std::string &kind, double project, Read read) -> decltype(read())
{
    using T = decltype(read());
    ProjectReadScope *scope = ProjectReadScope::active(db);
    if (!scope)
        return read();
    if (const T *kept = scope->find<T>(kind, project))
        return *kept;
    return scope->keep<T>(kind, project, read());
}

// The stored floor-and-unit rows, spaces and surfaces of one project, as
// plain values (a number field as a number, 0 when nothing or no number is
// stored, and whether it is null), for the readers of the building chain to
// group as each of them does. Inside a scope they are read once for all of
// them.
struct ProjectChainRows {
    using Value = KeyValue;
    // bankvh.DB, by floor, then by row counter.
    struct Unit {
        qint64 No = 0;
        Value Shproje, Shsk, Tabage, Shvahed, Sf, Z_ertefa, T_Rz;
    };
    // bankfz.DB, by row counter.
    struct Space {
        qint64 No = 0;
        Value Shproje, Shsk, Tabage, Shvahed, Codefaza;
        QString Faza;
        Value Ti_, To_, A_, V_, Air_, V_varm, E_Rad, T_UH, E_Kore, Te_Hav, To_Mo_Hav;
    };
    // bankjd.DB, by row counter.
    struct Surface {
        Value Shproje, Shsk, Tabage, Shvahed, CodeFaza;
        QString Jedare;
        Value Id_jedar, Id_njedar, Id_gjedar, Masa1, Masa2, To_, Ti_, Z_1, Z_2;
    };
    // The many spaces and surfaces in small pieces: a list in one piece, of
    // a large project's size, is mapped from the system afresh for every
    // read and taken in page by page.
    std::vector<Unit> units;
    std::deque<Space> spaces;
    std::deque<Surface> surfaces;
};

// A stored surface and a stored space (without its surfaces) as the heat
// load takes them.
building::SurfaceRow surfaceRowOf(const ProjectChainRows::Surface &r);
building::SpaceRow spaceRowOf(const ProjectChainRows::Space &r);

// Space `space` of the chain with its surfaces, as `surfacesOf` (the
// surfaces matched to the spaces) finds them.
building::SpaceRow spaceRowOf(const ProjectChainRows &chain, size_t space, const DetailRuns &surfacesOf);

// The keys of the chain's rows (MasterDetail.h): a floor-and-unit row's, a
// space's unit, a space's own and a surface's space.
std::array<KeyValue, 4> keyOf(const ProjectChainRows::Unit &u);
std::array<KeyValue, 4> unitKeyOf(const ProjectChainRows::Space &s);
std::array<KeyValue, 5> keyOf(const ProjectChainRows::Space &s);
std::array<KeyValue, 5> keyOf(const ProjectChainRows::Surface &s);

// The chain's spaces matched to its floor-and-unit rows and its surfaces to
// its spaces, by `rule`.
struct ChainRuns {
    DetailRuns spacesOf;   // by unit row
    DetailRuns surfacesOf; // by space
};
ChainRuns matchChain(const ProjectChainRows &chain, KeyRule rule);

// The rows of project `project` (its `Shproje`), shared by the readers of
// one run rather than copied for each. A database error is thrown as
// pf::db::DbError.
std::shared_ptr<const ProjectChainRows> readProjectChain(pf::db::Database &db, double project);

} // namespace bv::data
