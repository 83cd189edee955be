#include "boravest/building/U8.h"

#include "boravest/building/U9.h"
#include "boravest/data/Stores.h"
#include "boravest/data/UnitDm.h"
#include "platform/common/Numbers.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/DbControls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Keys.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTableWidget>

TForm8 *Form8 = nullptr;

using pf::db::DbError;

using namespace createedit;

TForm8::TForm8(QWidget *parent) : Page(parent)
{
    setupUi(this);
    setObjectName(QStringLiteral("Form8"));
    setLayoutDirection(Qt::RightToLeft);
    setFixedSize(790, 560);


    // The delete command exists on the bar but does nothing.
    Label18->hide();
    StringGrid1->horizontalHeader()->resizeSection(0, 200);

    // The delete label hovers with the others.
    m_bar = new CommandBar(this, Panel4, Panel3,
                           {{Label16, [this] { Label16Click(); }},
                            {Label17, [this] { Label17Click(); }},
                            {Label19, [this] { Bt3Click(); }},
                            {Label20, [this] { Label20Click(); }},
                            {Label21, [this] { Label21Click(); }},
                            {Label23, [this] { Label23Click(); }},
                            {Label22, [this] { Label22Click(); }}},
                           {Label18});
    Hover = m_bar->hover();
    connect(Label38, &pf::ui::ClickLabel::clicked, this, [this] { Label38Click(); });
    connect(Label40, &pf::ui::ClickLabel::clicked, this, [this] { HideGuide(); });

    // Every input takes digits and the minus sign; Enter walks them in
    // order and stops at the last. The floor number takes its sign anywhere
    // (leaving the input moves it into place); the others at either end.
    // The floor height, a decimal field, takes the point too (a floor of
    // 9.5 ft); the factors are read as whole numbers and take none.
    // Each takes what its value can need: a floor number, height and
    // factors of three or four characters, a unit number of four.
    filterNumbers({Edit1}, pf::ui::NumberChar::MinusAnywhere, 3);
    filterNumbers({De7, De4}, pf::ui::NumberChar::Minus, 3);
    filterNumbers({DE2}, pf::ui::NumberChar::Minus, 4);
    filterNumbers({De6}, pf::ui::NumberChars(pf::ui::NumberChar::Minus) | pf::ui::NumberChar::Point, 4);
    pf::ui::installEnterChain({Edit1, DE2, De6, De7, De4}, false);
    // A floor number shows its sign after the digits once the input is left.
    connect(Edit1, &QLineEdit::editingFinished, this, [this] {
        const QString t = minusToEnd(Edit1->text());
        if (t != Edit1->text())
            Edit1->setText(t);
    });

    pf::ui::installKeyPreview(this, [this](QKeyEvent *k) { return FormKeyDown(k); });
    m_bar->setBrowse();
}

bool TForm8::StrToIntmenha(QString &text, int &number)
{
    if (text.isEmpty()) {
        text = QStringLiteral("0");
        number = 0;
        return true;
    }
    const int minus = text.indexOf(QLatin1Char('-'));
    int n = 0;
    if (minus < 0) {
        if (!wholeOf(text, &n))
            return false;
        number = n;
        return true;
    }
    QString rest = text;
    rest.remove(minus, 1);
    // Only the first sign is taken out: a second one is no number.
    if (rest.contains(QLatin1Char('-')) || !wholeOf(rest, &n))
        return false;
    if (n > 0) {
        number = -n;
        text = rest + QLatin1Char('-');
    } else {
        number = 0;
        text = QStringLiteral("0");
    }
    return true;
}

QString TForm8::floorText(int floor)
{
    return floor < 0 ? QString::number(-qint64(floor)) + QLatin1Char('-') : QString::number(floor);
}

QString TForm8::minusToEnd(const QString &text)
{
    if (text == QLatin1String(" "))
        return text;
    return pf::minusToEnd(text);
}

