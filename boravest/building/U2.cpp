#include "boravest/building/U2.h"

#include "boravest/building/SiteClimate.h"
#include "boravest/building/U4.h"
#include "boravest/building/U5.h"
#include "boravest/building/U8.h"
#include "boravest/data/ProgramState.h"
#include "boravest/data/Stores.h"
#include "boravest/data/UnitDm.h"
#include "platform/common/Numbers.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/DbControls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Keys.h"
#include "platform/ui/TextDirection.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QValidator>

TForm2 *Form2 = nullptr;

using namespace createedit;

namespace {

const QString kNumberAndSeparator = QStringLiteral(" عدد و مميز معتبر است");

// The project grid's columns, in order.
const QVector<pf::ui::DBGridColumn> &gridColumns()
{
    static const QVector<pf::ui::DBGridColumn> cols = [] {
        const struct {
            QString field, title;
        } c[] = {
            {QStringLiteral("SHPROJE"), QStringLiteral("شماره پروژه")},
            {QStringLiteral("NAME"), QStringLiteral("نام پروژه")},
            {QStringLiteral("DATE1"), QStringLiteral("تاريخ")},
            {QStringLiteral("SHAHR"), QStringLiteral("شهر")},
            {QStringLiteral("VAL_K"), QStringLiteral("ديوار خارجي")},
            {QStringLiteral("VAL_D"), QStringLiteral("ديوار داخلي")},
            {QStringLiteral("DOR_K"), QStringLiteral("درب خارجي")},
            {QStringLiteral("DOR_D"), QStringLiteral("درب داخلي")},
            {QStringLiteral("Win_K"), QStringLiteral("پنجره خارجي")},
            {QStringLiteral("Win_D"), QStringLiteral("پنجره داخلي")},
            {QStringLiteral("Sakf_K"), QStringLiteral("سقف خارجي")},
            {QStringLiteral("Sakf_D"), QStringLiteral("سقف داخلي")},
            {QStringLiteral("Hi"), QStringLiteral("ارتفاع از سطح دريا")},
            {QStringLiteral("Ga"), QStringLiteral("چگالي")},
            {QStringLiteral("Tg"), QStringLiteral("دماي زمين")},
            {QStringLiteral("Sf"), QStringLiteral("ضريب اطمينان")},
            {QStringLiteral("To1"), QStringLiteral("دماي خارج")},
            {QStringLiteral("Ti1"), QStringLiteral("دماي داخل")},
        };
        QVector<pf::ui::DBGridColumn> v;
        for (const auto &x : c)
            v.append({x.field, x.title, -1});
        return v;
    }();
    return cols;
}

// Window and door type codes (the chooser buttons' texts are the captions).
using building::kFirstDoorType;
using building::kFirstWindowType;
using building::kLastDoorType;
using building::kLastWindowType;

struct GuideRow {
    QString group, space, f;
};

// Recommended inside dry-bulb temperatures (F), for reference only.
const QVector<GuideRow> &guideRows()
{
    static const QVector<GuideRow> rows = {
        {QStringLiteral("مسكوني- هتل"), QStringLiteral("هال و پذيرايي"), QStringLiteral("72")},
        {QString(), QStringLiteral("آشپزخانه و \nرختشوي خانه"), QStringLiteral("66")},
        {QString(), QStringLiteral("اطاق خواب و حمام"), QStringLiteral("75-74")},
        {QString(), QStringLiteral("ناهارخوري و نشيمن"), QStringLiteral("72")},
        {QString(), QStringLiteral("توالت و دستشويي"), QStringLiteral("68")},
        {QString(), QStringLiteral("اطاق بازي"), QStringLiteral("68-65")},
        {QString(), QStringLiteral("استخر و جكوزي"), QStringLiteral("76")},
        {QStringLiteral("تجاري -صنعتي"), QStringLiteral("فروشگاه"), QStringLiteral("68-65")},
        {QString(), QStringLiteral("فضاهاي عمومي\nو اداري"), QStringLiteral("74-72")},
        {QString(), QStringLiteral("حمام هواي گرم"), QStringLiteral("120")},
        {QString(), QStringLiteral("حمام سونا"), QStringLiteral("110")},
        {QString(), QStringLiteral("كارخانه و كارگاه"), QStringLiteral("65-60")},
        {QString(), QStringLiteral("موتورخانه"), QStringLiteral("60-50")},
        {QString(), QStringLiteral("رستوران"), QStringLiteral("70")},
        {QStringLiteral("بيمارستان"), QStringLiteral("اطاق خصوصي"), QStringLiteral("74-72")},
        {QString(), QStringLiteral("اطاق عمل و جراحي"), QStringLiteral("95-70")},
        {QString(), QStringLiteral("بخش"), QStringLiteral("74-72")},
        {QString(), QStringLiteral("آشپزخانه و \nرختشوي خانه"), QStringLiteral("66")},
        {QString(), QStringLiteral("توالت و دستشويي"), QStringLiteral("68")},
        {QString(), QStringLiteral("حمام"), QStringLiteral("80-70")},
        {QString(), QStringLiteral("موتورخانه"), QStringLiteral("60-50")},
        {QStringLiteral("محيط آموزشي"), QStringLiteral("كلاس"), QStringLiteral("74-72")},
        {QString(), QStringLiteral("سالن اجتماعات"), QStringLiteral("72-68")},
        {QString(), QStringLiteral("سالن ورزش"), QStringLiteral("65-55")},
        {QString(), QStringLiteral("سالن نمايش"), QStringLiteral("75")},
        {QString(), QStringLiteral("توالت و حمام"), QStringLiteral("70")},
        {QString(), QStringLiteral("رختكن"), QStringLiteral("68-65")},
        {QString(), QStringLiteral("آبدارخانه"), QStringLiteral("66")},
        {QString(), QStringLiteral("ناهارخوري"), QStringLiteral("70-65")},
    };
    return rows;
}

// The date input takes digits and "/".
// The city input writes in lower case.
class LowerCase : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        // A city name, like any name, stands on one line.
        input = pf::ui::oneLine(input).toLower();
        return Acceptable;
    }
};

} // namespace

