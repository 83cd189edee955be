#include "boravest/data/UnitDm.h"

#include "boravest/data/CalcFields.h"

using pf::db::Dataset;
using pf::db::FieldType;

TDM1 *DM1 = nullptr;

TDM1::TDM1(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("DM1"));
    Database1 = new pf::db::Database(this);
    Database1->setObjectName(QStringLiteral("Database1"));
    Database1->setDatabaseName(QStringLiteral("Brv"));

    Table1 = makeTable("Table1", "Bank1.DB");
    Table3 = makeTable("Table3", "bankvh.DB");
    Table4 = makeTable("Table4", "bankfz.DB");
    Table5 = makeTable("Table5", "bankjd.DB");
    Table6 = makeTable("Table6", "bankvh.DB");
    Table7 = makeTable("Table7", "shahrg.db");
    Table8 = makeTable("Table8", "faza.db");
    Table9 = makeTable("Table9", "Bank1.DB");
    Table10 = makeTable("Table10", "bankjd.DB");
    Table11 = makeTable("Table11", "bankfz.DB");
    Table12 = makeTable("Table12", "Tajhizat.DB");
    Table13 = makeTable("Table13", "TypMas.DB");
    Table14 = makeTable("Table14", "Bankjd.DB");
    Table15 = makeTable("Table15", "ExamHava.DB");
    Table16 = makeTable("Table16", "BankColors.DB");
    Table17 = makeTable("Table17", "BankFont.DB");
    Table18 = makeTable("Table18", "Vaziat.db");
    Table20 = makeTable("Table20", "word.DB");
    Table22 = makeTable("Table22", "Examfz.DB");

    Query1 = makeQuery("Query1", "select * from  bankvh");
    Query2 = makeQuery("Query2", "");
    Query3 = makeQuery("Query3", "select * from bankfz");
    Query4 = makeQuery("Query4", "SELECT * FROM  Bankfz");
    Query5 = makeQuery("Query5", "SELECT * FROM  Bankfz");
    Query6 = makeQuery("Query6", "SELECT * FROM  Bankfz");
    UpdateSQL1 = new pf::db::UpdateSQL(this);
    UpdateSQL1->setObjectName(QStringLiteral("UpdateSQL1"));
    UpdateSQL1->setDatabase(Database1);

    DataSource1 = makeSource("DataSource1", Table1);
    DataSource3 = makeSource("DataSource3", Table3);
    DataSource4 = makeSource("DataSource4", Table4);
    DataSource5 = makeSource("DataSource5", Table5);
    DataSource6 = makeSource("DataSource6", Query1);
    DataSource7 = makeSource("DataSource7", Table7);
    DataSource8 = makeSource("DataSource8", Table8);
    DataSource9 = makeSource("DataSource9", Table12);
    DataSource10 = makeSource("DataSource10", Table22);
    DataSource11 = makeSource("DataSource11", Query4);
    DataSource12 = makeSource("DataSource12", Table15);
    DataSource20 = makeSource("DataSource20", Table20);

    // The chain: project > floor and unit rows > spaces > surfaces.
    auto link = [](pf::db::Table *t, const char *index, bool byFields, pf::db::DataSource *master, const char *fields) {
        if (byFields)
            t->setIndexFieldNames(QString::fromLatin1(index));
        else if (*index)
            t->setIndexName(QString::fromLatin1(index));
        t->setMasterSource(master);
        t->setMasterFields(QString::fromLatin1(fields));
    };
    link(Table3, "ISHP", false, DataSource1, "SHPROJE");
    link(Table4, "IPSTV", false, DataSource3, "Shproje;Shsk;Tabage;Shvahed");
    link(Table5, "IPSTVF", false, DataSource4, "Shproje;Shsk;Tabage;Shvahed;Codefaza");
    link(Table6, "Shproje", true, DataSource1, "SHPROJE");
    link(Table10, "IPSTVF", false, DataSource4, "Shproje;Shsk;Tabage;Shvahed;Codefaza");
    link(Table11, "idxfz1", false, DataSource3, "Shproje;Shsk;Shvahed");
    link(Table12, "ISp", false, DataSource1, "SHPROJE");
    link(Table14, "IDXJEDAR", false, DataSource4, "Shproje;Shsk;Shvahed;Codefaza");

    Table6->setFieldList({"No", "Shproje", "Shsk", "T_tabage", "Tabage", "Ertefa", "Sf", "Shvahed", "Z_ertefa", "T_Rz",
                          "Q_Vahed", "GP", "Col", "Row"});

    Table3->addCalcField(QStringLiteral("NameT"), FieldType::String, 15);
    Table3->onCalcFields = [this](Dataset &d) { Table3CalcFields(d); };

    Table4->addCalcField(QStringLiteral("NameT"), FieldType::String, 20);
    Table4->addCalcField(QStringLiteral("Star"), FieldType::String, 1);
    for (const char *n : {"Air_War_N", "Bar_Har", "GhH_Hav", "Inw_Hav"})
        Table4->addCalcField(QString::fromLatin1(n), FieldType::Float);
    Table4->onCalcFields = [this](Dataset &d) { Table4CalcFields(d); };

    Table5->addLookupField(QStringLiteral("NameFaza"), FieldType::String, 15, QStringLiteral("CodeFaza"), Table8,
                           QStringLiteral("Codefaza"), QStringLiteral("Faza"));
    Table5->addCalcField(QStringLiteral("Dv_gJedar"), FieldType::Integer);
    Table5->addCalcField(QStringLiteral("Nnjedar"), FieldType::String, 15);
    Table5->addCalcField(QStringLiteral("Ngjedar"), FieldType::String, 15);
    Table5->addCalcField(QStringLiteral("Mmasa"), FieldType::Integer);
    Table5->addCalcField(QStringLiteral("Z_z"), FieldType::Float);
    Table5->addCalcField(QStringLiteral("ZaribJ"), FieldType::Float);
    Table5->onCalcFields = [this](Dataset &d) { Table5CalcFields(d); };

    Query1->addLookupField(QStringLiteral("Name Projec"), FieldType::String, 10, QStringLiteral("Shproje"), Table1,
                           QStringLiteral("SHPROJE"), QStringLiteral("NAME"));
    Query1->addLookupField(QStringLiteral("Shahr"), FieldType::String, 10, QStringLiteral("Shproje"), Table1,
                           QStringLiteral("SHPROJE"), QStringLiteral("SHAHR"));
}

