// The side-jobs form over the running program: the copy panel copies the
// chosen row's floor to the typed floor, and what is refused says why; the
// backup and restore panels copy the data folder's tables out and back.
#include "../app/MainWindowFixture.h"
#include "boravest/data/BackupStore.h"
#include "boravest/data/SchemeStore.h"
#include "boravest/sidejobs/Ureport2.h"

#include <QApplication>
#include <QFileSystemModel>
#include <QTreeView>
#include <QFileInfo>
#include <QTest>
#include <QMessageBox>

namespace {

class Ureport2Test : public testsupport::MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        auto &db = *DM1->Database1;
        db.exec(QStringLiteral("insert into Bank1 (SHPROJE, NAME) values (7, 'a')"));
        db.exec(QStringLiteral("insert into bankvh (Shproje,Shsk,Tabage,Shvahed,Ertefa) values (7,7,2,1,10)"));
        db.exec(QStringLiteral("insert into bankfz (Shproje,Shsk,Tabage,Shvahed,Faza,Codefaza) values (7,7,2,1,'x',5)"));
        db.exec(QStringLiteral("insert into bankjd (Shproje,Shsk,Tabage,Shvahed,CodeFaza,Masa1) values (7,7,2,1,5,12.5)"));
    }
    int rows(const char *table, double floor)
    {
        return DM1->Database1
            ->select(QStringLiteral("select count(*) from %1 where Tabage = ?").arg(QLatin1String(table)), {floor})
            .rows[0][0]
            .toInt();
    }
};

} // namespace

TEST_F(Ureport2Test, CopiesTheChosenFloorOnceAndRefusesWhatIsWrong)
{
    choose("N4");
    // The hook has already closed the form and the main window reopened the
    // database: switch to the panel again, as the shown form stands.
    Form17->Label2Click();
    ASSERT_TRUE(DM1->Query1->active());
    ASSERT_TRUE(DM1->Query1->locate(QStringLiteral("Shproje;Tabage"), {7, 2}));
    Form17->Label1Click();
    EXPECT_TRUE(Form17->ui->Label19->isEnabled());
    const struct {
        const char *floor;
        const char *message;
        int copied; // rows of floor 5 in each table afterwards
    } cases[] = {
        {"51", "اطلاعات اشتباه است", 0},
        {"x", "اطلاعات اشتباه است", 0},
        {"5", "عمليات كپي با موفقيت انجام شد", 1},
        {"5", "طبقه موجود است", 1},
    };
    for (const auto &c : cases) {
        Form17->ui->Edit2->setText(QString::fromLatin1(c.floor));
        Form17->Button1Click();
        EXPECT_EQ(testsupport::takeMessages(), QStringList{QString::fromUtf8(c.message)}) << c.floor;
        for (const char *t : {"bankvh", "bankfz", "bankjd"})
            EXPECT_EQ(rows(t, 5), c.copied) << c.floor << " " << t;
    }
    EXPECT_TRUE(Form17->CopyAttempted);
    // Cancel goes back to choosing: no copy until a row is chosen again.
    Form17->Label20Click();
    EXPECT_FALSE(Form17->ui->Label19->isEnabled());
    Form17->FormClose();
    EXPECT_FALSE(Form17->CopyAttempted);
}

TEST_F(Ureport2Test, ProjectNameLongerThanItsColumnFieldShowsItIsCutAndWholeOnHover)
{
    DM1->Database1->exec(QStringLiteral("insert into Bank1 (SHPROJE, NAME) values (8, ?)"),
                         {QStringLiteral("ساختمان مسكوني فرشته")});
    DM1->Database1->exec(QStringLiteral("insert into bankvh (Shproje,Shsk,Tabage,Shvahed) values (8,8,0,1)"));
    choose("N4");
    Form17->Label2Click();
    const pf::ui::DatasetTableModel *m = Form17->ui->DBGrid2->datasetModel();
    QStringList names, tips;
    for (int r = 0; r < m->rowCount(); ++r) {
        names << m->index(r, 3).data().toString();
        tips << m->index(r, 3).data(Qt::ToolTipRole).toString();
    }
    // The field keeps ten letters of a name.
    EXPECT_EQ(names, (QStringList{QStringLiteral("a"), QStringLiteral("ساختمان مس") + QChar(0x2026)}));
    EXPECT_EQ(tips, (QStringList{QString(), QStringLiteral("ساختمان مسكوني فرشته")}));
}

