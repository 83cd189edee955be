#include "boravest/app/U1.h"

#include "ui_U1.h"
#include "ui_U3.h"

#include "boravest/data/BackupStore.h"
#include "boravest/data/GlossaryStore.h"
#include "boravest/data/TableSchemas.h"
#include "boravest/app/Forms.h"
#include "boravest/app/UModifyAliaz.h"
#include "boravest/data/SchemeStore.h"
#include "boravest/data/UnitDm.h"
#include "boravest/building/U10.h"
#include "boravest/building/U2.h"
#include "boravest/building/RepUnit2.h"
#include "boravest/building/U13.h"
#include "boravest/app/U3.h"
#include "boravest/eqbook/U23.h"
#include "boravest/equipment/Tajh1.h"
#include "boravest/equipment/U_15.h"
#include "boravest/help/U11.h"
#include "boravest/help/U15.h"
#include "boravest/help/UFHelp.h"
#include "boravest/help/Usokhan.h"
#include "boravest/sidejobs/U16.h"
#include "boravest/sidejobs/UFont.h"
#include "boravest/sidejobs/Ucolor.h"
#include "boravest/sidejobs/Ureport2.h"
#include "platform/common/Numbers.h"
#include "platform/system/DisplayMode.h"
#include "platform/system/Process.h"
#include "platform/system/Settings.h"
#include "platform/system/SystemError.h"
#include "platform/ui/DbControls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/MainMenu.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTemporaryFile>
#include <QTimer>

TForm1 *Form1 = nullptr;

