// The equipment booklet of a large project, every section ticked, built as
// the engineer builds it: the booklet form's Preview recomputes every section
// through the equipment window's operations in report mode (storing the
// per-space and per-unit results) and lays out the joined pages. The whole
// program runs offscreen over a fresh data folder; the preview is answered
// at once.
//   BM_EquipmentBooklet/F   F floors x 4 units x 10 spaces x 6 surfaces,
//                           after one build untimed:
//                           build_and_layout_ms is the click (sizings, page
//                           builds, stored results, layout, the preview
//                           made); layout_ms the joined pages laid out once
//                           more on their own while the preview is up, in a
//                           run of its own after the timed ones; sizing_ms
//                           the rest
//   BM_EquipmentBookletFloor/F  its floor: the rows the build reads (the
//                           project's and its equipment record, the floor-
//                           and-unit rows, spaces and surfaces, the columns
//                           the build reads) each read once through prepared
//                           SQLite statements, numbers as numbers and texts
//                           as texts; every update of a result row the build
//                           must make (the furnace stores in every space, each
//                           other sizing in its own spaces, and each section's
//                           page reads back what its sizing stored, so a space
//                           is written once by each sizing that stores in it),
//                           made once through one prepared statement per
//                           column set, all in one transaction committed as
//                           the program commits (a main database in a file,
//                           so that the files written commit together through
//                           a super-journal); and one layout of each distinct
//                           text of the booklet's pages
//   BM_ColdEquipmentBooklet/F  the same build as a user's first click: in a
//                           fresh process of its own, the program started
//                           over the data folder and the project chosen,
//                           one build timed with nothing built before; its
//                           floor run the same way before each build
//                           (ColdRun.h); "ratio" is the median of each build
//                           over its floor, "faults" and "floor_faults" the
//                           page faults each took while timed
//   BM_ColdEquipmentBookletFloor/F  those floor runs, each in a fresh
//                           process (what it reads, writes and lays out
//                           handed in by a file)
//   BM_CollectorSizing/F    the collectors and risers sizing of the same
//                           project as a plain function (read, size, store):
//                           the work of the collector step, whichever way
//                           the window's operation carries it out
// The work each benchmark times is one function of its own (timed...), for
// an instruction count of it alone (valgrind --tool=callgrind
// --toggle-collect='*timedBooklet*').
// Half the spaces have radiators, one in five unit heaters, one in ten a
// furnace outlet and four in five extract fans; every unit has risers.
#include "ColdRun.h"
#include "DistinctTexts.h"
#include "FloorRows.h"
#include "WidgetBench.h"
#include "boravest/app/Forms.h"
#include "boravest/app/U1.h"
#include "boravest/data/CollectorsStore.h"
#include "boravest/data/ProgramState.h"
#include "boravest/data/TableSchemas.h"
#include "boravest/data/UnitDm.h"
#include "boravest/eqbook/U23.h"
#include "boravest/sizing/Collectors.h"
#include "boravest/equipment/U_15Booklet.h"
#include "platform/report/Preview.h"
#include "platform/system/DisplayMode.h"
#include "platform/system/Settings.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Fonts.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>

namespace {

constexpr int kUnits = 4, kSpaces = 10;

struct Program {
    QTemporaryDir tmp;
    QString root; // the program folder: a fresh one, or one made before
    pf::sys::FakeDisplayMode display{QSize(800, 600)};
    int messages = 0;
    int pages = 0;
    bool layOutAgain = false; // the preview lays the joined pages out once more
    double layoutSeconds = 0;
    pf::report::Document shown; // the pages of the last preview

