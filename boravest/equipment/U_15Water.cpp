// Main water branch, hot-water tanks and the pressure tank pages.
#include "boravest/equipment/U_15.h"

#include "ui_U_15.h"
#include "ui_U_15PMADoJ.h"
#include "ui_U_15PTankTF.h"

#include "boravest/building/EntryPage.h"
#include "boravest/data/UnitDm.h"
#include "platform/common/Numbers.h"
#include "platform/db/Table.h"
#include "platform/ui/DbControls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Keys.h"

#include <QComboBox>
#include <QLabel>

using namespace bv::sizing;

namespace {

// Save of the hot-water tank page.
const char *const kMsgNoReturnPump = "براي برگشت آبگرم مصرفي پمپ درنظر گرفته نشده است";
const char *const kMsgSafetyAdvice =
    "با توجه به مصرف بيش از اندازه مقدار آبگرم ،حداقل 10% ضريب اطمينان در ذخيره آبگرم مصرفي لحاظ شود";
const char *const kMsgExchangerEfficiencyRange = "راندمان مبدل بين 75 و 95 قابل قبول است";
const char *const kMsgOtherUsesRange = "ساير مصارف بين 0 و 500 مورد قبول است";
const char *const kMsgSafetyRange = "ضريب اطمينان بين 10 و 100 مورد تاييد است";
const char *const kMsgTankCountRange = "تعدادمنابع بين 1 و 80 مورد قبول است";
// Save of the pressure-tank page.
const char *const kMsgValvePressureRange = "فشار پشت شيرها بايد بين 7و 100 باشد";
const char *const kMsgStorageTimeRange = "مدت زمان ذخيره آب بين 0.2 و 4 قابل قبول است";
const char *const kMsgPumpStartsRange = "تعداد استارت پمپ در هر ساعت بين 2 و 6 مي تواند باشد";

const char *const kWholeOnly = " عدد صحيح معتبر است";
const char *const kNumberOnly = " عدد معتبر است";

void say(const char *message) { pf::ui::showMessage(QString::fromUtf8(message)); }

void say(const QStringList &messages)
{
    for (const QString &m : messages)
        pf::ui::showMessage(m);
}

// Shows the message of a failed check: the save stops.
bool refuse(const char *message)
{
    say(message);
    return false;
}

bool outside(double v, double low, double high) { return v < low || v > high; }

// The caption beside a box as a message names it.
QString captionOf(const QLabel *label)
{
    QString t = label->text();
    if (t.startsWith(QLatin1Char(':')))
        t.remove(0, 1);
    return t.trimmed();
}

// A whole-number field of the equipment record, rounded half to even.
int recordWhole(const char *field) { return int(pf::roundToInt(TFormT2::recordValue(QString::fromLatin1(field)))); }

double recordReal(const char *field) { return TFormT2::recordValue(QString::fromLatin1(field)); }

// Altitude of the current project (Bank1.DB), ft.
double projectAltitude()
{
    if (!DM1 || !DM1->Table1->active() || DM1->Table1->isEmpty())
        return 0;
    return DM1->Table1->fieldByName(QStringLiteral("Hi")).asFloat();
}

// One box of a page: where it is read from on screen and in the record.
struct BoxRead {
    const QLineEdit *box;
    const QLabel *caption;
    const char *field;
    bool whole;
    double *value;
};

// Screen runs read the boxes (a message names a box that holds no
// number), the other runs the record.
bool readAll(short mode, std::initializer_list<BoxRead> reads)
{
    for (const BoxRead &r : reads) {
        if (mode == 2)
            *r.value = r.whole ? recordWhole(r.field) : recordReal(r.field);
        else if (!TFormT2::readBox(r.box, captionOf(r.caption), r.whole, *r.value))
            return false;
    }
    return true;
}

void setCaptions(TFormT2 &w, const QStringList &captions)
{
    for (int i = 0; i < captions.size(); ++i)
        w.setResultRow(i + 1, captions[i], QString());
}

void setValues(TFormT2 &w, const QStringList &captions, const QList<TFormT2::ResultValue> &values)
{
    for (int i = 0; i < captions.size() && i < values.size(); ++i)
        w.setResultRow(i + 1, captions[i], values[i]);
}

QStringList utf8(std::initializer_list<const char *> texts)
{
    QStringList out;
    for (const char *t : texts)
        out << QString::fromUtf8(t);
    return out;
}

// The three hot-water tank kinds share one run; `kind` is the position of
// the kind list.
HotWaterTankResults hotWaterTank(TFormT2 &w, const Ui::PMADoJPage &p, short mode, int kind)
{
    const bool steam = kind == SteamCoilTank;
    QStringList captions;
    if (mode == 1) {
        if (steam) {
            w.MakeComp(10, 70, 520, 270, 8, 5, 65, 10, 275, 350, 0, QString(), QString());
            captions = utf8({":ضريب افت فشار", ":(gpm)دبي پمپ برگشت آبگرم مصرفي", ":(ft)هد پمپ برگشت آبگرم مصرفي",
                             ":(hp)قدرت الكترو موتور", ":ضريب تصحيح قدرت الكتروپمپ", ":(lb/h)مصرف بخار",
                             ":(lb/h)مقدار آب كندانس", ":(lb/h)ظرفيت تراپ", ":(gph)حداكثر آب گرم مصرفي",
                             ":ضريب ذخيره منبع", ":ضريب تقاضاي منبع", ":(gal)كل حجم آب",
                             ":(Btu/h)انرژي گرمايي مورد نياز", ":(F)اختلاف دماي متوسط",
                             ":(Sq.ft)سطح حرارتي مورد نياز", ":(F)دماي اشباع بخار", ":(Btu/lb)آنتالپي بخار",
                             ":(Btu/lb)گرماي نهان بخار"});
        } else {
            const bool wall = kind == DoubleWallTank;
            w.MakeComp(10, 70, wall ? 510 : 520, 210, 5, 5, 65, 7, 275, 345, 0, QString(), QString());
            captions = utf8({":ضريب افت فشار ", ":(gpm)دبي پمپ برگشت آبگرم مصرفي", ":(ft)هد پمپ برگشت آبگرم مصرفي",
                             ":(hp)قدرت الكترو موتور", ":ضريب تصحيح قدرت الكتروپمپ", ":(gph)حداكثر آب گرم مصرفي",
                             ":ضريب تقاضاي منبع", ":ضريب ذخيره منبع",
                             wall ? ":(gal)كل حجم آب " : ":(gal)كل حجم آب",
                             wall ? ":(Btu/h)بار حرارتي مورد نياز " : ":(Btu/h)انرژي گرمايي مورد نياز",
                             ":(F)اختلاف دماي متوسط", ":(Sq.ft)سطح حرارتي مورد نياز"});
        }
        setCaptions(w, captions);
    }

    HotWaterTankInputs in;
    in.Typ_MAM = kind;
    double efficiency = 0, tanks = 0, pumps = 0, safety = 0, pumpEfficiency = 0;
    if (!readAll(mode, {{p.DBEdit1, p.LabelEfficiency, "Randeman", true, &efficiency},
                        {p.DBEdit3, p.LabelPumps, "T_Pomp", true, &pumps},
                        {p.DBEdit6, p.LabelOtherUses, "S_masaref", false, &in.S_masaref},
                        {p.DBEdit10, p.LabelSafety, "Z_Et", true, &safety},
                        {p.DBEdit2, p.LabelPipework, "K_B_L_MAB", false, &in.K_B_L_MAB},
                        {p.DBEdit4, p.LabelPumpEfficiency, "Rand_E_MAB", true, &pumpEfficiency}})
        // Only the row the kind shows is read.
        || (steam ? !readAll(mode, {{p.DBEdit21, p.LabelSteamPressure, "Fesh_KB", false, &in.Fesh_KB}})
                  : !readAll(mode, {{p.DBEdit11, p.LabelTanks, "T_Manba", true, &tanks}}))) {
        HotWaterTankResults none;
        none.stopped = true;
        return none;
    }
    in.Randeman = int(efficiency);
    in.T_Manba = int(tanks);
    in.T_Pomp = int(pumps);
    in.Z_Et = int(safety);
    in.Rand_E_MAB = int(pumpEfficiency);
    in.DamAbBeh = recordWhole("DamAbBeh");
    in.DamAbSh = recordWhole("DamAbSh");
    in.DAbgarm = recordWhole("DAbgarm");
    in.OfteFeshar = recordReal("OfteFeshar");
    in.TolSevic = recordReal("TolSevic");
    in.NSakh = recordWhole("NSakh");
    in.fixtures = TFormT2::recordFixtures();
    in.Hi = projectAltitude();
    in.reportMode = mode != 1;

    const HotWaterTankResults r = sizeHotWaterTank(in);
    if (mode == 1 && !r.stopped) {
        // The factors read from the demand table are shown as stored.
        const QString demand = pf::floatToStr(r.demandFactor), storage = pf::floatToStr(r.storageFactor);
        QList<TFormT2::ResultValue> values = {r.pressureDropFactor, r.pumpFlowGpm, r.pumpHeadFt, r.pumpPowerHp,
                                              r.altitudeFactor};
        if (steam)
            values << r.steamUseLbh << r.condensateLbh << r.trapCapacityLbh << r.peakDemandGph << storage << demand;
        else
            values << r.peakDemandGph << demand << storage;
        values << r.waterVolumeGal << r.heatLoadBtuh << r.meanTempDiff << r.heatingSurfaceSqFt;
        if (steam)
            values << r.saturationTempF << r.vapourEnthalpy << r.latentHeat;
        setValues(w, captions, values);
        // Results that cannot be shown are the run's one message.
        if (!w.resultsShowable())
            return r;
    }
    say(r.messages);
    if (r.stopped)
        return r;
    if (kind == HotWaterCoilTank && DM1)
        DM1->Table4->close();
    if (mode == 1)
        w.showResultPanel();
    return r;
}

} // namespace

