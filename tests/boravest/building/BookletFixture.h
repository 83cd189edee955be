#pragma once
// The whole program offscreen with a fresh data folder and a few cities,
// plus what the booklet tests need: projects written row by row, the
// booklet previewed through Form13 with the preview answered by the modal
// hook, and readers of the printed pages.
#include "boravest/sizing/HeatLoad.h"
#include "boravest/building/RepUnit2.h"
#include "boravest/building/U13.h"
#include "boravest/app/Forms.h"
#include "boravest/data/TableSchemas.h"
#include "boravest/app/U1.h"
#include "boravest/data/UnitDm.h"
#include "platform/report/Preview.h"
#include "platform/report/ReportTestUtil.h"
#include "platform/system/DisplayMode.h"
#include "platform/system/Settings.h"
#include "platform/ui/Dialogs.h"
#include "support/TestSupport.h"
#include "../ProgramGlobals.h"

#include <QDir>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <tuple>

class BookletFixture : public ::testing::Test {
protected:
    QTemporaryDir programDir;
    QTemporaryDir store;
    pf::sys::FakeDisplayMode display{QSize(800, 600)};
    pf::sys::DisplayMode *previousDisplay = nullptr;
    QStringList modalsShown;
    std::function<int(QWidget *)> onModal;

    pf::report::Document lastDoc;
    int previews = 0;
    std::function<void(pf::report::ReportPreview *)> inPreview;
    // Plain copies of what was written, for the arithmetic.
    std::map<double, std::vector<building::UnitRow>> units;
    std::map<double, building::SiteData> sites;

    void SetUp() override
    {
        testsupport::resetProgramGlobals();
        pf::sys::Settings::setStorePath(QDir(store.path()).filePath(QStringLiteral("registry.ini")));
        pf::db::Session::clearPasswords();
        previousDisplay = pf::sys::setDisplayMode(&display);
        SetProgramFolder(programDir.path());
        schema::createProgramTable(programDir.path());
        schema::createDataFolder(programDir.filePath(QStringLiteral("Boravestdata")));
        pf::ui::setModalHook([this](QWidget *w) {
            modalsShown << w->objectName();
            if (auto *p = qobject_cast<pf::report::ReportPreview *>(w)) {
                ++previews;
                lastDoc = p->document();
                if (inPreview)
                    inPreview(p);
            }
            return onModal ? onModal(w) : 0;
        });
        CreateAllForms();
        Form1->FormShow();
        Form1->FormActivate();
        ASSERT_TRUE(Form1->startupDone());
        // Cities: name, outdoor design temperature (F), altitude (ft), humidity (%).
        addCity(QStringLiteral("shiraz"), 31, 1500, 40);
        addCity(QStringLiteral("tabriz"), -4, 4500, 55);
        testsupport::takeMessages();
    }

    void TearDown() override
    {
        if (Form13) {
            Form13->Label7Click();
            Form13->hide();
        }
        building::PlanRotation = building::identityRotation();
        DestroyAllForms();
        pf::ui::setModalHook(nullptr);
        pf::sys::setDisplayMode(previousDisplay);
        SetProgramFolder(QString());
    }

    void addCity(const QString &name, double outdoor, double altitude, double humidity)
    {
        DM1->Database1->exec(QStringLiteral("INSERT INTO shahrg (Name_shahr, Dama_kd, Ertefa, ArzGografi, "
                                            "DarsadRotobat, MoadelYakbandan) VALUES (?, ?, ?, 30, ?, 20)"),
                             {name, outdoor, altitude, humidity});
    }

    pf::db::Database *db() { return DM1->Database1; }

