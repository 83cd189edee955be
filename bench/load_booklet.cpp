// The heating-load booklet of a large project: 50 floors x 4 units x 10
// spaces x 6 surfaces (external and internal walls, a window, a door, a
// roof and a floor per space), 621 pages; and the same at 4 and 16 times the
// size.
//   BM_LoadCalculation        the load rules alone over the rows held in memory
//   BM_BookletLayout/F        the whole booklet of F floors: the report reads
//                             the project's rows, walks them and lays every
//                             page out (the time, and render_ms), after one
//                             layout untimed; opening the tables before and
//                             closing them after is counted apart; "faults"
//                             the page faults a layout takes
//   BM_DistinctTextFloor/F    its floor: the same rows walked in one read
//                             transaction through prepared SQLite statements,
//                             the booklet's columns only, numbers read as
//                             numbers and texts as texts, and one layout of
//                             each distinct text of the booklet
//   BM_OpenSavedBooklet       the report printer opening the saved 621-page
//                             booklet: its preview loads the file and shows
//                             the first page
//   BM_OpenTodaysBooklet      the same booklet saved in the layout of the
//                             program until now (version 1) opens unchanged
//   BM_UnpackFloor            the floor beside it: the file read and its
//                             compressed bytes unpacked, streaming
//   BM_SaveBooklet/F          the booklet of F floors saved to a report file,
//                             in the CPU time of the whole process (every
//                             packing thread); "peak_MiB" is the most heap
//                             the save held at once above the document
//   BM_SaveFloor/F            its floor: the file's sections, as they stand
//                             unpacked, each packed by zlib at the save's
//                             level on as many threads as the save packs on,
//                             in process CPU time, with its peak heap;
//                             "size_vs_level6" compares the saved file with
//                             its sections packed at zlib's default level
//   BM_PeakMemory             separate processes, each measuring its own peak
//                             resident size (VmHWM of /proc/self/status, the
//                             high-water mark ru_maxrss reports) around one
//                             task: the booklet layout, the opening of the
//                             saved booklet, and the refusal of a crafted
//                             file that unpacks to 1 GB of zeros
//   BM_CraftedFileRefusal     that refusal, timed in this process
//   BM_ColdBookletLayout/F    the booklet of F floors laid out once in a
//                             fresh process of its own (a user's first
//                             click): nothing read, laid out or kept before;
//                             its floor run the same way before each run
//                             (ColdRun.h); "ratio" is the median of each
//                             layout over its floor, "faults" and "floor_faults"
//                             the page faults each took while timed;
//                             open_close_ms the tables opened and closed
//   BM_ColdDistinctTextFloor/F  those floor runs: one walk and one layout of
//                             each distinct text in a fresh process (the
//                             texts handed in by a file)
// Ratios to the floors are printed as counters ("ratio"). The work each
// benchmark times is one function of its own (timed...), so that an
// instruction count can be taken of it alone:
//   valgrind --tool=callgrind --toggle-collect='*timedSave(*' bench_load_booklet --benchmark_filter=SaveBooklet/50
#include "BookletProject.h"
#include "ColdRun.h"
#include "PeakMemory.h"
#include "DistinctTexts.h"
#include "FloorRows.h"
#include "boravest/sizing/HeatLoad.h"
#include "boravest/sizing/PlanRotation.h"
#include "boravest/building/RepUnit2.h"
#include "boravest/data/TableSchemas.h"
#include "boravest/data/UnitDm.h"
#include "platform/report/Document.h"
#include "platform/report/Preview.h"
#include "platform/report/ReportFile.h"
#include "platform/system/Memory.h"
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

#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <memory>
#include <thread>

// ---------------------------------------------------------------- heap in use

// Every allocation of the process passes through here. While counting, the
// bytes held are added up, from zero at the start, and their peak kept: the
// most a task held at once above what was there before it.
extern "C" {
void *__libc_malloc(size_t);
void *__libc_calloc(size_t, size_t);
void *__libc_realloc(void *, size_t);
void *__libc_memalign(size_t, size_t);
void __libc_free(void *);
}

