// Chimney, expansion tank, collectors and risers, softener pages.
#include "boravest/equipment/U_15.h"

#include "ui_U_15.h"
#include "ui_U_15PDodkesh.h"
#include "ui_U_15PGhRvK.h"
#include "ui_U_15PMEBaz.h"
#include "ui_U_15PSakhGir.h"

#include "boravest/data/CollectorsStore.h"
#include "boravest/data/UnitDm.h"
#include "boravest/sizing/Catalogues.h"
#include "platform/common/Numbers.h"
#include "platform/db/Table.h"
#include "platform/ui/DbControls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Keys.h"

#include <QEvent>

namespace {

using namespace bv::sizing;

const char *const kWholeOnly = " عدد صحيح معتبر است";
const char *const kNumberOnly = " عدد معتبر است";
const char *const kMsgEnterPumpFirst = "داده هاي مربوط به پمپ سيركولاتور را وارد نموده و محاسبه نماييد";

const char *const kMsgCorrectElbows = "اتصالات مسير دودكش رااصلاح كنيد";
const char *const kMsgCorrectVertical = "طول عمودي دودكش رااصلاح كنيد";
const char *const kMsgCorrectHorizontal = "طول افقي دودكش رااصلاح كنيد";
const char *const kMsgWashCycle = "مدت زمان سيكل شستشو بين 6 و 72 ساعت درنظر گرفته شود";

// Property of the window's unit-row table once its floor-name field is declared.
const char *const kNameTDeclared = "plantNameT";

QString u(const char *text) { return QString::fromUtf8(text); }

// A page label's text as a box's caption in messages.
QString captionOf(const QLabel *label)
{
    QString t = label->text().trimmed();
    if (t.startsWith(QLatin1Char(':')))
        t.remove(0, 1);
    return t.trimmed();
}

int wholeValue(double v) { return int(pf::roundToInt(v)); }
int recordWhole(const char *field) { return wholeValue(TFormT2::recordValue(QString::fromLatin1(field))); }
double recordFloat(const char *field) { return TFormT2::recordValue(QString::fromLatin1(field)); }

bool recordEditing()
{
    if (!DM1 || !DM1->Table12->active())
        return false;
    const pf::db::DatasetState s = DM1->Table12->state();
    return s == pf::db::DatasetState::Edit || s == pf::db::DatasetState::Insert;
}

// The stored inputs of the collectors and risers sizing (the pump sizings'
// results are added by the caller).
CollectorsInputs collectorsInputsFromRecord()
{
    CollectorsInputs in;
    in.EkhtDama = recordFloat("EkhtDama");
    in.OfteFeshar = recordFloat("OfteFeshar");
    in.Typ_MAM = recordWhole("Typ_MAM");
    in.Randeman = recordWhole("Randeman");
    in.DamAbBeh = recordWhole("DamAbBeh");
    in.DamAbSh = recordWhole("DamAbSh");
    in.Z_Et = recordWhole("Z_Et");
    in.NSakh = recordWhole("NSakh");
    in.fixtures = TFormT2::recordFixtures();
    in.Mass_Jak = recordFloat("Mass_Jak");
    in.Typ_M_Jak = recordWhole("Typ_M_Jak");
    in.G_Ab_Jak = recordFloat("G_Ab_Jak");
    in.Mass_Est = recordFloat("Mass_Est");
    in.Typ_M_Est = recordWhole("Typ_M_Est");
    return in;
}

double currentProject()
{
    if (!DM1 || !DM1->Table1->active() || DM1->Table1->isEmpty())
        return 0;
    return DM1->Table1->fieldByName(QStringLiteral("SHPROJE")).asFloat();
}

// Captions of the result panel's first rows.
void setResultCaptions(TFormT2 *window, std::initializer_list<const char *> captions)
{
    int i = 1;
    for (const char *c : captions)
        window->setResultRow(i++, u(c), QString());
}

// Values of the first rows, beside their captions.
void setResultValues(TFormT2 *window, std::initializer_list<TFormT2::ResultValue> values)
{
    int i = 1;
    for (const TFormT2::ResultValue &value : values) {
        window->setResultRow(i, ResultCaptions[i]->text(), value);
        ++i;
    }
}

void showMessages(const QStringList &messages)
{
    for (const QString &m : messages)
        pf::ui::showMessage(m);
}

// Posts a changed unit row, drops an unchanged edit.
void settleUnitRow(pf::db::Table *t)
{
    if (t && t->active() && t->state() != pf::db::DatasetState::Browse)
        t->checkBrowseMode();
}

// The 19 pipe-length boxes in column order (steel 1/2 .. 20 in).
QList<QLineEdit *> pipeLengthBoxes(const Ui::PMEBazPage &p)
{
    return {p.Edit3,  p.Edit4,  p.Edit5,  p.Edit6,  p.Edit7,  p.Edit8,  p.Edit9,  p.Edit10, p.Edit23, p.Edit22,
            p.Edit21, p.Edit20, p.Edit11, p.Edit12, p.Edit13, p.Edit14, p.Edit15, p.Edit16, p.Edit17};
}

// Heading and frame of each length column.
QList<QLabel *> sizeHeadings(const Ui::PMEBazPage &p)
{
    return {p.SizeLabel1,  p.SizeLabel2,  p.SizeLabel3,  p.SizeLabel4,  p.SizeLabel5,
            p.SizeLabel6,  p.SizeLabel7,  p.SizeLabel8,  p.SizeLabel9,  p.SizeLabel10,
            p.SizeLabel11, p.SizeLabel12, p.SizeLabel13, p.SizeLabel14, p.SizeLabel15,
            p.SizeLabel16, p.SizeLabel17, p.SizeLabel18, p.SizeLabel19};
}
QList<QFrame *> sizeFrames(const Ui::PMEBazPage &p)
{
    return {p.SizeFrame1,  p.SizeFrame2,  p.SizeFrame3,  p.SizeFrame4,  p.SizeFrame5,
            p.SizeFrame6,  p.SizeFrame7,  p.SizeFrame8,  p.SizeFrame9,  p.SizeFrame10,
            p.SizeFrame11, p.SizeFrame12, p.SizeFrame13, p.SizeFrame14, p.SizeFrame15,
            p.SizeFrame16, p.SizeFrame17, p.SizeFrame18, p.SizeFrame19};
}

// The window's unit-row table, with the floor name of each row, behind the
// collectors grid.
void prepareUnitRows(TFormT2 *window)
{
    pf::db::Table *table = window->Table2;
    auto *source = window->findChild<pf::db::DataSource *>(QStringLiteral("DataSource2"));
    if (!table || !source)
        return;
    if (!table->property(kNameTDeclared).toBool()) {
        const bool wasActive = table->active();
        table->close();
        table->addCalcField(QStringLiteral("NameT"), pf::db::FieldType::String, 15);
        table->onCalcFields = [](pf::db::Dataset &d) {
            d.fieldByName(QStringLiteral("NameT"))
                .setAsString(TFormT2::convert_sk(wholeValue(d.fieldByName(QStringLiteral("Tabage")).asFloat())));
        };
        table->setProperty(kNameTDeclared, true);
        if (wasActive)
            table->open();
    }
    if (source->dataSet() != table)
        source->setDataSet(table);
}

} // namespace

