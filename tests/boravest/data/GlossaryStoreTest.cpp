// The shipped glossary terms: complete, within their fields, reachable by
// both look-ups, laid into an empty word.DB whole and into one an earlier
// version filled as far as they are new or mended; and the look-ups' rule.
#include "StoreFixture.h"

#include "boravest/data/GlossaryStore.h"

#include <algorithm>

using namespace bv::data::stores;

namespace {

// Texts the look-ups hold the same word, as "line: text" pairs.
QStringList sameKeys(QVector<GlossaryTerm> terms, QString GlossaryTerm::*key)
{
    std::sort(terms.begin(), terms.end(), [key](const GlossaryTerm &a, const GlossaryTerm &b) {
        return pf::db::persianCompare(glossaryKey(a.*key), glossaryKey(b.*key)) < 0;
    });
    QStringList same;
    for (int i = 1; i < terms.size(); ++i)
        if (sameGlossaryWord(terms[i - 1].*key, terms[i].*key))
            same << QStringLiteral("%1: %2").arg(terms[i].line).arg(terms[i].*key);
    return same;
}

QString rowText(const GlossaryTerm &t) { return t.english + u'|' + t.persian + u'|' + t.description; }

QStringList storedRows(pf::db::Database &db)
{
    QStringList rows;
    for (const auto &r : db.select(QStringLiteral("SELECT English, Pertion, Memprs FROM word")).rows)
        rows << r[0].toString() + u'|' + r[1].toString() + u'|' + r[2].toString();
    rows.sort();
    return rows;
}

} // namespace

TEST(GlossaryTerms, EveryShippedTermIsCompleteAndFitsItsFields)
{
    const QVector<GlossaryTerm> &terms = shippedGlossaryTerms();
    EXPECT_GE(terms.size(), 400);
    const pf::db::TableDef *word = schema::tableDef(QStringLiteral("word.DB"));
    ASSERT_NE(word, nullptr);
    auto size = [word](const char *field) {
        for (const pf::db::FieldDef &f : word->fields)
            if (f.name == QLatin1String(field))
                return f.size;
        return 0;
    };
    const struct {
        QString GlossaryTerm::*text;
        int size;
        bool persian;
    } fields[] = {{&GlossaryTerm::english, size("English"), false},
                  {&GlossaryTerm::persian, size("Pertion"), true},
                  {&GlossaryTerm::description, size("Memprs"), true}};
    for (const GlossaryTerm &t : terms) {
        SCOPED_TRACE(t.line);
        for (const auto &f : fields) {
            const QString &text = t.*(f.text);
            EXPECT_FALSE(text.isEmpty());
            EXPECT_EQ(text, text.trimmed());
            EXPECT_LE(text.size(), f.size) << text.toStdString();
            // The program's Persian letters, the Arabic yeh and kaf; English
            // words carry no Persian at all.
            if (f.persian)
                EXPECT_FALSE(text.contains(QChar(0x06CC)) || text.contains(QChar(0x06A9))) << text.toStdString();
            else
                EXPECT_FALSE(std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x0600; }));
        }
    }
    // Each term is found by its word and by its meaning: no two are the same
    // key to the look-ups (letter case, kaf and yeh forms ignored).
    EXPECT_EQ(sameKeys(terms, &GlossaryTerm::english), QStringList{});
    EXPECT_EQ(sameKeys(terms, &GlossaryTerm::persian), QStringList{});
    // A mended term stands for a shipped one and differs from it.
    for (const MendedGlossaryTerm &m : mendedGlossaryTerms()) {
        const auto now = std::find_if(terms.begin(), terms.end(), [&](const GlossaryTerm &t) { return t.english == m.now; });
        ASSERT_NE(now, terms.end()) << m.now.toStdString();
        EXPECT_NE(rowText(*now), rowText(m.earlier));
    }
}

