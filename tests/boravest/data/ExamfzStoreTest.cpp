#include "boravest/data/ExamfzStore.h"
#include "StoreFixture.h"

#include <QFile>

using bv::data::ExamfzRow;
using bv::data::refillExamfz;

namespace {

class ExamfzStore : public StoreFixture {
protected:
    QVector<QVector<QVariant>> rows(const QString &cols)
    {
        return db.select(QStringLiteral("select %1 from Examfz order by rowid").arg(cols)).rows;
    }
};

ExamfzRow row(int no, const char *faza, const char *z)
{
    ExamfzRow r;
    r.No = no;
    r.Shproje = QStringLiteral("7");
    r.Faza = QString::fromUtf8(faza);
    r.Z_ts = QString::fromUtf8(z);
    r.T_Pare = QStringLiteral("6");
    return r;
}

} // namespace

// Each run replaces the rows of the last; empty texts stay empty; columns
// that the file lacks are left out without failing.
TEST_F(ExamfzStore, RefillReplacesTheLastRun)
{
    refillExamfz(db, {row(1, "old", "1"), row(2, "old", "2"), row(3, "old", "3")});
    refillExamfz(db, {row(0, "هال", "1.1"), row(0, "اتاق", "")});
    const auto r = rows(QStringLiteral("Shproje, faza, Z_ts, barh"));
    ASSERT_EQ(r.size(), 2);
    EXPECT_EQ(r[0][1].toString(), QStringLiteral("هال"));
    EXPECT_EQ(r[0][2].toString(), QStringLiteral("1.1"));
    EXPECT_TRUE(r[1][2].isNull());
    EXPECT_TRUE(r[0][3].isNull());
    refillExamfz(db, {});
    EXPECT_TRUE(rows(QStringLiteral("faza")).isEmpty());
}

// A work table with every column the per-space sizings write.
TEST_F(ExamfzStore, FillsEveryColumnOfAFullTable)
{
    db.close();
    QFile::remove(dir.filePath(QStringLiteral("Examfz.DB")));
    db.open();
    pf::db::TableDef def{QStringLiteral("Examfz.DB"), {}, {}, true};
    def.fields << pf::db::FieldDef{QStringLiteral("No"), pf::db::FieldType::Integer, 0};
    for (const char *n : {"Shproje", "NameT", "Shvahed", "Faza", "Ti_", "barh", "Z_ts", "s_hararat", "T_Pare",
                          "Tol_Pare", "hjm_Ab", "Vazn_Rad", "size_Rad", "debi"})
        def.fields << pf::db::FieldDef{QString::fromLatin1(n), pf::db::FieldType::String, 40};
    db.createTable(def);

    ExamfzRow a = row(1, "a", "1");
    a.debi = QStringLiteral("3.2");
    a.Vazn_Rad = QStringLiteral("900");
    refillExamfz(db, {a, row(2, "b", "2")});
    const auto r = rows(QStringLiteral("No, T_Pare, debi, Vazn_Rad"));
    ASSERT_EQ(r.size(), 2);
    EXPECT_EQ(r[0][0].toInt(), 1);
    EXPECT_EQ(r[1][0].toInt(), 2);
    EXPECT_EQ(r[0][1].toString(), QStringLiteral("6"));
    EXPECT_EQ(r[0][2].toString(), QStringLiteral("3.2"));
    EXPECT_EQ(r[0][3].toString(), QStringLiteral("900"));
}
