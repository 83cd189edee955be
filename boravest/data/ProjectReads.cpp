#include "boravest/data/ProjectReads.h"

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

ProjectReadScope *ProjectReadScope::active(const pf::db::Database &db)
{
    ProjectReadScope *found = nullptr;
    for (ProjectReadScope *s = g_scopes; s; s = s->m_next)
        if (s->m_db == &db)
            found = s;
    return found;
}

ProjectChainRows readProjectChain(pf::db::Database &db, double project)
{
    return cachedRead(db, "project chain", project, [&] {
        ProjectChainRows r;
        // The three levels read under one lock.
        const pf::db::ReadScope walk(&db);
        const QString units = db.attachTable(QStringLiteral("bankvh.DB"));
        const QString spaces = db.attachTable(QStringLiteral("bankfz.DB"));
        const QString surfaces = db.attachTable(QStringLiteral("bankjd.DB"));
        r.units = db.select(QStringLiteral("SELECT \"No\", Shproje, Shsk, Tabage, Shvahed, Sf, Z_ertefa, T_Rz FROM %1 "
                                           "WHERE Shproje = ? ORDER BY Tabage, \"No\"")
                                .arg(units),
                            {project})
                      .rows;
        r.spaces = db.select(QStringLiteral("SELECT \"No\", Shproje, Shsk, Tabage, Shvahed, Codefaza, Faza, Ti_, To_, A_, "
                                            "V_, Air_, V_varm, E_Rad, T_UH, E_Kore, Te_Hav, To_Mo_Hav FROM %1 "
                                            "WHERE Shproje = ? ORDER BY \"No\"")
                                 .arg(spaces),
                             {project})
                       .rows;
        r.surfaces = db.select(QStringLiteral("SELECT Shproje, Shsk, Tabage, Shvahed, CodeFaza, Jedare, Id_jedar, "
                                              "Id_njedar, Id_gjedar, Masa1, Masa2, To_, Ti_, Z_1, Z_2 FROM %1 "
                                              "WHERE Shproje = ? ORDER BY \"No\"")
                                   .arg(surfaces),
                               {project})
                         .rows;
        return r;
    });
}

} // namespace bv::data
