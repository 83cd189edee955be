// The equipment booklet driven through its form: selecting a project,
// the section ticks, the pages built and joined in order, their values
// against the sizing operations and the plain sizing functions, builds that
// leave nothing of an earlier one, failures, and the booklet saved and
// opened again as the report printer opens it.
#include "../building/BookletFixture.h"

#include "boravest/eqbook/PageLayout.h"
#include "boravest/eqbook/RepUnit.h"
#include "boravest/eqbook/RepUnit3.h"
#include "boravest/eqbook/U23.h"
#include "boravest/sizing/Catalogues.h"
#include "boravest/equipment/U_15.h"
#include "boravest/equipment/U_15Booklet.h"
#include "platform/report/ReportFile.h"
#include "platform/ui/DbControls.h"

#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QListWidget>

namespace eq = bv::sizing;
using bv::eqbook::roundedText;

namespace {

const QString kTankHeading = QStringLiteral("تانك آب تحت فشار");
const QString kHotWaterTitle = QStringLiteral("منبع آبگرم مصرفي");

class EquipmentBookletTest : public BookletFixture {
protected:
    QTemporaryDir files;

    void SetUp() override
    {
        BookletFixture::SetUp();
        if (HasFatalFailure())
            return;
        std::fill(ReportSections.begin(), ReportSections.end(), false);
        for (int i = 0; i <= 12; ++i)
            Form23->setSectionTicked(i, false);
        part<QLineEdit>("Edit2")->clear();
    }
    void TearDown() override
    {
        if (Form23 && Form23->detailsShown())
            Form23->Label20Click();
        BookletFixture::TearDown();
    }

    template <class W = QWidget> static W *part(const char *name) { return testsupport::part<W>(Form23, name); }
    QString value(const QString &sql) { return db()->select(sql).rows.value(0).value(0).toString(); }
    static void retypeIn(const char *name, const QString &text)
    {
        auto *edit = part<QLineEdit>(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

    // A project of two floors (one of them with two units) and its
    // equipment record.
    void equipmentProject(double p, const QString &extra = QString(), const QVariantList &values = {})
    {
        project(p, QStringLiteral("tabriz"));
        unit(p, 1, 1);
        unit(p, 1, 2);
        unit(p, 2, 1);
        db()->exec(QStringLiteral("INSERT INTO Tajhizat (Shproje, NameS, NSakh, TySo, Masa_z, Masa_Ar, Masa_Aa, TeaSak, "
                                  "Van, Dosh, WCKh, SinkZar, LaganPa, DamAbSh, DamAbMa, DamAbBeh, DAbgarm, "
                                  "FPBM, MErAT, MTZA, TSPS, ErtefaS, TolSevic, OfteFeshar, Typ_MAM, Randeman, "
                                  "T_Manba, T_Pomp, S_masaref, Z_Et, K_B_L_MAB, Rand_E_MAB, Fesh_KB) VALUES "
                                  "(?, 'مسكوني', 0, 1, 5000, 1076, 4304, 12, 2, 3, 4, 2, 1, 50, 110, 140, 180, "
                                  "20, 10, 0.5, 6, 40, 100, 4, 0, 70, 1, 1, 10, 20, 20, 60, 15)"),
                   {p});
        if (!extra.isEmpty())
            db()->exec(QStringLiteral("UPDATE Tajhizat SET %1 WHERE Shproje = ?").arg(extra), values + QVariantList{p});
    }

    // The project row current on the form, selected.
    void select(double p)
    {
        DM1->Table1->close(); // rows written since are seen
        DM1->Table1->open();
        ASSERT_TRUE(DM1->Table1->locate(QStringLiteral("SHPROJE"), {p}));
        Form23->Label16Click();
    }
    void tick(std::initializer_list<int> items)
    {
        for (int i : items)
            Form23->setSectionTicked(i, true);
    }
    // The titles of the pages of the last previewed booklet.
    QStringList pageKinds() const
    {
        QStringList kinds;
        const std::pair<QString, const char *> titles[] = {
            {kTankHeading, "project"},
            {kHotWaterTitle, "hotwater"},
            {QStringLiteral("پمپ سيركولاسيون سيستم"), "pump"},
            {QStringLiteral("كلكتور و رايزرهاي آبگرم"), "collectors"},
            {QStringLiteral("هواكش"), "fans"},
        };
        for (int i = 0; i < lastDoc.pages.size(); ++i) {
            const QStringList t = reporttest::texts(lastDoc.pages[i]);
            QString kind = QStringLiteral("?");
            for (const auto &[title, name] : titles)
                if (t.contains(title))
                    kind = QString::fromLatin1(name);
            if (kind == QLatin1String("?"))
                kind = t.contains(QStringLiteral("رادياتور"))      ? QStringLiteral("radiators")
                       : t.contains(QStringLiteral("يونيت هيتر ")) ? QStringLiteral("unitheaters")
                       : t.contains(QStringLiteral("منبع انبساط")) ? QStringLiteral("expansion")
                                                                   : kind;
            const struct {
                const char *title, *kind;
            } heating[] = {{"استخر خانگي", "pool"}, {"جكوزي", "jacuzzi"}, {"ديگ", "boiler"}, {"كوره هواي گرم", "furnace"}};
            for (const auto &h : heating)
                if (kind == QLatin1String("?") && t.contains(QString::fromUtf8(h.title)))
                    kind = QString::fromLatin1(h.kind);
            kinds << kind;
        }
        return kinds;
    }
    static eq::FixtureCounts fixtures()
    {
        eq::FixtureCounts f;
        f.Van = 2;
        f.Dosh = 3;
        f.WCKh = 4;
        f.SinkZar = 2;
        f.LaganPa = 1;
        return f;
    }
};

} // namespace

TEST_F(EquipmentBookletTest, SelectNeedsAnEquipmentRecordAndSelectAllTicksEverySection)
{
    project(3);
    select(3);
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QString::fromUtf8(TForm23::kMsgNoEquipment)});
    EXPECT_FALSE(Form23->detailsShown());

