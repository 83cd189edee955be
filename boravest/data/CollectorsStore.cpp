#include "boravest/data/CollectorsStore.h"

#include "boravest/data/ProjectReads.h"
#include "platform/common/Numbers.h"

#include <QHash>

#include <bit>
#include <array>
#include <vector>

namespace bv::data {

namespace {

using Chain = ProjectChainRows;

// Rows are matched on their key fields as text (a null field is an empty
// text, never 0). Each distinct text gets a number once, so that a large
// project's rows are grouped without formatting every key of every row.
class KeyTexts {
public:
    int operator()(const Chain::Value &v)
    {
        if (v.null)
            return idOf(QString());
        const quint64 bits = std::bit_cast<quint64>(v.number);
        if (bits == m_lastBits && m_last >= 0)
            return m_last;
        const auto it = m_byValue.constFind(bits);
        int id;
        if (it != m_byValue.constEnd()) {
            id = *it;
        } else {
            id = idOf(pf::floatToStr(v.number));
            m_byValue.insert(bits, id);
        }
        m_lastBits = bits;
        m_last = id;
        return id;
    }

private:
    int idOf(const QString &text)
    {
        const auto it = m_byText.constFind(text);
        if (it != m_byText.constEnd())
            return *it;
        const int id = int(m_byText.size());
        m_byText.insert(text, id);
        return id;
    }
    QHash<quint64, int> m_byValue;
    QHash<QString, int> m_byText;
    quint64 m_lastBits = 0;
    int m_last = -1;
};

int whole(const Chain::Value &v)
{
    return int(pf::roundToInt(v.number));
}

CollectorProject readFromTables(pf::db::Database &db, double project)
{
    CollectorProject p;
    const auto site = db.select(
        QStringLiteral("SELECT Ga, Tg FROM %1 WHERE SHPROJE = ?").arg(db.attachTable(QStringLiteral("Bank1.DB"))),
        {project});
    if (!site.rows.isEmpty()) {
        p.site.Ga = site.rows[0][0].toDouble();
        p.site.Tg = site.rows[0][1].toDouble();
    }
    const auto rows = readProjectChain(db, project);
    const Chain &chain = *rows;

    // Surfaces by space, spaces by unit.
    KeyTexts key;
    using UnitKey = std::array<int, 3>;
    using SpaceKey = std::array<int, 4>;
    std::vector<SpaceKey> surfaceKeys, spaceKeys;
    std::vector<UnitKey> spaceUnits, unitKeys;
    for (const Chain::Surface &row : chain.surfaces)
        surfaceKeys.push_back({key(row.Shsk), key(row.Tabage), key(row.Shvahed), key(row.CodeFaza)});
    for (const Chain::Space &row : chain.spaces) {
        spaceUnits.push_back({key(row.Shsk), key(row.Tabage), key(row.Shvahed)});
        spaceKeys.push_back({spaceUnits.back()[0], spaceUnits.back()[1], spaceUnits.back()[2], key(row.Codefaza)});
    }
    for (const Chain::Unit &row : chain.units)
        unitKeys.push_back({key(row.Shsk), key(row.Tabage), key(row.Shvahed)});
    const DetailRuns<SpaceKey> surfacesOf(spaceKeys, surfaceKeys);
    const DetailRuns<UnitKey> spacesOf(unitKeys, spaceUnits);

    std::vector<building::SpaceRow> spaces;
    spaces.reserve(chain.spaces.size());
    for (size_t i = 0; i < chain.spaces.size(); ++i) {
        const Chain::Space &row = chain.spaces[i];
        building::SpaceRow s;
        s.Ti_ = row.Ti_.number;
        s.To_ = row.To_.number;
        s.A_ = row.A_.number;
        s.V_ = row.V_.number;
        s.Air_ = row.Air_.number;
        s.V_varm = row.V_varm.number;
        for (int k = surfacesOf.runs[i].first; k < surfacesOf.runs[i].second; ++k) {
            const Chain::Surface &j = chain.surfaces[size_t(surfacesOf.order[size_t(k)])];
            building::SurfaceRow r;
            r.Jedare = j.Jedare;
            r.Id_jedar = j.Id_jedar.number;
            r.Id_njedar = whole(j.Id_njedar);
            r.Id_gjedar = whole(j.Id_gjedar);
            r.Masa1 = j.Masa1.number;
            r.Masa2 = j.Masa2.number;
            r.To_ = j.To_.number;
            r.Ti_ = j.Ti_.number;
            r.Z_1 = j.Z_1.number;
            r.Z_2 = j.Z_2.number;
            s.surfaces.push_back(r);
        }
        spaces.push_back(std::move(s));
    }

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
        u.T_Rz = whole(row.T_Rz);
        for (int k = spacesOf.runs[i].first; k < spacesOf.runs[i].second; ++k)
            u.unit.spaces.push_back(spaces[size_t(spacesOf.order[size_t(k)])]);
        p.units.push_back(std::move(u));
    }
    return p;
}

} // namespace

CollectorProject readCollectorUnits(pf::db::Database &db, double project)
{
    return cachedRead(db, "collector units", project, [&] { return readFromTables(db, project); });
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
