// Boiler, burner, pool and jacuzzi exchanger pages.
#include "boravest/equipment/U_15.h"

#include "ui_U_15.h"
#include "ui_U_15PDig.h"
#include "ui_U_15PEMsh.h"
#include "ui_U_15PEsMo.h"
#include "ui_U_15PJakoziMo.h"

#include "boravest/data/UnitDm.h"
#include "boravest/sizing/BuildingLoad.h"
#include "boravest/equipment/Tajh1.h"
#include "platform/common/Numbers.h"
#include "platform/db/Table.h"
#include "platform/ui/DbControls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Keys.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

using namespace bv::sizing;

namespace {

const QString kWholeOnly = QStringLiteral(" عدد صحيح معتبر است");
const QString kNumberOnly = QStringLiteral(" عدد معتبر است");
const QString kBoilerWater = QStringLiteral(":درجه حرارت آب ديگ");
const QString kEfficiencyRange = QStringLiteral("راندمان مبدل بين 75 و 95 قابل قبول است");
const QString kExchangerCount = QStringLiteral("تعداد مبدل را تصحيح كنيد");

int whole(double v) { return int(pf::roundToInt(v)); }

// A field of the current project's row (Bank1.DB); 0 without one.
double projectValue(const char *field)
{
    if (!DM1 || !DM1->Table1->active() || DM1->Table1->isEmpty())
        return 0;
    return DM1->Table1->fieldByName(QString::fromLatin1(field)).asFloat();
}

int recordWhole(const char *field) { return whole(TFormT2::recordValue(QString::fromLatin1(field))); }

bool recordEditing()
{
    if (!DM1 || !DM1->Table12->active())
        return false;
    const auto s = DM1->Table12->state();
    return s == pf::db::DatasetState::Edit || s == pf::db::DatasetState::Insert;
}

void writeField(const char *field, const QVariant &v)
{
    if (recordEditing())
        DM1->Table12->fieldByName(QString::fromLatin1(field)).setValue(v);
}

void bindBox(pf::ui::DBEdit *box, const char *field)
{
    if (DM1)
        box->bind(DM1->DataSource9, QString::fromLatin1(field));
}

void showMessages(const QStringList &messages)
{
    for (const QString &m : messages)
        pf::ui::showMessage(m);
}

// The caption of a box as its label shows it, for the not-a-number message.
QString captionOf(const QLabel *label) { return label->text(); }

// Reads a box; false (after the message naming the box) when it is no number.
bool read(const QLineEdit *box, const QLabel *caption, bool whole, double &v)
{
    return TFormT2::readBox(box, captionOf(caption), whole, v);
}

// Save's range check of one box: its value must lie within lo..hi (both ends
// valid), else `message`. A text that is no number is refused by name.
bool inRange(const QLineEdit *box, const QLabel *caption, bool whole, double lo, double hi, const QString &message,
             double *value = nullptr)
{
    double v = 0;
    if (!read(box, caption, whole, v))
        return false;
    if (value)
        *value = v;
    if (v < lo || v > hi) {
        pf::ui::showMessage(message);
        return false;
    }
    return true;
}

// The medium list of an exchanger page: hot water shows the boiler water
// temperature in the medium box, steam the steam pressure at the inlet.
void mediumChanged(QComboBox *list, QLabel *caption, pf::ui::DBEdit *box, const QString &steamCaption,
                   const char *steamField, bool disableForHotWater)
{
    if (list->currentText().isEmpty())
        return;
    const bool steam = list->currentIndex() == ExchangerSteam;
    caption->setText(steam ? steamCaption : kBoilerWater);
    bindBox(box, steam ? steamField : "DAbgarm");
    // The box takes what its field holds: a steam pressure may have
    // decimals, the boiler water temperature is a whole number.
    if (steam)
        pf::ui::installDecimalFilter(box, kNumberOnly);
    else
        pf::ui::installWholeNumberFilter(box, kWholeOnly);
    if (disableForHotWater)
        box->setEnabled(steam);
}

// The list position of a stored list field, -1 outside the list.
int listPosition(const QComboBox *list, const char *field)
{
    const int i = recordWhole(field);
    return i >= 0 && i < list->count() ? i : -1;
}

// Writes the value of result row `row` beside the caption set before the
// run.
void setValue(TFormT2 *w, int row, const TFormT2::ResultValue &value)
{
    if (ResultCaptions[row])
        w->setResultRow(row, ResultCaptions[row]->text(), value);
}

} // namespace

