// The heating-load booklet as printed: every step of a space worked by
// hand, the totals of units, floors and the building against the plain load
// rules, the plan rotation, negative values, and the rows the rules treat
// specially (zero areas, false ceilings, spaces without surfaces).
#include "BookletFixture.h"

#include "boravest/building/PersianWords.h"
#include "platform/report/ReportFile.h"

using building::KindDoor;
using building::KindFloor;
using building::KindRoof;
using building::KindWall;
using building::KindWindow;

namespace {

const QString kHeatLoss = QStringLiteral(":(Btu/h)تلفات حرارتي فضا");
const QString kSpaceLoad = QStringLiteral("بار گرمايي براي فضاي");
const QString kUnitTotal = QStringLiteral("(%) طبقه (Btu/h)");
const QString kFloorTotal = QStringLiteral("(Btu/h) با احتساب ضرايب");
const QString kBuildingTotal = QStringLiteral("(Btu/h) با احتساب كل ضرايب");

class Booklet : public BookletFixture {
protected:
    // One space worked by hand below: Ga 1, Tg 50; the unit has a safety
    // factor of 10 % and a height factor of 5 %.
    void handWorkedProject(double p)
    {
        project(p);
        unit(p, 1, 1, 10, 5);
        space(p, 1, 1, 3, QStringLiteral("پذيرايي"), room(70, 0, 200, 1600, 1, 500));
        // External wall facing north: 100 x 0.3 x 70 x 1.10 = 2310.
        surface(p, 1, 1, 3, wall(KindWall, 1, 0, 100, 0.3, 0));
        // External window facing east (no orientation factor): 20 x 1.23 x 70 = 1722.
        surface(p, 1, 1, 3, wall(KindWindow, 1, 2, 20, 1.23, 0));
        // Internal door to a space at 60 F: 20 x 0.7 x 10 = 140.
        surface(p, 1, 1, 3, wall(KindDoor, 0, 0, 20, 0.7, 60));
        // Roof over a false ceiling: c1 = 150 x 0.2 = 30, c2 = 150 x 0.5 = 75,
        // attic (70 x 30 + 10 x 75) / 105 = 27.14, loss 30 x 42.86 = 1285.71.
        surface(p, 1, 1, 3, wall(KindRoof, 1, 1, 150, 0.2, 10, 150, 0.5, 70));
        // Floor on the ground, perimeter 40: 40 x 0.6 x 70 + 200 x 0.05 x 20 = 1880.
        surface(p, 1, 1, 3, wall(KindFloor, 0, -1, 200, 0.1, 0, 40));
    }
};

} // namespace

