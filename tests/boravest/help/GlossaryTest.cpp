// The glossary driven as the engineer uses it: look-ups by word and by
// meaning in their index orders, words stored on F2, and the refusals.
#include "../app/MainWindowFixture.h"

#include "boravest/data/GlossaryStore.h"
#include "boravest/equipment/U_15.h"
#include "boravest/help/U15.h"
#include "platform/ui/DbControls.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextEdit>

namespace {

// The glossary opened over the data folder as the start left it: the
// shipped terms, unless a test lays its own words first.
class GlossaryFixture : public testsupport::MainWindowFixture {
protected:
    GlossaryFixture() : MainWindowFixture(QSize(1024, 768), false) {}

    virtual void layWords() {}
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        if (HasFatalFailure())
            return;
        layWords();
        Form15->show();
        testsupport::takeMessages();
    }
    void TearDown() override
    {
        if (Form15)
            Form15->hide();
        MainWindowFixture::TearDown();
    }
};

class GlossaryTest : public GlossaryFixture {
protected:
    void layWords() override
    {
        // In place of the shipped terms, a few words of our own. The Unicode
        // order of the meanings is not the alphabet's; the meter is stored
        // with the Arabic kaf.
        DM1->Database1->exec("DELETE FROM word");
        const QStringList words[] = {{"Pipe", "لوله", "لوله فولادي"}, {"heat", "حرارت", ""}, {"Valve", "گاز", ""},
                                     {"cast iron", "چدن", "آلياژ آهن"}, {"fuel", "سوخت", ""},
                                     {"generator", "ژنراتور", ""}, {"meter", "كنتور", "شمارنده"}};
        for (const QStringList &w : words)
            DM1->Database1->exec("INSERT INTO word (English, Pertion, Memprs) VALUES (?, ?, ?)", {w[0], w[1], w[2]});
    }

    template <class W> static W *part(const char *name) { return testsupport::part<W>(Form15, name); }
    static QLineEdit *E1() { return part<QLineEdit>("E1"); }
    static QLineEdit *E2() { return part<QLineEdit>("E2"); }
    static QTextEdit *RE1() { return part<QTextEdit>("RE1"); }
    static QStringList boxes() { return {E1()->text(), E2()->text(), RE1()->toPlainText()}; }
    static void find(bool byWord, const QString &text)
    {
        (byWord ? E1() : E2())->setText(text);
        part<QPushButton>(byWord ? "Bt3" : "Bt4")->click();
    }
    static void store() { QTest::keyClick(E1(), Qt::Key_F2); }
    static QStringList column(const char *field)
    {
        QStringList out;
        for (int r = 0; r < DM1->Table20->recordCount(); ++r)
            out << DM1->Table20->rowText(r, DM1->Table20->fieldByName(field).index());
        return out;
    }
    // Meaning and description of the stored word.
    static QStringList row(const QString &english)
    {
        auto r = DM1->Database1->select("SELECT Pertion, Memprs FROM word WHERE English = ?", {english});
        return r.rows.isEmpty() ? QStringList{} : QStringList{r.rows[0][0].toString(), r.rows[0][1].toString()};
    }
};

TEST_F(GlossaryTest, WordListFollowsEnglishThenPersianOrder)
{
    EXPECT_EQ(column("English"), (QStringList{"cast iron", "fuel", "generator", "heat", "meter", "Pipe", "Valve"}));
    find(false, "سوخت");
    EXPECT_EQ(column("Pertion"), (QStringList{"چدن", "حرارت", "ژنراتور", "سوخت", "كنتور", "گاز", "لوله"}));
    EXPECT_EQ(DM1->Table20->recNo(), 4);
    // Opening again puts the list back in English order on its first word.
    Form15->hide();
    Form15->show();
    EXPECT_EQ(DM1->Table20->fieldByName("English").asString(), "cast iron");
}

