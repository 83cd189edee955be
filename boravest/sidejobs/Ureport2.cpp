#include "boravest/sidejobs/Ureport2.h"

#include "boravest/data/BackupStore.h"
#include "boravest/data/PlanStore.h"
#include "boravest/data/ProgramState.h"
#include "boravest/data/SchemeStore.h"
#include "boravest/data/UnitDm.h"
#include "boravest/sidejobs/UFont.h"
#include "boravest/sidejobs/Ucolor.h"
#include "platform/ui/Busy.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/Colors.h"
#include "platform/ui/DbControls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FolderTree.h"

#include <QDir>
#include <QKeyEvent>
#include <QMessageBox>

#include <algorithm>

TForm17 *Form17 = nullptr;

namespace stores = bv::data::stores;
namespace backup = bv::data::backup;

namespace {

QColor restColor() { return pf::ui::winColor(AreaColors[AreaJ * 5 + RoleText]); }

const QString kWrongData = QStringLiteral("اطلاعات اشتباه است");

// Asked before a restore replaces the tables of the data folder.
const QString kRestoreQuestion =
    QStringLiteral("\u062C\u062F\u0627\u0648\u0644 \u0641\u0639\u0644\u064A \u0628\u0627 \u062C\u062F\u0627\u0648\u0644 "
                   "\u067E\u0634\u062A\u064A\u0628\u0627\u0646 \u062C\u0627\u064A\u06AF\u0632\u064A\u0646 "
                   "\u0645\u064A \u0634\u0648\u0646\u062F. \u0627\u062F\u0627\u0645\u0647 \u0645\u064A "
                   "\u062F\u0647\u064A\u062F\u061F");

void resetMenuEntry(QLabel *l)
{
    QFont f = l->font();
    f.setPointSize(12);
    l->setFont(f);
}

} // namespace

TForm17::TForm17(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TForm17>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("Form17"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setLayoutDirection(Qt::RightToLeft);
    ui->DBGrid2->setColumns({{QStringLiteral("Shproje"), QStringLiteral(" پروژه")},
                             {QStringLiteral("Tabage"), QStringLiteral("طبقه")},
                             {QStringLiteral("Shvahed"), QStringLiteral("واحد")},
                             {QStringLiteral("Name Projec"), QStringLiteral("نام پروژه")},
                             {QStringLiteral("Shahr"), QStringLiteral("شهر")}});
    if (DM1) {
        ui->DBGrid2->setDataSource(DM1->DataSource6);
        ui->DBEdit2->setDataSource(DM1->DataSource6);
        ui->DBEdit2->setDataField(QStringLiteral("Shproje"));
    }
    // The project name column keeps ten letters of a name (the size of its
    // lookup field): a longer name shows that it is cut, and whole on hover.
    ui->DBGrid2->datasetModel()->setWholeText([this](int row, int column) { return wholeProjectName(row, column); });
    ui->DBGrid2->fitColumnsToWidth();
    connect(ui->Label2, &pf::ui::ClickLabel::clicked, this, [this] { Label2Click(); });
    connect(ui->Label4, &pf::ui::ClickLabel::clicked, this, [this] { Label4Click(); });
    connect(ui->Label5, &pf::ui::ClickLabel::clicked, this, [this] { Label5Click(); });
    connect(ui->Label10, &pf::ui::ClickLabel::clicked, this, [this] { Label10Click(); });
    connect(ui->Label14, &pf::ui::ClickLabel::clicked, this, [this] { Label14Click(); });
    connect(ui->Label1, &pf::ui::ClickLabel::clicked, this, [this] { Label1Click(); });
    connect(ui->Label19, &pf::ui::ClickLabel::clicked, this, [this] { Button1Click(); });
    connect(ui->Label20, &pf::ui::ClickLabel::clicked, this, [this] { Label20Click(); });
    connect(ui->Label18, &pf::ui::ClickLabel::clicked, this, [this] { Label18Click(); });
    connect(ui->Label22, &pf::ui::ClickLabel::clicked, this, [this] { Label22Click(); });
    connect(ui->DBGrid2, &QAbstractItemView::doubleClicked, this, [this] { Label1Click(); });
    m_hover = new pf::ui::HoverGroup({ui->Label1, ui->Label14, ui->Label19, ui->Label10, ui->Label20, ui->Label18,
                                      ui->Label22},
                                     &restColor, this);
    // The shape behind a menu entry shows while the pointer is over it; on
    // leaving it stays only behind the panel that is in use.
    const std::pair<pf::ui::ClickLabel *, QFrame *> entries[] = {
        {ui->Label2, ui->Shape1}, {ui->Label4, ui->Shape2}, {ui->Label5, ui->Shape3}, {ui->Label9, ui->Shape4}};
    for (const auto &[label, shape] : entries) {
        connect(label, &pf::ui::ClickLabel::mouseMoved, shape, &QWidget::show);
        connect(label, &pf::ui::ClickLabel::mouseLeft, this, [this] {
            ui->Shape1->setVisible(ui->Panel4->isEnabled());
            ui->Shape2->setVisible(!ui->Label10->isHidden());
            ui->Shape3->setVisible(!ui->Label14->isHidden());
            ui->Shape4->hide();
        });
    }
    // The folder chooser: the drives, and the folders of the chosen drive.
    m_folders = new pf::ui::FolderTree(ui->DriveComboBox1, ui->DirectoryListBox1, this);
    connect(ui->DriveComboBox1, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i < 0 || ui->Panel2->isHidden())
            return;
        const QString drive = ui->DriveComboBox1->itemText(i);
        m_folders->showDrive(drive);
        DirectoryListBox1Change(drive);
    });
    connect(m_folders, &pf::ui::FolderTree::folderChosen, this, [this](const QString &f) { DirectoryListBox1Change(f); });
    // However the form goes (its buttons, Esc, the window's close box), it
    // ends through done(), which reports finished.
    connect(this, &QDialog::finished, this, [this] { FormClose(); });
}

