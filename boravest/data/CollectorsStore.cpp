#include "boravest/data/CollectorsStore.h"

#include "boravest/data/ProjectReads.h"
#include "platform/common/Numbers.h"

#include <QHash>

#include <bit>
#include <map>
#include <tuple>

namespace bv::data {

namespace {

using Chain = ProjectChainRows;

// Rows are matched on their key fields as text (a null field is an empty
// text, never 0). Each distinct text gets a number once, so that a large
// project's rows are grouped without formatting every key of every row.
class KeyTexts {
public:
    int operator()(const QVariant &v)
    {
        if (v.isNull())
            return idOf(QString());
        const double d = v.toDouble();
        const quint64 bits = std::bit_cast<quint64>(d);
        const auto it = m_byValue.constFind(bits);
        if (it != m_byValue.constEnd())
            return *it;
        const int id = idOf(pf::floatToStr(d));
        m_byValue.insert(bits, id);
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
};

int whole(const QVariant &v)
{
    return int(pf::roundToInt(v.toDouble()));
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
    const Chain chain = readProjectChain(db, project);

    // Surfaces by space, spaces by unit.
    KeyTexts key;
    using UnitKey = std::tuple<int, int, int>;
    using SpaceKey = std::tuple<int, int, int, int>;
    std::map<SpaceKey, std::vector<building::SurfaceRow>> surfacesOf;
    for (const auto &row : chain.surfaces) {
        building::SurfaceRow s;
        s.Jedare = row[Chain::JJedare].toString();
        s.Id_jedar = row[Chain::JId_jedar].toDouble();
        s.Id_njedar = whole(row[Chain::JId_njedar]);
        s.Id_gjedar = whole(row[Chain::JId_gjedar]);
        s.Masa1 = row[Chain::JMasa1].toDouble();
        s.Masa2 = row[Chain::JMasa2].toDouble();
        s.To_ = row[Chain::JTo_].toDouble();
        s.Ti_ = row[Chain::JTi_].toDouble();
        s.Z_1 = row[Chain::JZ_1].toDouble();
        s.Z_2 = row[Chain::JZ_2].toDouble();
        surfacesOf[{key(row[Chain::JShsk]), key(row[Chain::JTabage]), key(row[Chain::JShvahed]),
                    key(row[Chain::JCodeFaza])}]
            .push_back(s);
    }

    std::map<UnitKey, std::vector<building::SpaceRow>> spacesOf;
    for (const auto &row : chain.spaces) {
        building::SpaceRow s;
        s.Ti_ = row[Chain::FTi_].toDouble();
        s.To_ = row[Chain::FTo_].toDouble();
        s.A_ = row[Chain::FA_].toDouble();
        s.V_ = row[Chain::FV_].toDouble();
        s.Air_ = row[Chain::FAir_].toDouble();
        s.V_varm = row[Chain::FV_varm].toDouble();
        const UnitKey unit{key(row[Chain::FShsk]), key(row[Chain::FTabage]), key(row[Chain::FShvahed])};
        const auto it = surfacesOf.find(std::tuple_cat(unit, std::tuple{key(row[Chain::FCodefaza])}));
        if (it != surfacesOf.end())
            s.surfaces = it->second;
        spacesOf[unit].push_back(std::move(s));
    }

    for (const auto &row : chain.units) {
        CollectorUnitRow u;
        u.No = row[Chain::UNo].toLongLong();
        u.Shproje = project;
        u.Shsk = row[Chain::UShsk].toDouble();
        u.unit.Tabage = row[Chain::UTabage].toDouble();
        u.unit.Shvahed = row[Chain::UShvahed].toDouble();
        u.unit.Sf = row[Chain::USf].toDouble();
        u.unit.Z_ertefa = row[Chain::UZ_ertefa].toDouble();
        u.T_Rz = whole(row[Chain::UT_Rz]);
        const auto it = spacesOf.find({key(row[Chain::UShsk]), key(row[Chain::UTabage]), key(row[Chain::UShvahed])});
        if (it != spacesOf.end())
            u.unit.spaces = it->second;
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
