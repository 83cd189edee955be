// The heating-load booklet of a large project: 50 floors x 4 units x 10
// spaces x 6 surfaces (external and internal walls, a window, a door, a
// roof and a floor per space), 621 pages; and the same at 4 times the size.
//   BM_LoadCalculation        the load rules alone over the rows held in memory
//   BM_BookletLayout/F        the whole booklet of F floors: the report's
//                             datasets walk the project and every page is
//                             laid out (render_ms); opening the tables
//                             before and closing them after is counted apart
//   BM_DistinctTextFloor/F    the floor beside it: a plain walk of the same
//                             rows with prepared SQLite statements, reading
//                             every field, and one text layout per distinct
//                             text of the booklet
//   BM_OpenSavedBooklet       the report printer opening the saved 621-page
//                             booklet: its preview loads the file and shows
//                             the first page
//   BM_OpenTodaysBooklet      the same booklet saved in the layout of the
//                             program until now (version 1) opens unchanged
//   BM_UnpackFloor            the floor beside it: the file read and its
//                             compressed bytes unpacked, streaming
//   BM_SaveBooklet            the 621-page booklet saved to a report file
//   BM_SaveFloor              the floor beside it: the same file's bytes, as
//                             they stand unpacked, packed by zlib at level 1
//                             in one stream with no other work;
//                             "size_vs_level6" compares the saved file with
//                             its sections packed at zlib's default level,
//                             as the program packed them until now
//   BM_PeakMemory             separate processes, each measuring its own peak
//                             resident size (VmHWM of /proc/self/status, the
//                             high-water mark ru_maxrss reports) around one
//                             task: the booklet layout, the opening of the
//                             saved booklet, and the refusal of a crafted
//                             file that unpacks to 1 GB of zeros
//   BM_CraftedFileRefusal     that refusal, timed in this process
// Ratios to the floors are printed as counters ("ratio").
#include "DistinctTexts.h"
#include "boravest/sizing/HeatLoad.h"
#include "boravest/sizing/PlanRotation.h"
#include "boravest/building/RepUnit2.h"
#include "boravest/data/TableSchemas.h"
#include "boravest/data/UnitDm.h"
#include "platform/report/Document.h"
#include "platform/report/Preview.h"
#include "platform/report/ReportFile.h"
#include "platform/ui/Fonts.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTextLayout>
#include <QtEndian>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <zlib.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

namespace {

constexpr int kUnits = 4, kSpaces = 10;

building::SurfaceRow surfaceOf(int k, int code)
{
    static const QString words[5] = {QStringLiteral("ديوار"), QStringLiteral("پنجره"), QStringLiteral("درب"),
                                     QStringLiteral("سقف"), QStringLiteral("كف")};
    // Kind, state, direction of the six surfaces of a space.
    const int kinds[6] = {0, 0, 1, 2, 3, 4};
    const int states[6] = {1, 0, 1, 0, 1, 1};
    building::SurfaceRow r;
    r.Id_jedar = kinds[k];
    r.Jedare = words[kinds[k]];
    r.Id_njedar = states[k];
    r.Id_gjedar = kinds[k] < 3 ? (code + k) % 8 : (kinds[k] == 3 ? code % 2 : -1);
    r.Masa1 = 60 + 10 * k;
    r.Masa2 = kinds[k] == 3 ? 55 : 0;
    r.Z_1 = 0.2 + 0.05 * k;
    r.Z_2 = kinds[k] == 3 ? 0.5 : 0;
    r.To_ = states[k] == 1 ? 10 : 60;
    r.Ti_ = 70;
    return r;
}

struct Project {
    QTemporaryDir dir;
    int floors;
    std::vector<building::UnitRow> units;
    building::SiteData site{1.02, 55};