void TForm8::bindData()
{
    if (m_bound || !DM1)
        return;
    m_bound = true;
    bindHeader(DM1->DataSource1, {{DBEdit2, "SHPROJE"}, {DBEdit3, "NAME"}, {DBEdit4, "SHAHR"}});
    bindInputs(DM1->DataSource3, {{De6, "Ertefa"}, {De7, "Z_ertefa"}, {De4, "Sf"}});
    DBGrid1->setDataSource(DM1->DataSource3);
    DBGrid1->setColumns({{QStringLiteral("NameT"), QStringLiteral("شماره طبقه"), 150},
                         {QStringLiteral("Shvahed"), QStringLiteral("شماره واحد"), 120},
                         {QStringLiteral("Ertefa"), QStringLiteral("ارتفاع طبقه"), 120},
                         {QStringLiteral("Z_ertefa"), QStringLiteral("ضريب ارتفاع"), 120},
                         {QStringLiteral("Sf"), QStringLiteral("ضريب اطمينان"), 120}});
}

void TForm8::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    FormActivate();
}

void TForm8::FormActivate()
{
    bindData();
    openTable(this, DM1->Table3);
    DBGrid1->setFocus();
}

void TForm8::Label16Click()
{
    bindData();
    if (m_bar->entry())
        return;
    pf::db::Table *t1 = DM1->Table1, *t3 = DM1->Table3;
    // Rows belong to a project: without one there is nothing to add to.
    if (!t1->active() || t1->isEmpty())
        return;
    try {
        if (!t3->active())
            t3->open();
        t3->append();
        // The unit starts with the project's safety factor.
        const QString sf = t1->fieldByName(QStringLiteral("Sf")).asString();
        double d = 0;
        if (pf::strToFloat(sf, &d))
            t3->fieldByName(QStringLiteral("Sf")).setAsFloat(d);
    } catch (const DbError &err) {
        pf::ui::showMessage(err.message(), this);
        return;
    }
    m_bar->setEntry();
    AddingUnit = true;
    Edit1->clear();
    DE2->clear();
    Edit1->setFocus();
}

void TForm8::Label17Click()
{
    bindData();
    if (m_bar->entry())
        return;
    pf::db::Table *t3 = DM1->Table3;
    if (!t3->active() || t3->isEmpty())
        return;
    try {
        m_editedNo = t3->fieldByName(QStringLiteral("No")).asInteger();
        m_oldFloor = t3->fieldByName(QStringLiteral("Tabage")).asFloat();
        m_oldUnit = t3->fieldByName(QStringLiteral("Shvahed")).asFloat();
        m_oldShskNull = t3->fieldByName(QStringLiteral("Shsk")).isNull();
        m_oldShsk = t3->fieldByName(QStringLiteral("Shsk")).asFloat();
        m_bar->setEntry();
        AddingUnit = false;
        DE2->setText(t3->fieldByName(QStringLiteral("Shvahed")).asString());
        Edit1->setText(floorText(int(pf::roundToInt(m_oldFloor))));
        EditedFloorText = Edit1->text();
        EditedUnitText = DE2->text();
        Edit1->setFocus();
        t3->edit();
    } catch (const DbError &err) {
        pf::ui::showMessage(err.message(), this);
    }
}