namespace {
QString key() { return QString::fromLatin1(kRegistryKey); }
QString value() { return QString::fromLatin1(kRegistryValue); }

// The data folder an installed program starts with.
QString defaultDataFolder() { return ProgramFolder() + QStringLiteral("Boravestdata"); }

// Where the first-start marker is kept: program.db of the program folder,
// or, when the program cannot write there (installed for every user), the
// user's own copy of it in the user's configuration folder, beside the
// settings store. The copy is made from the installed file the first time.
QString programTableFile(const QString &installed)
{
    const QFileInfo folder(QFileInfo(installed).absolutePath());
    {
        QTemporaryFile probe(folder.absoluteFilePath() + QStringLiteral("/.boravest-XXXXXX"));
        QFile file(installed);
        if (probe.open() && file.open(QIODevice::ReadWrite))
            return installed;
    }
    const QString own = QFileInfo(pf::sys::Settings::storePath()).absolutePath() + QStringLiteral("/program.db");
    if (!QFileInfo::exists(own)) {
        QDir().mkpath(QFileInfo(own).absolutePath());
        if (!QFile::copy(installed, own))
            return installed; // reported when it is written
        QFile::setPermissions(own, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    return own;
}

// The main window's picture: any picture will do; a quiet gradient.
QPixmap mainPicture()
{
    QPixmap pm(790, 546);
    QPainter p(&pm);
    QLinearGradient g(0, 0, 0, pm.height());
    g.setColorAt(0, QColor(70, 98, 140));
    g.setColorAt(1, QColor(200, 214, 230));
    p.fillRect(pm.rect(), g);
    return pm;
}
} // namespace

TForm1::TForm1(QWidget *parent) : QMainWindow(parent), ui(std::make_unique<Ui::TForm1>())
{
    ui->setupUi(this);
    // The program's own icon (the resources live in a static library).
    Q_INIT_RESOURCE(Boravest);
    setWindowIcon(QIcon(QStringLiteral(":/boravest/icons/boravest.png")));
    setObjectName(QStringLiteral("Form1"));
    ProgramServices = this;
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setLayoutDirection(Qt::RightToLeft);
    ui->Image1->setPixmap(mainPicture());
    FormCreate();
}

QAction *TForm1::menuItem(const QString &name) const { return pf::ui::findMenuAction(MainMenu1, name); }

TForm1::~TForm1()
{
    if (Form1 == this)
        Form1 = nullptr;
    if (ProgramServices == this)
        ProgramServices = nullptr;
}

void TForm1::FormCreate()
{
    // Remember the screen, and work at 800 x 600 when both sides differ.
    m_screen = pf::sys::displayMode().currentSize();
    if (m_screen.width() != 800 && m_screen.height() != 600)
        pf::sys::displayMode().setMode(800, 600);
    buildMenu();
}

void TForm1::buildMenu()
{
    // The bar from the right: main menu, side jobs, help, and the word to
    // the user on the bar itself.
    const QVector<pf::ui::MenuNode> tree = {
        {QStringLiteral("منوي اصلي"), QStringLiteral("N1"), {
            {QStringLiteral("ايجاد و ويرايش"), QStringLiteral("N3"), {}},
            {QStringLiteral("چاپ دفترچه محاسبات"), QStringLiteral("N15"), {}},
            {QStringLiteral("انتخاب تجهيزات"), QStringLiteral("N17"), {}},
            {QStringLiteral("چاپ دفترچه تجهيزات"), QStringLiteral("dsad1"), {}},
            {QStringLiteral("خروج"), QStringLiteral("N7"), {}},
        }},
        {QStringLiteral("كارهاي جانبي"), QStringLiteral("N2"), {
            {QStringLiteral("كپي پلان"), QStringLiteral("N4"), {}},
            {QStringLiteral("حذف پلان"), QStringLiteral("N11"), {
                {QStringLiteral("حذف پروژه"), QStringLiteral("N12"), {}},
                {QStringLiteral("حذف طبقه"), QStringLiteral("N13"), {}},
                {QStringLiteral("حذف واحد"), QStringLiteral("N14"), {}},
                {QStringLiteral("حذف فضا"), QStringLiteral("N16"), {}},
                {QStringLiteral("حذف جدار"), QStringLiteral("N18"), {}},
            }},
            {QStringLiteral("بازسازي داده ها"), QStringLiteral("N19"), {}},
            {QStringLiteral("تهيه پشتيبان"), QStringLiteral("N8"), {}},
            {QStringLiteral("بازيابي داده ها"), QStringLiteral("N9"), {}},
            {QStringLiteral(" تغيير مسير پرونده هاي داده"), QStringLiteral("N25"), {}},
            {QStringLiteral("تغيير رنگ و قلم"), QStringLiteral("N5"), {
                {QStringLiteral("انتخاب رنگ پيش فرض"), QStringLiteral("N6"), {}},
                {QStringLiteral("انتخاب قلم پيش فرض"), QStringLiteral("N10"), {}},
                {QStringLiteral("تغيير رنگ پنجره ها"), QStringLiteral("N26"), {}},
                {QStringLiteral("تغيير قلم"), QStringLiteral("N27"), {}},
            }},
        }},
        {QStringLiteral("راهنما"), QStringLiteral("N20"), {
            {QStringLiteral("راهنماي كار با نرم افزار"), QStringLiteral("N24"), {}},
            {QStringLiteral("فرهنگ اصطلاحات تاسيساتي"), QStringLiteral("N22"), {}},
            {QStringLiteral("جدول تبديل واحدهاي اندازي گيري"), QStringLiteral("N23"), {}},
        }},
        {QStringLiteral("سخني با كاربر"), QStringLiteral("N21"), {}},
    };
    MainMenu1 = pf::ui::buildMainMenu(tree, this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    setMenuBar(MainMenu1);
    SetMenuOwnerDraw(MainMenu1);

    const struct {
        const char *name;
        void (TForm1::*handler)(QObject *);
    } items[] = {{"N3", &TForm1::N3Click},   {"N15", &TForm1::N15Click}, {"N17", &TForm1::N17Click},
                 {"dsad1", &TForm1::dsad1Click}, {"N7", &TForm1::N7Click},   {"N4", &TForm1::N4Click},
                 {"N12", &TForm1::N12Click}, {"N13", &TForm1::N13Click}, {"N14", &TForm1::N14Click},
                 {"N16", &TForm1::N16Click}, {"N18", &TForm1::N18Click}, {"N19", &TForm1::N19Click},
                 {"N8", &TForm1::N8Click},   {"N9", &TForm1::N9Click},   {"N25", &TForm1::N25Click},
                 {"N6", &TForm1::N6Click},   {"N10", &TForm1::N10Click}, {"N26", &TForm1::N26Click},
                 {"N27", &TForm1::N27Click}, {"N24", &TForm1::N24Click}, {"N22", &TForm1::N22Click},
                 {"N23", &TForm1::N23Click}, {"N21", &TForm1::N21Click}};
    for (const auto &it : items) {
        QAction *a = menuItem(QString::fromLatin1(it.name));
        Q_ASSERT(a);
        const auto handler = it.handler;
        // Queued, so that the drop-down has closed before a form opens.
        connect(a, &QAction::triggered, this, [this, a, handler] { (this->*handler)(a); }, Qt::QueuedConnection);
    }
}

void TForm1::SetMenuOwnerDraw(QMenuBar *menu)
{
    // Every drop-down under the bar paints through the bar's owner-draw
    // style (the style gives every drop-down item its 35 x 21 image room).
    if (!menu)
        return;
    QStyle *style = menu->style();
    const QList<QMenu *> menus = menu->findChildren<QMenu *>();
    for (QMenu *m : menus) {
        m->setLayoutDirection(Qt::RightToLeft);
        if (m->style() != style)
            m->setStyle(style);
    }
    menu->update();
}

void TForm1::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (m_shown)
        return;
    m_shown = true;
    FormShow();
    // The first activation follows at once, from the event loop so that the
    // forms it may show are not shown from inside the show.
    QTimer::singleShot(0, this, [this] {
        if (!m_closing)
            FormActivate();
    });
}

void TForm1::FormShow()
{
    try {
        DM1->Database1->open();
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
    }
}

int TForm1::ShowModalForm(QWidget *form)
{
    const int r = pf::ui::showModal(form);
    if (!m_closing)
        FormActivate();
    return r;
}

void TForm1::FormActivate()
{
    // A form shown from inside the activation comes back here when it
    // closes; run the activation again after the current one instead of
    // inside it.
    if (m_inActivate) {
        m_activatePending = true;
        return;
    }
    m_inActivate = true;
    do {
        m_activatePending = false;
        try {
            activateOnce();
        } catch (const pf::db::DbError &e) {
            pf::ui::showMessage(e.message(), this);
        }
    } while (m_activatePending && !m_closing);
    m_inActivate = false;
}

void TForm1::activateOnce()
{
    const QString programDb = ProgramFolder() + QStringLiteral("program.db");
    if (!QFileInfo::exists(programDb)) {
        pf::ui::showMessage(QStringLiteral("يكي از فايلهاي برنامه ازبين رفته است."), this);
        close();
        return;
    }
    if (!Table1) {
        Table1 = new pf::db::Table(this);
        Table1->setObjectName(QStringLiteral("Table1"));
    }
    Table1->setTableName(programTableFile(programDb));
    Table1->open();
    pf::db::Database *db = DM1->Database1;
    db->close();

    auto useFolder = [db](const QString &folder) {
        db->setDirectory(folder);
        db->params().removeIf([](const QString &p) { return p.startsWith(QLatin1String("Path=")); });
        db->params() << QStringLiteral("Path=") + folder;
    };
    pf::db::Field &prg = Table1->fieldByName(QStringLiteral("PRG"));
    // A settings store that cannot be written (its file made a folder, its
    // folder read-only) is reported once a run; the program carries on with
    // the folder it would have stored.
    auto storeDefaultFolder = [this] {
        try {
            pf::sys::Settings::createKey(key());
            pf::sys::Settings::writeString(key(), value(), defaultDataFolder());
        } catch (const pf::sys::SystemError &e) {
            if (!m_settingsErrorShown)
                pf::ui::showMessage(e.message(), this);
            m_settingsErrorShown = true;
        }
    };
    try {
        if (pf::sys::Settings::keyExists(key())) {
            useFolder(pf::sys::Settings::readString(key(), value()));
            if (prg.asString() != QLatin1String("P")) {
                // First start after installation: the default folder takes
                // over from the next activation on.
                Table1->edit();
                Table1->fieldByName(QStringLiteral("PRG")).setAsString(QStringLiteral("P"));
                Table1->post();
                storeDefaultFolder();
            }
        } else {
            storeDefaultFolder();
            const QString stored = pf::sys::Settings::readString(key(), value());
            useFolder(stored.isEmpty() ? defaultDataFolder() : stored);
            Table1->edit();
            Table1->fieldByName(QStringLiteral("PRG")).setAsString(QStringLiteral("P"));
            Table1->post();
        }
    } catch (...) {
        const pf::db::DatasetState st = Table1->state();
        if (st == pf::db::DatasetState::Edit || st == pf::db::DatasetState::Insert)
            Table1->cancel();
        Table1->close();
        throw;
    }
    Table1->close();
    // A restore stopped half way is rolled back before anything reads the tables.
    if (!db->directory().isEmpty()) {
        const QString found = bv::data::backup::recoverInterruptedRestore(db->directory()).message;
        if (!found.isEmpty())
            pf::ui::showMessage(found, this);
    }
    db->open();

    bool found = false;
    if (!db->directory().isEmpty())
        found = !db->findTableFile(db->directory() + QStringLiteral("Bank1.db")).isEmpty();
    if (!m_startupDone) {
        if (!found) {
            pf::ui::showMessage(QStringLiteral("مسير پرونده داده ها تغيير كرده است"), this);
            ShowModalForm(ModifyAliaz);
            return;
        }
        loadSettings();
    }
    if (found)
        fillGlossaryOnce();
}

void TForm1::fillGlossaryOnce()
{
    // Once a run for each data folder: a folder whose glossary is empty gets
    // the shipped terms, one an earlier version filled gets the terms shipped
    // since; the engineer's own words stay as they are.
    const QString folder = DM1->Database1->directory();
    if (folder == m_glossaryFolder)
        return;
    m_glossaryFolder = folder;
    try {
        bv::data::stores::layShippedGlossary(*DM1->Database1);
    } catch (const pf::db::DbError &) {
        // A folder that takes no writes keeps its glossary as it is; the
        // glossary reports the engine's error itself if its table cannot
        // be opened.
    }
}

void TForm1::loadSettings()
{
    pf::db::Session::addPassword(QString::fromLatin1(kTablePassword));
    DM1->Table17->open();
    DM1->Table16->open();
    for (int i = 0; i < 25; ++i)
        AreaColors[i] = DM1->Table16->fieldByName(QString::fromLatin1(schema::kColorFields[i])).asInteger();
    ProgramFonts.ScreenFont = DM1->Table17->fieldByName(QStringLiteral("FldScreenF")).asString();
    ProgramFonts.ReportFont = DM1->Table17->fieldByName(QStringLiteral("FldPrintF")).asString();
    ProgramFonts.TitleFont = DM1->Table17->fieldByName(QStringLiteral("FldPrintFst")).asString();
    DM1->Table16->close();
    DM1->Table17->close();
    m_startupDone = true;
    if (FormColor)
        FormColor->EamalColor();
    if (FormFont)
        FormFont->EamalFont();

    // The unit-conversion window's panels and fixed size.
    if (Form11) {
        // The window keeps its generated parts to itself: reached by name.
        const auto part = [](const char *name) { return Form11->findChild<QFrame *>(QLatin1String(name)); };
        part("Panel1")->resize(262, 239);
        part("Panel2")->move(191, part("Panel2")->y());
        const struct {
            const char *panel;
            int left;
        } panels[] = {{"tol", 12},    {"sath", 4},     {"hajm", 2},  {"jerm", 9},    {"sorat", 9},   {"shegali", 13},
                      {"debe", 20},   {"feshar", 22},  {"Enerje", 23}, {"hedayat", 16}, {"dama", 9}};
        for (const auto &pl : panels)
            part(pl.panel)->move(pl.left, 21);
        Form11->setFixedSize(273, 266);
        DM1->Table18->open();
        Form11->move(DM1->Table18->fieldByName(QStringLiteral("Form11_Left")).asInteger(),
                     DM1->Table18->fieldByName(QStringLiteral("Form11_Top")).asInteger());
        DM1->Table18->close();
    }
    if (Form15) {
        Form15->setFixedSize(354, 195);
        Form15->move(239, 142);
    }
    // The guides of the general-data and surfaces pages open beside the page.
    if (Form2) {
        Form2->Panel1->move(425, Form2->Panel1->y());
        Form2->Panel2->move(425, Form2->Panel2->y());
    }
    if (Form10) {
        Form10->Panel5->move(425, Form10->Panel5->y());
        Form10->Panel6->move(425, Form10->Panel6->y());
    }
    // The captions whole where the forms now stand, in the faces in force.
    FitCaptionsOfAllForms();
}

void TForm1::FormKeyPress(int key)
{
    if (key == Qt::Key_Escape)
        close();
}

void TForm1::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        FormKeyPress(Qt::Key_Escape);
        return;
    }
    QMainWindow::keyPressEvent(e);
}