    explicit Project(int floors) : floors(floors)
    {
        pf::db::Session::addPassword(QStringLiteral("38617"));
        schema::createDataFolder(dir.path());
        pf::db::Database db;
        db.setDirectory(dir.path());
        db.open();
        db.transaction([&] {
            db.exec(QStringLiteral("insert into Bank1 (SHPROJE, NAME, SHAHR, Ga, Tg) values (1, 'big', 'tehran', ?, ?)"),
                    {site.Ga, site.Tg});
            int code = 0;
            for (int f = 0; f < floors; ++f)
                for (int u = 1; u <= kUnits; ++u) {
                    building::UnitRow unit;
                    unit.Tabage = f;
                    unit.Shvahed = u;
                    unit.Sf = 10;
                    unit.Z_ertefa = f > 10 ? 5 : 0;
                    db.exec(QStringLiteral("insert into bankvh (Shproje,Shsk,Tabage,Shvahed,Ertefa,Sf,Z_ertefa) "
                                           "values (1,1,?,?,10,?,?)"),
                            {f, u, unit.Sf, unit.Z_ertefa});
                    for (int s = 1; s <= kSpaces; ++s, ++code) {
                        building::SpaceRow space;
                        space.Ti_ = 70;
                        space.To_ = 10;
                        space.A_ = 120;
                        space.V_ = 960;
                        space.Air_ = 1;
                        space.V_varm = s == 3 ? 1500 : 0;
                        db.exec(QStringLiteral("insert into bankfz (Shproje,Shsk,Tabage,Shvahed,Faza,Codefaza,Ertefa,"
                                               "Ti_,To_,A_,V_,Air_,V_varm) values (1,1,?,?,'room',?,8,?,?,?,?,?,?)"),
                                {f, u, s, space.Ti_, space.To_, space.A_, space.V_, space.Air_, space.V_varm});
                        for (int k = 0; k < 6; ++k) {
                            const building::SurfaceRow r = surfaceOf(k, code);
                            db.exec(QStringLiteral("insert into bankjd (Shproje,Shsk,Tabage,Shvahed,CodeFaza,Jedare,"
                                                   "Id_jedar,Id_njedar,Id_gjedar,Masa1,Masa2,Z_1,Z_2,To_,Ti_) "
                                                   "values (1,1,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                                    {f, u, s, r.Jedare, r.Id_jedar, r.Id_njedar, r.Id_gjedar, r.Masa1, r.Masa2, r.Z_1,
                                     r.Z_2, r.To_, r.Ti_});
                            space.surfaces.push_back(r);
                        }
                        unit.spaces.push_back(space);
                    }
                    units.push_back(unit);
                }
        });
    }
};

Project &project(int floors)
{
    static std::map<int, std::unique_ptr<Project>> projects;
    auto &p = projects[floors];
    if (!p)
        p = std::make_unique<Project>(floors);
    return *p;
}

// The booklet of the project, laid out once.
pf::report::Document layBooklet(const Project &p)
{
    TDM1 dm;
    DM1 = &dm;
    dm.Database1->setDirectory(p.dir.path());
    dm.Database1->open();
    pf::report::Document doc;
    {
        TReport2 report;
        building::PlanRotation = building::planRotationForChoice(2);
        report.OpenProject(1);
        doc = report.QuickRep1.render();
        report.CloseTables();
    }
    DM1 = nullptr;
    return doc;
}

// The peak resident size of this process in KiB. getrusage's ru_maxrss
// would do, but on Linux a child started from this (large) benchmark
// process inherits the parent's figure across fork and exec; VmHWM, the same
// high-water mark kept per address space, starts afresh at exec.
double peakKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toDouble();
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss);
}

// ---------------------------------------------------------------- layout

// Floors -> seconds per booklet: the report laid out (render), and the
// tables of the project opened before and closed after it.
std::map<int, double> g_layoutSeconds;
std::map<int, double> g_openCloseSeconds;

void BM_LoadCalculation(benchmark::State &state)
{
    Project &p = project(50);
    const building::LoadOptions opt = building::bookletOptions(building::planRotationForChoice(2));
    for (auto _ : state) {
        const building::BuildingLoad b = building::evaluateBuilding(p.units, p.site, opt);
        benchmark::DoNotOptimize(b.load);
    }
    state.counters["surfaces"] = double(50 * kUnits * kSpaces * 6);
}
BENCHMARK(BM_LoadCalculation)->Unit(benchmark::kMillisecond);