// ---------------------------------------------------------------- set-up

void TFormT2::setUpPlantPages()
{
    uiDodkesh = std::make_unique<Ui::PDodkeshPage>();
    uiDodkesh->setupUi(ui->PDodkesh);
    uiMEBaz = std::make_unique<Ui::PMEBazPage>();
    uiMEBaz->setupUi(ui->PMEBaz);
    uiGhRvK = std::make_unique<Ui::PGhRvKPage>();
    uiGhRvK->setupUi(ui->PGhRvK);
    uiSakhGir = std::make_unique<Ui::PSakhGirPage>();
    uiSakhGir->setupUi(ui->PSakhGir);

    // Boxes over the equipment record.
    if (DM1) {
        const struct {
            pf::ui::DBEdit *box;
            const char *field;
        } bound[] = {{uiDodkesh->DBEdit16, "TAmD"},       {uiDodkesh->DBEdit14, "TOfD"},
                     {uiDodkesh->DBEdit20, "TeDo"},       {uiDodkesh->DBEdit18, "Zano30"},
                     {uiDodkesh->DBEdit17, "Zano45"},     {uiDodkesh->DBEdit13, "Zano60"},
                     {uiDodkesh->DBEdit15, "Zano90"},     {uiMEBaz->DBEdit101, "V_B_M_E"},
                     {uiSakhGir->DBEdit52, "S_Sh_SG"},    {uiSakhGir->DBEdit56, "Te_SG"},
                     {uiSakhGir->DBEdit102, "RandeSkgir"}};
        for (const auto &b : bound)
            b.box->bind(DM1->DataSource9, QString::fromLatin1(b.field));
    }

    // Chimney: lengths are decimals, counts whole numbers.
    for (QWidget *w : {static_cast<QWidget *>(uiDodkesh->DBEdit14), static_cast<QWidget *>(uiDodkesh->DBEdit16)})
        pf::ui::installDecimalFilter(w, u(kNumberOnly));
    for (QWidget *w : std::initializer_list<QWidget *>{uiDodkesh->DBEdit13, uiDodkesh->DBEdit15, uiDodkesh->DBEdit17,
                                                       uiDodkesh->DBEdit18, uiDodkesh->DBEdit20})
        pf::ui::installWholeNumberFilter(w, u(kWholeOnly));
    pf::ui::installEnterChain({uiDodkesh->DBEdit16, uiDodkesh->DBEdit14, uiDodkesh->DBEdit20, uiDodkesh->DBEdit18,
                               uiDodkesh->DBEdit17, uiDodkesh->DBEdit13, uiDodkesh->DBEdit15},
                              true);

    // Softener.
    pf::ui::installDecimalFilter(uiSakhGir->DBEdit52, u(kNumberOnly));
    pf::ui::installWholeNumberFilter(uiSakhGir->DBEdit56, u(kWholeOnly));
    pf::ui::installWholeNumberFilter(uiSakhGir->DBEdit102, u(kWholeOnly));
    pf::ui::installEnterChain({uiSakhGir->DBEdit52, uiSakhGir->DBEdit56, uiSakhGir->DBEdit102}, true);

    // Expansion tank: the pump-discharge box only for closed tanks; the pipe
    // material relabels the size columns.
    connect(uiMEBaz->ComboBox11, &QComboBox::currentIndexChanged, this,
            [this](int index) { uiMEBaz->DBCheckBox1->setVisible(index >= 1); });
    connect(uiMEBaz->DBCheckBox1, &QCheckBox::clicked, this, [](bool checked) {
        if (recordEditing())
            DM1->Table12->fieldByName(QStringLiteral("Chk_nsbM")).setAsBoolean(checked);
        if (checked && recordFloat("hed_pmpsir") <= 0)
            pf::ui::showMessage(u(kMsgEnterPumpFirst));
    });
    connect(uiMEBaz->ComboBox2, &QComboBox::currentTextChanged, this, [this](const QString &text) {
        static const char *const steel[] = {"1/2", "3/4", "1", "1/4 1", "1/2 1", "2",  "1/2 2",
                                            "3",   "1/2 3", "4", "5",     "6",     "8",  "10",
                                            "12",  "14",  "16", "18",    "20"};
        static const char *const copper[] = {"1/4", "3/8", "1/2",   "3/4", "1", "1/4 1", "1/2 1", "2",
                                             "1/2 2", "3", "1/2 3", "4",   "5", "6",     "8"};
        const bool isSteel = text == QStringLiteral("آهني");
        if (!isSteel && text != QStringLiteral("مسي"))
            return;
        const QList<QLabel *> headings = sizeHeadings(*uiMEBaz);
        const QList<QFrame *> frames = sizeFrames(*uiMEBaz);
        const QList<QLineEdit *> boxes = pipeLengthBoxes(*uiMEBaz);
        for (int c = 1; c <= PipeLengthColumns; ++c) {
            QLabel *heading = headings[c - 1];
            QFrame *frame = frames[c - 1];
            if (isSteel)
                heading->setText(QString::fromLatin1(steel[c - 1]));
            else if (c <= 15)
                heading->setText(QString::fromLatin1(copper[c - 1]));
            if (c > 15) {
                for (QWidget *w : {static_cast<QWidget *>(heading), static_cast<QWidget *>(boxes[c - 1]),
                                   static_cast<QWidget *>(frame)})
                    w->setVisible(isSteel);
            }
        }
    });
    // Pipe lengths and the water in the boilers may have decimals.
    QList<QWidget *> lengths;
    for (QLineEdit *e : pipeLengthBoxes(*uiMEBaz))
        lengths << e;
    for (QWidget *w : lengths)
        pf::ui::installDecimalFilter(w, u(kNumberOnly));
    pf::ui::installDecimalFilter(uiMEBaz->DBEdit101, u(kNumberOnly));
    pf::ui::installEnterChain(QList<QWidget *>(lengths) << uiMEBaz->ComboBox11);
    pf::ui::installEnterChain({uiMEBaz->ComboBox11, uiMEBaz->DBEdit101, uiMEBaz->ComboBox2, uiMEBaz->DBCheckBox1,
                               lengths.front()});

    // Collectors: the grid of unit rows and the riser count of the current one.
    auto *source = new pf::db::DataSource(this);
    source->setObjectName(QStringLiteral("DataSource2"));
    uiGhRvK->DBGrid4->setDataSource(source);
    uiGhRvK->DBGrid4->setColumns({{QStringLiteral("NameT"), QStringLiteral("شماره طبقه"), 150},
                                  {QStringLiteral("Shvahed"), QStringLiteral("شماره واحد"), 140},
                                  {QStringLiteral("T_Rz"), QStringLiteral("تعداد رايزرها"), 140}});
    uiGhRvK->DBGrid4->fitColumnsToWidth();
    uiGhRvK->DBEdit82->bind(source, QStringLiteral("T_Rz"));
    pf::ui::installWholeNumberFilter(uiGhRvK->DBEdit82, u(kWholeOnly));
    // The unit row's count is stored when the box is left.
    connect(uiGhRvK->DBEdit82, &QLineEdit::editingFinished, this, [this] { settleUnitRow(Table2); });
    // A click on a row, or Enter in the grid, goes to the row's riser count;
    // Enter there posts it and goes back to the grid.
    connect(uiGhRvK->DBGrid4, &QAbstractItemView::clicked, this, [this] { uiGhRvK->DBEdit82->setFocus(); });
    pf::ui::onEnter(uiGhRvK->DBGrid4, [this] { uiGhRvK->DBEdit82->setFocus(); });
    pf::ui::onEnter(uiGhRvK->DBEdit82, [this] {
        settleUnitRow(Table2);
        uiGhRvK->DBGrid4->setFocus();
    });
    uiGhRvK->JacuzziPipeRow->hide();
    uiGhRvK->PoolPipeRow->hide();
}

