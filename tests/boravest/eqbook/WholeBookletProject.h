#pragma once
// A realistic project for the whole equipment booklet: three floors (the
// ground floor of one unit, two floors of two), walled spaces with
// radiators, unit heaters, furnaces and extract fans marked on some of
// them, and an equipment record whose every page's inputs are valid; and
// the booklet built with every section ticked.
#include "EqBookletFixture.h"

#include "boravest/data/CollectorsStore.h"
#include "boravest/eqbook/RepUnit.h"
#include "boravest/eqbook/RepUnit04.h"
#include "boravest/eqbook/RepUnit10.h"
#include "boravest/eqbook/RepUnit11.h"
#include "boravest/eqbook/RepUnit3.h"
#include "boravest/eqbook/RepUnit4.h"
#include "boravest/eqbook/RepUnit5.h"
#include "boravest/eqbook/RepUnit6.h"
#include "boravest/eqbook/RepUnit7.h"
#include "boravest/eqbook/RepUnit8.h"
#include "boravest/eqbook/RepUnit9.h"
#include "boravest/eqbook/RepUnitEst.h"
#include "boravest/eqbook/U23.h"
#include "boravest/sizing/Collectors.h"
#include "boravest/equipment/U_15Booklet.h"
#include "platform/common/Numbers.h"

#include <QTemporaryDir>

class WholeBookletFixture : public EqBookletFixture {
protected:
    QTemporaryDir files;
    QStringList marked; // the spaces the per-space pages print
    bv::sizing::CollectorsResults collectors; // the units' risers as stored

    struct Room {
        const char *name;
        const char *mark; // what the space holds, as its bankfz columns
    };