namespace heap {

std::atomic<bool> counting{false};
std::atomic<qint64> held{0};
std::atomic<qint64> peak{0};

void add(qint64 n)
{
    const qint64 now = held.fetch_add(n, std::memory_order_relaxed) + n;
    qint64 top = peak.load(std::memory_order_relaxed);
    while (now > top && !peak.compare_exchange_weak(top, now, std::memory_order_relaxed)) {
    }
}

void *counted(void *p)
{
    if (p && counting.load(std::memory_order_relaxed))
        add(qint64(malloc_usable_size(p)));
    return p;
}

void start()
{
    held = 0;
    peak = 0;
    counting = true;
}

// The peak since start(), in bytes.
qint64 stop()
{
    counting = false;
    return peak;
}

} // namespace heap

extern "C" {
void *malloc(size_t n) noexcept { return heap::counted(__libc_malloc(n)); }
void *calloc(size_t n, size_t size) noexcept { return heap::counted(__libc_calloc(n, size)); }
void *memalign(size_t align, size_t n) noexcept { return heap::counted(__libc_memalign(align, n)); }
void *aligned_alloc(size_t align, size_t n) noexcept { return heap::counted(__libc_memalign(align, n)); }
void *valloc(size_t n) noexcept { return heap::counted(__libc_memalign(size_t(sysconf(_SC_PAGESIZE)), n)); }
int posix_memalign(void **out, size_t align, size_t n) noexcept
{
    void *p = heap::counted(__libc_memalign(align, n));
    if (!p)
        return ENOMEM;
    *out = p;
    return 0;
}
void free(void *p) noexcept
{
    if (p && heap::counting.load(std::memory_order_relaxed))
        heap::add(-qint64(malloc_usable_size(p)));
    __libc_free(p);
}
void *realloc(void *p, size_t n) noexcept
{
    if (!heap::counting.load(std::memory_order_relaxed))
        return __libc_realloc(p, n);
    const qint64 before = p ? qint64(malloc_usable_size(p)) : 0;
    void *q = __libc_realloc(p, n);
    if (q)
        heap::add(qint64(malloc_usable_size(q)) - before);
    else if (n == 0)
        heap::add(-before);
    return q;
}
}

namespace {

using benchbooklet::Project;
using benchbooklet::layBooklet;
using benchbooklet::project;
using benchbooklet::kSpaces;
using benchbooklet::kUnits;

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

[[gnu::noinline]] pf::report::Document timedLayout(TReport2 &report)
{
    return report.QuickRep1.render();
}

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
    // One layout untimed first: the process's first loads the fonts and
    // sizes its heap, as the floor's had before it was timed.
    report.OpenProject(1);
    benchmark::DoNotOptimize(report.QuickRep1.render().pages.size());
    report.CloseTables();
    QElapsedTimer clock;
    qint64 ns = 0, openClose = 0;
    long faults = 0;
    for (auto _ : state) {
        clock.start();
        report.OpenProject(1);
        openClose += clock.nsecsElapsed();
        rusage before{}, after{};
        getrusage(RUSAGE_SELF, &before);
        clock.start();
        const pf::report::Document doc = timedLayout(report);
        const qint64 layout = clock.nsecsElapsed();
        getrusage(RUSAGE_SELF, &after);
        faults += after.ru_minflt - before.ru_minflt;
        ns += layout;
        state.SetIterationTime(double(layout) / 1e9);
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
    state.counters["faults"] = double(faults) / double(state.iterations());
    DM1 = nullptr;
}
BENCHMARK(BM_BookletLayout)->Arg(50)->Arg(200)->Arg(800)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

// One level of the floor's walk: a prepared statement over the columns the
// booklet reads, its numbers read as numbers and its texts as texts.
struct FloorLevel {
    sqlite3_stmt *st = nullptr;
    std::vector<char> text; // per column: read as text