// ---------------------------------------------------------------- openers

void TFormT2::Label12Click()
{
    uiDodkesh->Edit38->setText(roundText(Dig(2).capacityPerBoiler));
    openPage(12, ui->PDodkesh);
    uiDodkesh->DBEdit16->setFocus();
}

void TFormT2::Label9Click()
{
    for (QLineEdit *e : pipeLengthBoxes(*uiMEBaz))
        e->clear();
    const int kind = recordWhole("Typ_ME");
    if (kind >= 0) {
        uiMEBaz->ComboBox11->setCurrentIndex(kind < uiMEBaz->ComboBox11->count() ? kind : -1);
        const int material = recordWhole("T_L_Baz");
        uiMEBaz->ComboBox2->setCurrentIndex(material >= 0 && material < uiMEBaz->ComboBox2->count() ? material : -1);
        const QString stored = recordText(QStringLiteral("W_L_Baz"));
        if (!stored.isEmpty()) {
            const PipeLengthTexts texts = pipeLengthTextsFromList(stored);
            const QList<QLineEdit *> boxes = pipeLengthBoxes(*uiMEBaz);
            for (int c = 0; c < PipeLengthColumns; ++c)
                boxes[c]->setText(texts[std::size_t(c)]);
        }
    }
    uiMEBaz->DBCheckBox1->setChecked(recordFloat("Chk_nsbM") != 0);
    uiMEBaz->DBCheckBox1->setVisible(uiMEBaz->ComboBox11->currentIndex() >= 1);
    openPage(13, ui->PMEBaz);
    uiMEBaz->ComboBox11->setFocus();
}

