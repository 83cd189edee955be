// Pool and jacuzzi pump pages, the circulation pump page and its fittings grid.
#include "boravest/equipment/U_15.h"

#include "ui_U_15.h"
#include "ui_U_15PEsSir.h"
#include "ui_U_15PJakoziSir.h"
#include "ui_U_15PPSiS.h"

#include "boravest/data/UnitDm.h"
#include "boravest/sizing/Catalogues.h"
#include "platform/common/Numbers.h"
#include "platform/db/Table.h"
#include "platform/ui/DbControls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Keys.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>

#include <array>
#include <functional>
#include <vector>

using namespace bv::sizing;

namespace {

const QString kWholeOnly = QStringLiteral(" عدد صحيح معتبر است");
// The jacuzzi pump page's whole-number message has no leading blank.
const QString kWholeOnlyJacuzzi = QStringLiteral("عدد صحيح معتبر است");
const QString kNumberOnly = QStringLiteral(" عدد معتبر است");
// Stored for a left-to-right paragraph ("to move between the fields use
// the Tab key") although its first character is a letter: the left-to-right
// mark in front says so to the direction rule.
const QString kUseTab = QStringLiteral("\u200Eاستفاده كنيد Tab  براي پيمايش فيلدها از كليد");
const QString kPoolFirst = QStringLiteral("ابتدا اطلاعات مربوط به مبدل استخر را وارد كنيد");
const QString kJacuzziFirst = QStringLiteral("ابتدا اطلاعات مربوط به مبدل جكوزي رد كنيد");

// Runs a function when the watched widget loses the focus.
class OnLeave : public QObject {
public:
    OnLeave(QWidget *w, std::function<void()> fn) : QObject(w), m_fn(std::move(fn)) { w->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::FocusOut)
            m_fn();
        return false;
    }

private:
    std::function<void()> m_fn;
};

// Enter moves along `chain` (wrapping) from the box that has the focus; the
// chain is asked for at the moment of the key, as it depends on the stored
// exchanger type.
void enterAlong(QWidget *box, std::function<QList<QWidget *>()> chain)
{
    pf::ui::onEnter(box, [box, chain = std::move(chain)] {
        const QList<QWidget *> c = chain();
        const qsizetype at = c.indexOf(box);
        if (at < 0)
            return;
        for (qsizetype n = 1; n <= c.size(); ++n) {
            QWidget *next = c[(at + n) % c.size()];
            if (next->isVisible() && next->isEnabled()) {
                next->setFocus();
                return;
            }
        }
    });
}

// The stored exchanger type: 0 hot water, 1 steam; the exchanger page's
// Save writes -1 while no type is chosen.
int storedType(const QString &field) { return int(pf::roundToInt(TFormT2::recordValue(field))); }

int wholeRecord(const QString &field) { return int(pf::roundToInt(TFormT2::recordValue(field))); }

double projectHi()
{
    if (!DM1 || !DM1->Table1->active() || DM1->Table1->isEmpty())
        return 0;
    return DM1->Table1->fieldByName(QStringLiteral("Hi")).asFloat();
}

// Writes the pump head into the project's equipment record and nothing
// else: the page's other boxes may hold edits that only Save may post. A
// record being edited stays in edit state with the new head in it, so a
// later Save or Cancel keeps the stored head.
void storePumpHead(double head)
{
    if (!DM1)
        return;
    pf::db::Table *t = DM1->Table12;
    if (!t->active())
        t->open();
    if (t->state() == pf::db::DatasetState::Insert) {
        // A record not stored yet takes the head with its own post.
        t->fieldByName(QStringLiteral("Hed_pmpsir")).setAsFloat(head);
        return;
    }
    if (t->isEmpty())
        return;
    const QString table = DM1->Database1->attachTable(QStringLiteral("Tajhizat.DB"));
    DM1->Database1->exec(QStringLiteral("update %1 set Hed_pmpsir = ? where rowid = ?").arg(table),
                         {head, t->bookmark()});
    t->resync();
    if (t->state() == pf::db::DatasetState::Edit)
        t->fieldByName(QStringLiteral("Hed_pmpsir")).setAsFloat(head);
}

void showMessages(const QStringList &messages)
{
    for (const QString &m : messages)
        pf::ui::showMessage(m);
}

// One box read for a sizing: its caption names it in the message of a text
// that is no number.
struct BoxRead {
    const QLineEdit *box;
    const QLabel *caption;
    bool whole;
    double *target;
};

bool readBoxes(const std::vector<BoxRead> &reads)
{
    for (const BoxRead &r : reads)
        if (!TFormT2::readBox(r.box, r.caption->text(), r.whole, *r.target))
            return false;
    return true;
}

