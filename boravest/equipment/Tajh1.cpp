#include "boravest/equipment/Tajh1.h"

#include "ui_Tajh1.h"

#include "boravest/building/EntryPage.h"
#include "boravest/data/ProgramState.h"
#include "boravest/data/UnitDm.h"
#include "boravest/sizing/BuildingLoad.h"
#include "boravest/equipment/U_15.h"
#include "boravest/help/UHelp.h"
#include "platform/common/Numbers.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/Colors.h"
#include "platform/ui/DbControls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Keys.h"

#include <QKeyEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

TFormT1 *FormT1 = nullptr;

namespace {

const QString kWholeOnly = QStringLiteral(" عدد صحيح معتبر است");

constexpr int kCityGas = 1; // position of "گاز شهري" in the fuel list

// The pressure drops of the list, in list order.
constexpr double kListedDrops[] = {1, 1.5, 2, 2.5, 3, 3.5, 4};

// Gas heating values of the region buttons, Btu/cu.ft.
constexpr int kKhorasan = 912, kAhvaz = 1057, kIsfahan = 1055;

QString captionText(const QLabel *caption)
{
    QString t = caption->text().trimmed();
    if (t.startsWith(QLatin1Char(':')))
        t.remove(0, 1);
    return t.trimmed();
}

void showUserGuide()
{
    if (!FormHelp)
        return;
    // The guide opens at its equipment-selection page, scrolled to the top.
    if (auto *pages = FormHelp->findChild<QTabWidget *>(QStringLiteral("PageControl1")))
        pages->setCurrentIndex(3);
    FormHelp->setWindowTitle(QStringLiteral("     راهنماي كاربران - انتخاب تجهيزات "));
    if (auto *pages = FormHelp->findChild<QTabWidget *>(QStringLiteral("PageControl1")))
        if (QWidget *page = pages->widget(3))
            for (QScrollArea *box : page->findChildren<QScrollArea *>())
                box->verticalScrollBar()->setValue(0);
    pf::ui::showModal(FormHelp);
}

QColor restColor() { return pf::ui::winColor(AreaColors[AreaT * 5 + RoleText]); }

} // namespace

