// Queries: nothing runs before open or execSQL, values go in as
// parameters, every statement of a text runs.
#include "DbFixture.h"
#include "platform/common/Numbers.h"

namespace {

double total(Database &db, const QString &sql)
{
    return db.select(sql).rows.value(0).value(0).toDouble();
}

} // namespace

TEST_F(DbTest, AClosedQueryRunsNothingWhenItsFieldsAreAsked)
{
    addProject(1, QStringLiteral("a"));
    addUnit(1, 0, 1);
    const QStringList texts = {QStringLiteral("delete from bankvh"), QStringLiteral("update bankvh set Tabage = 9"),
                               QStringLiteral("insert into bankvh (Shproje) values (5)"),
                               QStringLiteral("delete from Bank1; delete from bankvh")};
    for (const QString &text : texts) {
        Query q;
        q.setDatabase(&db);
        q.setSql(text);
        EXPECT_THROW(q.fieldByName(QStringLiteral("Tabage")), DbError) << text.toStdString();
        EXPECT_EQ(total(db, QStringLiteral("select count(*) + sum(Tabage) + sum(Shproje) from bankvh")), 2)
            << text.toStdString();
        EXPECT_EQ(total(db, QStringLiteral("select count(*) from Bank1")), 1) << text.toStdString();
    }
    // A select gives its fields without reading a row, and they are the
    // objects the open query reads through.
    Query q;
    q.setDatabase(&db);
    q.setSql(QStringLiteral("select Shproje, Tabage from bankvh"));
    db.resetRowsRead();
    Field &tabage = q.fieldByName(QStringLiteral("tabage"));
    EXPECT_EQ(db.rowsRead(), 0u);
    for (int open = 0; open < 2; ++open) {
        q.close();
        q.open();
        EXPECT_EQ(&q.fieldByName(QStringLiteral("TABAGE")), &tabage);
        EXPECT_EQ(tabage.asInteger(), 0);
    }
    // A new text, new fields, still without running it.
    q.close();
    q.setSql(QStringLiteral("select Shvahed from bankvh"));
    EXPECT_EQ(q.fieldByName(QStringLiteral("shvahed")).fieldName(), QStringLiteral("Shvahed"));
    EXPECT_EQ(q.findField(QStringLiteral("Tabage")), nullptr);
}

TEST_F(DbTest, ParametersCarryValuesThatSqlTextWouldMisread)
{
    addProject(1, QStringLiteral("O'Neil; drop"));
    addProject(2, QStringLiteral(":name"));
    Query q;
    q.setDatabase(&db);
    q.sql() << QStringLiteral("select count(*) n from Bank1") << QStringLiteral("where NAME = :Name and SHPROJE >= :p")
            << QStringLiteral("and NAME <> ':p' -- :q is no parameter");
    EXPECT_EQ(q.paramCount(), 2);
    struct Case {
        QVariant name;
        double p;
        int n;
    };
    const Case cases[] = {{QStringLiteral("O'Neil; drop"), 1, 1}, {QStringLiteral("O'Neil; drop"), 2, 0},
                          {QStringLiteral(":name"), 2, 1}, {QVariant(), 0, 0}};
    for (const Case &c : cases) {
        q.close();
        q.paramByName(QStringLiteral("name")).setValue(c.name);
        q.paramByName(QStringLiteral("P")).setAsFloat(c.p);
        q.open();
        EXPECT_EQ(q.fieldByName(QStringLiteral("n")).asInteger(), c.n) << c.name.toString().toStdString();
    }
    // A parameter without a value is refused, not read as null.
    q.close();
    q.setSql(QStringLiteral("delete from Bank1 where SHPROJE = :gone"));
    EXPECT_THROW(q.execSQL(), DbError);
    EXPECT_THROW(q.paramByName(QStringLiteral("nope")), DbError);
    q.paramByName(QStringLiteral("gone")).setAsInteger(2);
    q.execSQL();
    EXPECT_EQ(total(db, QStringLiteral("select count(*) from Bank1")), 1);
}