TEST_F(GlossaryTest, LooksUpBothWays)
{
    const QStringList notFound{TForm15::notFoundText()};
    struct Case {
        bool byWord;
        QString typed;
        QStringList shown, messages; // E1, E2, RE1 afterwards; the messages
    } cases[] = {
        {true, "pipe", {"Pipe", "لوله", "لوله فولادي"}, {}}, // Latin case ignored
        {false, "کنتور", {"meter", "كنتور", "شمارنده"}, {}},
        {false, "چ\u200Cدن", {"cast iron", "چدن", "آلياژ آهن"}, {}},
        {true, "boiler", {"boiler", "", ""}, notFound},
        {false, "ديگ", {"", "ديگ", ""}, notFound},
        {true, "", {"", "", ""}, notFound},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        E1()->setText("heat");
        E2()->setText("حرارت");
        RE1()->setPlainText("x");
        find(c.byWord, c.typed);
        EXPECT_EQ(boxes(), c.shown);
        EXPECT_EQ(testsupport::takeMessages(), c.messages);
    }
}

TEST_F(GlossaryTest, WordListClicksAndKeys)
{
    auto *list = part<QCheckBox>("CheckBox2");
    auto *grid = part<pf::ui::DBGrid>("DBGrid1");
    list->click();
    EXPECT_TRUE(grid->isVisible());
    EXPECT_EQ(Form15->size(), QSize(531, 314));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(1, 0)).center());
    EXPECT_EQ(boxes(), (QStringList{"fuel", "سوخت", ""}));
    list->click();
    EXPECT_EQ(Form15->size(), QSize(354, 195));
    QTest::keyClick(E2(), Qt::Key_Escape);
    EXPECT_FALSE(Form15->isVisible());
}

TEST_F(GlossaryTest, StoresNewWordsAndChangesExistingOnes)
{
    find(true, "Pipe");
    E2()->setText("لوله فولادي");
    store();
    EXPECT_EQ(testsupport::takeMessages(), QStringList{TForm15::storedEditText()});
    EXPECT_EQ(row("Pipe"), (QStringList{"لوله فولادي", "لوله فولادي"}));

    // After a search by meaning F2 still goes by the English word.
    find(false, "حرارت");
    E1()->setText("boiler");
    E2()->setText("ديگ");
    store();
    EXPECT_EQ(testsupport::takeMessages(), QStringList{TForm15::storedNewText()});
    EXPECT_EQ(row("boiler"), (QStringList{"ديگ", ""}));
    EXPECT_EQ(row("heat").value(0), "حرارت");
    EXPECT_EQ(DM1->Table20->recordCount(), 8);
    EXPECT_EQ(DM1->Table20->fieldByName("English").asString(), "boiler");
}

TEST_F(GlossaryTest, StoreKeepsAnotherWordsDescription)
{
    // RE1 shows the pipe's description while E1 names the meter.
    find(true, "Pipe");
    E1()->setText("meter");
    E2()->setText("كنتور آب");
    store();
    EXPECT_EQ(testsupport::takeMessages(), QStringList{TForm15::storedEditText()});
    EXPECT_EQ(row("meter"), (QStringList{"كنتور آب", "شمارنده"}));
    // Nor after a miss has emptied RE1.
    find(true, "boiler");
    E1()->setText("cast iron");
    store();
    EXPECT_EQ(row("cast iron").value(1), "آلياژ آهن");
}

TEST_F(GlossaryTest, StoreFindsTheWordAsTypedAndKeepsNoBlanksAroundIt)
{
    E1()->setText(" cast  iron ");
    E2()->setText("چدن خاكستري ");
    store();
    EXPECT_EQ(testsupport::takeMessages(), QStringList{TForm15::storedEditText()});
    EXPECT_EQ(row("cast iron"), QStringList{});
    EXPECT_EQ(row("cast  iron").value(0), "چدن خاكستري");
    EXPECT_EQ(DM1->Table20->recordCount(), 7);
}

TEST_F(GlossaryTest, RefusesAnEmptyWord)
{
    for (const QString &typed : {QString(), QString("   ")}) {
        E1()->setText(typed);
        store();
        EXPECT_EQ(testsupport::takeMessages(), QStringList{TForm15::emptyWordText()});
        EXPECT_EQ(DM1->Database1->select("SELECT count(*) FROM word").rows[0][0].toInt(), 7);
    }
}

// The glossary as a new data folder starts it: the shipped terms, looked up
// as the engineer types them.
using ShippedGlossaryTest = GlossaryFixture;