void TFormT2::Label11Click()
{
    // Connection pipes of the jacuzzi and pool exchangers (hot water only)
    // and of the hot-water tank.
    uiGhRvK->JacuzziPipeRow->hide();
    uiGhRvK->PoolPipeRow->hide();
    const Catalogues &cat = catalogues();
    if (recordFloat("Mass_Jak") > 0 && recordWhole("Typ_M_Jak") == 0) {
        uiGhRvK->EditJacuzziPipe->setText(cat.PipeSizeNames.name(JakoziPmpSir(2).exchangerPipe.size));
        uiGhRvK->JacuzziPipeRow->show();
    }
    if (recordFloat("Mass_Est") > 0 && recordWhole("Typ_M_Est") == 0) {
        uiGhRvK->EditPoolPipe->setText(cat.PipeSizeNames.name(EstakhPmpSir(2).exchangerPipe.size));
        uiGhRvK->PoolPipeRow->show();
    }
    uiGhRvK->PoolPipeRow->move(uiGhRvK->PoolPipeRow->x(), uiGhRvK->JacuzziPipeRow->isVisibleTo(ui->PGhRvK) ? 80 : 45);
    uiGhRvK->EditTankPipe->setText(QStringLiteral("0"));
    if (const TankBranch tank = hotWaterTankBranch(collectorsInputsFromRecord()); tank.present)
        uiGhRvK->EditTankPipe->setText(tank.size);

    prepareUnitRows(this);
    openPage(11, ui->PGhRvK, Table2);
    uiGhRvK->DBGrid4->syncToCursor();
    uiGhRvK->DBGrid4->setFocus();
}

