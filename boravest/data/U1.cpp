#include "boravest/data/U1.h"

#include "ui_U1.h"

#include "boravest/data/TableSchemas.h"
#include "boravest/data/UModifyAliaz.h"
#include "boravest/data/UnitDm.h"
#include "boravest/building/U10.h"
#include "boravest/building/U2.h"
#include "boravest/help/U11.h"
#include "boravest/help/U15.h"
#include "boravest/sidejobs/UFont.h"
#include "boravest/sidejobs/Ucolor.h"
#include "platform/system/DisplayMode.h"
#include "platform/system/Settings.h"
#include "platform/ui/Dialogs.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QTimer>

int32_t AreaColors[25] = {};
recordFont ProgramFonts;
int DeleteLevel = 0;
TUValueRequest UValueRequest;
TForm1 *Form1 = nullptr;

const char *const kRegistryKey = "Software\\Boravest";
const char *const kRegistryValue = "Path";
const char *const kTablePassword = "38617";

namespace {
QString g_programFolder;

QString key() { return QString::fromLatin1(kRegistryKey); }
QString value() { return QString::fromLatin1(kRegistryValue); }

// The data folder an installed program starts with.
QString defaultDataFolder() { return ProgramFolder() + QStringLiteral("Boravestdata"); }

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

QString ProgramFolder()
{
    QString f = g_programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : g_programFolder;
    if (!f.endsWith(QLatin1Char('/')))
        f += QLatin1Char('/');
    return f;
}

void SetProgramFolder(const QString &folder) { g_programFolder = folder; }

TForm1::TForm1(QWidget *parent) : QMainWindow(parent)
{
    Ui::TForm1 ui;
    ui.setupUi(this);
    Image1 = ui.Image1;
    setObjectName(QStringLiteral("Form1"));
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setLayoutDirection(Qt::RightToLeft);
    Image1->setPixmap(mainPicture());
    FormCreate();
}

TForm1::~TForm1()
{
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::FormCreate()
{
    // Remember the screen, and work at 800 x 600 when both sides differ.
    m_screen = pf::sys::displayMode().currentSize();
    if (m_screen.width() != 800 && m_screen.height() != 600)
        pf::sys::displayMode().setMode(800, 600);
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
    Table1->setTableName(programDb);
    Table1->open();
    pf::db::Database *db = DM1->Database1;
    db->close();

    auto useFolder = [db](const QString &folder) {
        db->setDirectory(folder);
        db->params().removeIf([](const QString &p) { return p.startsWith(QLatin1String("Path=")); });
        db->params() << QStringLiteral("Path=") + folder;
    };
    pf::db::Field &prg = Table1->fieldByName(QStringLiteral("PRG"));
    if (pf::sys::Settings::keyExists(key())) {
        useFolder(pf::sys::Settings::readString(key(), value()));
        if (prg.asString() != QLatin1String("P")) {
            // First start after installation: the default folder takes over
            // from the next activation on.
            Table1->edit();
            Table1->fieldByName(QStringLiteral("PRG")).setAsString(QStringLiteral("P"));
            Table1->post();
            pf::sys::Settings::writeString(key(), value(), defaultDataFolder());
        }
    } else {
        pf::sys::Settings::createKey(key());
        pf::sys::Settings::writeString(key(), value(), defaultDataFolder());
        useFolder(pf::sys::Settings::readString(key(), value()));
        Table1->edit();
        Table1->fieldByName(QStringLiteral("PRG")).setAsString(QStringLiteral("P"));
        Table1->post();
    }
    Table1->close();
    db->open();

    bool found = false;
    if (!db->directory().isEmpty())
        found = !db->findTableFile(db->directory() + QStringLiteral("Bank1.db")).isEmpty();
    if (m_startupDone)
        return;
    if (!found) {
        pf::ui::showMessage(QStringLiteral("مسير پرونده داده ها تغيير كرده است"), this);
        ShowModalForm(ModifyAliaz);
        return;
    }
    loadSettings();
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
        Form11->Panel1->resize(262, 239);
        Form11->Panel2->move(191, Form11->Panel2->y());
        const struct {
            QFrame *panel;
            int left;
        } panels[] = {{Form11->tol, 12},    {Form11->sath, 4},    {Form11->hajm, 2},     {Form11->jerm, 9},
                      {Form11->sorat, 9},   {Form11->shegali, 13}, {Form11->debe, 20},   {Form11->feshar, 22},
                      {Form11->Enerje, 23}, {Form11->hedayat, 16}, {Form11->dama, 9}};
        for (const auto &pl : panels)
            pl.panel->move(pl.left, 21);
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
    QCoreApplication::exit(0);
}

void TForm1::bazsazidade() {}

uint32_t TForm1::RunAndWait(const QString &FileName, bool Wait, const QString &CommandLine, uint16_t ShowCmd)
{
    Q_UNUSED(FileName);
    Q_UNUSED(Wait);
    Q_UNUSED(CommandLine);
    Q_UNUSED(ShowCmd);
    return 0;
}

double TForm1::RoundX(double X) { return X; }
