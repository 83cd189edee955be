// Opening the database and walking a large project through the
// master/detail chain: 50 floors x 4 units x 10 spaces x 6 surfaces.
// BM_WalkFloor does the same reads (every stored column as text, the same
// calculated and looked-up values) through plain prepared SQLite statements:
// the floor the dataset layer is measured against. Each times one function
// of its own (timedWalkChain, timedWalkFloor), for an instruction count.
#include "boravest/data/CalcFields.h"
#include "boravest/data/TableSchemas.h"
#include "boravest/data/UnitDm.h"
#include "platform/common/Numbers.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

struct Project {
    QTemporaryDir dir;
    Project()
    {
        pf::db::Session::addPassword(QStringLiteral("38617"));
        schema::createDataFolder(dir.path());
        pf::db::Database db;
        db.setDirectory(dir.path());
        db.open();
        db.transaction([&] {
            db.exec(QStringLiteral("insert into Bank1 (SHPROJE, NAME, SHAHR) values (1, 'big', 'tehran')"));
            for (int f = 0; f < 50; ++f)
                for (int u = 1; u <= 4; ++u) {
                    db.exec(QStringLiteral("insert into bankvh (Shproje,Shsk,Tabage,Shvahed,Ertefa,Sf) values (1,1,?,?,10,10)"),
                            {f, u});
                    for (int s = 1; s <= 10; ++s) {
                        db.exec(QStringLiteral("insert into bankfz (Shproje,Shsk,Tabage,Shvahed,Faza,Codefaza,A_,Ti_) "
                                               "values (1,1,?,?,'room',?,120,70)"),
                                {f, u, s});
                        for (int k = 0; k < 6; ++k)
                            db.exec(QStringLiteral("insert into bankjd (Shproje,Shsk,Tabage,Shvahed,CodeFaza,Jedare,"
                                                   "Id_jedar,Id_njedar,Id_gjedar,Masa1,Z_1,To_,Ti_) "
                                                   "values (1,1,?,?,?,'ديوار',0,1,?,100,0.3,10,70)"),
                                    {f, u, s, k % 8});
                    }
                }
        });
    }
};

Project &project()
{
    static Project p;
    return p;
}

[[gnu::noinline]] double timedWalkChain(TDM1 &dm, const QString &folder, int64_t &fields)
{
    // Closed after the walk, as the floor's connection is.
    struct Close {
        TDM1 &dm;
        ~Close() { dm.Database1->close(); }
    } close{dm};
    dm.Database1->setDirectory(folder);
    dm.Database1->open();
    dm.Table1->open();
    dm.Table3->open();
    dm.Table4->open();
    dm.Table5->open();
    // The walk reads in one read transaction, as the program's walks do.
    const pf::db::ReadScope walk(dm.Database1);
    double sum = 0;
    for (dm.Table3->first(); !dm.Table3->eof(); dm.Table3->next()) {
        for (int i = 0; i < dm.Table3->fieldCount(); ++i, ++fields)
            sum += dm.Table3->fields(i).asString().size();
        for (dm.Table4->first(); !dm.Table4->eof(); dm.Table4->next()) {
            for (int i = 0; i < dm.Table4->fieldCount(); ++i, ++fields)
                sum += dm.Table4->fields(i).asString().size();
            for (dm.Table5->first(); !dm.Table5->eof(); dm.Table5->next())
                for (int i = 0; i < dm.Table5->fieldCount(); ++i, ++fields)
                    sum += dm.Table5->fields(i).asString().size();
        }
    }
    return sum;
}

void BM_WalkChain(benchmark::State &state)
{
    Project &p = project();
    TDM1 dm;
    int64_t fields = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(timedWalkChain(dm, p.dir.path(), fields));
    state.counters["fields/s"] = benchmark::Counter(double(fields), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WalkChain)->Unit(benchmark::kMillisecond);

// One level of the floor walk: a prepared statement with bound keys, and
// each column's text as the dataset layer gives it.
struct Level {
    sqlite3_stmt *st = nullptr;
    QVector<int> kind; // 0 text, 1 float, 2 integer
    QHash<QByteArray, int> col;

    Level(sqlite3 *db, const char *sql)
    {
        sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            const QByteArray decl = QByteArray(sqlite3_column_decltype(st, c) ? sqlite3_column_decltype(st, c) : "").toUpper();
            kind << (decl.startsWith("VARCHAR") ? 0 : decl.startsWith("INT") || decl.startsWith("SMALLINT") ? 2 : 1);
            col.insert(QByteArray(sqlite3_column_name(st, c)).toLower(), c);
        }
    }
    ~Level() { sqlite3_finalize(st); }
    int at(const char *name) const { return col.value(QByteArray(name).toLower(), -1); }
    double num(const char *name) const { return sqlite3_column_double(st, at(name)); }
    QString text(int c) const
    {
        switch (sqlite3_column_type(st, c)) {
        case SQLITE_NULL:
            return QString();
        case SQLITE_TEXT:
            return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c)), sqlite3_column_bytes(st, c));
        default:
            return kind[c] == 2 ? QString::number(sqlite3_column_int64(st, c)) : pf::floatToStr(sqlite3_column_double(st, c));
        }
    }
    // Every column as text, then the calculated values given.
    double readAll(const QStringList &extra, int64_t &fields) const
    {
        double sum = 0;
        for (int c = 0; c < kind.size(); ++c, ++fields)
            sum += text(c).size();
        for (const QString &e : extra)
            sum += e.size(), ++fields;
        return sum;
    }
    void bind(std::initializer_list<double> keys)
    {
        sqlite3_reset(st);
        int i = 0;
        for (double k : keys)
            sqlite3_bind_double(st, ++i, k);
    }
};