    auto *list = part<QListWidget>("ChkBL");
    ASSERT_EQ(list->count(), 13);
    list->item(0)->setCheckState(Qt::Checked);
    for (int i = 1; i <= 12; ++i)
        EXPECT_TRUE(Form23->sectionTicked(i)) << i;
    list->item(0)->setCheckState(Qt::Unchecked);
    list->item(5)->setCheckState(Qt::Checked);
    EXPECT_FALSE(Form23->sectionTicked(0));
    EXPECT_EQ(std::count(ReportSections.begin(), ReportSections.end(), true), 0);

    // Nothing ticked: Preview does nothing at all.
    list->item(5)->setCheckState(Qt::Unchecked);
    equipmentProject(4);
    select(4);
    ASSERT_TRUE(Form23->detailsShown());
    Form23->Bt1Click();
    EXPECT_EQ(previews, 0);
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    EXPECT_TRUE(Form23->detailsShown());
}

TEST_F(EquipmentBookletTest, PagesOfTheKeptSectionsInTheBookletsOrder)
{
    const struct {
        std::initializer_list<int> ticked;
        const char *extra;
        QStringList pages;
        std::initializer_list<int> flags;
    } cases[] = {
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
         "Randeman = 70",
         {"project", "hotwater", "boiler", "pump", "furnace", "radiators", "unitheaters", "collectors", "fans"},
         {1, 2, 3, 5, 7, 8, 9, 10, 12}},
        {{5, 12, 2}, "Randeman = 70", {"pump", "collectors", "fans"}, {2, 5, 12}},
        {{3, 1}, "Randeman = 70", {"project", "hotwater"}, {1, 3}},
        {{3}, "Randeman = 70", {"hotwater"}, {3}},
        {{1, 3}, "Randeman = 0", {"project"}, {1}},
    };
    double p = 10;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.extra);
        equipmentProject(++p, QString::fromLatin1(c.extra));
        select(p);
        tick(c.ticked);
        const int before = previews;
        Form23->Bt1Click();
        EXPECT_EQ(previews, before + 1);
        EXPECT_EQ(pageKinds(), c.pages);
        std::array<bool, 13> expected{};
        for (int i : c.flags)
            expected[i] = true;
        EXPECT_EQ(ReportSections, expected);
        EXPECT_FALSE(Form23->gaugeShown());
        EXPECT_FALSE(Form23->detailsShown()); // back on the grid
        for (int i = 0; i <= 12; ++i)
            Form23->setSectionTicked(i, false);
    }
}