TEST_F(Booklet, SpaceWorkedByHandPrintsEveryStepAndTheTotals)
{
    handWorkedProject(3);
    const pf::report::Document doc = preview(3);
    ASSERT_EQ(previews, 1);

    const QVector<QStringList> rows = surfaceRows(doc);
    ASSERT_EQ(rows.size(), 5);
    // kind, state, direction, area, U, temperature difference, factor, loss
    EXPECT_EQ(rows[0], (QStringList{"ديوار", "خارجي", "شمالي", "100", "0.3", "70", "1.1", "2310"}));
    EXPECT_EQ(rows[1], (QStringList{"پنجره", "خارجي", "شرقي", "20", "1.23", "70", "1", "1722"}));
    EXPECT_EQ(rows[2], (QStringList{"درب", "داخلي", "شمالي", "20", "0.7", "10", "1", "140"}));
    // The false ceiling prints its own area and U and the drop to the attic.
    EXPECT_EQ(rows[3], (QStringList{"سقف", "خارجي", "كاذب", "150", "0.5", "43", "1", "1286"}));
    // A floor on the ground prints no U-value.
    EXPECT_EQ(rows[4], (QStringList{"كف", "متصل به زمين", "", "200", "", "70", "1", "1880"}));

    // Infiltration 1 x 0.01805 x 1600 x 70 = 2021.6; heat loss 7337.71 +
    // 2021.6 = 9359.31; load 1.1 x 1.05 x 9359.31 - 500 = 10310.01.
    EXPECT_EQ(infiltrationRows(doc), (QVector<QStringList>{{"1600", "0.018", "70", "2022"}}));
    EXPECT_EQ(after(doc, QStringLiteral("(1) هواي نفوذي"), 4), QStringList{QStringLiteral("2022")});
    EXPECT_EQ(after(doc, kHeatLoss), QStringList{"9359"});
    EXPECT_EQ(after(doc, kHeatLoss, 2), QStringList{QStringLiteral(" بار ناشي از وسايل گرمازا ( Btu/h )")});
    EXPECT_EQ(after(doc, kHeatLoss, 3), QStringList{QStringLiteral("500 لحاظ شدهاست")});
    EXPECT_EQ(after(doc, kSpaceLoad, 1), QStringList{QStringLiteral("پذيرايي")});
    EXPECT_EQ(after(doc, kSpaceLoad, 2),
              QStringList{QStringLiteral(" با احتساب ضرايب وبار ناشي از وسايل گرمازا ( Btu/h )")});
    EXPECT_EQ(after(doc, kSpaceLoad, 3), QStringList{"10310"});
    EXPECT_EQ(after(doc, kSpaceLoad, 4), QStringList{QStringLiteral(" محاسبه شدهاست")});

    // Unit, floor and building carry the same total, as the plain rules do.
    EXPECT_EQ(after(doc, kUnitTotal), QStringList{"10310"});
    EXPECT_EQ(after(doc, kFloorTotal), QStringList{"10310"});
    EXPECT_EQ(after(doc, kBuildingTotal), QStringList{"10310"});
    const building::BuildingLoad b = expected(3);
    const building::SpaceLoad &s = b.floors[0].units[0].spaces[0];
    EXPECT_NEAR(s.surfacesSum, 7337.714286, 1e-5);
    EXPECT_NEAR(s.Qi, 2021.6, 1e-9);
    EXPECT_NEAR(s.Qs, 10310.008, 1e-3);
    EXPECT_EQ(building::loadText(b.load), QStringLiteral("10310"));

    // The headings of the unit and of the space.
    EXPECT_EQ(after(doc, QStringLiteral("بار فضاها مربوط به طبقه")), QStringList{QStringLiteral("اول")});
    EXPECT_EQ(after(doc, QStringLiteral("واحد ")), QStringList{"1"});
    EXPECT_EQ(after(doc, QStringLiteral("نام فضا")), QStringList{QStringLiteral("پذيرايي")});
    EXPECT_EQ(after(doc, QStringLiteral("دما ( F )")).last(), QStringLiteral("70"));
    EXPECT_EQ(after(doc, QStringLiteral("ارتفاع ( ft )")), QStringList{"8"});
    EXPECT_EQ(after(doc, QStringLiteral("با توجه به ضريب اطمينان")), QStringList{"10"});
    EXPECT_EQ(after(doc, QStringLiteral("ضريب ارتفاع")), QStringList{"5"});
    EXPECT_EQ(after(doc, QStringLiteral("نتايج مجموع محاسبات بار واحدهاي طبقه")), QStringList{QStringLiteral("اول")});
    // Every page ends with its number.
    const QStringList all = reporttest::allTexts(doc);
    EXPECT_EQ(all.count(QStringLiteral("صفحه")), doc.pages.size());
    EXPECT_EQ(after(doc, QStringLiteral("صفحه")).last(), QString::number(doc.pages.size()));
}