TEST_F(Ureport2Test, BackupThenRestoreFromTheFormAsksFirstAndBringsTheRowsBack)
{
    QTemporaryDir chosen;
    Form17->Label4Click();
    EXPECT_TRUE(Form17->ui->Label10->isVisibleTo(Form17));
    Form17->ui->Edit3->setText(chosen.path());
    Form17->Label10Click();
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral(".ايجاد پشتيبان غير فشرده با موفقيت انجام شد")});
    const QString saved = QDir(chosen.path()).filePath(QStringLiteral("BackubData"));
    const QStringList tables = bv::data::backup::tableFilesOf(dataFolder());
    ASSERT_FALSE(tables.isEmpty());
    for (const QString &t : tables)
        EXPECT_TRUE(QFileInfo(QDir(saved).filePath(t)).isFile()) << t.toStdString();

    auto &db = *DM1->Database1;
    db.exec(QStringLiteral("delete from bankvh where Shproje = 7"));
    DM1->Table1->open();
    Form17->Label5Click();
    EXPECT_FALSE(Form17->ui->Label10->isVisibleTo(Form17));
    // An empty path does nothing at all.
    Form17->ui->Edit3->clear();
    modalsShown.clear();
    Form17->Label14Click();
    EXPECT_TRUE(modalsShown.isEmpty());
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    Form17->ui->Edit3->setText(saved);
    AreaColors[0] = 0x123456; // the restore reloads the stored colours
    const struct {
        QMessageBox::StandardButton answer;
        QStringList messages;
        int rows; // floor 2 rows afterwards
    } cases[] = {
        {QMessageBox::No, {}, 0},
        {QMessageBox::Yes, {QStringLiteral("بازيابي داده ها با موفقيت انجام شد")}, 1},
    };
    for (const auto &c : cases) {
        modalsShown.clear();
        onModal = [answer = c.answer](QWidget *) { return int(answer); };
        Form17->Label14Click();
        EXPECT_EQ(modalsShown, QStringList{QStringLiteral("RestoreQuestion")});
        EXPECT_EQ(testsupport::takeMessages(), c.messages);
        EXPECT_EQ(rows("bankvh", 2), c.rows);
    }
    // The program's tables work on the restored files: what was open is
    // open again, and the copy panel reads and copies.
    EXPECT_EQ(AreaColors[0], bv::data::stores::loadColorScheme(db)[0]);
    EXPECT_TRUE(DM1->Table1->active());
    EXPECT_TRUE(DM1->Table1->locate(QStringLiteral("SHPROJE"), {7}));
    Form17->Label2Click();
    ASSERT_TRUE(DM1->Query1->locate(QStringLiteral("Shproje;Tabage"), {7, 2}));
    Form17->Label1Click();
    Form17->ui->Edit2->setText(QStringLiteral("3"));
    Form17->Button1Click();
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral("عمليات كپي با موفقيت انجام شد")});
    EXPECT_EQ(rows("bankvh", 3), 1);
}

TEST_F(Ureport2Test, EscClosesTheBackupAndRestorePanels)
{
    for (void (TForm17::*panel)() : {&TForm17::Label4Click, &TForm17::Label5Click})
        for (QWidget *w : {static_cast<QWidget *>(Form17->ui->DirectoryListBox1),
                           static_cast<QWidget *>(Form17->ui->DriveComboBox1)}) {
            (Form17->*panel)();
            Form17->show();
            Form17->activateWindow();
            QApplication::processEvents();
            w->setFocus();
            ASSERT_TRUE(w->hasFocus()) << w->objectName().toStdString();
            QTest::keyClick(w, Qt::Key_Escape);
            EXPECT_FALSE(Form17->isVisible()) << w->objectName().toStdString();
        }
}

