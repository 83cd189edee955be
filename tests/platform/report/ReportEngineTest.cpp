// The banded report engine over real table files: nested sub-details that
// follow their masters, page flow, events, elements and the joined report.
#include "platform/db/Db.h"
#include "platform/report/Report.h"
#include "platform/report/ReportFile.h"
#include "platform/ui/TextDirection.h"

#include "ReportTestUtil.h"
#include "support/TestSupport.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTextLayout>
#include <gtest/gtest.h>

#include <cmath>

using namespace pf::report;
using namespace reporttest;
namespace db = pf::db;

namespace {

// floors > units > spaces of one project, each level following its master
// through the dataset layer's master/detail link.
class BuildingData : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    db::Database database;
    db::Table floors, units, spaces;
    db::DataSource floorSource, unitSource;

    void SetUp() override
    {
        testsupport::resetSharedState();
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
                               {"Faza", db::FieldType::String, 20}},
                              {{"IPTVC", {"Shproje", "Tabage", "Shvahed", "Codefaza"}}},
                              false});
        database.open();
    }

    // floorCount floors of unitsPerFloor units of spacesPerUnit spaces; the
    // last unit of the last floor has no spaces.
    void fill(int floorCount, int unitsPerFloor, int spacesPerUnit)
    {
        database.transaction([&] {
            for (int t = 0; t < floorCount; ++t) {
                database.exec(QStringLiteral("insert into Tabage values (7, ?)"), {t});
                for (int v = 1; v <= unitsPerFloor; ++v) {
                    database.exec(QStringLiteral("insert into bankvh values (7, ?, ?)"), {t, v});
                    if (t == floorCount - 1 && v == unitsPerFloor)
                        continue;
                    for (int k = 1; k <= spacesPerUnit; ++k)
                        database.exec(QStringLiteral("insert into bankfz values (7, ?, ?, ?, ?)"),
                                      {t, v, k, spaceName(t, v, k)});
                }
            }
            // Another project's rows must not show.
            database.exec(QStringLiteral("insert into Tabage values (8, 0)"));
            database.exec(QStringLiteral("insert into bankvh values (8, 0, 1)"));
            database.exec(QStringLiteral("insert into bankfz values (8, 0, 1, 1, 'x')"));
        });
    }

    static QString spaceName(int t, int v, int k) { return QStringLiteral("S%1-%2-%3").arg(t).arg(v).arg(k); }

    void openChain(const QString &floorFilter = QStringLiteral("Shproje = 7"))
    {
        floors.setDatabase(&database);
        floors.setTableName(QStringLiteral("Tabage.DB"));
        floors.setIndexName(QStringLiteral("IPT"));
        floors.setFilter(floorFilter);
        floors.setFiltered(true);
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
    }
};

struct BookletForm {
    Report rep{QStringLiteral("QuickRep1")};
    Band *title, *floorBand, *summary, *footer;
    SubDetailBand *unitRows, *spaceRows;
    Band *spaceHeader, *spaceFooter, *unitFooter;
    Label *summaryCount, *unitCount;
    int spacesInUnit = 0;
    int spacesTotal = 0;

    BookletForm(db::Table &floors, db::Table &units, db::Table &spaces)
    {
        rep.dataset = &floors;
        rep.font = ReportFont::fromPixels(QStringLiteral("Traffic"), 13, true);
        title = rep.addBand(BandType::Title, QStringLiteral("TitleBand1"), 200);
        title->addLabel(QStringLiteral("QRTitle"), 300, 20, QStringLiteral("بار گرمايش"));
        floorBand = rep.addBand(BandType::Detail, QStringLiteral("DetailBand1"), 24);
        floorBand->addDBText(QStringLiteral("QRFloor"), 600, 2, &floors, QStringLiteral("Tabage"));

        unitRows = rep.addSubDetail(QStringLiteral("QRSubDetail1"), 24, nullptr, &units);
        unitRows->addDBText(QStringLiteral("QRUnit"), 500, 2, &units, QStringLiteral("Shvahed"));
        unitFooter = unitRows->addFooter(QStringLiteral("UnitFooter"), 20);
        unitFooter->addLabel(QStringLiteral("QRFloorEnd"), 10, 2, QStringLiteral("end of floor"));

        spaceRows = rep.addSubDetail(QStringLiteral("QRSubDetail2"), 30, unitRows, &spaces);
        spaceRows->addDBText(QStringLiteral("QRFaza"), 400, 4, &spaces, QStringLiteral("Faza"));
        spaceHeader = spaceRows->addHeader(QStringLiteral("SpaceHeader"), 22);
        spaceHeader->addLabel(QStringLiteral("QRHead"), 400, 2, QStringLiteral("فضا"));
        spaceFooter = spaceRows->addFooter(QStringLiteral("SpaceFooter"), 22);
        unitCount = spaceFooter->addLabel(QStringLiteral("QRUnitCount"), 400, 2);
        spaceRows->afterPrint = [this](Band &, bool printed) {
            if (printed) {
                ++spacesInUnit;
                ++spacesTotal;
            }
        };
        spaceFooter->beforePrint = [this](Band &, bool &) {
            unitCount->text = QStringLiteral("count %1").arg(spacesInUnit);
        };
        spaceFooter->afterPrint = [this](Band &, bool) { spacesInUnit = 0; };

        summary = rep.addBand(BandType::Summary, QStringLiteral("SummaryBand1"), 40);
        summaryCount = summary->addLabel(QStringLiteral("QRTotal"), 300, 10);
        summary->beforePrint = [this](Band &, bool &) { summaryCount->text = QStringLiteral("total %1").arg(spacesTotal); };

        footer = rep.addBand(BandType::PageFooter, QStringLiteral("PageFooterBand1"), 30);
        footer->addPageNumber(QStringLiteral("QRSysData1"), 350, 5, QStringLiteral("صفحه "));
        title->afterPrint = [this](Band &, bool) { spacesTotal = 0; };
    }
};