void TFormT2::setUpWaterPages()
{
    uiMADoJ = std::make_unique<Ui::PMADoJPage>();
    uiMADoJ->setupUi(ui->PMADoJ);
    uiTankTF = std::make_unique<Ui::PTankTFPage>();
    uiTankTF->setupUi(ui->PTankTF);
    Ui::PMADoJPage &h = *uiMADoJ;
    Ui::PTankTFPage &t = *uiTankTF;

    if (DM1) {
        const struct {
            pf::ui::DBEdit *box;
            const char *field;
        } bound[] = {{h.DBEdit1, "Randeman"},   {h.DBEdit2, "K_B_L_MAB"}, {h.DBEdit3, "T_Pomp"},
                     {h.DBEdit4, "Rand_E_MAB"}, {h.DBEdit6, "S_masaref"}, {h.DBEdit10, "Z_Et"},
                     {h.DBEdit11, "T_Manba"},   {h.DBEdit21, "Fesh_KB"},  {t.DBEdit19, "FPBM"},
                     {t.DBEdit22, "MTZA"},      {t.DBEdit24, "MErAT"},    {t.DBEdit27, "TSPS"}};
        for (const auto &b : bound)
            b.box->bind(DM1->DataSource9, QString::fromLatin1(b.field));
    }

    // Hot-water tank page: the kind list and its two rows, the keys.
    connect(h.ComboBox8, &QComboBox::currentIndexChanged, this, [this] { ComboBox8Change(); });
    // The pipe-work quality may have decimals, the other percentages and
    // the counts are whole.
    for (QWidget *box : {static_cast<QWidget *>(h.ComboBox8), static_cast<QWidget *>(h.DBEdit6),
                         static_cast<QWidget *>(h.DBEdit21), static_cast<QWidget *>(h.DBEdit2)})
        pf::ui::installDecimalFilter(box, QString::fromUtf8(kNumberOnly));
    for (QWidget *box : {h.DBEdit1, h.DBEdit3, h.DBEdit4, h.DBEdit10, h.DBEdit11})
        pf::ui::installWholeNumberFilter(box, QString::fromUtf8(kWholeOnly));
    // After the pumps the shown one of the tank-count and steam-pressure rows.
    pf::ui::installEnterChain({h.ComboBox8, h.DBEdit6, h.DBEdit10, h.DBEdit1, h.DBEdit3, h.DBEdit21, h.DBEdit11,
                               h.DBEdit2, h.DBEdit4},
                              true);

    // Pressure-tank page: the pump starts take whole numbers and Enter
    // there goes back to the first box.
    for (QWidget *box : {t.DBEdit19, t.DBEdit22, t.DBEdit24})
        pf::ui::installDecimalFilter(box, QString::fromUtf8(kNumberOnly));
    pf::ui::installWholeNumberFilter(t.DBEdit27, QString::fromUtf8(kWholeOnly));
    pf::ui::installEnterChain({t.DBEdit19, t.DBEdit24, t.DBEdit22, t.DBEdit27}, true);
}

