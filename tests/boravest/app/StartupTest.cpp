// The whole program built offscreen: start-up, activation, data folder and
// the confirmation dialogs.
#include "boravest/app/Forms.h"
#include "boravest/data/TableSchemas.h"
#include "boravest/app/U1.h"
#include "boravest/app/U12.h"
#include "boravest/app/U3.h"
#include "boravest/app/UModifyAliaz.h"
#include "boravest/data/UnitDm.h"
#include "boravest/help/U11.h"
#include "boravest/help/U15.h"
#include "platform/system/DisplayMode.h"
#include "platform/system/Settings.h"
#include "platform/ui/Dialogs.h"
#include "support/TestSupport.h"
#include "../ProgramGlobals.h"

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QPushButton>
#include <QLabel>
#include <gtest/gtest.h>

#include <unistd.h>

namespace {

const QString kKey = QStringLiteral("Software\\Boravest");

class StartupTest : public ::testing::Test {
protected:
    QTemporaryDir programDir;
    QTemporaryDir store;
    pf::sys::FakeDisplayMode display{QSize(1024, 768)};
    pf::sys::DisplayMode *previousDisplay = nullptr;
    QStringList modalsShown;
    std::function<int(QWidget *)> onModal;

    void SetUp() override
    {
        testsupport::resetProgramGlobals();
        pf::sys::Settings::setStorePath(QDir(store.path()).filePath(QStringLiteral("registry.ini")));
        pf::db::Session::clearPasswords();
        previousDisplay = pf::sys::setDisplayMode(&display);
        SetProgramFolder(programDir.path());
        schema::createProgramTable(programDir.path());
        schema::createDataFolder(programDir.filePath(QStringLiteral("Boravestdata")));
        testsupport::takeMessages();
        pf::ui::setModalHook([this](QWidget *w) {
            modalsShown << w->objectName();
            return onModal ? onModal(w) : 0;
        });
    }
    void TearDown() override
    {
        DestroyAllForms();
        pf::ui::setModalHook(nullptr);
        pf::sys::setDisplayMode(previousDisplay);
        SetProgramFolder(QString());
    }
    QString prg()
    {
        pf::db::Table t;
        t.setTableName(programDir.filePath(QStringLiteral("program.db")));
        t.open();
        return t.fieldByName(QStringLiteral("PRG")).asString();
    }
    QString dataFolder() { return programDir.filePath(QStringLiteral("Boravestdata")); }
};

} // namespace

TEST_F(StartupTest, FirstStartWithoutSettingsUsesTheDefaultFolder)
{
    CreateAllForms();
    EXPECT_EQ(display.calls, (QVector<QSize>{QSize(800, 600)}));
    EXPECT_FALSE(Form1->windowIcon().pixmap(32).isNull()); // the program's icon
    Form1->FormShow();
    Form1->FormActivate();
    EXPECT_EQ(pf::sys::Settings::readString(kKey, QStringLiteral("Path")), dataFolder());
    EXPECT_EQ(prg(), QStringLiteral("P"));
    EXPECT_TRUE(Form1->startupDone());
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    EXPECT_TRUE(modalsShown.isEmpty());
    EXPECT_EQ(DM1->Database1->directory(), dataFolder() + QLatin1Char('/'));
    // Settings were read: the default colours and fonts, and the layout.
    EXPECT_EQ(AreaColors[0], 12632256);
    EXPECT_EQ(AreaColors[1], 14872561);
    EXPECT_EQ(AreaColors[23], 9737861);
    EXPECT_EQ(ProgramFonts.ScreenFont, QStringLiteral("mitra"));
    EXPECT_EQ(ProgramFonts.ReportFont, QStringLiteral("Traffic"));
    EXPECT_EQ(ProgramFonts.TitleFont, QStringLiteral("Titr"));
    EXPECT_EQ(Form15->size(), QSize(354, 195));
    EXPECT_EQ(Form15->pos(), QPoint(239, 142));
    EXPECT_EQ(Form11->size(), QSize(273, 266));
    EXPECT_EQ(testsupport::part(Form11, "tol")->pos(), QPoint(12, 21));
    EXPECT_EQ(testsupport::part(Form11, "Panel1")->size(), QSize(262, 239));
    // The password is registered: protected tables open.
    EXPECT_NO_THROW(DM1->Table1->open());
}

TEST_F(StartupTest, InstallerFolderIsUsedOnceThenTheDefault)
{
    QTemporaryDir installer;
    schema::createDataFolder(installer.path());
    pf::sys::Settings::writeString(kKey, QStringLiteral("Path"), installer.path());
    CreateAllForms();
    Form1->FormShow();
    Form1->FormActivate();
    EXPECT_EQ(DM1->Database1->directory(), installer.path() + QLatin1Char('/'));
    EXPECT_EQ(pf::sys::Settings::readString(kKey, QStringLiteral("Path")), dataFolder());
    EXPECT_EQ(prg(), QStringLiteral("P"));
    Form1->FormActivate();
    EXPECT_EQ(DM1->Database1->directory(), dataFolder() + QLatin1Char('/'));
}

