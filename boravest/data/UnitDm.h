#pragma once
// The data module: the database `Brv` and every shared table, query and
// data source of the program, with the master/detail chain project, floor
// and unit row, space, surface, and the calculated fields.
#include "platform/db/Db.h"

#include <QObject>

class TDM1 : public QObject {
    Q_OBJECT
public:
    explicit TDM1(QObject *parent = nullptr);

    pf::db::Database *Database1;

    pf::db::Table *Table1;  // Bank1.DB, projects
    pf::db::Table *Table3;  // bankvh.DB, floor and unit rows of the project
    pf::db::Table *Table4;  // bankfz.DB, spaces of the floor and unit row
    pf::db::Table *Table5;  // bankjd.DB, surfaces of the space
    pf::db::Table *Table6;  // bankvh.DB, second cursor
    pf::db::Table *Table7;  // shahrg.db, cities
    pf::db::Table *Table8;  // faza.db, space names
    pf::db::Table *Table9;  // Bank1.DB, second cursor
    pf::db::Table *Table10; // bankjd.DB, second cursor
    pf::db::Table *Table11; // bankfz.DB, spaces of the unit, all floors
    pf::db::Table *Table12; // Tajhizat.DB, the equipment record
    pf::db::Table *Table13; // TypMas.DB, material layers
    pf::db::Table *Table14; // Bankjd.DB, surfaces without the floor in the key
    pf::db::Table *Table15; // ExamHava.DB
    pf::db::Table *Table16; // BankColors.DB
    pf::db::Table *Table17; // BankFont.DB
    pf::db::Table *Table18; // Vaziat.db
    pf::db::Table *Table20; // word.DB
    pf::db::Table *Table22; // Examfz.DB

    pf::db::Query *Query1;
    pf::db::Query *Query2;
    pf::db::Query *Query3;
    pf::db::Query *Query4;
    pf::db::Query *Query5;
    pf::db::Query *Query6;
    pf::db::UpdateSQL *UpdateSQL1;

    pf::db::DataSource *DataSource1;
    pf::db::DataSource *DataSource3;
    pf::db::DataSource *DataSource4;
    pf::db::DataSource *DataSource5;
    pf::db::DataSource *DataSource6;
    pf::db::DataSource *DataSource7;
    pf::db::DataSource *DataSource8;
    pf::db::DataSource *DataSource9;
    pf::db::DataSource *DataSource10;
    pf::db::DataSource *DataSource11;
    pf::db::DataSource *DataSource12;
    pf::db::DataSource *DataSource20;

    void Table3CalcFields(pf::db::Dataset &DataSet);
    void Table4CalcFields(pf::db::Dataset &DataSet);
    void Table5CalcFields(pf::db::Dataset &DataSet);

private:
    pf::db::Table *makeTable(const char *name, const char *file);
    pf::db::DataSource *makeSource(const char *name, pf::db::Dataset *ds);
    pf::db::Query *makeQuery(const char *name, const char *sql);
};

extern TDM1 *DM1;