QStringList spaceTexts(const Document &doc)
{
    QStringList out;
    for (const QString &t : allTexts(doc))
        if (t.startsWith(QLatin1Char('S')))
            out << t;
    return out;
}

} // namespace

TEST_F(BuildingData, NestedSubDetailsFollowTheirMastersAcrossPages)
{
    fill(3, 3, 12);
    openChain();
    BookletForm form(floors, units, spaces);
    const Document doc = form.rep.render();

    // Every space of project 7 once, in floor, unit, space order.
    QStringList expected;
    for (int t = 0; t < 3; ++t)
        for (int v = 1; v <= 3; ++v)
            for (int k = 1; k <= 12 && !(t == 2 && v == 3); ++k)
                expected << BuildingData::spaceName(t, v, k);
    EXPECT_EQ(spaceTexts(doc), expected);
    ASSERT_GT(doc.pages.size(), 3);

    // The title on page 1 only; the summary closes the last page.
    int page = -1;
    ASSERT_TRUE(findRun(doc, QStringLiteral("بار گرمايش"), &page));
    EXPECT_EQ(page, 0);
    EXPECT_EQ(allTexts(doc).count(QStringLiteral("بار گرمايش")), 1);
    ASSERT_TRUE(findRun(doc, QStringLiteral("total 96"), &page));
    EXPECT_EQ(page, doc.pages.size() - 1);

    // A unit without spaces still prints its header and footer (count 0);
    // every other unit counts its 12 spaces.
    const QStringList all = allTexts(doc);
    EXPECT_EQ(all.count(QStringLiteral("count 12")), 8);
    EXPECT_EQ(all.count(QStringLiteral("count 0")), 1);
    EXPECT_EQ(all.count(QStringLiteral("فضا")), 9);
    EXPECT_EQ(all.count(QStringLiteral("end of floor")), 3);
    EXPECT_FALSE(all.contains(QStringLiteral("x")));

    // Each page ends with its number at the bottom; no row runs into it.
    const double pageBottom = mmToPx(297 - 10);
    for (int p = 0; p < doc.pages.size(); ++p) {
        const TextRun *num = nullptr;
        double lowestOther = 0;
        for (const auto &item : doc.pages[p].items) {
            const auto *t = std::get_if<TextRun>(&item);
            if (!t)
                continue;
            if (t->text.startsWith(QStringLiteral("صفحه ")))
                num = t;
            else
                lowestOther = std::max(lowestOther, t->rect.bottom());
        }
        ASSERT_TRUE(num) << "page " << p + 1;
        EXPECT_EQ(num->text, QStringLiteral("صفحه %1").arg(p + 1));
        EXPECT_NEAR(num->rect.top(), pageBottom - 30 + 5, 0.01);
        EXPECT_LE(lowestOther, pageBottom - 30);
        EXPECT_EQ(num->direction, Qt::RightToLeft);
    }
}

TEST_F(BuildingData, SavedPagesLoadBackTheSame)
{
    fill(2, 2, 20);
    openChain();
    BookletForm form(floors, units, spaces);
    QImage logo(40, 30, QImage::Format_ARGB32);
    logo.fill(QColor(20, 120, 200));
    Image *img = form.title->addImage(QStringLiteral("QRImage1"), QRectF(10, 10, 131, 139));
    img->picture = logo;
    img->stretch = true;
    Shape *rule = form.title->addShape(QStringLiteral("QRShape1"), ShapeKind::HorizontalLine, QRectF(0, 180, 718, 4));
    rule->penWidth = 2;
    const Document doc = form.rep.render();
    ASSERT_GT(doc.pages.size(), 1);

    const QString packed = tmp.filePath(QStringLiteral("booklet.QRP"));
    const QString plain = tmp.filePath(QStringLiteral("booklet-plain.QRP"));
    saveDocument(doc, packed);
    saveDocument(doc, plain, false);
    const Document a = loadDocument(packed);
    const Document b = loadDocument(plain);
    EXPECT_EQ(a, doc);
    EXPECT_EQ(b, doc);
    EXPECT_EQ(a.pages.size(), doc.pages.size());
    EXPECT_EQ(spaceTexts(a), spaceTexts(doc));
}

TEST_F(BuildingData, EmptyDatasetStillPrintsTitleAndSummary)
{
    fill(1, 1, 1);
    openChain(QStringLiteral("Shproje = 99"));
    BookletForm form(floors, units, spaces);
    Document doc = form.rep.render();
    ASSERT_EQ(doc.pages.size(), 1);
    const QStringList t = texts(doc.pages[0]);
    EXPECT_TRUE(t.contains(QStringLiteral("بار گرمايش")));
    EXPECT_TRUE(t.contains(QStringLiteral("total 0")));
    EXPECT_TRUE(t.contains(QStringLiteral("صفحه 1")));
    EXPECT_TRUE(spaceTexts(doc).isEmpty());

    form.rep.printIfEmpty = false;
    doc = form.rep.render();
    EXPECT_TRUE(doc.pages.isEmpty());
}

