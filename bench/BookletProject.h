#pragma once
// The project of the benchmarks of the heating-load booklet: F floors x 4
// units x 10 spaces x 6 surfaces (external and internal walls, a window, a
// door, a roof and a floor per space) in a data folder of its own, and its
// booklet laid out (621 pages at 50 floors, 9,921 at 800).
#include "boravest/building/RepUnit2.h"
#include "boravest/data/TableSchemas.h"
#include "boravest/data/UnitDm.h"
#include "boravest/sizing/HeatLoad.h"
#include "boravest/sizing/PlanRotation.h"
#include "platform/report/Document.h"

#include <QTemporaryDir>

#include <map>
#include <memory>
#include <vector>

namespace benchbooklet {

constexpr int kUnits = 4, kSpaces = 10;

inline building::SurfaceRow surfaceOf(int k, int code)
{
    static const QString words[5] = {QStringLiteral("ديوار"), QStringLiteral("پنجره"), QStringLiteral("درب"),
                                     QStringLiteral("سقف"), QStringLiteral("كف")};
    // Kind, state, direction of the six surfaces of a space.
    const int kinds[6] = {0, 0, 1, 2, 3, 4};
    const int states[6] = {1, 0, 1, 0, 1, 1};
    building::SurfaceRow r;
    r.Id_jedar = kinds[k];
    r.Jedare = words[kinds[k]];
    r.Id_njedar = states[k];
    r.Id_gjedar = kinds[k] < 3 ? (code + k) % 8 : (kinds[k] == 3 ? code % 2 : -1);
    r.Masa1 = 60 + 10 * k;
    r.Masa2 = kinds[k] == 3 ? 55 : 0;
    r.Z_1 = 0.2 + 0.05 * k;
    r.Z_2 = kinds[k] == 3 ? 0.5 : 0;
    r.To_ = states[k] == 1 ? 10 : 60;
    r.Ti_ = 70;
    return r;
}

struct Project {
    QTemporaryDir dir;
    int floors;
    std::vector<building::UnitRow> units;
    building::SiteData site{1.02, 55};

    explicit Project(int floors) : floors(floors)
    {
        pf::db::Session::addPassword(QStringLiteral("38617"));
        schema::createDataFolder(dir.path());
        pf::db::Database db;
        db.setDirectory(dir.path());
        db.open();
        db.transaction([&] {
            db.exec(QStringLiteral("insert into Bank1 (SHPROJE, NAME, SHAHR, Ga, Tg) values (1, 'big', 'tehran', ?, ?)"),
                    {site.Ga, site.Tg});
            int code = 0;
            for (int f = 0; f < floors; ++f)
                for (int u = 1; u <= kUnits; ++u) {
                    building::UnitRow unit;
                    unit.Tabage = f;
                    unit.Shvahed = u;
                    unit.Sf = 10;
                    unit.Z_ertefa = f > 10 ? 5 : 0;
                    db.exec(QStringLiteral("insert into bankvh (Shproje,Shsk,Tabage,Shvahed,Ertefa,Sf,Z_ertefa) "
                                           "values (1,1,?,?,10,?,?)"),
                            {f, u, unit.Sf, unit.Z_ertefa});
                    for (int s = 1; s <= kSpaces; ++s, ++code) {
                        building::SpaceRow space;
                        space.Ti_ = 70;
                        space.To_ = 10;
                        space.A_ = 120;
                        space.V_ = 960;
                        space.Air_ = 1;
                        space.V_varm = s == 3 ? 1500 : 0;
                        db.exec(QStringLiteral("insert into bankfz (Shproje,Shsk,Tabage,Shvahed,Faza,Codefaza,Ertefa,"
                                               "Ti_,To_,A_,V_,Air_,V_varm) values (1,1,?,?,'room',?,8,?,?,?,?,?,?)"),
                                {f, u, s, space.Ti_, space.To_, space.A_, space.V_, space.Air_, space.V_varm});
                        for (int k = 0; k < 6; ++k) {
                            const building::SurfaceRow r = surfaceOf(k, code);
                            db.exec(QStringLiteral("insert into bankjd (Shproje,Shsk,Tabage,Shvahed,CodeFaza,Jedare,"
                                                   "Id_jedar,Id_njedar,Id_gjedar,Masa1,Masa2,Z_1,Z_2,To_,Ti_) "
                                                   "values (1,1,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                                    {f, u, s, r.Jedare, r.Id_jedar, r.Id_njedar, r.Id_gjedar, r.Masa1, r.Masa2, r.Z_1,
                                     r.Z_2, r.To_, r.Ti_});
                            space.surfaces.push_back(r);
                        }
                        unit.spaces.push_back(space);
                    }
                    units.push_back(unit);
                }
        });
    }
};

inline Project &project(int floors)
{
    static std::map<int, std::unique_ptr<Project>> projects;
    auto &p = projects[floors];
    if (!p)
        p = std::make_unique<Project>(floors);
    return *p;
}

// The booklet of the project, laid out once.
inline pf::report::Document layBooklet(const Project &p)
{
    TDM1 dm;
    DM1 = &dm;
    dm.Database1->setDirectory(p.dir.path());
    dm.Database1->open();
    pf::report::Document doc;
    {
        TReport2 report;
        building::PlanRotation = building::planRotationForChoice(2);
        report.OpenProject(1);
        doc = report.QuickRep1.render();
        report.CloseTables();
    }
    DM1 = nullptr;
    return doc;
}

} // namespace benchbooklet
