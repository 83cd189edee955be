// The per-space heating pages of the equipment booklet for a large project:
// 50 floors x 4 units x 10 spaces, half of them with radiators and half with
// unit heaters (1000 rows each), with their stored per-space results.
//   BM_RadiatorPage    the radiator spaces selected, their rows read and
//                      worked out, and the page laid out (every page)
//   BM_UnitHeaterPage  the same for the unit-heater page
// The pages' count is printed as a counter ("pages").
#include "boravest/data/TableSchemas.h"
#include "boravest/data/UnitDm.h"
#include "boravest/eqbook/RepUnit6.h"
#include "boravest/eqbook/RepUnit7.h"
#include "WidgetBench.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kFloors = 50, kUnits = 4, kSpaces = 10;

struct Project {
    QTemporaryDir dir;
    TDM1 dm;

    Project()
    {
        pf::db::Session::addPassword(QStringLiteral("38617"));
        schema::createDataFolder(dir.path());
        DM1 = &dm;
        dm.Database1->setDirectory(dir.path());
        dm.Database1->open();
        pf::db::Database &db = *dm.Database1;
        db.transaction([&] {
            db.exec(QStringLiteral("insert into Bank1 (SHPROJE, NAME, SHAHR) values (1, 'big', 'tehran')"));
            for (int f = 0; f < kFloors; ++f)
                for (int u = 1; u <= kUnits; ++u) {
                    db.exec(QStringLiteral("insert into bankvh (Shproje,Shsk,Tabage,Shvahed,Ertefa,Sf,Z_ertefa) "
                                           "values (1,1,?,?,10,10,0)"),
                            {f, u});
                    for (int s = 1; s <= kSpaces; ++s) {
                        const bool radiators = s % 2 == 1;
                        db.exec(QStringLiteral("insert into bankfz (Shproje,Shsk,Tabage,Shvahed,Faza,Codefaza,Ti_,"
                                               "E_Rad,T_UH,Q_room,Radiat,Modelradiat) "
                                               "values (1,1,?,?,?,?,68,?,?,?,?,?)"),
                                {f, u, QStringLiteral("room %1").arg(s), s, radiators ? 1 : 0, radiators ? 0 : 2,
                                 2400 + 50 * s, radiators ? 1.05 : 1.28,
                                 radiators ? QString::number(6 + s % 4 * 2) : QString::number(s % 18 + 1)});
                    }
                }
        });
    }
    ~Project() { DM1 = nullptr; }
};

Project &project()
{
    static std::unique_ptr<Project> p;
    if (!p)
        p = std::make_unique<Project>();
    return *p;
}

void selectSpaces(pf::db::Query *q, const char *condition)
{
    q->close();
    q->sql().clear();
    q->sql() << QStringLiteral("SELECT Bankfz.Tabage, Bankfz.Shvahed, Bankfz.Faza, Bankfz.Ti_, Bankfz.Q_room, "
                               "Bankfz.Radiat, Bankfz.Modelradiat, Bankfz.T_UH FROM Bankvh, Bankfz")
             << QStringLiteral("WHERE (Bankvh.Shproje = :p) AND (Bankfz.Shproje = :p) AND (Bankvh.Shsk = Bankfz.Shsk)")
             << QStringLiteral("AND (Bankvh.Tabage = Bankfz.Tabage) AND (Bankvh.Shvahed = Bankfz.Shvahed) AND ") +
                    QString::fromLatin1(condition)
             << QStringLiteral("order by Bankfz.Shproje, Bankfz.Shsk, Bankfz.Tabage, Bankfz.Shvahed");
    q->paramByName(QStringLiteral("p")).setAsFloat(1);
    q->open();
}

QString text(pf::db::Query *q, const char *f) { return q->fieldByName(QString::fromLatin1(f)).asString(); }

void BM_RadiatorPage(benchmark::State &state)
{
    project();
    TReport6 page;
    int pages = 0;
    for (auto _ : state) {
        pf::db::Query *q = DM1->Query3;
        selectSpaces(q, "(Bankfz.E_Rad = 1)");
        RadiatorPageInputs in;
        in.S_R_PG_R = 0;
        for (q->first(); !q->eof(); q->next())
            in.records.push_back({q->fieldByName(QStringLiteral("Tabage")).asInteger(), text(q, "Radiat"),
                                  text(q, "Modelradiat")});
        q->first();
        page.build(in, {});
        pages = int(page.QuickRep1.render().pages.size());
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_RadiatorPage)->Unit(benchmark::kMillisecond);

void BM_UnitHeaterPage(benchmark::State &state)
{
    project();
    TReport7 page;
    int pages = 0;
    for (auto _ : state) {
        pf::db::Query *q = DM1->Query4;
        selectSpaces(q, "(Bankfz.T_UH > 0)");
        std::vector<UnitHeaterSpaceRecord> records;
        for (q->first(); !q->eof(); q->next())
            records.push_back({q->fieldByName(QStringLiteral("Tabage")).asInteger(), text(q, "T_UH"),
                               text(q, "Radiat"), text(q, "Modelradiat")});
        q->first();
        page.build(records);
        pages = int(page.QuickRep1.render().pages.size());
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_UnitHeaterPage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) { return runWidgetBenchmarks(argc, argv); }
