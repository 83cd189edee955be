// The shipped glossary terms: complete, within their fields, reachable by
// both look-ups, and laid into word.DB only while it holds no row.
#include "StoreFixture.h"

#include "boravest/data/GlossaryStore.h"

#include <algorithm>

using namespace bv::data::stores;

namespace {

// Texts the look-up's collation holds equal, as "line: text" pairs.
QStringList sameKeys(QVector<GlossaryTerm> terms, QString GlossaryTerm::*key)
{
    std::sort(terms.begin(), terms.end(), [key](const GlossaryTerm &a, const GlossaryTerm &b) {
        return pf::db::persianCompare(a.*key, b.*key) < 0;
    });
    QStringList same;
    for (int i = 1; i < terms.size(); ++i)
        if (pf::db::persianCompare(terms[i - 1].*key, terms[i].*key) == 0)
            same << QStringLiteral("%1: %2").arg(terms[i].line).arg(terms[i].*key);
    return same;
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
        shipped << t.english + u'|' + t.persian + u'|' + t.description;

    EXPECT_EQ(fillEmptyGlossary(db), terms.size());
    EXPECT_EQ(stored(), shipped);
    EXPECT_EQ(fillEmptyGlossary(db), 0);
    EXPECT_EQ(stored(), shipped);

    // The engineer changed a term and added one: nothing is laid over them.
    db.exec(QStringLiteral("UPDATE word SET Pertion = ?, Memprs = '' WHERE English = 'boiler'"), {QStringLiteral("بويلر")});
    db.exec(QStringLiteral("DELETE FROM word WHERE English <> 'boiler'"));
    db.exec(QStringLiteral("INSERT INTO word (English, Pertion) VALUES ('tube', ?)"), {QStringLiteral("تيوب")});
    EXPECT_EQ(fillEmptyGlossary(db), 0);
    EXPECT_EQ(stored(), (QStringList{QStringLiteral("boiler|بويلر|"), QStringLiteral("tube|تيوب|")}));
}
