#include "boravest/data/ExamfzStore.h"
#include "StoreFixture.h"

#include <QFile>

using ExamfzStore = StoreFixture;
namespace {
bv::data::ExamfzRow row(int no, const char *faza, const char *z)
{
    bv::data::ExamfzRow r;
    r.No = no;
    r.Faza = QString::fromUtf8(faza);
    r.Z_ts = QString::fromUtf8(z);
    r.T_Pare = QStringLiteral("6");
    return r;
}
} // namespace

// Columns that the installed file lacks (No, T_Pare) are left out without
// failing; each run replaces the rows of the last; empty texts stay empty.
TEST_F(ExamfzStore, RefillReplacesTheLastRun)
{
    bv::data::refillExamfz(db, {row(1, "old", "1")});
    db.close();
    QFile::remove(dir.filePath(QStringLiteral("Examfz.DB")));
    pf::db::TableDef def{QStringLiteral("Examfz.DB"), {{QStringLiteral("No"), pf::db::FieldType::Integer, 0}}, {}, true};
    for (const char *n : {"Faza", "Z_ts", "T_Pare", "debi"})
        def.fields << pf::db::FieldDef{QString::fromLatin1(n), pf::db::FieldType::String, 40};
    db.createTable(def);
    bv::data::refillExamfz(db, {row(1, "old", "1"), row(2, "old", "2"), row(3, "old", "3")});
    bv::data::refillExamfz(db, {row(1, "هال", "1.1"), row(2, "اتاق", "")});
    const auto r = db.select(QStringLiteral("select No, faza, Z_ts, T_Pare from Examfz order by rowid")).rows;
    ASSERT_EQ(r.size(), 2);
    EXPECT_EQ(r[0], (QVector<QVariant>{1, "هال", "1.1", "6"}));
    EXPECT_TRUE(r[1][2].isNull());
}
