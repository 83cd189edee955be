#include "boravest/data/GlossaryStore.h"

#include <QFile>
#include <QStringList>

// The resources of a static library are registered by hand.
static void registerGlossaryResource() { Q_INIT_RESOURCE(Glossary); }

namespace bv::data::stores {

namespace {

QVector<GlossaryTerm> parseTerms(const QString &text)
{
    QVector<GlossaryTerm> terms;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList f = line.split(QLatin1Char('\t'));
        GlossaryTerm t;
        t.line = i + 1;
        if (f.size() == 3) {
            t.english = f[0];
            t.persian = f[1];
            t.description = f[2];
        }
        terms << t;
    }
    return terms;
}

} // namespace

const QVector<GlossaryTerm> &shippedGlossaryTerms()
{
    static const QVector<GlossaryTerm> terms = [] {
        registerGlossaryResource();
        QFile f(QStringLiteral(":/boravest/Glossary.tsv"));
        if (!f.open(QIODevice::ReadOnly))
            return QVector<GlossaryTerm>{};
        return parseTerms(QString::fromUtf8(f.readAll()));
    }();
    return terms;
}

int fillEmptyGlossary(pf::db::Database &db)
{
    int added = 0;
    db.transaction(QStringList{QStringLiteral("word.DB")}, [&] {
        if (db.select(QStringLiteral("SELECT count(*) FROM word")).rows[0][0].toLongLong() > 0)
            return;
        for (const GlossaryTerm &t : shippedGlossaryTerms()) {
            if (t.english.isEmpty())
                continue;
            db.exec(QStringLiteral("INSERT INTO word (English, Pertion, Memprs) VALUES (?, ?, ?)"),
                    {t.english, t.persian, t.description});
            ++added;
        }
    });
    return added;
}

} // namespace bv::data::stores