TEST_F(Booklet, InfiltrationRowReadsAsOneTextOnThePageOnPaperAndFromItsFile)
{
    handWorkedProject(3);
    QString name;
    inPreview = [&](pf::report::ReportPreview *p) { name = p->documentName(); };
    const pf::report::Document doc = preview(3);
    // The booklet goes by its own name (a print to a file is offered under it).
    EXPECT_EQ(name, QStringLiteral("دفترچه محاسبات - villa"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("booklet.QRP"));
    pf::report::saveDocument(doc, path);
    const pf::report::Document reopened = pf::report::loadDocument(path);
    // The caption ") هواي نفوذي" and the air changes "(1" as one text.
    const QString text = QStringLiteral("(1) هواي نفوذي");
    for (const pf::report::Document *d : {&doc, &reopened}) {
        const auto run = reporttest::findRun(*d, text);
        ASSERT_TRUE(run);
        // From the right, as the preview paints it and the printer prints
        // it: the words, then the air changes in brackets that face the
        // number.
        const auto at = [&](const char *part) { return reporttest::shownPart(*run, QString::fromUtf8(part)); };
        const reporttest::ShownPart open = at("("), one = at("1"), close = at(")"), air = at("هواي"),
                                    infiltration = at("نفوذي");
        EXPECT_GT(air.left, infiltration.left);
        EXPECT_GT(infiltration.left, close.left);
        EXPECT_GT(close.left, one.left);
        EXPECT_GT(one.left, open.left);
        EXPECT_TRUE(open.shows(QLatin1Char('(')));
        EXPECT_TRUE(close.shows(QLatin1Char(')')));
    }
}

TEST_F(Booklet, UnitFloorAndBuildingTotalsFollowThePlainRules)
{
    // Three floors given out of order, units of several spaces, every kind
    // of surface, a basement and a floor with one unit only.
    project(5, QStringLiteral("tabriz"), 1.07, 45);
    const double floors[3] = {2, -1, 0};
    int code = 1;
    for (double t : floors) {
        const int unitsOnFloor = t == 0 ? 1 : 2;
        for (int v = 1; v <= unitsOnFloor; ++v) {
            unit(5, t, v, 10 + v, t == 2 ? 8 : 0);
            for (int k = 0; k < 3; ++k, ++code) {
                space(5, t, v, code, QStringLiteral("فضا%1").arg(code), room(68 + k, 12, 120 + 10 * k, 960 + 80 * k, 1 + 0.5 * k, k == 2 ? 300 : 0));
                surface(5, t, v, code, wall(KindWall, 1, code % 8, 80 + k, 0.33, 12));
                surface(5, t, v, code, wall(KindWall, 0, 1, 60, 0.4, 60.5));
                surface(5, t, v, code, wall(KindWindow, 1, (code + 3) % 8, 15, 0.65, 12));
                surface(5, t, v, code, wall(KindDoor, 1, 3, 21, 0.45, 12));
                if (t == 2)
                    surface(5, t, v, code, wall(KindRoof, 1, k == 0 ? 1 : 0, 120, 0.25, 12, 110, 0.6, 68));
                else
                    surface(5, t, v, code, wall(KindRoof, 0, -1, 120, 0.3, 65));
                surface(5, t, v, code, t == -1 ? wall(KindFloor, 0, -1, 120, 0, 12, 30) : wall(KindFloor, 1, -1, 120, 0.2, 65));
            }
        }
    }
    const pf::report::Document doc = preview(5);
    const building::BuildingLoad b = expected(5);

    QStringList spaceLoads, heatLosses, unitLoads, floorLoads, surfaceLosses;
    QVector<QStringList> infiltration;
    for (const building::FloorLoad &f : b.floors) {
        for (const building::UnitLoad &u : f.units) {
            for (const building::SpaceLoad &s : u.spaces) {
                spaceLoads << building::loadText(s.Qs);
                heatLosses << building::loadText(s.H);
                for (const building::SurfaceLoss &l : s.surfaces)
                    surfaceLosses << building::loadText(l.loss);
            }
            unitLoads << building::loadText(u.load);
        }
        floorLoads << building::loadText(f.load);
    }
    EXPECT_EQ(after(doc, kSpaceLoad, 3), spaceLoads);
    EXPECT_EQ(after(doc, kHeatLoss), heatLosses);
    EXPECT_EQ(after(doc, kUnitTotal), unitLoads);
    EXPECT_EQ(after(doc, kFloorTotal), floorLoads);
    EXPECT_EQ(after(doc, kBuildingTotal), QStringList{building::loadText(b.load)});
    QStringList printedLosses;
    for (const QStringList &r : surfaceRows(doc))
        printedLosses << r[7];
    EXPECT_EQ(printedLosses, surfaceLosses);
    // Floors in ascending order, each named.
    EXPECT_EQ(after(doc, QStringLiteral("نتايج مجموع محاسبات بار واحدهاي طبقه")),
              (QStringList{QStringLiteral("منهاي يك"), QStringLiteral("همكف"), QStringLiteral("دوم")}));
    EXPECT_EQ(after(doc, QStringLiteral("بار فضاها مربوط به طبقه")).size(), 5);
    // The booklet runs over several pages.
    EXPECT_GT(doc.pages.size(), 3);
}

TEST_F(Booklet, TurnedPlanNamesAndWeighsTheTurnedDirections)
{
    project(7);
    unit(7, 0, 1, 0, 0);
    space(7, 0, 1, 1, QStringLiteral("اطاق"), room(70, 70, 100, 800, 0));
    surface(7, 0, 1, 1, wall(KindWall, 1, 0, 100, 0.3, 0)); // north
    surface(7, 0, 1, 1, wall(KindWall, 1, 3, 100, 0.3, 0)); // west
    surface(7, 0, 1, 1, wall(KindWall, 1, 2, 100, 0.3, 0)); // east
    surface(7, 0, 1, 1, wall(KindWindow, 1, 4, 10, 1, 0));  // north-east
    surface(7, 0, 1, 1, wall(KindRoof, 1, 1, 50, 0.2, 10, 50, 0.2, 70)); // false ceiling: not turned

    pf::report::Document doc = preview(7, 2); // 90 degrees clockwise
    QVector<QStringList> rows = surfaceRows(doc);
    ASSERT_EQ(rows.size(), 5);
    // Stored north turns east (1.10), west turns north (1.10), east turns south (1.00).
    EXPECT_EQ(rows[0].mid(0, 3), (QStringList{"ديوار", "خارجي", "شرقي"}));
    EXPECT_EQ(rows[0].mid(6), (QStringList{"1.1", "2310"}));
    EXPECT_EQ(rows[1].mid(2, 1), QStringList{"جنوبي"});
    EXPECT_EQ(rows[1].mid(6), (QStringList{"1", "2100"}));
    EXPECT_EQ(rows[2].mid(2, 1), QStringList{"شمالي"});
    EXPECT_EQ(rows[2].mid(6), (QStringList{"1.1", "2310"}));
    EXPECT_EQ(rows[3].mid(2, 1), QStringList{"جنوب شرقي"});
    EXPECT_EQ(rows[4].mid(2, 1), QStringList{"كاذب"});
    EXPECT_EQ(after(doc, kSpaceLoad, 3), QStringList{building::loadText(expected(7).load)});
    const QString note = QStringLiteral(" (چرخش پلان درجهت عقربههاي ساعت90درجه)");
    EXPECT_EQ(Report2->QRLabelRotation->text, TReport2::rotationBase() + note);
    EXPECT_TRUE(reporttest::allTexts(doc).filter(note.trimmed()).size() == 1);
    EXPECT_EQ(building::PlanRotation, building::planRotationForChoice(2));

    // Unturned again: the stored directions; the data module's surface
    // fields never turn.
    doc = preview(7, 0);
    rows = surfaceRows(doc);
    EXPECT_EQ(rows[0][2], QStringLiteral("شمالي"));
    EXPECT_EQ(rows[1][2], QStringLiteral("شرقي"));
    EXPECT_EQ(rows[2][2], QStringLiteral("غربي"));
    EXPECT_EQ(rows[2][6], QStringLiteral("1.05"));
    EXPECT_EQ(rows[2][7], QStringLiteral("2205"));
    EXPECT_EQ(Report2->QRLabelRotation->text, TReport2::rotationBase());
    EXPECT_TRUE(reporttest::allTexts(doc).filter(note.trimmed()).isEmpty());
}

TEST_F(Booklet, NegativeValuesCarryTheSignAfterTheDigits)
{
    project(8);
    unit(8, 1, 1, 0, 0);
    unit(8, 2, 1, 0, 0);
    // A surface warmer on its far side than the space loses a negative
    // amount: 100 x 0.3 x (70 - 90) = -600.
    space(8, 1, 1, 1, QStringLiteral("اطاق"), room(70, 80, 100, 800, 1));
    surface(8, 1, 1, 1, wall(KindWall, 0, 1, 100, 0.3, 90));
    surface(8, 1, 1, 1, wall(KindWall, 1, 1, 100, 0.3, 0)); // south, 2100
    // Appliances giving more than the space loses: a negative load.
    space(8, 2, 1, 2, QStringLiteral("آشپزخانه"), room(70, 0, 100, 0, 0, 5000));
    surface(8, 2, 1, 2, wall(KindWall, 1, 1, 100, 0.3, 0)); // 2100

    const pf::report::Document doc = preview(8);
    const QVector<QStringList> rows = surfaceRows(doc);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0][5], QStringLiteral("20-"));
    EXPECT_EQ(rows[0][7], QStringLiteral("600-"));
    // Space temperature below the outside one: a negative difference and
    // infiltration load: 1 x 0.01805 x 800 x (70 - 80) = -144.4.
    EXPECT_EQ(infiltrationRows(doc)[0], (QStringList{"800", "0.018", "10-", "144-"}));
    EXPECT_EQ(after(doc, kHeatLoss), (QStringList{"1356", "2100"}));
    EXPECT_EQ(after(doc, kSpaceLoad, 3), (QStringList{"1356", "2900-"}));
    EXPECT_EQ(after(doc, kUnitTotal), (QStringList{"1356", "2900-"}));
    EXPECT_EQ(after(doc, kFloorTotal), (QStringList{"1356", "2900-"}));
    EXPECT_EQ(after(doc, kBuildingTotal), QStringList{"1544-"});
    EXPECT_EQ(building::loadText(expected(8).load), QStringLiteral("1544-"));
}