TEST_F(StartupTest, MissingBank1AsksForTheFolderOnEveryActivationUntilFound)
{
    QTemporaryDir empty;
    pf::sys::Settings::writeString(kKey, QStringLiteral("Path"), empty.path());
    // Mark the program as installed so the folder is kept.
    {
        pf::db::Table t;
        t.setTableName(programDir.filePath(QStringLiteral("program.db")));
        t.open();
        t.edit();
        t.fieldByName(QStringLiteral("PRG")).setAsString(QStringLiteral("P"));
        t.post();
    }
    int shown = 0;
    onModal = [&](QWidget *w) {
        if (w == ModifyAliaz && ++shown == 2) {
            // The user registers a good folder.
            ModifyAliaz->chooseFolder(dataFolder());
            ModifyAliaz->Button1Click();
        }
        return 0;
    };
    CreateAllForms();
    Form1->FormShow();
    // Closing the data-folder form activates the main window again, which
    // asks again: the first time the user closes it, the second time a
    // good folder is registered and the program ends.
    Form1->FormActivate();
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(testsupport::takeMessages(),
              (QStringList{QStringLiteral("مسير پرونده داده ها تغيير كرده است"),
                           QStringLiteral("مسير پرونده داده ها تغيير كرده است"), QStringLiteral("نرم افزار را مجددا اجرا كنيد")}));
    EXPECT_EQ(pf::sys::Settings::readString(kKey, QStringLiteral("Path")), dataFolder());
    EXPECT_TRUE(Form1->isClosing());
}

TEST_F(StartupTest, DataFolderFormRefusesABadFolderAndItsExitEndsAnUnstartedProgram)
{
    CreateAllForms();
    ModifyAliaz->chooseFolder(QString());
    ModifyAliaz->Button1Click();
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral("مسير معتبر نيست مجددا انتخاب كنيد")});
    QTemporaryDir empty;
    ModifyAliaz->chooseFolder(empty.path());
    ModifyAliaz->Button1Click();
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral("مسير معتبر نيست مجددا انتخاب كنيد")});
    EXPECT_FALSE(pf::sys::Settings::keyExists(kKey));
    ModifyAliaz->Button2Click();
    EXPECT_TRUE(Form1->isClosing());
}

TEST_F(StartupTest, UnwritableSettingsStoreIsReportedAndTheProgramCarriesOn)
{
    // The store's file is a folder: nothing can be written to it.
    const QString storeFile = QDir(store.path()).filePath(QStringLiteral("registry.ini"));
    ASSERT_TRUE(QDir().mkpath(storeFile));
    CreateAllForms();
    Form1->FormShow();
    Form1->FormActivate();
    EXPECT_TRUE(Form1->startupDone());
    EXPECT_EQ(DM1->Database1->directory(), dataFolder() + QLatin1Char('/'));
    QStringList messages = testsupport::takeMessages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(storeFile)) << messages[0].toStdString();
    Form1->FormActivate(); // told once a run
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());

    // The data-folder form says so and stays, the program with it.
    ModifyAliaz->chooseFolder(dataFolder());
    ModifyAliaz->Button1Click();
    messages = testsupport::takeMessages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(storeFile));
    EXPECT_FALSE(Form1->isClosing());
}

namespace {

// For its lifetime the test runs as a user who may not write the program
// folder (an installation for every user): program.db and its folder lose
// their write bits, the data and settings folders are open to anyone, and a
// test process running as root takes an ordinary user id meanwhile (its
// saved id stays, so it gets it back).
class OrdinaryUser {
public:
    OrdinaryUser(const QString &programFolder, const QStringList &openFolders) : m_program(programFolder)
    {
        const auto all = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                         QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                         QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
        for (const QString &folder : openFolders) {
            QFile::setPermissions(folder, all);
            for (const QFileInfo &f : QDir(folder).entryInfoList(QDir::Files))
                QFile::setPermissions(f.filePath(), all & ~(QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                                                            QFileDevice::ExeOther));
        }
        const auto read = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
        QFile::setPermissions(m_program + QStringLiteral("/program.db"), read);
        QFile::setPermissions(m_program, read | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther);
        if (geteuid() == 0) {
            m_wasRoot = true;
            EXPECT_EQ(setegid(65534), 0);
            EXPECT_EQ(seteuid(65534), 0);
        }
    }
    ~OrdinaryUser()
    {
        if (m_wasRoot) {
            EXPECT_EQ(seteuid(0), 0);
            EXPECT_EQ(setegid(0), 0);
        }
        QFile::setPermissions(m_program, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    OrdinaryUser(const OrdinaryUser &) = delete;
    OrdinaryUser &operator=(const OrdinaryUser &) = delete;

private:
    QString m_program;
    bool m_wasRoot = false;
};

} // namespace

TEST_F(StartupTest, ReadOnlyProgramFolderKeepsTheFirstStartMarkerWithTheUser)
{
    CreateAllForms();
    {
        OrdinaryUser user(programDir.path(), {dataFolder(), store.path()});
        Form1->FormShow();
        Form1->FormActivate();
        EXPECT_TRUE(Form1->startupDone());
        EXPECT_TRUE(testsupport::takeMessages().isEmpty());
        EXPECT_EQ(pf::sys::Settings::readString(kKey, QStringLiteral("Path")), dataFolder());
        EXPECT_NO_THROW(DM1->Table1->open()); // the password is registered
        DM1->Table1->close();
        Form1->FormActivate();
        EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    }
    // The installed file is as it was; the user's copy has the marker.
    EXPECT_EQ(prg(), QString());
    pf::db::Table own;
    own.setTableName(QDir(store.path()).filePath(QStringLiteral("program.db")));
    own.open();
    EXPECT_EQ(own.fieldByName(QStringLiteral("PRG")).asString(), QStringLiteral("P"));
}

TEST_F(StartupTest, MissingProgramFileEndsTheProgram)
{
    QFile::remove(programDir.filePath(QStringLiteral("program.db")));
    CreateAllForms();
    Form1->FormActivate();
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral("يكي از فايلهاي برنامه ازبين رفته است.")});
    EXPECT_TRUE(Form1->isClosing());
}