TEST_F(BuildingData, SharedDatasetPrintsHeadingOnceAndEveryRow)
{
    // A page whose report and sub-detail run over one query: the heading
    // band prints once above the rows; with no rows only title and summary.
    fill(1, 3, 3);
    db::Query q;
    q.setDatabase(&database);
    q.setSql(QStringLiteral("select Faza from bankfz where Shproje = 7 order by Shvahed, Codefaza"));
    q.open();
    Report rep;
    rep.dataset = &q;
    rep.addBand(BandType::Title, QStringLiteral("TitleBand1"), 50)->addLabel(QStringLiteral("T"), 10, 10, QStringLiteral("title"));
    rep.addBand(BandType::Detail, QStringLiteral("DetailBand1"), 57)->addLabel(QStringLiteral("H"), 10, 10, QStringLiteral("heading"));
    SubDetailBand *rows = rep.addSubDetail(QStringLiteral("QRSubDetail1"), 43, nullptr, &q);
    rows->addDBText(QStringLiteral("F"), 10, 10, &q, QStringLiteral("Faza"));
    rep.addBand(BandType::Summary, QStringLiteral("QRBand1"), 128)->addLabel(QStringLiteral("S"), 10, 10, QStringLiteral("sum"));
    Document doc = rep.render();
    EXPECT_EQ(allTexts(doc), (QStringList{"title", "heading", "S0-1-1", "S0-1-2", "S0-1-3", "S0-2-1", "S0-2-2",
                                          "S0-2-3", "sum"}));

    q.close();
    q.setSql(QStringLiteral("select Faza from bankfz where Shproje = 99"));
    q.open();
    doc = rep.render();
    EXPECT_EQ(allTexts(doc), (QStringList{"title", "sum"}));
}

TEST(ReportEvents, BandAndReportEventsDecideWhatPrints)
{
    Report rep;
    Band *title = rep.addBand(BandType::Title, QStringLiteral("TitleBand1"), 40);
    Label *a = title->addLabel(QStringLiteral("A"), 10, 10, QStringLiteral("alpha"));
    Label *b = title->addLabel(QStringLiteral("B"), 100, 10, QStringLiteral("beta"));
    Band *sum = rep.addBand(BandType::Summary, QStringLiteral("Summary"), 40);
    sum->addLabel(QStringLiteral("C"), 10, 10, QStringLiteral("gamma"));

    // A switched-off element is not printed.
    b->enabled = false;
    EXPECT_EQ(allTexts(rep.render()), (QStringList{"alpha", "gamma"}));

    // The before-print event fills a label and may veto the band this once.
    int calls = 0;
    bool lastPrinted = true;
    title->beforePrint = [&](Band &, bool &print) {
        ++calls;
        a->text = QStringLiteral("filled %1").arg(calls);
        print = calls != 2;
    };
    title->afterPrint = [&](Band &, bool printed) { lastPrinted = printed; };
    EXPECT_EQ(allTexts(rep.render()), (QStringList{"filled 1", "gamma"}));
    EXPECT_TRUE(lastPrinted);
    EXPECT_EQ(allTexts(rep.render()), (QStringList{"gamma"}));
    EXPECT_FALSE(lastPrinted);

    // A disabled band prints nothing and runs no events.
    title->enabled = false;
    const int before = calls;
    EXPECT_EQ(allTexts(rep.render()), (QStringList{"gamma"}));
    EXPECT_EQ(calls, before);

    // The report's own event may cancel the run: no pages at all.
    bool after = false;
    rep.beforePrint = [](Report &, bool &print) { print = false; };
    rep.afterPrint = [&](Report &) { after = true; };
    EXPECT_TRUE(rep.render().pages.isEmpty());
    EXPECT_FALSE(after);
}

TEST_F(BuildingData, GroupHeaderPrintsWhenItsKeyChanges)
{
    fill(1, 3, 4);
    db::Query q;
    q.setDatabase(&database);
    q.setSql(QStringLiteral("select Shvahed, Faza from bankfz where Shproje = 7 order by Shvahed, Codefaza"));
    q.open();
    Report rep;
    rep.dataset = &q;
    Band *g = rep.addGroupHeader(QStringLiteral("QRGroup1"), 20,
                                 [&] { return q.fieldByName(QStringLiteral("Shvahed")).asString(); });
    g->addDBText(QStringLiteral("GU"), 10, 2, &q, QStringLiteral("Shvahed"));
    rep.addBand(BandType::Detail, QStringLiteral("DetailBand1"), 20)
        ->addDBText(QStringLiteral("F"), 100, 2, &q, QStringLiteral("Faza"));
    // The last unit of the only floor has no spaces: units 1 and 2 remain.
    EXPECT_EQ(allTexts(rep.render()),
              (QStringList{"1", "S0-1-1", "S0-1-2", "S0-1-3", "S0-1-4", "2", "S0-2-1", "S0-2-2", "S0-2-3", "S0-2-4"}));
}