TEST(GlossaryTerms, OneWordWhateverTheBlanksAndJoinersBetweenAndAroundItsParts)
{
    const struct {
        const char *a, *b;
        bool same;
    } cases[] = {
        {"لوله\u200Cكشي", "لوله كشي", true},
        {"لولهكشي", "لوله كشي", true},
        {"لوله کشی", "لوله كشي", true}, // keheh and Farsi yeh
        {" لوله كشي  ", "لوله كشي", true},
        {"\u200Fلوله كشي\u200E", "لوله كشي", true}, // direction marks
        {"heat  exchanger ", "Heat exchanger", true},
        {"heatexchanger", "heat exchanger", true},
        {"لوله", "لوله كشي", false},
        {"heat-exchanger", "heat exchanger", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(sameGlossaryWord(QString::fromUtf8(c.a), QString::fromUtf8(c.b)), c.same) << c.a << " / " << c.b;
}

TEST_F(StoreFixture, ShippedTermsFillOnlyAnEmptyGlossary)
{
    const QVector<GlossaryTerm> &terms = shippedGlossaryTerms();
    auto stored = [this] {
        QStringList rows;
        for (const auto &r : db.select(QStringLiteral("SELECT English, Pertion, Memprs FROM word ORDER BY rowid")).rows)
            rows << r[0].toString() + u'|' + r[1].toString() + u'|' + r[2].toString();
        return rows;
    };
    QStringList shipped;
    for (const GlossaryTerm &t : terms)
        shipped << rowText(t);

    EXPECT_EQ(layShippedGlossary(db), terms.size());
    EXPECT_EQ(stored(), shipped);
    EXPECT_EQ(layShippedGlossary(db), 0);
    EXPECT_EQ(stored(), shipped);

    // The engineer changed a term and added one: nothing is laid over them.
    db.exec(QStringLiteral("UPDATE word SET Pertion = ?, Memprs = '' WHERE English = 'boiler'"), {QStringLiteral("بويلر")});
    db.exec(QStringLiteral("DELETE FROM word WHERE English <> 'boiler'"));
    db.exec(QStringLiteral("INSERT INTO word (English, Pertion) VALUES ('tube', ?)"), {QStringLiteral("تيوب")});
    EXPECT_EQ(layShippedGlossary(db), 0);
    EXPECT_EQ(stored(), (QStringList{QStringLiteral("boiler|بويلر|"), QStringLiteral("tube|تيوب|")}));
}

TEST_F(StoreFixture, AGlossaryAnEarlierVersionFilledGetsTheTermsShippedSince)
{
    const QVector<GlossaryTerm> &terms = shippedGlossaryTerms();
    auto term = [&](const char *english) {
        for (const GlossaryTerm &t : terms)
            if (t.english == QLatin1String(english))
                return t;
        ADD_FAILURE() << english;
        return GlossaryTerm{};
    };
    auto earlierOf = [](const char *now) {
        for (const MendedGlossaryTerm &m : mendedGlossaryTerms())
            if (m.now == QLatin1String(now))
                return m.earlier;
        ADD_FAILURE() << now;
        return GlossaryTerm{};
    };
    // Shipped since: the steam trap, whose word the plumbing trap held, the
    // foot basin, whose meaning the pool's foot bath held, the efficiency,
    // and the pressure tank under the program's name, which the engineer
    // has meanwhile stored himself under another word.
    const QStringList since{"trap", "foot basin", "efficiency", "water pressure tank"};
    const GlossaryTerm own{"pressure vessel", term("water pressure tank").persian, QString()};
    GlossaryTerm regeneration = earlierOf("regeneration cycle");
    regeneration.description = QStringLiteral("توضيح مهندس");

    QStringList expected{rowText(own), rowText(regeneration)};
    db.exec(QStringLiteral("INSERT INTO word (English, Pertion, Memprs) VALUES (?, ?, ?)"),
            {own.english, own.persian, own.description});
    db.exec(QStringLiteral("INSERT INTO word (English, Pertion, Memprs) VALUES (?, ?, ?)"),
            {regeneration.english, regeneration.persian, regeneration.description});
    for (const GlossaryTerm &t : terms) {
        if (t.english == QLatin1String("regeneration cycle") || t.english == QLatin1String("water pressure tank"))
            continue;
        expected << rowText(t);
        if (since.contains(t.english))
            continue;
        bool mended = false;
        for (const MendedGlossaryTerm &m : mendedGlossaryTerms())
            if (m.now == t.english) {
                db.exec(QStringLiteral("INSERT INTO word (English, Pertion, Memprs) VALUES (?, ?, ?)"),
                        {m.earlier.english, m.earlier.persian, m.earlier.description});
                mended = true;
            }
        if (!mended)
            db.exec(QStringLiteral("INSERT INTO word (English, Pertion, Memprs) VALUES (?, ?, ?)"),
                    {t.english, t.persian, t.description});
    }
    expected.sort();

    // Two terms mended (the foot bath, the plumbing trap) and three added.
    EXPECT_EQ(layShippedGlossary(db), 5);
    EXPECT_EQ(storedRows(db), expected);
    EXPECT_EQ(layShippedGlossary(db), 0);
}
