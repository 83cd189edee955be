#include "boravest/building/U9.h"

#include "boravest/building/U10.h"
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

TForm9 *Form9 = nullptr;

using pf::db::DbError;
using namespace createedit;

TForm9::TForm9(QWidget *parent) : Page(parent)
{
    setupUi(this);
    setObjectName(QStringLiteral("Form9"));
    setLayoutDirection(Qt::RightToLeft);
    setFixedSize(790, 560);


    Label18->hide(); // the delete command is on the bar without action
    StringGrid1->horizontalHeader()->resizeSection(0, 100);
    StringGrid1->horizontalHeader()->resizeSection(1, 200);
    StringGrid2->horizontalHeader()->resizeSection(0, 260);

    // Every command but Exit rests at top 10; the hovered one drops to 11.
    // The delete label hovers with the others.
    m_bar = new CommandBar(this, Panel3, Panel2,
                           {{Label16, [this] { Label16Click(); }},
                            {Label17, [this] { Label17Click(); }},
                            {Label19, [this] { Bt4Click(); }},
                            {Label20, [this] { Label20Click(); }},
                            {Label21, [this] { Label21Click(); }},
                            {Label23, [this] { Label23Click(); }},
                            {Label22, [this] { Label22Click(); }}},
                           {Label18});
    Hover = m_bar->hover();
    m_bar->editOnDoubleClick(DBGrid1);
    connect(Label91, &pf::ui::ClickLabel::clicked, this, [this] { Label91Click(); });
    connect(Label92, &pf::ui::ClickLabel::clicked, this, [this] { Label92Click(); });
    connect(Label14, &pf::ui::ClickLabel::clicked, this, [this] {
        Panel5->hide();
        DBEdit6->setFocus();
    });
    connect(Label24, &pf::ui::ClickLabel::clicked, this, [this] {
        Panel6->hide();
        DBEdit10->setFocus();
    });

    // The name takes any key (up to the field's 20 characters); the numbers
    // take digits and the point, the outdoor temperature, which may lie
    // below 0 F, the minus sign too, shown after its digits as a floor
    // number's. Enter walks the inputs round.
    // Temperatures and air changes take five characters, the height four,
    // the area and the appliance gain eight ("99999.99").
    filterNumbers({DBEdit5}, pf::ui::NumberChars(pf::ui::NumberChar::Point) | pf::ui::NumberChar::Minus, 5);
    DBEdit5->setMinusAfterDigits();
    filterNumbers({DBEdit6, DBEdit10}, pf::ui::NumberChar::Point, 5);
    filterNumbers({DBEdit9}, pf::ui::NumberChar::Point, 4);
    filterNumbers({DBEdit7, DBEdit8}, pf::ui::NumberChar::Point, 8);
    e1->setMaxLength(20);
    pf::ui::keepOnOneLine(e1);
    pf::ui::installEnterChain({e1, DBEdit5, DBEdit6, DBEdit7, DBEdit8, DBEdit9, DBEdit10}, true);

    pf::ui::installKeyPreview(this, [this](QKeyEvent *k) { return FormKeyDown(k); });
    m_bar->setBrowse();
}

bool TForm9::SpaceVolume(const QString &heightText, const QString &areaText, double *volume)
{
    double height = 0, area = 0;
    if (!decimalOf(heightText, &height) || !decimalOf(areaText, &area))
        return false;
    *volume = pf::roundHalfEven(height * area);
    return true;
}

double TForm9::SurfaceInsideTemperature(double spaceTi) { return double(pf::roundToInt(spaceTi)); }

void TForm9::bindData()
{
    if (m_bound || !DM1)
        return;
    m_bound = true;
    bindHeader(DM1->DataSource4, {{DBEdit1, "Shproje"}, {DBEdit2, "Tabage"}, {DBEdit3, "Shvahed"}});
    bindInputs(DM1->DataSource4, {{DBEdit5, "To_"},
                                  {DBEdit6, "Ti_"},
                                  {DBEdit7, "A_"},
                                  {DBEdit8, "V_varm"},
                                  {DBEdit9, "Ertefa"},
                                  {DBEdit10, "Air_"}});
    DBGrid1->setDataSource(DM1->DataSource4);
    DBGrid1->setColumns({{QStringLiteral("Faza"), QStringLiteral("فضا"), 150},
                         {QStringLiteral("To_"), QStringLiteral("دماي خارج"), 80},
                         {QStringLiteral("Ti_"), QStringLiteral("دماي داخل"), 80},
                         {QStringLiteral("A_"), QStringLiteral("مساحت كف"), 90},
                         {QStringLiteral("V_varm"), QStringLiteral("باروسايل گرمازا"), 110},
                         {QStringLiteral("Ertefa"), QStringLiteral("ارتفاع"), 70},
                         {QStringLiteral("Air_"), QStringLiteral("دفعات تعويض هوا در ساعت"), 170}});
}