TForm17::~TForm17() = default;

void TForm17::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    FormActivate();
}

void TForm17::FormActivate() { CopyAttempted = false; }

void TForm17::hideCopyParts()
{
    ui->Shape1->hide();
    ui->Shape4->hide();
    ui->Panel3->hide();
    ui->Panel4->setEnabled(false);
    for (QWidget *w : {ui->Label1, ui->Label19, ui->Label20})
        w->hide();
    if (DM1)
        DM1->Query1->close();
}

QString TForm17::wholeProjectName(int row, int column)
{
    const pf::ui::DatasetTableModel *m = ui->DBGrid2->datasetModel();
    pf::db::Dataset *ds = m->dataset();
    if (!DM1 || !ds || m->columnField(column) != QLatin1String("Name Projec"))
        return QString();
    const pf::db::Field *project = ds->findField(QStringLiteral("Shproje"));
    if (!project)
        return QString();
    const double p = ds->rowValue(row, project->index()).toDouble();
    auto it = m_projectNames.constFind(p);
    if (it == m_projectNames.constEnd()) {
        QString name;
        try {
            name = DM1->Table1->lookup(QStringLiteral("SHPROJE"), {p}, QStringLiteral("NAME")).toString();
        } catch (const pf::db::DbError &) {
            // Without the projects table the cell keeps what it shows.
        }
        it = m_projectNames.insert(p, name);
    }
    return *it;
}

void TForm17::Label2Click()
{
    m_projectNames.clear();
    for (QWidget *w : std::initializer_list<QWidget *>{ui->Panel2, ui->Label10, ui->Shape2, ui->Label14, ui->Shape3})
        w->hide();
    resetMenuEntry(ui->Label4);
    resetMenuEntry(ui->Label5);
    hideCopyParts();
    ui->Shape1->show();
    if (DM1)
        try {
            DM1->Query1->open();
        } catch (const pf::db::DbError &e) {
            // The grid stays empty; nothing can be chosen.
            pf::ui::showMessage(e.message(), this);
        }
    ui->Panel4->setEnabled(true);
    for (QWidget *w : {ui->Label1, ui->Label19, ui->Label20})
        w->show();
    ui->Label19->setEnabled(false);
    ui->Label20->setEnabled(false);
    showHeading(QStringLiteral("كپي طبقات"), true);
}