TForm2::TForm2(QWidget *parent) : Page(parent)
{
    setupUi(this);
    setObjectName(QStringLiteral("Form2"));
    setLayoutDirection(Qt::RightToLeft);
    setFixedSize(size());


    // The bound inputs limit their texts to their fields once the table is
    // open; the city and the number are limited here.
    de4->lineEdit()->setMaxLength(15);
    de4->setValidator(new LowerCase(de4));
    de4->setInsertPolicy(QComboBox::NoInsert);
    pf::ui::keepOnOneLine(De2);
    // The city's altitude and temperature read as they are given: "5-" as
    // the page writes a negative number, "-5" as the city form stores it.
    for (QLineEdit *display : {Edit1, Edit2})
        pf::ui::layOutByText(display);

    // Input filters and the Enter chain.
    // No input takes more than its value can need: a project number of six
    // digits, a temperature of three, a U-value of five characters
    // ("1.234"); the safety factor is held by its text field.
    filterNumbers({de1}, pf::ui::NumberChar::None, 6);
    filterNumbers({De13}, pf::ui::NumberChar::None, 3);
    filterNumbers({De14}, pf::ui::NumberChar::None);
    filterNumbers({De5, De6, DE7, De8, De9, De10, De11, De12}, pf::ui::NumberChar::Point, 5);
    pf::ui::installNumberFilter(De3, pf::ui::NumberChar::Slash, kNumberAndSeparator);
    pf::ui::installEnterChain({De3, de1, de4, De2, De13, De14, De5, De6, DE7, De8, De9, De10, De11, De12}, true);
    for (QObject *o : {static_cast<QObject *>(De5), static_cast<QObject *>(De6), static_cast<QObject *>(De11),
                       static_cast<QObject *>(De12), static_cast<QObject *>(DE7), static_cast<QObject *>(De8),
                       static_cast<QObject *>(De9), static_cast<QObject *>(De10), static_cast<QObject *>(De13),
                       static_cast<QObject *>(de4)})
        o->installEventFilter(this);
    for (int code = 1; code <= kLastDoorType; ++code) {
        QRadioButton *b = kindButton(code);
        b->installEventFilter(this);
        connect(b, &QRadioButton::clicked, this, [this, code] { ApplyPreset(code); });
    }
    pf::ui::installKeyPreview(this, [this](QKeyEvent *k) { return FormKeyDown(k); });

    // Commands.
    m_bar = new CommandBar(this, Panel4, Panel3,
                           {{Label1, [this] { Label1Click(); }},
                            {Label2, [this] { Label2Click(); }},
                            {Label3, [this] { Bt4Click(); }},
                            {Label6, [this] { Label6Click(); }},
                            {Label7, [this] { Label7Click(); }},
                            {Label8, [this] { Label8Click(); }},
                            {Label9, [this] { Label9Click(); }}});
    m_bar->editOnDoubleClick(DBGrid1);

    // U-value dialog, choosers, city and guide.
    const struct {
        pf::ui::ClickLabel *label;
        pf::ui::DBEdit *input;
        int kind;
    } uLabels[] = {{Label34, De5, 1}, {Label35, De6, 2}, {Label40, De11, 3}, {Label41, De12, 4}};
    for (const auto &u : uLabels)
        connect(u.label, &pf::ui::ClickLabel::clicked, this, [this, u] {
            u.input->setFocus();
            AskUValue(u.kind);
        });
    connect(Label36, &pf::ui::ClickLabel::clicked, this, [this] { OpenChooser(1, false); });
    connect(Label37, &pf::ui::ClickLabel::clicked, this, [this] { OpenChooser(2, false); });
    connect(Label38, &pf::ui::ClickLabel::clicked, this, [this] { OpenChooser(3, false); });
    connect(Label39, &pf::ui::ClickLabel::clicked, this, [this] { OpenChooser(4, false); });
    connect(Label75, &pf::ui::ClickLabel::clicked, this, [this] { CloseChooser(); });
    connect(Label74, &pf::ui::ClickLabel::clicked, this, [this] { CloseChooser(); });
    connect(Label42, &pf::ui::ClickLabel::clicked, this, [this] { Label42Click(); });
    connect(Label73, &pf::ui::ClickLabel::clicked, this, [this] { ShowGuide(); });
    connect(Label43, &pf::ui::ClickLabel::clicked, this, [this] { HideGuide(); });
    connect(de4, &QComboBox::textActivated, this, [this] { LookUpCity(true); });

    // The indoor temperature guide: group, space, F; each group's name
    // spans its rows.
    const QVector<GuideRow> &rows = guideRows();
    Grid8->setColumnCount(3);
    Grid8->setRowCount(int(rows.size()));
    Grid8->horizontalHeader()->hide();
    Grid8->verticalHeader()->hide();
    Grid8->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid8->setSelectionMode(QAbstractItemView::NoSelection);
    Grid8->setFocusPolicy(Qt::NoFocus);
    Grid8->setWordWrap(true);
    Grid8->verticalHeader()->setMinimumSectionSize(10);
    int groupStart = 0;
    for (int r = 0; r < rows.size(); ++r) {
        const GuideRow &g = rows[r];
        if (!g.group.isEmpty()) {
            if (r > groupStart + 1)
                Grid8->setSpan(groupStart, 0, r - groupStart, 1);
            groupStart = r;
        }
        const QString cells[3] = {g.group, g.space, g.f};
        for (int c = 0; c < 3; ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(c == 2 ? Qt::Alignment(Qt::AlignCenter) : (Qt::AlignRight | Qt::AlignVCenter));
            Grid8->setItem(r, c, item);
        }
        Grid8->setRowHeight(r, g.space.contains(QLatin1Char('\n')) ? 38 : 15);
    }
    if (rows.size() > groupStart + 1)
        Grid8->setSpan(groupStart, 0, int(rows.size()) - groupStart, 1);
    Grid8->setColumnWidth(0, 120);
    Grid8->setColumnWidth(1, 200);
    Grid8->horizontalHeader()->setStretchLastSection(true);

    setBrowse();
}