TEST_F(ShippedGlossaryTest, StartFillsTheGlossaryAndFindsWordsAsTheEngineerTypesThem)
{
    EXPECT_EQ(DM1->Table20->recordCount(), bv::data::stores::shippedGlossaryTerms().size());
    auto *e1 = testsupport::part<QLineEdit>(Form15, "E1");
    auto *e2 = testsupport::part<QLineEdit>(Form15, "E2");
    struct Case {
        bool byWord;
        QString typed, english, persian;
    } cases[] = {
        {true, "boiler", "boiler", "ديگ"},
        {true, "Boiler", "boiler", "ديگ"},
        {true, "BOILER", "boiler", "ديگ"},
        {true, "u-VALUE", "U-value", "ضريب انتقال حرارت"},
        // Typed on a Persian keyboard (U+06A9 kaf, U+06CC yeh).
        {false, "دودکش", "chimney", "دودكش"},
        {false, "سختی گیر", "water softener", "سختي گير"},
        // Parts joined by a non-joiner, by a blank or closed up, blanks
        // before or after.
        {false, "لوله\u200Cکشی", "plumbing", "لوله كشي"},
        {false, "لولهكشي", "plumbing", "لوله كشي"},
        {false, "سختی\u200Cگیر", "water softener", "سختي گير"},
        {false, "سختيگير ", "water softener", "سختي گير"},
        {false, "مبدل صفحه\u200Cای", "plate heat exchanger", "مبدل صفحه اي"},
        {false, "دبي آبگردشي", "circulating water flow", "دبي آب گردشي"},
        {false, "  ديگ ", "boiler", "ديگ"},
        {true, "boiler ", "boiler", "ديگ"},
        {true, " water  softener", "water softener", "سختي گير"},
        {true, "watersoftener", "water softener", "سختي گير"},
        // The program's own words, and the foot basin it counts.
        {false, "تانك تحت فشار", "water pressure tank", "تانك تحت فشار"},
        {false, "تراپ", "trap", "تراپ"},
        {false, "ضريب هدايت", "coefficient of transmission", "ضريب هدايت"},
        {false, "لگن پاشويي", "foot basin", "لگن پاشويي"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        (c.byWord ? e1 : e2)->setText(c.typed);
        testsupport::part<QPushButton>(Form15, c.byWord ? "Bt3" : "Bt4")->click();
        EXPECT_EQ(testsupport::takeMessages(), QStringList{});
        EXPECT_EQ(e1->text(), c.english);
        EXPECT_EQ(e2->text(), c.persian);
        EXPECT_FALSE(testsupport::part<QTextEdit>(Form15, "RE1")->toPlainText().isEmpty());
    }
}

// A text as the containment below compares it: the look-ups' key, without
// the stretching strokes of the menu's captions.
QString folded(const QString &text)
{
    QString key = bv::data::stores::glossaryKey(text);
    key.remove(QChar(0x0640));
    return key;
}

// Every item of the equipment window's menu and every quantity its pages ask
// for (a caption with its unit) names a term of the glossary.
TEST_F(ShippedGlossaryTest, EveryEquipmentItemAndQuantityNamesATerm)
{
    QStringList terms;
    for (const bv::data::stores::GlossaryTerm &t : bv::data::stores::shippedGlossaryTerms())
        terms << folded(t.persian);
    auto namesATerm = [&](const QString &caption) {
        const QString text = folded(caption);
        return std::any_of(terms.begin(), terms.end(), [&](const QString &t) { return text.contains(t); });
    };
    QStringList captions;
    for (const QLabel *item : MenuLabels)
        if (item && item->objectName() != QLatin1String("Label16")) // the pictures
            captions << item->text();
    static const QRegularExpression unit(QStringLiteral("\\([A-Za-z%./0-9 ]+\\)"));
    for (const QLabel *l : FormT2->findChildren<QLabel *>())
        if (l->text().contains(unit) && l->text().contains(QRegularExpression(QStringLiteral("[\\x{0600}-\\x{06FF}]"))))
            captions << l->text().remove(unit);
    EXPECT_GT(captions.size(), 80);
    for (const QString &caption : captions)
        EXPECT_TRUE(namesATerm(caption)) << caption.toStdString();
}

} // namespace