    FloorLevel(sqlite3 *db, const char *sql)
    {
        sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
        text = benchfloor::textColumns(st);
    }
    ~FloorLevel() { sqlite3_finalize(st); }
    double readRow() const { return benchfloor::readRow(st, text); }
};

// The rows the booklet prints and works with, walked floor-and-unit row,
// space, surface in one read transaction.
double plainWalk(sqlite3 *db, FloorLevel &units, FloorLevel &spaces, FloorLevel &surfaces)
{
    double sum = 0;
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_reset(units.st);
    while (sqlite3_step(units.st) == SQLITE_ROW) {
        sum += units.readRow();
        sqlite3_reset(spaces.st);
        for (int k = 0; k < 4; ++k)
            sqlite3_bind_value(spaces.st, k + 1, sqlite3_column_value(units.st, k));
        while (sqlite3_step(spaces.st) == SQLITE_ROW) {
            sum += spaces.readRow();
            sqlite3_reset(surfaces.st);
            for (int k = 0; k < 5; ++k)
                sqlite3_bind_value(surfaces.st, k + 1, sqlite3_column_value(spaces.st, k));
            while (sqlite3_step(surfaces.st) == SQLITE_ROW)
                sum += surfaces.readRow();
        }
    }
    sqlite3_reset(units.st);
    sqlite3_reset(spaces.st);
    sqlite3_reset(surfaces.st);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    return sum;
}

[[gnu::noinline]] double timedTextFloor(sqlite3 *db, FloorLevel &units, FloorLevel &spaces, FloorLevel &surfaces,
                                        const QSet<benchtexts::DistinctText> &distinct)
{
    return plainWalk(db, units, spaces, surfaces) + benchtexts::layOutEach(distinct);
}

// The floor's connection to the project's three tables in `folder` and its
// statements, made before it is timed.
struct FloorWalk {
    sqlite3 *db = nullptr;
    std::unique_ptr<FloorLevel> units, spaces, surfaces;