// A range check of Save.
struct RangeCheck {
    const QLineEdit *box;
    const QLabel *caption;
    bool whole;
    double low, high;
    const char *message;
    bool applies = true;
};

bool checkRanges(const std::vector<RangeCheck> &checks)
{
    for (const RangeCheck &c : checks) {
        if (!c.applies)
            continue;
        double v = 0;
        if (!TFormT2::readBox(c.box, c.caption->text(), c.whole, v))
            return false;
        if (v < c.low || v > c.high) {
            pf::ui::showMessage(QString::fromUtf8(c.message));
            return false;
        }
    }
    return true;
}

QString pipeSizeText(const ChosenPipe &p) { return p.found() ? p.sizeName : QString(); }
QString pipeVelocityText(const ChosenPipe &p) { return p.found() && p.row > 0 ? pf::floatToStr(p.velocity) : QString(); }
QString pipeCapacityText(const ChosenPipe &p) { return p.found() && p.row > 0 ? pf::floatToStr(p.capacity) : QString(); }
QString filterText(int row) { return row > 0 ? catalogues().SandFilters.capacity(row) : QString(); }

// The counts of the fittings grid as typed; each box carries its row and
// size.
FittingGrid gridOfPage(const Ui::PPSiSPage &u)
{
    FittingGrid grid;
    for (const QLineEdit *box : u.FittingsGrid->findChildren<QLineEdit *>())
        grid.at(box->property("fitRow").toInt(), box->property("fitSize").toInt()) = box->text();
    return grid;
}

} // namespace

// ---------------------------------------------------------------- set-up