TFormT1::TFormT1(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TFormT1>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("FormT1"));
    setLayoutDirection(Qt::RightToLeft);
    setFixedSize(size());

    // The projects to choose from.
    ui->DBGrid1->setColumns({{QStringLiteral("SHPROJE"), QStringLiteral("شماره پروژه"), -1},
                             {QStringLiteral("NAME"), QStringLiteral("نام پروژه"), -1},
                             {QStringLiteral("DATE1"), QStringLiteral("تاريخ پروژه"), -1},
                             {QStringLiteral("SHAHR"), QStringLiteral("شهر"), -1}});
    if (DM1) {
        ui->DBGrid1->setDataSource(DM1->DataSource1);
        const struct {
            pf::ui::DBEdit *box;
            const char *field;
        } bound[] = {{ui->DBEdit1, "Bar_Col"},   {ui->DBEdit2, "Masa_z"},    {ui->DBEdit3, "Masa_Ar"},
                     {ui->DBEdit4, "Masa_Aa"},   {ui->DBEdit5, "ErtefaS"},   {ui->DBEdit6, "TeaSak"},
                     {ui->DBEdit7, "TolSevic"},  {ui->DBEdit8, "TolRadiat"}, {ui->DBEdit9, "EkhtDama"},
                     {ui->DBEdit10, "DAbgarm"},  {ui->DBEdit11, "SakhAb"},   {ui->DBEdit12, "Van"},
                     {ui->DBEdit13, "Dosh"},     {ui->DBEdit14, "WCKh"},     {ui->DBEdit15, "WCOm"},
                     {ui->DBEdit16, "SinkAb"},   {ui->DBEdit17, "SinkZar"},  {ui->DBEdit18, "MashZar"},
                     {ui->DBEdit19, "SinkRakh"}, {ui->DBEdit20, "MashRakh"}, {ui->DBEdit21, "LaganPa"},
                     {ui->DBEdit22, "DamAbSh"},  {ui->DBEdit23, "DamAbBeh"}, {ui->DBEdit24, "DamAbMa"}};
        for (const auto &b : bound)
            b.box->bind(DM1->DataSource9, QString::fromLatin1(b.field));
    }

    // Every data box takes digits only; Enter walks the page's chain.
    for (pf::ui::DBEdit *box : findChildren<pf::ui::DBEdit *>()) {
        pf::ui::installWholeNumberFilter(box, kWholeOnly);
        box->installEventFilter(this);
    }
    for (QWidget *w : {static_cast<QWidget *>(ui->ComboBox1), static_cast<QWidget *>(ui->ComboBox2),
                       static_cast<QWidget *>(ui->ComboBox3), static_cast<QWidget *>(ui->RadioButton3),
                       static_cast<QWidget *>(ui->RadioButton4), static_cast<QWidget *>(ui->RadioButton5)})
        w->installEventFilter(this);
    ui->ComboBox2->lineEdit()->installEventFilter(this);
    pf::ui::installKeyPreview(this, [this](QKeyEvent *k) { return FormKeyDown(k); });

    // Fuel and city-gas region.
    connect(ui->ComboBox3, &QComboBox::currentIndexChanged, this, [this] { showRegion(); });
    const struct {
        QRadioButton *button;
        int value;
    } regions[] = {{ui->RadioButton3, kKhorasan}, {ui->RadioButton4, kAhvaz}, {ui->RadioButton5, kIsfahan}};
    for (const auto &r : regions)
        connect(r.button, &QRadioButton::toggled, this, [this, value = r.value](bool on) {
            if (on)
                GasHeatingValue = value;
        });

    // Commands.
    connect(ui->Label1, &pf::ui::ClickLabel::clicked, this, [this] { Label1Click(); });
    connect(ui->Label24, &pf::ui::ClickLabel::clicked, this, [this] { Label24Click(); });
    connect(ui->Label41, &pf::ui::ClickLabel::clicked, this, [this] { Label41Click(); });
    connect(ui->Label45, &pf::ui::ClickLabel::clicked, this, [this] { Label45Click(); });
    connect(ui->Label46, &pf::ui::ClickLabel::clicked, this, [this] { Label46Click(); });
    connect(ui->Label47, &pf::ui::ClickLabel::clicked, this, [this] { Label47Click(); });
    m_hover = new pf::ui::HoverGroup({ui->Label1, ui->Label24, ui->Label41, ui->Label45, ui->Label46, ui->Label47},
                                     &restColor, this);

    setBrowse();
}

TFormT1::~TFormT1() = default;

// ---------------------------------------------------------------- life

void TFormT1::showEvent(QShowEvent *e)
{
    // The page opens on the first region's value; coming back to it from a
    // help or tool window keeps what the region buttons show.
    GasHeatingValue = kKhorasan;
    FormActivate();
    QDialog::showEvent(e);
}

void TFormT1::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
    QDialog::changeEvent(e);
}

void TFormT1::FormActivate() { openTables(); }

bool TFormT1::openTables()
{
    return DM1 && createedit::openTable(this, DM1->Table1) && createedit::openTable(this, DM1->Table12);
}

void TFormT1::done(int r)
{
    FormClose();
    QDialog::done(r);
}

void TFormT1::FormClose()
{
    Label41Click();
    if (DM1) {
        DM1->Table1->close();
        DM1->Table12->close();
    }
}

// ---------------------------------------------------------------- states

void TFormT1::setBrowse()
{
    m_edit = false;
    ui->Panel2->hide();
    ui->Panel1->setEnabled(true);
    for (QWidget *w : {ui->Label1, ui->Label45, ui->Label46, ui->Label47})
        w->setEnabled(true);
    ui->Label24->setEnabled(false);
    ui->Label41->setEnabled(false);
    ui->DBGrid1->setFocus();
}

void TFormT1::setEditing()
{
    m_edit = true;
    ui->Panel2->show();
    ui->Panel1->setEnabled(false);
    for (QWidget *w : {ui->Label1, ui->Label45, ui->Label46, ui->Label47})
        w->setEnabled(false);
    ui->Label24->setEnabled(true);
    ui->Label41->setEnabled(true);
    ui->DBEdit1->setFocus();
}

