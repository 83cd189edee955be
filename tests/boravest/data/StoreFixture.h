#pragma once
// A fresh data folder opened as a database, for the store tests.
#include "boravest/data/TableSchemas.h"
#include "platform/db/Db.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

class StoreFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;
    pf::db::Database db;

    void SetUp() override
    {
        testsupport::resetSharedState();
        pf::db::Session::addPassword(QStringLiteral("38617"));
        schema::createDataFolder(dir.path());
        db.setDirectory(dir.path());
        db.open();
    }
    // A space of project `shproje` with three more fields; its row number.
    qint64 addSpace(double shproje, const QString &fields, const QVariantList &three)
    {
        db.exec(QStringLiteral("insert into bankfz (Shproje,Shsk,%1) values (?,?,?,?,?)").arg(fields),
                QVariantList{shproje, shproje} + three);
        return db.lastInsertRowId();
    }
    QVariant field(qint64 no, const char *name)
    {
        return db.select(QStringLiteral("select %1 from bankfz where No = ?").arg(QLatin1String(name)), {no}).rows[0][0];
    }
};