    explicit Program(const QString &folder = QString()) : root(folder.isEmpty() ? tmp.path() : folder)
    {
        pf::sys::Settings::setStorePath(QDir(root).filePath(QStringLiteral("registry.ini")));
        pf::sys::setDisplayMode(&display);
        SetProgramFolder(root);
        schema::createProgramTable(root);
        schema::createDataFolder(QDir(root).filePath(QStringLiteral("Boravestdata")));
        pf::ui::setMessageHook([this](const QString &) { ++messages; });
        // The preview: its pages kept, when asked the joined report laid out
        // once more on its own, then closed at once.
        pf::ui::setModalHook([this](QWidget *w) {
            if (auto *p = qobject_cast<pf::report::ReportPreview *>(w)) {
                pages = p->pageCount();
                shown = p->document();
                if (!layOutAgain)
                    return 0;
                QElapsedTimer clock;
                clock.start();
                const pf::report::Document doc = QRCompositeReport1.render();
                layoutSeconds = double(clock.nsecsElapsed()) / 1e9;
                benchmark::DoNotOptimize(doc.pages.size());
            }
            return 0;
        });
        CreateAllForms();
        Form1->FormShow();
        Form1->FormActivate();
    }
    ~Program()
    {
        DestroyAllForms();
        pf::ui::setModalHook(nullptr);
        pf::ui::setMessageHook(nullptr);
        pf::sys::setDisplayMode(nullptr);
    }
};

Program *g_program = nullptr;
// Floors -> seconds per booklet build.
std::map<int, double> g_bookletSeconds;

// Project `p` of `floors` floors with its equipment record.
void addProject(int p, int floors)
{
    pf::db::Database &db = *DM1->Database1;
    db.transaction([&] {
        db.exec(QStringLiteral("insert into Bank1 (SHPROJE, NAME, SHAHR, DATE1, CoN, EngN, Ga, Tg, Ti1, Hi) "
                               "values (?, 'big', 'tehran', '1383/05/01', 'karan', 'rezaei', 1.02, 55, 70, 3900)"),
                {p});
        for (int f = 0; f < floors; ++f)
            for (int u = 1; u <= kUnits; ++u) {
                db.exec(QStringLiteral("insert into bankvh (Shproje,Shsk,Tabage,Shvahed,Ertefa,Sf,Z_ertefa,T_Rz) "
                                       "values (?,?,?,?,10,10,?,?)"),
                        {p, p, f, u, f > 10 ? 5 : 0, 1 + u % 2});
                for (int s = 1; s <= kSpaces; ++s) {
                    const int radiators = s % 2, unitHeaters = (s % 5 == 2) ? 1 : 0, furnace = s == 10 ? 1 : 0;
                    db.exec(QStringLiteral("insert into bankfz (Shproje,Shsk,Tabage,Shvahed,Faza,Codefaza,Ertefa,Ti_,"
                                           "To_,A_,V_,Air_,V_varm,E_Rad,T_UH,E_Kore,Te_Hav,To_Mo_Hav) "
                                           "values (?,?,?,?,'room',?,8,70,10,120,960,1,0,?,?,?,?,?)"),
                            {p, p, f, u, s, radiators, unitHeaters, furnace, s % 5 == 0 ? 0 : 1 + s % 2, 10 * s});
                    for (int k = 0; k < 6; ++k) {
                        const int kind = k < 2 ? 0 : k - 1; // walls, window, door, roof, floor
                        db.exec(QStringLiteral("insert into bankjd (Shproje,Shsk,Tabage,Shvahed,CodeFaza,Jedare,"
                                               "Id_jedar,Id_njedar,Id_gjedar,Masa1,Masa2,Z_1,Z_2,To_,Ti_) "
                                               "values (?,?,?,?,?,'w',?,?,?,?,0,?,0,?,70)"),
                                {p, p, f, u, s, kind, k % 2, kind < 3 ? (s + k) % 8 : -1, 60 + 10 * k, 0.2 + 0.05 * k,
                                 k % 2 ? 10 : 60});
                    }
                }
            }
        db.exec(QStringLiteral(
                    "INSERT INTO Tajhizat (Shproje, NameS, NSakh, TySo, HU, Masa_z, Masa_Ar, Masa_Aa, TeaSak, Van, Dosh, "
                    "WCKh, SinkZar, LaganPa, DamAbSh, DamAbMa, DamAbBeh, DAbgarm, FPBM, MErAT, MTZA, TSPS, ErtefaS, "
                    "TolSevic, OfteFeshar, EkhtDama, TolRadiat, Typ_MAM, Randeman, T_Manba, T_Pomp, S_masaref, Z_Et, "
                    "Te_Dig, Rand_Dig, K_A_Dig, Typ_Dig, Rand_Kore, K_A_Kore, D_H_B_Kore, D_H_T_Kore, S_R_PG_R, "
                    "V_B_M_E, Typ_ME, Rand_Mash, TeDo, TAmD, TOfD, Zano90, Te_Sir, Rand_sir, Oft_F_B_U_Sir, "
                    "Oft_F_D_K_Sir, K_B_L_Sir, Te_SG, S_Sh_SG, RandeSkgir, SakhAb, Oft_f_kan_Hav, So_Kh_H_Hav, "
                    "Mass_Est, Mass_Jak) VALUES "
                    "(?, 'مسكوني', 0, 1, 1000, 5000, 4000, 16000, 200, 20, 30, 40, 20, 10, 50, 110, 140, 180, 20, 10, "
                    "0.5, 6, 500, 100, 4, 20, 300, 0, 70, 2, 1, 10, 20, 2, 80, 10, 0, 80, 10, 70, 30, 0, 50, 0, 80, 1, "
                    "60, 20, 2, 1, 70, 10, 12, 80, 1, 24, 50, 171, 0.1, 4000, 400, 50)"),
                {p});
    });
}

// Project `p` of `floors` floors, added on first use.
void ensureProject(int p, int floors)
{
    static std::map<int, bool> added;
    if (!added[p]) {
        addProject(p, floors);
        added[p] = true;
    }
}

void select(int p)
{
    DM1->Table1->close();
    DM1->Table1->open();
    DM1->Table1->locate(QStringLiteral("SHPROJE"), {double(p)});
    Form23->Label16Click();
    for (int i = 1; i <= 12; ++i)
        Form23->setSectionTicked(i, true);
}

[[gnu::noinline]] void timedBooklet()
{
    Form23->Bt1Click();
}

void BM_EquipmentBooklet(benchmark::State &state)
{
    const int floors = int(state.range(0));
    const int p = floors; // one project per size
    ensureProject(p, floors);
    Program &prog = *g_program;
    // One build untimed first: the process's first loads the fonts and
    // prepares the statements, as the floor's setup does before it is timed.
    select(p);
    Form23->Bt1Click();
    double total = 0;
    QElapsedTimer clock;
    for (auto _ : state) {
        select(p);
        prog.pages = 0;
        clock.start();
        timedBooklet();
        const double s = double(clock.nsecsElapsed()) / 1e9;
        state.SetIterationTime(s);
        total += s;
    }
    const double n = double(state.iterations());
    g_bookletSeconds[floors] = total / n;
    // The joined pages laid out once more while the preview is up, apart.
    select(p);
    prog.layOutAgain = true;
    Form23->Bt1Click();
    prog.layOutAgain = false;
    state.counters["build_and_layout_ms"] = total / n * 1000;
    state.counters["layout_ms"] = prog.layoutSeconds * 1000;
    state.counters["sizing_ms"] = (total / n - prog.layoutSeconds) * 1000;
    state.counters["pages"] = prog.pages;
    state.counters["spaces"] = floors * kUnits * kSpaces;
    state.counters["sections"] = double(std::count(ReportSections.begin(), ReportSections.end(), true));
}
BENCHMARK(BM_EquipmentBooklet)->Arg(50)->Arg(100)->Arg(200)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The updates one build makes, found by watching it: each row written, in
// the order written, with the statement that wrote it.
struct StoredRows {
    std::vector<std::string> statements;          // by first use
    std::vector<std::pair<int, sqlite3_int64>> updates; // statement, rowid
    std::map<std::string, std::set<sqlite3_int64>> rows; // schema.table -> rows
    std::map<int, std::string> tableOf;           // statement -> table
    int current = -1;
};

int noteStatement(unsigned, void *to, void *stmt, void *)
{
    auto *s = static_cast<StoredRows *>(to);
    const char *sql = sqlite3_sql(static_cast<sqlite3_stmt *>(stmt));
    const std::string text = sql ? sql : "";
    const auto it = std::find(s->statements.begin(), s->statements.end(), text);
    s->current = int(it - s->statements.begin());
    if (it == s->statements.end())
        s->statements.push_back(text);
    return 0;
}

void noteUpdate(void *to, int op, const char *, const char *table, sqlite3_int64 rowid)
{
    auto *s = static_cast<StoredRows *>(to);
    if (op != SQLITE_UPDATE)
        return;
    s->updates.emplace_back(s->current, rowid);
    s->tableOf[s->current] = table;
    s->rows[table].insert(rowid);
}

// The floor's connection: every table file of the build attached under its
// own name to a main database in a file of the data folder, as the
// program's connection is; one thread, no locking between calls.
struct FloorDb {
    sqlite3 *db = nullptr;
    std::vector<sqlite3_stmt *> reads;
    std::vector<std::vector<char>> text; // per read, per column: read as text
    // One statement per column set the build writes, and each update the
    // build makes, in its order: the statement, then the values and rowid.
    std::vector<sqlite3_stmt *> writes;
    std::vector<std::pair<int, std::vector<sqlite3_value *>>> updates;
    ~FloorDb()
    {
        for (sqlite3_stmt *st : reads)
            sqlite3_finalize(st);
        for (sqlite3_stmt *st : writes)
            sqlite3_finalize(st);
        for (auto &[statement, row] : updates)
            for (sqlite3_value *v : row)
                sqlite3_value_free(v);
        sqlite3_close(db);
    }
};

// What the floor does, found from one build: the booklet's distinct texts,
// one update statement per column set the build wrote (setting the same
// columns by rowid), and each update the build made, in its order: the
// statement, the read of the values the row holds after the build, the row.
struct FloorPlan {
    QSet<benchtexts::DistinctText> distinct;
    QStringList writes;
    struct Update {
        int write = 0;
        QString read;
        qint64 rowid = 0;
    };
    std::vector<Update> updates;
    qint64 rows = 0;      // rows the build wrote
    qint64 buildUpdates = 0;