void BM_BookletLayout(benchmark::State &state)
{
    Project &p = project(int(state.range(0)));
    TDM1 dm;
    DM1 = &dm;
    dm.Database1->setDirectory(p.dir.path());
    dm.Database1->open();
    TReport2 report;
    building::PlanRotation = building::planRotationForChoice(2);
    int pages = 0;
    qint64 texts = 0, items = 0;
    QElapsedTimer clock;
    qint64 ns = 0, openClose = 0;
    for (auto _ : state) {
        clock.start();
        report.OpenProject(1);
        openClose += clock.nsecsElapsed();
        clock.start();
        const pf::report::Document doc = report.QuickRep1.render();
        ns += clock.nsecsElapsed();
        clock.start();
        report.CloseTables();
        openClose += clock.nsecsElapsed();
        pages = int(doc.pages.size());
        texts = items = 0;
        for (const auto &page : doc.pages) {
            items += page.items.size();
            for (const auto &item : page.items)
                texts += std::holds_alternative<pf::report::TextRun>(item) ? 1 : 0;
        }
    }
    g_layoutSeconds[p.floors] = double(ns) / 1e9 / double(state.iterations());
    g_openCloseSeconds[p.floors] = double(openClose) / 1e9 / double(state.iterations());
    state.counters["render_ms"] = g_layoutSeconds[p.floors] * 1000;
    state.counters["open_close_ms"] = g_openCloseSeconds[p.floors] * 1000;
    state.counters["pages"] = pages;
    state.counters["texts"] = double(texts);
    state.counters["items"] = double(items);
    state.counters["ms/page"] = g_layoutSeconds[p.floors] * 1000 / std::max(1, pages);
    DM1 = nullptr;
}
BENCHMARK(BM_BookletLayout)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(3);

// Every field of every row of the project's units, spaces and surfaces,
// read through prepared statements with the keys bound.
double plainWalk(sqlite3 *db, sqlite3_stmt *units, sqlite3_stmt *spaces, sqlite3_stmt *surfaces)
{
    double sum = 0;
    auto readRow = [&](sqlite3_stmt *st) {
        const int n = sqlite3_column_count(st);
        for (int i = 0; i < n; ++i)
            sum += sqlite3_column_bytes(st, i) + sqlite3_column_double(st, i);
    };
    sqlite3_reset(units);
    while (sqlite3_step(units) == SQLITE_ROW) {
        readRow(units);
        sqlite3_reset(spaces);
        for (int k = 0; k < 4; ++k)
            sqlite3_bind_value(spaces, k + 1, sqlite3_column_value(units, k));
        while (sqlite3_step(spaces) == SQLITE_ROW) {
            readRow(spaces);
            sqlite3_reset(surfaces);
            for (int k = 0; k < 5; ++k)
                sqlite3_bind_value(surfaces, k + 1, sqlite3_column_value(spaces, k));
            while (sqlite3_step(surfaces) == SQLITE_ROW)
                readRow(surfaces);
        }
    }
    (void)db;
    return sum;
}

void BM_DistinctTextFloor(benchmark::State &state)
{
    Project &p = project(int(state.range(0)));
    const QSet<benchtexts::DistinctText> distinct = benchtexts::distinctTexts(layBooklet(p));
    sqlite3 *db = nullptr;
    sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE, nullptr);
    for (const char *t : {"bankvh", "bankfz", "bankjd"}) {
        const QString sql = QStringLiteral("ATTACH DATABASE '%1' AS %2")
                                .arg(QDir(p.dir.path()).filePath(QString::fromLatin1(t) + QStringLiteral(".DB")),
                                     QString::fromLatin1(t));
        sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    }
    sqlite3_stmt *units = nullptr, *spaces = nullptr, *surfaces = nullptr;
    sqlite3_prepare_v2(db, "select Shproje, Shsk, Tabage, Shvahed, * from bankvh.bankvh where Shproje = 1 "
                           "order by Tabage, Shsk, Shvahed", -1, &units, nullptr);
    sqlite3_prepare_v2(db, "select Shproje, Shsk, Tabage, Shvahed, Codefaza, * from bankfz.bankfz where Shproje = ? "
                           "and Shsk = ? and Tabage = ? and Shvahed = ? order by Codefaza", -1, &spaces, nullptr);
    sqlite3_prepare_v2(db, "select * from bankjd.bankjd where Shproje = ? and Shsk = ? and Tabage = ? "
                           "and Shvahed = ? and CodeFaza = ? order by Id_jedar, Id_njedar, Id_gjedar", -1, &surfaces, nullptr);
    if (!units || !spaces || !surfaces) {
        state.SkipWithError(sqlite3_errmsg(db));
        sqlite3_close(db);
        return;
    }
    QElapsedTimer clock;
    qint64 ns = 0;
    for (auto _ : state) {
        clock.start();
        benchmark::DoNotOptimize(plainWalk(db, units, spaces, surfaces));
        benchmark::DoNotOptimize(benchtexts::layOutEach(distinct));
        ns += clock.nsecsElapsed();
    }
    sqlite3_finalize(units);
    sqlite3_finalize(spaces);
    sqlite3_finalize(surfaces);
    sqlite3_close(db);
    const double floor = double(ns) / 1e9 / double(state.iterations());
    state.counters["distinct_texts"] = double(distinct.size());
    if (const auto it = g_layoutSeconds.find(p.floors); it != g_layoutSeconds.end()) {
        state.counters["ratio"] = it->second / floor;
        state.counters["ratio_with_open_close"] = (it->second + g_openCloseSeconds[p.floors]) / floor;
    }
}
BENCHMARK(BM_DistinctTextFloor)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// ---------------------------------------------------------------- saved file