[[gnu::noinline]] void timedWalkFloor(const Project &p, int64_t &fields)
{
    {
        sqlite3 *db = nullptr;
        sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE, nullptr);
        for (const char *t : {"Bank1", "bankvh", "bankfz", "bankjd", "faza"}) {
            const QString sql = QStringLiteral("ATTACH '%1' AS %2").arg(QDir(p.dir.path()).filePath(QString::fromLatin1(t) +
                                                                                                     QStringLiteral(".DB")),
                                                                        QString::fromLatin1(t));
            sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
        }
        {
            Level projects(db, "SELECT SHPROJE FROM Bank1 ORDER BY rowid");
            Level units(db, "SELECT * FROM bankvh.bankvh WHERE Shproje = ? ORDER BY Shproje, rowid");
            Level spaces(db, "SELECT * FROM bankfz.bankfz WHERE Shproje = ? AND Shsk = ? AND Tabage = ? AND Shvahed = ? "
                             "ORDER BY Shproje, Shsk, Tabage, Shvahed, rowid");
            Level surfaces(db, "SELECT * FROM bankjd.bankjd WHERE Shproje = ? AND Shsk = ? AND Tabage = ? AND Shvahed = ? "
                               "AND CodeFaza = ? ORDER BY Shproje, Shsk, Tabage, Shvahed, CodeFaza, rowid");
            Level faza(db, "SELECT Faza FROM faza.faza WHERE Codefaza = ? ORDER BY rowid LIMIT 1");
            QHash<double, QString> names;
            double sum = 0;
            sqlite3_step(projects.st);
            const double project = projects.num("SHPROJE");
            units.bind({project});
            while (sqlite3_step(units.st) == SQLITE_ROW) {
                sum += units.readAll({calcfields::floorName(units.num("Tabage"))}, fields);
                spaces.bind({project, units.num("Shsk"), units.num("Tabage"), units.num("Shvahed")});
                while (sqlite3_step(spaces.st) == SQLITE_ROW) {
                    sum += spaces.readAll({calcfields::floorName(spaces.num("Tabage")),
                                           calcfields::extractFanMark(spaces.num("E_hav"), spaces.num("Te_Hav")),
                                           QString(), QString(), QString(), QString()},
                                          fields);
                    surfaces.bind({project, spaces.num("Shsk"), spaces.num("Tabage"), spaces.num("Shvahed"),
                                   spaces.num("Codefaza")});
                    while (sqlite3_step(surfaces.st) == SQLITE_ROW) {
                        const double code = surfaces.num("CodeFaza");
                        auto hit = names.constFind(code);
                        if (hit == names.constEnd()) {
                            faza.bind({code});
                            hit = names.insert(code, sqlite3_step(faza.st) == SQLITE_ROW ? faza.text(0) : QString());
                        }
                        building::SurfaceRow row;
                        row.Jedare = surfaces.text(surfaces.at("Jedare"));
                        row.Id_jedar = surfaces.num("Id_jedar");
                        row.Id_njedar = int(pf::roundToInt(surfaces.num("Id_njedar")));
                        row.Id_gjedar = int(pf::roundToInt(surfaces.num("Id_gjedar")));
                        row.Masa1 = surfaces.num("Masa1");
                        row.Masa2 = surfaces.num("Masa2");
                        row.Z_1 = surfaces.num("Z_1");
                        row.Z_2 = surfaces.num("Z_2");
                        const calcfields::SurfaceFields f = calcfields::surfaceFields(row);
                        sum += surfaces.readAll({hit.value(), QString::number(f.Dv_gJedar), f.Nnjedar, f.Ngjedar,
                                                 QString::number(f.Mmasa), pf::floatToStr(f.Z_z), pf::floatToStr(f.ZaribJ)},
                                                fields);
                    }
                }
            }
            benchmark::DoNotOptimize(sum);
        }
        sqlite3_close(db);
    }
}

void BM_WalkFloor(benchmark::State &state)
{
    Project &p = project();
    int64_t fields = 0;
    for (auto _ : state)
        timedWalkFloor(p, fields);
    state.counters["fields/s"] = benchmark::Counter(double(fields), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WalkFloor)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