    void wholeProject(double p)
    {
        project(p, QStringLiteral("tabriz"), 1.0, 50, QStringLiteral("مجتمع مسكوني آفتاب"));
        db()->exec(QStringLiteral("UPDATE Bank1 SET To1 = 20 WHERE SHPROJE = ?"), {p});
        const std::vector<Room> ground = {{"پاركينگ", "T_UH = 2"},
                                          {"انبار", "E_Kore = 1"},
                                          {"لابي", "E_Rad = 1"},
                                          {"موتورخانه", "Te_Hav = 1, To_Mo_Hav = 20"}};
        const std::vector<Room> flat = {{"پذيرايي", "E_Rad = 1"},
                                        {"اتاق خواب اصلي", "E_Rad = 1"},
                                        {"آشپزخانه", "Te_Hav = 1, To_Mo_Hav = 15"},
                                        {"حمام", "Te_Hav = 2, To_Mo_Hav = 10"},
                                        {"نشيمن", "E_Kore = 1"}};
        double code = 0;
        for (int floor = 0; floor < 3; ++floor)
            for (int u = 1; u <= (floor == 0 ? 1 : 2); ++u) {
                unit(p, floor, u);
                const std::vector<Room> &rooms = floor == 0 ? ground : flat;
                for (const Room &r : rooms) {
                    const QString name = QStringLiteral("%1 %2-%3").arg(QString::fromUtf8(r.name)).arg(floor).arg(u);
                    ++code;
                    space(p, floor, u, code, name, room(70, -4, 150 + 10 * code, 1200 + 60 * code, 1));
                    surface(p, floor, u, code, wall(0, 1, int(code) % 8, 120 + 8 * code, 0.33, -4));
                    surface(p, floor, u, code, wall(1, 1, int(code) % 8, 24, 1.1, -4));
                    db()->exec(QStringLiteral("UPDATE bankfz SET %1 WHERE Shproje = ? AND Codefaza = ?")
                                   .arg(QString::fromUtf8(r.mark)),
                               {p, code});
                    marked << name;
                }
            }
        // Risers in every unit, sized and stored as the equipment window's
        // collectors page stores them.
        db()->exec(QStringLiteral("UPDATE bankvh SET T_Rz = Shvahed + Tabage WHERE Shproje = ?"), {p});
        const bv::data::CollectorProject proj = bv::data::readCollectorUnits(*db(), p);
        bv::sizing::CollectorsInputs risers;
        risers.units = proj.units;
        risers.site = proj.site;
        risers.EkhtDama = 20;
        risers.OfteFeshar = 4;
        risers.reportMode = true;
        collectors = bv::sizing::sizeCollectors(risers);
        bv::data::storeCollectorResults(*db(), p, bv::sizing::collectorStoreRows(collectors));
        // The record: values of the equipment window's worked projects.
        const std::vector<std::pair<const char *, QVariant>> record = {
            // project data, water branch, pressure tank, hot-water tank
            {"NameS", QStringLiteral("مسكوني")}, {"NSakh", 0}, {"TySo", 1}, {"Masa_z", 5000}, {"Masa_Ar", 1076},
            {"Masa_Aa", 4304}, {"TeaSak", 12}, {"Van", 2}, {"Dosh", 3}, {"WCKh", 4}, {"SinkZar", 2}, {"LaganPa", 1},
            {"DamAbSh", 50}, {"DamAbMa", 110}, {"DamAbBeh", 140}, {"DAbgarm", 180}, {"FPBM", 20}, {"MErAT", 10},
            {"MTZA", 0.5}, {"TSPS", 6}, {"ErtefaS", 60}, {"TolSevic", 100}, {"OfteFeshar", 4}, {"Typ_MAM", 0},
            {"Randeman", 70}, {"T_Manba", 1}, {"T_Pomp", 1}, {"S_masaref", 10}, {"Z_Et", 20}, {"K_B_L_MAB", 20},
            {"Rand_E_MAB", 60}, {"Fesh_KB", 15}, {"EkhtDama", 20},
            // boilers
            {"Te_Dig", 2}, {"Rand_Dig", 80}, {"K_A_Dig", 80}, {"Typ_Dig", 0}, {"Chk_Zp", 1},
            // pool
            {"Mass_Est", 800}, {"Rand_Est", 80}, {"Te_Est", 1}, {"D_Ma_Est", 80}, {"Omgh_M_Est", 5},
            {"Mz_G_Ab_Est", 48}, {"D_Mo_Est", 75}, {"Typ_M_Est", 0}, {"Fesh_M_Est", 15}, {"Oft_Fesh_K_Est", 5},
            {"Oft_Fesh_F_Est", 10}, {"Oft_Fesh_Sh_Est", 8}, {"Rand_m1E", 60}, {"Oft_Fesh_P_M_Est", 3},
            {"Oft_Fesh_D_Est", 4}, {"Te_Pmp_D_Est", 1}, {"Rand_m2E", 65}, {"T_filter_es", 1}, {"Te_Pmp_Est", 2},
            {"G_Ab_Est", 6},
            // jacuzzi
            {"Mass_Jak", 40}, {"Rand_Jak", 80}, {"Te_Jak", 1}, {"D_Ma_Jak", 100}, {"Omgh_M_Jak", 3},
            {"Mz_G_Ab_Jak", 2}, {"D_Mo_Jak", 75}, {"Typ_M_Jak", 1}, {"Fesh_M_Jak", 15}, {"Te_Naz", 4},
            {"Oft_fesh_K_Jak", 5}, {"Oft_Fesh_F_Jak", 10}, {"Oft_Fesh_Sh_Jak", 8}, {"Rand_m1J", 60},
            {"Oft_Fesh_P_M_Jak", 3}, {"Oft_Fesh_D_Jak", 4}, {"Te_Pmp_D_Jak", 1}, {"Rand_m2J", 65},
            {"T_filter_jk", 1}, {"Te_Pmp_Jak", 1}, {"G_Ab_Jak", 0.5},
            // furnaces
            {"Rand_Kore", 80}, {"K_A_Kore", 90}, {"D_H_B_Kore", 70}, {"D_H_T_Kore", 30},
            // radiators, unit heaters, expansion tank, burner, chimney
            {"S_R_PG_R", 0}, {"D_F_PG_UH", 0}, {"HU", 1000}, {"Rand_Mash", 80}, {"V_B_M_E", 60}, {"T_L_Baz", 0},
            {"W_L_Baz", QStringLiteral("100,,50,")}, {"Typ_ME", 0}, {"TeDo", 1}, {"TAmD", 30}, {"TOfD", 10},
            // collectors, circulation pump, softener, extract fans
            {"TolRadiat", 100}, {"Te_Sir", 1}, {"Rand_sir", 70}, {"Oft_F_B_U_Sir", 10}, {"Oft_F_D_K_Sir", 12},
            {"K_B_L_Sir", 80}, {"Z_90_K_Sir", QStringLiteral(",5,4,")},
            {"Sh_F_T_Sir", QStringLiteral(",,,,,3,,,,,,,,,,,,,,,,,,")}, {"Te_SG", 1}, {"S_Sh_SG", 24}, {"RandeSkgir", 50}, {"SakhAb", 171},
            {"Oft_f_kan_Hav", 0.1}, {"So_Kh_H_Hav", 4000},
        };
        QStringList columns{QStringLiteral("Shproje")}, marks{QStringLiteral("?")};
        QVariantList values{p};
        for (const auto &[column, value] : record) {
            columns << QString::fromLatin1(column);
            marks << QStringLiteral("?");
            values << value;
        }
        db()->exec(QStringLiteral("INSERT INTO Tajhizat (%1) VALUES (%2)").arg(columns.join(u','), marks.join(u',')),
                   values);
    }

    // The booklet of the project with every section ticked, previewed.
    void buildAll(double p) { build(p, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}); }
};
