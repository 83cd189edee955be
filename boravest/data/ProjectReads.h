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
#include "platform/db/Db.h"

#include <QVariant>
#include <QVector>

#include <any>
#include <map>
#include <string>
#include <utility>

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
// the engine gives them (null where nothing is stored), for the readers of
// the building chain to group as each of them does. Inside a scope they are
// read once for all of them.
struct ProjectChainRows {
    using Rows = QVector<QVector<QVariant>>;
    // bankvh.DB, by floor, then by row counter.
    enum Unit { UNo, UShproje, UShsk, UTabage, UShvahed, USf, UZ_ertefa, UT_Rz };
    Rows units;
    // bankfz.DB, by row counter.
    enum Space { FNo, FShproje, FShsk, FTabage, FShvahed, FCodefaza, FFaza, FTi_, FTo_, FA_, FV_, FAir_, FV_varm,
                 FE_Rad, FT_UH, FE_Kore, FTe_Hav, FTo_Mo_Hav };
    Rows spaces;
    // bankjd.DB, by row counter.
    enum Surface { JShproje, JShsk, JTabage, JShvahed, JCodeFaza, JJedare, JId_jedar, JId_njedar, JId_gjedar, JMasa1,
                   JMasa2, JTo_, JTi_, JZ_1, JZ_2 };
    Rows surfaces;
};

// The rows of project `project` (its `Shproje`). A database error is thrown
// as pf::db::DbError.
ProjectChainRows readProjectChain(pf::db::Database &db, double project);

} // namespace bv::data