// ---------------------------------------------------------------- climate

double TForm2::Chegali(double altitudeFt, double outdoorF) { return building::Chegali(altitudeFt, outdoorF); }

double TForm2::Damaz(double outdoorF) { return building::Damaz(outdoorF); }

QString TForm2::signToEnd(const QString &text)
{
    if (!text.contains(QLatin1Char('-')))
        return text;
    QString t = text;
    t.remove(QLatin1Char('-'));
    return t + QLatin1Char('-');
}

void TForm2::ConvEdit1() { Edit1->setText(signToEnd(Edit1->text())); }

void TForm2::ConvEdit2() { Edit2->setText(signToEnd(Edit2->text())); }

QRadioButton *TForm2::kindButton(int code) const
{
    static QRadioButton *Ui::TForm2::*const buttons[] = {
        &Ui::TForm2::RadioButton1,  &Ui::TForm2::RadioButton2,  &Ui::TForm2::RadioButton3,  &Ui::TForm2::RadioButton4,
        &Ui::TForm2::RadioButton5,  &Ui::TForm2::RadioButton6,  &Ui::TForm2::RadioButton7,  &Ui::TForm2::RadioButton8,
        &Ui::TForm2::RadioButton9,  &Ui::TForm2::RadioButton10, &Ui::TForm2::RadioButton11, &Ui::TForm2::RadioButton12,
        &Ui::TForm2::RadioButton13};
    return code >= 1 && code <= kLastDoorType ? this->*buttons[code - 1] : nullptr;
}

