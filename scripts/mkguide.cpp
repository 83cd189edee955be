// Draws the pictures the user guide keeps of the equipment inputs page and
// the equipment window: the program's own forms, built offscreen over a
// program folder of their own whose data folder holds an example project (a
// house of two floors with its spaces and walls and the equipment inputs of
// every page), each page opened on that project and calculated, as the
// engineer sees it. Run through scripts/make-guide-pictures; the PNGs are kept
// in boravest/help/pictures, one per picture of the guide's equipment page,
// named by the path the picture's "form" property holds ("FormT2_PDig.png").
#include "boravest/app/Forms.h"
#include "boravest/app/U1.h"
#include "boravest/data/ProgramState.h"
#include "boravest/data/TableSchemas.h"
#include "boravest/data/UnitDm.h"
#include "boravest/equipment/Tajh1.h"
#include "boravest/equipment/U_15.h"
#include "platform/system/DisplayMode.h"
#include "platform/system/Settings.h"
#include "platform/ui/Application.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Startup.h"

#include <QDir>
#include <QFrame>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

namespace {

pf::db::Database &db() { return *DM1->Database1; }

void insert(const char *table, const std::vector<std::pair<const char *, QVariant>> &row)
{
    QStringList columns, marks;
    QVariantList values;
    for (const auto &[column, value] : row) {
        columns << QString::fromLatin1(column);
        marks << QStringLiteral("?");
        values << value;
    }
    db().exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(QLatin1String(table), columns.join(u','), marks.join(u',')),
              values);
}

// The example: a villa in Tabriz, the ground floor with the plant room and
// a parking, the first floor with the living spaces; radiators in the
// living spaces, unit heaters in the parking, extract fans in the kitchen,
// the bathroom and the plant room, and an equipment record whose every page
// holds valid inputs.
constexpr double kProject = 1;

