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

// The number of one column's values among the key texts, the value met
// last in that column kept with it.
class ColumnKey {
public:
    explicit ColumnKey(KeyTexts &texts) : m_texts(texts) {}
    int operator()(const Chain::Value &v)
    {
        const quint64 bits = std::bit_cast<quint64>(v.number);
        if (m_id >= 0 && v.null == m_null && bits == m_bits)
            return m_id;
        m_id = m_texts(v);
        m_null = v.null;
        m_bits = bits;
        return m_id;
    }

private:
    KeyTexts &m_texts;
    quint64 m_bits = 0;
    bool m_null = false;
    int m_id = -1;
};

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
    // Each key field asked of its own column's last value first: a field
    // keeps its value over many rows running.
    ColumnKey shsk(key), tabage(key), shvahed(key), code(key);
    surfaceKeys.reserve(chain.surfaces.size());
    for (const Chain::Surface &row : chain.surfaces)
        surfaceKeys.push_back({shsk(row.Shsk), tabage(row.Tabage), shvahed(row.Shvahed), code(row.CodeFaza)});
    spaceUnits.reserve(chain.spaces.size());
    spaceKeys.reserve(chain.spaces.size());
    for (const Chain::Space &row : chain.spaces) {
        spaceUnits.push_back({shsk(row.Shsk), tabage(row.Tabage), shvahed(row.Shvahed)});
        spaceKeys.push_back({spaceUnits.back()[0], spaceUnits.back()[1], spaceUnits.back()[2], code(row.Codefaza)});
    }
    for (const Chain::Unit &row : chain.units)
        unitKeys.push_back({shsk(row.Shsk), tabage(row.Tabage), shvahed(row.Shvahed)});
    const DetailRuns<SpaceKey> surfacesOf(spaceKeys, surfaceKeys);
    const DetailRuns<UnitKey> spacesOf(unitKeys, spaceUnits);

    std::vector<building::SpaceRow> spaces;
    spaces.reserve(chain.spaces.size());
    for (size_t i = 0; i < chain.spaces.size(); ++i)
        spaces.push_back(spaceRowOf(chain, i, surfacesOf));

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

} // namespace

CollectorProject readCollectorUnits(pf::db::Database &db, double project)
{
    // Made from the project's chain, which is kept for a run: made again
    // rather than kept and copied.
    return readFromTables(db, project);
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