// ---------------------------------------------------------------- record

double TFormT1::projectNumber() const
{
    return double(pf::roundToInt(DM1->Table1->fieldByName(QStringLiteral("SHPROJE")).asFloat()));
}

bool TFormT1::findRecord(double project)
{
    pf::db::Table *t = DM1->Table12;
    t->setIndexName(QStringLiteral("ISp"));
    return t->locate(QStringLiteral("Shproje"), {project});
}

void TFormT1::loadLists()
{
    pf::db::Table *t = DM1->Table12;
    const int type = t->fieldByName(QStringLiteral("NSakh")).asInteger();
    ui->ComboBox1->setCurrentIndex(type >= 0 && type < ui->ComboBox1->count() ? type : -1);

    const double drop = t->fieldByName(QStringLiteral("OfteFeshar")).asFloat();
    const QString dropText = t->fieldByName(QStringLiteral("OfteFeshar")).asString();
    int dropAt = -1;
    for (int i = 0; i < int(std::size(kListedDrops)); ++i)
        if (!dropText.isEmpty() && drop == kListedDrops[i])
            dropAt = i;
    ui->ComboBox2->setCurrentIndex(dropAt);
    ui->ComboBox2->setEditText(dropText);

    const int fuel = t->fieldByName(QStringLiteral("TySo")).asInteger();
    ui->ComboBox3->setCurrentIndex(fuel == 0 || fuel == kCityGas ? fuel : -1);
}

void TFormT1::showRegion()
{
    const bool gas = ui->ComboBox3->currentIndex() == kCityGas;
    ui->Panel7->setVisible(gas);
    ui->Label50->setVisible(gas);
}

void TFormT1::checkRegion(int value)
{
    // The button of the value, or none for a value of no region.
    for (QRadioButton *b : {ui->RadioButton3, ui->RadioButton4, ui->RadioButton5})
        b->setAutoExclusive(false);
    ui->RadioButton3->setChecked(value == kKhorasan);
    ui->RadioButton4->setChecked(value == kAhvaz);
    ui->RadioButton5->setChecked(value == kIsfahan);
    for (QRadioButton *b : {ui->RadioButton3, ui->RadioButton4, ui->RadioButton5})
        b->setAutoExclusive(true);
    GasHeatingValue = value;
}

void TFormT1::Q_Sakh(double &Bar)
{
    Bar = 0;
    if (!DM1)
        return;
    try {
        Bar = bv::sizing::buildingHeatLoadOf(*DM1->Database1, projectNumber());
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
    }
}

// ---------------------------------------------------------------- commands

void TFormT1::Label1Click()
{
    if (m_edit || !openTables())
        return;
    pf::db::Table *t = DM1->Table12;
    if (DM1->Table1->isEmpty())
        return; // no project to give inputs for
    try {
        const double project = projectNumber();
        // The gas value follows the stored record; a new record, or one
        // burning gas oil, starts from the first region.
        int gasValue = kKhorasan;
        if (findRecord(project)) {
            loadLists();
            if (ui->ComboBox3->currentIndex() == kCityGas)
                gasValue = t->fieldByName(QStringLiteral("HU")).asInteger();
            t->edit();
        } else {
            t->append();
        }
        checkRegion(gasValue);
        showRegion();
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
        if (t->active())
            t->cancel();
        return;
    }
    setEditing();
    double load = 0;
    Q_Sakh(load);
    try {
        t->fieldByName(QStringLiteral("Bar_Col")).setAsFloat(pf::roundHalfEven(load, 2));
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
    }
}

void TFormT1::Label41Click()
{
    if (QWidget *w = focusWidget())
        w->clearFocus();
    if (DM1 && DM1->Table12->active())
        DM1->Table12->cancel();
    setBrowse();
}

void TFormT1::Label45Click()
{
    if (!openTables())
        return;
    bool found = false;
    try {
        found = !DM1->Table1->isEmpty() && findRecord(projectNumber());
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
        return;
    }
    if (!found) {
        pf::ui::showMessage(QStringLiteral("داده هاي اوليه مربوط به تجهيزات وارد نشده است"), this);
        return;
    }
    if (FormT2)
        pf::ui::showModal(FormT2);
}