    explicit FloorWalk(const QString &folder)
    {
        sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        for (const char *t : {"bankvh", "bankfz", "bankjd"}) {
            const QString sql = QStringLiteral("ATTACH DATABASE '%1' AS %2")
                                    .arg(QDir(folder).filePath(QString::fromLatin1(t) + QStringLiteral(".DB")),
                                         QString::fromLatin1(t));
            sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
        }
        units = std::make_unique<FloorLevel>(db, "select Shproje, Shsk, Tabage, Shvahed, Sf, Z_ertefa from bankvh.bankvh "
                                                 "where Shproje = 1 order by Tabage, Shsk, Shvahed");
        spaces = std::make_unique<FloorLevel>(
            db, "select Shproje, Shsk, Tabage, Shvahed, Codefaza, Faza, Ertefa, Ti_, To_, A_, V_, Air_, "
                "V_varm from bankfz.bankfz where Shproje = ? and Shsk = ? and Tabage = ? and Shvahed = ? "
                "order by Codefaza");
        surfaces = std::make_unique<FloorLevel>(
            db, "select Shproje, Shsk, Tabage, Shvahed, CodeFaza, Jedare, Id_jedar, Id_njedar, "
                "Id_gjedar, Masa1, Masa2, To_, Ti_, Z_1, Z_2 from bankjd.bankjd where Shproje = ? "
                "and Shsk = ? and Tabage = ? and Shvahed = ? and CodeFaza = ? "
                "order by Id_jedar, Id_njedar, Id_gjedar");
    }
    ~FloorWalk()
    {
        units.reset();
        spaces.reset();
        surfaces.reset();
        sqlite3_close(db);
    }
    FloorWalk(const FloorWalk &) = delete;
    FloorWalk &operator=(const FloorWalk &) = delete;
    bool ready() const { return units->st && spaces->st && surfaces->st; }
    double run(const QSet<benchtexts::DistinctText> &distinct)
    {
        return timedTextFloor(db, *units, *spaces, *surfaces, distinct);
    }
};

void BM_DistinctTextFloor(benchmark::State &state)
{
    Project &p = project(int(state.range(0)));
    const QSet<benchtexts::DistinctText> distinct = benchtexts::distinctTexts(layBooklet(p));
    double ns = 0;
    int texts = 0;
    {
        FloorWalk walk(p.dir.path());
        if (!walk.ready()) {
            state.SkipWithError(sqlite3_errmsg(walk.db));
        } else {
            QElapsedTimer clock;
            qint64 elapsed = 0;
            for (auto _ : state) {
                clock.start();
                benchmark::DoNotOptimize(walk.run(distinct));
                elapsed += clock.nsecsElapsed();
            }
            ns = double(elapsed);
            texts = int(distinct.size());
        }
    }
    const double floor = ns / 1e9 / double(std::max<qint64>(1, state.iterations()));
    state.counters["distinct_texts"] = texts;
    if (const auto it = g_layoutSeconds.find(p.floors); it != g_layoutSeconds.end()) {
        state.counters["ratio"] = it->second / floor;
        state.counters["ratio_with_open_close"] = (it->second + g_openCloseSeconds[p.floors]) / floor;
    }
}
BENCHMARK(BM_DistinctTextFloor)->Arg(50)->Arg(200)->Arg(800)->Unit(benchmark::kMillisecond)->MinTime(1.0);

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

// The booklet of `floors` floors, laid out once.
const pf::report::Document &bookletDocument(int floors)
{
    static std::map<int, pf::report::Document> docs;
    auto it = docs.find(floors);
    if (it == docs.end())
        it = docs.emplace(floors, layBooklet(project(floors))).first;
    return it->second;
}

// CPU seconds of the whole process, every thread of it.
double processSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Floors -> process CPU seconds of one save.
std::map<int, double> g_saveSeconds;

[[gnu::noinline]] void timedSave(const pf::report::Document &doc, const QString &file)
{
    pf::report::saveDocument(doc, file);
}

void BM_SaveBooklet(benchmark::State &state)
{
    const int floors = int(state.range(0));
    const pf::report::Document &doc = bookletDocument(floors);
    const QString file = QDir(project(floors).dir.path()).filePath(QStringLiteral("saved.QRP"));
    double cpu = 0;
    qint64 peak = 0;
    for (auto _ : state) {
        heap::start();
        const double start = processSeconds();
        timedSave(doc, file);
        cpu += processSeconds() - start;
        peak = std::max(peak, heap::stop());
    }
    g_saveSeconds[floors] = cpu / double(state.iterations());
    state.counters["cpu_ms"] = g_saveSeconds[floors] * 1000;
    state.counters["peak_MiB"] = double(peak) / (1 << 20);
    state.counters["file_bytes"] = double(QFile(file).size());
    state.counters["pages"] = double(doc.pages.size());
}
BENCHMARK(BM_SaveBooklet)->Arg(50)->Arg(200)->Arg(800)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond)->Iterations(3);

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

// The sections of the booklet's file as they stand unpacked.
struct Sections {
    QByteArray file; // saved unpacked
    std::vector<std::pair<qsizetype, quint32>> bodies; // where each non-empty one starts, its length
    qint64 bytes = 0;
};

const Sections &sectionsOf(int floors)
{
    static std::map<int, Sections> all;
    auto it = all.find(floors);
    if (it == all.end()) {
        Sections s;
        s.file = pf::report::encodeDocument(bookletDocument(floors), false);
        for (qsizetype at = 12; at + 10 <= s.file.size();) {
            const quint32 length = qFromLittleEndian<quint32>(s.file.constData() + at + 2);
            if (length > 0)
                s.bodies.push_back({at + 10, length});
            s.bytes += length;
            at += 10 + length;
        }
        it = all.emplace(floors, std::move(s)).first;
    }
    return it->second;
}