TEST_F(EquipmentBookletTest, EverySectionDroppedSaysSoAndShowsNoPreview)
{
    equipmentProject(5, QStringLiteral("Randeman = 0, Mass_Est = 0, V_B_M_E = 0"));
    const struct {
        std::initializer_list<int> ticked;
    } cases[] = {{{3}}, {{3, 4, 11}}}; // dropped by their rules
    for (const auto &c : cases) {
        select(5);
        tick(c.ticked);
        Form23->Bt1Click();
        EXPECT_EQ(testsupport::takeMessages(), QStringList{QString::fromUtf8(kMsgNothingToPrint)});
        EXPECT_EQ(previews, 0);
        EXPECT_FALSE(Form23->gaugeShown());
        EXPECT_FALSE(Form23->detailsShown());
        for (int i = 0; i <= 12; ++i)
            Form23->setSectionTicked(i, false);
    }
}

TEST_F(EquipmentBookletTest, ProjectPagePrintsTheRecordAndTheOperationsResults)
{
    equipmentProject(7);
    select(7);
    // Typed on the form and not saved: printed, then dropped.
    retypeIn("DE1", QStringLiteral("karan novin"));
    tick({1});
    Form23->Bt1Click();
    ASSERT_EQ(pageKinds(), QStringList{QStringLiteral("project")});
    EXPECT_EQ(Report3->QRLabel24->text, QStringLiteral("karan novin"));
    EXPECT_EQ(Report3->QRLabel70->text, QStringLiteral("karan novin"));
    EXPECT_EQ(value(QStringLiteral("SELECT CoN FROM Bank1 WHERE SHPROJE = 7")), QStringLiteral("karan"));
    EXPECT_EQ(Report3->QRLabel25->text, QStringLiteral("rezaei"));
    EXPECT_EQ(Report3->QRLabel64->text, QStringLiteral("7"));
    EXPECT_EQ(Report3->QRLabel29->text, QStringLiteral("گاز شهري"));
    EXPECT_EQ(Report3->QRLabel56->text, QStringLiteral("400"));
    EXPECT_EQ(Report3->QRLabel53->text, QStringLiteral("100"));
    EXPECT_EQ(Report3->QRLabel68->text, QStringLiteral("4500"));
    EXPECT_EQ(Report3->QRLabel19->text, QStringLiteral("4-"));
    EXPECT_EQ(Report3->QRLabel13->text, QStringLiteral("دو")); // two floors, three unit rows
    EXPECT_EQ(Report3->QRLabel5->text, QStringLiteral("مسكوني)"));
    EXPECT_EQ(Report3->QRservis1->text,
              QStringLiteral("1-وانحمام [2] ,دوش [3] ,دستشوييوتوالتخصوصي [4] ,سينكظرفشويي [2] ,لگنپاشويي [1] "));
    EXPECT_EQ(Report3->QRservis2->text, QStringLiteral("-"));
    const QStringList printed = reporttest::allTexts(lastDoc);
    EXPECT_TRUE(printed.contains(QStringLiteral("tabriz")));

    // The same record asked of the operations gives what the page prints.
    DM1->Table1->locate(QStringLiteral("SHPROJE"), {7.0});
    DM1->Table12->open();
    const eq::WaterMeterResults branch = FormT2->SizeKontor(2);
    const eq::PressureTankResults tank = FormT2->TankTF(2);
    testsupport::takeMessages();
    if (branch.governing == 0)
        EXPECT_TRUE(Report3->QRLabel23->text.isEmpty());
    else
        EXPECT_TRUE(Report3->QRLabel62->text.contains(branch.branchSize));
    if (tank.installation == eq::TankInstallation::Vertical) {
        EXPECT_EQ(Report3->QRLabel22->text, roundedText(tank.waterHeldGal));
        EXPECT_EQ(Report3->QRLabel37->text, eq::catalogues().PressureTanks2.cell(tank.row, 1));
    } else if (tank.installation == eq::TankInstallation::None && tank.messages.isEmpty()) {
        EXPECT_EQ(Report3->QRLabel7->text, QString::fromUtf8(TReport3::kTextNoPumpStarts));
        EXPECT_TRUE(Report3->QRLabel22->text.isEmpty());
    }
}