void TFormT1::Label46Click() { pf::ui::endModal(this, QDialog::Rejected); }

void TFormT1::Label47Click() { createedit::askExit(); }

// ---------------------------------------------------------------- save

bool TFormT1::refuse(const QString &message)
{
    pf::ui::showMessage(message, this);
    return false;
}

bool TFormT1::readWhole(QLineEdit *box, const QLabel *caption, int *out)
{
    if (createedit::wholeOf(box->text(), out))
        return true;
    refuse(QStringLiteral("%1 را به صورت عدد صحيح وارد كنيد").arg(captionText(caption)));
    box->setFocus();
    return false;
}

bool TFormT1::saveChecks(double *pressureDrop)
{
    // 1. The building heat load.
    double bar = 0;
    if (!createedit::decimalOf(ui->DBEdit1->text(), &bar) || bar < 100)
        return refuse(QStringLiteral("بار حرارتي كل ساختمان قابل قبول نيست"));
    // 2.
    if (ui->ComboBox1->currentText().isEmpty())
        return refuse(QStringLiteral("نوع ساختمان"));
    // 3. Empty boxes count 0 (the occupants box keeps its text).
    for (QLineEdit *box : {ui->DBEdit2,  ui->DBEdit3,  ui->DBEdit4,  ui->DBEdit5,  ui->DBEdit12, ui->DBEdit13,
                           ui->DBEdit14, ui->DBEdit15, ui->DBEdit16, ui->DBEdit17, ui->DBEdit18, ui->DBEdit19,
                           ui->DBEdit21, ui->DBEdit20, ui->DBEdit22, ui->DBEdit23, ui->DBEdit24, ui->DBEdit7,
                           ui->DBEdit8,  ui->DBEdit9,  ui->DBEdit10, ui->DBEdit11})
        if (box->text().isEmpty())
            box->setText(QStringLiteral("0"));
    // 4.
    if (ui->ComboBox3->currentText().isEmpty())
        return refuse(QStringLiteral("نوع سوخت را مشخص كنيد"));

    // A box read as a whole number within a range, else the range message.
    int value = 0;
    auto inRange = [&](QLineEdit *box, const QLabel *caption, int lo, int hi, const QString &message, int *out) {
        if (!readWhole(box, caption, &value))
            return false;
        if (out)
            *out = value;
        if (value < lo || value > hi)
            return refuse(message);
        return true;
    };
    // 5. Areas and height.
    if (!inRange(ui->DBEdit2, ui->Label3, 200, 9999999, QStringLiteral("مساحت زمين را تصحيح كنيد"), nullptr)
        || !inRange(ui->DBEdit3, ui->Label4, 0, 9999999, QStringLiteral("مساحت عرصه را تصحيح كنيد"), nullptr)
        || !inRange(ui->DBEdit4, ui->Label5, 200, 9999999, QStringLiteral("مساحت اعيان را تصحيح كنيد"), nullptr)
        || !inRange(ui->DBEdit5, ui->Label6, 10, 2000, QStringLiteral("ارتفاع ساختمان را تصحيح كنيد"), nullptr))
        return false;
    // 6. At least one toilet and washbasin and one shower.
    int wcOm = 0, wcKh = 0, dosh = 0;
    if (!readWhole(ui->DBEdit15, ui->Label21, &wcOm) || !readWhole(ui->DBEdit14, ui->Label20, &wcKh)
        || !readWhole(ui->DBEdit13, ui->Label19, &dosh))
        return false;
    if (!((wcOm > 0 || wcKh > 0) && dosh > 0))
        return refuse(
            QStringLiteral("طبق استاندارد هر ساختمان حد اقل بايد داراي يك توالت ودستشويي ويك دوش باشد"));
    // 7. Each fixture count 0 to 800.
    const QString fixtures = QStringLiteral("تعداد سرويس هاي بهداشتي را تصحيح كنيد");
    const struct {
        QLineEdit *box;
        const QLabel *caption;
    } counts[] = {{ui->DBEdit12, ui->Label18}, {ui->DBEdit13, ui->Label19}, {ui->DBEdit14, ui->Label20},
                  {ui->DBEdit15, ui->Label21}, {ui->DBEdit16, ui->Label22}, {ui->DBEdit17, ui->Label23},
                  {ui->DBEdit18, ui->Label25}, {ui->DBEdit19, ui->Label26}, {ui->DBEdit20, ui->Label27},
                  {ui->DBEdit21, ui->Label28}};
    for (const auto &c : counts)
        if (!inRange(c.box, c.caption, 0, 800, fixtures, nullptr))
            return false;
    // 8.-9. Water temperatures.
    int city = 0, use = 0, mixed = 0;
    if (!inRange(ui->DBEdit22, ui->Label14, 35, 75, QStringLiteral("دماي آب شهر را تصحيح كنيد"), &city)
        || !inRange(ui->DBEdit23, ui->Label15, 98, 200, QStringLiteral("دماي آب گرم مصرفي را تصحيح كنيد"), &use)
        || !inRange(ui->DBEdit24, ui->Label16, 80, 160, QStringLiteral("دماي آب مخلوط را تصحيح كنيد"), &mixed))
        return false;
    if (!(mixed < use && mixed >= city))
        return refuse(QStringLiteral("دماي آب مخلوط  و آبگرم مصرفي و دماي آب شهر را مجددا تصحيح كنيد"));
    // 10. Pipe runs and the temperature difference.
    if (!inRange(ui->DBEdit7, ui->Label9, 10, 3000,
                 QStringLiteral("مسير رفت لوله كشي تا بالاترين سرويس بهداشتي را تصحيح كنيد"), nullptr)
        || !inRange(ui->DBEdit8, ui->Label10, 10, 3000,
                    QStringLiteral("مسير رفت لوله كشي تا بالاترين مبدل را تصحيح كنيد"), nullptr)
        || !inRange(ui->DBEdit9, ui->Label11, 10, 35,
                    QStringLiteral("اختلاف دماي آبگرم گردشي در سيستم را تصحيح كنيد"), nullptr))
        return false;
    // 11. Circulating hot water: against the use temperature first.
    int circulating = 0;
    if (!readWhole(ui->DBEdit10, ui->Label12, &circulating))
        return false;
    if (circulating < use)
        return refuse(QStringLiteral("دماي آبگرم گردشي سيستم نمي تواند كمتر از دماي آبگرم مصرفي باشد"));
    if (circulating < 100 || circulating > 300)
        return refuse(QStringLiteral("دماي آبگرم گردشي در سيستم را تصحيح كنيد"));
    // 12.
    if (!inRange(ui->DBEdit11, ui->Label13, 2, 1600, QStringLiteral("سختي آب ناچيز و قابل صرف نظر كردن است"),
                 nullptr))
        return false;
    // 13. The pressure drop: a number, one of the list's or any other.
    const QString drop = ui->ComboBox2->currentText();
    if (drop.isEmpty())
        return refuse(QStringLiteral("افت فشار در سيستم را تعيين كنيد"));
    if (!pf::strToFloat(drop, pressureDrop)) {
        refuse(QStringLiteral("%1 را به صورت عدد وارد كنيد").arg(captionText(ui->Label8)));
        ui->ComboBox2->setFocus();
        return false;
    }
    return true;
}

