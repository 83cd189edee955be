#include "boravest/data/CollectorsStore.h"

#include "boravest/data/ProjectReads.h"
#include "platform/common/Numbers.h"

#include <vector>

namespace bv::data {

CollectorProject readCollectorUnits(pf::db::Database &db, double project)
{
    using Chain = ProjectChainRows;
    CollectorProject p;
    const auto site = db.select(
        QStringLiteral("SELECT Ga, Tg FROM %1 WHERE SHPROJE = ?").arg(db.attachTable(QStringLiteral("Bank1.DB"))),
        {project});
    if (!site.rows.isEmpty()) {
        p.site.Ga = site.rows[0][0].toDouble();
        p.site.Tg = site.rows[0][1].toDouble();
    }
    // Made from the project's chain, which is kept for a run: made again
    // rather than kept and copied.
    const auto rows = readProjectChain(db, project);
    const Chain &chain = *rows;
    const ChainRuns runs = matchChain(chain, KeyRule::Texts);
    const DetailRuns &spacesOf = runs.spacesOf;

    std::vector<building::SpaceRow> spaces;
    spaces.reserve(chain.spaces.size());
    for (size_t i = 0; i < chain.spaces.size(); ++i)
        spaces.push_back(spaceRowOf(chain, i, runs.surfacesOf));

    // A space goes to its unit's rows moved, copied only for a unit before
    // the last that lists it too.
    std::vector<int> uses(spaces.size(), 0);
    for (const auto &[first, last] : spacesOf.runs)
        for (int k = first; k < last; ++k)
            ++uses[size_t(spacesOf.order[size_t(k)])];
    p.units.reserve(chain.units.size());
    for (size_t i = 0; i < chain.units.size(); ++i) {
        const Chain::Unit &row = chain.units[i];
        CollectorUnitRow u;
        u.No = row.No;
        u.Shproje = project;
        u.Shsk = row.Shsk.number;
        u.unit.Tabage = row.Tabage.number;
        u.unit.Shvahed = row.Shvahed.number;
        u.unit.Sf = row.Sf.number;
        u.unit.Z_ertefa = row.Z_ertefa.number;
        u.T_Rz = int(pf::roundToInt(row.T_Rz.number));
        u.unit.spaces.reserve(size_t(spacesOf.runs[i].second - spacesOf.runs[i].first));
        for (int k = spacesOf.runs[i].first; k < spacesOf.runs[i].second; ++k) {
            const size_t at = size_t(spacesOf.order[size_t(k)]);
            if (--uses[at] == 0)
                u.unit.spaces.push_back(std::move(spaces[at]));
            else
                u.unit.spaces.push_back(spaces[at]);
        }
        p.units.push_back(std::move(u));
    }
    return p;
}

void storeCollectorResults(pf::db::Database &db, double project, const std::vector<CollectorStoreRow> &rows)
{
    const QString units = db.attachTable(QStringLiteral("bankvh.DB"));
    const QString sql =
        QStringLiteral("UPDATE %1 SET Q_Vahed = ?, GP = ?, Col = ?, \"Row\" = ? WHERE \"No\" = ? AND Shproje = ?").arg(units);
    db.transaction([&] {
        pf::db::Statement write(db, sql);
        for (const CollectorStoreRow &r : rows) {
            if (r.sized)
                write.exec({r.Q_Vahed, r.GP, double(r.Col), double(r.Row), r.No, project});
            else
                write.exec({QVariant(), QVariant(), QVariant(), QVariant(), r.No, project});
        }
    });
}

} // namespace bv::data
