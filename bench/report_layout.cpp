// The report engine on a booklet of about 500 pages: floors > units >
// spaces over real table files, laid out, painted, printed to PDF and saved
// to and loaded from a report file.
#include "platform/db/Db.h"
#include "platform/report/Preview.h"
#include "platform/report/Report.h"
#include "platform/report/ReportFile.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

using namespace pf::report;
namespace db = pf::db;

namespace {

constexpr int kFloors = 10;
constexpr int kUnits = 20;
constexpr int kSpaces = 103; // 20600 space rows, about 500 pages

struct Booklet {
    QTemporaryDir tmp;
    db::Database database;
    db::Table floors, units, spaces;
    db::DataSource floorSource, unitSource;
    Report rep;
    Label *sizeLabel = nullptr;
    double total = 0;

    Booklet()
    {
        database.setDatabaseName(QStringLiteral("Brv"));
        database.setDirectory(tmp.path());
        database.createTable({QStringLiteral("Tabage.DB"),
                              {{"Shproje", db::FieldType::Float}, {"Tabage", db::FieldType::Float}},
                              {{"IPT", {"Shproje", "Tabage"}}},
                              false});
        database.createTable({QStringLiteral("bankvh.DB"),
                              {{"Shproje", db::FieldType::Float}, {"Tabage", db::FieldType::Float},
                               {"Shvahed", db::FieldType::Float}},
                              {{"IPTV", {"Shproje", "Tabage", "Shvahed"}}},
                              false});
        database.createTable({QStringLiteral("bankfz.DB"),
                              {{"Shproje", db::FieldType::Float}, {"Tabage", db::FieldType::Float},
                               {"Shvahed", db::FieldType::Float}, {"Codefaza", db::FieldType::Float},
                               {"Faza", db::FieldType::String, 20}, {"Q_room", db::FieldType::Float}},
                              {{"IPTVC", {"Shproje", "Tabage", "Shvahed", "Codefaza"}}},
                              false});
        database.open();
        database.transaction([&] {
            for (int t = 0; t < kFloors; ++t) {
                database.exec(QStringLiteral("insert into Tabage values (1, ?)"), {t});
                for (int v = 1; v <= kUnits; ++v) {
                    database.exec(QStringLiteral("insert into bankvh values (1, ?, ?)"), {t, v});
                    for (int k = 1; k <= kSpaces; ++k)
                        database.exec(QStringLiteral("insert into bankfz values (1, ?, ?, ?, ?, ?)"),
                                      {t, v, k, QStringLiteral("اتاق خواب %1").arg(k), 1234.5 + k});
                }
            }
        });

        floors.setDatabase(&database);
        floors.setTableName(QStringLiteral("Tabage.DB"));
        floors.setIndexName(QStringLiteral("IPT"));
        floorSource.setDataSet(&floors);
        units.setDatabase(&database);
        units.setTableName(QStringLiteral("bankvh.DB"));
        units.setIndexName(QStringLiteral("IPTV"));
        units.setMasterSource(&floorSource);
        units.setMasterFields(QStringLiteral("Shproje;Tabage"));
        unitSource.setDataSet(&units);
        spaces.setDatabase(&database);
        spaces.setTableName(QStringLiteral("bankfz.DB"));
        spaces.setIndexName(QStringLiteral("IPTVC"));
        spaces.setMasterSource(&unitSource);
        spaces.setMasterFields(QStringLiteral("Shproje;Tabage;Shvahed"));
        floors.open();
        units.open();
        spaces.open();

        rep.dataset = &floors;
        rep.font = ReportFont::fromPixels(QStringLiteral("Traffic"), 13, true);
        Band *title = rep.addBand(BandType::Title, QStringLiteral("TitleBand1"), 200);
        Label *t = title->addLabel(QStringLiteral("QRLabel9"), 320, 19, QStringLiteral("رادياتور"));
        t->font = ReportFont::fromPixels(QStringLiteral("Titr"), 19, true, true);
        Band *floorBand = rep.addBand(BandType::Detail, QStringLiteral("DetailBand1"), 26);
        floorBand->addLabel(QStringLiteral("QRLabel1"), 600, 4, QStringLiteral("طبقه"));
        floorBand->addDBText(QStringLiteral("QRDBText1"), 560, 4, &floors, QStringLiteral("Tabage"));

        SubDetailBand *unitRows = rep.addSubDetail(QStringLiteral("QRSubDetail1"), 26, nullptr, &units);
        unitRows->addLabel(QStringLiteral("QRLabel2"), 600, 4, QStringLiteral("واحد "));
        unitRows->addDBText(QStringLiteral("QRDBText2"), 560, 4, &units, QStringLiteral("Shvahed"));

        SubDetailBand *rows = rep.addSubDetail(QStringLiteral("QRSubDetail2"), 24, unitRows, &spaces);
        Band *head = rows->addHeader(QStringLiteral("GroupHeaderBand1"), 30);
        for (int c = 0; c < 6; ++c)
            head->addLabel(QStringLiteral("QRHead%1").arg(c), 650 - c * 110, 6, QStringLiteral("ستون %1").arg(c + 1));
        head->frame.setAll(true);
        rows->addDBText(QStringLiteral("QRDBText3"), 600, 4, &spaces, QStringLiteral("Faza"));
        rows->addDBText(QStringLiteral("QRDBText4"), 490, 4, &spaces, QStringLiteral("Codefaza"));
        rows->addDBText(QStringLiteral("QRDBText5"), 380, 4, &spaces, QStringLiteral("Q_room"));
        sizeLabel = rows->addLabel(QStringLiteral("QRLabel29"), 270, 4);
        Label *factor = rows->addLabel(QStringLiteral("QRLabel25"), 160, 4, QStringLiteral("1.1"));
        factor->alignment = Qt::AlignRight;
        factor->geometry.setWidth(60);
        for (double x : {716.0, 550.0, 440.0, 330.0, 220.0, 110.0, 1.0})
            rows->addShape(QStringLiteral("QRShape%1").arg(int(x)), ShapeKind::VerticalLine, QRectF(x - 1, 0, 2, 24));
        rows->frame.bottom = true;
        rows->beforePrint = [this](Band &, bool &) {
            const int k = spaces.fieldByName(QStringLiteral("Codefaza")).asInteger();
            sizeLabel->text = k % 2 ? QStringLiteral("1/4 1") : QStringLiteral("1/2 2");
            total += spaces.fieldByName(QStringLiteral("Q_room")).asFloat();
        };
        Band *sum = rep.addBand(BandType::Summary, QStringLiteral("QRBand1"), 60);
        Label *sl = sum->addLabel(QStringLiteral("QRLabel16"), 400, 10);
        sum->beforePrint = [this, sl](Band &, bool &) { sl->text = QString::number(total, 'f', 0); };
        Band *footer = rep.addBand(BandType::PageFooter, QStringLiteral("PageFooterBand1"), 30);
        footer->addPageNumber(QStringLiteral("QRSysData1"), 340, 6, QStringLiteral("صفحه "));
    }
};

Booklet &booklet()
{
    static Booklet b;
    return b;
}

const Document &laidOut()
{
    static const Document doc = booklet().rep.render();
    return doc;
}

void BM_LayoutReport(benchmark::State &state)
{
    Booklet &b = booklet();
    qsizetype pages = 0;
    for (auto _ : state) {
        b.total = 0;
        Document doc = b.rep.render();
        pages = doc.pages.size();
        benchmark::DoNotOptimize(doc);
    }
    state.counters["pages"] = double(pages);
    state.counters["pages/s"] = benchmark::Counter(double(pages) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LayoutReport)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_PaintPages(benchmark::State &state)
{
    const Document &doc = laidOut();
    QImage img(doc.pageSizePx().toSize(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        PaintCache cache; // as the preview keeps one
        for (const Page &page : doc.pages) {
            img.fill(Qt::white);
            QPainter p(&img);
            paintPage(p, page, &cache);
        }
    }
    state.counters["pages"] = double(doc.pages.size());
    state.counters["pages/s"] =
        benchmark::Counter(double(doc.pages.size()) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PaintPages)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_PrintPdf(benchmark::State &state)
{
    const Document &doc = laidOut();
    QTemporaryDir tmp;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(tmp.filePath(QStringLiteral("booklet.pdf")));
        if (!printDocument(doc, &printer))
            state.SkipWithError("printing failed");
    }
    state.counters["pages"] = double(doc.pages.size());
}
BENCHMARK(BM_PrintPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SaveAndLoadReportFile(benchmark::State &state)
{
    const Document &doc = laidOut();
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray data = encodeDocument(doc, true);
        bytes = data.size();
        Document back = decodeDocument(data);
        benchmark::DoNotOptimize(back);
    }
    state.counters["file_bytes"] = double(bytes);
}
BENCHMARK(BM_SaveAndLoadReportFile)->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace

int main(int argc, char **argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