QString TForm2::KindCaption(int code)
{
    if (code < 1 || code > kLastDoorType || !Form2)
        return QString();
    return Form2->kindButton(code)->text();
}

QString TForm2::KindUValue(int code)
{
    return building::openingUText(code);
}

// ---------------------------------------------------------------- state

void TForm2::setBrowse()
{
    // Leaving the entry first, so that inputs losing the focus as the
    // panels hide do not react.
    m_bar->setBrowse();
    Panel8->hide();
    Panel1->hide();
    Panel2->hide();
    Panel3->setEnabled(true);
    Panel5->setEnabled(true);
    DBGrid1->setFocus();
}

void TForm2::setEntry()
{
    m_bar->setEntry();
    m_bar->hover()->restoreAll();
}

void TForm2::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    FormActivate();
    if (!m_bar->entry())
        setBrowse();
}

void TForm2::changeEvent(QEvent *e)
{
    QDialog::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        FormActivate();
}

void TForm2::FormActivate()
{
    if (!DM1)
        return;
    if (DBGrid1->dataSource() != DM1->DataSource1) {
        // The data module is made after this form; bind on first use.
        DBGrid1->setDataSource(DM1->DataSource1);
        DBGrid1->setColumns(gridColumns());
        bindInputs(DM1->DataSource1, {{De3, "DATE1"},
                                      {De2, "NAME"},
                                      {De13, "Ti1"},
                                      {De14, "Sf"},
                                      {De5, "VAL_K"},
                                      {De6, "VAL_D"},
                                      {DE7, "Win_K"},
                                      {De8, "Win_D"},
                                      {De9, "DOR_K"},
                                      {De10, "DOR_D"},
                                      {De11, "Sakf_K"},
                                      {De12, "Sakf_D"}});
    }
    Panel1->raise();
    Panel2->raise();
    try {
        if (!DM1->Table1->active())
            DM1->Table1->open();
        DM1->Table7->open();
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
    }
}


QList<pf::db::Table *> TForm2::pageTables() const { return {DM1->Table1, DM1->Table7}; }

// ---------------------------------------------------------------- commands

void TForm2::Label1Click()
{
    FormActivate();
    Panel4->setEnabled(false);
    de1->setText(QStringLiteral("0"));
    de4->setEditText(QStringLiteral("0"));
    Edit1->setText(QStringLiteral("0"));
    Edit2->setText(QStringLiteral("0"));
    AddingProject = true;
    m_heldLayers.clear();
    setEntry();
    try {
        DM1->Table1->append();
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
        setBrowse();
        return;
    }
    De3->setFocus();
}

void TForm2::Label2Click()
{
    FormActivate();
    pf::db::Table *t = DM1->Table1;
    if (!t->active() || t->isEmpty())
        return; // no project to edit
    AddingProject = false;
    m_heldLayers.clear();
    Panel4->setEnabled(false);
    try {
        t->edit();
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
        setBrowse();
        return;
    }
    m_editedNumber = t->fieldByName(QStringLiteral("SHPROJE")).asFloat();
    de1->setText(QString::number(pf::roundToInt(m_editedNumber)));
    const QString city = t->fieldByName(QStringLiteral("SHAHR")).asString();
    de4->setEditText(city);
    if (findCity(city))
        fillCityDisplays(true);
    EditedProjectNumber = de1->text();
    setEntry();
    De3->setFocus();
}