void TFormT2::setUpBoilerPages()
{
    uiDig = std::make_unique<Ui::PDigPage>();
    uiDig->setupUi(ui->PDig);
    uiEMsh = std::make_unique<Ui::PEMshPage>();
    uiEMsh->setupUi(ui->PEMsh);
    uiEsMo = std::make_unique<Ui::PEsMoPage>();
    uiEsMo->setupUi(ui->PEsMo);
    uiJakoziMo = std::make_unique<Ui::PJakoziMoPage>();
    uiJakoziMo->setupUi(ui->PJakoziMo);

    using pf::ui::installDecimalFilter;
    using pf::ui::installEnterChain;
    using pf::ui::installWholeNumberFilter;

    // Boiler page.
    bindBox(uiDig->DBEdit84, "Te_Dig");
    bindBox(uiDig->DBEdit85, "Rand_Dig");
    bindBox(uiDig->DBEdit86, "K_A_Dig");
    for (QLineEdit *e : {static_cast<QLineEdit *>(uiDig->DBEdit84), static_cast<QLineEdit *>(uiDig->DBEdit85),
                         static_cast<QLineEdit *>(uiDig->DBEdit86), uiDig->EditBuildingLoad, uiDig->EditHotWaterLoad,
                         uiDig->EditPoolLoad, uiDig->EditJacuzziLoad})
        installWholeNumberFilter(e, kWholeOnly);
    installEnterChain({uiDig->DBEdit84, uiDig->DBEdit85, uiDig->DBEdit86, uiDig->ComboBox10}, true);
    connect(uiDig->DBCheckBox2, &QCheckBox::toggled, this, [](bool on) { writeField("Chk_Zp", on); });
    uiDig->EditJacuzziLoad->setProperty("designTop", uiDig->EditJacuzziLoad->y());

    // Burner page.
    bindBox(uiEMsh->DBEdit76, "Te_Dig");
    bindBox(uiEMsh->DBEdit77, "Rand_Mash");
    for (QLineEdit *e : {static_cast<QLineEdit *>(uiEMsh->DBEdit76), static_cast<QLineEdit *>(uiEMsh->DBEdit77),
                         uiEMsh->EditCapacity})
        installWholeNumberFilter(e, kWholeOnly);
    installEnterChain({uiEMsh->DBEdit76, uiEMsh->DBEdit77}, true);

    // Pool exchanger page.
    const struct {
        pf::ui::DBEdit *box;
        const char *field;
    } pool[] = {{uiEsMo->DBEdit62, "Rand_Est"},   {uiEsMo->DBEdit63, "Te_Est"},     {uiEsMo->DBEdit57, "D_Ma_Est"},
                {uiEsMo->DBEdit59, "Mass_Est"},   {uiEsMo->DBEdit60, "Omgh_M_Est"}, {uiEsMo->DBEdit58, "Mz_G_Ab_Est"},
                {uiEsMo->DBEdit23, "D_Mo_Est"},   {uiEsMo->DBEdit55, "DAbgarm"}};
    for (const auto &b : pool)
        bindBox(b.box, b.field);
    // The medium box's filter follows its field (see mediumChanged); the
    // surrounding air may have decimals.
    for (QLineEdit *e : {uiEsMo->DBEdit55, uiEsMo->DBEdit57, uiEsMo->DBEdit62, uiEsMo->DBEdit63})
        installWholeNumberFilter(e, kWholeOnly);
    for (QLineEdit *e : {uiEsMo->DBEdit23, uiEsMo->DBEdit58, uiEsMo->DBEdit59, uiEsMo->DBEdit60})
        installDecimalFilter(e, kNumberOnly);
    installEnterChain({uiEsMo->DBEdit57, uiEsMo->DBEdit23, uiEsMo->DBEdit58, uiEsMo->DBEdit59, uiEsMo->DBEdit60,
                       uiEsMo->ComboBox6, uiEsMo->DBEdit55, uiEsMo->DBEdit62, uiEsMo->DBEdit63},
                      true);
    connect(uiEsMo->ComboBox6, &QComboBox::currentIndexChanged, this, [this] {
        mediumChanged(uiEsMo->ComboBox6, uiEsMo->Label136, uiEsMo->DBEdit55,
                      QStringLiteral(":(PSI)فشار ورودي بخاد به مبدل"), "Fesh_M_Est", false);
    });

    // Jacuzzi exchanger page.
    const struct {
        pf::ui::DBEdit *box;
        const char *field;
    } jacuzzi[] = {{uiJakoziMo->DBEdit78, "Rand_Jak"},   {uiJakoziMo->DBEdit79, "Te_Jak"},
                   {uiJakoziMo->DBEdit42, "D_Ma_Jak"},   {uiJakoziMo->DBEdit44, "Mass_Jak"},
                   {uiJakoziMo->DBEdit45, "Omgh_M_Jak"}, {uiJakoziMo->DBEdit43, "Mz_G_Ab_Jak"},
                   {uiJakoziMo->DBEdit80, "D_Mo_Jak"},   {uiJakoziMo->DBEdit39, "DAbgarm"},
                   {uiJakoziMo->DBEdit96, "Te_Naz"}};
    for (const auto &b : jacuzzi)
        bindBox(b.box, b.field);
    for (QLineEdit *e : {uiJakoziMo->DBEdit39, uiJakoziMo->DBEdit42, uiJakoziMo->DBEdit78, uiJakoziMo->DBEdit79,
                         uiJakoziMo->DBEdit80, uiJakoziMo->DBEdit96})
        installWholeNumberFilter(e, kWholeOnly);
    for (QLineEdit *e : {uiJakoziMo->DBEdit43, uiJakoziMo->DBEdit44, uiJakoziMo->DBEdit45})
        installDecimalFilter(e, kNumberOnly);
    installEnterChain({uiJakoziMo->DBEdit42, uiJakoziMo->DBEdit80, uiJakoziMo->DBEdit43, uiJakoziMo->DBEdit44,
                       uiJakoziMo->DBEdit45, uiJakoziMo->ComboBox9, uiJakoziMo->DBEdit39, uiJakoziMo->DBEdit78,
                       uiJakoziMo->DBEdit79, uiJakoziMo->DBEdit96},
                      true);
    connect(uiJakoziMo->ComboBox9, &QComboBox::currentIndexChanged, this, [this] {
        mediumChanged(uiJakoziMo->ComboBox9, uiJakoziMo->Label80, uiJakoziMo->DBEdit39,
                      QStringLiteral(":(PSI)فشار ورودي بخار به مبدل"), "Fesh_M_Jak", true);
    });

    clearBoilerPages();
}