// Packs every section on its own on `threads` threads, each thread one zlib
// stream and one buffer; returns the bytes packed.
[[gnu::noinline]] qint64 timedSaveFloor(const Sections &s, int threads)
{
    std::atomic<size_t> next{0};
    std::atomic<qint64> packed{0};
    auto work = [&] {
        z_stream z{};
        deflateInit(&z, pf::report::kPackingLevel);
        QByteArray out;
        qint64 mine = 0;
        for (size_t i; (i = next++) < s.bodies.size();) {
            const auto [at, length] = s.bodies[i];
            const qsizetype bound = qsizetype(deflateBound(&z, length));
            if (out.size() < bound)
                out.resize(bound);
            z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(s.file.constData() + at));
            z.avail_in = length;
            z.next_out = reinterpret_cast<Bytef *>(out.data());
            z.avail_out = uInt(out.size());
            deflate(&z, Z_FINISH);
            mine += qint64(z.total_out);
            deflateReset(&z);
        }
        deflateEnd(&z);
        packed += mine;
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t)
        helpers.emplace_back(work);
    work();
    for (std::thread &t : helpers)
        t.join();
    return packed;
}

void BM_SaveFloor(benchmark::State &state)
{
    const int floors = int(state.range(0));
    const Sections &s = sectionsOf(floors);
    const int threads = pf::report::packingThreads(s.bytes);
    double cpu = 0;
    qint64 peak = 0;
    for (auto _ : state) {
        heap::start();
        const double start = processSeconds();
        benchmark::DoNotOptimize(timedSaveFloor(s, threads));
        cpu += processSeconds() - start;
        peak = std::max(peak, heap::stop());
    }
    const double floor = cpu / double(state.iterations());
    state.counters["cpu_ms"] = floor * 1000;
    state.counters["peak_MiB"] = double(peak) / (1 << 20);
    state.counters["threads"] = threads;
    state.counters["unpacked_bytes"] = double(s.bytes);
    if (const auto it = g_saveSeconds.find(floors); it != g_saveSeconds.end())
        state.counters["ratio"] = it->second / floor;
    if (floors == 50) {
        const qint64 saved = pf::report::encodeDocument(bookletDocument(floors), true).size();
        state.counters["size_vs_level6"] = double(saved) / double(packedSize(s.file, Z_DEFAULT_COMPRESSION));
    }
}
BENCHMARK(BM_SaveFloor)->Arg(50)->Arg(200)->Arg(800)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

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

// ---------------------------------------------------------------- cold

// The booklet's distinct texts, written beside the project for the floor's
// fresh process.
bool writeDistinctTexts(Project &p)
{
    const QString texts = QDir(p.dir.path()).filePath(QStringLiteral("distinct.texts"));
    return QFile::exists(texts) || benchtexts::saveTexts(texts, benchtexts::distinctTexts(layBooklet(p)));
}

// Floors -> the cold layouts and floors, run in turns.
std::map<int, benchcold::Turns> g_coldTurns;

void BM_ColdBookletLayout(benchmark::State &state)
{
    Project &p = project(int(state.range(0)));
    if (!writeDistinctTexts(p)) {
        state.SkipWithError("the distinct texts could not be written");
        return;
    }
    const QString dir = p.dir.path();
    benchcold::Turns turns;
    if (!benchcold::takeTurns(state, {QStringLiteral("--cold"), QStringLiteral("layout"), dir},
                              {QStringLiteral("--cold"), QStringLiteral("floor"), dir}, turns))
        return;
    state.counters["open_close_ms"] = benchcold::median(turns.extra) * 1000;
    g_coldTurns[p.floors] = std::move(turns);
}
BENCHMARK(BM_ColdBookletLayout)->Arg(50)->Arg(200)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);