void TFormT2::setUpPumpPages()
{
    uiEsSir = std::make_unique<Ui::PEsSirPage>();
    uiEsSir->setupUi(ui->PEsSir);
    uiJakoziSir = std::make_unique<Ui::PJakoziSirPage>();
    uiJakoziSir->setupUi(ui->PJakoziSir);
    uiPSiS = std::make_unique<Ui::PPSiSPage>();
    uiPSiS->setupUi(ui->PPSiS);

    const struct {
        pf::ui::DBEdit *box;
        const char *field;
    } fields[] = {
        {uiEsSir->DBEdit64, "Oft_Fesh_K_Est"},    {uiEsSir->DBEdit66, "Oft_Fesh_F_Est"},
        {uiEsSir->DBEdit67, "Oft_Fesh_Sh_Est"},   {uiEsSir->DBEdit104, "Rand_m1E"},
        {uiEsSir->DBEdit68, "Oft_Fesh_P_M_Est"},  {uiEsSir->DBEdit69, "Oft_Fesh_D_Est"},
        {uiEsSir->DBEdit71, "Te_Pmp_D_Est"},      {uiEsSir->DBEdit103, "Rand_m2E"},
        {uiEsSir->DBEdit73, "T_filter_es"},       {uiEsSir->DBEdit70, "Te_Pmp_Est"},
        {uiEsSir->DBEdit65, "G_Ab_Est"},          {uiJakoziSir->DBEdit25, "Oft_fesh_K_Jak"},
        {uiJakoziSir->DBEdit28, "Oft_Fesh_F_Jak"}, {uiJakoziSir->DBEdit29, "Oft_Fesh_Sh_Jak"},
        {uiJakoziSir->DBEdit106, "Rand_m1J"},     {uiJakoziSir->DBEdit30, "Oft_Fesh_P_M_Jak"},
        {uiJakoziSir->DBEdit31, "Oft_Fesh_D_Jak"}, {uiJakoziSir->DBEdit33, "Te_Pmp_D_Jak"},
        {uiJakoziSir->DBEdit105, "Rand_m2J"},     {uiJakoziSir->DBEdit38, "T_filter_jk"},
        {uiJakoziSir->DBEdit32, "Te_Pmp_Jak"},    {uiJakoziSir->DBEdit26, "G_Ab_Jak"},
        {uiPSiS->DBEdit94, "Oft_F_B_U_Sir"},      {uiPSiS->DBEdit95, "Oft_F_D_K_Sir"},
        {uiPSiS->DBEdit98, "K_B_L_Sir"},          {uiPSiS->DBEdit97, "Te_Sir"},
        {uiPSiS->DBEdit107, "Rand_sir"},
    };
    if (DM1)
        for (const auto &f : fields)
            f.box->bind(DM1->DataSource9, QString::fromLatin1(f.field));

    // Key filters (DBEdit65KeyPress, DBEdit104KeyPress, DBEdit25KeyPress,
    // DBEdit106KeyPress, DBEdit94KeyPress, DBEdit98KeyPress).
    for (QWidget *w : {uiEsSir->DBEdit64, uiEsSir->DBEdit65, uiEsSir->DBEdit66, uiEsSir->DBEdit67,
                       uiEsSir->DBEdit68, uiEsSir->DBEdit69, uiJakoziSir->DBEdit25, uiJakoziSir->DBEdit26,
                       uiJakoziSir->DBEdit28, uiJakoziSir->DBEdit29, uiJakoziSir->DBEdit30, uiJakoziSir->DBEdit31,
                       uiPSiS->DBEdit94, uiPSiS->DBEdit95, uiPSiS->DBEdit98})
        pf::ui::installDecimalFilter(w, kNumberOnly);
    // The pool page's two read-only boxes take digits only as well.
    for (QWidget *w : std::initializer_list<QWidget *>{uiEsSir->DBEdit70, uiEsSir->DBEdit71, uiEsSir->DBEdit73,
                                                       uiEsSir->DBEdit103, uiEsSir->DBEdit104, uiEsSir->Edit29,
                                                       uiEsSir->Edit30, uiPSiS->DBEdit97, uiPSiS->DBEdit107})
        pf::ui::installWholeNumberFilter(w, kWholeOnly);
    for (QWidget *w : {uiJakoziSir->DBEdit32, uiJakoziSir->DBEdit33, uiJakoziSir->DBEdit38, uiJakoziSir->DBEdit105,
                       uiJakoziSir->DBEdit106})
        pf::ui::installWholeNumberFilter(w, kWholeOnlyJacuzzi);

    // Enter chains: the exchanger's hot-water pump boxes take part only
    // with a hot-water exchanger.
    auto poolChain = [this]() -> QList<QWidget *> {
        auto &u = *uiEsSir;
        QList<QWidget *> c{u.DBEdit65, u.DBEdit67, u.DBEdit66, u.DBEdit64, u.DBEdit104, u.DBEdit70, u.DBEdit73};
        if (storedType(QStringLiteral("Typ_M_Est")) < 1)
            c << QList<QWidget *>{u.DBEdit68, u.DBEdit69, u.DBEdit71, u.DBEdit103};
        return c;
    };
    for (QWidget *w : {uiEsSir->DBEdit65, uiEsSir->DBEdit67, uiEsSir->DBEdit66, uiEsSir->DBEdit64, uiEsSir->DBEdit104,
                       uiEsSir->DBEdit70, uiEsSir->DBEdit73, uiEsSir->DBEdit68, uiEsSir->DBEdit69, uiEsSir->DBEdit71,
                       uiEsSir->DBEdit103})
        enterAlong(w, poolChain);
    auto jacuzziChain = [this]() -> QList<QWidget *> {
        auto &u = *uiJakoziSir;
        QList<QWidget *> c{u.DBEdit26, u.DBEdit25, u.DBEdit28, u.DBEdit29, u.DBEdit106, u.DBEdit38, u.DBEdit32};
        if (storedType(QStringLiteral("Typ_M_Jak")) < 1)
            c << QList<QWidget *>{u.DBEdit30, u.DBEdit31, u.DBEdit33, u.DBEdit105};
        return c;
    };
    for (QWidget *w : {uiJakoziSir->DBEdit26, uiJakoziSir->DBEdit25, uiJakoziSir->DBEdit28, uiJakoziSir->DBEdit29,
                       uiJakoziSir->DBEdit106, uiJakoziSir->DBEdit38, uiJakoziSir->DBEdit32, uiJakoziSir->DBEdit30,
                       uiJakoziSir->DBEdit31, uiJakoziSir->DBEdit33, uiJakoziSir->DBEdit105})
        enterAlong(w, jacuzziChain);
    pf::ui::installEnterChain({uiPSiS->DBEdit94, uiPSiS->DBEdit95, uiPSiS->DBEdit98, uiPSiS->DBEdit107,
                               uiPSiS->DBEdit97},
                              true);

    // Leaving the last box of a page makes Tab go back to the page's first
    // box (DBEdit73Exit, DBEdit103Exit, DBEdit32Exit, DBEdit105Exit).
    new OnLeave(uiEsSir->DBEdit73, [this] {
        if (storedType(QStringLiteral("Typ_M_Est")) == 1)
            QWidget::setTabOrder(uiEsSir->DBEdit73, uiEsSir->DBEdit65);
    });
    new OnLeave(uiEsSir->DBEdit103, [this] { QWidget::setTabOrder(uiEsSir->DBEdit103, uiEsSir->DBEdit65); });
    new OnLeave(uiJakoziSir->DBEdit32, [this] {
        if (storedType(QStringLiteral("Typ_M_Jak")) == 1)
            QWidget::setTabOrder(uiJakoziSir->DBEdit32, uiJakoziSir->DBEdit25);
    });
    new OnLeave(uiJakoziSir->DBEdit105,
                [this] { QWidget::setTabOrder(uiJakoziSir->DBEdit105, uiJakoziSir->DBEdit25); });

    // The fittings grid's boxes (Edit59KeyPress): whole counts; Enter only
    // reminds that Tab moves between them.
    for (QLineEdit *box : uiPSiS->FittingsGrid->findChildren<QLineEdit *>()) {
        pf::ui::installWholeNumberFilter(box, kWholeOnly);
        connect(box, &QLineEdit::returnPressed, this, [] { pf::ui::showMessage(kUseTab); });
    }
}