void TForm8::Bt3Click()
{
    bindData();
    if (!m_bar->entry())
        return;
    // The floor height, which Save does not read, keeps no older value
    // behind a text that is no number (the floor number follows its own
    // reading).
    if (!pf::ui::boxesHoldTheirNumbers(this, {De6}))
        return;
    int unit = 0, sf = 0, heightFactor = 0;
    if (!readWhole(this, DE2, &unit))
        return;
    if (unit < 1)
        return refuse(this, nullptr, QStringLiteral("شماره واحد را وارد كنيد"));
    if (!readWhole(this, De4, &sf))
        return;
    if (sf < 0 || sf > 100)
        return refuse(this, nullptr, QStringLiteral("ضريب اطمينان را تصحيح كنيد"));
    if (!readWhole(this, De7, &heightFactor))
        return;
    if (heightFactor < 0 || heightFactor > 100)
        return refuse(this, nullptr, QStringLiteral("ضريب ارتفاع را تصحيح كنيد"));
    if (!numbersConvert(this, {De6}))
        return;
    try {
        pf::db::Table *t6 = DM1->Table6;
        t6->setIndexName(QStringLiteral("IPSTV"));
        if (!t6->active())
            t6->open();
        QString text = Edit1->text();
        int floor = 0;
        if (!StrToIntmenha(text, floor))
            return refuse(this, Edit1, numberRefusal());
        Edit1->setText(text);
        const double project = DM1->Table1->fieldByName(QStringLiteral("SHPROJE")).asFloat();
        const bool unchanged = !AddingUnit && Edit1->text() == EditedFloorText && DE2->text() == EditedUnitText;
        if (!unchanged && t6->findKey({project, project, double(floor), double(unit)})) {
            // The row being edited is no duplicate of itself.
            const bool self = !AddingUnit && t6->fieldByName(QStringLiteral("No")).asInteger() == m_editedNo;
            if (!self)
                return refuse(this, nullptr, QStringLiteral("ركورد تكراري است"));
        }
        writeRow(project, floor, unit);
    } catch (const DbError &err) {
        pf::ui::showMessage(err.message(), this);
    }
}

void TForm8::writeRow(double project, int floor, int unit)
{
    pf::db::Table *t3 = DM1->Table3;
    auto post = [&] {
        t3->fieldByName(QStringLiteral("Shsk")).setAsFloat(project);
        t3->fieldByName(QStringLiteral("Shvahed")).setAsFloat(unit);
        t3->fieldByName(QStringLiteral("Tabage")).setAsFloat(floor);
        t3->post();
    };
    // A saved row whose floor or unit number changes takes its spaces and
    // surfaces along, in the same transaction as the row itself.
    const bool moved = !AddingUnit && (double(floor) != m_oldFloor || double(unit) != m_oldUnit);
    if (moved) {
        const bv::data::stores::UnitKey from{t3->fieldByName(QStringLiteral("Shproje")).asFloat(),
                                             m_oldShskNull ? QVariant() : QVariant(m_oldShsk), m_oldFloor, m_oldUnit};
        bv::data::stores::changeUnitNumber(*DM1->Database1, from, floor, unit, post);
    } else {
        post();
    }
    t3->refresh();
    m_bar->setBrowse();
    DBGrid1->setFocus();
}

void TForm8::Label20Click()
{
    bindData();
    // The row first: a half-typed number in a bound input goes with it
    // quietly when the panel hides.
    if (DM1->Table3->active())
        DM1->Table3->cancel();
    Panel7->hide();
    Panel3->hide();
    m_bar->setBrowse();
    DBGrid1->setFocus();
}

void TForm8::Label21Click()
{
    bindData();
    Label20Click();
    if (!showNextPage(this, DM1->Table4, Form9))
        return;
    // Back from the spaces page: this page is active again (unless the
    // whole chain was closed from the last page).
    if (isVisible())
        FormActivate();
}

void TForm8::Label23Click() { close(); }

void TForm8::Label22Click() { askExit(); }

void TForm8::Label38Click()
{
    Panel7->show();
    Panel7->raise();
    De7->setFocus();
}

void TForm8::HideGuide()
{
    Panel7->hide();
    De7->setFocus();
}

QList<pf::db::Table *> TForm8::pageTables() const { return {DM1->Table3}; }


bool TForm8::FormKeyDown(QKeyEvent *key)
{
    switch (key->key()) {
    case Qt::Key_Escape:
        if (!Panel7->isHidden()) {
            HideGuide();
            return true;
        }
        break;
    case Qt::Key_F6:
        if (focusWidget() == De7) {
            Label38Click();
            return true;
        }
        return false;
    default:
        break;
    }
    return m_bar->keyDown(key);
}
