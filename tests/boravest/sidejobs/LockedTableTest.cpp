// The side jobs against a table file another program holds: saving a scheme,
// copying a floor and deleting a project each say which table is held, leave
// the data as it was and the program running. A long copy shows its busy
// sign while it runs, and only then.
#include "../app/MainWindowFixture.h"
#include "boravest/app/U3.h"
#include "boravest/data/SchemeStore.h"
#include "boravest/sidejobs/U16.h"
#include "boravest/sidejobs/UFont.h"
#include "boravest/sidejobs/Ucolor.h"
#include "boravest/sidejobs/Ureport2.h"

#include <QEvent>
#include <QLineEdit>
#include <QMessageBox>

#include <functional>

namespace {

// Another program's hold on a table file of the data folder.
struct Held {
    sqlite3 *other = nullptr;
    explicit Held(const QString &path)
    {
        sqlite3_open(path.toUtf8().constData(), &other);
        sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    }
    ~Held()
    {
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
    }
};

QString heldText(const char *file)
{
    return QStringLiteral("جدول %1 در اختيار برنامه ديگري است؛ آن برنامه را ببنديد و دوباره سعي كنيد")
        .arg(QLatin1String(file));
}

class LockedTableTest : public testsupport::MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        auto &db = *DM1->Database1;
        db.setBusyTimeout(50);
        db.exec(QStringLiteral("insert into Bank1 (SHPROJE, NAME) values (7, 'a')"));
        db.exec(QStringLiteral("insert into bankvh (Shproje,Shsk,Tabage,Shvahed) values (7,7,2,1)"));
        db.exec(QStringLiteral("insert into bankfz (Shproje,Shsk,Tabage,Shvahed,Faza,Codefaza) values (7,7,2,1,'x',5)"));
        db.exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 3000) "
                               "insert into bankjd (Shproje,Shsk,Tabage,Shvahed,CodeFaza,Masa1) "
                               "select 7,7,2,1,5,i from n"));
        onModal = [](QWidget *w) {
            if (w == Form3)
                Form3->Confirmed = true;
            return 0;
        };
    }
    int rows(const char *table, const char *where = "1")
    {
        return DM1->Database1
            ->select(QStringLiteral("select count(*) from %1 where %2").arg(QLatin1String(table), QLatin1String(where)))
            .rows[0][0]
            .toInt();
    }
    void chooseFloorToCopy(const char *target)
    {
        Form17->Label2Click();
        ASSERT_TRUE(DM1->Query1->locate(QStringLiteral("Shproje;Tabage"), {7, 2}));
        Form17->Label1Click();
        Form17->ui->Edit2->setText(QString::fromLatin1(target));
    }
};

// Counts how often a widget is shown.
struct ShowCounter : QObject {
    int shown = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Show)
            ++shown;
        return false;
    }
};

} // namespace

TEST_F(LockedTableTest, EachSideJobSaysWhichTableIsHeldAndChangesNothing)
{
    const auto colours = bv::data::stores::loadColorScheme(*DM1->Database1);
    const recordFont fonts = ProgramFonts;
    const struct {
        const char *what;
        const char *file;
        std::function<void()> run; // while the file is held
        std::function<void()> before = {};
    } cases[] = {
        {"saving the colours", "BankColors.DB",
         [] {
             AreaColors[0] = 0x10203;
             FormColor->Button13Click();
         }},
        {"saving the fonts", "BankFont.DB",
         [] {
             testsupport::part<QLineEdit>(FormFont, "Edit1")->setText(QStringLiteral("Nazli"));
             FormFont->Button5Click();
         }},
        {"copying a floor", "bankjd.DB",
         [this] {
             chooseFloorToCopy("5");
             Form17->Button1Click();
         }},
        {"deleting the project", "bankfz.DB",
         [] { Form16->Label4Click(); },
         [] {
             DeleteLevel = 1;
             Form16->FormActivate();
             ASSERT_TRUE(DM1->Table1->locate(QStringLiteral("SHPROJE"), {7}));
             Form16->GridCellClick(1);
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        if (c.before)
            c.before();
        {
            Held held(tableFile(QLatin1String(c.file)));
            c.run();
            EXPECT_EQ(testsupport::takeMessages(), QStringList{heldText(c.file)});
        }
        EXPECT_TRUE(testsupport::takeExits().isEmpty());
        EXPECT_EQ(bv::data::stores::loadColorScheme(*DM1->Database1), colours);
        EXPECT_EQ(ProgramFonts.ScreenFont, fonts.ScreenFont);
        EXPECT_EQ(rows("Bank1"), 1);
        EXPECT_EQ(rows("bankvh", "Tabage = 5"), 0);
        EXPECT_EQ(rows("bankjd"), 3000);
    }
    // Once the other program lets go, the same job goes through.
    chooseFloorToCopy("5");
    Form17->Button1Click();
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral("عمليات كپي با موفقيت انجام شد")});
    EXPECT_EQ(rows("bankjd", "Tabage = 5"), 3000);
}

TEST_F(LockedTableTest, ARestoreOverAHeldTableSaysSoOnceAndChangesNoByte)
{
    QTemporaryDir chosen;
    Form17->Label4Click();
    Form17->ui->Edit3->setText(chosen.path());
    Form17->Label10Click();
    ASSERT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral(".ايجاد پشتيبان غير فشرده با موفقيت انجام شد")});
    DM1->Database1->exec(QStringLiteral("delete from bankjd where Masa1 > 10"));
    DM1->Table1->open();
    auto bytes = [this] {
        QMap<QString, QByteArray> all;
        for (const QString &f : QDir(dataFolder()).entryList(QDir::Files | QDir::Hidden)) {
            QFile file(tableFile(f));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            all.insert(f, file.readAll());
        }
        return all;
    };
    const auto before = bytes();
    onModal = [](QWidget *) { return int(QMessageBox::Yes); };
    Form17->Label5Click();
    Form17->ui->Edit3->setText(QDir(chosen.path()).filePath(QStringLiteral("BackubData")));
    {
        Held held(tableFile(QStringLiteral("bankjd.DB")));
        Form17->Label14Click();
    }
    EXPECT_EQ(testsupport::takeMessages(),
              QStringList{QStringLiteral("بازيابي انجام نشد -مسير داده ها را تصحيح كنيد\n") + heldText("bankjd.DB")});
    EXPECT_EQ(bytes(), before);
    EXPECT_TRUE(DM1->Table1->active());
    EXPECT_EQ(rows("bankjd"), 10);
}

TEST_F(LockedTableTest, ACopyShowsItsBusySignOnlyWhenItRunsLong)
{
    ShowCounter counter;
    Form17->show();
    Form17->ui->Panel6->installEventFilter(&counter);
    const struct {
        int delay;
        const char *target;
        int shown;
    } cases[] = {{60000, "5", 0}, {0, "6", 1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.delay);
        counter.shown = 0;
        Form17->BusyDelayMs = c.delay;
        chooseFloorToCopy(c.target);
        Form17->Button1Click();
        EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral("عمليات كپي با موفقيت انجام شد")});
        EXPECT_EQ(counter.shown, c.shown);
        EXPECT_TRUE(Form17->ui->Panel6->isHidden());
    }
    Form17->ui->Panel6->removeEventFilter(&counter);
    Form17->hide();
}