// ---------------------------------------------------------------- openers

void TFormT2::Label6Click()
{
    // The four loads are filled before the record goes into edit mode.
    double building = 0;
    if (FormT1)
        FormT1->Q_Sakh(building);
    uiDig->EditBuildingLoad->setText(roundText(building));

    // Water the hot-water service heats, from the tank sizing of the stored
    // kind; no efficiency shows 0, never an earlier project's load.
    double water = 0;
    switch (recordWhole("Typ_MAM")) {
    case DoubleWallTank: water = MAbGMDJedar(2).waterVolumeGal; break;
    case HotWaterCoilTank: water = KAbDagh(2).waterVolumeGal; break;
    case SteamCoilTank: water = MAKB(2).waterVolumeGal; break;
    default: break;
    }
    uiDig->EditHotWaterLoad->setText(roundText(boilerHotWaterLoad(
        water, recordValue(QStringLiteral("DamAbBeh")), recordValue(QStringLiteral("DamAbSh")), recordWhole("Randeman"))));

    const bool pool = poolPresent();
    const bool jacuzzi = jacuzziPresent();
    uiDig->EditPoolLoad->setText(roundText(pool ? EstakhMobadel(2).totalEnergy : 0));
    uiDig->EditJacuzziLoad->setText(roundText(jacuzzi ? JakoziMobadel(2).totalEnergy : 0));

    openPage(6, ui->PDig);

    uiDig->ComboBox10->setCurrentIndex(listPosition(uiDig->ComboBox10, "Typ_Dig"));
    {
        QSignalBlocker block(uiDig->DBCheckBox2);
        uiDig->DBCheckBox2->setChecked(recordValue(QStringLiteral("Chk_Zp")) != 0);
    }
    // The pool and jacuzzi rows only with a pool or a jacuzzi; the jacuzzi
    // row takes the pool row's place when that is hidden.
    uiDig->LabelPoolLoad->setVisible(pool);
    uiDig->EditPoolLoad->setVisible(pool);
    const int top = pool ? uiDig->EditJacuzziLoad->property("designTop").toInt() : uiDig->EditPoolLoad->y();
    uiDig->EditJacuzziLoad->move(uiDig->EditJacuzziLoad->x(), top);
    uiDig->LabelJacuzziLoad->move(uiDig->LabelJacuzziLoad->x(), top);
    uiDig->LabelJacuzziLoad->setVisible(jacuzzi);
    uiDig->EditJacuzziLoad->setVisible(jacuzzi);
    uiDig->ComboBox10->setFocus();
}

void TFormT2::Label10Click()
{
    openPage(10, ui->PEMsh);
    uiEMsh->EditCapacity->setText(roundText(Dig(2).capacityPerBoiler));
    uiEMsh->DBEdit76->setFocus();
}