void TFormT2::Label19Click()
{
    // The stored kind, when there is one; a kind past the list chooses none.
    const int kind = int(pf::roundToInt(recordValue(QStringLiteral("Typ_MAM"))));
    if (kind >= 0)
        uiMADoJ->ComboBox8->setCurrentIndex(kind < uiMADoJ->ComboBox8->count() ? kind : -1);
    ComboBox8Change();
    openPage(2, ui->PMADoJ);
    uiMADoJ->ComboBox8->setFocus();
}

void TFormT2::Label20Click()
{
    openPage(3, ui->PTankTF);
    uiTankTF->DBEdit19->setFocus();
}

int TFormT2::uiComboBox8Index() const { return uiMADoJ->ComboBox8->currentIndex(); }

void TFormT2::ComboBox8Change()
{
    const Ui::PMADoJPage &h = *uiMADoJ;
    if (h.ComboBox8->currentText().isEmpty())
        return;
    const bool steam = h.ComboBox8->currentIndex() == SteamCoilTank;
    h.LabelTanks->setVisible(!steam);
    h.DBEdit11->setVisible(!steam);
    h.LabelSteamPressure->setVisible(steam);
    h.DBEdit21->setVisible(steam);
}

HotWaterDemand TFormT2::MaxMAbGVBeh() { return maxHotWaterDemand(recordWhole("NSakh"), TFormT2::recordFixtures()); }

