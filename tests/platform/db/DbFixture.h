#pragma once
// A data folder with a project table, a unit table and a space table.
#include "platform/db/Db.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pf::db;

class DbTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    Database db;

    void SetUp() override
    {
        testsupport::resetSharedState();
        Session::addPassword(QStringLiteral("38617"));
        db.setDatabaseName(QStringLiteral("Brv"));
        db.setDirectory(tmp.path());
        db.createTable({QStringLiteral("Bank1.DB"),
                        {{"SHPROJE", FieldType::Float}, {"NAME", FieldType::String, 20}, {"SHAHR", FieldType::String, 15}},
                        {},
                        true});
        db.createTable({QStringLiteral("bankvh.DB"),
                        {{"No", FieldType::AutoInc}, {"Shproje", FieldType::Float}, {"Tabage", FieldType::Float},
                         {"Shvahed", FieldType::Float}, {"Delitfield", FieldType::SmallInt}},
                        {{"ISHP", {"Shproje"}}, {"IPT", {"Shproje", "Tabage"}}, {"IPTV", {"Shproje", "Tabage", "Shvahed"}}},
                        true});
        db.createTable({QStringLiteral("bankfz.DB"),
                        {{"No", FieldType::AutoInc}, {"Shproje", FieldType::Float}, {"Tabage", FieldType::Float},
                         {"Shvahed", FieldType::Float}, {"Faza", FieldType::String, 20}, {"A_", FieldType::Float}},
                        {{"IPTV", {"Shproje", "Tabage", "Shvahed"}}, {"IFz", {"Faza"}}},
                        true});
        db.open();
    }

    void addProject(double n, const QString &name)
    {
        db.exec(QStringLiteral("insert into Bank1 (SHPROJE, NAME) values (?, ?)"), {n, name});
    }
    void addUnit(double p, double t, double v)
    {
        db.exec(QStringLiteral("insert into bankvh (Shproje, Tabage, Shvahed) values (?, ?, ?)"), {p, t, v});
    }
    void addSpace(double p, double t, double v, const QString &faza, double a)
    {
        db.exec(QStringLiteral("insert into bankfz (Shproje, Tabage, Shvahed, Faza, A_) values (?, ?, ?, ?, ?)"),
                {p, t, v, faza, a});
    }
};

// Projects > units > spaces, linked on the leading fields of their indexes.
struct Chain {
    Table projects, units, spaces;
    DataSource ds1, ds3;
    explicit Chain(Database &db)
    {
        for (Table *t : {&projects, &units, &spaces})
            t->setDatabase(&db);
        projects.setTableName(QStringLiteral("Bank1.DB"));
        units.setTableName(QStringLiteral("bankvh.DB"));
        units.setIndexName(QStringLiteral("IPT"));
        units.setMasterSource(&ds1);
        units.setMasterFields(QStringLiteral("SHPROJE"));
        spaces.setTableName(QStringLiteral("bankfz.DB"));
        spaces.setIndexName(QStringLiteral("IPTV"));
        spaces.setMasterSource(&ds3);
        spaces.setMasterFields(QStringLiteral("Shproje;Tabage;Shvahed"));
        ds1.setDataSet(&projects);
        ds3.setDataSet(&units);
    }
};