TEST_F(Booklet, RowsTheRulesTreatApart)
{
    project(9, QStringLiteral("shiraz"), 1.0, 50);
    unit(9, 0, 1, 0, 0);
    space(9, 0, 1, 1, QStringLiteral("انبار"), room(70, 0, 200, 1000, 0.5));
    // A floor on the ground whose area is 0 prints no loss and adds
    // nothing, however long its perimeter.
    surface(9, 0, 1, 1, wall(KindFloor, 0, -1, 0, 0, 0, 80));
    // A false ceiling whose two U-values are 0: no heat path, so the
    // attic temperature has no denominator; the loss is 0.
    surface(9, 0, 1, 1, wall(KindRoof, 1, 1, 50, 0, 10, 50, 0, 70));
    // The same with the roof's own area 0 and the false ceiling's U 0.
    surface(9, 0, 1, 1, wall(KindRoof, 1, 1, 0, 0.2, 10, 40, 0, 70));
    // Far-side temperatures count in whole degrees, halves to even: 12.5
    // enters as 12, 13.5 as 14.
    surface(9, 0, 1, 1, wall(KindWall, 1, 1, 10, 1, 12.5)); // 10 x 58 = 580
    surface(9, 0, 1, 1, wall(KindWall, 1, 1, 10, 1, 13.5)); // 10 x 56 = 560
    // A space without surfaces: its heading and footer still print, its
    // heat loss is its infiltration load: 1 x 0.01805 x 500 x 70 = 631.75.
    space(9, 0, 1, 2, QStringLiteral("راهرو"), room(70, 0, 50, 500, 1));

    const pf::report::Document doc = preview(9);
    const QVector<QStringList> rows = surfaceRows(doc);
    ASSERT_EQ(rows.size(), 5);
    QStringList byKind;
    for (const QStringList &r : rows)
        byKind << r[0] + QLatin1Char('|') + r[3] + QLatin1Char('|') + r[5] + QLatin1Char('|') + r[7];
    EXPECT_EQ(byKind, (QStringList{QStringLiteral("ديوار|10|58|580"), QStringLiteral("ديوار|10|56|560"),
                                   QStringLiteral("سقف|50|0|0"), QStringLiteral("سقف|40|0|0"),
                                   QStringLiteral("كف|0|70|")}));
    // Infiltration of the first space: 0.5 x 0.01805 x 1000 x 70 = 631.75.
    EXPECT_EQ(after(doc, kHeatLoss), (QStringList{building::loadText(1140 + 631.75), "632"}));
    EXPECT_EQ(after(doc, QStringLiteral("نام فضا")), (QStringList{QStringLiteral("انبار"), QStringLiteral("راهرو")}));
    // No "nan" or "inf" anywhere.
    for (const QString &t : reporttest::allTexts(doc))
        EXPECT_FALSE(t.contains(QLatin1String("nan")) || t.contains(QLatin1String("inf"))) << t.toStdString();
    EXPECT_EQ(after(doc, kBuildingTotal), QStringList{building::loadText(expected(9).load)});
}

