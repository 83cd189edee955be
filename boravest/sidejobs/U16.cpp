#include "boravest/sidejobs/U16.h"


#include "boravest/data/PlanStore.h"
#include "boravest/data/ProgramState.h"
#include "boravest/data/UnitDm.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/Colors.h"
#include "platform/ui/DbControls.h"
#include "platform/ui/Dialogs.h"

#include <QHeaderView>
#include <QKeyEvent>

TForm16 *Form16 = nullptr;

namespace stores = bv::data::stores;

namespace {

QColor restColor() { return pf::ui::winColor(AreaColors[AreaJ * 5 + RoleText]); }

pf::ui::DBGridColumn col(const char *field, const char *title)
{
    return {QString::fromLatin1(field), QString::fromUtf8(title)};
}

// The table whose current row a level deletes.
pf::db::Table *levelTable(int level)
{
    switch (level) {
    case 1: return DM1->Table1;
    case 2:
    case 3: return DM1->Table3;
    case 4: return DM1->Table4;
    case 5: return DM1->Table5;
    default: return nullptr;
    }
}

double num(pf::db::Table *t, const char *field) { return t->fieldByName(QLatin1String(field)).asFloat(); }

} // namespace

TForm16::TForm16(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TForm16>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("Form16"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setLayoutDirection(Qt::RightToLeft);
    ui->DBGrid1->setColumns({col("SHPROJE", "شماره پروژه"), col("NAME", "نام پروژه"), col("DATE1", "تاريخ"),
                             col("SHAHR", "شهر")});
    ui->DBGrid2->setColumns({col("NameT", "شماره طبقه"), col("Shsk", "شماره ساختمان"), col("Shvahed", "شماره واحد")});
    ui->DBGrid3->setColumns({col("Faza", "فضا")});
    ui->DBGrid4->setColumns({col("Jedare", "جدار"), col("Nnjedar", "حالت جدار"), col("Ngjedar", "جهت (نوع سقف)")});
    if (DM1) {
        ui->DBGrid1->setDataSource(DM1->DataSource1);
        ui->DBGrid2->setDataSource(DM1->DataSource3);
        ui->DBGrid3->setDataSource(DM1->DataSource4);
        ui->DBGrid4->setDataSource(DM1->DataSource5);
    }
    pf::ui::DBGrid *grids[] = {ui->DBGrid1, ui->DBGrid2, ui->DBGrid3, ui->DBGrid4};
    // Whole titles and cells within each grid's width.
    for (pf::ui::DBGrid *g : grids)
        g->fitColumnsToWidth();
    for (int i = 0; i < 4; ++i) {
        connect(grids[i], &QAbstractItemView::clicked, this, [this, i] { GridCellClick(i + 1); });
        // A click on the titles brings the grid forward with the focus.
        connect(grids[i]->horizontalHeader(), &QHeaderView::sectionClicked, this, [g = grids[i]] {
            g->raise();
            g->setFocus();
        });
    }
    connect(ui->Label4, &pf::ui::ClickLabel::clicked, this, [this] { Label4Click(); });
    connect(ui->Label6, &pf::ui::ClickLabel::clicked, this, [this] { Label6Click(); });
    m_hover = new pf::ui::HoverGroup({ui->Label4, ui->Label6}, &restColor, this);
}

TForm16::~TForm16() = default;

void TForm16::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    FormActivate();
}

bool TForm16::event(QEvent *e)
{
    // The main window reopens the database on its activation, which closes
    // the tables and would leave their cursors on their first rows.
    if (e->type() == QEvent::WindowActivate && isVisible() && DM1 && !DM1->Table1->active())
        FormActivate();
    return QDialog::event(e);
}

void TForm16::FormActivate()
{
    for (auto *g : {ui->DBGrid1, ui->DBGrid2, ui->DBGrid3, ui->DBGrid4})
        g->show();
    if (!DM1)
        return;
    // A table that cannot be opened is said; the form stays to be left.
    try {
        DM1->Table3->setIndexName(QStringLiteral("IPSTV"));
        for (pf::db::Table *t : {DM1->Table1, DM1->Table3, DM1->Table4, DM1->Table5, DM1->Table12})
            if (!t->active())
                t->open();
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
    }
}

void TForm16::GridCellClick(int grid)
{
    const int wanted[] = {0, 1, 2, 2, 3, 4};
    if (DeleteLevel >= 1 && DeleteLevel <= 5 && wanted[DeleteLevel] == grid)
        ui->Label4->setEnabled(true);
}

void TForm16::Label4Click()
{
    if (!ui->Label4->isEnabled() || !DM1)
        return;
    pf::db::Table *t = levelTable(DeleteLevel);
    if (!t || !t->active() || t->isEmpty())
        return;
    if (!ProgramServices || !ProgramServices->ConfirmDelete())
        return;
    pf::db::Database &db = *DM1->Database1;
    try {
        switch (DeleteLevel) {
        case 1: stores::deleteProject(db, num(DM1->Table1, "SHPROJE")); break;
        case 2: stores::deleteFloor(db, num(t, "Shproje"), num(t, "Tabage")); break;
        case 3: stores::deleteUnit(db, num(t, "Shproje"), num(t, "Tabage"), num(t, "Shvahed")); break;
        case 4:
            stores::deleteSpace(db, num(t, "Shproje"), num(t, "Tabage"), num(t, "Shvahed"), num(t, "Codefaza"));
            break;
        case 5: stores::deleteSurface(db, t->fieldByName(QStringLiteral("No")).asInteger()); break;
        }
        // The grids show what is stored: the table of the level is read
        // again with its cursor on a neighbouring row of the same master
        // (the rows under it follow), the choices above stay. The delete
        // stays offered: the next one takes the row now highlighted, after
        // its own question.
        std::vector<pf::db::Table *> changed{t};
        if (DeleteLevel == 1)
            changed.push_back(DM1->Table12);
        for (pf::db::Table *d : changed)
            if (d->active())
                d->refresh();
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
    }
}

void TForm16::Label6Click()
{
    for (auto *g : {ui->DBGrid1, ui->DBGrid2, ui->DBGrid3, ui->DBGrid4})
        g->hide();
    if (DM1) {
        for (pf::db::Dataset *d : {static_cast<pf::db::Dataset *>(DM1->Table1), static_cast<pf::db::Dataset *>(DM1->Table3),
                                   static_cast<pf::db::Dataset *>(DM1->Table4), static_cast<pf::db::Dataset *>(DM1->Table5),
                                   static_cast<pf::db::Dataset *>(DM1->Table6), static_cast<pf::db::Dataset *>(DM1->Table9),
                                   static_cast<pf::db::Dataset *>(DM1->Table12), static_cast<pf::db::Dataset *>(DM1->Query1)})
            d->close();
    }
    if (ProgramServices) {
        ProgramServices->bazsazidade();
        ProgramServices->ResetExitQuestion();
    }
    close();
}

void TForm16::FormKeyPress(int key)
{
    if (key == Qt::Key_Escape && ProgramServices)
        ProgramServices->AskExit();
}

void TForm16::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        FormKeyPress(Qt::Key_Escape);
        return;
    }
    QDialog::keyPressEvent(e);
}