void TForm2::Label6Click()
{
    setBrowse();
    if (DM1 && DM1->Table1->active())
        DM1->Table1->cancel();
    m_heldLayers.clear();
}

void TForm2::Label7Click()
{
    if (m_bar->entry())
        Label6Click();
    try {
        DM1->Table3->setIndexName(QStringLiteral("idxvh"));
        DM1->Table3->open();
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
        return;
    }
    pf::ui::showModal(Form8);
}

void TForm2::Label8Click() { pf::ui::endModal(this, QDialog::Rejected); }

void TForm2::Label9Click()
{
    try {
        DM1->Table3->open();
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
    }
    askExit();
}

// ---------------------------------------------------------------- save

void TForm2::Bt4Click()
{
    if (!m_bar->entry())
        return;
    // 1. Empty inputs count 0 (the name stays as it is).
    for (QLineEdit *e : {static_cast<QLineEdit *>(De3), de1, de4->lineEdit(), static_cast<QLineEdit *>(De5),
                         static_cast<QLineEdit *>(De6), static_cast<QLineEdit *>(DE7), static_cast<QLineEdit *>(De8),
                         static_cast<QLineEdit *>(De9), static_cast<QLineEdit *>(De10), static_cast<QLineEdit *>(De11),
                         static_cast<QLineEdit *>(De12), static_cast<QLineEdit *>(De13), static_cast<QLineEdit *>(De14),
                         Edit1, Edit2})
        if (e->text().isEmpty())
            e->setText(QStringLiteral("0"));

    // No box keeps an older value behind a text that is no number.
    if (!pf::ui::boxesHoldTheirNumbers(Panel3))
        return;
    // A text that is no number stops the save with the inputs' message.
    // 2. Inside design temperature.
    double ti = 0;
    if (!readNumber(this, De13, &ti))
        return;
    if (ti < 50 || ti > 110)
        return refuse(this, nullptr, QStringLiteral("دماي طرح داخل را تصحيح كنيد"));
    // 3. Safety factor, as a whole number.
    double sfValue = 0;
    if (!pf::strToFloat(De14->text(), &sfValue))
        return refuse(this, De14, numberRefusal());
    const int64_t sf = pf::roundToInt(sfValue);
    if (sf < 0 || sf > 100)
        return refuse(this, nullptr, QStringLiteral("ضريب اطمينان را تصحيح كنيد"));
    // 4. The U-values, walls, windows, doors, roofs.
    for (QLineEdit *e : {static_cast<QLineEdit *>(De5), static_cast<QLineEdit *>(De6), static_cast<QLineEdit *>(DE7),
                         static_cast<QLineEdit *>(De8), static_cast<QLineEdit *>(De9), static_cast<QLineEdit *>(De10),
                         static_cast<QLineEdit *>(De11), static_cast<QLineEdit *>(De12)}) {
        double u = 0;
        if (!readNumber(this, e, &u))
            return;
        if (u < 0 || u > 2)
            return refuse(this, nullptr, QStringLiteral("ضريب هدايت هرارتي جداره ها را تصحيح كنيد"));
    }
    // 5. The city and its climate.
    const QString city = de4->currentText();
    if (!findCity(city))
        return refuse(this, nullptr, QStringLiteral("شهر و مشخصات مربوط به آن را وارد كنيد"));
    int altitude = 0;
    double outdoor = 0;
    try {
        altitude = int(pf::roundToInt(DM1->Table7->fieldByName(QStringLiteral("Ertefa")).asFloat()));
        outdoor = DM1->Table7->fieldByName(QStringLiteral("Dama_kd")).asFloat();
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
        return;
    }
    // 6. The project number, as a whole number.
    int64_t project = 0;
    if (!pf::strToInt(QStringLiteral("0") + de1->text(), &project))
        return refuse(this, de1, numberRefusal());
    if (project < 1)
        return refuse(this, nullptr, QStringLiteral("پس از وارد كردن شماره پروژه داده ها را ذخيره كنيد"));
    // 7. Another project with this number ("07" is project 7).
    if (AddingProject || double(project) != m_editedNumber) {
        bool found = false;
        try {
            DM1->Table9->open();
            found = DM1->Table9->locate(QStringLiteral("SHPROJE"), {double(project)});
            DM1->Table9->close();
        } catch (const pf::db::DbError &e) {
            DM1->Table9->close();
            pf::ui::showMessage(e.message(), this);
            return;
        }
        if (found)
            return refuse(this, nullptr, QStringLiteral("ركورد تكراري است"));
    }
    // 8.-9. Derived climate values, then the record.
    if (!saveRecord(double(project), altitude, outdoor))
        return;
    // 10.
    setBrowse();
}