    void project(double p, const QString &city = QStringLiteral("shiraz"), double ga = 1.0, double tg = 50,
                 const QString &name = QStringLiteral("villa"))
    {
        db()->exec(QStringLiteral("INSERT INTO Bank1 (SHPROJE, NAME, SHAHR, DATE1, CoN, EngN, Ga, Tg, Ti1, Sf) "
                                  "VALUES (?, ?, ?, '1383/05/01', 'karan', 'rezaei', ?, ?, 70, '10')"),
                   {p, name, city, ga, tg});
        sites[p] = building::SiteData{ga, tg};
    }

    void unit(double p, double tabage, double shvahed, double sf = 10, double zErtefa = 5)
    {
        db()->exec(QStringLiteral("INSERT INTO bankvh (Shproje, Shsk, Tabage, Shvahed, Sf, Z_ertefa, Ertefa) "
                                  "VALUES (?, ?, ?, ?, ?, ?, 10)"),
                   {p, p, tabage, shvahed, sf, zErtefa});
        building::UnitRow u;
        u.Tabage = tabage;
        u.Shvahed = shvahed;
        u.Sf = sf;
        u.Z_ertefa = zErtefa;
        units[p].push_back(u);
    }

    building::UnitRow &unitRow(double p, double tabage, double shvahed)
    {
        for (building::UnitRow &u : units[p])
            if (u.Tabage == tabage && u.Shvahed == shvahed)
                return u;
        throw std::runtime_error("no such unit row");
    }

    void space(double p, double tabage, double shvahed, double code, const QString &name, const building::SpaceRow &s)
    {
        db()->exec(QStringLiteral("INSERT INTO bankfz (Shproje, Shsk, Tabage, Shvahed, Codefaza, Faza, Ertefa, Ti_, "
                                  "To_, A_, V_, Air_, V_varm) VALUES (?, ?, ?, ?, ?, ?, 8, ?, ?, ?, ?, ?, ?)"),
                   {p, p, tabage, shvahed, code, name, s.Ti_, s.To_, s.A_, s.V_, s.Air_, s.V_varm});
        building::SpaceRow copy = s;
        copy.surfaces.clear();
        unitRow(p, tabage, shvahed).spaces.push_back(copy);
        spaceCodes[{p, tabage, shvahed}].push_back(code);
    }

    void surface(double p, double tabage, double shvahed, double code, const building::SurfaceRow &r)
    {
        db()->exec(QStringLiteral("INSERT INTO bankjd (Shproje, Shsk, Tabage, Shvahed, CodeFaza, Jedare, Id_jedar, "
                                  "Id_njedar, Id_gjedar, Masa1, Masa2, To_, Ti_, Z_1, Z_2) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                   {p, p, tabage, shvahed, code, r.Jedare, r.Id_jedar, r.Id_njedar, r.Id_gjedar, r.Masa1, r.Masa2,
                    r.To_, r.Ti_, r.Z_1, r.Z_2});
        const auto &codes = spaceCodes[{p, tabage, shvahed}];
        const auto at = std::find(codes.begin(), codes.end(), code) - codes.begin();
        unitRow(p, tabage, shvahed).spaces[at].surfaces.push_back(r);
    }

    static building::SpaceRow room(double ti, double to, double a, double v, double air, double vVarm = 0)
    {
        building::SpaceRow s;
        s.Ti_ = ti;
        s.To_ = to;
        s.A_ = a;
        s.V_ = v;
        s.Air_ = air;
        s.V_varm = vVarm;
        return s;
    }

    static building::SurfaceRow wall(int kind, int state, int dir, double masa1, double z1, double to,
                                     double masa2 = 0, double z2 = 0, double ti = 0)
    {
        static const QString words[5] = {QStringLiteral("ديوار"), QStringLiteral("پنجره"), QStringLiteral("درب"),
                                         QStringLiteral("سقف"), QStringLiteral("كف")};
        building::SurfaceRow r;
        r.Jedare = words[kind];
        r.Id_jedar = kind;
        r.Id_njedar = state;
        r.Id_gjedar = dir;
        r.Masa1 = masa1;
        r.Z_1 = z1;
        r.To_ = to;
        r.Masa2 = masa2;
        r.Z_2 = z2;
        r.Ti_ = ti;
        return r;
    }