// ---------------------------------------------------------------- openers

void TFormT2::Label124Click()
{
    const int type = storedType(QStringLiteral("Typ_M_Est"));
    if (type != 0 && type != 1) {
        pf::ui::showMessage(kPoolFirst);
        return;
    }
    for (QWidget *w : std::initializer_list<QWidget *>{uiEsSir->DBEdit68, uiEsSir->DBEdit69, uiEsSir->DBEdit71,
                                                       uiEsSir->DBEdit103, uiEsSir->Label147, uiEsSir->Label148,
                                                       uiEsSir->Label150, uiEsSir->Label400})
        w->setVisible(type == 0);
    // Without a pool the boxes show nothing rather than an earlier pool.
    uiEsSir->Edit29->clear();
    uiEsSir->Edit30->clear();
    if (recordValue(QStringLiteral("Mass_Est")) > 0) {
        const ExchangerResults x = EstakhMobadel(2);
        uiEsSir->Edit29->setText(roundText(x.waterVolume));
        uiEsSir->Edit30->setText(roundText(x.totalEnergy));
    }
    openSubPage(4, ui->PEsSir);
    uiEsSir->DBEdit65->setFocus();
}

void TFormT2::Label69Click()
{
    if (DM1 && !DM1->Table12->active())
        DM1->Table12->open();
    const int type = storedType(QStringLiteral("Typ_M_Jak"));
    if (type != 0 && type != 1) {
        pf::ui::showMessage(kJacuzziFirst);
        return;
    }
    for (QWidget *w : std::initializer_list<QWidget *>{uiJakoziSir->DBEdit30, uiJakoziSir->DBEdit31,
                                                       uiJakoziSir->DBEdit33, uiJakoziSir->DBEdit105,
                                                       uiJakoziSir->Label25, uiJakoziSir->Label58,
                                                       uiJakoziSir->Label60, uiJakoziSir->Label402})
        w->setVisible(type == 0);
    uiJakoziSir->Edit32->clear();
    uiJakoziSir->Edit33->clear();
    if (recordValue(QStringLiteral("Mass_Jak")) > 0) {
        const ExchangerResults x = JakoziMobadel(2);
        uiJakoziSir->Edit32->setText(roundText(x.waterVolume));
        uiJakoziSir->Edit33->setText(roundText(x.totalEnergy));
    }
    openSubPage(6, ui->PJakoziSir);
    uiJakoziSir->DBEdit25->setFocus();
}

void TFormT2::Label13Click()
{
    uiPSiS->Edit58->setText(roundText(Dig(2).totalLoad));
    MoTMEtvSh(2);
    openPage(9, ui->PPSiS);
    uiPSiS->DBEdit94->setFocus();
}

// ---------------------------------------------------------------- pool and jacuzzi pumps