void TFormT2::Label125Click()
{
    openSubPage(3, ui->PEsMo);
    uiEsMo->ComboBox6->setCurrentIndex(listPosition(uiEsMo->ComboBox6, "Typ_M_Est"));
    if (uiEsMo->DBEdit23->text().isEmpty()) {
        writeField("D_Mo_Est", whole(projectValue("Ti1")));
        uiEsMo->DBEdit23->refresh();
    }
    mediumChanged(uiEsMo->ComboBox6, uiEsMo->Label136, uiEsMo->DBEdit55,
                  QStringLiteral(":(PSI)فشار ورودي بخاد به مبدل"), "Fesh_M_Est", false);
    uiEsMo->DBEdit57->setFocus();
}

void TFormT2::Label71Click()
{
    openSubPage(5, ui->PJakoziMo);
    uiJakoziMo->ComboBox9->setCurrentIndex(listPosition(uiJakoziMo->ComboBox9, "Typ_M_Jak"));
    if (uiJakoziMo->DBEdit80->text().isEmpty()) {
        writeField("D_Mo_Jak", whole(projectValue("Ti1")));
        uiJakoziMo->DBEdit80->refresh();
    }
    mediumChanged(uiJakoziMo->ComboBox9, uiJakoziMo->Label80, uiJakoziMo->DBEdit39,
                  QStringLiteral(":(PSI)فشار ورودي بخار به مبدل"), "Fesh_M_Jak", true);
    uiJakoziMo->DBEdit42->setFocus();
}

bool TFormT2::poolPresent() const
{
    return boxValue(uiEsMo->DBEdit59) > 0 || recordValue(QStringLiteral("Mass_Est")) > 0;
}

bool TFormT2::jacuzziPresent() const
{
    return boxValue(uiJakoziMo->DBEdit44) > 0 || recordValue(QStringLiteral("Mass_Jak")) > 0;
}

// ---------------------------------------------------------------- boilers

BoilerResults TFormT2::Dig(short mode)
{
    BoilerInputs in;
    in.reportMode = mode != 1;
    in.DAbgarm = recordWhole("DAbgarm");
    in.Ti1 = whole(projectValue("Ti1"));
    in.To1 = whole(projectValue("To1"));
    BoilerResults stopped;
    stopped.stopped = true;

    if (mode == 1) {
        const bool steam = uiDig->ComboBox10->currentIndex() == 1;
        MakeComp(50, 70, 255, 150, 5, 5, 80, 0, 0, 0, 0, QString(), QString());
        setResultRow(1, QStringLiteral(":ضريب عايق كاري"), QString());
        setResultRow(2, QStringLiteral(":(Btu/h) قدرت حرارتي موردنياز"), QString());
        in.Chk_Zp = uiDig->DBCheckBox2->isChecked();
        if (in.Chk_Zp)
            setResultRow(3, QStringLiteral(":ضريب پيش راه اندازي"), QString());
        if (steam) {
            setResultRow(4, QStringLiteral("   براي انتخاب ديگ بخار و تعيين ظرفيت آن با"), QString());
            setResultRow(5, QStringLiteral("كارشناسان دفتر فني كارخانه تماس حاصل فرماييد"), QString());
            for (int i : {4, 5})
                ResultCaptions[i]->move(55, ResultCaptions[i]->y());
        }
        double r = 0, n = 0, k = 0;
        if (!read(uiDig->DBEdit85, uiDig->LabelBoilerEfficiency, true, r) ||
            !read(uiDig->DBEdit84, uiDig->LabelBoilerCount, true, n) ||
            !read(uiDig->DBEdit86, uiDig->LabelInsulation, true, k) ||
            !read(uiDig->EditBuildingLoad, uiDig->LabelBuildingLoad, false, in.buildingLoad) ||
            !read(uiDig->EditHotWaterLoad, uiDig->LabelHotWaterLoad, false, in.hotWaterLoad) ||
            !read(uiDig->EditPoolLoad, uiDig->LabelPoolLoad, false, in.poolLoad) ||
            !read(uiDig->EditJacuzziLoad, uiDig->LabelJacuzziLoad, false, in.jacuzziLoad))
            return stopped;
        in.Rand_Dig = whole(r);
        in.Te_Dig = whole(n);
        in.K_A_Dig = whole(k);
    } else {
        in.Rand_Dig = recordWhole("Rand_Dig");
        in.Te_Dig = recordWhole("Te_Dig");
        in.K_A_Dig = recordWhole("K_A_Dig");
        in.Chk_Zp = recordValue(QStringLiteral("Chk_Zp")) != 0;
        in.poolLoad = recordValue(QStringLiteral("Mass_Est")) > 0 ? RoundX(EstakhMobadel(2).totalEnergy) : 0;
        in.jacuzziLoad = recordValue(QStringLiteral("Mass_Jak")) > 0 ? RoundX(JakoziMobadel(2).totalEnergy) : 0;
        if (FormT1)
            FormT1->Q_Sakh(in.buildingLoad);
        const FixtureCounts f = recordFixtures();
        const int nSakh = recordWhole("NSakh");
        const double water =
            hotWaterToHeatForReport(maxHotWaterDemand(nSakh, f).peakGph, nSakh, recordValue(QStringLiteral("Z_Et")));
        in.Randeman = recordWhole("Randeman");
        in.hotWaterLoad = RoundX(boilerHotWaterLoad(water, recordWhole("DamAbBeh"), recordWhole("DamAbSh"), in.Randeman));
    }

    const BoilerResults res = sizeBoilers(in);
    if (mode == 1 && !res.stopped) {
        setValue(this, 1, res.insulationFactor);
        if (res.pickUpFactor > 0)
            setValue(this, 3, res.pickUpFactor);
        setValue(this, 2, res.capacityPerBoiler);
        // Results that cannot be shown are the run's one message.
        if (!resultsShowable())
            return res;
    }
    showMessages(res.messages);
    if (mode == 1 && !res.stopped)
        showResultPanel();
    return res;
}