    // The load rules over what was written, as the booklet applies them.
    building::BuildingLoad expected(double p)
    {
        // The booklet walks the surfaces in kind, state and direction order.
        std::vector<building::UnitRow> rows = units[p];
        for (building::UnitRow &u : rows)
            for (building::SpaceRow &s : u.spaces)
                std::stable_sort(s.surfaces.begin(), s.surfaces.end(), [](const auto &a, const auto &b) {
                    return std::tie(a.Id_jedar, a.Id_njedar, a.Id_gjedar) < std::tie(b.Id_jedar, b.Id_njedar, b.Id_gjedar);
                });
        return building::evaluateBuilding(rows, sites[p], building::bookletOptions(building::PlanRotation));
    }

    // Chooses the project in the grid, opens its details, picks the
    // rotation (0..7) and previews. `edit` may change the details first.
    pf::report::Document preview(double p, int rotation = 0, const std::function<void()> &edit = {})
    {
        // As when the form is shown afresh from the main menu.
        DM1->Table1->close();
        Form13->FormActivate();
        EXPECT_TRUE(DM1->Table1->locate(QStringLiteral("SHPROJE"), {p}));
        Form13->Label4Click();
        EXPECT_TRUE(Form13->detailsShown());
        Form13->rotationButton(rotation)->setChecked(true);
        if (edit)
            edit();
        lastDoc = pf::report::Document{};
        Form13->Label5Click();
        return lastDoc;
    }

    // --- reading the pages

    // The texts following each occurrence of `caption` in drawing order.
    static QStringList after(const pf::report::Document &doc, const QString &caption, int offset = 1)
    {
        QStringList out;
        const QStringList all = reporttest::allTexts(doc);
        for (int i = qMax(0, -offset); i < all.size() && i + offset < all.size(); ++i)
            if (all[i] == caption)
                out << all[i + offset];
        return out;
    }

    // Rows of the surface table: the texts of the cells of each printed
    // line, by column (0 kind ... 7 heat loss); empty cells are "".
    static QVector<QStringList> tableRows(const pf::report::Document &doc)
    {
        QVector<QStringList> rows;
        for (const pf::report::Page &page : doc.pages) {
            std::map<int, QStringList> lines;
            for (const auto &item : page.items) {
                const auto *t = std::get_if<pf::report::TextRun>(&item);
                if (!t)
                    continue;
                const double x = t->rect.center().x() - pf::report::mmToPx(10);
                for (int c = 0; c < 8; ++c) {
                    const QRectF cell = TReport2::columnRect(c);
                    if (std::abs(t->rect.width() - cell.width()) < 0.01 && std::abs(x - cell.center().x()) < 0.01) {
                        QStringList &line = lines[int(std::lround(t->rect.top() * 4))];
                        if (line.isEmpty())
                            line = QStringList(8, QString());
                        line[c] = t->text;
                    }
                }
            }
            for (const auto &[y, line] : lines)
                rows << line;
        }
        return rows;
    }

    // The surface rows only (a kind word in the first column).
    static QVector<QStringList> surfaceRows(const pf::report::Document &doc)
    {
        QVector<QStringList> out;
        for (const QStringList &r : tableRows(doc))
            if (!r[0].isEmpty())
                out << r;
        return out;
    }

    // Infiltration lines: volume, air factor, temperature difference, load.
    static QVector<QStringList> infiltrationRows(const pf::report::Document &doc)
    {
        QVector<QStringList> out;
        for (const QStringList &r : tableRows(doc))
            if (r[0].isEmpty() && !r[3].isEmpty())
                out << QStringList{r[3], r[4], r[5], r[7]};
        return out;
    }

private:
    std::map<std::tuple<double, double, double>, std::vector<double>> spaceCodes;
};