WaterMeterResults TFormT2::SizeKontor(short mode)
{
    const QStringList captions = utf8({":تنوع سرويسهاي بهداشتي", ":تعداد سرويسهاي بهداشتي", ":ضريب مصرف آني",
                                       ":(In)قطر لوله انشعاب"});
    if (mode == 1) {
        MakeComp(110, 70, 225, 130, 4, 10, 70, 0, 0, 0, 0, QString(), QString());
        ResultPanel->move(ResultPanel->x() + 100, ResultPanel->y());
        setCaptions(*this, captions);
    }
    WaterMeterInputs in;
    in.TeaSak = recordWhole("TeaSak");
    in.Masa_z = recordWhole("Masa_z");
    in.Masa_Ar = recordWhole("Masa_Ar");
    in.Masa_Aa = recordWhole("Masa_Aa");
    in.NSakh = recordWhole("NSakh");
    in.fixtures = TFormT2::recordFixtures();
    in.DamAbSh = recordWhole("DamAbSh");
    in.DamAbMa = recordWhole("DamAbMa");
    in.DamAbBeh = recordWhole("DamAbBeh");
    in.reportMode = mode != 1;

    const WaterMeterResults r = sizeWaterMeterBranch(in);
    if (mode == 1 && !r.stopped) {
        setValues(*this, captions,
                  {QString::number(r.kinds), QString::number(r.fixtureTotal), r.useFactor, r.branchSize});
        if (!resultsShowable())
            return r;
    }
    say(r.messages);
    if (r.stopped || mode != 1)
        return r;
    showResultPanel();
    return r;
}

HotWaterTankResults TFormT2::MAbGMDJedar(short mode) { return hotWaterTank(*this, *uiMADoJ, mode, DoubleWallTank); }

HotWaterTankResults TFormT2::KAbDagh(short mode) { return hotWaterTank(*this, *uiMADoJ, mode, HotWaterCoilTank); }

HotWaterTankResults TFormT2::MAKB(short mode) { return hotWaterTank(*this, *uiMADoJ, mode, SteamCoilTank); }

PressureTankResults TFormT2::TankTF(short mode)
{
    const Ui::PTankTFPage &t = *uiTankTF;
    const QStringList captions =
        utf8({":(gph)بيشترين مصرف", ":(gal)حجم آب داخل تانك", ":(gal)حجم كل منبع", ":(PSI)حداقل فشار داخل تانك",
              ":(PSI)حداكثر فشار داخل تانك", ":(gph)حداكثر آب گرم مصرفي", ":(gph)حداكثر آب سرد مصرفي",
              ":حالت نصب تانك"});
    if (mode == 1) {
        MakeComp(20, 70, 410, 170, 3, 5, 55, 5, 190, 240, 25, QString(), QString());
        // The installation takes the top line.
        ResultCaptions[8]->move(240, 33);
        ResultValues[8]->move(200, 33);
        setCaptions(*this, captions);
    }
    PressureTankInputs in;
    double starts = 0;
    // Save's check run reads the page as Calculate does.
    if (!readAll(mode == 3 ? 1 : mode, {{t.DBEdit19, t.LabelValvePressure, "FPBM", false, &in.FPBM},
                                        {t.DBEdit24, t.LabelWaterHeight, "MErAT", false, &in.MErAT},
                                        {t.DBEdit22, t.LabelStorageTime, "MTZA", false, &in.MTZA},
                                        {t.DBEdit27, t.LabelPumpStarts, "TSPS", true, &starts}})) {
        PressureTankResults none;
        none.stopped = true;
        return none;
    }
    in.TSPS = int(starts);
    in.DamAbBeh = recordWhole("DamAbBeh");
    in.DamAbMa = recordWhole("DamAbMa");
    in.DamAbSh = recordWhole("DamAbSh");
    in.ErtefaS = recordWhole("ErtefaS");
    in.TolSevic = recordWhole("TolSevic");
    in.OfteFeshar = recordReal("OfteFeshar");
    in.NSakh = recordWhole("NSakh");
    in.fixtures = TFormT2::recordFixtures();
    in.reportMode = mode != 1;

    const PressureTankResults r = sizePressureTank(in);
    if (mode == 1 && !r.stopped) {
        setValues(*this, captions,
                  {r.peakUseGph, r.waterHeldGal, r.tankVolumeGal, r.minPressurePsi, r.maxPressurePsi,
                   r.peakHotWaterGph, r.coldWaterGph, r.installationText});
        if (!resultsShowable())
            return r;
    }
    if (mode == 3) {
        // Save judges the rest itself.
        if (r.messages.contains(QString::fromUtf8(kMsgCheckMixingTemperatures)))
            say(kMsgCheckMixingTemperatures);
    } else {
        say(r.messages);
    }
    if (r.stopped || mode != 1)
        return r;
    showResultPanel();
    return r;
}

