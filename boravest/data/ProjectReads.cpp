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

} // namespace bv::data