void BM_ColdDistinctTextFloor(benchmark::State &state)
{
    Project &p = project(int(state.range(0)));
    auto it = g_coldTurns.find(p.floors);
    if (it == g_coldTurns.end()) {
        // Run alone: its own runs.
        if (!writeDistinctTexts(p)) {
            state.SkipWithError("the distinct texts could not be written");
            return;
        }
        benchcold::Turns own;
        for (int i = 0; i < 7; ++i) {
            const benchcold::Run r =
                benchcold::run({QStringLiteral("--cold"), QStringLiteral("floor"), p.dir.path()});
            if (r.seconds < 0) {
                state.SkipWithError("the cold floor failed");
                return;
            }
            own.floor.push_back(r.seconds);
            own.floorFaults.push_back(r.faults);
        }
        it = g_coldTurns.emplace(p.floors, std::move(own)).first;
    }
    benchcold::replayFloor(state, it->second);
}
BENCHMARK(BM_ColdDistinctTextFloor)->Arg(50)->Arg(200)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);

// The cold side: one task, timed alone, in this fresh process; prints
// "seconds open-close-seconds page-faults". Under callgrind the task's own
// function counts alone:
//   valgrind --tool=callgrind --toggle-collect='*timedLayout*' bench_load_booklet --cold layout DIR
//   valgrind --tool=callgrind --toggle-collect='*timedTextFloor*' bench_load_booklet --cold floor DIR
// A folder for them, made once: `--cold project DIR [FLOORS]` writes the
// project of 50 floors (or FLOORS) and its booklet's distinct texts there.
int coldMain(const QString &task, const QString &folder, int floors)
{
    pf::db::Session::addPassword(QStringLiteral("38617"));
    QElapsedTimer clock;
    if (task == QLatin1String("project")) {
        Project &p = project(floors);
        QDir().mkpath(folder);
        for (const QString &name : QDir(p.dir.path()).entryList(QDir::Files))
            if (!QFile::copy(QDir(p.dir.path()).filePath(name), QDir(folder).filePath(name)))
                return 1;
        return benchtexts::saveTexts(QDir(folder).filePath(QStringLiteral("distinct.texts")),
                                     benchtexts::distinctTexts(layBooklet(p)))
                   ? 0
                   : 1;
    }
    if (task == QLatin1String("layout")) {
        TDM1 dm;
        DM1 = &dm;
        dm.Database1->setDirectory(folder);
        dm.Database1->open();
        benchcold::Run r;
        {
            TReport2 report;
            building::PlanRotation = building::planRotationForChoice(2);
            clock.start();
            report.OpenProject(1);
            double openClose = double(clock.nsecsElapsed()) / 1e9;
            // The pages are let go of after the time is taken, as in the
            // warm runs.
            pf::report::Document doc;
            r = benchcold::timeTask([&] {
                doc = timedLayout(report);
                return !doc.pages.isEmpty();
            });
            clock.start();
            report.CloseTables();
            r.extra = openClose + double(clock.nsecsElapsed()) / 1e9;
        }
        DM1 = nullptr;
        return benchcold::report(r);
    }
    const QSet<benchtexts::DistinctText> distinct =
        benchtexts::loadTexts(QDir(folder).filePath(QStringLiteral("distinct.texts")));
    FloorWalk walk(folder);
    if (!walk.ready() || distinct.isEmpty())
        return benchcold::report(benchcold::Run{});
    return benchcold::report(benchcold::timeTask([&] {
        benchmark::DoNotOptimize(walk.run(distinct));
        return true;
    }));
}

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
    // The memory the programs keep, as they keep it.
    pf::sys::keepFreedMemory();
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    pf::ui::installPersianFonts();
    if (argc == 4 && QByteArray(argv[1]) == "--child")
        return childMain(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if ((argc == 4 || argc == 5) && QByteArray(argv[1]) == "--cold")
        return coldMain(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                        argc == 5 ? QByteArray(argv[4]).toInt() : 50);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