TEST_F(Booklet, ProjectWithoutFloorsPrintsTitleAndAZeroSummary)
{
    project(11);
    const pf::report::Document doc = preview(11);
    ASSERT_EQ(doc.pages.size(), 1);
    EXPECT_TRUE(reporttest::findRun(doc, QStringLiteral("بار گرمايش")));
    EXPECT_EQ(after(doc, kBuildingTotal), QStringList{"0"});
    EXPECT_TRUE(after(doc, kUnitTotal).isEmpty());
    EXPECT_EQ(after(doc, QStringLiteral("نتايج مجموع محاسبات بار طبقات ساختمان")), QStringList{"villa"});
}

TEST_F(Booklet, RotationGivenAtOpeningHoldsWhateverTheStoredChoiceBecomes)
{
    project(7);
    unit(7, 0, 1, 0, 0);
    space(7, 0, 1, 1, QStringLiteral("اطاق"), room(70, 70, 100, 800, 0));
    surface(7, 0, 1, 1, wall(KindWall, 1, 0, 100, 0.3, 0)); // north
    Report2->OpenProject(7, building::planRotationForChoice(2));
    building::PlanRotation = building::planRotationForChoice(4);
    Report2->Table5->refresh();
    EXPECT_EQ(Report2->Table5->fieldByName(QStringLiteral("Dv_gjedar")).asInteger(), 2); // north turned east
    Report2->CloseTables();
}