void TFormT2::Label14Click()
{
    uiSakhGir->Edit28->setText(roundText(Dig(2).totalLoad / 10000));
    openPage(14, ui->PSakhGir);
    uiSakhGir->DBEdit52->setFocus();
}

// ---------------------------------------------------------------- sizings

bv::sizing::ChimneyResults TFormT2::PrDodkesh(short mode)
{
    ChimneyInputs in;
    in.TySo = recordWhole("TySo");
    if (mode == 1) {
        MakeComp(35, 70, 210, 135, 4, 5, 55, 0, 0, 0, 0, QString(), QString());
        setResultCaptions(this, {":(ft)ارتفاع معادل دودكش", ":(Sq.In)سطح مقطع دودكش", ":(In)قطر دودكش", ":(In)ابعاد دودكش"});
        double tAmD = 0, tOfD = 0, teDo = 0, z30 = 0, z45 = 0, z60 = 0, z90 = 0, q = 0;
        const auto &p = *uiDodkesh;
        if (!readBox(p.DBEdit16, captionOf(p.ChimneyHeightLabel), false, tAmD) ||
            !readBox(p.DBEdit14, captionOf(p.ChimneyRunLabel), false, tOfD) ||
            !readBox(p.DBEdit20, captionOf(p.ChimneyCountLabel), true, teDo) ||
            !readBox(p.DBEdit18, captionOf(p.Elbow30Label), true, z30) ||
            !readBox(p.DBEdit17, captionOf(p.Elbow45Label), true, z45) ||
            !readBox(p.DBEdit13, captionOf(p.Elbow60Label), true, z60) ||
            !readBox(p.DBEdit15, captionOf(p.Elbow90Label), true, z90) ||
            !readBox(p.Edit38, captionOf(p.ChimneyCapacityLabel), false, q)) {
            ChimneyResults stopped;
            stopped.stopped = true;
            return stopped;
        }
        in.TAmD = tAmD, in.TOfD = tOfD, in.TeDo = wholeValue(teDo);
        in.Zano30 = wholeValue(z30), in.Zano45 = wholeValue(z45), in.Zano60 = wholeValue(z60);
        in.Zano90 = wholeValue(z90);
        in.capacityPerBoiler = q;
    } else {
        in.TAmD = recordFloat("TAmD");
        in.TOfD = recordFloat("TOfD");
        in.TeDo = recordWhole("TeDo");
        in.Zano30 = recordWhole("Zano30"), in.Zano45 = recordWhole("Zano45");
        in.Zano60 = recordWhole("Zano60"), in.Zano90 = recordWhole("Zano90");
        in.capacityPerBoiler = Dig(2).capacityPerBoiler;
    }
    const ChimneyResults r = sizeChimney(in);
    if (mode == 1 && !r.stopped) {
        setResultValues(this, {r.heightFt, r.areaSqIn, QString::number(r.diameterShown), r.squareSize});
        // Results that cannot be shown are the run's one message.
        if (!resultsShowable())
            return r;
    }
    showMessages(r.messages);
    if (mode == 1 && !r.stopped)
        showResultPanel();
    return r;
}

