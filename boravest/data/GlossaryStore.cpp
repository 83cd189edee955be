#include "boravest/data/GlossaryStore.h"

#include <QFile>
#include <QStringList>

#include <algorithm>

// The resources of a static library are registered by hand.
static void registerGlossaryResource() { Q_INIT_RESOURCE(Glossary); }

namespace bv::data::stores {

namespace {

// The lines of a built-in file that hold `fields` tab-separated texts; a
// line with another count gives empty texts, so that it shows.
QVector<QStringList> readLines(const QString &file, int fields, QVector<int> *lineNumbers)
{
    registerGlossaryResource();
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QVector<QStringList> out;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList f = line.split(QLatin1Char('\t'));
        out << (f.size() == fields ? f : QStringList(fields, QString()));
        *lineNumbers << i + 1;
    }
    return out;
}

GlossaryTerm termOf(const QStringList &f, int line) { return {f[0], f[1], f[2], line}; }

bool sameTexts(const GlossaryTerm &a, const GlossaryTerm &b)
{
    return a.english == b.english && a.persian == b.persian && a.description == b.description;
}

// Keys kept in the collation's order, for asking whether a word is among them.
class WordKeys {
public:
    void add(const QString &text) { m_keys << glossaryKey(text); }
    void sort()
    {
        std::sort(m_keys.begin(), m_keys.end(),
                  [](const QString &a, const QString &b) { return pf::db::persianCompare(a, b) < 0; });
    }
    bool contains(const QString &text) const
    {
        const QString key = glossaryKey(text);
        const auto at = std::lower_bound(m_keys.begin(), m_keys.end(), key, [](const QString &a, const QString &b) {
            return pf::db::persianCompare(a, b) < 0;
        });
        return at != m_keys.end() && pf::db::persianCompare(*at, key) == 0;
    }
    void insert(const QString &text)
    {
        add(text);
        sort();
    }

private:
    QStringList m_keys;
};

} // namespace

const QVector<GlossaryTerm> &shippedGlossaryTerms()
{
    static const QVector<GlossaryTerm> terms = [] {
        QVector<int> at;
        const QVector<QStringList> lines = readLines(QStringLiteral(":/boravest/Glossary.tsv"), 3, &at);
        QVector<GlossaryTerm> out;
        for (int i = 0; i < lines.size(); ++i)
            out << termOf(lines[i], at[i]);
        return out;
    }();
    return terms;
}

const QVector<MendedGlossaryTerm> &mendedGlossaryTerms()
{
    static const QVector<MendedGlossaryTerm> terms = [] {
        QVector<int> at;
        const QVector<QStringList> lines = readLines(QStringLiteral(":/boravest/GlossaryMended.tsv"), 4, &at);
        QVector<MendedGlossaryTerm> out;
        for (int i = 0; i < lines.size(); ++i)
            out << MendedGlossaryTerm{termOf(lines[i].mid(1), at[i]), lines[i][0]};
        return out;
    }();
    return terms;
}

int layShippedGlossary(pf::db::Database &db)
{
    int laid = 0;
    db.transaction(QStringList{QStringLiteral("word.DB")}, [&] {
        QVector<qint64> ids;
        QVector<GlossaryTerm> rows;
        for (const auto &r : db.select(QStringLiteral("SELECT rowid, English, Pertion, Memprs FROM word")).rows) {
            ids << r[0].toLongLong();
            rows << GlossaryTerm{r[1].toString(), r[2].toString(), r[3].toString(), 0};
        }
        const QVector<GlossaryTerm> &shipped = shippedGlossaryTerms();
        auto insert = [&](const GlossaryTerm &t) {
            db.exec(QStringLiteral("INSERT INTO word (English, Pertion, Memprs) VALUES (?, ?, ?)"),
                    {t.english, t.persian, t.description});
            ++laid;
        };
        if (rows.isEmpty()) {
            for (const GlossaryTerm &t : shipped)
                if (!t.english.isEmpty())
                    insert(t);
            return;
        }

        auto asShipped = [&](const GlossaryTerm &row) {
            return std::any_of(shipped.begin(), shipped.end(), [&](const GlossaryTerm &t) { return sameTexts(t, row); }) ||
                   std::any_of(mendedGlossaryTerms().begin(), mendedGlossaryTerms().end(),
                               [&](const MendedGlossaryTerm &m) { return sameTexts(m.earlier, row); });
        };
        if (!std::any_of(rows.begin(), rows.end(), asShipped))
            return;

        for (const MendedGlossaryTerm &m : mendedGlossaryTerms()) {
            const auto now = std::find_if(shipped.begin(), shipped.end(),
                                          [&](const GlossaryTerm &t) { return t.english == m.now; });
            if (now == shipped.end())
                continue;
            for (int i = 0; i < rows.size(); ++i)
                if (sameTexts(rows[i], m.earlier)) {
                    db.exec(QStringLiteral("UPDATE word SET English = ?, Pertion = ?, Memprs = ? WHERE rowid = ?"),
                            {now->english, now->persian, now->description, ids[i]});
                    rows[i] = *now;
                    ++laid;
                }
        }

        WordKeys words, meanings;
        for (const GlossaryTerm &r : rows) {
            words.add(r.english);
            meanings.add(r.persian);
        }
        words.sort();
        meanings.sort();
        for (const GlossaryTerm &t : shipped) {
            if (t.english.isEmpty() || words.contains(t.english) || meanings.contains(t.persian))
                continue;
            insert(t);
            words.insert(t.english);
            meanings.insert(t.persian);
        }
    });
    return laid;
}

QString glossaryKey(const QString &text)
{
    QString key;
    key.reserve(text.size());
    for (QChar c : text)
        if (!c.isSpace() && c.category() != QChar::Other_Format)
            key += c;
    return key;
}

bool sameGlossaryWord(const QString &a, const QString &b)
{
    return pf::db::persianCompare(glossaryKey(a), glossaryKey(b)) == 0;
}

int findGlossaryRow(const pf::db::Dataset &words, int field, const QString &typed)
{
    const QString key = glossaryKey(typed);
    for (int r = 0; r < words.recordCount(); ++r)
        if (pf::db::persianCompare(glossaryKey(words.rowText(r, field)), key) == 0)
            return r;
    return -1;
}

} // namespace bv::data::stores