// ---------------------------------------------------------------- burner

BurnerResults TFormT2::EntMashal(short mode)
{
    BurnerInputs in;
    in.TySo = recordWhole("TySo");
    in.HU = recordWhole("HU");
    in.Hi = projectValue("Hi");
    BurnerResults stopped;
    stopped.stopped = true;

    if (mode == 1) {
        MakeComp(60, 70, 245, 130, 4, 5, 65, 0, 0, 0, 0, QString(), QString());
        const QStringList captions = burnerResultCaptions(in.TySo);
        for (int i = 0; i < captions.size(); ++i)
            setResultRow(i + 1, captions[i], QString());
        double r = 0;
        if (!read(uiEMsh->DBEdit77, uiEMsh->LabelBurnerEfficiency, true, r) ||
            !read(uiEMsh->EditCapacity, uiEMsh->LabelCapacity, false, in.capacityPerBoiler))
            return stopped;
        in.Rand_Mash = whole(r);
    } else {
        in.Rand_Mash = recordWhole("Rand_Mash");
        // Without the boilers' capacity there is no burner to size.
        const BoilerResults boilers = Dig(2);
        if (boilers.stopped)
            return stopped;
        in.capacityPerBoiler = boilers.capacityPerBoiler;
    }

    const BurnerResults res = sizeBurner(in);
    const bool shown = mode == 1 && !res.stopped && (in.TySo == 0 || in.TySo == 1);
    if (shown) {
        setValue(this, 1, res.altitudeFactor);
        setValue(this, 2, res.burnerPower);
        setValue(this, 3, res.fuelUse);
        // Gas oil: the store in litres; city gas: the heating value the use
        // was worked out with.
        if (in.TySo == 0)
            setValue(this, 4, res.fuelStore);
        else
            setValue(this, 4, QString::number(res.heatingValue));
        if (!resultsShowable())
            return res;
    }
    showMessages(res.messages);
    if (shown)
        showResultPanel();
    return res;
}

// ---------------------------------------------------------------- exchangers