void TForm9::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    bindData();
    DBGrid1->setFocus();
}

void TForm9::Label16Click()
{
    bindData();
    if (m_bar->entry())
        return;
    pf::db::Table *t1 = DM1->Table1, *t3 = DM1->Table3, *t4 = DM1->Table4;
    // A space belongs to a floor-and-unit row: without one there is nothing
    // to add to.
    if (!t3->active() || t3->isEmpty())
        return;
    try {
        if (!t4->active())
            t4->open();
        e1->clear();
        AddingSpace = true;
        t4->append();
        // The project's design temperatures and the unit's floor height.
        if (t1->active() && !t1->isEmpty()) {
            t4->fieldByName(QStringLiteral("Ti_")).setValue(t1->fieldByName(QStringLiteral("Ti1")).value());
            t4->fieldByName(QStringLiteral("To_")).setValue(t1->fieldByName(QStringLiteral("To1")).value());
        }
        t4->fieldByName(QStringLiteral("Ertefa")).setValue(t3->fieldByName(QStringLiteral("Ertefa")).value());
    } catch (const DbError &err) {
        pf::ui::showMessage(err.message(), this);
        return;
    }
    m_bar->setEntry();
    e1->setFocus();
}

void TForm9::Label17Click()
{
    bindData();
    if (m_bar->entry())
        return;
    pf::db::Table *t4 = DM1->Table4;
    if (!t4->active() || t4->isEmpty())
        return;
    try {
        m_editedNo = t4->fieldByName(QStringLiteral("No")).asInteger();
        m_oldCodeNull = t4->fieldByName(QStringLiteral("Codefaza")).isNull();
        m_oldCode = t4->fieldByName(QStringLiteral("Codefaza")).asFloat();
        m_bar->setEntry();
        e1->setText(t4->fieldByName(QStringLiteral("Faza")).asString());
        AddingSpace = false;
        EditedSpaceName = e1->text();
        t4->edit();
        e1->setFocus();
    } catch (const DbError &err) {
        pf::ui::showMessage(err.message(), this);
    }
}

void TForm9::Bt4Click()
{
    bindData();
    if (!m_bar->entry())
        return;
    // No box keeps an older value behind a text that is no number.
    if (!pf::ui::boxesHoldTheirNumbers(Panel2))
        return;
    // Every number must convert before anything is stored (a name is only
    // added to the name list for a space that can be saved).
    if (!numbersConvert(this, {DBEdit5, DBEdit6, DBEdit8, DBEdit10}))
        return;
    double height = 0, area = 0;
    if (!readDecimal(this, DBEdit9, &height) || !readDecimal(this, DBEdit7, &area))
        return;
    double volume = 0;
    SpaceVolume(DBEdit9->text(), DBEdit7->text(), &volume);
    // A name of blanks only is the empty name the page takes.
    if (e1->text().trimmed().isEmpty())
        e1->clear();
    const QString name = e1->text();
    try {
        double code = 0;
        if (!spaceCode(name, &code))
            return;
        const bool unchanged = !AddingSpace && name == EditedSpaceName;
        if (!unchanged && duplicateSpace(code))
            return refuse(this, nullptr, QStringLiteral("فضا تكراري است"));
        repl(name, code, volume);
    } catch (const DbError &err) {
        pf::ui::showMessage(err.message(), this);
    }
}

bool TForm9::spaceCode(const QString &name, double *code)
{
    // The name list: a known name gives its code, a new one is added and
    // takes the next code.
    pf::db::Table *t8 = DM1->Table8;
    t8->setIndexName(QStringLiteral("IFaza"));
    if (!t8->active())
        t8->open();
    else
        t8->refresh();
    try {
        if (t8->findKey({name})) {
            *code = t8->fieldByName(QStringLiteral("Codefaza")).asFloat();
        } else {
            t8->append();
            t8->fieldByName(QStringLiteral("Faza")).setAsString(name);
            t8->post();
            t8->refresh();
            *code = t8->fieldByName(QStringLiteral("Codefaza")).asFloat();
        }
    } catch (...) {
        t8->cancel();
        t8->close();
        throw;
    }
    t8->close();
    return true;
}