namespace {

// Result panel rows of the pool and jacuzzi pumps (mode 1).
void fillPumpPanel(TFormT2 &w, const PumpsResults &r, bool steam, bool jacuzzi)
{
    const QString head = QStringLiteral(":(ft)هد پمپ آب گردشي");
    const QString flowPerPump = QStringLiteral(":(gph)دبي پمپ آب گردشي");
    const QString circulation = QStringLiteral(":(gph)دبي آبگردشي");
    const QString size = QStringLiteral(":(In)سايز لوله كشي");
    const QString velocity = QStringLiteral(":(FPS)حداكثر سرعت گردش آب");
    const QString capacity = QStringLiteral(":(gpm)حداكثر گذر آب");
    const QString filter = QStringLiteral(":(gpm)ظرفيت صافي فشاري ");
    const QString power = QStringLiteral(":(hp)قدرت الكتروپمپ");
    if (steam) {
        w.setResultRow(1, jacuzzi ? head : head + QLatin1Char(' '), r.pumpHead);
        w.setResultRow(2, flowPerPump, r.flowPerPump);
        w.setResultRow(3, circulation, r.circulation);
        w.setResultRow(4, size, pipeSizeText(r.pipe));
        w.setResultRow(5, velocity, pipeVelocityText(r.pipe));
        w.setResultRow(6, jacuzzi ? capacity + QLatin1Char(' ') : capacity, pipeCapacityText(r.pipe));
        w.setResultRow(7, filter, filterText(r.filterRow));
        w.setResultRow(8, power, r.pumpPower);
        return;
    }
    w.setResultRow(1, QStringLiteral(":(ft)هد پمپ آبگرم گردشي مبدل"), r.exchangerPumpHead);
    w.setResultRow(2, QStringLiteral(":(gpm)دبي پمپ آبگرم گردشي مبدل"), r.flowPerExchangerPump);
    w.setResultRow(3, size, pipeSizeText(r.exchangerPipe));
    w.setResultRow(4, velocity, pipeVelocityText(r.exchangerPipe));
    w.setResultRow(5, capacity, pipeCapacityText(r.exchangerPipe));
    w.setResultRow(6, power, r.exchangerPumpPower);
    w.setResultRow(7,
                   jacuzzi ? QStringLiteral(":(gpm)دبي آبگرم گردشي مبدل") : QStringLiteral(":(gpm)دبي  آبگرم آبگردشي مبدل"),
                   r.exchangerFlow);
    w.setResultRow(8, jacuzzi ? head : QStringLiteral(":(ft)هد پمپ آبگردشي "), r.pumpHead);
    w.setResultRow(9, flowPerPump, r.flowPerPump);
    w.setResultRow(10, size, pipeSizeText(r.pipe));
    w.setResultRow(11, velocity, pipeVelocityText(r.pipe));
    w.setResultRow(12, capacity, pipeCapacityText(r.pipe));
    w.setResultRow(13, filter, filterText(r.filterRow));
    w.setResultRow(14, power, r.pumpPower);
    w.setResultRow(15, circulation, r.circulation);
}

// Whole-number inputs are read into doubles first.
struct PumpReadings {
    double eff1 = 0, xPumps = 0, eff2 = 0, filters = 0, pumps = 0;
    void into(PumpsInputs &in) const
    {
        in.pumpEfficiency = int(eff1);
        in.exchangerPumps = int(xPumps);
        in.exchangerPumpEfficiency = int(eff2);
        in.filters = int(filters);
        in.pumps = int(pumps);
    }
};

} // namespace

namespace {

// A box of a pump page with its caption.
struct PageBox {
    const QLineEdit *box;
    const QLabel *caption;
};

// What the pump pages of the pool and of the jacuzzi differ in. The boxes
// and the record's fields stand in the order of the inputs they fill: water
// volume and heat energy (boxes only; the record takes them from the
// exchanger), coil, filter and pipe drops, the filtration pump's efficiency,
// shell and boiler drops, the exchanger's pumps and their efficiency, the
// filters, the filtration pumps and the turnover time.
struct PoolPumpPage {
    const char *typeField;
    bool jacuzzi;
    short steamWidth, steamCaptionX;                                            // result panel, steam
    short hotWaterWidth, hotWaterCaptionX, hotWaterValueX2, hotWaterCaptionX2; // and hot water
    std::function<std::array<PageBox, 13>()> boxes;
    std::array<const char *, 11> fields;
    ExchangerResults (TFormT2::*exchanger)(short);
    PumpsResults (*size)(const PumpsInputs &);
};

PumpsResults sizePumpPage(TFormT2 &form, const PoolPumpPage &page, short mode)
{
    PumpsInputs in;
    in.reportMode = mode != 1;
    in.exchangerType = storedType(QString::fromLatin1(page.typeField));
    in.EkhtDama = wholeRecord(QStringLiteral("EkhtDama"));
    in.OfteFeshar = TFormT2::recordValue(QStringLiteral("OfteFeshar"));
    in.Hi = projectHi();
    const bool steam = in.exchangerType != ExchangerHotWater;
    PumpReadings w;
    double *const targets[] = {&in.coilDrop, &in.filterDrop, &in.pipeDrop,  &w.eff1,    &in.shellDrop,
                               &in.boilerDrop, &w.xPumps,    &w.eff2,       &w.filters, &w.pumps,
                               &in.turnoverTime};
    // Counts and efficiencies are whole numbers.
    constexpr bool whole[] = {false, false, false, true, false, false, true, true, true, true, false};
    if (mode == 1) {
        if (steam)
            form.MakeComp(20, 70, page.steamWidth, 230, 8, 5, page.steamCaptionX, 0, 0, 0, 0, QString(), QString());
        else
            form.MakeComp(20, 70, page.hotWaterWidth, 230, 7, 5, page.hotWaterCaptionX, 8, page.hotWaterValueX2,
                          page.hotWaterCaptionX2, 0, QString(), QString());
        const std::array<PageBox, 13> boxes = page.boxes();
        std::vector<BoxRead> reads = {{boxes[0].box, boxes[0].caption, false, &in.waterVolume},
                                      {boxes[1].box, boxes[1].caption, false, &in.heatEnergy}};
        for (int i = 0; i < 11; ++i) {
            reads.push_back({boxes[i + 2].box, boxes[i + 2].caption, whole[i], targets[i]});
        }
        if (!readBoxes(reads)) {
            PumpsResults stop;
            stop.stopped = true;
            return stop;
        }
    } else {
        const ExchangerResults x = (form.*page.exchanger)(2);
        in.waterVolume = x.waterVolume;
        in.heatEnergy = x.totalEnergy;
        for (int i = 0; i < 11; ++i) {
            const QString field = QString::fromLatin1(page.fields[i]);
            *targets[i] = whole[i] ? wholeRecord(field) : TFormT2::recordValue(field);
        }
    }
    w.into(in);
    const PumpsResults r = page.size(in);
    if (mode == 1 && !r.stopped) {
        fillPumpPanel(form, r, steam, page.jacuzzi);
        // Results that cannot be shown are the run's one message.
        if (!form.resultsShowable())
            return r;
    }
    showMessages(r.messages);
    if (mode == 1 && !r.stopped)
        form.showResultPanel();
    return r;
}

} // namespace

