// The glossary driven as the engineer uses it: look-ups by word and by
// meaning in their index orders, new words and changed ones stored on F2,
// and the refusals that keep the word list sound.
#include "../app/MainWindowFixture.h"

#include "boravest/help/U15.h"
#include "platform/ui/DbControls.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>

#include <QApplication>
#include <QTest>

namespace {

struct Word {
    const char *english;
    QString persian;
    QString description;
};

class GlossaryTest : public testsupport::MainWindowFixture {
protected:
    GlossaryTest() : MainWindowFixture(QSize(1024, 768), false) {}

    void SetUp() override
    {
        MainWindowFixture::SetUp();
        if (HasFatalFailure())
            return;
        // Unicode order of the meanings differs from the alphabet's; the
        // meter is stored with the Arabic kaf.
        const Word words[] = {
            {"Pipe", QStringLiteral("لوله"), QStringLiteral("لوله فولادي")},
            {"heat", QStringLiteral("حرارت"), QString()},
            {"Valve", QStringLiteral("گاز"), QString()},
            {"cast iron", QStringLiteral("چدن"), QStringLiteral("آلياژ آهن")},
            {"fuel", QStringLiteral("سوخت"), QString()},
            {"generator", QStringLiteral("ژنراتور"), QString()},
            {"meter", QStringLiteral("كنتور"), QStringLiteral("شمارنده")},
        };
        for (const Word &w : words)
            DM1->Database1->exec(QStringLiteral("INSERT INTO word (English, Pertion, Memprs) VALUES (?, ?, ?)"),
                                 {QString::fromLatin1(w.english), w.persian, w.description});
        Form15->show();
        QApplication::processEvents();
        testsupport::takeMessages();
    }
    void TearDown() override
    {
        if (Form15)
            Form15->hide();
        MainWindowFixture::TearDown();
    }