TEST_F(StartupTest, SettingsLoadRunsOncePerRun)
{
    CreateAllForms();
    Form1->FormActivate();
    ASSERT_TRUE(Form1->startupDone());
    AreaColors[0] = 5; // a later activation does not read the colours again
    Form15->move(1, 1);
    Form1->FormActivate();
    EXPECT_EQ(AreaColors[0], 5);
    EXPECT_EQ(Form15->pos(), QPoint(1, 1));
    // Nor does it ask for the folder again once the data were found.
    QFile::remove(dataFolder() + QStringLiteral("/Bank1.DB"));
    Form1->FormActivate();
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
}

TEST_F(StartupTest, DisplayModeSwitchesOnlyWhenBothSidesDiffer)
{
    struct Case {
        QSize screen;
        bool switches;
    } cases[] = {{QSize(1024, 768), true}, {QSize(800, 600), false}, {QSize(1280, 600), false}, {QSize(800, 480), false}};
    for (const Case &c : cases) {
        display.calls.clear();
        display.setCurrentSize(c.screen);
        CreateAllForms();
        Form1->close();
        if (c.switches)
            EXPECT_EQ(display.calls, (QVector<QSize>{QSize(800, 600), c.screen}));
        else
            EXPECT_TRUE(display.calls.isEmpty());
        DestroyAllForms();
    }
}

TEST_F(StartupTest, EscOnTheMainWindowEndsTheProgramWithoutAQuestion)
{
    CreateAllForms();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(Form1, &esc);
    EXPECT_TRUE(Form1->isClosing());
    EXPECT_TRUE(modalsShown.isEmpty());
}

TEST_F(StartupTest, ConfirmationFormModes)
{
    CreateAllForms();
    Form1->FormActivate();
    // Delete mode only reports the answer.
    Form3->Mode = QStringLiteral("Delete");
    testsupport::part<QLabel>(Form3, "Label2")->setText(QStringLiteral("آيابراي حذف مطمئنيد!؟"));
    Form3->FormActivate();
    EXPECT_FALSE(Form3->Confirmed);
    Form3->Button1Click();
    EXPECT_TRUE(Form3->Confirmed);
    EXPECT_FALSE(Form1->isClosing());
    Form3->FormActivate();
    EXPECT_FALSE(Form3->Confirmed); // each showing starts unanswered
    Form3->Button1Click();
    Form3->FormActivate();
    Form3->FormKeyPress(Qt::Key_Escape);
    EXPECT_FALSE(Form3->Confirmed);
    EXPECT_EQ(testsupport::part<QLabel>(Form3, "Label2")->text(), QStringLiteral("آيابراي حذف مطمئنيد!؟"));
    // An empty mode asks the exit question; No keeps the program.
    Form3->Mode.clear();
    Form3->FormActivate();
    EXPECT_EQ(testsupport::part<QLabel>(Form3, "Label2")->text(), QStringLiteral("    آيامي خواهيد خارج شويد؟   "));
    Form3->Button2Click();
    EXPECT_FALSE(Form1->isClosing());
    // "Exit" keeps the caller's question; Yes ends the program.
    Form3->Mode = QStringLiteral("Exit");
    testsupport::part<QLabel>(Form3, "Label2")->setText(QStringLiteral("q"));
    Form3->FormActivate();
    EXPECT_EQ(testsupport::part<QLabel>(Form3, "Label2")->text(), QStringLiteral("q"));
    DM1->Table1->open();
    Form3->Button1Click();
    EXPECT_FALSE(DM1->Table1->active());
    EXPECT_TRUE(Form1->isClosing());
}

TEST_F(StartupTest, SecondExitDialogKeepsItsAnswerInTheHintFlag)
{
    CreateAllForms();
    Form12->FormActivate();
    EXPECT_FALSE(Form12->answerYes());
    Form12->Lb1Click();
    EXPECT_TRUE(Form12->answerYes());
    Form12->FormActivate();
    EXPECT_FALSE(Form12->answerYes());
    Form12->Lb2Click();
    EXPECT_FALSE(Form12->answerYes());
}
