#pragma once
// A fresh data folder opened as a database, for the store tests.
#include "boravest/data/TableSchemas.h"
#include "platform/db/Db.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

class StoreFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;
    pf::db::Database db;

    void SetUp() override
    {
        pf::db::Session::addPassword(QStringLiteral("38617"));
        schema::createDataFolder(dir.path());
        db.setDirectory(dir.path());
        db.open();
    }

    // Adds a space of project `shproje` and returns its row number.
    qint64 addSpace(double shproje, const QString &fields = {}, const QVariantList &values = {})
    {
        QString cols = QStringLiteral("Shproje,Shsk,Tabage,Shvahed,Faza");
        QString marks = QStringLiteral("?,?,0,1,'s'");
        QVariantList binds{shproje, shproje};
        if (!fields.isEmpty()) {
            cols += QLatin1Char(',') + fields;
            for (int i = 0; i < values.size(); ++i)
                marks += QStringLiteral(",?");
            binds += values;
        }
        db.exec(QStringLiteral("insert into bankfz (%1) values (%2)").arg(cols, marks), binds);
        return db.lastInsertRowId();
    }

    // One stored field of a space.
    QVariant field(qint64 no, const char *name)
    {
        const auto r = db.select(QStringLiteral("select %1 from bankfz where No = ?").arg(QLatin1String(name)), {no});
        return r.rows.isEmpty() ? QVariant() : r.rows[0][0];
    }
};