    template <class W> static W *control(const char *name)
    {
        W *w = testsupport::part<W>(Form15, name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static QLineEdit *E1() { return control<QLineEdit>("E1"); }
    static QLineEdit *E2() { return control<QLineEdit>("E2"); }
    static QTextEdit *RE1() { return control<QTextEdit>("RE1"); }
    static QPushButton *Bt3() { return control<QPushButton>("Bt3"); }
    static QPushButton *Bt4() { return control<QPushButton>("Bt4"); }
    static QCheckBox *CheckBox2() { return control<QCheckBox>("CheckBox2"); }
    static pf::ui::DBGrid *DBGrid1() { return control<pf::ui::DBGrid>("DBGrid1"); }
    static QStringList column(const char *field)
    {
        pf::db::Table *t = DM1->Table20;
        const int f = t->fieldByName(QString::fromLatin1(field)).index();
        QStringList out;
        for (int r = 0; r < t->recordCount(); ++r)
            out << t->rowText(r, f);
        return out;
    }
    static QStringList boxes() { return {E1()->text(), E2()->text(), RE1()->toPlainText()}; }
    static void store() { QTest::keyClick(E1(), Qt::Key_F2); }
    static QVariantList row(const QString &english)
    {
        auto r = DM1->Database1->select(QStringLiteral("SELECT Pertion, Memprs FROM word WHERE English = ?"), {english});
        return r.rows.isEmpty() ? QVariantList{} : QVariantList{r.rows[0][0].toString(), r.rows[0][1].toString()};
    }
    static int words() { return DM1->Database1->select(QStringLiteral("SELECT count(*) FROM word")).rows[0][0].toInt(); }
};

TEST_F(GlossaryTest, WordListFollowsEnglishThenPersianOrder)
{
    EXPECT_EQ(column("English"), (QStringList{"cast iron", "fuel", "generator", "heat", "meter", "Pipe", "Valve"}));
    EXPECT_EQ(DM1->Table20->recNo(), 1);

    E2()->setText(QStringLiteral("سوخت"));
    Bt4()->click();
    EXPECT_EQ(column("Pertion"), (QStringList{QStringLiteral("چدن"), QStringLiteral("حرارت"), QStringLiteral("ژنراتور"),
                                              QStringLiteral("سوخت"), QStringLiteral("كنتور"), QStringLiteral("گاز"),
                                              QStringLiteral("لوله")}));
    EXPECT_EQ(DM1->Table20->recNo(), 4);

    // Opening again puts the list back in English order on its first word.
    Form15->hide();
    Form15->show();
    EXPECT_EQ(column("English").first(), QStringLiteral("cast iron"));
}

TEST_F(GlossaryTest, LooksUpBothWays)
{
    const QString notFound = TForm15::notFoundText();
    struct Case {
        const char *name;
        bool byWord;
        QString typed;
        QStringList shown; // E1, E2, RE1 afterwards
        QStringList messages;
    };
    const Case cases[] = {
        {"word, Latin case ignored", true, "pipe", {"Pipe", QStringLiteral("لوله"), QStringLiteral("لوله فولادي")}, {}},
        {"meaning, Persian kaf finds the Arabic one", false, QStringLiteral("کنتور"),
         {"meter", QStringLiteral("كنتور"), QStringLiteral("شمارنده")}, {}},
        {"meaning, zero-width non-joiner ignored", false, QStringLiteral("چ\u200Cدن"),
         {"cast iron", QStringLiteral("چدن"), QStringLiteral("آلياژ آهن")}, {}},
        {"missing word keeps it", true, "boiler", {"boiler", "", ""}, {notFound}},
        {"missing meaning keeps it", false, QStringLiteral("ديگ"), {"", QStringLiteral("ديگ"), ""}, {notFound}},
        {"empty word finds nothing", true, "", {"", "", ""}, {notFound}},
        {"partial word is no match", true, "Pip", {"Pip", "", ""}, {notFound}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        E1()->setText(QStringLiteral("heat"));
        E2()->setText(QStringLiteral("حرارت"));
        RE1()->setPlainText(QStringLiteral("x"));
        (c.byWord ? E1() : E2())->setText(c.typed);
        (c.byWord ? Bt3() : Bt4())->click();
        EXPECT_EQ(boxes(), c.shown);
        EXPECT_EQ(testsupport::takeMessages(), c.messages);
    }
}

TEST_F(GlossaryTest, GridClickShowsTheRow)
{
    CheckBox2()->click();
    EXPECT_TRUE(DBGrid1()->isVisible());
    EXPECT_EQ(Form15->size(), QSize(531, 314));
    QTest::mouseClick(DBGrid1()->viewport(), Qt::LeftButton, {},
                      DBGrid1()->visualRect(DBGrid1()->model()->index(1, 0)).center());
    EXPECT_EQ(boxes(), (QStringList{"fuel", QStringLiteral("سوخت"), ""}));
    CheckBox2()->click();
    EXPECT_FALSE(DBGrid1()->isVisible());
    EXPECT_EQ(Form15->size(), QSize(354, 195));
}

TEST_F(GlossaryTest, StoresNewWordsAndChangesExistingOnes)
{
    E1()->setText(QStringLiteral("Pipe"));
    Bt3()->click();
    E2()->setText(QStringLiteral("لوله فولادي"));
    store();
    EXPECT_EQ(testsupport::takeMessages(), QStringList{TForm15::storedEditText()});
    EXPECT_EQ(row("Pipe"), (QVariantList{QStringLiteral("لوله فولادي"), QStringLiteral("لوله فولادي")}));

    // After a search by meaning F2 still goes by the English word.
    E2()->setText(QStringLiteral("حرارت"));
    Bt4()->click();
    E1()->setText(QStringLiteral("boiler"));
    E2()->setText(QStringLiteral("ديگ"));
    store();
    EXPECT_EQ(testsupport::takeMessages(), QStringList{TForm15::storedNewText()});
    EXPECT_EQ(row("boiler"), (QVariantList{QStringLiteral("ديگ"), QString()}));
    EXPECT_EQ(row("heat").value(0), QStringLiteral("حرارت"));
    EXPECT_EQ(DM1->Table20->recordCount(), 8);
    EXPECT_EQ(DM1->Table20->indexName(), QStringLiteral("idxeng"));
    EXPECT_EQ(DM1->Table20->fieldByName(QStringLiteral("English")).asString(), QStringLiteral("boiler"));
}

TEST_F(GlossaryTest, StoreKeepsAnotherWordsDescription)
{
    // RE1 shows the pipe's description while E1 names the meter.
    E1()->setText(QStringLiteral("Pipe"));
    Bt3()->click();
    E1()->setText(QStringLiteral("meter"));
    E2()->setText(QStringLiteral("كنتور آب"));
    store();
    EXPECT_EQ(testsupport::takeMessages(), QStringList{TForm15::storedEditText()});
    EXPECT_EQ(row("meter"), (QVariantList{QStringLiteral("كنتور آب"), QStringLiteral("شمارنده")}));
    EXPECT_EQ(row("Pipe").value(1), QStringLiteral("لوله فولادي"));

    // Nor after a miss has emptied RE1.
    E1()->setText(QStringLiteral("boiler"));
    Bt3()->click();
    testsupport::takeMessages();
    E1()->setText(QStringLiteral("cast iron"));
    store();
    EXPECT_EQ(row("cast iron").value(1), QStringLiteral("آلياژ آهن"));
}

TEST_F(GlossaryTest, RefusesAnEmptyWord)
{
    for (const QString &typed : {QString(), QStringLiteral("   ")}) {
        E1()->setText(typed);
        E2()->setText(QStringLiteral("بي نام"));
        store();
        EXPECT_EQ(testsupport::takeMessages(), QStringList{TForm15::emptyWordText()});
        EXPECT_EQ(words(), 7);
    }
}

TEST_F(GlossaryTest, EscapeClosesTheForm)
{
    EXPECT_EQ(Form15->windowTitle(), QString(12, QLatin1Char(' ')) + QStringLiteral("فرهنگ لغات و اصطلاحات تاسيساتي "));
    QTest::keyClick(E2(), Qt::Key_Escape);
    EXPECT_FALSE(Form15->isVisible());
}

} // namespace