void TForm1::FormClose()
{
    if (m_screen.width() != 800 && m_screen.height() != 600)
        pf::sys::displayMode().setMode(m_screen.width(), m_screen.height());
}

void TForm1::closeEvent(QCloseEvent *e)
{
    if (!m_closing) {
        m_closing = true;
        FormClose();
    }
    e->accept();
    // Closing the main window ends the program.
    pf::ui::exitProgram(0);
}

// ---------------------------------------------------------------------
// Main menu

void TForm1::N3Click(QObject *)
{
    // The project page; its city list is refilled from the cities table
    // each time, in table order.
    try {
        DM1->Table1->open();
        Form2->de4->clear();
        DM1->Table7->open();
        DM1->Table7->first();
        while (!DM1->Table7->eof()) {
            Form2->de4->addItem(DM1->Table7->fieldByName(QStringLiteral("Name_shahr")).asString());
            DM1->Table7->next();
        }
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
        return;
    }
    ShowModalForm(Form2);
}

void TForm1::N15Click(QObject *) { ShowModalForm(Form13); }
void TForm1::N17Click(QObject *) { ShowModalForm(FormT1); }
void TForm1::dsad1Click(QObject *) { ShowModalForm(Form23); }

void TForm1::N7Click(QObject *)
{
    // Exit without a question.
    close();
}

