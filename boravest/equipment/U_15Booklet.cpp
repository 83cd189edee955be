// The equipment booklet's builder: recomputes the ticked sections with the
// sizing operations in report mode, writes the results into the booklet's
// pages and previews them joined in one report.
#include "boravest/equipment/U_15Booklet.h"

#include "boravest/building/PersianWords.h"
#include "boravest/data/ProjectReads.h"
#include "boravest/data/UnitDm.h"
#include "boravest/eqbook/BookletPlan.h"
#include "boravest/eqbook/RepUnit.h"
#include "boravest/eqbook/RepUnit3.h"
#include "boravest/eqbook/U23.h"
#include "boravest/equipment/U_15BookletDistribution.h"
#include "boravest/equipment/U_15BookletHeating.h"
#include "boravest/equipment/U_15.h"
#include "boravest/equipment/U_15BookletPlant.h"
#include "platform/common/Numbers.h"
#include "platform/report/Preview.h"
#include "platform/ui/Dialogs.h"

using namespace bv::eqbook;

std::array<bool, 13> ReportSections{};
pf::report::CompositeReport QRCompositeReport1;

const char *const kMsgNothingToPrint = "براي بخشهاي انتخاب شده چيزي براي چاپ وجود ندارد";

namespace {

// The page of a section, null while that page cannot be printed yet.
pf::report::Report *sectionPage(int section)
{
    switch (section) {
    case 1:
        return Report3 ? &Report3->QuickRep1 : nullptr;
    case 2:
        return Report10 ? &Report10->QuickRep1 : nullptr;
    case 3:
        return Report ? &Report->QuickRep1 : nullptr;
    case 4:
        return ReportEst ? &ReportEst->QuickRep1 : nullptr;
    case 6:
        return Report4 ? &Report4->QuickRep1 : nullptr;
    case 7:
        return Report04 ? &Report04->QuickRep1 : nullptr;
    case 8:
        return Report5 ? &Report5->QuickRep1 : nullptr;
    case 9:
        return Report6 ? &Report6->QuickRep1 : nullptr;
    case 10:
        return Report7 ? &Report7->QuickRep1 : nullptr;
    case 11:
        return Report8 ? &Report8->QuickRep1 : nullptr;
    case 5:
        return Report11 ? &Report11->QuickRep1 : nullptr;
    case 12:
        return Report9 ? &Report9->QuickRep1 : nullptr;
    default:
        return nullptr;
    }
}

int whole(double v) { return int(pf::roundToInt(v)); }
int wholeField(const char *f) { return whole(TFormT2::recordValue(QString::fromLatin1(f))); }
double floatField(const char *f) { return TFormT2::recordValue(QString::fromLatin1(f)); }

// A failure of the build that the user is told about; nothing is previewed.
struct BuildFailure {
    QString message;
};

ProjectPageInputs projectPageInputs()
{
    ProjectPageInputs in;
    pf::db::Table *project = DM1->Table1;
    auto projectText = [project](const char *f) { return project->fieldByName(QString::fromLatin1(f)).asString(); };
    // The record is in edit: what was typed on the booklet form is printed.
    in.company = projectText("CoN");
    in.engineer = projectText("EngN");
    in.date = projectText("DATE1");
    in.number = projectText("Shproje");
    in.TySo = wholeField("TySo");
    in.Masa_Aa = floatField("Masa_Aa");
    in.Masa_Ar = floatField("Masa_Ar");
    in.NameS = TFormT2::recordText(QStringLiteral("NameS"));

    pf::db::Table *cities = DM1->Table7;
    cities->open();
    const QString city = projectText("SHAHR");
    if (!city.isEmpty() && cities->locate(QStringLiteral("Name_shahr"), {city})) {
        in.cityFound = true;
        in.insideTemp = projectText("Ti1");
        in.humidity = cities->fieldByName(QStringLiteral("DarsadRotobat")).asString();
        in.altitude = cities->fieldByName(QStringLiteral("Ertefa")).asFloat();
        in.outdoorTemp = cities->fieldByName(QStringLiteral("Dama_Kd")).asFloat();
    }
    cities->close();

    // Floors of the building: its distinct floor numbers, however many
    // units a floor holds.
    pf::db::Query *q = DM1->Query2;
    q->close();
    q->sql().clear();
    q->sql() << QStringLiteral("select Count(distinct Tabage)Cu from bankvh")
             << QStringLiteral("Where shproje=:shproje");
    q->paramByName(QStringLiteral("shproje")).setAsFloat(project->fieldByName(QStringLiteral("Shproje")).asFloat());
    q->open();
    in.floorsWord = building::ConvertTabage(q->fieldByName(QStringLiteral("Cu")).asInteger());
    q->close();

    in.fixtures = TFormT2::recordFixtures();
    in.logoPath = Form23->logoPath();
    return in;
}

void projectSection(TFormT2 &w)
{
    const ProjectPageInputs in = projectPageInputs();
    const bv::sizing::WaterMeterResults branch = w.SizeKontor(2);
    const bv::sizing::PressureTankResults tank = w.TankTF(2);
    QString error;
    if (!Report3->build(in, branch, tank, &error))
        throw BuildFailure{error};
}

void hotWaterSection(TFormT2 &w)
{
    HotWaterPageInputs in;
    in.NSakh = wholeField("NSakh");
    in.T_Pomp = wholeField("T_Pomp");
    in.Typ_MAM = wholeField("Typ_MAM");
    bv::sizing::HotWaterTankResults r;
    switch (in.Typ_MAM) {
    case bv::sizing::DoubleWallTank:
        r = w.MAbGMDJedar(2);
        break;
    case bv::sizing::HotWaterCoilTank:
        r = w.KAbDagh(2);
        break;
    case bv::sizing::SteamCoilTank:
        r = w.MAKB(2);
        break;
    default:
        break;
    }
    Report->build(in, r);
}

void runStep(TFormT2 &w, const Step &s)
{
    switch (s.step) {
    case BuildStep::Gauge:
        Form23->setGauge(s.gauge);
        break;
    case BuildStep::ProjectData:
        projectSection(w);
        break;
    case BuildStep::HotWaterTank:
        hotWaterSection(w);
        break;
    case BuildStep::Pool:
        poolSection(w);
        break;
    case BuildStep::Jacuzzi:
        jacuzziSection(w);
        break;
    case BuildStep::Boilers:
        boilerSection(w);
        break;
    case BuildStep::Furnaces:
        furnaceSection(w);
        break;
    case BuildStep::Radiators:
        radiatorSection(w);
        break;
    case BuildStep::UnitHeaterSpaces:
        unitHeaterSection(w);
        break;
    case BuildStep::ExpansionTank:
        expansionTankSection(w);
        break;
    case BuildStep::Burner:
        burnerSection(w);
        break;
    case BuildStep::Chimney:
        chimneySection(w);
        break;
    case BuildStep::Collectors:
        collectorsStep(w);
        break;
    case BuildStep::CirculationPump:
        circulationPumpStep(w);
        break;
    case BuildStep::FittingsAndSoftener:
        fittingsAndSoftenerStep(w);
        break;
    case BuildStep::ExtractFans:
        extractFanStep(w);
        break;
    }
}

// The floor and space tables the data-bound pages print from: open, on
// their first records, unfiltered; afterwards closed and unfiltered again.
void openSpaceTables()
{
    DM1->Table3->open();
    DM1->Table4->open();
    for (pf::db::Table *t : {DM1->Table3, DM1->Table4}) {
        t->first();
        t->setFilter(QString());
        t->setFiltered(false);
    }
}

void closeSpaceTables()
{
    for (pf::db::Table *t : {DM1->Table3, DM1->Table4}) {
        t->setFilter(QString());
        t->setFiltered(false);
        t->close();
    }
}

} // namespace