pf::db::Table *TDM1::makeTable(const char *name, const char *file)
{
    auto *t = new pf::db::Table(this);
    t->setObjectName(QString::fromLatin1(name));
    t->setDatabase(Database1);
    t->setTableName(QString::fromLatin1(file));
    return t;
}

pf::db::Query *TDM1::makeQuery(const char *name, const char *sql)
{
    auto *q = new pf::db::Query(this);
    q->setObjectName(QString::fromLatin1(name));
    q->setDatabase(Database1);
    if (*sql)
        q->setSql(QString::fromLatin1(sql));
    return q;
}

pf::db::DataSource *TDM1::makeSource(const char *name, pf::db::Dataset *ds)
{
    auto *s = new pf::db::DataSource(this);
    s->setObjectName(QString::fromLatin1(name));
    s->setDataSet(ds);
    return s;
}

void TDM1::Table3CalcFields(Dataset &DataSet)
{
    DataSet.fieldByName(QStringLiteral("NameT"))
        .setAsString(calcfields::floorName(DataSet.fieldByName(QStringLiteral("Tabage")).asFloat()));
}

void TDM1::Table4CalcFields(Dataset &DataSet)
{
    DataSet.fieldByName(QStringLiteral("NameT"))
        .setAsString(calcfields::floorName(DataSet.fieldByName(QStringLiteral("Tabage")).asFloat()));
    DataSet.fieldByName(QStringLiteral("Star"))
        .setAsString(calcfields::extractFanMark(DataSet.fieldByName(QStringLiteral("E_hav")).asFloat(),
                                                DataSet.fieldByName(QStringLiteral("Te_Hav")).asFloat()));
}

void TDM1::Table5CalcFields(Dataset &DataSet)
{
    building::SurfaceRow row;
    row.Jedare = DataSet.fieldByName(QStringLiteral("Jedare")).asString();
    row.Id_jedar = DataSet.fieldByName(QStringLiteral("Id_jedar")).asFloat();
    row.Id_njedar = DataSet.fieldByName(QStringLiteral("Id_njedar")).asInteger();
    row.Id_gjedar = DataSet.fieldByName(QStringLiteral("Id_gjedar")).asInteger();
    row.Masa1 = DataSet.fieldByName(QStringLiteral("Masa1")).asFloat();
    row.Masa2 = DataSet.fieldByName(QStringLiteral("Masa2")).asFloat();
    row.Z_1 = DataSet.fieldByName(QStringLiteral("Z_1")).asFloat();
    row.Z_2 = DataSet.fieldByName(QStringLiteral("Z_2")).asFloat();
    const calcfields::SurfaceFields f = calcfields::surfaceFields(row);
    DataSet.fieldByName(QStringLiteral("Dv_gJedar")).setAsInteger(f.Dv_gJedar);
    DataSet.fieldByName(QStringLiteral("Nnjedar")).setAsString(f.Nnjedar);
    DataSet.fieldByName(QStringLiteral("Ngjedar")).setAsString(f.Ngjedar);
    DataSet.fieldByName(QStringLiteral("Mmasa")).setAsInteger(f.Mmasa);
    DataSet.fieldByName(QStringLiteral("Z_z")).setAsFloat(f.Z_z);
    DataSet.fieldByName(QStringLiteral("ZaribJ")).setAsFloat(f.ZaribJ);
}