PumpsResults TFormT2::EstakhPmpSir(short mode)
{
    return sizePumpPage(*this,
                        {"Typ_M_Est", false, 270, 85, 520, 65, 260, 355,
                         [this]() -> std::array<PageBox, 13> {
                             auto &u = *uiEsSir;
                             return {{{u.Edit29, u.Edit29Caption},
                                      {u.Edit30, u.Edit30Caption},
                                      {u.DBEdit64, u.DBEdit64Caption},
                                      {u.DBEdit66, u.DBEdit66Caption},
                                      {u.DBEdit67, u.DBEdit67Caption},
                                      {u.DBEdit104, u.DBEdit104Caption},
                                      {u.DBEdit68, u.Label147},
                                      {u.DBEdit69, u.Label148},
                                      {u.DBEdit71, u.Label150},
                                      {u.DBEdit103, u.Label400},
                                      {u.DBEdit73, u.DBEdit73Caption},
                                      {u.DBEdit70, u.DBEdit70Caption},
                                      {u.DBEdit65, u.DBEdit65Caption}}};
                         },
                         {"Oft_Fesh_K_Est", "Oft_Fesh_F_Est", "Oft_Fesh_Sh_Est", "Rand_m1E", "Oft_Fesh_P_M_Est",
                          "Oft_Fesh_D_Est", "Te_Pmp_D_Est", "Rand_m2E", "T_filter_es", "Te_Pmp_Est", "G_Ab_Est"},
                         &TFormT2::EstakhMobadel, &sizePoolPumps},
                        mode);
}

PumpsResults TFormT2::JakoziPmpSir(short mode)
{
    return sizePumpPage(*this,
                        {"Typ_M_Jak", true, 260, 95, 480, 55, 250, 310,
                         [this]() -> std::array<PageBox, 13> {
                             auto &u = *uiJakoziSir;
                             return {{{u.Edit32, u.Edit32Caption},
                                      {u.Edit33, u.Edit33Caption},
                                      {u.DBEdit25, u.DBEdit25Caption},
                                      {u.DBEdit28, u.DBEdit28Caption},
                                      {u.DBEdit29, u.DBEdit29Caption},
                                      {u.DBEdit106, u.DBEdit106Caption},
                                      {u.DBEdit30, u.Label25},
                                      {u.DBEdit31, u.Label58},
                                      {u.DBEdit33, u.Label60},
                                      {u.DBEdit105, u.Label402},
                                      {u.DBEdit38, u.DBEdit38Caption},
                                      {u.DBEdit32, u.DBEdit32Caption},
                                      {u.DBEdit26, u.DBEdit26Caption}}};
                         },
                         {"Oft_fesh_K_Jak", "Oft_Fesh_F_Jak", "Oft_Fesh_Sh_Jak", "Rand_m1J", "Oft_Fesh_P_M_Jak",
                          "Oft_Fesh_D_Jak", "Te_Pmp_D_Jak", "Rand_m2J", "T_filter_jk", "Te_Pmp_Jak", "G_Ab_Jak"},
                         &TFormT2::JakoziMobadel, &sizeJacuzziPumps},
                        mode);
}

// ---------------------------------------------------------------- circulation pump