namespace {

struct ExchangerPage {
    bool jacuzzi;
    QLineEdit *efficiency, *count, *water, *area, *depth, *heatUp, *air, *medium, *jets;
    QLabel *efficiencyCaption, *countCaption, *waterCaption, *areaCaption, *depthCaption, *heatUpCaption,
        *airCaption, *mediumCaption, *jetsCaption;
    QComboBox *list;
    const char *fEfficiency, *fCount, *fWater, *fArea, *fDepth, *fHeatUp, *fAir, *fType, *fPressure;
};

// Inputs of an exchanger: mode 1 the page as typed (the medium from the
// list, or stored when none is chosen), mode 2 the stored record.
bool exchangerInputs(const ExchangerPage &p, short mode, ExchangerInputs &in)
{
    in.DamAbSh = recordWhole("DamAbSh");
    if (p.jacuzzi) {
        in.OfteFeshar = TFormT2::recordValue(QStringLiteral("OfteFeshar"));
        in.Hi = projectValue("Hi");
    }
    if (mode != 1) {
        auto value = [](const char *f) { return TFormT2::recordValue(QString::fromLatin1(f)); };
        in.efficiency = value(p.fEfficiency);
        in.count = recordWhole(p.fCount);
        in.waterTemperature = recordWhole(p.fWater);
        in.area = value(p.fArea);
        in.depth = value(p.fDepth);
        in.heatUpTime = value(p.fHeatUp);
        in.ambientTemperature = p.jacuzzi ? recordWhole(p.fAir) : value(p.fAir);
        in.type = recordWhole(p.fType);
        in.DAbgarm = recordWhole("DAbgarm");
        in.steamPressure = value(p.fPressure);
        in.Te_Naz = recordWhole("Te_Naz");
        return true;
    }
    in.type = p.list->currentIndex() >= 0 ? p.list->currentIndex() : recordWhole(p.fType);
    double count = 0, water = 0, air = 0, jets = 0, medium = 0;
    if (!read(p.efficiency, p.efficiencyCaption, false, in.efficiency) || !read(p.count, p.countCaption, true, count) ||
        !read(p.water, p.waterCaption, true, water) || !read(p.area, p.areaCaption, false, in.area) ||
        !read(p.depth, p.depthCaption, false, in.depth) || !read(p.heatUp, p.heatUpCaption, false, in.heatUpTime) ||
        !read(p.air, p.airCaption, p.jacuzzi, air))
        return false;
    if (in.type == ExchangerHotWater || in.type == ExchangerSteam) {
        if (!read(p.medium, p.mediumCaption, in.type == ExchangerHotWater, medium))
            return false;
        if (in.type == ExchangerHotWater)
            in.DAbgarm = whole(medium);
        else
            in.steamPressure = medium;
    }
    if (p.jacuzzi) {
        if (!read(p.jets, p.jetsCaption, true, jets))
            return false;
        in.Te_Naz = whole(jets);
    }
    in.count = whole(count);
    in.waterTemperature = whole(water);
    in.ambientTemperature = air;
    return true;
}

// Shared by the pool and the jacuzzi exchanger: the panel's captions are
// given before the run, its values after it; a run stopped by a check
// shows its message and no panel.
ExchangerResults runExchanger(TFormT2 *w, const ExchangerPage &p, short mode)
{
    ExchangerInputs in;
    const QString volume = p.jacuzzi ? QStringLiteral(":(gal)حجم آب جكوزي") : QStringLiteral(":(gal)حجم آب استخر");
    const QString surface = p.jacuzzi ? QStringLiteral(":(Btu/h)اتلاف حرارتي از سطح آب جكوزي")
                                      : QStringLiteral(":(Btu/h)اتلاف حرارتي از سطح آب استخر");
    bool hotWater = false;
    if (mode == 1) {
        const int type = p.list->currentIndex() >= 0 ? p.list->currentIndex() : recordWhole(p.fType);
        hotWater = type == ExchangerHotWater;
        if (hotWater) {
            if (p.jacuzzi)
                w->MakeComp(30, 90, 345, 210, 6, 5, 55, 0, 0, 0, 0, QString(), QString());
            else
                w->MakeComp(35, 100, 345, 190, 6, 5, 72, 0, 0, 0, 0, QString(), QString());
            const QString captions[] = {QStringLiteral(":(F)اختلاف دماي متوسط"),
                                        QStringLiteral(":(Sq.ft)سطح حرارتي مورد نياز"),
                                        volume,
                                        QStringLiteral(":(Btu/h)انرژي گرمايي مورد نياز در ابتداي راه اندازي"),
                                        surface,
                                        QStringLiteral(":(Btu/h)كل انرژي مورد نياز")};
            for (int i = 0; i < 6; ++i)
                w->setResultRow(i + 1, captions[i], QString());
        } else {
            if (p.jacuzzi)
                w->MakeComp(30, 70, 340, 320, 12, 5, 65, 0, 0, 0, 0, QString(), QString());
            else
                w->MakeComp(20, 70, 345, 320, 12, 5, 65, 0, 0, 0, 0, QString(), QString());
            const QString captions[] = {QStringLiteral(":(Sq.ft)سطح حرارتي مورد نياز"),
                                        QStringLiteral(":(F)اختلاف دماي متوسط"),
                                        QStringLiteral(":(F)دماي اشباع"),
                                        QStringLiteral(":(Btu/lb)آنتالپي بخار"),
                                        QStringLiteral(":(Btu/lb)گرماي نهان بخار"),
                                        QStringLiteral(":(lb/h)مصرف بخار"),
                                        QStringLiteral(":(lb/h)مقدار آب كندانس"),
                                        QStringLiteral(":(lb/h)ظرفيت تراپ"),
                                        QStringLiteral(":(gal)حجم آب "),
                                        QStringLiteral(":(Btu/h)انرژي مورد نياز در ابتداي راه اندازي"),
                                        surface,
                                        QStringLiteral(":(Btu/h)كل انرژي مورد نياز")};
            for (int i = 0; i < 12; ++i)
                w->setResultRow(i + 1, captions[i], QString());
        }
    }
    if (!exchangerInputs(p, mode, in)) {
        ExchangerResults stopped;
        stopped.stopped = true;
        return stopped;
    }
    const ExchangerResults res = p.jacuzzi ? sizeJacuzziExchanger(in) : sizePoolExchanger(in);
    if (mode == 1 && !res.stopped) {
        if (hotWater) {
            const double values[] = {res.mtd, res.coilSurface, res.waterVolume, res.startUpEnergy, res.surfaceLoss,
                                     res.totalEnergy};
            for (int i = 0; i < 6; ++i)
                setValue(w, i + 1, values[i]);
        } else if (in.type == ExchangerSteam) {
            const double values[] = {res.coilSurface,    res.mtd,          res.saturationTemperature,
                                     res.vapourEnthalpy, res.latentHeat,   res.steamUse,
                                     res.condensate,     res.trapCapacity, res.waterVolume,
                                     res.startUpEnergy,  res.surfaceLoss,  res.totalEnergy};
            for (int i = 0; i < 12; ++i)
                setValue(w, i + 1, values[i]);
        }
        // Results that cannot be shown are the run's one message.
        if (!w->resultsShowable())
            return res;
    }
    // The report run only speaks of a missing efficiency.
    if (mode == 1 || in.efficiency < 1)
        showMessages(res.messages);
    if (mode == 1 && !res.stopped)
        w->showResultPanel();
    return res;
}

} // namespace