bv::sizing::ExpansionTankResults TFormT2::MEnBaz(short mode)
{
    ExpansionTankInputs in;
    in.reportMode = mode != 1;
    in.DAbgarm = recordWhole("DAbgarm");
    in.ErtefaS = recordWhole("ErtefaS");
    in.hed_pmpsir = recordFloat("hed_pmpsir");
    if (mode == 1) {
        MakeComp(60, 70, 255, 150, 5, 5, 55, 0, 0, 0, 0, QString(), QString());
        setResultCaptions(this, {":(gal)حجم آب داخل لوله ها", ":(gal)حجم آب ديگ و مبدل ها", ":(gal)كل حجم آب داخل سيستم",
                           ":درصد افزايش حجم آب", ":(gal)حجم آب منبع انبساط"});
        in.Typ_ME = uiMEBaz->ComboBox11->currentIndex();
        in.T_L_Baz = uiMEBaz->ComboBox2->currentIndex();
        const QList<QLineEdit *> boxes = pipeLengthBoxes(*uiMEBaz);
        for (int c = 0; c < PipeLengthColumns; ++c)
            in.lengths[std::size_t(c)] = boxes[c]->text();
        if (!readBox(uiMEBaz->DBEdit101, captionOf(uiMEBaz->BoilerWaterLabel), false, in.V_B_M_E)) {
            ExpansionTankResults stopped;
            stopped.stopped = true;
            return stopped;
        }
        in.Chk_nsbM = uiMEBaz->DBCheckBox1->isChecked();
    } else {
        in.Typ_ME = recordWhole("Typ_ME");
        in.T_L_Baz = recordWhole("T_L_Baz");
        in.lengths = pipeLengthTextsFromList(recordText(QStringLiteral("W_L_Baz")));
        in.V_B_M_E = recordFloat("V_B_M_E");
        in.Chk_nsbM = recordFloat("Chk_nsbM") != 0;
    }
    in.boilerTotalLoad = Dig(2).totalLoad;
    const ExpansionTankResults r = sizeExpansionTank(in);
    if (mode == 1 && !r.stopped) {
        setResultValues(this,
                        {r.pipeWaterGal, r.boilerWaterGal, r.systemWaterGal, r.expansionPercent, r.tankWaterGal});
        if (!resultsShowable())
            return r;
    }
    showMessages(r.messages);
    if (mode == 1 && !r.stopped)
        showResultPanel();
    return r;
}