// The heading names the panel shown, whether the main menu or the side menu
// switched to it; only the copy panel shows the grid.
void TForm17::showHeading(const QString &heading, bool grid)
{
    ui->Label13->setText(heading);
    ui->DBGrid2->setVisible(grid);
}

// The backup and restore panels share the folder chooser; each shows its
// own command.
void TForm17::showFolderPanel(QLabel *command, QFrame *shape)
{
    hideCopyParts();
    resetMenuEntry(ui->Label2);
    for (QWidget *w : std::initializer_list<QWidget *>{ui->Label10, ui->Shape2, ui->Label14, ui->Shape3})
        w->hide();
    resetMenuEntry(command == ui->Label10 ? ui->Label5 : ui->Label4);
    shape->show();
    ui->Panel2->show();
    ui->Panel2->raise();
    command->show();
    // The tree reads and watches the disk from the first use of the chooser.
    m_folders->start();
}

void TForm17::Label4Click()
{
    showFolderPanel(ui->Label10, ui->Shape2);
    showHeading(QStringLiteral("تهيه پشتيبان از داده ها"), false);
}

void TForm17::Label5Click()
{
    showFolderPanel(ui->Label14, ui->Shape3);
    showHeading(QStringLiteral("بازيابي داده ها"), false);
}

void TForm17::DirectoryListBox1Change(const QString &folder) { ui->Edit3->setText(QDir::toNativeSeparators(folder)); }

void TForm17::Label10Click()
{
    if (!DM1)
        return;
    const QString path = QDir::fromNativeSeparators(ui->Edit3->text().trimmed());
    backup::BackupResult r;
    {
        pf::ui::BusySign busy(ui->Panel6, ui->Animate1, 0);
        r = backup::backupDataFolder(DM1->Database1->directory(), path, [&] { busy.tick(); });
    }
    // The folder the backup made shows in the tree at once.
    m_folders->reveal(r.target);
    if (!r.message.isEmpty())
        pf::ui::showMessage(r.message, this);
}

void TForm17::Label14Click()
{
    if (!DM1)
        return;
    const QString path = QDir::fromNativeSeparators(ui->Edit3->text().trimmed());
    if (path.isEmpty())
        return;
    pf::db::Database &db = *DM1->Database1;
    // A folder without tables is refused before anything is asked.
    if (!backup::tableFilesOf(path).isEmpty()) {
        QMessageBox question(QMessageBox::Question, windowTitle(), kRestoreQuestion, QMessageBox::Yes | QMessageBox::No,
                             this);
        question.setObjectName(QStringLiteral("RestoreQuestion"));
        question.setLayoutDirection(Qt::RightToLeft);
        question.setDefaultButton(QMessageBox::No);
        if (pf::ui::showModal(&question) != QMessageBox::Yes)
            return;
    }
    QStringList open;
    for (pf::db::Dataset *ds : DM1->findChildren<pf::db::Dataset *>())
        if (ds->active())
            open << ds->objectName();
    backup::RestoreResult r;
    {
        pf::ui::BusySign busy(ui->Panel6, ui->Animate1, 0);
        r = backup::restoreDataFolder(db, path, [&] { busy.tick(); });
    }
    // The database was closed for the swap. A restore that is done brings
    // new tables: their indexes, the settings and the pages are loaded
    // again. One that is not changed no file: what was open is opened again,
    // and its message is the only one.
    if (r.outcome == backup::Outcome::Done)
        reloadAfterRestore(open);
    else
        reopenQuietly(open);
    if (!r.message.isEmpty())
        pf::ui::showMessage(r.message, this);
}

void TForm17::reloadAfterRestore(const QStringList &openDatasets)
{
    if (ProgramServices)
        ProgramServices->bazsazidade();
    pf::db::Database &db = *DM1->Database1;
    try {
        db.open();
        const stores::ColorScheme colors = stores::loadColorScheme(db);
        std::copy(colors.begin(), colors.end(), AreaColors);
        ProgramFonts = stores::loadFontScheme(db);
        for (const QString &name : openDatasets)
            if (auto *ds = DM1->findChild<pf::db::Dataset *>(name))
                ds->open();
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
    }
    if (FormColor)
        FormColor->EamalColor();
    if (FormFont)
        FormFont->EamalFont();
}