TEST_F(Booklet, LoadThatCannotPrintAsANumberNamesItsSpaceAndNothingPrints)
{
    // 300 nines as the input stores them: 1e300.
    const struct {
        const char *what;
        building::SpaceRow room;
        double area;
    } cases[] = {
        {"air changes", room(70, 0, 100, 1e300, 1e300), 100},
        {"area", room(70, 0, 1e300, 800, 1), 1e300},
    };
    double p = 20;
    for (const auto &c : cases) {
        project(++p);
        unit(p, 1, 1);
        space(p, 1, 1, 1, QStringLiteral("انبار"), room(70, 0, 100, 800, 1));
        space(p, 1, 1, 2, QStringLiteral("سالن"), c.room);
        surface(p, 1, 1, 2, wall(KindWall, 1, 0, c.area, 0.3, 0));
        previews = 0;
        preview(p);
        EXPECT_EQ(previews, 0) << c.what;
        const QStringList shown = testsupport::takeMessages();
        ASSERT_EQ(shown.size(), 1) << c.what;
        EXPECT_TRUE(shown[0].contains(QStringLiteral("سالن"))) << c.what;
        EXPECT_FALSE(shown[0].contains(QStringLiteral("انبار"))) << c.what;
    }
    for (double v : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN(), 1e300, -1e19})
        EXPECT_EQ(building::loadText(v), QString()) << v;
    EXPECT_EQ(building::loadText(-9e18), QStringLiteral("9000000000000000000-"));
}

TEST_F(Booklet, ClosingTheBookletReadsNoRowsOfAnyProject)
{
    for (double p : {7.0, 8.0}) {
        project(p);
        unit(p, 0, 1, 0, 0);
        space(p, 0, 1, 1, QStringLiteral("اطاق"), room(70, 70, 100, 800, 0));
        surface(p, 0, 1, 1, wall(KindWall, 1, 0, 100, 0.3, 0));
    }
    db()->resetRowsRead();
    Report2->OpenProject(7);
    EXPECT_GT(db()->rowsRead(), 0u); // the booklet reads through this database
    db()->resetRowsRead();
    Report2->CloseTables();
    EXPECT_EQ(db()->rowsRead(), 0u);
}