bool TFormT2::saveHotWaterTankPage()
{
    const Ui::PMADoJPage &h = *uiMADoJ;
    const auto read = [](const QLineEdit *box, const QLabel *caption, bool whole, double &v) {
        return readBox(box, captionOf(caption), whole, v);
    };
    // Two warnings that do not stop the save.
    double pumps = 0, safety = 0;
    if (!read(h.DBEdit3, h.LabelPumps, true, pumps))
        return false;
    if (pumps == 0)
        say(kMsgNoReturnPump);
    if (!read(h.DBEdit10, h.LabelSafety, true, safety))
        return false;
    if (safety == 0)
        say(kMsgSafetyAdvice);
    const int kind = h.ComboBox8->currentIndex();
    if (DM1 && DM1->Table12->state() == pf::db::DatasetState::Edit)
        DM1->Table12->fieldByName(QStringLiteral("Typ_MAM")).setAsFloat(kind);

    double efficiency = 0, otherUses = 0;
    if (!read(h.DBEdit1, h.LabelEfficiency, true, efficiency))
        return false;
    if (outside(efficiency, 75, 95))
        return refuse(kMsgExchangerEfficiencyRange);
    if (!read(h.DBEdit6, h.LabelOtherUses, false, otherUses))
        return false;
    if (outside(otherUses, 0, 500))
        return refuse(kMsgOtherUsesRange);
    if (outside(safety, 10, 100))
        return refuse(kMsgSafetyRange);
    double v = 0;
    if (kind == SteamCoilTank) {
        if (!read(h.DBEdit21, h.LabelSteamPressure, false, v))
            return false;
        if (outside(v, 5, 150))
            return refuse(kMsgSteamPressureRange);
    } else {
        if (!read(h.DBEdit11, h.LabelTanks, true, v))
            return false;
        if (outside(v, 1, 80))
            return refuse(kMsgTankCountRange);
    }
    return true;
}

bool TFormT2::savePressureTankPage()
{
    const Ui::PTankTFPage &t = *uiTankTF;
    double valve = 0, height = 0, storage = 0, starts = 0;
    if (!readBox(t.DBEdit19, captionOf(t.LabelValvePressure), false, valve)
        || !readBox(t.DBEdit24, captionOf(t.LabelWaterHeight), false, height)
        || !readBox(t.DBEdit22, captionOf(t.LabelStorageTime), false, storage)
        || !readBox(t.DBEdit27, captionOf(t.LabelPumpStarts), true, starts))
        return false;
    const PressureTankResults r = TankTF(3);
    const QString refusal = pressureTankSaveRefusal(r);
    if (!refusal.isEmpty()) {
        pf::ui::showMessage(refusal);
        return false;
    }
    if (outside(valve, 7, 100))
        return refuse(kMsgValvePressureRange);
    if (outside(height, 2, 30))
        return refuse(kMsgWaterHeightRange);
    if (outside(storage, 0.2, 4))
        return refuse(kMsgStorageTimeRange);
    if (outside(starts, 2, 6))
        return refuse(kMsgPumpStartsRange);
    // A lowest pressure below the pump start curve leaves the tank unsized.
    if (r.messages.contains(QString::fromUtf8(kMsgMinPressureOffCurve)))
        return refuse(kMsgMinPressureOffCurve);
    return true;
}

void TFormT2::clearWaterPages()
{
    // The kind list is not bound to the record: no kind of the previous
    // project stays chosen.
    Ui::PMADoJPage &h = *uiMADoJ;
    h.ComboBox8->setCurrentIndex(-1);
    h.LabelTanks->show();
    h.DBEdit11->show();
    h.LabelSteamPressure->hide();
    h.DBEdit21->hide();
}
