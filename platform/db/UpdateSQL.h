#pragma once
#include "platform/db/Database.h"

namespace pf::db {

// A statement object whose insert text the caller sets whole and runs.
class UpdateSQL : public QObject {
    Q_OBJECT
public:
    explicit UpdateSQL(QObject *parent = nullptr) : QObject(parent) {}
    void setDatabase(Database *db) { m_db = db; }
    QStringList &insertSQL() { return m_insert; }
    void execInsert();

private:
    QPointer<Database> m_db;
    QStringList m_insert;
};

} // namespace pf::db