TEST_F(BuildingData, RowsFlowOntoNewPagesUnderRepeatedHeaders)
{
    fill(1, 2, 40); // 40 spaces in unit 1, none in unit 2
    openChain();
    Report rep;
    rep.dataset = &spaces; // follows the first unit of the first floor
    rep.firstPageHeader = false;
    rep.lastPageFooter = false;
    rep.addBand(BandType::PageHeader, QStringLiteral("PH"), 30)
        ->addLabel(QStringLiteral("P"), 10, 2, QStringLiteral("page header"));
    rep.addBand(BandType::ColumnHeader, QStringLiteral("CH"), 30)
        ->addLabel(QStringLiteral("C"), 10, 2, QStringLiteral("columns"));
    rep.addBand(BandType::PageFooter, QStringLiteral("PF"), 30)
        ->addPageNumber(QStringLiteral("N"), 10, 2, QStringLiteral("p"));
    rep.addBand(BandType::Detail, QStringLiteral("Rows"), 100)
        ->addDBText(QStringLiteral("F"), 10, 2, &spaces, QStringLiteral("Faza"));
    const Document doc = rep.render();
    // 1123 pixels of paper less margins, header, columns and footer leave
    // room for 9 rows of 100 on every page: 9 + 9 + 9 + 9 + 4.
    ASSERT_EQ(doc.pages.size(), 5);
    for (int p = 0; p < doc.pages.size(); ++p) {
        const QStringList t = texts(doc.pages[p]);
        EXPECT_EQ(t.contains(QStringLiteral("page header")), p > 0) << p;
        EXPECT_TRUE(t.contains(QStringLiteral("columns"))) << p;
        EXPECT_EQ(t.contains(QStringLiteral("p%1").arg(p + 1)), p + 1 < doc.pages.size()) << p;
    }
    EXPECT_EQ(spaceTexts(doc).size(), 40);
    EXPECT_EQ(spaceTexts(doc).first(), QStringLiteral("S0-1-1"));
    EXPECT_EQ(spaceTexts(doc).last(), QStringLiteral("S0-1-40"));
}

// Headers kept with what follows them. The page body is 1046.93 pixels
// (A4 less 10 mm margins, no page bands); a detail band of `fill` pixels
// takes the top of page 1, then a sub-detail over the spaces of the query
// prints a 40 pixel heading and 30 pixel rows, optionally grouped by unit
// under 20 pixel group headers.
class KeepWithNext : public BuildingData {
protected:
    db::Query q;
    Report rep;
    SubDetailBand *rows = nullptr;
    Band *heading = nullptr;

    void build(double fill, const QString &where = QStringLiteral("Shproje = 7"))
    {
        q.setDatabase(&database);
        q.setSql(QStringLiteral("select Shvahed, Faza from bankfz where %1 order by Shvahed, Codefaza").arg(where));
        q.open();
        rep.addBand(BandType::Detail, QStringLiteral("Filler"), fill)
            ->addLabel(QStringLiteral("FillText"), 10, 2, QStringLiteral("filler"));
        rows = rep.addSubDetail(QStringLiteral("QRSubDetail1"), 30, nullptr, &q);
        rows->addDBText(QStringLiteral("F"), 10, 2, &q, QStringLiteral("Faza"));
        heading = rows->addHeader(QStringLiteral("Heading"), 40);
        heading->addLabel(QStringLiteral("H"), 10, 2, QStringLiteral("heading"));
    }

    void groupByUnit()
    {
        rows->addGroupHeader(QStringLiteral("QRGroup1"), 20, [this] {
                return q.fieldByName(QStringLiteral("Shvahed")).asString();
            })->addDBText(QStringLiteral("GU"), 10, 2, &q, QStringLiteral("Shvahed"));
    }

    // 0-based page of the text, -1 when it is not printed; *top receives
    // its top edge.
    static int pageOf(const Document &doc, const QString &text, double *top = nullptr)
    {
        int page = -1;
        const auto run = findRun(doc, text, &page);
        if (run && top)
            *top = run->rect.top();
        return run ? page : -1;
    }

    const double T = mmToPx(10); // top of the body on every page
};

TEST_F(KeepWithNext, HeadingThatFitsOnlyAloneMovesWithItsFirstRow)
{
    fill(1, 3, 4); // units 1 and 2 of four spaces each
    build(990); // 56.93 left: the heading (40) fits, heading and row (70) do not
    const Document doc = rep.render();
    ASSERT_EQ(doc.pages.size(), 2);
    EXPECT_EQ(texts(doc.pages[0]), QStringList{"filler"});
    double top = 0;
    EXPECT_EQ(pageOf(doc, QStringLiteral("heading"), &top), 1);
    EXPECT_DOUBLE_EQ(top, T + 2);
    EXPECT_EQ(pageOf(doc, QStringLiteral("S0-1-1"), &top), 1);
    EXPECT_DOUBLE_EQ(top, T + 40 + 2);
    EXPECT_EQ(spaceTexts(doc).size(), 8);
}

TEST_F(KeepWithNext, HeadingAndFirstRowThatFitStayOnThePage)
{
    fill(1, 2, 4);
    build(970); // 76.93 left: heading and first row (70) fit
    const Document doc = rep.render();
    double top = 0;
    EXPECT_EQ(pageOf(doc, QStringLiteral("heading"), &top), 0);
    EXPECT_DOUBLE_EQ(top, T + 970 + 2);
    EXPECT_EQ(pageOf(doc, QStringLiteral("S0-1-1"), &top), 0);
    EXPECT_DOUBLE_EQ(top, T + 1010 + 2);
    EXPECT_EQ(pageOf(doc, QStringLiteral("S0-1-2"), &top), 1);
    EXPECT_DOUBLE_EQ(top, T + 2);
}