QString savedBooklet()
{
    static const QString path = [] {
        Project &p = project(50);
        const QString file = QDir(p.dir.path()).filePath(QStringLiteral("booklet.QRP"));
        pf::report::saveDocument(layBooklet(p), file);
        return file;
    }();
    return path;
}

// Unpacks every zlib stream of the file (found by their headers) into a
// small buffer: what any reader of the file must at least do.
qint64 unpackFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray data = f.readAll();
    qint64 total = 0;
    static unsigned char out[1 << 16];
    qsizetype pos = 0;
    while (pos + 2 < data.size()) {
        const uchar a = uchar(data[pos]), b = uchar(data[pos + 1]);
        if (a != 0x78 || ((a << 8) | b) % 31 != 0) {
            ++pos;
            continue;
        }
        z_stream z{};
        inflateInit(&z);
        z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData() + pos));
        z.avail_in = uInt(data.size() - pos);
        int rc = Z_OK;
        while (rc == Z_OK) {
            z.next_out = out;
            z.avail_out = sizeof out;
            rc = inflate(&z, Z_NO_FLUSH);
            total += qint64(sizeof out - z.avail_out);
        }
        const qsizetype used = qsizetype(z.total_in);
        inflateEnd(&z);
        pos += rc == Z_STREAM_END ? used : 1;
    }
    return total;
}

// The same booklet saved in the first version's layout, as the program
// wrote it until now.
QString todaysBooklet()
{
    static const QString path = [] {
        Project &p = project(50);
        const QString file = QDir(p.dir.path()).filePath(QStringLiteral("booklet-v1.QRP"));
        QFile f(file);
        f.open(QIODevice::WriteOnly);
        f.write(pf::report::encodeDocumentVersion1(layBooklet(p), true));
        return file;
    }();
    return path;
}

double g_openSeconds = 0;

void BM_OpenSavedBooklet(benchmark::State &state)
{
    const QString file = savedBooklet();
    int pages = 0;
    QElapsedTimer clock;
    qint64 ns = 0;
    for (auto _ : state) {
        clock.start();
        pf::report::ReportPreview preview;
        preview.load(file);
        pages = preview.pageCount();
        ns += clock.nsecsElapsed();
    }
    g_openSeconds = double(ns) / 1e9 / double(state.iterations());
    state.counters["pages"] = pages;
    state.counters["file_bytes"] = double(QFile(file).size());
}
BENCHMARK(BM_OpenSavedBooklet)->Unit(benchmark::kMillisecond)->Iterations(3);

// A booklet saved before this version opens as it was laid out.
void BM_OpenTodaysBooklet(benchmark::State &state)
{
    const QString file = todaysBooklet();
    bool same = false;
    for (auto _ : state) {
        pf::report::ReportPreview preview;
        preview.load(file);
        state.PauseTiming();
        same = preview.document() == layBooklet(project(50));
        state.ResumeTiming();
    }
    state.counters["same_pages"] = same ? 1 : 0;
    state.counters["file_bytes"] = double(QFile(file).size());
}
BENCHMARK(BM_OpenTodaysBooklet)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_UnpackFloor(benchmark::State &state)
{
    const QString file = savedBooklet();
    qint64 bytes = 0;
    QElapsedTimer clock;
    qint64 ns = 0;
    for (auto _ : state) {
        clock.start();
        bytes = unpackFile(file);
        ns += clock.nsecsElapsed();
    }
    state.counters["unpacked_bytes"] = double(bytes);
    if (g_openSeconds > 0)
        state.counters["ratio"] = g_openSeconds / (double(ns) / 1e9 / double(state.iterations()));
}
BENCHMARK(BM_UnpackFloor)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// ---------------------------------------------------------------- saving

const pf::report::Document &bookletDocument()
{
    static const pf::report::Document doc = layBooklet(project(50));
    return doc;
}

double g_saveSeconds = 0;