CirculationPumpResults TFormT2::PmpSir(short mode)
{
    CirculationPumpInputs in;
    in.reportMode = mode != 1;
    in.OfteFeshar = recordValue(QStringLiteral("OfteFeshar"));
    in.EkhtDama = wholeRecord(QStringLiteral("EkhtDama"));
    in.TolRadiat = recordValue(QStringLiteral("TolRadiat"));
    in.ErtefaS = wholeRecord(QStringLiteral("ErtefaS"));
    in.Hi = projectHi();
    if (mode == 1) {
        MakeComp(60, 70, 270, 180, 6, 5, 55, 0, 0, 0, 0, QString(), QString());
        const char *const captions[] = {"ضريب افت فشار",
                                        ":(ft)طول معادل براي اتصالات و شيرها",
                                        ":(ft)افت فشار كل",
                                        ":(gpm)آبدهي",
                                        ":ضريب تصحيح قدرت الكتروپمپ",
                                        ":(hp)حداقل قدرت مورد نياز الكترو پمپ"};
        for (int i = 0; i < 6; ++i)
            setResultRow(i + 1, QString::fromUtf8(captions[i]), QString());
        auto &u = *uiPSiS;
        double pumps = 0, efficiency = 0;
        if (!readBoxes({{u.Edit58, u.Edit58Caption, false, &in.totalLoad},
                        {u.DBEdit94, u.DBEdit94Caption, false, &in.Oft_F_B_U_Sir},
                        {u.DBEdit95, u.DBEdit95Caption, false, &in.Oft_F_D_K_Sir},
                        {u.DBEdit98, u.DBEdit98Caption, false, &in.K_B_L_Sir},
                        {u.DBEdit97, u.DBEdit97Caption, true, &pumps},
                        {u.DBEdit107, u.DBEdit107Caption, true, &efficiency}})) {
            CirculationPumpResults stop;
            stop.stopped = true;
            return stop;
        }
        in.Te_Sir = int(pumps);
        in.Rand_sir = int(efficiency);
        in.fittings = MoTMEtvSh(1);
    } else {
        in.totalLoad = Dig(2).totalLoad;
        in.Oft_F_B_U_Sir = recordValue(QStringLiteral("Oft_F_B_U_Sir"));
        in.Oft_F_D_K_Sir = recordValue(QStringLiteral("Oft_F_D_K_Sir"));
        in.K_B_L_Sir = recordValue(QStringLiteral("K_B_L_Sir"));
        in.Te_Sir = wholeRecord(QStringLiteral("Te_Sir"));
        in.Rand_sir = wholeRecord(QStringLiteral("Rand_sir"));
        in.fittings = MoTMEtvSh(3);
    }
    CirculationPumpResults r = sizeCirculationPump(in);
    if (mode == 1 && !r.stopped) {
        const double values[] = {r.weldingFactor, r.fittingsLength, r.head, r.flowPerPump, r.altitudeFactor, r.power};
        for (int i = 0; i < 6; ++i)
            setResultRow(i + 1, ResultCaptions[i + 1]->text(), values[i]);
        // Results that cannot be shown are the run's one message, and its
        // head is not stored.
        if (!resultsShowable()) {
            r.stopped = true;
            r.storeHead = false;
            return r;
        }
    }
    showMessages(r.messages);
    if (r.storeHead)
        storePumpHead(r.head);
    if (mode == 1 && !r.stopped)
        showResultPanel();
    return r;
}

FittingsLength TFormT2::MoTMEtvSh(short mode)
{
    if (mode == 1) {
        return fittingsLengthOfGrid(gridOfPage(*uiPSiS));
    }
    QStringList lists;
    for (const QString &field : fittingListFields())
        lists << recordText(field);
    if (mode == 3)
        return fittingsLengthOfLists(lists);
    // The grid is loaded whole: a box whose item is missing or empty shows
    // nothing, never what an earlier project left there.
    const FittingGrid grid = fittingGridFromLists(lists);
    for (QLineEdit *box : uiPSiS->FittingsGrid->findChildren<QLineEdit *>())
        box->setText(grid.at(box->property("fitRow").toInt(), box->property("fitSize").toInt()));
    return {};
}

// ---------------------------------------------------------------- projects and Save

void TFormT2::clearPumpPages()
{
    for (QLineEdit *box : {uiEsSir->Edit29, uiEsSir->Edit30, uiJakoziSir->Edit32, uiJakoziSir->Edit33, uiPSiS->Edit58})
        box->clear();
    for (QLineEdit *box : uiPSiS->FittingsGrid->findChildren<QLineEdit *>())
        box->clear();
}