TEST_F(EquipmentBookletTest, ProjectPageFromThePlainSizingsLeavesNothingOfAnEarlierBuild)
{
    // A worked project whose fixtures govern the branch, as the sizings
    // read it.
    eq::WaterMeterInputs w;
    w.TeaSak = 2;
    w.Masa_z = 5000;
    w.Masa_Ar = 100;
    w.Masa_Aa = 200;
    w.fixtures = fixtures();
    w.DamAbSh = 50;
    w.DamAbMa = 110;
    w.DamAbBeh = 140;
    w.reportMode = true;
    const eq::WaterMeterResults branch = eq::sizeWaterMeterBranch(w);
    eq::PressureTankInputs t;
    t.FPBM = 20;
    t.MErAT = 10;
    t.MTZA = 0.5;
    t.TSPS = 6;
    t.DamAbBeh = 140;
    t.DamAbMa = 110;
    t.DamAbSh = 50;
    t.ErtefaS = 40;
    t.TolSevic = 100;
    t.OfteFeshar = 4;
    t.fixtures = fixtures();
    t.reportMode = true;
    const eq::PressureTankResults tank = eq::sizePressureTank(t);
    ASSERT_EQ(branch.governing, 2);
    ASSERT_FALSE(branch.branchSize.isEmpty());
    ASSERT_EQ(tank.installation, eq::TankInstallation::Vertical);
    ASSERT_GT(tank.row, 0);

    ProjectPageInputs in;
    in.fixtures = fixtures();
    QString error;
    TReport3 *r = Report3;
    ASSERT_TRUE(r->build(in, branch, tank, &error));
    EXPECT_EQ(r->QRLabel23->text, QStringLiteral(" ضريب مصرف آني ") + roundedText(branch.useFactor));
    EXPECT_EQ(r->QRLabel62->text, QStringLiteral(" قطر لوله انشعاب ساختمان برابر ") + branch.branchSize +
                                      QStringLiteral("اينچ ميباشد "));
    EXPECT_TRUE(r->QRLabel62->enabled);
    EXPECT_FALSE(r->QRLabel66->enabled || r->QRLabel67->enabled);
    EXPECT_EQ(r->QRLabel7->text, QStringLiteral("عمودي"));
    EXPECT_EQ(r->QRLabel22->text, roundedText(tank.waterHeldGal));
    EXPECT_EQ(r->QRLabel27->text, roundedText(tank.tankVolumeGal));
    EXPECT_EQ(r->QRLabel32->text, roundedText(tank.minPressurePsi));
    EXPECT_EQ(r->QRLabel33->text, roundedText(tank.maxPressurePsi));
    EXPECT_EQ(r->QRLabel50->text, eq::catalogues().PressureTanks2.cell(tank.row, 8));
    EXPECT_EQ(r->QRLabel35->text, QStringLiteral("(Cm)H1"));
    EXPECT_TRUE(r->ImgTankAm->enabled);
    EXPECT_FALSE(r->ImgTankOf->enabled);

    // Then a branch stopped on its temperatures and a tank outside the
    // standard: no storage-tank note, no sentence, no value of the first
    // build, no picture.
    eq::WaterMeterResults stopped;
    stopped.stopped = true;
    stopped.useFactor = 0.5;
    eq::PressureTankResults outside;
    outside.installation = eq::TankInstallation::OutOfRange;
    outside.row = 3;
    outside.waterHeldGal = 99;
    ASSERT_TRUE(r->build(in, stopped, outside, &error));
    EXPECT_TRUE(r->QRLabel23->text.isEmpty());
    EXPECT_FALSE(r->QRLabel62->enabled || r->QRLabel66->enabled || r->QRLabel67->enabled);
    EXPECT_EQ(r->QRLabel7->text, QStringLiteral("حجم تانك خارج از استاندارد است"));
    for (pf::report::Label *l : {r->QRLabel22, r->QRLabel27, r->QRLabel37, r->QRLabel50})
        EXPECT_TRUE(l->text.isEmpty()) << l->name().toStdString();
    EXPECT_FALSE(r->ImgTankAm->enabled || r->ImgTankOf->enabled);

    // A vertical tank whose row lies outside the catalogue prints no cell;
    // an occupants-governed branch beyond 2 in prints the note.
    eq::PressureTankResults badRow = tank;
    badRow.row = 7;
    eq::WaterMeterResults big;
    big.governing = 1;
    ASSERT_TRUE(r->build(in, big, badRow, &error));
    EXPECT_TRUE(r->QRLabel37->text.isEmpty() && r->QRLabel50->text.isEmpty());
    EXPECT_EQ(r->QRLabel22->text, roundedText(tank.waterHeldGal));
    EXPECT_TRUE(r->QRLabel66->enabled && r->QRLabel67->enabled);
    EXPECT_FALSE(r->QRLabel62->enabled);
}