void BM_SaveBooklet(benchmark::State &state)
{
    const pf::report::Document &doc = bookletDocument();
    const QString file = QDir(project(50).dir.path()).filePath(QStringLiteral("saved.QRP"));
    QElapsedTimer clock;
    qint64 ns = 0;
    for (auto _ : state) {
        clock.start();
        pf::report::saveDocument(doc, file);
        ns += clock.nsecsElapsed();
    }
    g_saveSeconds = double(ns) / 1e9 / double(state.iterations());
    state.counters["file_bytes"] = double(QFile(file).size());
    state.counters["pages"] = double(doc.pages.size());
}
BENCHMARK(BM_SaveBooklet)->Unit(benchmark::kMillisecond)->Iterations(5);

// The sections of a file saved unpacked, each packed at `level`: the size
// of the file so packed.
qint64 packedSize(const QByteArray &stored, int level)
{
    qint64 size = 12;
    for (qsizetype at = 12; at + 10 <= stored.size();) {
        const quint32 length = qFromLittleEndian<quint32>(stored.constData() + at + 2);
        uLongf out = compressBound(length);
        QByteArray packed(qsizetype(out), '\0');
        if (length > 0)
            compress2(reinterpret_cast<Bytef *>(packed.data()), &out,
                      reinterpret_cast<const Bytef *>(stored.constData() + at + 10), length, level);
        size += 10 + (length > 0 ? qint64(out) : 0);
        at += 10 + length;
    }
    return size;
}

void BM_SaveFloor(benchmark::State &state)
{
    const QByteArray raw = pf::report::encodeDocument(bookletDocument(), false);
    QByteArray packed(qsizetype(compressBound(uLong(raw.size()))), '\0');
    QElapsedTimer clock;
    qint64 ns = 0;
    for (auto _ : state) {
        clock.start();
        uLongf len = uLongf(packed.size());
        compress2(reinterpret_cast<Bytef *>(packed.data()), &len, reinterpret_cast<const Bytef *>(raw.constData()),
                  uLong(raw.size()), 1);
        benchmark::DoNotOptimize(len);
        ns += clock.nsecsElapsed();
    }
    const double floor = double(ns) / 1e9 / double(state.iterations());
    state.counters["unpacked_bytes"] = double(raw.size());
    if (g_saveSeconds > 0)
        state.counters["ratio"] = g_saveSeconds / floor;
    const qint64 saved = pf::report::encodeDocument(bookletDocument(), true).size();
    state.counters["size_vs_level6"] = double(saved) / double(packedSize(raw, Z_DEFAULT_COMPRESSION));
}
BENCHMARK(BM_SaveFloor)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// ---------------------------------------------------------------- crafted file

// 1 GB of zeros packed by zlib: about a megabyte.
QByteArray packedZeros(qint64 size)
{
    QByteArray out;
    z_stream z{};
    deflateInit(&z, 9);
    static const QByteArray zeros(1 << 20, '\0');
    char buf[1 << 16];
    qint64 left = size;
    int rc = Z_OK;
    (void)rc;
    do {
        const uInt n = uInt(std::min<qint64>(left, zeros.size()));
        z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(zeros.constData()));
        z.avail_in = n;
        left -= n;
        const int flush = left == 0 ? Z_FINISH : Z_NO_FLUSH;
        do {
            z.next_out = reinterpret_cast<Bytef *>(buf);
            z.avail_out = sizeof buf;
            rc = deflate(&z, flush);
            out.append(buf, int(sizeof buf - z.avail_out));
        } while (z.avail_out == 0);
    } while (left > 0);
    deflateEnd(&z);
    return out;
}

// A report file of today's packed kind whose body unpacks to 1 GB of
// zeros, its length field claiming `claim` bytes.
QString craftedFile(quint32 claim)
{
    static const QByteArray zeros = packedZeros(qint64(1) << 30);
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("crafted-%1.QRP").arg(claim));
    if (!QFile::exists(path)) {
        QByteArray bytes = QByteArrayLiteral("BRVQRPZ1") + QByteArray(4, '\0') + zeros;
        qToBigEndian<quint32>(claim, bytes.data() + 8);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
    return path;
}

