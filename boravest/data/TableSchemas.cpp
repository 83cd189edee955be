#include "boravest/data/TableSchemas.h"

#include <QDir>
#include <QFileInfo>

using pf::db::FieldDef;
using pf::db::FieldType;
using pf::db::IndexDef;
using pf::db::TableDef;

namespace schema {

namespace {

FieldDef F(const char *n) { return {QString::fromLatin1(n), FieldType::Float, 0}; }
FieldDef S(const char *n, int size = 20) { return {QString::fromLatin1(n), FieldType::String, size}; }
FieldDef I(const char *n) { return {QString::fromLatin1(n), FieldType::Integer, 0}; }
FieldDef SI(const char *n) { return {QString::fromLatin1(n), FieldType::SmallInt, 0}; }
FieldDef A(const char *n) { return {QString::fromLatin1(n), FieldType::AutoInc, 0}; }
FieldDef B(const char *n) { return {QString::fromLatin1(n), FieldType::Boolean, 0}; }
FieldDef G(const char *n) { return {QString::fromLatin1(n), FieldType::Blob, 0}; }
IndexDef X(const char *name, const char *fields)
{
    return {QString::fromLatin1(name), QString::fromLatin1(fields).split(QLatin1Char(';')), true, false};
}

QVector<FieldDef> floats(std::initializer_list<const char *> names)
{
    QVector<FieldDef> v;
    for (const char *n : names)
        v << F(n);
    return v;
}

TableDef bank1()
{
    TableDef t{QStringLiteral("Bank1.DB"), {}, {}, true};
    t.fields << F("SHPROJE") << S("NAME") << S("DATE1", 10) << S("SHAHR", 15)
             << floats({"VAL_K", "VAL_D", "DOR_K", "DOR_D", "Win_K", "Win_D", "Sakf_K", "Sakf_D", "Hi", "Ga", "Tg"})
             << S("Sf", 5) << F("To1") << F("Ti1") << G("Pic1") << S("EngN", 50) << S("CoN", 30)
             << floats({"W_D", "W_K", "D_D", "D_K"});
    return t;
}

QVector<IndexDef> bankvhIndexes()
{
    return {X("IDXVH", "Shproje;Shsk;Shvahed"), X("IPSTV", "Shproje;Shsk;Tabage;Shvahed"), X("IPT", "Shproje;Tabage"),
            X("ISHS", "Shproje;Shsk"), X("ISHP", "Shproje")};
}

TableDef bankvh()
{
    TableDef t{QStringLiteral("bankvh.DB"), {}, bankvhIndexes(), true};
    t.fields << A("No")
             << floats({"Shproje", "Shsk", "T_tabage", "Tabage", "Ertefa", "Sf", "Shvahed", "Z_ertefa", "T_Rz",
                        "Q_Vahed", "GP", "Col", "Row"})
             << SI("Delitfield");
    return t;
}

QVector<IndexDef> bankfzIndexes()
{
    return {X("IDXFZ", "Shproje;Shsk;Shvahed;Codefaza"), X("IDXFZ1", "Shproje;Shsk;Shvahed"),
            X("IPSTV", "Shproje;Shsk;Tabage;Shvahed"), X("IPSTVF", "Shproje;Shsk;Tabage;Shvahed;Codefaza"),
            X("IFz", "Faza")};
}

TableDef bankfz()
{
    TableDef t{QStringLiteral("bankfz.DB"), {}, bankfzIndexes(), true};
    t.fields << A("No") << floats({"Shproje", "Shsk", "Tabage", "Shvahed"}) << S("Faza")
             << floats({"Codefaza", "Ertefa", "Ti_", "A_", "P_", "Air_", "To_", "V_", "Radiat"})
             << S("Modelradiat", 3) << floats({"V_varm", "Q_room", "T_UH"}) << SI("E_Kore") << SI("E_Rad")
             << SI("E_Hav") << floats({"Te_Hav", "To_Mo_Hav", "V_Kore", "K_Oft_F_Hav", "CFM_Hav", "Gh_Hav", "Coun_Hav"})
             << SI("Delitfield");
    return t;
}

QVector<IndexDef> bankjdIndexes()
{
    return {X("IDXJD1", "Shproje;Shsk;Tabage;Shvahed;CodeFaza;Id_jedar;Id_njedar;Id_gjedar"),
            X("IDXJEDAR", "Shproje;Shsk;Shvahed;CodeFaza"), X("IPSTVF", "Shproje;Shsk;Tabage;Shvahed;CodeFaza")};
}

TableDef bankjd()
{
    TableDef t{QStringLiteral("bankjd.DB"), {}, bankjdIndexes(), true};
    t.fields << A("No") << floats({"Shproje", "Shsk", "Tabage"}) << S("Jedare") << F("Shvahed") << F("Id_jedar")
             << F("CodeFaza") << SI("Id_njedar") << SI("Id_gjedar")
             << floats({"Masa1", "Masa2", "To_", "Ti_", "Z_1", "Z_2"}) << SI("Delitfield");
    return t;
}

TableDef tajhizat()
{
    TableDef t{QStringLiteral("Tajhizat.DB"), {}, {X("ISp", "Shproje")}, true};
    t.fields << A("No")
             << floats({"Shproje", "Bar_Col", "Masa_z", "Masa_Ar", "Masa_Aa", "ErtefaS", "OfteFeshar", "TolSevic",
                        "TolRadiat", "EkhtDama", "DAbgarm", "SakhAb", "NSakh", "WCKh", "WCOm", "Van", "Dosh", "SinkAb",
                        "SinkZar", "MashZar", "SinkRakh", "MashRakh", "LaganPa", "DamAbSh", "DamAbBeh", "DamAbMa",
                        "TeaSak"})
             << S("NameS", 30)
             << floats({"Typ_MAM", "Z_h", "S_masaref", "Randeman", "RandePmp", "RandeSkgir", "T_Manba", "Z_Et",
                        "T_Pomp", "Fesh_KB", "FPBM", "MErAT", "MTZA", "TSPS", "KGhD", "TAmD", "TOfD", "TeDo", "TySo",
                        "Zano30", "Zano45", "Zano60", "Zano90", "Typ_ME", "T_L_Baz"})
             << S("W_L_Baz", 115)
             << floats({"S_Sh_SG", "Te_SG", "S_R_PG_R", "D_F_PG_UH", "Of_F_GKvR", "Typ_M_Est", "D_Ma_Est", "D_Mo_Est",
                        "Mz_G_Ab_Est", "Mass_Est", "Omgh_M_Est", "Z_h_k_Est", "Rand_Est", "Te_Est", "Fesh_M_Est",
                        "G_Ab_Est", "Oft_Fesh_K_Est", "Oft_Fesh_F_Est", "Oft_Fesh_Sh_Est", "Oft_Fesh_P_M_Est",
                        "Oft_Fesh_D_Est", "Te_Pmp_Est", "Te_Pmp_D_Est", "Typ_M_Jak", "D_Mo_Jak", "D_Ma_Jak",
                        "Mz_G_Ab_Jak", "Mass_Jak", "Omgh_M_Jak", "Z_H_K_Jak", "Rand_Jak", "Te_Jak", "Te_Naz",
                        "Fesh_M_Jak", "G_Ab_Jak", "Oft_fesh_K_Jak", "Oft_Fesh_F_Jak", "Oft_Fesh_Sh_Jak",
                        "Oft_Fesh_P_M_Jak", "Oft_Fesh_D_Jak", "Te_Pmp_Jak", "Te_Pmp_D_Jak", "Typ_Dig", "K_A_Dig",
                        "Te_Dig", "Rand_Dig", "D_H_B_Kore", "D_H_T_Kore", "Rand_Kore", "K_A_Kore", "Typ_Mash",
                        "Rand_Mash", "T_M_E_Mash", "Gh_M_E_Mash", "Oft_F_B_U_Sir", "Oft_F_D_K_Sir", "Oft_F_Mo_Sir",
                        "K_B_L_Sir", "Te_Sir"});
    for (const char *n : {"Z_90_K_Sir", "Z_90_B_Sir", "Z_45_M_Sir", "3R_S_Sir", "3R_En_Sir", "Z_B_U_Sir", "Sh_F_T_Sir",
                          "Sh_F_K_Sir", "Sh_F_G_Sir", "Sh_1T_L_Sir", "S_L_Sh_LT_Sir", "S_L_T_Sa_Sir"})
        t.fields << S(n, 150);
    t.fields << floats({"Oft_f_kan_Hav", "So_Kh_H_Hav", "V_B_M_E"}) << B("Delitfield")
             << floats({"Rand_m1E", "Rand_m2E", "Rand_m1J", "Rand_m2J"}) << SI("Rand_sir") << S("Bosh_Mohre", 90)
             << floats({"T_filter_jk", "T_filter_es", "K_B_L_MAB", "Rand_E_MAB", "Hed_pmpsir"}) << B("Chk_nsbM")
             << SI("HU") << B("Chk_Zp");
    return t;
}

TableDef typmas()
{
    TableDef t{QStringLiteral("TypMas.DB"), {}, {X("IST", "Shproje;Type")}, true};
    t.fields << F("Shproje") << F("Type");
    for (int i = 1; i <= 28; ++i)
        t.fields << FieldDef{QStringLiteral("Typ%1").arg(i), FieldType::Float, 0};
    return t;
}

TableDef examTable(const char *file)
{
    // One result row per space of the last screen run of a per-space sizing;
    // every column the four writers fill, all text but the row number.
    TableDef t{QString::fromLatin1(file), {I("No")}, {}, true};
    for (const char *n : {"Shproje", "NameT", "Shvahed", "faza", "Ti_", "barh", "Z_ts", "s_hararat", "T_Pare",
                          "Tol_Pare", "hjm_Ab", "Vazn_Rad", "size_Rad", "debi"})
        t.fields << S(n, 40);
    return t;
}

QVector<TableDef> buildAll()
{
    QVector<TableDef> v;
    v << bank1() << bankvh() << bankfz() << bankjd() << tajhizat();
    v << TableDef{QStringLiteral("TypMas.DB"), typmas().fields, typmas().indexes, true};
    v << TableDef{QStringLiteral("shahrg.db"),
                  {S("Name_shahr", 15), F("Dama_kd"), F("Ertefa"), F("ArzGografi"), F("DarsadRotobat"), F("MoadelYakbandan")},
                  {},
                  true};
    v << TableDef{QStringLiteral("faza.db"), {A("Codefaza"), S("Faza", 25)}, {X("IFaza", "Faza")}, true};
    v << TableDef{QStringLiteral("word.DB"),
                  {S("English", 100), S("Pertion", 100), S("Memprs", 255), G("Pic_dic")},
                  {X("idxeng", "English"), X("idxprs", "Pertion")},
                  true};
    v << examTable("Examfz.DB") << examTable("ExamHava.DB");
    TableDef colors{QStringLiteral("BankColors.DB"), {}, {}, true};
    for (const char *n : kColorFields)
        colors.fields << I(n);
    v << colors;
    v << TableDef{QStringLiteral("BankFont.DB"), {S("FldScreenF", 50), S("FldPrintF", 50), S("FldPrintFst", 50)}, {}, true};
    v << TableDef{QStringLiteral("Vaziat.db"), {I("Form11_Left"), I("Form11_Top"), I("Form15_Left"), I("Form15_Top")}, {}, true};
    return v;
}

} // namespace

const char *const kColorFields[25] = {
    "FldWin_V", "FldBktext_V", "FldText_V", "FldMenu_V", "FldTextMenu_V",
    "FldWin_T", "FldBktext_T", "FldText_T", "FldMenu_T", "FldTextMenu_T",
    "FldWin_G", "FldBktext_G", "FldText_G", "FldMenu_G", "FldTextMenu_G",
    "FldWin_J", "FldBktext_J", "FldText_J", "FldMenu_J", "FldTextMenu_J",
    "FldWin_R", "FldBktext_R", "FldText_R", "FldMenu_R", "FldTextMenu_R",
};

int defaultColor(int entry)
{
    static const int role[5] = {12632256, 14872561, 0, 9737861, 0};
    return role[entry % 5];
}

const char *const kDefaultScreenFont = "mitra";
const char *const kDefaultReportFont = "Traffic";
const char *const kDefaultTitleFont = "Titr";

const QVector<TableDef> &dataFolderTables()
{
    static const QVector<TableDef> all = buildAll();
    return all;
}

const TableDef *tableDef(const QString &fileName)
{
    for (const TableDef &t : dataFolderTables())
        if (t.fileName.compare(fileName, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

const TableDef &programTable()
{
    static const TableDef t{QStringLiteral("program.db"), {S("PRG", 10)}, {}, false};
    return t;
}

QVector<IndexDef> rebuildIndexes(const QString &fileName)
{
    const QString f = fileName.toLower();
    if (f == QLatin1String("bankvh.db"))
        return bankvhIndexes();
    if (f == QLatin1String("bankfz.db"))
        return bankfzIndexes();
    if (f == QLatin1String("bankjd.db"))
        return bankjdIndexes();
    return {};
}

void createDataFolder(const QString &folder)
{
    QDir().mkpath(folder);
    pf::db::Database db;
    db.setDirectory(folder);
    for (const TableDef &t : dataFolderTables()) {
        if (!db.findTableFile(t.fileName).isEmpty())
            continue;
        db.createTable(t);
        const QString name = t.fileName.toLower();
        QString sql;
        QVariantList binds;
        if (name == QLatin1String("bankcolors.db")) {
            QStringList cols, marks;
            for (int i = 0; i < 25; ++i) {
                cols << QStringLiteral("\"%1\"").arg(QLatin1String(kColorFields[i]));
                marks << QStringLiteral("?");
                binds << defaultColor(i);
            }
            sql = QStringLiteral("INSERT INTO BankColors (%1) VALUES (%2)").arg(cols.join(u','), marks.join(u','));
        } else if (name == QLatin1String("bankfont.db")) {
            sql = QStringLiteral("INSERT INTO BankFont (FldScreenF, FldPrintF, FldPrintFst) VALUES (?, ?, ?)");
            binds << QString::fromLatin1(kDefaultScreenFont) << QString::fromLatin1(kDefaultReportFont)
                  << QString::fromLatin1(kDefaultTitleFont);
        } else if (name == QLatin1String("vaziat.db")) {
            sql = QStringLiteral("INSERT INTO Vaziat (Form11_Left, Form11_Top, Form15_Left, Form15_Top) VALUES (?, ?, ?, ?)");
            binds << 263 << 167 << 239 << 142;
        }
        if (!sql.isEmpty()) {
            // The settings tables are protected like the others; writing the
            // default rows needs no user session, so go to the file directly.
            pf::db::Database raw;
            raw.setDirectory(folder);
            raw.open();
            raw.attachTableUnprotected(raw.findTableFile(t.fileName));
            raw.exec(sql, binds);
        }
    }
}

void createProgramTable(const QString &programFolder)
{
    pf::db::Database db;
    db.setDirectory(programFolder);
    if (!db.findTableFile(QStringLiteral("program.db")).isEmpty())
        return;
    db.createTable(programTable());
    db.open();
    db.attachTableUnprotected(db.findTableFile(QStringLiteral("program.db")));
    db.exec(QStringLiteral("INSERT INTO program (PRG) VALUES ('')"));
}

} // namespace schema