bool TForm2::saveRecord(double number, int altitude, double outdoor)
{
    pf::db::Table *t = DM1->Table1;
    const double ga = Chegali(altitude, outdoor);
    const double tg = Damaz(outdoor);
    // The texts as they stand now: writing one field shows every bound
    // input again from its field.
    // A name of blanks only is the empty name the page takes.
    if (De2->text().trimmed().isEmpty())
        De2->clear();
    QVector<QPair<pf::ui::DBEdit *, QString>> texts;
    for (pf::ui::DBEdit *e : {De3, De2, De13, De14, De5, De6, DE7, De8, De9, De10, De11, De12})
        texts.append({e, e->text()});
    const QString city = de4->currentText();
    try {
        for (const auto &[edit, text] : texts)
            t->fieldByName(edit->dataField()).setAsString(text);
        t->fieldByName(QStringLiteral("SHPROJE")).setAsFloat(number);
        t->fieldByName(QStringLiteral("SHAHR")).setAsString(city);
        t->fieldByName(QStringLiteral("Hi")).setAsFloat(altitude);
        t->fieldByName(QStringLiteral("Ga")).setAsFloat(ga);
        t->fieldByName(QStringLiteral("Tg")).setAsFloat(tg);
        t->fieldByName(QStringLiteral("To1")).setAsFloat(outdoor);
        // The record goes in with the rows that hang on its number (a
        // changed number) or with its held material layers (a new project).
        pf::db::Database &db = *DM1->Database1;
        if (AddingProject) {
            // Both files attached first: the transaction can attach none.
            for (const char *file : {"Bank1.DB", "TypMas.DB"})
                db.attachTable(QString::fromLatin1(file));
            db.transaction([&] {
                for (auto it = m_heldLayers.cbegin(); it != m_heldLayers.cend(); ++it)
                    TForm4::StoreLayers(number, it.key(), it.value());
                t->post();
            });
        } else if (number != m_editedNumber) {
            bv::data::stores::changeProjectNumber(db, m_editedNumber, number, [t] { t->post(); });
        } else {
            t->post();
        }
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
        return false;
    }
    m_heldLayers.clear();
    return true;
}

// ---------------------------------------------------------------- city

bool TForm2::findCity(const QString &name)
{
    if (!DM1 || name.trimmed().isEmpty())
        return false;
    try {
        DM1->Table7->open();
        return DM1->Table7->locate(QStringLiteral("Name_shahr"), {name});
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
        return false;
    }
}

void TForm2::fillCityDisplays(bool signAtEnd)
{
    Edit1->setText(DM1->Table7->fieldByName(QStringLiteral("Ertefa")).asString());
    Edit2->setText(DM1->Table7->fieldByName(QStringLiteral("Dama_kd")).asString());
    if (signAtEnd) {
        ConvEdit1();
        ConvEdit2();
    }
}

void TForm2::LookUpCity(bool askNew)
{
    const QString name = de4->currentText();
    if (m_inLookUp || name.trimmed().isEmpty())
        return;
    m_inLookUp = true;
    if (findCity(name)) {
        fillCityDisplays(true);
    } else if (askNew) {
        pf::ui::showMessage(QStringLiteral("مختصات شهر جديد را وارد كنيد"), this);
        pf::ui::showModal(Form5);
    }
    m_inLookUp = false;
}