bv::sizing::CollectorsResults TFormT2::GhKlvRz(short mode)
{
    if (mode == 1) {
        settleUnitRow(Table2);
        if (Table2 && Table2->active())
            Table2->first();
        MakeComp(60, 70, 210, 110, 3, 5, 55, 0, 0, 0, 0, QString(), QString());
        setResultCaptions(this, {":(In)قطر كلكتور", ":(In)طول كلكتور", ":(In)قطر معادل ورودي"});
    }
    if (!DM1)
        return {};
    const double project = currentProject();
    bv::data::CollectorProject stored = bv::data::readCollectorUnits(*DM1->Database1, project);
    CollectorsInputs in = collectorsInputsFromRecord();
    in.units = std::move(stored.units);
    in.site = stored.site;
    in.reportMode = mode != 1;
    if (in.Mass_Jak > 0 && in.Typ_M_Jak == 0) {
        const PumpsResults jacuzzi = JakoziPmpSir(2);
        in.jacuzziHeatBtuh = jacuzzi.heatEnergy;
        in.jacuzziExchangerPipe = jacuzzi.exchangerPipe.size;
    }
    if (in.Mass_Est > 0 && in.Typ_M_Est == 0) {
        const PumpsResults pool = EstakhPmpSir(2);
        in.poolHeatBtuh = pool.heatEnergy;
        in.poolExchangerPipe = pool.exchangerPipe.size;
    }
    CollectorsResults r = sizeCollectors(in);
    // A screen run whose results cannot be shown stores nothing either.
    if (mode == 1 && !r.stopped) {
        setResultValues(this, {r.collectorDiameterIn, r.collectorLengthIn,
                               r.firstLargerDiameterIn > 0 ? TFormT2::ResultValue(r.firstLargerDiameterIn)
                                                           : TFormT2::ResultValue(QString())});
        if (!resultsShowable()) {
            r.stopped = true;
            return r;
        }
    }
    if (!r.stopped) {
        try {
            bv::data::storeCollectorResults(*DM1->Database1, project, collectorStoreRows(r));
        } catch (const pf::db::DbError &e) {
            r.messages << e.message();
            r.stopped = true;
        }
        // The unit rows show what was stored.
        for (pf::db::Table *t : {Table2, DM1->Table3})
            if (t && t->active() && t->state() == pf::db::DatasetState::Browse)
                t->refresh();
    }
    showMessages(r.messages);
    if (mode == 1 && !r.stopped)
        showResultPanel();
    return r;
}

bv::sizing::SoftenerResults TFormT2::SakhGir(short mode)
{
    SoftenerInputs in;
    in.SakhAb = recordFloat("SakhAb");
    in.Typ_ME = recordWhole("Typ_ME");
    if (mode == 1) {
        MakeComp(60, 70, 180, 100, 2, 5, 55, 0, 0, 0, 0, QString(), QString());
        setResultCaptions(this, {":(gpm)دبي آب نرم", ":(grain)ظرفيت"});
        double count = 0, cycle = 0, efficiency = 0, flow = 0;
        const auto &p = *uiSakhGir;
        if (!readBox(p.DBEdit56, captionOf(p.SoftenerCountLabel), true, count) ||
            !readBox(p.DBEdit52, captionOf(p.SoftenerCycleLabel), false, cycle) ||
            !readBox(p.DBEdit102, captionOf(p.SoftenerEfficiencyLabel), true, efficiency) ||
            !readBox(p.Edit28, captionOf(p.SoftenerFlowLabel), false, flow)) {
            SoftenerResults stopped;
            stopped.stopped = true;
            return stopped;
        }
        in.Te_SG = wholeValue(count), in.S_Sh_SG = cycle, in.RandeSkgir = wholeValue(efficiency);
        in.systemFlowGpm = flow;
    } else {
        in.Te_SG = recordWhole("Te_SG");
        in.S_Sh_SG = recordFloat("S_Sh_SG");
        in.RandeSkgir = recordWhole("RandeSkgir");
        in.systemFlowGpm = RoundX(Dig(2).totalLoad / 10000);
    }
    const SoftenerResults r = sizeSoftener(in);
    if (mode == 1 && !r.stopped) {
        setResultValues(this, {r.softWaterGpm, r.capacityGrain});
        if (!resultsShowable())
            return r;
    }
    showMessages(r.messages);
    if (mode == 1 && !r.stopped)
        showResultPanel();
    return r;
}