TEST_F(EquipmentBookletTest, HotWaterPageForEachTankKindAfterAnyOther)
{
    eq::HotWaterTankInputs base;
    base.Randeman = 70;
    base.T_Manba = 1;
    base.T_Pomp = 1;
    base.S_masaref = 10;
    base.Z_Et = 20;
    base.K_B_L_MAB = 20;
    base.Rand_E_MAB = 60;
    base.Fesh_KB = 15;
    base.DamAbBeh = 140;
    base.DamAbSh = 50;
    base.DAbgarm = 180;
    base.OfteFeshar = 4;
    base.TolSevic = 100;
    base.fixtures = fixtures();
    base.reportMode = true;
    eq::HotWaterTankResults results[3];
    for (int kind = 0; kind < 3; ++kind) {
        eq::HotWaterTankInputs in = base;
        in.Typ_MAM = kind;
        results[kind] = eq::sizeHotWaterTank(in);
        ASSERT_FALSE(results[kind].stopped) << kind;
    }
    ASSERT_GT(results[0].row, 0);
    ASSERT_GT(results[1].row, 0);

    TReport *r = Report;
    // Every kind after every other, the pump note on and off: what a kind
    // shows never depends on the build before it.
    const int order[] = {0, 2, 1, 0, 1, 2, 0};
    int n = 0;
    for (int kind : order) {
        SCOPED_TRACE(kind);
        const eq::HotWaterTankResults &res = results[kind];
        r->build({0, n++ % 2, kind}, res);
        EXPECT_EQ(r->QRLabel3->text, QStringLiteral("1.25"));
        EXPECT_EQ(r->QRLabel4->text, QStringLiteral("0.35"));
        EXPECT_EQ(r->QRLabel26->enabled, (n - 1) % 2 == 0);
        EXPECT_EQ(r->QRLabel5->text, roundedText(res.peakDemandGph));
        EXPECT_EQ(r->QRLabel16->text, roundedText(res.pumpPowerHp));
        const bool steam = kind == 2;
        for (pf::report::Label *l : {r->QRLabel13, r->QRLabel14, r->QRLabel15})
            EXPECT_EQ(l->enabled, steam);
        for (pf::report::Label *l : {r->QRLabel35, r->QRLabel43, r->QRLabel36, r->QRLabel44})
            EXPECT_EQ(l->enabled, !steam);
        for (pf::report::Label *l : {r->QRLabel51, r->QRLabel62, r->QRLabel56, r->QRLabel68})
            EXPECT_EQ(l->enabled, kind != 1); // blank for the steam tank
        EXPECT_EQ(r->ImgMnbDoJ->enabled, kind == 0);
        EXPECT_EQ(r->QImgKAB->enabled, kind == 1);
        EXPECT_EQ(r->QImgB->enabled, steam);
        EXPECT_EQ(r->QRDBText22->fieldName, steam ? QStringLiteral("Fesh_KB") : QStringLiteral("T_Manba"));
        if (kind == 0) {
            EXPECT_EQ(r->QRLabel39->text, roundedText(res.waterVolumeGal));
            EXPECT_EQ(r->QRLabel40->text, roundedText(res.heatingSurfaceSqFt));
            EXPECT_EQ(r->QRLabel73->text, roundedText(res.pumpFlowGpm));
            EXPECT_EQ(r->QRLabel41->text, eq::catalogues().DoubleWallTanks.cell(res.row, 1));
            EXPECT_EQ(r->QRLabel68->text, eq::catalogues().DoubleWallTanks.cell(res.row, 12));
        } else if (kind == 1) {
            EXPECT_EQ(r->QRLabel8->text, QStringLiteral("كويلي آب گرم"));
            EXPECT_EQ(r->QRLabel48->text, eq::catalogues().CoilTanks.cell(res.row, 8));
            EXPECT_TRUE(r->QRLabel62->text.isEmpty());
        } else {
            EXPECT_EQ(r->QRLabel39->text, roundedText(res.heatingSurfaceSqFt));
            EXPECT_EQ(r->QRLabel40->text, roundedText(res.steamUseLbh));
            EXPECT_EQ(r->QRLabel46->text, roundedText(res.vapourEnthalpy));
            EXPECT_EQ(r->QRLabel47->text, roundedText(res.latentHeat));
            EXPECT_EQ(r->QRLabel73->text, roundedText(res.pumpFlowGpm));
            for (pf::report::Label *l : {r->QRLabel62, r->QRLabel66, r->QRLabel67, r->QRLabel68, r->QRLabel43})
                EXPECT_TRUE(l->text.isEmpty());
        }
    }

    // No catalogue row (or one out of range) and an unknown kind or
    // building type print blanks, never another row.
    eq::HotWaterTankResults noRow = results[0];
    for (int row : {0, 9, -1}) {
        noRow.row = row;
        r->build({0, 1, 0}, noRow);
        EXPECT_TRUE(r->QRLabel41->text.isEmpty() && r->QRLabel68->text.isEmpty()) << row;
        EXPECT_EQ(r->QRLabel39->text, roundedText(noRow.waterVolumeGal));
    }
    r->build({12, 1, 3}, results[0]);
    EXPECT_TRUE(r->QRLabel3->text.isEmpty() && r->QRLabel39->text.isEmpty() && r->QRLabel8->text.isEmpty());
    EXPECT_FALSE(r->ImgMnbDoJ->enabled || r->ImgMnbKAb->enabled || r->ImgMnbKBo->enabled);
}