TEST_F(KeepWithNext, FirstRowIsMeasuredAsItWillPrint)
{
    // The row grows past its 30 pixels with a five line text: heading and
    // row no longer fit in the 86.93 pixels left, so both go on.
    fill(1, 2, 2);
    build(960);
    Label *tall = rows->addLabel(QStringLiteral("Tall"), 300, 2, QStringLiteral("a\nb\nc\nd\ne"));
    Document doc = rep.render();
    EXPECT_EQ(pageOf(doc, QStringLiteral("heading")), 1);
    EXPECT_EQ(pageOf(doc, QStringLiteral("S0-1-1")), 1);

    // A row that fills no more than its band: both stay.
    tall->enabled = false;
    doc = rep.render();
    EXPECT_EQ(pageOf(doc, QStringLiteral("heading")), 0);
    EXPECT_EQ(pageOf(doc, QStringLiteral("S0-1-1")), 0);
}

TEST_F(KeepWithNext, HeadingStaysWhenItsRowWouldNotFitOnAFreshPageEither)
{
    fill(1, 2, 2);
    build(990);
    rows->height = 1040; // with the heading taller than a whole page
    const Document doc = rep.render();
    EXPECT_EQ(pageOf(doc, QStringLiteral("heading")), 0);
    EXPECT_EQ(pageOf(doc, QStringLiteral("S0-1-1")), 1);
}

TEST_F(KeepWithNext, EmptySubDetailPrintsItsHeadingWhereItFits)
{
    // No rows: the heading has nothing to keep with and stays; the footer
    // that does not fit after it starts the next page, as before.
    fill(1, 1, 1);
    build(990, QStringLiteral("Shproje = 99"));
    rows->addFooter(QStringLiteral("Foot"), 30)->addLabel(QStringLiteral("FT"), 10, 2, QStringLiteral("footer"));
    ASSERT_TRUE(rows->printIfEmpty);
    const Document doc = rep.render();
    double top = 0;
    EXPECT_EQ(pageOf(doc, QStringLiteral("heading"), &top), 0);
    EXPECT_DOUBLE_EQ(top, T + 990 + 2);
    EXPECT_EQ(pageOf(doc, QStringLiteral("footer"), &top), 1);
    EXPECT_DOUBLE_EQ(top, T + 2);
    EXPECT_TRUE(spaceTexts(doc).isEmpty());
}

TEST_F(KeepWithNext, GroupHeadersStayWithTheRowsTheyHead)
{
    fill(1, 3, 4); // units 1 and 2 of four spaces each

    // 76.93 left: heading and unit 1's group header (60) would fit, but not
    // with the first row (90): all three start page 2 together.
    build(970);
    groupByUnit();
    Document doc = rep.render();
    EXPECT_EQ(texts(doc.pages[0]), QStringList{"filler"});
    EXPECT_EQ(pageOf(doc, QStringLiteral("heading")), 1);
    EXPECT_EQ(pageOf(doc, QStringLiteral("1")), 1);
    EXPECT_EQ(pageOf(doc, QStringLiteral("S0-1-1")), 1);
}

TEST_F(KeepWithNext, GroupHeaderBetweenRowsMovesWithItsFirstRow)
{
    // After heading, unit 1's group header and its four rows (180) 26.93
    // pixels are left: unit 2's header (20) fits but not with its row.
    fill(1, 3, 4);
    build(840);
    groupByUnit();
    const Document doc = rep.render();
    ASSERT_EQ(doc.pages.size(), 2);
    EXPECT_EQ(texts(doc.pages[0]),
              (QStringList{"filler", "heading", "1", "S0-1-1", "S0-1-2", "S0-1-3", "S0-1-4"}));
    double top = 0;
    EXPECT_EQ(pageOf(doc, QStringLiteral("2"), &top), 1);
    EXPECT_DOUBLE_EQ(top, T + 2);
    EXPECT_EQ(pageOf(doc, QStringLiteral("S0-2-1"), &top), 1);
    EXPECT_DOUBLE_EQ(top, T + 20 + 2);
}

TEST(ReportElements, FoundByNameAndKindForTheFontScheme)
{
    Report rep;
    Band *t = rep.addBand(BandType::Title, QStringLiteral("TitleBand1"), 100);
    t->addLabel(QStringLiteral("QRLabel1"), 0, 0, QStringLiteral("a"));
    t->addLabel(QStringLiteral("QRLabel2"), 0, 20, QStringLiteral("b"));
    t->addDBText(QStringLiteral("QRDBText1"), 0, 40, nullptr, QStringLiteral("Faza"));
    t->addShape(QStringLiteral("QRShape1"), ShapeKind::Rectangle, QRectF(0, 0, 10, 10));
    EXPECT_EQ(rep.find<Label>(QStringLiteral("qrlabel2"))->text, QStringLiteral("b"));
    EXPECT_EQ(rep.find<Label>(QStringLiteral("QRDBText1")), nullptr);
    EXPECT_EQ(rep.findBand(QStringLiteral("TitleBand1")), t);
    EXPECT_EQ(rep.elements(ElementKind::Label).size(), 2);
    EXPECT_EQ(rep.elementsOf<TextElement>().size(), 3);

    for (Label *l : rep.elementsOf<Label>())
        l->font.family = QStringLiteral("Nazli");
    const Document doc = rep.render();
    for (const auto &item : doc.pages[0].items) {
        if (const auto *run = std::get_if<TextRun>(&item)) {
            EXPECT_EQ(run->font.family, QStringLiteral("Nazli"));
        }
    }

    // One band of a kind; a second is refused.
    EXPECT_THROW(rep.addBand(BandType::Title, QStringLiteral("Other"), 10), ReportError);
}