QString TFormT2::convert_sk(int floor) { return bv::sizing::convertSk(floor); }

// ---------------------------------------------------------------- save

bool TFormT2::saveChimneyPage()
{
    const auto &p = *uiDodkesh;
    double z30 = 0, z45 = 0, z60 = 0, z90 = 0, tAmD = 0, tOfD = 0, teDo = 0;
    if (!readBox(p.DBEdit18, captionOf(p.Elbow30Label), true, z30) ||
        !readBox(p.DBEdit17, captionOf(p.Elbow45Label), true, z45) ||
        !readBox(p.DBEdit13, captionOf(p.Elbow60Label), true, z60) ||
        !readBox(p.DBEdit15, captionOf(p.Elbow90Label), true, z90) ||
        !readBox(p.DBEdit16, captionOf(p.ChimneyHeightLabel), false, tAmD) ||
        !readBox(p.DBEdit14, captionOf(p.ChimneyRunLabel), false, tOfD) ||
        !readBox(p.DBEdit20, captionOf(p.ChimneyCountLabel), true, teDo))
        return false;
    // The elbow weights are whole thousandths: the sum is compared exactly.
    const double elbows = 149 * z30 + 221 * z45 + 328 * z60 + 1910 * z90;
    const char *failed = nullptr;
    if (elbows > 2500)
        failed = kMsgCorrectElbows;
    else if (tAmD <= 10)
        failed = kMsgCorrectVertical;
    else if (horizontalRunTooLong(tAmD, tOfD))
        failed = kMsgCorrectHorizontal;
    else if (teDo < 1)
        failed = kMsgSetChimneyCount;
    if (failed) {
        pf::ui::showMessage(u(failed));
        return false;
    }
    return true;
}

bool TFormT2::saveExpansionTankPage()
{
    if (!recordEditing())
        return true;
    DM1->Table12->fieldByName(QStringLiteral("Typ_ME")).setAsInteger(uiMEBaz->ComboBox11->currentIndex());
    DM1->Table12->fieldByName(QStringLiteral("T_L_Baz")).setAsInteger(uiMEBaz->ComboBox2->currentIndex());
    QString list;
    for (const QLineEdit *e : pipeLengthBoxes(*uiMEBaz))
        list += e->text() + QLatin1Char(',');
    return writeListField(QStringLiteral("W_L_Baz"), list, uiMEBaz->PipeLengthsLabel->text());
}

bool TFormT2::saveSoftenerPage()
{
    double cycle = 0;
    if (!readBox(uiSakhGir->DBEdit52, captionOf(uiSakhGir->SoftenerCycleLabel), false, cycle))
        return false;
    if (cycle < 6 || cycle > 72) {
        pf::ui::showMessage(u(kMsgWashCycle));
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- projects

void TFormT2::clearPlantPages()
{
    uiDodkesh->Edit38->clear();
    uiSakhGir->Edit28->clear();
    for (QLineEdit *e : pipeLengthBoxes(*uiMEBaz))
        e->clear();
    uiMEBaz->ComboBox11->setCurrentIndex(-1);
    uiMEBaz->ComboBox2->setCurrentIndex(-1);
    uiMEBaz->DBCheckBox1->setChecked(false);
    for (QLineEdit *e : {uiGhRvK->EditTankPipe, uiGhRvK->EditJacuzziPipe, uiGhRvK->EditPoolPipe})
        e->clear();
    uiGhRvK->JacuzziPipeRow->hide();
    uiGhRvK->PoolPipeRow->hide();
}