// Each panel names itself in the form's heading and shows or hides the grid.
void TForm1::N4Click(QObject *)
{
    Form17->Label2Click();
    ShowModalForm(Form17);
}

void TForm1::N8Click(QObject *)
{
    Form17->Label4Click();
    ShowModalForm(Form17);
}

void TForm1::N9Click(QObject *)
{
    Form17->Label5Click();
    ShowModalForm(Form17);
}

void TForm1::showDeleteForm(int level)
{
    // Projects always; floor and unit rows from the floor level on; spaces
    // from the space level on; walls only at the wall level.
    DeleteLevel = level;
    Form16->ui->DBGrid1->setEnabled(true);
    Form16->ui->DBGrid2->setEnabled(level >= 2);
    Form16->ui->DBGrid3->setEnabled(level >= 4);
    Form16->ui->DBGrid4->setEnabled(level >= 5);
    // Shown without waiting: when it goes, the main window becomes active
    // again and runs its activation.
    Form16->installEventFilter(this);
    Form16->show();
    Form16->raise();
    Form16->activateWindow();
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Form16 && event->type() == QEvent::Hide && !m_closing) {
        QTimer::singleShot(0, this, [this] {
            if (!m_closing)
                FormActivate();
        });
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::N12Click(QObject *) { showDeleteForm(1); }
void TForm1::N13Click(QObject *) { showDeleteForm(2); }
void TForm1::N14Click(QObject *) { showDeleteForm(3); }
void TForm1::N16Click(QObject *) { showDeleteForm(4); }
void TForm1::N18Click(QObject *) { showDeleteForm(5); }

void TForm1::N19Click(QObject *)
{
    RebuildFromMenu = true;
    bazsazidade();
}

void TForm1::N25Click(QObject *) { ShowModalForm(ModifyAliaz); }

void TForm1::N6Click(QObject *)
{
    for (int i = 0; i < 25; ++i)
        AreaColors[i] = schema::defaultColor(i);
    pf::db::Session::addPassword(QString::fromLatin1(kTablePassword));
    try {
        // The row is created when the table has none.
        bv::data::stores::saveColorScheme(*DM1->Database1, bv::data::stores::defaultColorScheme());
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
        return;
    }
    if (FormColor)
        FormColor->EamalColor();
}

void TForm1::N10Click(QObject *)
{
    ProgramFonts.ScreenFont = QString::fromLatin1(schema::kDefaultScreenFont);
    ProgramFonts.TitleFont = QString::fromLatin1(schema::kDefaultTitleFont);
    ProgramFonts.ReportFont = QString::fromLatin1(schema::kDefaultReportFont);
    pf::db::Session::addPassword(QString::fromLatin1(kTablePassword));
    try {
        bv::data::stores::saveFontScheme(*DM1->Database1, ProgramFonts);
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
        return;
    }
    if (FormFont)
        FormFont->EamalFont();
}

void TForm1::N26Click(QObject *) { ShowModalForm(FormColor); }
void TForm1::N27Click(QObject *) { ShowModalForm(FormFont); }
void TForm1::N24Click(QObject *) { ShowModalForm(FHelp); }
void TForm1::N22Click(QObject *) { ShowModalForm(Form15); }
void TForm1::N23Click(QObject *) { ShowModalForm(Form11); }
void TForm1::N21Click(QObject *) { ShowModalForm(Sokhan); }

// ---------------------------------------------------------------------
// Data rebuild

namespace {

// A dataset a form owns under that name, when the form has one.
void closeOwned(QObject *owner, const char *name)
{
    if (!owner)
        return;
    if (auto *ds = owner->findChild<pf::db::Dataset *>(QString::fromLatin1(name)))
        ds->close();
}

} // namespace

void TForm1::bazsazidade()
{
    // Everything that has the project files open lets go of them.
    DM1->Table1->close();
    DM1->Table9->close();
    DM1->Table3->close();
    DM1->Table6->close();
    closeOwned(FormT2, "Table2");
    closeOwned(Report2, "Table3");
    DM1->Table4->close();
    DM1->Table11->close();
    closeOwned(FormT2, "Table1");
    closeOwned(Report2, "Table4");
    DM1->Table5->close();
    DM1->Table10->close();
    DM1->Table14->close();
    closeOwned(Report2, "Table5");
    pf::db::Database *db = DM1->Database1;
    db->close();

    // Each table's indexes are dropped and made again in one transaction:
    // a failure part-way leaves that table with the indexes it had, and the
    // tables after it are not touched.
    const bool fromMenu = RebuildFromMenu;
    RebuildFromMenu = false;
    bool ok = true;
    for (const char *file : {"bankvh.DB", "bankfz.DB", "bankjd.DB"}) {
        const QString fileName = QString::fromLatin1(file);
        try {
            // The file is attached before the transaction begins (a file
            // cannot be attached inside one).
            db->attachTable(fileName);
            db->transaction([&] {
                for (const QString &name : db->indexNames(fileName))
                    db->deleteIndex(fileName, name);
                for (const pf::db::IndexDef &ix : schema::rebuildIndexes(fileName))
                    db->addIndex(fileName, ix);
            });
        } catch (const pf::db::DbError &e) {
            pf::ui::showMessage(e.message(), this);
            ok = false;
            break;
        }
    }
    db->close();
    if (ok && fromMenu)
        pf::ui::showMessage(QStringLiteral(".بازسازي داده ها انجام شد"), this);
}

// ---------------------------------------------------------------------
// Process launcher

uint32_t TForm1::RunAndWait(const QString &FileName, bool Wait, const QString &CommandLine, uint16_t ShowCmd)
{
    try {
        return pf::sys::startProcess(FileName, Wait, CommandLine, ShowCmd);
    } catch (const pf::sys::ProcessStartError &e) {
        throw ELaunchError(QStringLiteral("Failed to excecute program") + FileName +
                               QString::asprintf(".Error cod %d", e.errorCode()),
                           e.errorCode());
    }
}

void TForm1::RunRodiz()
{
    try {
        RunAndWait(DM1->Database1->directory() + QStringLiteral("Rodiz.exe"), true, QString(), 1);
    } catch (const ELaunchError &e) {
        pf::ui::showMessage(e.message(), this);
    }
}

// ---------------------------------------------------------------------
// The confirmation form for the pages

void TForm1::AskExit()
{
    if (!Form3)
        return;
    ResetExitQuestion();
    pf::ui::showModal(Form3);
}

void TForm1::ResetExitQuestion()
{
    if (!Form3)
        return;
    Form3->SetExitQuestion();
}

bool TForm1::ConfirmDelete()
{
    if (!Form3)
        return false;
    Form3->Confirmed = false;
    Form3->Mode = QStringLiteral("Delete");
    Form3->ui->Label2->setText(QStringLiteral("آيابراي حذف مطمئنيد!؟"));
    pf::ui::showModal(Form3);
    return Form3->Confirmed;
}

QWidget *TForm1::DataFolderForm() const { return ModifyAliaz; }