void TFormT2::Label45Click()
{
    if (!Form23 || !DM1)
        return;
    BookletPlanInputs in;
    for (int i = 1; i <= SectionCount; ++i) {
        in.ticked[i] = Form23->sectionTicked(i);
        in.pageReady[i] = sectionPage(i) != nullptr;
    }
    in.Randeman = wholeField("Randeman");
    in.Mass_Est = floatField("Mass_Est");
    in.Mass_Jak = floatField("Mass_Jak");
    in.V_B_M_E = floatField("V_B_M_E");
    const BookletPlan plan = planBooklet(in);
    ReportSections = plan.sections;
    if (!plan.anyTicked)
        return;
    if (plan.nothingLeft()) {
        Form23->hideGauge();
        pf::ui::showMessage(QString::fromUtf8(kMsgNothingToPrint), Form23);
        return;
    }

    // Whatever stops the build is said, and nothing is previewed.
    QString failure;
    pf::db::Database &db = *DM1->Database1;
    try {
        // The steps read the project's floors, units and spaces once between
        // them, and what they store is written as one: what the steps before
        // a failure stored is kept, as when each step wrote on its own.
        const bv::data::ProjectReadScope projectReads(db);
        db.startTransaction();
        struct Written {
            pf::db::Database &db;
            bool done = false;
            ~Written()
            {
                if (!done && db.inTransaction())
                    try {
                        db.commit();
                    } catch (const pf::db::DbError &) {
                    }
            }
        } written{db};
        try {
            for (const Step &s : plan.steps)
                runStep(*this, s);
        } catch (const BuildFailure &e) {
            failure = e.message;
        } catch (const pf::db::DbError &e) {
            failure = e.message();
        }
        written.done = true;
        db.commit();
    } catch (const pf::db::DbError &e) {
        if (failure.isEmpty())
            failure = e.message();
    }
    if (!failure.isEmpty()) {
        Form23->hideGauge();
        pf::ui::showMessage(failure, Form23);
        return;
    }

    const QString index = DM1->Table3->indexName();
    DM1->Table3->close();
    DM1->Table3->setIndexName(QStringLiteral("IPT"));
    try {
        openSpaceTables();
        Form23->hideGauge();
        QRCompositeReport1.onAddReports = [this](pf::report::CompositeReport &) { QRCompositeReport1AddReports(); };
        // The booklet's name, offered as the file of a print to a file.
        const QString name = DM1->Table1->fieldByName(QStringLiteral("NAME")).asString().trimmed();
        QRCompositeReport1.title = name.isEmpty() ? QStringLiteral("دفترچه تجهيزات")
                                                  : QStringLiteral("دفترچه تجهيزات - ") + name;
        pf::report::preview(QRCompositeReport1, Form23);
    } catch (const pf::db::DbError &e) {
        Form23->hideGauge();
        pf::ui::showMessage(e.message(), Form23);
    } catch (const pf::report::ReportError &e) {
        Form23->hideGauge();
        pf::ui::showMessage(e.message(), Form23);
    }
    closeSpaceTables();
    DM1->Table3->setIndexName(index);
}

void TFormT2::QRCompositeReport1AddReports()
{
    for (int section : PageOrder)
        if (ReportSections[section])
            if (pf::report::Report *page = sectionPage(section))
                QRCompositeReport1.add(page);
}