TEST_F(DbTest, EveryStatementOfATextRunsOrNoneDoes)
{
    addProject(1, QStringLiteral("a"));
    addUnit(1, 0, 1);
    Query q;
    q.setDatabase(&db);
    // All in order: the second sees what the first did.
    q.setSql(QStringLiteral("update bankvh set Tabage = 4;\nupdate Bank1 set SHPROJE = (select Tabage from bankvh);\n-- end\n"));
    q.execSQL();
    EXPECT_EQ(total(db, QStringLiteral("select SHPROJE from Bank1")), 4);
    // A failing statement leaves the ones before it undone.
    q.setSql(QStringLiteral("delete from bankvh; delete from nosuchtable"));
    EXPECT_THROW(q.execSQL(), DbError);
    EXPECT_EQ(total(db, QStringLiteral("select count(*) from bankvh")), 1);
    // A query that returns rows holds one statement.
    q.setSql(QStringLiteral("select * from Bank1; delete from bankvh"));
    EXPECT_THROW(q.open(), DbError);
    EXPECT_EQ(total(db, QStringLiteral("select count(*) from bankvh")), 1);
    // Positional values are used in order across the statements.
    db.exec(QStringLiteral("update bankvh set Tabage = ?; update Bank1 set NAME = ?"), {7, QStringLiteral("b")});
    EXPECT_EQ(total(db, QStringLiteral("select Tabage from bankvh")), 7);
    EXPECT_EQ(db.select(QStringLiteral("select NAME from Bank1")).rows[0][0].toString(), QStringLiteral("b"));
}

// A statement prepared once runs row after row with new values, missing
// ones null, and tells a failure without stopping the next run.
TEST_F(DbTest, APreparedStatementRunsForEveryRow)
{
    addProject(1, QStringLiteral("a"));
    for (double v : {1, 2, 3})
        addUnit(1, 0, v);
    const quint64 serial = db.writeSerial();
    Statement write(db, QStringLiteral("update bankvh set Tabage = ? where Shvahed = ?"));
    EXPECT_EQ(write.exec({5, 1}), 1);
    EXPECT_EQ(write.exec({6, 9}), 0);
    EXPECT_EQ(write.exec(QVariantList{7.0}), 0); // Shvahed = null matches nothing
    EXPECT_EQ(write.exec({8, 3}), 1);
    EXPECT_GT(db.writeSerial(), serial); // datasets see the writes
    EXPECT_EQ(total(db, QStringLiteral("select sum(Tabage) from bankvh")), 13);

    Statement unique(db, QStringLiteral("insert into bankvh (No, Shproje) values (?, 1)"));
    EXPECT_THROW(unique.exec({1}), DbError); // No 1 is taken
    EXPECT_EQ(unique.exec({100}), 1);
    EXPECT_THROW(Statement(db, QStringLiteral("update nosuchtable set a = 1")), DbError);
}

// Rows read in place give each column as a field of the table would: nulls,
// whole and fractional numbers, texts in number columns and numbers in text
// columns.
TEST_F(DbTest, RowsReadInPlaceGiveWhatTheFieldsGive)
{
    const QVariantList values[] = {{QVariant(), QVariant()},
                                   {3, QStringLiteral("اتاق")},
                                   {2.5, 7},
                                   {QStringLiteral("abc"), 1.25},
                                   {-0.125, QString()},
                                   {1e20, QStringLiteral("12")},
                                   {4, QStringLiteral("اتاق")}};
    for (const QVariantList &v : values)
        db.exec(QStringLiteral("INSERT INTO bankfz (Shproje, A_, Faza) VALUES (1, ?, ?)"), v);
    Table t;
    t.setDatabase(&db);
    t.setTableName(QStringLiteral("bankfz.DB"));
    t.open();
    t.first();
    int rows = 0;
    SeenTexts seen;
    QStringList texts; // read through `seen`
    db.forEachRow(QStringLiteral("SELECT A_, Faza FROM bankfz ORDER BY rowid"), {}, [&](const RowReader &r) {
        const Field &a = t.fieldByName(QStringLiteral("A_"));
        const Field &faza = t.fieldByName(QStringLiteral("Faza"));
        double n = -1, stored = -1;
        EXPECT_EQ(r.storedNumber(0, &stored), r.isNumber(0)) << rows;
        if (r.isNumber(0)) {
            EXPECT_EQ(stored, r.number(0)) << rows;
        }
        texts << r.text(1, seen);
        EXPECT_EQ(texts.last(), faza.asString()) << rows;
        EXPECT_EQ(r.number(0, &n), !a.isNull()) << rows;
        EXPECT_EQ(r.number(0), a.asFloat()) << rows;
        EXPECT_EQ(r.numberText(0), a.asString()) << rows;
        EXPECT_EQ(r.whole(0), pf::roundToInt(a.asFloat())) << rows;
        EXPECT_EQ(r.text(1), faza.asString()) << rows;
        EXPECT_EQ(r.isNull(1), faza.isNull()) << rows;
        ++rows;
        t.next();
    });
    EXPECT_EQ(rows, int(std::size(values)));
    // A text met again shares the characters of the first.
    EXPECT_EQ(texts[1].constData(), texts.last().constData());
}