void layExample()
{
    insert("shahrg", {{"Name_shahr", QStringLiteral("تبريز")}, {"Dama_kd", -4}, {"Ertefa", 4500}, {"ArzGografi", 38},
                      {"DarsadRotobat", 55}, {"MoadelYakbandan", 110}});
    insert("Bank1", {{"SHPROJE", kProject}, {"NAME", QStringLiteral("ويلاي نمونه")}, {"SHAHR", QStringLiteral("تبريز")},
                     {"DATE1", QStringLiteral("1403/09/15")}, {"CoN", QStringLiteral("مهندسين مشاور نمونه")},
                     {"EngN", QStringLiteral("مهندس محاسب")}, {"Ga", 0.075}, {"Tg", 50}, {"Ti1", 70}, {"To1", -4},
                     {"Sf", QStringLiteral("10")}, {"VAL_K", 0.33}, {"VAL_D", 0.5}, {"Win_K", 1.13}, {"Win_D", 0.6},
                     {"DOR_K", 0.7}, {"DOR_D", 0.45}, {"Sakf_K", 0.3}, {"Sakf_D", 0.4}});
    struct Room {
        double floor, code;
        const char *name;
        double area, wall, window;
        std::vector<std::pair<const char *, QVariant>> marks;
    };
    const std::vector<Room> rooms = {
        {0, 1, "پاركينگ", 450, 520, 0, {{"T_UH", 2}}},
        {0, 2, "موتورخانه", 160, 280, 0, {{"Te_Hav", 1}, {"To_Mo_Hav", 20}}},
        {0, 3, "لابي", 120, 200, 30, {{"E_Rad", 1}}},
        {1, 4, "پذيرايي", 380, 420, 96, {{"E_Rad", 1}}},
        {1, 5, "اطاق خواب", 160, 240, 36, {{"E_Rad", 1}}},
        {1, 6, "آشپزخانه", 140, 200, 24, {{"E_Rad", 1}, {"Te_Hav", 1}, {"To_Mo_Hav", 15}}},
        {1, 7, "حمام", 60, 110, 8, {{"E_Rad", 1}, {"Te_Hav", 1}, {"To_Mo_Hav", 10}}},
    };
    for (double floor : {0.0, 1.0})
        insert("bankvh", {{"Shproje", kProject}, {"Shsk", kProject}, {"Tabage", floor}, {"Shvahed", 1}, {"Sf", 10},
                          {"Z_ertefa", 5}, {"Ertefa", 10}, {"T_Rz", 2}});
    for (const Room &r : rooms) {
        std::vector<std::pair<const char *, QVariant>> space = {
            {"Shproje", kProject}, {"Shsk", kProject}, {"Tabage", r.floor}, {"Shvahed", 1},
            {"Codefaza", r.code}, {"Faza", QString::fromUtf8(r.name)}, {"Ertefa", 10}, {"Ti_", 70}, {"To_", -4},
            {"A_", r.area}, {"V_", r.area * 10}, {"Air_", 1}, {"V_varm", 0}};
        space.insert(space.end(), r.marks.begin(), r.marks.end());
        insert("bankfz", space);
        // An outside north wall, its window and the roof of the upper floor.
        auto surface = [&](int kind, const char *word, double area, double u) {
            insert("bankjd", {{"Shproje", kProject}, {"Shsk", kProject}, {"Tabage", r.floor}, {"Shvahed", 1},
                              {"CodeFaza", r.code}, {"Jedare", QString::fromUtf8(word)}, {"Id_jedar", kind},
                              {"Id_njedar", 1}, {"Id_gjedar", 0}, {"Masa1", area}, {"Z_1", u}, {"To_", -4}});
        };
        surface(0, "ديوار", r.wall, 0.33);
        if (r.window > 0)
            surface(1, "پنجره", r.window, 1.13);
        if (r.floor == 1)
            surface(3, "سقف", r.area, 0.3);
    }
    // Every page's inputs, as an engineer enters them for such a house.
    insert("Tajhizat",
           {{"Shproje", kProject}, {"NameS", QStringLiteral("مسكوني")}, {"NSakh", 1}, {"TySo", 1}, {"Masa_z", 3200},
            {"Masa_Ar", 1100}, {"Masa_Aa", 2100}, {"TeaSak", 5}, {"Van", 1}, {"Dosh", 2}, {"WCKh", 3}, {"SinkZar", 1},
            {"MashZar", 1}, {"MashRakh", 1}, {"LaganPa", 0}, {"DamAbSh", 50}, {"DamAbMa", 110}, {"DamAbBeh", 140},
            {"DAbgarm", 180}, {"FPBM", 20}, {"MErAT", 10}, {"MTZA", 0.5}, {"TSPS", 6}, {"ErtefaS", 30},
            {"TolSevic", 80}, {"OfteFeshar", 4}, {"Typ_MAM", 0}, {"Randeman", 70}, {"T_Manba", 1}, {"T_Pomp", 1},
            {"S_masaref", 10}, {"Z_Et", 20}, {"K_B_L_MAB", 20}, {"Rand_E_MAB", 60}, {"Fesh_KB", 15},
            {"EkhtDama", 20}, {"Te_Dig", 1}, {"Rand_Dig", 80}, {"K_A_Dig", 80}, {"Typ_Dig", 0}, {"Chk_Zp", 1},
            {"Rand_Kore", 80}, {"K_A_Kore", 90}, {"D_H_B_Kore", 70}, {"D_H_T_Kore", 30}, {"S_R_PG_R", 0},
            {"D_F_PG_UH", 0}, {"HU", 1000}, {"Rand_Mash", 80}, {"V_B_M_E", 40}, {"T_L_Baz", 0},
            {"W_L_Baz", QStringLiteral("120,,60,")}, {"Typ_ME", 1}, {"TeDo", 1}, {"TAmD", 30}, {"TOfD", 6},
            {"TolRadiat", 60}, {"Te_Sir", 1}, {"Rand_sir", 70}, {"Oft_F_B_U_Sir", 5}, {"Oft_F_D_K_Sir", 8},
            {"K_B_L_Sir", 80}, {"Z_90_K_Sir", QStringLiteral(",6,4,")},
            {"Sh_F_T_Sir", QStringLiteral(",,,,,3,,,,,,,,,,,,,,,,,,")}, {"Te_SG", 1}, {"S_Sh_SG", 24},
            {"RandeSkgir", 50}, {"SakhAb", 171}, {"Oft_f_kan_Hav", 0.1}, {"So_Kh_H_Hav", 800}});
}