bool TFormT2::savePoolPumpsPage()
{
    auto &u = *uiEsSir;
    // The exchanger's hot-water pump boxes are hidden with a steam
    // exchanger: they are not checked then, as nothing could be typed there.
    const bool hotWater = storedType(QStringLiteral("Typ_M_Est")) != 1;
    return checkRanges({
        {u.DBEdit65, u.DBEdit65Caption, false, 4, 24, "مدت زمان گردش آب را تصحيح كنيد"},
        {u.DBEdit64, u.DBEdit64Caption, false, 2.5, 12, "افت فشار كويل را تصحيح كنيد"},
        {u.DBEdit67, u.DBEdit67Caption, false, 2.5, 12, "افت فشار ايجادشده در لوله و اتصالات را تصحيح كنيد"},
        {u.DBEdit66, u.DBEdit66Caption, false, 2.5, 12, "افت فشار در فيلترهارا تصحيح كنيد"},
        {u.DBEdit68, u.Label147, false, 2.5, 12, "افت فشار پوسته مبدل را تصحيح كنيد", hotWater},
        {u.DBEdit69, u.Label148, false, 2.5, 12, "افت فشار آب در ديگ را تصحيح كنيد", hotWater},
        {u.DBEdit70, u.DBEdit70Caption, true, 1, 10, "تعداد پمپ گردش آب استخر را تصحيح كنيد"},
        {u.DBEdit71, u.Label150, true, 1, 10, "تعداد پمپ آبگرم گردشي مبدل را تصحيح كنيد", hotWater},
        {u.DBEdit103, u.Label400, true, 50, 90, "راندمان الكتروپمپ آبگرم گردشي را تصحيح كنيد", hotWater},
        {u.DBEdit104, u.DBEdit104Caption, true, 50, 90, "راندمان الكتروپمپ گردش آب استخر را تصحيح كنيد"},
    });
}

bool TFormT2::saveJacuzziPumpsPage()
{
    auto &u = *uiJakoziSir;
    const bool hotWater = storedType(QStringLiteral("Typ_M_Jak")) != 1;
    return checkRanges({
        {u.DBEdit26, u.DBEdit26Caption, false, 2, 10, "مدت زمان گردش آب تصفيه بين 2 تا 10 ساعت مورد قبول است"},
        {u.DBEdit25, u.DBEdit25Caption, false, 3, 12, "افت فشار در كويل را تصحيح كنيد"},
        {u.DBEdit28, u.DBEdit28Caption, false, 3, 12, "افت فشار در فيلترهارا تصحيح كنيد"},
        {u.DBEdit29, u.DBEdit29Caption, false, 1, 10, "افت فشار ايجادشده در لوله و اتصالات مربوطه را تصحيح كنيد"},
        {u.DBEdit30, u.Label25, false, 3, 12, "افت فشار در پوسته مبدل را تصحيح كنيد", hotWater},
        {u.DBEdit31, u.Label58, false, 1, 4, "افت فشار آب در ديگ را تصحيح كنيد", hotWater},
        {u.DBEdit32, u.DBEdit32Caption, true, 1, 4, "تعداد پمپ تصفيه جكوزي را تصحيح كنيد"},
        {u.DBEdit33, u.Label60, true, 1, 4, "تعداد پمپ آبگرم گردشي مبدل را تصحيح كنيد", hotWater},
        {u.DBEdit106, u.DBEdit106Caption, true, 50, 90, "راندمان الكتروپمپ گردش آب جكوزي را تصحيح كنيد"},
        {u.DBEdit105, u.Label402, true, 50, 98, "راندمان الكتروپمپ آبگرم گردشي را تصحيح كنيد", hotWater},
    });
}

bool TFormT2::saveCirculationPumpPage()
{
    auto &u = *uiPSiS;
    if (!checkRanges({
            {u.DBEdit98, u.DBEdit98Caption, false, 0, 98, "كيفيت برقوزني در لوله ها را تصحيح كنيد"},
            {u.DBEdit97, u.DBEdit97Caption, true, 1, 50, "تعداد پمپ سيركولاتور سيستم را تصحيح كنيد"},
            {u.DBEdit107, u.DBEdit107Caption, true, 50, 95, "راندمان الكتروپمپ را تصحيح كنيد"},
        }))
        return false;
    const QStringList lists = fittingListsFromGrid(gridOfPage(u));
    const QStringList &fields = fittingListFields();
    for (int i = 0; i < fields.size(); ++i) {
        // A list is named by the fittings of its two rows.
        const auto *first = u.FittingsGrid->findChild<QLabel *>(QStringLiteral("FittingCaption%1").arg(2 * i + 1, 2, 10, QLatin1Char('0')));
        const auto *second = u.FittingsGrid->findChild<QLabel *>(QStringLiteral("FittingCaption%1").arg(2 * i + 2, 2, 10, QLatin1Char('0')));
        QString caption = first ? first->text() : fields[i];
        if (second)
            caption += QStringLiteral(" ، ") + second->text();
        if (!writeListField(fields[i], lists.value(i), caption))
            return false;
    }
    return true;
}