ExchangerResults TFormT2::EstakhMobadel(short mode)
{
    const ExchangerPage p{false,
                          uiEsMo->DBEdit62,
                          uiEsMo->DBEdit63,
                          uiEsMo->DBEdit57,
                          uiEsMo->DBEdit59,
                          uiEsMo->DBEdit60,
                          uiEsMo->DBEdit58,
                          uiEsMo->DBEdit23,
                          uiEsMo->DBEdit55,
                          nullptr,
                          uiEsMo->LabelPoolEfficiency,
                          uiEsMo->LabelPoolCount,
                          uiEsMo->LabelPoolWater,
                          uiEsMo->LabelPoolArea,
                          uiEsMo->LabelPoolDepth,
                          uiEsMo->LabelPoolHeatUp,
                          uiEsMo->LabelPoolAir,
                          uiEsMo->Label136,
                          nullptr,
                          uiEsMo->ComboBox6,
                          "Rand_Est",
                          "Te_Est",
                          "D_Ma_Est",
                          "Mass_Est",
                          "Omgh_M_Est",
                          "Mz_G_Ab_Est",
                          "D_Mo_Est",
                          "Typ_M_Est",
                          "Fesh_M_Est"};
    return runExchanger(this, p, mode);
}

ExchangerResults TFormT2::JakoziMobadel(short mode)
{
    const ExchangerPage p{true,
                          uiJakoziMo->DBEdit78,
                          uiJakoziMo->DBEdit79,
                          uiJakoziMo->DBEdit42,
                          uiJakoziMo->DBEdit44,
                          uiJakoziMo->DBEdit45,
                          uiJakoziMo->DBEdit43,
                          uiJakoziMo->DBEdit80,
                          uiJakoziMo->DBEdit39,
                          uiJakoziMo->DBEdit96,
                          uiJakoziMo->LabelJacuzziEfficiency,
                          uiJakoziMo->LabelJacuzziCount,
                          uiJakoziMo->LabelJacuzziWater,
                          uiJakoziMo->LabelJacuzziArea,
                          uiJakoziMo->LabelJacuzziDepth,
                          uiJakoziMo->LabelJacuzziHeatUp,
                          uiJakoziMo->LabelJacuzziAir,
                          uiJakoziMo->Label80,
                          uiJakoziMo->LabelJets,
                          uiJakoziMo->ComboBox9,
                          "Rand_Jak",
                          "Te_Jak",
                          "D_Ma_Jak",
                          "Mass_Jak",
                          "Omgh_M_Jak",
                          "Mz_G_Ab_Jak",
                          "D_Mo_Jak",
                          "Typ_M_Jak",
                          "Fesh_M_Jak"};
    return runExchanger(this, p, mode);
}

// ---------------------------------------------------------------- save

bool TFormT2::saveBoilerPage()
{
    if (!inRange(uiDig->DBEdit86, uiDig->LabelInsulation, true, 0, 95,
                 QStringLiteral("كيفيت عايق كاري لوله ها و مبدل ها تصحيح كنيد")) ||
        !inRange(uiDig->DBEdit85, uiDig->LabelBoilerEfficiency, true, 75, 90,
                 QStringLiteral("راندمان ديگ را تصحيح كنيد")) ||
        !inRange(uiDig->DBEdit84, uiDig->LabelBoilerCount, true, 1, 20, QStringLiteral("تعداد ديگ را تصحيح كنيد")))
        return false;
    writeField("Typ_Dig", uiDig->ComboBox10->currentIndex());
    writeField("Chk_Zp", uiDig->DBCheckBox2->isChecked());
    return true;
}

bool TFormT2::saveBurnerPage()
{
    return inRange(uiEMsh->DBEdit77, uiEMsh->LabelBurnerEfficiency, true, 65, 95,
                   QStringLiteral("راندمان مشعل را تصحيح كنيد"));
}