TEST_F(EquipmentBookletTest, HotWaterPageEqualsTheOperationOfTheRecordsKind)
{
    for (int kind : {0, 1, 2}) {
        SCOPED_TRACE(kind);
        const double p = 20 + kind;
        equipmentProject(p, QStringLiteral("Typ_MAM = ?"), {kind});
        select(p);
        tick({3});
        Form23->Bt1Click();
        ASSERT_EQ(pageKinds(), QStringList{QStringLiteral("hotwater")});
        DM1->Table1->locate(QStringLiteral("SHPROJE"), {p});
        DM1->Table12->open();
        const eq::HotWaterTankResults res =
            kind == 0 ? FormT2->MAbGMDJedar(2) : kind == 1 ? FormT2->KAbDagh(2) : FormT2->MAKB(2);
        testsupport::takeMessages();
        EXPECT_EQ(Report->QRLabel5->text, roundedText(res.peakDemandGph));
        EXPECT_EQ(Report->QRLabel16->text, roundedText(res.pumpPowerHp));
        EXPECT_EQ(Report->QRLabel73->text, roundedText(res.pumpFlowGpm));
        const QString expected39 = roundedText(kind == 2 ? res.heatingSurfaceSqFt : res.waterVolumeGal);
        EXPECT_EQ(Report->QRLabel39->text, expected39);
        EXPECT_TRUE(reporttest::allTexts(lastDoc).contains(QStringLiteral("70"))); // the stored efficiency
        Form23->setSectionTicked(3, false);
    }
}