QString g_out;
int g_failures = 0;

void save(QWidget *w, const QString &path)
{
    QString name = path;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    const QString file = QDir(g_out).filePath(name + QStringLiteral(".png"));
    if (!w || !w->grab().save(file)) {
        std::fprintf(stderr, "could not draw %s\n", qPrintable(path));
        ++g_failures;
        return;
    }
    std::printf("%s\n", qPrintable(file));
}

void settle() { QCoreApplication::processEvents(); }

// The equipment window on the example: each pictured page opened and
// calculated; the window itself with the boiler page and its results.
void drawEquipmentWindow()
{
    FormT2->show();
    settle();
    const std::pair<void (TFormT2::*)(), const char *> pages[] = {
        {&TFormT2::Label19Click, "PMADoJ"}, {&TFormT2::Label112Click, "PPGRad"}, {&TFormT2::Label9Click, "PMEBaz"},
        {&TFormT2::Label13Click, "PPSiS"},  {&TFormT2::Label15Click, "PHavPD"},  {&TFormT2::Label6Click, "PDig"},
    };
    for (const auto &[open, panel] : pages) {
        if (panel == QLatin1String("PPGRad"))
            FormT2->Label8Click(); // its group first, as the menu opens it
        (FormT2->*open)();
        settle();
        FormT2->Label39Click();
        settle();
        save(FormT2->findChild<QFrame *>(QString::fromLatin1(panel)), QStringLiteral("FormT2/") + QLatin1String(panel));
        if (panel != QLatin1String("PDig")) {
            FormT2->Label41Click();
            settle();
        }
    }
    save(FormT2, QStringLiteral("FormT2"));
    FormT2->Label41Click();
    FormT2->done(0);
    settle();
}

// The inputs page on the example project in its editing state; its next
// page opens the equipment window.
void drawInputsPage()
{
    FormT1->show();
    settle();
    DM1->Table1->locate(QStringLiteral("SHPROJE"), {kProject});
    FormT1->Label1Click();
    settle();
    save(FormT1, QStringLiteral("FormT1"));
    save(FormT1->findChild<QFrame *>(QStringLiteral("Panel2")), QStringLiteral("FormT1/Panel2"));
    FormT1->Label41Click();
    settle();
    FormT1->Label45Click();
    settle();
    FormT1->hide();
}

} // namespace

int main(int argc, char **argv)
{
    pf::ui::Application app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: boravest-guide-pictures <folder for the pictures>\n");
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[1]);
    pf::ui::startInPersian();

    QTemporaryDir program, settings;
    pf::sys::Settings::setStorePath(QDir(settings.path()).filePath(QStringLiteral("registry.ini")));
    pf::sys::FakeDisplayMode display(QSize(1024, 768));
    pf::sys::setDisplayMode(&display);
    SetProgramFolder(program.path());
    schema::createProgramTable(program.path());
    schema::createDataFolder(QDir(program.path()).filePath(QStringLiteral("Boravestdata")));
    // Messages are told on the console; the equipment window, opened modally
    // by the inputs page, is drawn where it opens.
    pf::ui::setMessageHook([](const QString &text) { std::fprintf(stderr, "message: %s\n", qPrintable(text)); });
    pf::ui::setModalHook([](QWidget *form) {
        if (form == FormT2)
            drawEquipmentWindow();
        return 0;
    });

    CreateAllForms();
    Form1->FormActivate();
    layExample();
    drawInputsPage();
    DestroyAllForms();
    pf::ui::setModalHook(nullptr);
    pf::ui::setMessageHook(nullptr);
    return g_failures == 0 ? 0 : 1;
}