namespace {

// The folders the tree shows under `at` (opened), as laid out, once they
// are read from the disk: `expected` when they come to be so.
QStringList shownUnder(QTreeView *tree, const QPersistentModelIndex &at, const QStringList &expected)
{
    tree->expand(at);
    QStringList names;
    (void)QTest::qWaitFor([&] {
        names.clear();
        for (QModelIndex i = tree->indexBelow(at); i.isValid() && i.parent() == at; i = tree->indexBelow(i))
            names << i.data().toString();
        return names == expected;
    });
    return names;
}

// Opens the tree's folders from its top down to `path`, as the user does,
// each once it shows; the folder of `path`.
QPersistentModelIndex openAlong(QTreeView *tree, const QString &path)
{
    QPersistentModelIndex at = tree->rootIndex();
    for (const QString &part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        tree->expand(at);
        QModelIndex next;
        (void)QTest::qWaitFor([&] {
            for (int r = 0; r < tree->model()->rowCount(at) && !next.isValid(); ++r)
                if (tree->model()->index(r, 0, at).data().toString() == part)
                    next = tree->model()->index(r, 0, at);
            return next.isValid();
        });
        if (!next.isValid())
            return next;
        at = next;
    }
    return at;
}

} // namespace

TEST_F(Ureport2Test, TheFolderTreeListsTheFoldersOfTheDiskAsTheyAreOpened)
{
    QTemporaryDir top;
    for (const char *f : {"a/x", "a/y", "b"})
        ASSERT_TRUE(QDir().mkpath(QDir(top.path()).filePath(QLatin1String(f))));
    QFile file(QDir(top.path()).filePath(QStringLiteral("c.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QTreeView *tree = Form17->ui->DirectoryListBox1;
    const QStringList rootFolders = QDir(QDir::rootPath()).entryList(QDir::AllDirs | QDir::NoDotAndDotDot, QDir::Name);
    for (void (TForm17::*panel)() : {&TForm17::Label4Click, &TForm17::Label5Click}) {
        (Form17->*panel)();
        Form17->show();
        tree->collapseAll();
        QApplication::processEvents();
        // The top of the tree is the root of the drive, with all its folders.
        QStringList shownAtTop;
        (void)QTest::qWaitFor([&] {
            shownAtTop.clear();
            for (QModelIndex i = tree->model()->index(0, 0, tree->rootIndex()); i.isValid(); i = tree->indexBelow(i))
                if (i.parent() == tree->rootIndex())
                    shownAtTop << i.data().toString();
            return shownAtTop == rootFolders;
        });
        EXPECT_EQ(shownAtTop, rootFolders);
        const QPersistentModelIndex at = openAlong(tree, top.path());
        ASSERT_TRUE(at.isValid());
        EXPECT_EQ(shownUnder(tree, at, {QStringLiteral("a"), QStringLiteral("b")}),
                  (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
        const QPersistentModelIndex a = tree->indexBelow(at);
        EXPECT_EQ(shownUnder(tree, a, {QStringLiteral("x"), QStringLiteral("y")}),
                  (QStringList{QStringLiteral("x"), QStringLiteral("y")}));
        // A click on a folder puts its path into the chosen path.
        const QModelIndex b = tree->indexBelow(tree->indexBelow(tree->indexBelow(a)));
        tree->scrollTo(b);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(b).center());
        EXPECT_EQ(Form17->ui->Edit3->text(), QDir(top.path()).filePath(QStringLiteral("b")));
        Form17->hide();
    }
    // The folder a backup makes shows at once.
    Form17->Label4Click();
    Form17->show();
    Form17->Label10Click();
    testsupport::takeMessages();
    const QModelIndex b = tree->currentIndex();
    EXPECT_TRUE(tree->isExpanded(b));
    EXPECT_EQ(tree->indexBelow(b).data().toString(), QStringLiteral("BackubData"));
}