bool TFormT1::writeRecord(double pressureDrop)
{
    pf::db::Table *t = DM1->Table12;
    // The texts as they stand: writing one field shows every bound box
    // again from its field.
    QVector<QPair<QString, QString>> texts;
    for (pf::ui::DBEdit *box : ui->Panel2->findChildren<pf::ui::DBEdit *>())
        texts.append({box->dataField(), box->text()});
    try {
        for (const auto &[field, text] : texts)
            t->fieldByName(field).setAsString(text);
        t->fieldByName(QStringLiteral("Shproje")).setAsFloat(projectNumber());
        t->fieldByName(QStringLiteral("OfteFeshar")).setAsFloat(pressureDrop);
        t->fieldByName(QStringLiteral("NameS")).setAsString(ui->ComboBox1->currentText());
        t->fieldByName(QStringLiteral("NSakh")).setAsInteger(ui->ComboBox1->currentIndex());
        t->fieldByName(QStringLiteral("TySo")).setAsInteger(ui->ComboBox3->currentIndex());
        if (ui->ComboBox3->currentIndex() == kCityGas)
            t->fieldByName(QStringLiteral("HU")).setAsInteger(GasHeatingValue);
        t->post();
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
        return false;
    }
    return true;
}

void TFormT1::Label24Click()
{
    if (!m_edit || !DM1)
        return;
    // A box whose text is no number never leaves an older value stored.
    if (!pf::ui::boxesHoldTheirNumbers(ui->Panel2))
        return;
    double pressureDrop = 0;
    if (!saveChecks(&pressureDrop) || !writeRecord(pressureDrop))
        return;
    setBrowse();
}

