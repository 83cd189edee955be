// Per-space pages: steel radiators, unit heaters, warm-air furnaces, extract fans.
//
// The three heating pages choose their spaces in grids over the window's
// `Table1` (the spaces of the project), the extract-fan page in a grid over
// `Table3`. A space has radiators or unit heaters, never both: the choice is
// checked when a row is clicked, whenever the unit-heater grid moves to
// another row, and again before a space row is posted.
#include "boravest/equipment/U_15.h"

#include "ui_U_15.h"
#include "ui_U_15PPGRad.h"
#include "ui_U_15PPGUH.h"
#include "ui_U_15PKore.h"
#include "ui_U_15PHavPD.h"

#include "boravest/building/EntryPage.h"
#include "boravest/data/ProgramState.h"
#include "boravest/data/UnitDm.h"
#include "boravest/sizing/Catalogues.h"
#include "platform/common/Numbers.h"
#include "platform/db/Table.h"
#include "platform/ui/Colors.h"
#include "platform/ui/DbControls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Keys.h"

#include <QHeaderView>

#include <algorithm>
#include <QKeyEvent>

using namespace bv::sizing;

namespace {

const char *const kUnitHeatersChosen = "براي اين فضا يونيت هيتر انتخاب شده است";
const char *const kRadiatorsChosen = "براي اين فضا رادياتور انتخاب شده است";
const char *const kWholeOnly = " عدد صحيح معتبر است";
const char *const kNumberOnly = " عدد معتبر است";
const char *const kAirSharesMessage = "درصد مقادير هواي برگشتي و تازه تصحيح شود";
const char *const kRadiatorWaterCaption = ":(gal)كل حجم آب رادياتورها";
const char *const kRadiatorSurfaceCaption = ":(Sq.m)كل سطح حرارتي رادياتورها";
const char *const kFurnaceCaptions[4] = {":ضريب كيفيت عايق كاري كانالها", ":(CFM) هواي گرم مورد نياز فضاها",
                                         ":(Btu/h) قدرت حرارتي هيتر",
                                         ".سايز و توان فن به افت فشار كل بستگي دارد "};

QString u8(const char *s) { return QString::fromUtf8(s); }

int wholeOf(const pf::db::Field &f) { return int(pf::roundToInt(f.asFloat())); }

bool editing(const pf::db::Dataset *t)
{
    return t && (t->state() == pf::db::DatasetState::Edit || t->state() == pf::db::DatasetState::Insert);
}

// Posts what was typed into the current row (an untouched row is let go).
void postRow(pf::db::Dataset *t)
{
    if (t && t->active())
        t->checkBrowseMode();
}

pf::db::DataSource *ownSource(const TFormT2 *w, const char *name)
{
    return w->findChild<pf::db::DataSource *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

// A space's radiators and unit heaters as the current record holds them.
bool hasRadiators(pf::db::Dataset *t) { return t->active() && !t->isEmpty() && wholeOf(t->fieldByName(QStringLiteral("E_Rad"))) >= 1; }
bool hasUnitHeaters(pf::db::Dataset *t) { return t->active() && !t->isEmpty() && wholeOf(t->fieldByName(QStringLiteral("T_UH"))) >= 1; }

// Both unit heaters and radiators about to be stored for a space: the
// change just made (the count typed, or else the mark set) is refused and
// the stored value kept.
void Table1BeforePost(pf::db::Dataset &t)
{
    pf::db::Field &count = t.fieldByName(QStringLiteral("T_UH"));
    pf::db::Field &mark = t.fieldByName(QStringLiteral("E_Rad"));
    if (wholeOf(mark) < 1 || wholeOf(count) < 1)
        return;
    const auto stored = [&t](const pf::db::Field &f) {
        return t.recNo() > 0 ? t.rowValue(t.recNo() - 1, f.index()) : QVariant();
    };
    if (stored(count) != count.value()) {
        pf::ui::showMessage(u8(kRadiatorsChosen));
        count.setValue(stored(count));
    } else if (stored(mark) != mark.value()) {
        pf::ui::showMessage(u8(kUnitHeatersChosen));
        mark.setValue(stored(mark));
    }
}

void Table1CalcFields(pf::db::Dataset &t)
{
    const auto star = [&t](const char *field) {
        return wholeOf(t.fieldByName(QString::fromLatin1(field))) > 0 ? QStringLiteral("*") : QString();
    };
    t.fieldByName(QStringLiteral("EntRad")).setAsString(star("E_Rad"));
    t.fieldByName(QStringLiteral("EntKore")).setAsString(star("E_Kore"));
    t.fieldByName(QStringLiteral("NameT")).setAsString(TFormT2::convert_sk(wholeOf(t.fieldByName(QStringLiteral("Tabage")))));
}

void Table3CalcFields(pf::db::Dataset &t)
{
    t.fieldByName(QStringLiteral("NameT")).setAsString(TFormT2::convert_sk(wholeOf(t.fieldByName(QStringLiteral("Tabage")))));
}

// The window's space tables get their calculated fields and their sources
// the first time a page needs them (the window makes the tables after the
// pages are set up).
void readySpaceTables(TFormT2 *w)
{
    const struct {
        pf::db::Table *table;
        const char *source;
        bool marks;
    } tables[] = {{w->Table1, "DataSource1", true}, {w->Table3, "DataSource3", false}};
    for (const auto &t : tables) {
        pf::db::DataSource *src = ownSource(w, t.source);
        if (!t.table || !src || src->dataSet() == t.table)
            continue;
        const bool wasOpen = t.table->active();
        t.table->close();
        if (t.marks) {
            t.table->addCalcField(QStringLiteral("EntRad"), pf::db::FieldType::String, 1);
            t.table->addCalcField(QStringLiteral("EntKore"), pf::db::FieldType::String, 1);
            t.table->onCalcFields = &Table1CalcFields;
            t.table->beforePost = &Table1BeforePost;
        } else {
            t.table->onCalcFields = &Table3CalcFields;
        }
        t.table->addCalcField(QStringLiteral("NameT"), pf::db::FieldType::String, 20);
        src->setDataSet(t.table);
        if (wasOpen)
            createedit::openTable(w, t.table);
    }
}

// The current project as the per-space sizings read it.
struct Project {
    double shproje = 0;
    building::SiteData site;
    double Ti1 = 0, TO1 = 0;
    SizingUnits units;
};

Project currentProject()
{
    Project p;
    if (!DM1 || !DM1->Table1->active() || DM1->Table1->isEmpty())
        return p;
    pf::db::Table *t = DM1->Table1;
    p.shproje = t->fieldByName(QStringLiteral("SHPROJE")).asFloat();
    p.site.Ga = t->fieldByName(QStringLiteral("Ga")).asFloat();
    p.site.Tg = t->fieldByName(QStringLiteral("Tg")).asFloat();
    p.Ti1 = t->fieldByName(QStringLiteral("Ti1")).asFloat();
    p.TO1 = t->fieldByName(QStringLiteral("To1")).asFloat();
    p.units = loadSizingUnits(*DM1->Database1, p.shproje);
    return p;
}

// Empties the work table and writes a screen run's rows into it.
void refillWorkTable(const std::vector<bv::data::ExamfzRow> &rows)
{
    if (!DM1)
        return;
    DM1->Table22->close();
    bv::data::refillExamfz(*DM1->Database1, rows);
    DM1->Table22->open();
}

void showMessages(const QStringList &messages)
{
    for (const QString &m : messages)
        pf::ui::showMessage(m);
}

struct GridColumn {
    const char *field, *title;
    int width;
};

// The result grid over the work table, on the result panel but hidden until
// a run has rows to show; it dies with the panel.
void buildResultGrid(int left, int top, int height, int fontSize, std::initializer_list<GridColumn> columns)
{
    if (!ResultPanel)
        return;
    auto *g = new pf::ui::DBGrid(ResultPanel);
    g->setObjectName(QStringLiteral("ResultGrid"));
    g->setGeometry(left, top, 450, height);
    g->setLayoutDirection(Qt::RightToLeft);
    QFont font(ProgramFonts.ScreenFont);
    if (fontSize > 0)
        font.setPointSize(fontSize);
    font.setBold(true);
    g->setFont(font);
    const QColor window = pf::ui::winColor(AreaColors[AreaT * 5 + RoleWin]);
    const QColor box = pf::ui::winColor(AreaColors[AreaT * 5 + RoleBktext]);
    const QColor text = pf::ui::winColor(AreaColors[AreaT * 5 + RoleText]);
    QPalette pal = g->palette();
    pal.setColor(QPalette::Base, window);
    pal.setColor(QPalette::Window, window);
    pal.setColor(QPalette::Text, text);
    g->setPalette(pal);
    QFont titleFont(ProgramFonts.ScreenFont, 8);
    titleFont.setBold(true);
    g->horizontalHeader()->setFont(titleFont);
    QPalette titles = g->horizontalHeader()->palette();
    titles.setColor(QPalette::Button, box);
    titles.setColor(QPalette::Window, box);
    titles.setColor(QPalette::ButtonText, text);
    g->horizontalHeader()->setPalette(titles);
    QVector<pf::ui::DBGridColumn> cols;
    for (const GridColumn &c : columns)
        cols.push_back({QString::fromLatin1(c.field), u8(c.title), c.width});
    g->setColumns(cols);
    if (DM1)
        g->setDataSource(DM1->DataSource10);
    g->hide();
    ResultGrid = g;
}

// The title of the result grid's column over `field`.
QString gridTitle(const char *field)
{
    if (ResultGrid)
        for (const pf::ui::DBGridColumn &c : ResultGrid->datasetModel()->columns())
            if (c.fieldName.compare(QLatin1String(field), Qt::CaseInsensitive) == 0)
                return c.title;
    return QString::fromLatin1(field);
}

// Whether every number the result grid is to show for the spaces (those
// `shown` lets through) can be shown; the first that cannot refuses the run
// under its column's title.
template <class Space>
bool gridShowable(TFormT2 &w, const std::vector<Space> &spaces,
                  std::initializer_list<std::pair<const char *, double Space::*>> columns,
                  bool (*shown)(const Space &) = nullptr)
{
    for (const Space &s : spaces) {
        if (shown && !shown(s))
            continue;
        for (const auto &[field, value] : columns)
            if (!TFormT2::showable(s.*value)) {
                w.refuseResult(gridTitle(field), s.*value);
                return false;
            }
    }
    return true;
}

void placeResultGrid()
{
    if (!ResultGrid)
        return;
    // Every column shows at the panel's width, its title whole.
    ResultGrid->fitColumnsToWidth();
    ResultGrid->show();
    ResultGrid->raise();
    ResultGrid->setFocus();
}

// Key presses of a grid go to `handler` first; it says whether it took them.
void onGridKey(QWidget *grid, std::function<bool(QKeyEvent *)> handler)
{
    struct Filter : QObject {
        std::function<bool(QKeyEvent *)> h;
        bool eventFilter(QObject *, QEvent *e) override
        {
            return e->type() == QEvent::KeyPress && h(static_cast<QKeyEvent *>(e));
        }
    };
    auto *f = new Filter;
    f->setParent(grid);
    f->h = std::move(handler);
    grid->installEventFilter(f);
}

// Radiator sizes (`ComboBox3Change`): the section data of the chosen size,
// nothing without one.
void ComboBox3Change(Ui::PPGRadPage &page)
{
    const QComboBox *list = page.ComboBox3;
    QLineEdit *const boxes[] = {page.Edit26, page.Edit18, page.Edit19, page.Edit25, page.Edit24};
    if (list->currentText().isEmpty() || list->currentIndex() < 0) {
        for (QLineEdit *b : boxes)
            b->clear();
        return;
    }
    const auto &s = catalogues().RadiatorSections;
    const int size = list->currentIndex() + 1;
    const double values[] = {s.output(size), s.surface(size), s.thickness(size), s.weight(size), s.water(size)};
    for (int i = 0; i < 5; ++i)
        boxes[i]->setText(pf::floatToStr(values[i]));
}

} // namespace

void TFormT2::setUpSpacePages()
{
    uiPGRad = std::make_unique<Ui::PPGRadPage>();
    uiPGRad->setupUi(ui->PPGRad);
    uiPGUH = std::make_unique<Ui::PPGUHPage>();
    uiPGUH->setupUi(ui->PPGUH);
    uiKore = std::make_unique<Ui::PKorePage>();
    uiKore->setupUi(ui->PKore);
    uiHavPD = std::make_unique<Ui::PHavPDPage>();
    uiHavPD->setupUi(ui->PHavPD);

    // The sources of the space grids; their tables are joined on first use.
    auto *source1 = new pf::db::DataSource(this);
    source1->setObjectName(QStringLiteral("DataSource1"));
    auto *source3 = new pf::db::DataSource(this);
    source3->setObjectName(QStringLiteral("DataSource3"));

    const auto columns = [](std::initializer_list<GridColumn> cs) {
        QVector<pf::ui::DBGridColumn> out;
        for (const GridColumn &c : cs)
            out.push_back({QString::fromLatin1(c.field), u8(c.title), c.width});
        return out;
    };
    uiPGRad->DBGrid3->setColumns(
        columns({{"NameT", "شماره طبقه", 90}, {"Shvahed", "واحد", 50}, {"Faza", "فضا", 120}, {"EntRad", "انتخاب", 50}}));
    uiPGUH->DBGrid2->setColumns(
        columns({{"NameT", "شماره طبقه", 90}, {"Shvahed", "واحد", 50}, {"Faza", "فضا", 120}, {"T_UH", "تعداد", 50}}));
    uiKore->DBGrid5->setColumns(
        columns({{"NameT", "شماره طبقه", 90}, {"Shvahed", "واحد", 50}, {"Faza", "فضا", 120}, {"EntKore", "انتخاب", 50}}));
    uiHavPD->DBGrid1->setColumns(columns({{"NameT", "طبقه", 64},
                                          {"Shvahed", "واحد", 40},
                                          {"Faza", "فضا", 96},
                                          {"V_", "حجم هواي نفوذي", 96},
                                          {"To_Mo_Hav", "طول معادل كانال", 96},
                                          {"Te_Hav", "تعداد", 50}}));
    for (pf::ui::DBGrid *g : {uiPGRad->DBGrid3, uiPGUH->DBGrid2, uiKore->DBGrid5})
        g->setDataSource(source1);
    uiHavPD->DBGrid1->setDataSource(source3);
    // Every column whole within the grid: a click never moves them sideways.
    for (pf::ui::DBGrid *g : {uiPGRad->DBGrid3, uiPGUH->DBGrid2, uiKore->DBGrid5, uiHavPD->DBGrid1})
        g->fitColumnsToWidth();
    uiPGUH->DBEdit91->bind(source1, QStringLiteral("T_UH"));
    uiHavPD->DBEdit81->bind(source3, QStringLiteral("Te_Hav"));
    uiHavPD->DBEdit92->bind(source3, QStringLiteral("To_Mo_Hav"));
    if (DM1) {
        const std::pair<pf::ui::DBEdit *, const char *> boxes[] = {
            {uiKore->DBEdit83, "D_H_B_Kore"}, {uiKore->DBEdit88, "D_H_T_Kore"},       {uiKore->DBEdit89, "Rand_Kore"},
            {uiKore->DBEdit90, "K_A_Kore"},   {uiHavPD->DBEdit99, "Oft_f_kan_Hav"}, {uiHavPD->DBEdit100, "So_Kh_H_Hav"}};
        for (const auto &[box, field] : boxes)
            box->bind(DM1->DataSource9, QString::fromLatin1(field));
    }

    connect(uiPGRad->ComboBox3, &QComboBox::currentIndexChanged, this, [this] { ComboBox3Change(*uiPGRad); });

    // Radiators: double click or Space toggles the space's mark, refused
    // for a space with unit heaters.
    const auto DBGrid3DblClick = [this] {
        if (!Table1->active() || Table1->isEmpty())
            return;
        if (hasUnitHeaters(Table1)) {
            pf::ui::showMessage(u8(kUnitHeatersChosen));
            return;
        }
        const bool marked = Table1->fieldByName(QStringLiteral("EntRad")).asString() == QLatin1String("*");
        Table1->edit();
        Table1->fieldByName(QStringLiteral("E_Rad")).setAsInteger(marked ? 0 : 1);
        Table1->post();
    };
    connect(uiPGRad->DBGrid3, &QAbstractItemView::doubleClicked, this, DBGrid3DblClick);
    onGridKey(uiPGRad->DBGrid3, [DBGrid3DblClick](QKeyEvent *k) {
        if (k->key() != Qt::Key_Space)
            return false;
        DBGrid3DblClick();
        return true;
    });

    // Furnace: the same toggle, never refused.
    const auto DBGrid5DblClick = [this] {
        if (!Table1->active() || Table1->isEmpty())
            return;
        const bool marked = Table1->fieldByName(QStringLiteral("EntKore")).asString() == QLatin1String("*");
        Table1->edit();
        Table1->fieldByName(QStringLiteral("E_Kore")).setAsInteger(marked ? 0 : 1);
        Table1->post();
    };
    connect(uiKore->DBGrid5, &QAbstractItemView::doubleClicked, this, DBGrid5DblClick);
    onGridKey(uiKore->DBGrid5, [DBGrid5DblClick](QKeyEvent *k) {
        if (k->key() != Qt::Key_Space)
            return false;
        DBGrid5DblClick();
        return true;
    });

    // Unit heaters: a click (or Enter) on a space opens its count for typing
    // unless the space has radiators.
    const auto DBGrid2CellClick = [this] {
        if (!Table1->active() || Table1->isEmpty())
            return;
        if (hasRadiators(Table1)) {
            uiPGUH->DBEdit91->setFieldReadOnly(true);
            pf::ui::showMessage(u8(kRadiatorsChosen));
            return;
        }
        uiPGUH->DBEdit91->setFieldReadOnly(false);
        uiPGUH->DBEdit91->setFocus();
    };
    connect(uiPGUH->DBGrid2, &QAbstractItemView::clicked, this, DBGrid2CellClick);
    onGridKey(uiPGUH->DBGrid2, [DBGrid2CellClick](QKeyEvent *k) {
        if (!pf::ui::isEnterKey(k))
            return false;
        DBGrid2CellClick();
        return true;
    });
    // However a row is reached (a click, the arrow keys, a click in another
    // grid of the same spaces), the count is open for typing exactly when the
    // space has no radiators.
    connect(source1, &pf::db::DataSource::recordChanged, this, [this] {
        if (Table1 && Table1->active() && !editing(Table1))
            uiPGUH->DBEdit91->setFieldReadOnly(hasRadiators(Table1));
    });

    // Extract fans: a click (or Enter) on the length or the count column
    // opens that box.
    const auto DBGrid1CellClick = [this] {
        if (!Table3->active() || Table3->isEmpty())
            return;
        const QString field = uiHavPD->DBGrid1->datasetModel()->columnField(uiHavPD->DBGrid1->currentIndex().column());
        QLineEdit *box = nullptr;
        if (field.compare(QLatin1String("To_Mo_Hav"), Qt::CaseInsensitive) == 0)
            box = uiHavPD->DBEdit92;
        else if (field.compare(QLatin1String("Te_Hav"), Qt::CaseInsensitive) == 0)
            box = uiHavPD->DBEdit81;
        if (box)
            box->setFocus();
    };
    connect(uiHavPD->DBGrid1, &QAbstractItemView::clicked, this, DBGrid1CellClick);
    onGridKey(uiHavPD->DBGrid1, [DBGrid1CellClick](QKeyEvent *k) {
        if (!pf::ui::isEnterKey(k))
            return false;
        DBGrid1CellClick();
        return true;
    });

    // Filters and Enter moves.
    pf::ui::installWholeNumberFilter(uiPGUH->DBEdit91, u8(kWholeOnly));
    // The furnace's efficiency is whole; the air shares and the insulation
    // quality may have decimals.
    pf::ui::installWholeNumberFilter(uiKore->DBEdit89, u8(kWholeOnly));
    for (QLineEdit *b : {uiKore->DBEdit83, uiKore->DBEdit88, uiKore->DBEdit90})
        pf::ui::installDecimalFilter(b, u8(kNumberOnly));
    pf::ui::installEnterChain({uiKore->DBEdit83, uiKore->DBEdit88, uiKore->DBEdit89, uiKore->DBEdit90}, true);
    // Tab from the last furnace box comes back to the first.
    QWidget::setTabOrder(uiKore->DBEdit90, uiKore->DBEdit83);
    for (QLineEdit *b : {uiHavPD->DBEdit99, uiHavPD->DBEdit100, uiHavPD->DBEdit92})
        pf::ui::installDecimalFilter(b, u8(kNumberOnly));
    pf::ui::installWholeNumberFilter(uiHavPD->DBEdit81, u8(kWholeOnly));
    pf::ui::installEnterChain({uiHavPD->DBEdit99, uiHavPD->DBEdit100}, true);
    // A space's count or length is stored when it is left.
    const struct {
        pf::ui::DBEdit *box;
        pf::ui::DBGrid *grid;
        pf::db::DataSource *source;
    } spaceBoxes[] = {{uiPGUH->DBEdit91, uiPGUH->DBGrid2, source1},
                      {uiHavPD->DBEdit81, uiHavPD->DBGrid1, source3},
                      {uiHavPD->DBEdit92, uiHavPD->DBGrid1, source3}};
    for (const auto &s : spaceBoxes) {
        connect(s.box, &QLineEdit::editingFinished, this, [src = s.source] { postRow(src->dataSet()); });
        pf::ui::onEnter(s.box, [src = s.source, grid = s.grid] {
            postRow(src->dataSet());
            grid->setFocus();
        });
    }
}

// ---------------------------------------------------------------- openers

void TFormT2::Label112Click()
{
    readySpaceTables(this);
    openSubPage(10, ui->PPGRad);
    const int stored = int(pf::roundToInt(recordValue(QStringLiteral("S_R_PG_R"))));
    if (DM1 && DM1->Table12->active() && !DM1->Table12->isEmpty() && stored >= 0)
        uiPGRad->ComboBox3->setCurrentIndex(stored < uiPGRad->ComboBox3->count() ? stored : -1);
    ComboBox3Change(*uiPGRad);
    uiPGRad->ComboBox3->setFocus();
    createedit::openTable(this, Table1);
}

void TFormT2::Label111Click()
{
    readySpaceTables(this);
    openSubPage(11, ui->PPGUH);
    const int stored = int(pf::roundToInt(recordValue(QStringLiteral("D_F_PG_UH"))));
    if (DM1 && DM1->Table12->active() && !DM1->Table12->isEmpty() && stored >= 0)
        uiPGUH->FanSpeedList->setCurrentIndex(stored < uiPGUH->FanSpeedList->count() ? stored : -1);
    uiPGUH->FanSpeedList->setFocus();
    createedit::openTable(this, Table1);
    uiPGUH->DBEdit91->setFieldReadOnly(!Table1->active() || Table1->isEmpty() || hasRadiators(Table1));
}

void TFormT2::Label7Click()
{
    readySpaceTables(this);
    openPage(7, ui->PKore, Table1);
    uiKore->DBEdit83->setFocus();
}

void TFormT2::Label15Click()
{
    readySpaceTables(this);
    openPage(15, ui->PHavPD, Table3);
    uiHavPD->DBEdit99->setFocus();
}

// ---------------------------------------------------------------- sizings

RadiatorResults TFormT2::ESRad(short mode)
{
    const bool screen = mode == 1;
    RadiatorInputs in;
    if (screen) {
        MakeComp(15, 70, 455, 180, 1, 15, 45, 1, 220, 255, 0, QString(), QString());
        setResultRow(1, u8(kRadiatorWaterCaption), QString());
        setResultRow(2, u8(kRadiatorSurfaceCaption), QString());
        // The two totals sit under the grid.
        for (int i = 1; i <= 2; ++i) {
            ResultCaptions[i]->move(ResultCaptions[i]->x(), 150);
            ResultValues[i]->move(ResultValues[i]->x(), 150);
        }
        buildResultGrid(2, 2, 138, 9,
                        {{"shproje", "شماره پروژه", 56},
                         {"NameT", "طبقه", 51},
                         {"shvahed", "واحد", 24},
                         {"faza", "فضا", 70},
                         {"Ti_", "دماي داخل", 44},
                         {"Barh", "بار حرارتي كل فضا", 74},
                         {"Z_ts", "ضريب تصحيح", 58},
                         {"s_hararat", " سطح حرارتي ", 58},
                         {"T_Pare", " تعدادپرهها ", 45},
                         {"Tol_Pare", " طول رادياتور ", 58},
                         {"hjm_Ab", " حجم آب ", 38},
                         {"Vazn_Rad", " وزن رادياتور ", 57}});
        in.S_R_PG_R = uiPGRad->ComboBox3->currentIndex();
    } else {
        in.S_R_PG_R = int(pf::roundToInt(recordValue(QStringLiteral("S_R_PG_R"))));
    }
    in.DAbgarm = recordValue(QStringLiteral("DAbgarm"));
    Project p = currentProject();
    in.site = p.site;
    in.units = std::move(p.units);
    const RadiatorResults r = sizeRadiators(in);
    if (!screen) {
        showMessages(r.messages);
        // A stopped run stores no row, so the marked spaces print blank.
        if (DM1)
            bv::data::storeRadiatorResults(*DM1->Database1, p.shproje, radiatorStoreRows(r));
        return r;
    }
    if (!r.stopped && !r.spaces.empty()) {
        setResultRow(1, u8(kRadiatorWaterCaption), r.waterTotal);
        setResultRow(2, u8(kRadiatorSurfaceCaption), r.surfaceTotal);
    }
    // Results that cannot be shown stop the run before the work table is written.
    using S = RadiatorSpaceResult;
    if (!r.stopped && (!gridShowable(*this, r.spaces,
                                     {{"Barh", &S::load},
                                      {"Z_ts", &S::factor},
                                      {"s_hararat", &S::surface},
                                      {"T_Pare", &S::sections},
                                      {"Tol_Pare", &S::length},
                                      {"hjm_Ab", &S::water},
                                      {"Vazn_Rad", &S::weight}})
                       || !resultsShowable()))
        return r;
    if (!r.stopped)
        refillWorkTable(radiatorWorkRows(r));
    if (!r.stopped && !r.spaces.empty()) {
        showResultPanel();
        placeResultGrid();
    }
    showMessages(r.messages);
    return r;
}

UnitHeaterResults TFormT2::EUHAbDagh(short mode)
{
    const bool screen = mode == 1;
    UnitHeaterInputs in;
    if (screen) {
        // A count still being typed is stored (and checked) first.
        if (Table1->active())
            Table1->first();
        MakeComp(15, 70, 455, 170, 1, 165, 200, 0, 0, 0, 0, QString(), QString());
        buildResultGrid(0, 0, 135, 9,
                        {{"shproje", "شماره پروژه", 55},
                         {"NameT", "طبقه", 46},
                         {"shvahed", "واحد", 22},
                         {"faza", "فضا", 70},
                         {"Ti_", "دماي داخل", 44},
                         {"Barh", "بار حرارتي", 55},
                         {"Z_ts", "ضريب تصحيح", 58},
                         {"T_Pare", "تعداد", 23},
                         {"size_Rad", " مدل ", 51},
                         {"s_hararat", " جريان هوا ", 48},
                         {"Tol_Pare", " قدرت موتور ", 55},
                         {"debi", " دبي ", 30},
                         {"hjm_Ab", " دماي هواي خروجي ", 80},
                         {"Vazn_Rad", " دور فن ", 36}});
        in.D_F_PG_UH = uiPGUH->FanSpeedList->currentIndex();
    } else {
        in.D_F_PG_UH = int(pf::roundToInt(recordValue(QStringLiteral("D_F_PG_UH"))));
    }
    in.DAbgarm = recordValue(QStringLiteral("DAbgarm"));
    Project p = currentProject();
    in.TO1 = p.TO1;
    in.site = p.site;
    in.units = std::move(p.units);
    const UnitHeaterResults r = sizeUnitHeaters(in);
    if (!screen) {
        showMessages(r.messages);
        if (DM1) {
            // A stopped run leaves the spaces blank, not as an earlier run left them.
            if (r.stopped)
                bv::data::clearUnitHeaterResults(*DM1->Database1, p.shproje);
            else
                bv::data::storeUnitHeaterResults(*DM1->Database1, unitHeaterStoreRows(r));
        }
        return r;
    }
    using S = UnitHeaterSpaceResult;
    if (!r.stopped && !gridShowable(*this, r.spaces, {{"Barh", &S::load}, {"Z_ts", &S::factor}}))
        return r;
    if (!r.stopped)
        refillWorkTable(unitHeaterWorkRows(r));
    if (!r.stopped && !r.spaces.empty()) {
        setResultRow(1, r.caption, QString());
        ResultCaptions[1]->move(ResultCaptions[1]->x(), 150);
        showResultPanel();
        placeResultGrid();
    }
    showMessages(r.messages);
    return r;
}

FurnaceResults TFormT2::Kore(short mode)
{
    const bool screen = mode == 1;
    FurnaceInputs in;
    in.reportMode = !screen;
    if (screen) {
        MakeComp(10, 70, 455, 280, 4, 155, 255, 0, 0, 0, 0, QString(), QString());
        for (int i = 1; i <= 4; ++i)
            setResultRow(i, u8(kFurnaceCaptions[i - 1]), QString());
        ResultCaptions[4]->move(220, 255);
        buildResultGrid(2, 125, 130, 0,
                        {{"shproje", "شماره پروژه", 55},
                         {"NameT", "طبقه", 45},
                         {"shvahed", "واحد", 45},
                         {"faza", "فضا", 75},
                         {"size_Rad", "دماي داخل", 45},
                         {"hjm_Ab", "هواي گرم مورد نياز", 85},
                         {"barh", "بار حرارتي كل فضا", 85}});
        const struct {
            QLineEdit *box;
            QLabel *caption;
            bool whole;
            double *value;
        } boxes[] = {{uiKore->DBEdit89, uiKore->LabelEfficiency, true, &in.Rand_Kore},
                     {uiKore->DBEdit90, uiKore->LabelInsulation, false, &in.K_A_Kore},
                     {uiKore->DBEdit83, uiKore->LabelReturnAir, false, &in.D_H_B_Kore},
                     {uiKore->DBEdit88, uiKore->LabelFreshAir, false, &in.D_H_T_Kore}};
        for (const auto &b : boxes)
            if (!readBox(b.box, b.caption->text(), b.whole, *b.value)) {
                FurnaceResults stopped;
                stopped.stopped = true;
                return stopped;
            }
    } else {
        in.Rand_Kore = recordValue(QStringLiteral("Rand_Kore"));
        in.K_A_Kore = recordValue(QStringLiteral("K_A_Kore"));
        in.D_H_B_Kore = recordValue(QStringLiteral("D_H_B_Kore"));
        in.D_H_T_Kore = recordValue(QStringLiteral("D_H_T_Kore"));
    }
    Project p = currentProject();
    in.Ti1 = p.Ti1;
    in.TO1 = p.TO1;
    in.site = p.site;
    in.units = std::move(p.units);
    const FurnaceResults r = sizeFurnace(in);
    if (!screen) {
        // The spaces are stored even when the efficiency stops the run; a
        // run stopped before it had them leaves the marked spaces blank.
        if (DM1) {
            if (r.stopped && r.spaces.empty())
                bv::data::clearFurnaceResults(*DM1->Database1, p.shproje);
            else
                bv::data::storeFurnaceResults(*DM1->Database1, furnaceStoreRows(r));
        }
        showMessages(r.messages);
        return r;
    }
    if (!r.stopped) {
        setResultRow(1, u8(kFurnaceCaptions[0]), r.ductFactor);
        setResultRow(2, u8(kFurnaceCaptions[1]), r.totalWarmAir);
        setResultRow(3, u8(kFurnaceCaptions[2]), r.capacity);
        using S = FurnaceSpaceResult;
        if (!gridShowable(*this, r.spaces, {{"hjm_Ab", &S::warmAir}, {"barh", &S::load}},
                          +[](const S &s) { return s.marked; })
            || !resultsShowable())
            return r;
    }
    const std::vector<bv::data::ExamfzRow> rows = furnaceWorkRows(r);
    refillWorkTable(rows);
    if (!r.stopped) {
        showResultPanel();
        if (!rows.empty())
            placeResultGrid();
    }
    showMessages(r.messages);
    return r;
}

ExtractFanResults TFormT2::HavaKesh(short mode)
{
    const bool screen = mode == 1;
    ExtractFanInputs in;
    if (screen) {
        if (!readBox(uiHavPD->DBEdit99, uiHavPD->LabelDuctDrop->text(), false, in.Oft_f_kan_Hav)
            || !readBox(uiHavPD->DBEdit100, uiHavPD->LabelVelocity->text(), false, in.So_Kh_H_Hav)) {
            freeResultPanel();
            ExtractFanResults stopped;
            stopped.stopped = true;
            return stopped;
        }
        // A count or length still being typed is stored first.
        if (Table3->active())
            Table3->first();
    } else {
        in.Oft_f_kan_Hav = recordValue(QStringLiteral("Oft_f_kan_Hav"));
        in.So_Kh_H_Hav = recordValue(QStringLiteral("So_Kh_H_Hav"));
    }
    Project p = currentProject();
    in.units = std::move(p.units);
    const ExtractFanResults r = sizeExtractFans(in);
    if (r.stopped) {
        // Nothing is built or written; an earlier panel goes too, and the
        // booklet's spaces are left blank rather than as an earlier run left
        // them.
        if (screen)
            freeResultPanel();
        else if (DM1)
            bv::data::clearExtractFanResults(*DM1->Database1, p.shproje);
        showMessages(r.messages);
        return r;
    }
    if (!screen) {
        if (DM1)
            bv::data::storeExtractFanResults(*DM1->Database1, extractFanStoreRows(r));
        showMessages(r.messages);
        return r;
    }
    MakeComp(10, 119, 452, 165, 0, 0, 0, 0, 0, 0, 0, QString(), QString());
    buildResultGrid(0, 0, 125, 9,
                    {{"shproje", "شماره پروژه", 55},
                     {"NameT", "طبقه", 49},
                     {"shvahed", "واحد", 22},
                     {"faza", "فضا", 80},
                     {"size_Rad", "كلافتفشار در كانال", 77},
                     {"Z_ts", "حجم هواي تهويه", 67},
                     {"s_hararat", "قطر هواكش", 48},
                     {"hjm_Ab", "دور موتور", 46},
                     {"barh", "قدرت هواكش", 53}});
    using S = ExtractFanSpaceResult;
    if (!gridShowable(*this, r.spaces, {{"size_Rad", &S::ductDrop}, {"Z_ts", &S::airVolume}}))
        return r;
    refillWorkTable(extractFanWorkRows(r));
    showResultPanel();
    placeResultGrid();
    showMessages(r.messages);
    return r;
}

// ---------------------------------------------------------------- save

bool TFormT2::saveRadiatorPage()
{
    postRow(Table1);
    if (DM1 && editing(DM1->Table12))
        DM1->Table12->fieldByName(QStringLiteral("S_R_PG_R")).setAsInteger(uiPGRad->ComboBox3->currentIndex());
    return true;
}

bool TFormT2::saveUnitHeaterPage()
{
    // A count typed for a space is checked against its radiators as it is stored.
    postRow(Table1);
    if (DM1 && editing(DM1->Table12))
        DM1->Table12->fieldByName(QStringLiteral("D_F_PG_UH")).setAsInteger(uiPGUH->FanSpeedList->currentIndex());
    return true;
}

bool TFormT2::saveFurnacePage()
{
    double returnAir = 0, freshAir = 0;
    if (!readBox(uiKore->DBEdit83, uiKore->LabelReturnAir->text(), false, returnAir)
        || !readBox(uiKore->DBEdit88, uiKore->LabelFreshAir->text(), false, freshAir))
        return false;
    if (!airSharesMakeAHundred(returnAir, freshAir)) {
        pf::ui::showMessage(u8(kAirSharesMessage));
        return false;
    }
    return true;
}

void TFormT2::clearSpacePages()
{
    for (QComboBox *list : {uiPGRad->ComboBox3, uiPGUH->FanSpeedList})
        list->setCurrentIndex(-1);
    for (QLineEdit *b : {uiPGRad->Edit26, uiPGRad->Edit18, uiPGRad->Edit19, uiPGRad->Edit25, uiPGRad->Edit24})
        b->clear();
    uiPGUH->DBEdit91->setFieldReadOnly(true);
    // What was typed for a space stays with the project it was typed in.
    postRow(Table1);
    postRow(Table3);
}