void TForm17::reopenQuietly(const QStringList &openDatasets)
{
    for (const QString &name : openDatasets)
        if (auto *ds = DM1->findChild<pf::db::Dataset *>(name); ds && !ds->active())
            try {
                ds->open();
            } catch (const pf::db::DbError &) {
                // The page says why when it is used.
            }
}

void TForm17::Label1Click()
{
    if (!ui->Panel4->isEnabled())
        return;
    ui->Panel4->setEnabled(false);
    ui->Panel3->show();
    ui->Panel2->hide();
    ui->Edit2->setFocus();
    ui->Label19->setEnabled(true);
    ui->Label20->setEnabled(true);
}

void TForm17::Label20Click()
{
    ui->Panel3->hide();
    ui->Panel4->setEnabled(true);
    ui->DBGrid2->setFocus();
    ui->Label19->setEnabled(false);
    ui->Label20->setEnabled(false);
}

void TForm17::Button1Click()
{
    if (!ui->Label19->isEnabled() || !DM1)
        return;
    CopyAttempted = true;
    pf::db::Query *q = DM1->Query1;
    const auto target = stores::parseTargetFloor(ui->Edit2->text());
    if (!target || !q->active() || q->isEmpty()) {
        pf::ui::showMessage(kWrongData, this);
        return;
    }
    const double project = q->fieldByName(QStringLiteral("Shproje")).asFloat();
    const double floor = q->fieldByName(QStringLiteral("Tabage")).asFloat();
    stores::CopyResult r;
    pf::db::Database &db = *DM1->Database1;
    try {
        // A copy that runs long shows the busy sign, moved on while the
        // database works.
        pf::ui::BusySign busy(ui->Panel6, ui->Animate1, BusyDelayMs);
        db.setProgressHandler([&] { busy.tick(); });
        struct Unhook {
            pf::db::Database &db;
            ~Unhook() { db.setProgressHandler({}); }
        } unhook{db};
        r = stores::copyFloorPlan(db, {project, floor, double(*target)});
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
        return;
    }
    switch (r.outcome) {
    case stores::CopyOutcome::TargetExists:
        pf::ui::showMessage(QStringLiteral("طبقه موجود است"), this);
        return;
    case stores::CopyOutcome::BadFloor:
    case stores::CopyOutcome::SourceMissing:
        pf::ui::showMessage(kWrongData, this);
        return;
    case stores::CopyOutcome::Copied:
        break;
    }
    try {
        q->refresh();
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
    }
    if (r.units > 0)
        pf::ui::showMessage(QStringLiteral("عمليات كپي با موفقيت انجام شد"), this);
    else
        pf::ui::showMessage(QStringLiteral("طبقه مورد نظر كپي نشد داده ها را تصحيح كنيد"), this);
}

void TForm17::Label18Click()
{
    for (QWidget *w : std::initializer_list<QWidget *>{ui->Label1, ui->Label19, ui->Label20, ui->Label10, ui->Label14, ui->Panel2, ui->Panel6, ui->Shape1,
                       ui->Shape2, ui->Shape3, ui->Shape4})
        w->hide();
    ui->Panel4->setEnabled(false);
    if (DM1)
        DM1->Query1->close();
    for (QLabel *l : {ui->Label2, ui->Label4, ui->Label5})
        resetMenuEntry(l);
    pf::ui::endModal(this, 0);
    close();
}

void TForm17::Label22Click()
{
    if (ProgramServices)
        ProgramServices->AskExit();
}

void TForm17::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        if (ui->DBGrid2->hasFocus())
            Label22Click();
        else if (ui->Edit2->hasFocus() || ui->Edit1->hasFocus() || ui->Edit3->hasFocus())
            Label20Click();
        else // the folder tree or drive list of the backup and restore panels
            Label18Click();
        return;
    }
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && ui->DBGrid2->hasFocus()) {
        Label1Click();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TForm17::FormClose()
{
    if (CopyAttempted && ProgramServices)
        ProgramServices->bazsazidade();
    CopyAttempted = false;
}