bool TForm9::duplicateSpace(double code)
{
    // Within one floor-and-unit row each space name occurs once.
    pf::db::Table *t4 = DM1->Table4;
    pf::db::Database *db = DM1->Database1;
    const QString spaces = db->attachTable(QStringLiteral("bankfz.DB"));
    const double project = t4->fieldByName(QStringLiteral("Shproje")).asFloat();
    const pf::db::Database::Result r =
        db->select(QStringLiteral("SELECT No FROM %1 WHERE Shproje = ? AND Shsk = ? AND Tabage = ? AND Shvahed = ? "
                                  "AND Codefaza = ?")
                       .arg(spaces),
                   {project, project, t4->fieldByName(QStringLiteral("Tabage")).asFloat(),
                    t4->fieldByName(QStringLiteral("Shvahed")).asFloat(), code});
    for (const auto &row : r.rows)
        if (AddingSpace || row.value(0).toLongLong() != m_editedNo)
            return true;
    return false;
}

void TForm9::repl(const QString &name, double code, double volume)
{
    pf::db::Table *t4 = DM1->Table4;
    bv::data::stores::SpaceSave save;
    save.unit = {t4->fieldByName(QStringLiteral("Shproje")).asFloat(), t4->fieldByName(QStringLiteral("Shsk")).value(),
                 t4->fieldByName(QStringLiteral("Tabage")).asFloat(), t4->fieldByName(QStringLiteral("Shvahed")).asFloat()};
    if (!AddingSpace && !m_oldCodeNull)
        save.oldCode = m_oldCode;
    save.code = code;
    save.name = name;
    save.surfaceTi = SurfaceInsideTemperature(t4->fieldByName(QStringLiteral("Ti_")).asFloat());
    // A renamed space takes its surfaces along to its new code; the
    // surfaces then take the space's inside temperature. One transaction
    // with the space itself.
    bv::data::stores::saveSpace(*DM1->Database1, save, [&] {
        t4->fieldByName(QStringLiteral("Faza")).setAsString(name);
        t4->fieldByName(QStringLiteral("Codefaza")).setAsFloat(code);
        t4->fieldByName(QStringLiteral("V_")).setAsFloat(volume);
        t4->post();
    });
    t4->refresh();
    m_bar->setBrowse();
    DBGrid1->setFocus();
}

void TForm9::Label20Click()
{
    bindData();
    // The row first: a half-typed number in a bound input goes with it
    // quietly when the panel hides.
    if (DM1->Table4->active())
        DM1->Table4->cancel();
    HideGuides();
    Panel2->hide();
    m_bar->setBrowse();
    DBGrid1->setFocus();
}

void TForm9::Label21Click()
{
    bindData();
    Label20Click();
    if (!showNextPage(this, DM1->Table5, Form10))
        return;
    if (isVisible())
        DBGrid1->setFocus();
}

void TForm9::Label23Click() { close(); }

void TForm9::Label22Click() { askExit(); }

void TForm9::Label91Click()
{
    Panel5->show();
    Panel5->raise();
    DBEdit6->setFocus();
}

void TForm9::Label92Click()
{
    Panel6->show();
    Panel6->raise();
    DBEdit10->setFocus();
}

void TForm9::HideGuides()
{
    Panel5->hide();
    Panel6->hide();
}

QList<pf::db::Table *> TForm9::pageTables() const { return {DM1->Table4}; }


bool TForm9::FormKeyDown(QKeyEvent *key)
{
    switch (key->key()) {
    case Qt::Key_Escape:
        if (!Panel5->isHidden() || !Panel6->isHidden()) {
            HideGuides();
            return true;
        }
        break;
    case Qt::Key_F6:
        if (focusWidget() == DBEdit6) {
            Label91Click();
            return true;
        }
        if (focusWidget() == DBEdit10) {
            Label92Click();
            return true;
        }
        return false;
    default:
        break;
    }
    return m_bar->keyDown(key);
}