TEST_F(EquipmentBookletTest, UnreadableLogoStopsTheBuildWithItsReason)
{
    equipmentProject(8);
    select(8);
    const QString bad = files.filePath(QStringLiteral("logo.png"));
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
    f.close();
    part<QLineEdit>("Edit2")->setText(bad);
    tick({1, 3});
    Form23->Bt1Click();
    const QStringList msgs = testsupport::takeMessages();
    ASSERT_EQ(msgs.size(), 1);
    EXPECT_TRUE(msgs[0].contains(bad));
    EXPECT_EQ(previews, 0);
    EXPECT_FALSE(Form23->gaugeShown());
    EXPECT_FALSE(Form23->detailsShown());
    EXPECT_EQ(DM1->Table1->state(), pf::db::DatasetState::Browse);
}

TEST_F(EquipmentBookletTest, SavedBookletOpensAgainPageForPage)
{
    equipmentProject(9);
    select(9);
    tick({1, 3});
    const QString path = files.filePath(QStringLiteral("booklet.QRP"));
    QString name;
    inPreview = [&](pf::report::ReportPreview *p) {
        p->save(path);
        name = p->documentName();
    };
    Form23->Bt1Click();
    ASSERT_EQ(lastDoc.pages.size(), 2);
    // The booklet goes by its name; the file opened again by the file's.
    EXPECT_TRUE(name.startsWith(QStringLiteral("دفترچه تجهيزات - "))) << name.toStdString();
    pf::report::ReportPreview printer;
    printer.load(path);
    EXPECT_EQ(printer.documentName(), QStringLiteral("booklet"));
    ASSERT_EQ(printer.pageCount(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(reporttest::texts(printer.document().pages[i]), reporttest::texts(lastDoc.pages[i])) << i;
    EXPECT_EQ(printer.document(), lastDoc);
}

TEST_F(EquipmentBookletTest, KeysOfTheForm)
{
    equipmentProject(6);
    Form23->show();
    // Esc and F4 with the details shown: Esc cancels, F4 does nothing.
    select(6);
    ASSERT_TRUE(Form23->detailsShown());
    QTest::keyClick(Form23, Qt::Key_F4);
    EXPECT_TRUE(Form23->detailsShown() && Form23->isVisible());
    QTest::keyClick(Form23, Qt::Key_Escape);
    EXPECT_FALSE(Form23->detailsShown());
    EXPECT_EQ(DM1->Table1->state(), pf::db::DatasetState::Browse);
    // On the grid F4 closes the form.
    QTest::keyClick(Form23, Qt::Key_F4);
    EXPECT_FALSE(Form23->isVisible());
}