void TForm2::Label42Click()
{
    if (de4->currentText().trimmed().isEmpty()) {
        pf::ui::showMessage(QStringLiteral("نام شهر را وارد كنيد"), this);
        return;
    }
    pf::ui::showModal(Form5);
}

// ---------------------------------------------------------------- choosers

bool TForm2::chooserShown() const { return Panel1->isVisibleTo(this) || Panel2->isVisibleTo(this); }

pf::ui::DBEdit *TForm2::presetInput(int target) const
{
    switch (target) {
    case 1: return DE7;
    case 2: return De8;
    case 3: return De9;
    case 4: return De10;
    default: return nullptr;
    }
}

QString TForm2::presetCodeField(int target) const
{
    switch (target) {
    case 1: return QStringLiteral("W_K");
    case 2: return QStringLiteral("W_D");
    case 3: return QStringLiteral("D_K");
    case 4: return QStringLiteral("D_D");
    default: return QString();
    }
}

void TForm2::OpenChooser(int target, bool byKey)
{
    if (target < 1 || target > 4 || !m_bar->entry())
        return;
    PresetTarget = target;
    const bool windows = target <= 2;
    QFrame *panel = windows ? Panel1 : Panel2;
    const int first = windows ? kFirstWindowType : kFirstDoorType;
    const int last = windows ? kLastWindowType : kLastDoorType;
    Panel3->setEnabled(false);
    Panel5->setEnabled(false);
    int code = 0;
    try {
        code = DM1->Table1->fieldByName(presetCodeField(target)).asInteger();
    } catch (const pf::db::DbError &) {
        code = 0;
    }
    // Mark this side's stored type; no mark when none was chosen.
    for (int c = first; c <= last; ++c) {
        kindButton(c)->setAutoExclusive(false);
        kindButton(c)->setChecked(c == code);
        kindButton(c)->setAutoExclusive(true);
    }
    panel->show();
    panel->raise();
    QRadioButton *focus = kindButton(first);
    if (!byKey && code >= first && code <= last)
        focus = kindButton(code);
    focus->setFocus();
}

void TForm2::CloseChooser()
{
    Panel1->hide();
    Panel2->hide();
    Panel3->setEnabled(true);
    Panel5->setEnabled(true);
    if (pf::ui::DBEdit *input = presetInput(PresetTarget))
        input->setFocus();
}

void TForm2::ApplyPreset(int code)
{
    pf::ui::DBEdit *input = presetInput(PresetTarget);
    if (!input || code < 1 || code > kLastDoorType)
        return;
    const bool windowTarget = PresetTarget <= 2;
    if (windowTarget != (code <= kLastWindowType))
        return;
    setInputText(input, KindUValue(code));
    try {
        if (DM1->Table1->state() == pf::db::DatasetState::Edit || DM1->Table1->state() == pf::db::DatasetState::Insert)
            DM1->Table1->fieldByName(presetCodeField(PresetTarget)).setAsInteger(code);
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
    }
}

void TForm2::setInputText(pf::ui::DBEdit *input, const QString &text)
{
    input->setText(text);
    pf::db::Field *f = input->field();
    if (!f || !input->editing())
        return;
    try {
        f->setAsString(text);
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
    }
}

// ---------------------------------------------------------------- U-value

void TForm2::AskUValue(int kind)
{
    const struct {
        pf::ui::DBEdit *input;
        const char *name;
        QString caption;
    } targets[5] = {{nullptr, "", QString()},
                    {De5, "de5", QStringLiteral("ديوار خارجي")},
                    {De6, "de6", QStringLiteral("ديوار داخلي")},
                    {De11, "de11", QStringLiteral("سقف خارجي")},
                    {De12, "de12", QStringLiteral("سقف داخلي")}};
    if (kind < 1 || kind > 4 || !m_bar->entry())
        return;
    UValueRequest.CallerName = QStringLiteral("Form2");
    UValueRequest.TargetName = QString::fromLatin1(targets[kind].name);
    UValueRequest.Kind = int8_t(kind);
    UValueRequest.Key = building::kAnswerEsc;
    Form4->Label23->setText(targets[kind].caption);
    pf::ui::showModal(Form4);
    if (UValueRequest.Key == building::kAnswerEnter)
        setInputText(targets[kind].input, pf::floatToStr(UValueRequest.U));
    targets[kind].input->setFocus();
}