    bool save(const QString &path) const
    {
        const QString texts = path + QStringLiteral(".texts");
        if (!benchtexts::saveTexts(texts, distinct))
            return false;
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return false;
        QDataStream out(&f);
        out << writes << qint64(updates.size());
        for (const Update &u : updates)
            out << u.write << u.read << u.rowid;
        return out.status() == QDataStream::Ok;
    }
    static FloorPlan load(const QString &path)
    {
        FloorPlan p;
        p.distinct = benchtexts::loadTexts(path + QStringLiteral(".texts"));
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return p;
        QDataStream in(&f);
        qint64 n = 0;
        in >> p.writes >> n;
        for (qint64 i = 0; i < n && in.status() == QDataStream::Ok; ++i) {
            Update u;
            in >> u.write >> u.read >> u.rowid;
            p.updates.push_back(u);
        }
        return p;
    }
};

// The plan, from one build of project `p` watched.
FloorPlan floorPlan(int p)
{
    Program &prog = *g_program;
    select(p);
    StoredRows stored;
    sqlite3 *programDb = DM1->Database1->handle();
    sqlite3_update_hook(programDb, &noteUpdate, &stored);
    sqlite3_trace_v2(programDb, SQLITE_TRACE_STMT, &noteStatement, &stored);
    Form23->Bt1Click();
    sqlite3_trace_v2(programDb, 0, nullptr, nullptr);
    sqlite3_update_hook(programDb, nullptr, nullptr);
    FloorPlan plan;
    plan.distinct = benchtexts::distinctTexts(prog.shown);
    std::map<int, int> writeOf; // build statement -> floor statement
    std::map<int, QStringList> columnsOf;
    for (const auto &[statement, table] : stored.tableOf) {
        const QString sql = QString::fromStdString(stored.statements[size_t(statement)]);
        const qsizetype set = sql.indexOf(QStringLiteral(" set "), 0, Qt::CaseInsensitive);
        const qsizetype where = sql.indexOf(QStringLiteral(" where "), 0, Qt::CaseInsensitive);
        if (set < 0 || where < set)
            return FloorPlan(); // an update the floor cannot read
        QStringList names, sets;
        for (const QString &assignment : sql.mid(set + 5, where - set - 5).split(u','))
            names << assignment.section(u'=', 0, 0).trimmed();
        for (const QString &n : names)
            sets << n + QStringLiteral(" = ?");
        const QString t = QString::fromStdString(table);
        writeOf[statement] = int(plan.writes.size());
        plan.writes << QStringLiteral("update %1.%1 set %2 where rowid = ?").arg(t, sets.join(QStringLiteral(", ")));
        columnsOf[statement] = names;
    }
    for (const auto &[statement, rowid] : stored.updates)
        plan.updates.push_back({writeOf[statement],
                                QStringLiteral("select %2, rowid from %1.%1 where rowid = ?")
                                    .arg(QString::fromStdString(stored.tableOf[statement]),
                                         columnsOf[statement].join(QStringLiteral(", "))),
                                rowid});
    for (const auto &[table, ids] : stored.rows)
        plan.rows += qint64(ids.size());
    plan.buildUpdates = qint64(stored.updates.size());
    return plan;
}

// A connection over the program folder's data folder with its tables
// attached, as the floor's is.
sqlite3 *floorConnection(const QString &root)
{
    const QString folder = QDir(root).filePath(QStringLiteral("Boravestdata"));
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QDir(folder).filePath(QStringLiteral("~floor.tmp")).toUtf8().constData(), &db,
                    SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    for (const char *t : {"Bank1", "Tajhizat", "bankvh", "bankfz", "bankjd"}) {
        const QString sql = QStringLiteral("ATTACH DATABASE '%1' AS %2")
                                .arg(QDir(folder).filePath(QString::fromLatin1(t) + QStringLiteral(".DB")),
                                     QString::fromLatin1(t));
        sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    }
    return db;
}

// The floor's statements prepared and its updates' values read, the values
// through a connection of their own, so that the floor's starts with
// nothing read. Empty on success, else the engine's message.
std::string openFloor(FloorDb &f, const QString &root, const FloorPlan &plan)
{
    std::vector<std::pair<int, std::vector<sqlite3_value *>>> updates;
    {
        sqlite3 *values = floorConnection(root);
        for (const FloorPlan::Update &u : plan.updates) {
            sqlite3_stmt *st = nullptr;
            if (sqlite3_prepare_v2(values, u.read.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
                const std::string error = sqlite3_errmsg(values);
                sqlite3_close(values);
                return error;
            }
            sqlite3_bind_int64(st, 1, u.rowid);
            if (sqlite3_step(st) == SQLITE_ROW) {
                std::vector<sqlite3_value *> row;
                for (int c = 0; c < sqlite3_column_count(st); ++c)
                    row.push_back(sqlite3_value_dup(sqlite3_column_value(st, c)));
                updates.emplace_back(u.write, std::move(row));
            }
            sqlite3_finalize(st);
        }
        sqlite3_close(values);
    }
    f.updates = std::move(updates);
    f.db = floorConnection(root);
    for (const char *sql :
         {"select * from Bank1.Bank1 where SHPROJE = ?", "select * from Tajhizat.Tajhizat where Shproje = ?",
          "select No, Shproje, Shsk, Tabage, Shvahed, Sf, Z_ertefa, T_Rz from bankvh.bankvh where Shproje = ? "
          "order by Tabage, No",
          "select No, Shproje, Shsk, Tabage, Shvahed, Codefaza, Faza, Ti_, To_, A_, V_, Air_, V_varm, E_Rad, T_UH, "
          "E_Kore, Te_Hav, To_Mo_Hav from bankfz.bankfz where Shproje = ? order by No",
          "select Shproje, Shsk, Tabage, Shvahed, CodeFaza, Jedare, Id_jedar, Id_njedar, Id_gjedar, Masa1, Masa2, "
          "To_, Ti_, Z_1, Z_2 from bankjd.bankjd where Shproje = ? order by No"}) {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(f.db, sql, -1, &st, nullptr) != SQLITE_OK)
            return sqlite3_errmsg(f.db);
        f.reads.push_back(st);
        f.text.push_back(benchfloor::textColumns(st));
    }
    for (const QString &sql : plan.writes) {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(f.db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
            return sqlite3_errmsg(f.db);
        f.writes.push_back(st);
    }
    return std::string();
}

[[gnu::noinline]] double timedEquipmentFloor(FloorDb &f, int project,
                                             const QSet<benchtexts::DistinctText> &distinct)
{
    double sum = 0;
    sqlite3_exec(f.db, "BEGIN", nullptr, nullptr, nullptr);
    for (size_t r = 0; r < f.reads.size(); ++r) {
        sqlite3_stmt *st = f.reads[r];
        const std::vector<char> &text = f.text[r];
        sqlite3_bind_int(st, 1, project);
        while (sqlite3_step(st) == SQLITE_ROW)
            sum += benchfloor::readRow(st, text);
        sqlite3_reset(st);
    }
    for (const auto &[statement, row] : f.updates) {
        sqlite3_stmt *st = f.writes[size_t(statement)];
        for (int i = 0; i < int(row.size()); ++i)
            sqlite3_bind_value(st, i + 1, row[i]);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_exec(f.db, "COMMIT", nullptr, nullptr, nullptr);
    return sum + benchtexts::layOutEach(distinct);
}

void BM_EquipmentBookletFloor(benchmark::State &state)
{
    const int floors = int(state.range(0));
    const int p = floors;
    ensureProject(p, floors);
    const FloorPlan plan = floorPlan(p);
    if (plan.writes.isEmpty()) {
        state.SkipWithError("the build's updates could not be read");
        return;
    }
    FloorDb f;
    if (const std::string error = openFloor(f, g_program->root, plan); !error.empty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    QElapsedTimer clock;
    qint64 ns = 0;
    for (auto _ : state) {
        clock.start();
        benchmark::DoNotOptimize(timedEquipmentFloor(f, p, plan.distinct));
        ns += clock.nsecsElapsed();
    }
    const double floor = double(ns) / 1e9 / double(state.iterations());
    state.counters["distinct_texts"] = double(plan.distinct.size());
    state.counters["stored_rows"] = double(plan.rows);
    state.counters["build_updates"] = double(plan.buildUpdates);
    state.counters["floor_updates"] = double(f.updates.size());
    if (const auto it = g_bookletSeconds.find(floors); it != g_bookletSeconds.end())
        state.counters["ratio"] = it->second / floor;
}
BENCHMARK(BM_EquipmentBookletFloor)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// ---------------------------------------------------------------- cold

// The arguments of a cold task in a fresh process of this program, over
// this program's folder.
QStringList coldArgs(const char *task, int floors)
{
    return {QStringLiteral("--cold"), QString::fromLatin1(task), QString::number(floors), g_program->root};
}

// Floors -> the cold builds and floors, run in turns.
std::map<int, benchcold::Turns> g_coldTurns;

// The floor's plan of the project of `floors`, written beside it for the
// floor's fresh process.
bool writeFloorPlan(int floors)
{
    const QString path = QDir(g_program->root).filePath(QStringLiteral("floor%1.plan").arg(floors));
    return QFile::exists(path) || floorPlan(floors).save(path);
}

void BM_ColdEquipmentBooklet(benchmark::State &state)
{
    const int floors = int(state.range(0));
    ensureProject(floors, floors);
    if (!writeFloorPlan(floors)) {
        state.SkipWithError("the floor's plan could not be written");
        return;
    }
    benchcold::Turns turns;
    if (benchcold::takeTurns(state, coldArgs("booklet", floors), coldArgs("floor", floors), turns))
        g_coldTurns[floors] = std::move(turns);
}
BENCHMARK(BM_ColdEquipmentBooklet)->Arg(50)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);

void BM_ColdEquipmentBookletFloor(benchmark::State &state)
{
    const int floors = int(state.range(0));
    ensureProject(floors, floors);
    auto it = g_coldTurns.find(floors);
    if (it == g_coldTurns.end()) {
        // Run alone: its own runs.
        if (!writeFloorPlan(floors)) {
            state.SkipWithError("the floor's plan could not be written");
            return;
        }
        benchcold::Turns own;
        for (int i = 0; i < 7; ++i) {
            const benchcold::Run r = benchcold::run(coldArgs("floor", floors));
            if (r.seconds < 0) {
                state.SkipWithError("the cold floor failed");
                return;
            }
            own.floor.push_back(r.seconds);
            own.floorFaults.push_back(r.faults);
        }
        it = g_coldTurns.emplace(floors, std::move(own)).first;
    }
    benchcold::replayFloor(state, it->second);
}
BENCHMARK(BM_ColdEquipmentBookletFloor)->Arg(50)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);

// The cold side: the booklet of project `p` built once, or its floor run
// once, in this fresh process over the program folder `root` the parent
// made; prints the seconds. Under callgrind the task's own function counts
// alone:
//   valgrind --tool=callgrind --toggle-collect='*timedBooklet*' bench_eq_booklet --cold booklet 50 ROOT
//   valgrind --tool=callgrind --toggle-collect='*timedEquipmentFloor*' bench_eq_booklet --cold floor 50 ROOT
// after `--cold project 50 ROOT` has made the folder with the project and
// the floor's plan.
int coldMain(const QString &task, int p, const QString &root)
{
    if (task == QLatin1String("project")) {
        QDir().mkpath(root);
        Program program(root);
        g_program = &program;
        ensureProject(p, p);
        const bool saved = floorPlan(p).save(QDir(root).filePath(QStringLiteral("floor%1.plan").arg(p)));
        g_program = nullptr;
        return saved ? 0 : 1;
    }
    if (task == QLatin1String("booklet")) {
        Program program(root);
        g_program = &program;
        select(p);
        const benchcold::Run r = benchcold::timeTask([&] {
            timedBooklet();
            return program.pages > 0;
        });
        g_program = nullptr;
        return benchcold::report(r);
    }
    const FloorPlan plan = FloorPlan::load(QDir(root).filePath(QStringLiteral("floor%1.plan").arg(p)));
    FloorDb f;
    if (plan.writes.isEmpty() || plan.distinct.isEmpty() || !openFloor(f, root, plan).empty())
        return benchcold::report(benchcold::Run{});
    return benchcold::report(benchcold::timeTask([&] {
        benchmark::DoNotOptimize(timedEquipmentFloor(f, p, plan.distinct));
        return true;
    }));
}

void BM_CollectorSizing(benchmark::State &state)
{
    const int p = int(state.range(0));
    pf::db::Database &db = *DM1->Database1;
    for (auto _ : state) {
        const bv::data::CollectorProject proj = bv::data::readCollectorUnits(db, p);
        bv::sizing::CollectorsInputs in;
        in.units = proj.units;
        in.site = proj.site;
        in.EkhtDama = 20;
        in.OfteFeshar = 4;
        in.Typ_MAM = 2;
        in.reportMode = true;
        const bv::sizing::CollectorsResults r = bv::sizing::sizeCollectors(in);
        bv::data::storeCollectorResults(db, p, bv::sizing::collectorStoreRows(r));
        benchmark::DoNotOptimize(r.collectorLengthIn);
    }
}
// Runs after the booklets, so that their projects exist.
BENCHMARK(BM_CollectorSizing)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    if (argc == 5 && QByteArray(argv[1]) == "--cold") {
        const QString task = QString::fromLocal8Bit(argv[2]);
        const int p = QByteArray(argv[3]).toInt();
        const QString root = QString::fromLocal8Bit(argv[4]);
        int rc = 1;
        runWidgetBenchmarks(1, argv, [&] { rc = coldMain(task, p, root); });
        return rc;
    }
    return runWidgetBenchmarks(argc, argv, [] {
        Program program;
        g_program = &program;
        benchmark::RunSpecifiedBenchmarks();
        g_program = nullptr;
    });
}