void BM_CraftedFileRefusal(benchmark::State &state)
{
    const QString file = craftedFile(quint32(state.range(0)));
    bool refused = true;
    for (auto _ : state) {
        try {
            pf::report::loadDocument(file);
            refused = false;
        } catch (const pf::report::ReportFileError &) {
        }
    }
    state.counters["file_bytes"] = double(QFile(file).size());
    state.counters["refused"] = refused ? 1 : 0;
}
// Claims: the size it unpacks to, 64 MiB, and 4 GiB - 1.
BENCHMARK(BM_CraftedFileRefusal)->Arg(1 << 30)->Arg(64 << 20)->Arg(-1)->Unit(benchmark::kMillisecond)->Iterations(1);

// ---------------------------------------------------------------- peak memory

// Runs one task in a child process of this program; returns its report:
// peak resident KiB before and after the task, and seconds.
struct ChildReport {
    double beforeKiB = -1, afterKiB = -1, seconds = -1;
    int pages = -1;
    double afterCloseKiB = -1; // the layout: after the tables are closed
};

ChildReport runChild(const QStringList &args)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--child")} + args);
    child.waitForFinished(600000);
    ChildReport r;
    const QByteArray out = child.readAllStandardOutput();
    std::sscanf(out.constData(), "%lf %lf %lf %d %lf", &r.beforeKiB, &r.afterKiB, &r.seconds, &r.pages,
                &r.afterCloseKiB);
    return r;
}

void BM_PeakMemory(benchmark::State &state)
{
    const int task = int(state.range(0));
    ChildReport r;
    for (auto _ : state) {
        if (task == 0)
            r = runChild({QStringLiteral("layout"), project(50).dir.path()});
        else if (task == 1)
            r = runChild({QStringLiteral("open"), savedBooklet()});
        else
            r = runChild({QStringLiteral("crafted"), craftedFile(1u << 30)});
    }
    state.SetLabel(task == 0 ? "booklet layout" : task == 1 ? "open saved booklet" : "crafted file refused");
    state.counters["peak_MiB"] = r.afterKiB / 1024;
    state.counters["idle_MiB"] = r.beforeKiB / 1024;
    state.counters["task_MiB"] = (r.afterKiB - r.beforeKiB) / 1024;
    state.counters["task_s"] = r.seconds;
    state.counters["pages"] = r.pages;
    if (r.afterCloseKiB > 0)
        state.counters["peak_with_close_MiB"] = r.afterCloseKiB / 1024;
}
BENCHMARK(BM_PeakMemory)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(1);

// The child side: prints "peak-before peak-after seconds pages".
int childMain(const QString &task, const QString &arg)
{
    pf::db::Session::addPassword(QStringLiteral("38617"));
    std::unique_ptr<TDM1> dm;
    std::unique_ptr<TReport2> report;
    if (task == QLatin1String("layout")) {
        dm = std::make_unique<TDM1>();
        DM1 = dm.get();
        dm->Database1->setDirectory(arg);
        dm->Database1->open();
        report = std::make_unique<TReport2>();
        building::PlanRotation = building::planRotationForChoice(2);
    }
    std::unique_ptr<pf::report::ReportPreview> preview;
    if (task == QLatin1String("open"))
        preview = std::make_unique<pf::report::ReportPreview>();
    const double before = peakKiB();
    QElapsedTimer clock;
    clock.start();
    int pages = 0;
    double afterClose = 0;
    if (report) {
        report->OpenProject(1);
        pages = int(report->QuickRep1.render().pages.size());
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        const double peak = peakKiB();
        // Closing the tables is the dataset layer's: measured apart.
        report->CloseTables();
        afterClose = peakKiB();
        std::printf("%.0f %.0f %.4f %d %.0f\n", before, peak, seconds, pages, afterClose);
        report.reset();
        DM1 = nullptr;
        return 0;
    } else if (task == QLatin1String("open")) {
        preview->load(arg);
        pages = preview->pageCount();
    } else {
        // A limit of 4 GiB of address space keeps a loader that believes the
        // file from taking the machine down; running out counts as -2 pages.
        const rlimit limit{rlim_t(4) << 30, rlim_t(4) << 30};
        setrlimit(RLIMIT_AS, &limit);
        try {
            pages = int(pf::report::loadDocument(arg).pages.size());
        } catch (const pf::report::ReportFileError &) {
            pages = 0;
        } catch (const std::bad_alloc &) {
            pages = -2;
        }
    }
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    std::printf("%.0f %.0f %.4f %d\n", before, peakKiB(), seconds, pages);
    report.reset();
    DM1 = nullptr;
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    pf::ui::installPersianFonts();
    if (argc == 4 && QByteArray(argv[1]) == "--child")
        return childMain(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