bool TForm2::HoldsLayers() const { return m_bar->entry() && AddingProject; }

QStringList TForm2::HeldLayers(int kind) const { return m_heldLayers.value(kind); }

void TForm2::HoldLayers(int kind, const QStringList &texts) { m_heldLayers[kind] = texts; }

double TForm2::LayersProject() const
{
    if (m_bar->entry() && !AddingProject)
        return m_editedNumber;
    int64_t n = 0;
    if (!pf::strToInt(QStringLiteral("0") + de1->text(), &n))
        n = 0;
    return double(n);
}

// ---------------------------------------------------------------- guide

void TForm2::ShowGuide()
{
    if (!Panel8->isVisibleTo(this)) {
        Panel8->show();
        Panel8->raise();
    }
    De13->setFocus();
}

void TForm2::HideGuide()
{
    Panel8->hide();
    De13->setFocus();
}

// ---------------------------------------------------------------- keys

bool TForm2::FormKeyDown(QKeyEvent *key)
{
    switch (key->key()) {
    case Qt::Key_Insert:
        // New acts while Edit is enabled; otherwise the key goes on to the
        // input.
        if (!Label2->isEnabled())
            return false;
        break;
    case Qt::Key_Escape:
        if (Panel8->isVisibleTo(this)) {
            HideGuide();
            return true;
        }
        if (chooserShown()) {
            CloseChooser();
            return true;
        }
        break;
    default:
        break;
    }
    return m_bar->keyDown(key);
}

bool TForm2::InputKeyDown(QObject *input, QKeyEvent *key)
{
    const bool cityInput = input == de4;
    if (key->key() == Qt::Key_F5) {
        if (input == De5)
            AskUValue(1);
        else if (input == De6)
            AskUValue(2);
        else if (input == De11)
            AskUValue(3);
        else if (input == De12)
            AskUValue(4);
        else if (input == DE7)
            OpenChooser(1, true);
        else if (input == De8)
            OpenChooser(2, true);
        else if (input == De9)
            OpenChooser(3, true);
        else if (input == De10)
            OpenChooser(4, true);
        else if (cityInput)
            LookUpCity(false);
        else
            return false;
        return true;
    }
    if (key->key() == Qt::Key_F6 && input == De13) {
        ShowGuide();
        return true;
    }
    for (int code = 1; code <= kLastDoorType; ++code) {
        if (input != kindButton(code))
            continue;
        if (pf::ui::isEnterKey(key)) {
            ApplyPreset(code);
            CloseChooser();
            return true;
        }
        if (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up) {
            // As in any group of option buttons, an arrow moves to the next
            // (or previous) type of the chooser, round the end, and checks it.
            const bool windows = code <= kLastWindowType;
            const int first = windows ? kFirstWindowType : kFirstDoorType;
            const int last = windows ? kLastWindowType : kLastDoorType;
            int to = key->key() == Qt::Key_Down ? code + 1 : code - 1;
            if (to > last)
                to = first;
            if (to < first)
                to = last;
            kindButton(to)->setFocus();
            kindButton(to)->click();
            return true;
        }
        return false;
    }
    return false;
}

bool TForm2::eventFilter(QObject *obj, QEvent *ev)
{
    switch (ev->type()) {
    case QEvent::KeyPress:
        if (InputKeyDown(obj, static_cast<QKeyEvent *>(ev)))
            return true;
        break;
    case QEvent::MouseButtonDblClick:
        for (int code = 1; code <= kLastDoorType; ++code)
            if (obj == kindButton(code)) {
                ApplyPreset(code);
                CloseChooser();
                return true;
            }
        break;
    case QEvent::FocusOut:
        // Leaving the city input looks the city up; a city that is not
        // known leads to the city form. Not while the entry closes, nor when
        // the focus only goes to the city list's popup or another window
        // (a message box, a dialog).
        if (obj == de4 && m_bar->entry() && Panel3->isEnabled() && !de4->hasFocus()) {
            const Qt::FocusReason why = static_cast<QFocusEvent *>(ev)->reason();
            if (why != Qt::PopupFocusReason && why != Qt::ActiveWindowFocusReason)
                LookUpCity(true);
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(obj, ev);
}