TEST(ReportElements, ImagesShapesFramesAndZOrder)
{
    QTemporaryDir tmp;
    QImage pic(50, 40, QImage::Format_RGB32);
    pic.fill(Qt::red);
    const QString file = tmp.filePath(QStringLiteral("logo.png"));
    ASSERT_TRUE(pic.save(file));

    Report rep;
    Band *t = rep.addBand(BandType::Title, QStringLiteral("TitleBand1"), 300);
    Image *stretched = t->addImage(QStringLiteral("ImgTankAm"), QRectF(10, 10, 131, 139));
    ASSERT_TRUE(stretched->loadFromFile(file));
    stretched->stretch = true;
    Image *natural = t->addImage(QStringLiteral("ImgTankOf"), QRectF(10, 10, 30, 100));
    natural->picture = pic;
    natural->frame.setAll(true);
    QString error;
    EXPECT_FALSE(natural->loadFromFile(tmp.filePath(QStringLiteral("missing.png")), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(natural->picture.size(), pic.size()); // unchanged by the failure
    t->addShape(QStringLiteral("H"), ShapeKind::HorizontalLine, QRectF(0, 200, 718, 10));
    t->addShape(QStringLiteral("V"), ShapeKind::VerticalLine, QRectF(100, 220, 6, 50));

    const double L = mmToPx(10), T = mmToPx(10);
    Document doc = rep.render();
    const Page &page = doc.pages[0];
    QVector<ImageItem> images;
    QVector<LineItem> lines;
    for (const auto &item : page.items) {
        if (const auto *i = std::get_if<ImageItem>(&item))
            images << *i;
        if (const auto *l = std::get_if<LineItem>(&item))
            lines << *l;
    }
    ASSERT_EQ(images.size(), 2);
    EXPECT_EQ(images[0].rect, QRectF(L + 10, T + 10, 131, 139)); // stretched to its box
    EXPECT_EQ(images[1].rect, QRectF(L + 10, T + 10, 30, 40));   // cut to its box
    EXPECT_EQ(images[1].image.size(), QSize(30, 40));
    ASSERT_EQ(lines.size(), 6); // four sides of the frame, two lines
    EXPECT_EQ(lines[4].p1, QPointF(L, T + 205));
    EXPECT_EQ(lines[4].p2, QPointF(L + 718, T + 205));
    EXPECT_EQ(lines[5].p1, QPointF(L + 103, T + 220));
    EXPECT_EQ(lines[5].p2, QPointF(L + 103, T + 270));

    // The variant switched on and brought to the front is drawn last.
    stretched->enabled = false;
    natural->enabled = true;
    natural->sendToBack();
    stretched->enabled = true;
    stretched->bringToFront();
    doc = rep.render();
    int last = -1, firstNatural = -1;
    for (int i = 0; i < doc.pages[0].items.size(); ++i)
        if (const auto *im = std::get_if<ImageItem>(&doc.pages[0].items[i])) {
            if (im->rect.height() == 139)
                last = i;
            else if (firstNatural < 0)
                firstNatural = i;
        }
    EXPECT_GT(last, firstNatural);
}

TEST(ReportComposite, JoinsReportsInTheListedOrderWithRunningPageNumbers)
{
    Report a(QStringLiteral("A")), b(QStringLiteral("B")), c(QStringLiteral("C"));
    for (Report *r : {&a, &b, &c}) {
        r->addBand(BandType::Title, QStringLiteral("Title"), 30)->addLabel(QStringLiteral("T"), 0, 0, r->name());
        r->addBand(BandType::PageFooter, QStringLiteral("Footer"), 20)->addPageNumber(QStringLiteral("N"), 0, 0, QStringLiteral("#"));
    }
    bool withB = true;
    CompositeReport comp;
    comp.onAddReports = [&](CompositeReport &cr) {
        cr.add(&c);
        if (withB)
            cr.add(&b);
        cr.add(&a);
    };
    Document doc = comp.render();
    ASSERT_EQ(doc.pages.size(), 3);
    EXPECT_EQ(texts(doc.pages[0]), (QStringList{"C", "#1"}));
    EXPECT_EQ(texts(doc.pages[1]), (QStringList{"B", "#2"}));
    EXPECT_EQ(texts(doc.pages[2]), (QStringList{"A", "#3"}));

    // The list is built afresh on every run.
    withB = false;
    doc = comp.render();
    ASSERT_EQ(doc.pages.size(), 2);
    EXPECT_EQ(comp.reports().size(), 2);
    EXPECT_EQ(texts(doc.pages[1]), (QStringList{"A", "#2"}));

    CompositeReport none;
    EXPECT_TRUE(none.render().pages.isEmpty());
}

// The report walks shared datasets that open forms show: each is back on its
// record afterwards, and the forms' controls hear nothing while it runs,
// except from a dataset whose moves must reach a printed detail.
TEST_F(BuildingData, ReportLeavesTheCursorsWhereTheFormsHadThem)
{
    fill(3, 2, 3);
    openChain();
    BookletForm form(floors, units, spaces);
    floors.setRecNo(2);
    units.setRecNo(2);
    spaces.setRecNo(3);
    const qint64 floorMark = floors.bookmark(), unitMark = units.bookmark(), spaceMark = spaces.bookmark();
    int spaceSignals = 0;
    QObject::connect(&spaces, &db::Dataset::recordChanged, [&] { ++spaceSignals; });
    bool suspended = true, mastersLive = true;
    form.spaceRows->beforePrint = [&](Band &, bool &) {
        suspended = suspended && spaces.controlsDisabled();
        mastersLive = mastersLive && !floors.controlsDisabled() && !units.controlsDisabled();
    };

    const Document doc = form.rep.render();
    EXPECT_EQ(allTexts(doc).count(QStringLiteral("S2-1-3")), 1); // the walk still follows its masters
    EXPECT_TRUE(suspended);
    EXPECT_TRUE(mastersLive);
    EXPECT_LE(spaceSignals, 1); // told once, when the report is done
    EXPECT_FALSE(spaces.controlsDisabled());
    EXPECT_EQ(floors.bookmark(), floorMark);
    EXPECT_EQ(units.bookmark(), unitMark);
    EXPECT_EQ(spaces.bookmark(), spaceMark);
    EXPECT_EQ(spaces.fieldByName(QStringLiteral("Faza")).asString(), spaceName(1, 2, 3));
    EXPECT_FALSE(floors.eof());

    // A failing report puts them back too.
    form.spaceRows->beforePrint = [](Band &, bool &) { throw ReportError(QStringLiteral("failed")); };
    EXPECT_THROW(form.rep.render(), ReportError);
    EXPECT_EQ(spaces.bookmark(), spaceMark);
    EXPECT_FALSE(spaces.controlsDisabled());
}

TEST(ReportDrawing, PrintsItsItemsWhereItStandsAndNothingWhenSwitchedOff)
{
    Report rep;
    Band *t = rep.addBand(BandType::Title, QStringLiteral("Title"), 300);
    Drawing *d = t->addDrawing(QStringLiteral("Pic"), QRectF(20, 40, 200, 100));
    ReportFont f = ReportFont::fromPixels(QStringLiteral("Arial"), 10);
    d->items = {LineItem{QPointF(0, 0), QPointF(200, 100), 1.5, Qt::black},
                RectItem{QRectF(10, 10, 30, 20), 1, Qt::black, Qt::transparent},
                TextRun{QStringLiteral("آب"), f, Qt::RightToLeft, Qt::AlignRight, QRectF(50, 60, 40, 12)}};

    const double L = mmToPx(10), T = mmToPx(10);
    Document doc = rep.render();
    const Page &page = doc.pages[0];
    ASSERT_EQ(page.items.size(), 3);
    EXPECT_EQ(std::get<LineItem>(page.items[0]).p2, QPointF(L + 220, T + 140));
    EXPECT_EQ(std::get<RectItem>(page.items[1]).rect, QRectF(L + 30, T + 50, 30, 20));
    EXPECT_EQ(std::get<TextRun>(page.items[2]).rect, QRectF(L + 70, T + 100, 40, 12));

    d->enabled = false;
    EXPECT_TRUE(rep.render().pages[0].items.isEmpty());
}

// Records a form keeps of its own are walked as a dataset's rows would be:
// each level under its master's current record, headers with the first
// record current, a level without records printing its header and footer
// only when asked to.
TEST(ReportRecords, LevelsOfPlainValuesAreWalkedAsRows)
{
    const std::vector<std::vector<QStringList>> floors{{{"a", "b"}, {}}, {{"c"}}};
    int floor = 0, unit = 0, space = 0;
    Report rep;
    rep.records = {[&] { return int(floors.size()); }, [&](int i) { floor = i; }};
    Band *detail = rep.addBand(BandType::Detail, QStringLiteral("DetailBand1"), 20);
    Label *floorLabel = detail->addLabel(QStringLiteral("QRFloor"), 10, 2);
    detail->beforePrint = [&](Band &, bool &) { floorLabel->text = QStringLiteral("floor %1").arg(floor); };
    SubDetailBand *units = rep.addSubDetail(QStringLiteral("QRSubDetail1"), 20);
    units->records = {[&] { return int(floors[size_t(floor)].size()); }, [&](int i) { unit = i; }};
    Label *unitLabel = units->addLabel(QStringLiteral("QRUnit"), 10, 2);
    units->beforePrint = [&](Band &, bool &) { unitLabel->text = QStringLiteral("unit %1").arg(unit); };
    SubDetailBand *spaces = rep.addSubDetail(QStringLiteral("QRSubDetail2"), 20, units);
    spaces->records = {[&] { return int(floors[size_t(floor)][size_t(unit)].size()); }, [&](int i) { space = i; }};
    Label *spaceLabel = spaces->addLabel(QStringLiteral("QRSpace"), 10, 2);
    spaces->beforePrint = [&](Band &, bool &) {
        spaceLabel->text = floors[size_t(floor)][size_t(unit)][space];
    };
    Label *headLabel = spaces->addHeader(QStringLiteral("SpaceHeader"), 20)->addLabel(QStringLiteral("QRHead"), 10, 2);
    spaces->header()->beforePrint = [&](Band &, bool &) {
        headLabel->text = QStringLiteral("head %1").arg(space);
    };
    spaces->addFooter(QStringLiteral("SpaceFooter"), 20)->addLabel(QStringLiteral("QREnd"), 10, 2, QStringLiteral("end"));
    rep.addBand(BandType::Summary, QStringLiteral("SummaryBand1"), 20)
        ->addLabel(QStringLiteral("QRSum"), 10, 2, QStringLiteral("sum"));

    // Without records no record of the level is made current.
    EXPECT_EQ(allTexts(rep.render()), (QStringList{"floor 0", "unit 0", "head 0", "a", "b", "end", "unit 1", "head 1",
                                                   "end", "floor 1", "unit 0", "head 0", "c", "end", "sum"}));
    spaces->printIfEmpty = false;
    EXPECT_EQ(allTexts(rep.render()),
              (QStringList{"floor 0", "unit 0", "head 0", "a", "b", "end", "unit 1", "floor 1", "unit 0", "head 0", "c",
                           "end", "sum"}));
    // No records at all: the summary still prints, unless it may not.
    rep.records.count = [] { return 0; };
    EXPECT_EQ(allTexts(rep.render()), QStringList{"sum"});
    rep.printIfEmpty = false;
    EXPECT_TRUE(rep.render().pages.isEmpty());
}

// A width the form code asks for is the width the engine lays the text out
// with, during a run and outside one.
TEST(ReportRecords, TextWidthsAreThoseOfTheLayoutsPrinted)
{
    Report rep;
    Band *band = rep.addBand(BandType::Detail, QStringLiteral("DetailBand1"), 20);
    Label *label = band->addLabel(QStringLiteral("QRLabel1"), 500, 2, QStringLiteral("بار گرمايي 1250"));
    label->alignment = Qt::AlignRight;
    const double outside = rep.textWidth(label->text, label->font, label->direction);
    double during = -1, again = -1;
    band->beforePrint = [&](Band &, bool &) {
        during = rep.textWidth(*label, label->text);
        again = rep.textWidth(*label, label->text);
    };
    const Document doc = rep.render();
    const auto run = findRun(doc, label->text);
    ASSERT_TRUE(run);
    QTextLayout layout;
    layoutParagraph(layout, label->text, label->font, label->direction, Qt::AlignLeft, false, -1);
    EXPECT_EQ(outside, layout.lineAt(0).naturalTextWidth());
    EXPECT_EQ(during, outside);
    EXPECT_EQ(again, outside);
    EXPECT_EQ(run->rect.width(), std::ceil(outside));
}

// A text element that prints many values in turn, more than it keeps, in
// texts that share their characters and texts made afresh, in its own
// direction or their own, in a colour and then a font changed part way:
// every value prints as a fresh layout of it would, and the form code is
// given its width.
TEST(ReportRecords, TextsPrintedAgainAreThoseOfAFreshLayout)
{
    QStringList values;
    for (int i = 0; i < 12; ++i)
        values << (i % 3 == 0 ? QStringLiteral("اتاق %1").arg(i) : QString::number(i * 125) + QStringLiteral("-"));
    const int rows = 60;
    int row = 0;
    Report rep;
    rep.records = {[&] { return rows; }, [&](int i) { row = i; }};
    Band *detail = rep.addBand(BandType::Detail, QStringLiteral("DetailBand1"), 20);
    Label *label = detail->addLabel(QStringLiteral("QRLabel1"), 600, 2);
    label->alignment = Qt::AlignRight;
    std::vector<double> widths(rows);
    std::vector<ReportFont> fonts(rows);
    detail->beforePrint = [&](Band &, bool &) {
        const QString &v = values[(row * 7) % values.size()];
        label->text = row % 2 ? v : QString(v.constData(), v.size()); // shared, then a copy
        if (row == rows / 3)
            label->font.color = QColor(200, 0, 0);
        if (row == rows / 2)
            label->font = ReportFont::fromPixels(QStringLiteral("Titr"), 16, true);
        fonts[size_t(row)] = label->font;
        widths[size_t(row)] = rep.textWidth(*label, label->text);
    };
    const Document doc = rep.render();
    std::vector<TextRun> printed;
    for (const Page &page : doc.pages)
        for (const DrawItem &item : page.items)
            if (const auto *t = std::get_if<TextRun>(&item))
                printed.push_back(*t);
    ASSERT_EQ(int(printed.size()), rows);
    for (int i = 0; i < rows; ++i) {
        const QString text = values[(i * 7) % values.size()];
        const Qt::LayoutDirection own = pf::ui::textDirection(text, label->direction);
        QTextLayout fresh, measured;
        layoutParagraph(fresh, text, fonts[size_t(i)], own, Qt::AlignLeft, false, -1);
        layoutParagraph(measured, text, fonts[size_t(i)], label->direction, Qt::AlignLeft, false, -1);
        EXPECT_EQ(printed[size_t(i)].text, text) << i;
        EXPECT_EQ(printed[size_t(i)].direction, own) << i;
        EXPECT_EQ(printed[size_t(i)].font, fonts[size_t(i)]) << i;
        EXPECT_EQ(printed[size_t(i)].rect.width(), std::ceil(fresh.lineAt(0).naturalTextWidth())) << i;
        EXPECT_NEAR(printed[size_t(i)].rect.right(), 600 + mmToPx(rep.page.leftMarginMm), 1e-9) << i;
        EXPECT_EQ(widths[size_t(i)], measured.lineAt(0).naturalTextWidth()) << i;
    }
}