// ---------------------------------------------------------------- keys

QWidget *TFormT1::nextInChain(QWidget *from) const
{
    const bool gas = ui->ComboBox3->currentIndex() == kCityGas;
    if (from == ui->ComboBox3) {
        if (!gas)
            return ui->DBEdit1;
        for (QRadioButton *b : {ui->RadioButton3, ui->RadioButton4, ui->RadioButton5})
            if (b->isChecked())
                return b;
        return nullptr;
    }
    if (from == ui->RadioButton3 || from == ui->RadioButton4 || from == ui->RadioButton5)
        return gas ? ui->DBEdit1 : nullptr;
    QWidget *const chain[] = {ui->DBEdit1,  ui->DBEdit2,  ui->DBEdit3,  ui->DBEdit4,  ui->DBEdit5,
                              ui->DBEdit6,  ui->ComboBox2, ui->DBEdit7, ui->DBEdit8,  ui->DBEdit9,
                              ui->DBEdit10, ui->DBEdit11, ui->ComboBox1, ui->DBEdit12, ui->DBEdit13,
                              ui->DBEdit14, ui->DBEdit15, ui->DBEdit16, ui->DBEdit17, ui->DBEdit18,
                              ui->DBEdit19, ui->DBEdit20, ui->DBEdit21, ui->DBEdit22, ui->DBEdit23,
                              ui->DBEdit24, ui->ComboBox3};
    const int n = int(std::size(chain));
    for (int i = 0; i < n; ++i)
        if (chain[i] == from)
            return chain[(i + 1) % n];
    return nullptr;
}

bool TFormT1::eventFilter(QObject *obj, QEvent *ev)
{
    if (ev->type() == QEvent::KeyPress && pf::ui::isEnterKey(static_cast<QKeyEvent *>(ev))) {
        QWidget *from = obj == ui->ComboBox2->lineEdit() ? ui->ComboBox2 : qobject_cast<QWidget *>(obj);
        if (QWidget *to = nextInChain(from))
            to->setFocus();
        return true;
    }
    return QDialog::eventFilter(obj, ev);
}

bool TFormT1::FormKeyDown(QKeyEvent *key)
{
    auto runIfEnabled = [](QWidget *label, void (TFormT1::*command)(), TFormT1 *page) {
        if (label->isEnabled())
            (page->*command)();
        return true;
    };
    switch (key->key()) {
    case Qt::Key_Escape:
        if (ui->Panel2->isVisibleTo(this))
            Label41Click();
        else
            createedit::askExit();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Insert:
        if (!ui->Panel1->isEnabled() || m_edit)
            return false;
        Label1Click();
        return true;
    case Qt::Key_F1:
        showUserGuide();
        return true;
    case Qt::Key_F2:
        return runIfEnabled(ui->Label24, &TFormT1::Label24Click, this);
    case Qt::Key_F3:
        // The same record check and the same modal window as Next page.
        return runIfEnabled(ui->Label45, &TFormT1::Label45Click, this);
    case Qt::Key_F4:
        return runIfEnabled(ui->Label46, &TFormT1::Label46Click, this);
    case Qt::Key_F10:
        createedit::showGlossary();
        return true;
    case Qt::Key_F11:
        createedit::showUnitTable();
        return true;
    case Qt::Key_F12:
        createedit::runCalculator(this);
        return true;
    default:
        return false;
    }
}