bool TFormT2::savePoolExchangerPage()
{
    const auto &p = *uiEsMo;
    double area = 0;
    if (!read(p.DBEdit59, p.LabelPoolArea, false, area))
        return false;
    if (area != 0) {
        double depth = 0, water = 0, air = 0;
        if (!read(p.DBEdit60, p.LabelPoolDepth, false, depth))
            return false;
        const double volume = area * depth * 7.5;
        if (volume < 600 || volume > 40000) {
            pf::ui::showMessage(QStringLiteral("!ابعاد استخر را تصحيح كنيد"));
            return false;
        }
        if (!inRange(p.DBEdit57, p.LabelPoolWater, true, 80, 100,
                     QStringLiteral("دماي مطلوب آب بين 80 و 100 مورد قبول است"), &water) ||
            !inRange(p.DBEdit23, p.LabelPoolAir, false, 70, 80, QStringLiteral("دماي محيط بين 70 و 80  قابل قبول است"),
                     &air))
            return false;
        if (water <= air || recordValue(QStringLiteral("DamAbSh")) >= air) {
            pf::ui::showMessage(QStringLiteral("چنانچه دماي مطلوب آب كوچكتر يا مساوي دماي محيط باشد و يا دماي محيط "
                                               "كوچكتر يا مساوي دماي آب آب شر ياشد داده ها ثبت نمي شود"));
            return false;
        }
        if (!inRange(p.DBEdit58, p.LabelPoolHeatUp, false, 4, 48,
                     QStringLiteral("مدت زمان گرم شدن آب استخر بين 4 تا 48 قابل قبول است")) ||
            !inRange(p.DBEdit63, p.LabelPoolCount, true, 1, 12, kExchangerCount) ||
            !inRange(p.DBEdit62, p.LabelPoolEfficiency, true, 75, 95, kEfficiencyRange))
            return false;
    }
    writeField("Typ_M_Est", p.ComboBox6->currentIndex());
    return true;
}

bool TFormT2::saveJacuzziExchangerPage()
{
    const auto &p = *uiJakoziMo;
    double area = 0;
    if (!read(p.DBEdit44, p.LabelJacuzziArea, false, area))
        return false;
    if (area != 0) {
        double depth = 0, water = 0, air = 0;
        if (!read(p.DBEdit45, p.LabelJacuzziDepth, false, depth))
            return false;
        const double volume = area * depth * 7.5;
        if (volume < 70 || volume > 3000) {
            pf::ui::showMessage(QStringLiteral("ابعاد جكوزي را تصحيح كنيد"));
            return false;
        }
        if (!inRange(p.DBEdit42, p.LabelJacuzziWater, true, 80, 110,
                     QStringLiteral("دماي مطلوب بين 80 و 110 قابل قبول است"), &water) ||
            !read(p.DBEdit80, p.LabelJacuzziAir, true, air))
            return false;
        if (water < air) {
            pf::ui::showMessage(QStringLiteral("دماي مطلوب آب نبايد كمتر از دماي محيط باشد"));
            return false;
        }
        if (!inRange(p.DBEdit80, p.LabelJacuzziAir, true, 70, 85, QStringLiteral("دماي محيط بين 70 و 85 صحيح است")) ||
            !inRange(p.DBEdit43, p.LabelJacuzziHeatUp, false, 0.2, 3,
                     QStringLiteral("مدت زمان گرم شدن آب 0.2 تا 3 ساعت مورد قبول است")) ||
            !inRange(p.DBEdit96, p.LabelJets, true, 3, 15, QStringLiteral("تعدا جت هاي جكوزي را تصحيح كنيد")) ||
            !inRange(p.DBEdit78, p.LabelJacuzziEfficiency, true, 75, 95, kEfficiencyRange) ||
            !inRange(p.DBEdit79, p.LabelJacuzziCount, true, 1, 10, kExchangerCount))
            return false;
    }
    writeField("Typ_M_Jak", p.ComboBox9->currentIndex());
    return true;
}

// ---------------------------------------------------------------- projects

void TFormT2::clearBoilerPages()
{
    for (QLineEdit *e : {uiDig->EditBuildingLoad, uiDig->EditHotWaterLoad, uiDig->EditPoolLoad, uiDig->EditJacuzziLoad,
                         uiEMsh->EditCapacity})
        e->clear();
    for (QComboBox *c : {uiDig->ComboBox10, uiEsMo->ComboBox6, uiJakoziMo->ComboBox9}) {
        QSignalBlocker block(c);
        c->setCurrentIndex(-1);
    }
    QSignalBlocker block(uiDig->DBCheckBox2);
    uiDig->DBCheckBox2->setChecked(false);
}
