#include "boravest/building/RepUnit2.h"

#include "boravest/sizing/HeatLoad.h"
#include "boravest/building/PersianWords.h"
#include "boravest/sizing/PlanRotation.h"
#include "boravest/data/CalcFields.h"
#include "boravest/data/MasterDetail.h"
#include "boravest/data/UnitDm.h"
#include "platform/common/Numbers.h"

#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <array>
#include <deque>
#include <optional>

using pf::db::Dataset;
using pf::db::FieldType;
using namespace pf::report;

TReport2 *Report2 = nullptr;

namespace {

const QString kFamily = QStringLiteral("Traffic");

// Columns of the surface table, right to left: kind, state, direction,
// area, U-value, temperature difference, orientation factor, heat loss.
// The last column takes what is left of the line.
constexpr double kColumnWidths[7] = {70, 95, 80, 80, 110, 90, 70};
constexpr int kColumns = 8;
constexpr double kRowHeight = 20;
constexpr double kWordGap = 6; // between a caption and its value, and the parts of the other sentences

// A space whose load cannot be printed: its name, floor and unit.
const QString kUnprintable = QStringLiteral("بار فضاي %1 در طبقه %2 واحد %3 قابل چاپ نيست؛ اعداد آن را تصحيح كنيد");

QString num(double v) { return pf::floatToStr(v); }

} // namespace

// Fields the handlers read on every row, found by name once per table after
// a project is opened. A field object stays the same while its table keeps
// its columns, across closes and reopens, so the pointers remain good.
struct TReport2::UnitFields {
    pf::db::Field *NameT, *Tabage, *Sf, *Z_ertefa, *Shvahed;
};
struct TReport2::SurfaceFields {
    pf::db::Field *Jedare, *Id_jedar, *Id_njedar, *Id_gjedar, *Masa1, *Masa2, *To_, *Ti_, *Z_1, *Z_2;
    pf::db::Field *Dv_gjedar, *Nnjedar, *Ngjedar, *Mmasa, *Z_z, *ZaribJ;
};
struct TReport2::BookletFields {
    std::optional<UnitFields> unit;
    std::optional<SurfaceFields> surface;
};

// The rows the booklet prints, read in one go before it is laid out and
// kept as plain values in the order the report walks them: the floors of
// the project, the floor-and-unit rows of each floor, the spaces of each of
// those and the surfaces of each space, each level's records a run of the
// level below, as the report's tables link them.
struct TReport2::BookletRows {
    struct Floor {
        double Tabage = 0; // 0 for a floor without a number
        int first = 0, count = 0;
    };
    struct Unit {
        double Tabage = 0, Shvahed = 0, Sf = 0, Z_ertefa = 0;
        QString NameT, ShvahedText, SfText, Z_ertefaText;
        int first = 0, count = 0; // spaces
    };
    struct Space {
        building::SpaceRow row; // without its surfaces
        QString Faza, TiText, ErtefaText;
        int first = 0, count = 0; // surfaces
    };
    struct Surface {
        building::SurfaceRow row;
    };
    std::vector<Floor> floors;
    std::vector<Unit> units;
    // The many spaces and surfaces are held in small pieces: a list in one
    // piece, of a large project's size, is mapped from the system afresh for
    // every booklet and taken in page by page.
    std::deque<Space> spaces;
    std::deque<Surface> surfaces;
    // What they were read for: the project, and the connection's writes
    // then (rows are read again after any write).
    bool read = false;
    double project = 0;
    quint64 writes = 0;
    // The records being printed.
    int floor = 0, unit = 0, space = 0, surface = 0;

    const Unit &currentUnit() const { return units[size_t(unit)]; }
    const Space &currentSpace() const { return spaces[size_t(space)]; }
    const Surface &currentSurface() const { return surfaces[size_t(surface)]; }

    // Gives up the rows and their room: each read takes what its own
    // project needs.
    void reset() { *this = BookletRows(); }
};

namespace {

using bv::data::KeyValue;

// A record's key as the report's tables link it to the records under it
// (the project first, then the columns given): a master's values as its
// number fields give them, a detail's by the numbers it stores; a value
// missing on either side matches nothing.
template <size_t N>
std::array<KeyValue, N> masterKey(double project, const pf::db::RowReader &r, const std::array<int, N - 1> &columns)
{
    std::array<KeyValue, N> k;
    k[0] = {project, false};
    for (size_t i = 1; i < N; ++i) {
        double v = 0;
        k[i] = r.number(columns[i - 1], &v) ? KeyValue{v, false} : KeyValue{0, true};
    }
    return k;
}

template <size_t N>
std::array<KeyValue, N> detailKey(double project, const pf::db::RowReader &r, const std::array<int, N - 1> &columns)
{
    std::array<KeyValue, N> k;
    k[0] = {project, false};
    for (size_t i = 1; i < N; ++i) {
        double v = 0;
        k[i] = r.storedNumber(columns[i - 1], &v) ? KeyValue{v, false} : KeyValue{0, true};
    }
    return k;
}

// Gives each master the run of its details, as the report's tables link
// them. The details come in the order of their keys (as the tables' indexes
// order them), so each master's lie together as they were read and nothing
// moves; only details that do not (a key met apart twice) are put in the
// order of their keys, without those that match no master.
template <size_t N, class Masters, class Details, class MasterKeys>
void linkRuns(Masters &masters, const MasterKeys &masterKeys, Details &details,
              const bv::data::KeyRuns<N> &runs)
{
    using bv::data::KeyRule;
    const auto same = [](const std::array<KeyValue, N> &k) { return k; };
    if (const auto ranges = bv::data::matchRuns<N>(KeyRule::MissingMatchesNothing, masterKeys, same, runs)) {
        for (size_t m = 0; m < masters.size(); ++m) {
            masters[m].first = (*ranges)[m].first;
            masters[m].count = (*ranges)[m].second;
        }
        return;
    }
    // Each detail by itself, its key that of its run.
    std::deque<std::array<KeyValue, N>> keys;
    for (const bv::data::KeyRun<N> &run : runs)
        for (int i = 0; i < run.count; ++i)
            keys.push_back(run.key);
    const bv::data::DetailRuns match =
        bv::data::matchDetails<N>(KeyRule::MissingMatchesNothing, masterKeys, same, keys, same);
    Details linked;
    for (int i : match.order)
        linked.push_back(std::move(details[size_t(i)]));
    details = std::move(linked);
    for (size_t m = 0; m < masters.size(); ++m) {
        masters[m].first = match.runs[m].first;
        masters[m].count = match.runs[m].second - match.runs[m].first;
    }
}

} // namespace

const TReport2::UnitFields &TReport2::unitFields()
{
    if (!m_fields->unit) {
        auto f = [this](const char *name) { return &Table3->fieldByName(QString::fromLatin1(name)); };
        m_fields->unit = UnitFields{f("NameT"), f("Tabage"), f("Sf"), f("Z_ertefa"), f("Shvahed")};
    }
    return *m_fields->unit;
}

const TReport2::SurfaceFields &TReport2::surfaceFields()
{
    if (!m_fields->surface) {
        auto f = [this](const char *name) { return &Table5->fieldByName(QString::fromLatin1(name)); };
        m_fields->surface = SurfaceFields{f("Jedare"),    f("Id_jedar"), f("Id_njedar"), f("Id_gjedar"),
                                          f("Masa1"),     f("Masa2"),    f("To_"),       f("Ti_"),
                                          f("Z_1"),       f("Z_2"),      f("Dv_gjedar"), f("Nnjedar"),
                                          f("Ngjedar"),   f("Mmasa"),    f("Z_z"),       f("ZaribJ")};
    }
    return *m_fields->surface;
}

building::SurfaceRow TReport2::surfaceOfTable()
{
    const SurfaceFields &f = surfaceFields();
    building::SurfaceRow r;
    r.Jedare = f.Jedare->asString();
    r.Id_jedar = f.Id_jedar->asFloat();
    r.Id_njedar = f.Id_njedar->asInteger();
    r.Id_gjedar = f.Id_gjedar->asInteger();
    r.Masa1 = f.Masa1->asFloat();
    r.Masa2 = f.Masa2->asFloat();
    r.To_ = f.To_->asFloat();
    r.Ti_ = f.Ti_->asFloat();
    r.Z_1 = f.Z_1->asFloat();
    r.Z_2 = f.Z_2->asFloat();
    return r;
}

// ---------------------------------------------------------------- form

TReport2::TReport2(QObject *parent)
    : QObject(parent), m_fields(std::make_unique<BookletFields>()), m_rows(std::make_unique<BookletRows>())
{
    setObjectName(QStringLiteral("Report2"));

    Query2 = new pf::db::Query(this);
    Query2->setObjectName(QStringLiteral("Query2"));
    Table3 = new pf::db::Table(this);
    Table3->setObjectName(QStringLiteral("Table3"));
    Table4 = new pf::db::Table(this);
    Table4->setObjectName(QStringLiteral("Table4"));
    Table5 = new pf::db::Table(this);
    Table5->setObjectName(QStringLiteral("Table5"));
    DataSource1 = new pf::db::DataSource(this);
    DataSource1->setObjectName(QStringLiteral("DataSource1"));
    DataSource1->setDataSet(Query2);
    DataSource2 = new pf::db::DataSource(this);
    DataSource2->setObjectName(QStringLiteral("DataSource2"));
    DataSource2->setDataSet(Table3);
    DataSource3 = new pf::db::DataSource(this);
    DataSource3->setObjectName(QStringLiteral("DataSource3"));
    DataSource3->setDataSet(Table4);

    Table3->setTableName(QStringLiteral("bankvh.DB"));
    Table3->setIndexName(QStringLiteral("IPT"));
    Table3->setMasterSource(DataSource1);
    Table3->setMasterFields(QStringLiteral("shproje;Tabage"));
    Table3->addCalcField(QStringLiteral("NameT"), FieldType::String, 15);
    Table3->onCalcFields = [this](Dataset &d) { Table3CalcFields(d); };

    Table4->setTableName(QStringLiteral("bankfz.DB"));
    Table4->setIndexName(QStringLiteral("IPSTV"));
    Table4->setMasterSource(DataSource2);
    Table4->setMasterFields(QStringLiteral("Shproje;Shsk;Tabage;Shvahed"));

    Table5->setTableName(QStringLiteral("bankjd.DB"));
    Table5->setIndexName(QStringLiteral("Idxjd1"));
    Table5->setMasterSource(DataSource3);
    Table5->setMasterFields(QStringLiteral("Shproje;Shsk;Tabage;Shvahed;Codefaza"));
    Table5->addCalcField(QStringLiteral("Dv_gjedar"), FieldType::Integer);
    Table5->addCalcField(QStringLiteral("Nnjedar"), FieldType::String, 15);
    Table5->addCalcField(QStringLiteral("Ngjedar"), FieldType::String, 15);
    Table5->addCalcField(QStringLiteral("Mmasa"), FieldType::Integer);
    Table5->addCalcField(QStringLiteral("Z_z"), FieldType::Float);
    Table5->addCalcField(QStringLiteral("ZaribJ"), FieldType::Float);
    Table5->onCalcFields = [this](Dataset &d) { Table5CalcFields(d); };
    // The booklet walks every unit row, space and surface of the project:
    // the unit rows of the project, the spaces of a floor and the surfaces
    // of a unit row each come from one read rather than one per record
    // above them, with only the fields the booklet prints or works with.
    for (pf::db::Table *t : {Table3, Table4, Table5})
        t->setReadAhead(true);
    Table3->setFieldList({QStringLiteral("Shproje"), QStringLiteral("Shsk"), QStringLiteral("Tabage"),
                          QStringLiteral("Shvahed"), QStringLiteral("Sf"), QStringLiteral("Z_ertefa")});
    Table4->setFieldList({QStringLiteral("Shproje"), QStringLiteral("Shsk"), QStringLiteral("Tabage"),
                          QStringLiteral("Shvahed"), QStringLiteral("Codefaza"), QStringLiteral("Faza"),
                          QStringLiteral("Ertefa"), QStringLiteral("Ti_"), QStringLiteral("To_"), QStringLiteral("A_"),
                          QStringLiteral("V_"), QStringLiteral("Air_"), QStringLiteral("V_varm")});
    Table5->setFieldList({QStringLiteral("Shproje"), QStringLiteral("Shsk"), QStringLiteral("Tabage"),
                          QStringLiteral("Shvahed"), QStringLiteral("CodeFaza"), QStringLiteral("Jedare"),
                          QStringLiteral("Id_jedar"), QStringLiteral("Id_njedar"), QStringLiteral("Id_gjedar"),
                          QStringLiteral("Masa1"), QStringLiteral("Masa2"), QStringLiteral("To_"), QStringLiteral("Ti_"),
                          QStringLiteral("Z_1"), QStringLiteral("Z_2")});

    if (DM1)
        SetDatabase(DM1->Database1);

    // The report walks the rows it reads when it is laid out, floor by
    // floor (the tables stand for the form's own use).
    QuickRep1.beforePrint = [this](Report &, bool &) { rows(); };
    QuickRep1.records = {[this] { return int(m_rows->floors.size()); }, [this](int i) { m_rows->floor = i; }};
    QuickRep1.font = ReportFont::fromPixels(kFamily, 13, true);
    buildTitle();
    buildUnitLevels();
    buildSurfaceTable();
    buildEnd();
}

TReport2::~TReport2() = default;

void TReport2::SetDatabase(pf::db::Database *db)
{
    m_db = db;
    for (Dataset *d : {static_cast<Dataset *>(Query2), static_cast<Dataset *>(Table3),
                       static_cast<Dataset *>(Table4), static_cast<Dataset *>(Table5)})
        d->setDatabase(db);
}

QString TReport2::rotationBase() { return QStringLiteral("     "); }

void TReport2::OpenProject(double shproje, const building::PlanRotationTable &rotation)
{
    m_rotation = rotation;
    m_project = shproje;
    // Found again on first use: the tables may have been pointed elsewhere
    // since the last project.
    *m_fields = BookletFields();
    m_rows->read = false;
    Query2->close();
    Query2->sql().clear();
    Query2->sql() << QStringLiteral("select shproje,Tabage from bankvh")
                  << QStringLiteral("Where shproje=:shproje")
                  << QStringLiteral("group by shproje,Tabage") << QStringLiteral("order by shproje,Tabage");
    Query2->paramByName(QStringLiteral("shproje")).setAsFloat(shproje);
    Query2->open();
    // The project's air density ratio and ground temperature.
    SiteGa = SiteTg = 0;
    const pf::db::Database::Result site =
        m_db->select(QStringLiteral("select Ga, Tg from Bank1 where SHPROJE = ?"), {shproje});
    if (!site.rows.isEmpty()) {
        SiteGa = site.rows[0][0].toDouble();
        SiteTg = site.rows[0][1].toDouble();
    }
    Table3->open();
    Table4->open();
    Table5->close();
    Table5->setIndexName(QStringLiteral("Idxjd1"));
    Table5->open();
}

QString TReport2::UnprintableLoad()
{
    const building::LoadOptions opt = building::bookletOptions(m_rotation);
    const building::SiteData site{SiteGa, SiteTg};
    const BookletRows &r = rows();
    double building = 0;
    for (const BookletRows::Floor &f : r.floors) {
        double floor = 0;
        for (int u = f.first; u < f.first + f.count; ++u) {
            const BookletRows::Unit &unit = r.units[size_t(u)];
            double unitLoad = 0;
            for (int k = unit.first; k < unit.first + unit.count; ++k) {
                const BookletRows::Space &sp = r.spaces[size_t(k)];
                building::SpaceRow space = sp.row;
                for (int j = sp.first; j < sp.first + sp.count; ++j)
                    space.surfaces.push_back(r.surfaces[size_t(j)].row);
                const building::SpaceLoad load = building::evaluateSpace(space, unit.Sf, unit.Z_ertefa, site, opt);
                unitLoad += load.Qs;
                bool printable = building::printableLoad(load.Qi) && building::printableLoad(load.H) &&
                                 building::printableLoad(load.Qs) && building::printableLoad(unitLoad) &&
                                 building::printableLoad(floor + unitLoad) &&
                                 building::printableLoad(building + floor + unitLoad);
                for (const building::SurfaceLoss &s : load.surfaces)
                    printable = printable && building::printableLoad(s.loss);
                if (!printable)
                    return kUnprintable.arg(sp.Faza, calcfields::floorName(unit.Tabage), unit.ShvahedText);
            }
            floor += unitLoad;
        }
        building += floor;
    }
    Query2->first();
    return QString();
}

const TReport2::BookletRows &TReport2::rows()
{
    BookletRows &r = *m_rows;
    if (!r.read || r.project != m_project || !m_db || r.writes != m_db->writeSerial())
        readRows(m_project);
    r.floor = r.unit = r.space = r.surface = 0;
    return r;
}

void TReport2::readRows(double project)
{
    BookletRows &r = *m_rows;
    r.reset();
    if (!m_db)
        return;
    pf::db::Database &db = *m_db;
    const QVariantList key{project};
    // One read of the three files, under one lock.
    const pf::db::ReadScope walk(m_db);

    // Floor-and-unit rows by floor, a floor for each stored floor value as
    // the floor query groups them; only a floor with a number has rows.
    std::vector<std::array<KeyValue, 4>> unitKeys;
    int lastKind = -1; // 0 null, 1 number, 2 text
    double lastNumber = 0;
    QString lastText;
    const QString unitTable = db.attachTable(QStringLiteral("bankvh.DB"));
    db.forEachRow(QStringLiteral("SELECT Tabage, Shsk, Shvahed, Sf, Z_ertefa FROM %1 WHERE Shproje = ? "
                                 "ORDER BY Tabage, rowid")
                      .arg(unitTable),
                  key, [&](const pf::db::RowReader &row) {
                      const int kind = row.isNull(0) ? 0 : row.isNumber(0) ? 1 : 2;
                      const double number = kind == 1 ? row.number(0) : 0;
                      const QString text = kind == 2 ? row.text(0) : QString();
                      if (r.floors.empty() || kind != lastKind || number != lastNumber || text != lastText) {
                          BookletRows::Floor f;
                          f.Tabage = row.number(0);
                          f.first = int(r.units.size());
                          r.floors.push_back(f);
                          lastKind = kind;
                          lastNumber = number;
                          lastText = text;
                      }
                      if (kind != 1)
                          return;
                      BookletRows::Unit u;
                      u.Tabage = number;
                      u.Shvahed = row.number(2);
                      u.Sf = row.number(3);
                      u.Z_ertefa = row.number(4);
                      u.NameT = calcfields::floorName(u.Tabage).left(15);
                      u.ShvahedText = row.numberText(2);
                      u.SfText = row.numberText(3);
                      u.Z_ertefaText = row.numberText(4);
                      r.units.push_back(std::move(u));
                      ++r.floors.back().count;
                      unitKeys.push_back(masterKey<4>(project, row, {1, 0, 2}));
                  });

    // Spaces, ordered by their floor-and-unit row; their keys held in
    // pieces, their units' as the runs of spaces of one unit.
    bv::data::KeyRuns<4> spaceUnits;
    std::deque<std::array<KeyValue, 5>> spaceKeys;
    pf::db::SeenTexts spaceNames;
    const QString spaceTable = db.attachTable(QStringLiteral("bankfz.DB"));
    db.forEachRow(QStringLiteral("SELECT Shsk, Tabage, Shvahed, Codefaza, Faza, Ertefa, Ti_, To_, A_, V_, Air_, "
                                 "V_varm FROM %1 WHERE Shproje = ? ORDER BY Shsk, Tabage, Shvahed, rowid")
                      .arg(spaceTable),
                  key, [&](const pf::db::RowReader &row) {
                      BookletRows::Space sp;
                      sp.Faza = row.text(4, spaceNames);
                      sp.ErtefaText = row.numberText(5);
                      sp.TiText = row.numberText(6);
                      sp.row.Ti_ = row.number(6);
                      sp.row.To_ = row.number(7);
                      sp.row.A_ = row.number(8);
                      sp.row.V_ = row.number(9);
                      sp.row.Air_ = row.number(10);
                      sp.row.V_varm = row.number(11);
                      r.spaces.push_back(std::move(sp));
                      bv::data::addToRuns(spaceUnits, detailKey<4>(project, row, {0, 1, 2}));
                      spaceKeys.push_back(masterKey<5>(project, row, {0, 1, 2, 3}));
                  });

    // Surfaces, ordered by their space, then kind, state and direction;
    // their spaces' keys as the runs of surfaces of one space.
    bv::data::KeyRuns<5> surfaceSpaces;
    pf::db::SeenTexts kinds;
    const QString surfaceTable = db.attachTable(QStringLiteral("bankjd.DB"));
    db.forEachRow(QStringLiteral("SELECT Shsk, Tabage, Shvahed, CodeFaza, Jedare, Id_jedar, Id_njedar, Id_gjedar, "
                                 "Masa1, Masa2, To_, Ti_, Z_1, Z_2 FROM %1 WHERE Shproje = ? "
                                 "ORDER BY Shsk, Tabage, Shvahed, CodeFaza, Id_jedar, Id_njedar, Id_gjedar, rowid")
                      .arg(surfaceTable),
                  key, [&](const pf::db::RowReader &row) {
                      building::SurfaceRow s;
                      s.Jedare = row.text(4, kinds);
                      s.Id_jedar = row.number(5);
                      s.Id_njedar = int(row.whole(6));
                      s.Id_gjedar = int(row.whole(7));
                      s.Masa1 = row.number(8);
                      s.Masa2 = row.number(9);
                      s.To_ = row.number(10);
                      s.Ti_ = row.number(11);
                      s.Z_1 = row.number(12);
                      s.Z_2 = row.number(13);
                      r.surfaces.push_back({std::move(s)});
                      bv::data::addToRuns(surfaceSpaces, detailKey<5>(project, row, {0, 1, 2, 3}));
                  });
    // The surfaces to their spaces first, while the spaces stand in the
    // order their keys were read in; then the spaces, with their runs, to
    // their floor-and-unit rows.
    linkRuns<5>(r.spaces, spaceKeys, r.surfaces, surfaceSpaces);
    linkRuns<4>(r.units, unitKeys, r.spaces, spaceUnits);

    r.read = true;
    r.project = project;
    r.writes = db.writeSerial();
}

void TReport2::CloseTables()
{
    Table3->close();
    Table4->close();
    Table5->close();
}

void TReport2::Table3CalcFields(Dataset &DataSet)
{
    Q_ASSERT(&DataSet == Table3);
    Q_UNUSED(DataSet);
    const UnitFields &f = unitFields();
    f.NameT->setAsString(calcfields::floorName(f.Tabage->asFloat()));
}

void TReport2::Table5CalcFields(Dataset &DataSet)
{
    // As the data module's surface fields, with walls, windows and doors
    // turned by the plan rotation the booklet was asked for.
    Q_ASSERT(&DataSet == Table5);
    Q_UNUSED(DataSet);
    const SurfaceFields &f = surfaceFields();
    const building::SurfaceRow row = surfaceOfTable();
    const int dv = building::effectiveDirection(row, building::bookletOptions(m_rotation));
    f.Dv_gjedar->setAsInteger(dv);
    f.Nnjedar->setAsString(calcfields::stateWord(row.Id_jedar, row.Id_njedar));
    f.Ngjedar->setAsString(calcfields::directionWord(row.Jedare, dv));
    f.Mmasa->setAsInteger(calcfields::areaInUse(row.Jedare, dv, row.Masa1, row.Masa2));
    f.Z_z->setAsFloat(calcfields::uInUse(row.Jedare, dv, row.Z_1, row.Z_2));
    f.ZaribJ->setAsFloat(calcfields::orientationFactor(row.Jedare, row.Id_njedar, dv));
}

// ---------------------------------------------------------------- layout helpers

Label *TReport2::addText(Band *band, const QString &name, double right, double top, const QString &t, double pixels)
{
    Label *l = band->addLabel(name, right, top, t);
    l->alignment = Qt::AlignRight;
    l->direction = Qt::RightToLeft;
    l->font = ReportFont::fromPixels(kFamily, pixels, true);
    return l;
}

QRectF TReport2::columnRect(int column, double top, double height)
{
    // Content width of A4 portrait with 10 mm margins.
    const double width = pf::report::mmToPx(190.0);
    double right = width;
    for (int i = 0; i < column && i < kColumns - 1; ++i)
        right -= kColumnWidths[i];
    const double w = column < kColumns - 1 ? kColumnWidths[column] : right;
    return QRectF(right - w, top, w, height);
}

void TReport2::makeCell(TextElement *e, int column, double top, double height)
{
    e->geometry = columnRect(column, top, height);
    e->autoSize = false;
    e->alignment = Qt::AlignHCenter;
    e->direction = Qt::RightToLeft;
    e->font = ReportFont::fromPixels(kFamily, 12, true);
    e->frame.left = true;
    e->frame.bottom = true;
    e->frame.right = column == 0;
}

Label *TReport2::addCell(Band *band, const QString &name, int column, double top, double height)
{
    Label *l = band->addLabel(name, 0, top);
    makeCell(l, column, top, height);
    return l;
}

double TReport2::printedWidth(const TextElement *e)
{
    QString data;
    const QString *t = &data;
    if (e->kind() == ElementKind::Label)
        t = &static_cast<const Label *>(e)->text;
    else if (e->kind() == ElementKind::DBText)
        data = static_cast<const DBText *>(e)->currentText();
    if (t->isEmpty())
        return 0;
    // From the layouts the booklet prints with: shaped once for both.
    return std::ceil(QuickRep1.textWidth(*e, *t));
}

double TReport2::wrappedHeight(const TextElement *e, const QString &t, double width)
{
    QTextLayout layout;
    layoutParagraph(layout, t.isEmpty() ? QStringLiteral(" ") : t, e->font, e->direction, Qt::AlignRight, true, width);
    double h = 0;
    for (int i = 0; i < layout.lineCount(); ++i)
        h = layout.lineAt(i).y() + layout.lineAt(i).height();
    return h;
}

double TReport2::layRightToLeft(std::initializer_list<TextElement *> parts, double right, double top,
                                double lineHeight, double gap)
{
    double x = right;
    double y = top;
    double bottom = top;
    bool lineStarted = false;
    for (TextElement *e : parts) {
        const double w = printedWidth(e);
        if (lineHeight > 0 && lineStarted && w > 0 && x - w < 0) {
            x = right;
            y += lineHeight;
        }
        e->geometry = QRectF(x, y, 0, 0);
        if (w > 0) {
            x -= w + gap;
            lineStarted = true;
        } else {
            x -= gap;
        }
        bottom = std::max(bottom, y + (lineHeight > 0 ? lineHeight : e->font.pixelSize() * 1.5));
    }
    return bottom;
}

// ---------------------------------------------------------------- bands

void TReport2::buildTitle()
{
    const double width = QuickRep1.contentWidthPx();
    const double mid = width / 2;
    TitleBand1 = QuickRep1.addBand(BandType::Title, QStringLiteral("TitleBand1"), 548);

    auto centred = [&](const QString &name, double top, const QString &t, double pixels) {
        Label *l = addText(TitleBand1, name, mid, top, t, pixels);
        l->alignment = Qt::AlignHCenter;
        l->geometry = QRectF(mid, top, 0, 0);
        return l;
    };
    QRLabel55 = centred(QStringLiteral("QRLabel55"), 4, QStringLiteral("بسمه تعالي"), 15);
    QRLabel26 = centred(QStringLiteral("QRLabel26"), 32, QStringLiteral("محاسبات تأسيسات مكانيكي ساختمان"), 20);
    QRLabel61 = centred(QStringLiteral("QRLabel61"), 66, QStringLiteral("بار گرمايش"), 26);

    // The logo at the left, the company under it.
    QRImage1 = TitleBand1->addImage(QStringLiteral("QRImage1"), QRectF(8, 4, 150, 100));
    QRLabelLogoCompany = centred(QStringLiteral("QRLabel12"), 108, QString(), 13);
    QRLabelLogoCompany->geometry = QRectF(83, 108, 0, 0);

    const double r = width - 4;
    m_numberCaption = addText(TitleBand1, QStringLiteral("QRLabel1"), r, 132, QStringLiteral(": شماره وتاريخ"));
    QRLabelNumber = addText(TitleBand1, QStringLiteral("QRLabel2"), r, 132);
    QRLabelDate = addText(TitleBand1, QStringLiteral("QRLabel3"), r, 132);
    m_companyCaption = addText(TitleBand1, QStringLiteral("QRLabel4"), r, 154, QStringLiteral(": شركت"));
    QRLabelCompany = addText(TitleBand1, QStringLiteral("QRLabel5"), r, 154);
    m_engineerCaption = addText(TitleBand1, QStringLiteral("QRLabel7"), r, 176, QStringLiteral(": مهندس محاسب"));
    QRLabelEngineer = addText(TitleBand1, QStringLiteral("QRLabel9"), r, 176);

    QRLabel69 = centred(QStringLiteral("QRLabel69"), 204, QStringLiteral("مشخصات و اطلاعات كلي پروژه ونتايج محاسبات"), 16);
    TitleBand1->addShape(QStringLiteral("QRShape1"), ShapeKind::HorizontalLine, QRectF(0, 228, width, 2));

    // "ساختمان" name "واقع در شهر" city "به ارتفاع (ft)" altitude
    // "از سطح دريا در" count "طبقه با " and the climate of the city.
    const QString lineTexts[13] = {QStringLiteral("ساختمان"), QString(), QStringLiteral("واقع در شهر"), QString(),
                                   QStringLiteral("به ارتفاع (ft)"), QString(), QStringLiteral("از سطح دريا در"),
                                   QString(), QStringLiteral("طبقه با "), QString(), QStringLiteral(" (%)"),
                                   QStringLiteral("دما ( F )"), QString()};
    for (int i = 0; i < 13; ++i)
        m_titleLine[i] = addText(TitleBand1, QStringLiteral("QRLabel%1").arg(20 + i), r, 236, lineTexts[i]);
    QRLabelName = m_titleLine[1];
    QRLabelCity = m_titleLine[3];
    QRLabelAltitude = m_titleLine[5];
    QRLabelFloors = m_titleLine[7];
    QRLabelHumidity = m_titleLine[9];
    QRLabelDesignTemp = m_titleLine[12];
    QRLabelRotation = addText(TitleBand1, QStringLiteral("QRLabel40"), r, 284, rotationBase());

    centred(QStringLiteral("QRLabel41"), 310, QStringLiteral("نوع وضخامت مصالح بكار رفته درجدارهها در تعريف كلي پروژه"),
            14);
    TitleBand1->addShape(QStringLiteral("QRShape2"), ShapeKind::HorizontalLine, QRectF(0, 332, width, 2));

    const QString captions[8] = {QStringLiteral("ديوار خارجي:"), QStringLiteral("ديوار داخلي:"),
                                 QStringLiteral("سقف خارجي:"),   QStringLiteral("سقف داخلي:"),
                                 QStringLiteral("پنجره خارجي:"), QStringLiteral("پنجره داخلي:"),
                                 QStringLiteral("درب خارجي:"),   QStringLiteral("درب داخلي:")};
    for (int i = 0; i < 8; ++i) {
        m_materialCaptions[i] = addText(TitleBand1, QStringLiteral("QRLabel%1").arg(42 + i), r, 338 + 24 * i, captions[i]);
        MaterialValues[i] = addText(TitleBand1, QStringLiteral("QRLabel%1").arg(80 + i), r - 96, 338 + 24 * i);
        MaterialValues[i]->wordWrap = true;
    }

    TitleBand1->beforePrint = [this](Band &, bool &) {
        const double right = QuickRep1.contentWidthPx() - 4;
        layRightToLeft({m_numberCaption, QRLabelNumber, QRLabelDate}, right, 132, 0, kWordGap);
        layRightToLeft({m_companyCaption, QRLabelCompany}, right, 154, 0, kWordGap);
        layRightToLeft({m_engineerCaption, QRLabelEngineer}, right, 176, 0, kWordGap);
        layRightToLeft({m_titleLine[0], m_titleLine[1], m_titleLine[2], m_titleLine[3], m_titleLine[4], m_titleLine[5],
                        m_titleLine[6], m_titleLine[7], m_titleLine[8], m_titleLine[9], m_titleLine[10],
                        m_titleLine[11], m_titleLine[12]},
                       right, 236, 22, kWordGap);
        layMaterials();
    };
    TitleBand1->afterPrint = [this](Band &, bool) { TitleBand1AfterPrint(); };
}

void TReport2::layMaterials()
{
    // Each value line wraps at the left edge; the next row starts below it.
    const double right = QuickRep1.contentWidthPx() - 4;
    double y = 338;
    for (int i = 0; i < 8; ++i) {
        m_materialCaptions[i]->geometry = QRectF(right, y, 0, 0);
        const double valueRight = right - 96;
        MaterialValues[i]->geometry = QRectF(valueRight, y, 0, 0);
        const double h = wrappedHeight(MaterialValues[i], MaterialValues[i]->text, valueRight);
        y += std::max(22.0, h + 4);
    }
}

void TReport2::TitleBand1AfterPrint()
{
    SumJedar = 0;
    SumVahed = 0;
    SumTabage = 0;
    SumKol = 0;
}

void TReport2::buildUnitLevels()
{
    const double width = QuickRep1.contentWidthPx();
    const double r = width - 4;

    // Per floor: nothing of its own.
    DetailBand1 = QuickRep1.addBand(BandType::Detail, QStringLiteral("DetailBand1"), 0);

    // Per floor-and-unit row: "بار فضاها مربوط به طبقه" floor "واحد " unit.
    QRSubDetail1 = QuickRep1.addSubDetail(QStringLiteral("QRSubDetail1"), 34, nullptr, nullptr);
    QRSubDetail1->records = {[this] { return m_rows->floors[size_t(m_rows->floor)].count; },
                             [this](int i) { m_rows->unit = m_rows->floors[size_t(m_rows->floor)].first + i; }};
    m_unitHeading[0] = addText(QRSubDetail1, QStringLiteral("QRLabel6"), r, 8, QStringLiteral("بار فضاها مربوط به طبقه"), 15);
    m_unitHeading[1] = addText(QRSubDetail1, QStringLiteral("QRLabel8"), r, 8, QString(), 15);
    m_unitHeading[2] = addText(QRSubDetail1, QStringLiteral("QRLabel73"), r, 8, QStringLiteral("واحد "), 15);
    m_unitHeading[3] = addText(QRSubDetail1, QStringLiteral("QRLabel93"), r, 8, QString(), 15);
    QRSubDetail1->addShape(QStringLiteral("QRShape3"), ShapeKind::HorizontalLine, QRectF(0, 3, width, 2));
    QRSubDetail1->beforePrint = [this](Band &, bool &) { UnitHeadingBeforePrint(); };

    // Per space: an empty band of its own, left out for a space without
    // surfaces.
    QRSubDetail2 = QuickRep1.addSubDetail(QStringLiteral("QRSubDetail2"), 5, QRSubDetail1, nullptr);
    QRSubDetail2->records = {[this] { return m_rows->currentUnit().count; },
                             [this](int i) { m_rows->space = m_rows->currentUnit().first + i; }};
    QRSubDetail2->beforePrint = [this](Band &, bool &print) { SpaceBandBeforePrint(print); };

    // After the spaces of a unit row: the unit's total.
    UnitFooterBand = QRSubDetail2->addFooter(QStringLiteral("QRBand3"), 50);
    const QString unitTexts[12] = {QStringLiteral("نتايج مجموع محاسبات بار فضاهاي واحد"), QString(),
                                   QStringLiteral("از طبقه "), QString(),
                                   QStringLiteral("با توجه به ضريب اطمينان"), QString(), QStringLiteral(" (%)"),
                                   QStringLiteral("واحد و"), QStringLiteral("ضريب ارتفاع"), QString(),
                                   QStringLiteral("(%) طبقه (Btu/h)"), QString()};
    for (int i = 0; i < 12; ++i)
        m_unitParts[i] = addText(UnitFooterBand, QStringLiteral("QRLabel%1").arg(100 + i), r, 6, unitTexts[i]);
    m_unitDone = addText(UnitFooterBand, QStringLiteral("QRLabel112"), r, 6, QStringLiteral("محاسبه شده است"));
    UnitFooterBand->beforePrint = [this](Band &, bool &) { UnitFooterBeforePrint(); };
    UnitFooterBand->afterPrint = [this](Band &, bool) {
        SumTabage += SumVahed;
        SumVahed = 0;
    };

    // After the unit rows of a floor: the floor's total.
    FloorFooterBand = QRSubDetail1->addFooter(QStringLiteral("QRBand4"), 34);
    const QString floorTexts[4] = {QStringLiteral("نتايج مجموع محاسبات بار واحدهاي طبقه"), QString(),
                                   QStringLiteral("(Btu/h) با احتساب ضرايب"), QString()};
    for (int i = 0; i < 4; ++i)
        m_floorParts[i] = addText(FloorFooterBand, QStringLiteral("QRLabel%1").arg(120 + i), r, 8, floorTexts[i], 14);
    m_floorDone = addText(FloorFooterBand, QStringLiteral("QRLabel124"), r, 8, QStringLiteral("محاسبه شده است"), 14);
    FloorFooterBand->addShape(QStringLiteral("QRShape4"), ShapeKind::HorizontalLine, QRectF(0, 30, width, 2));
    FloorFooterBand->beforePrint = [this](Band &, bool &) { FloorFooterBeforePrint(); };
    FloorFooterBand->afterPrint = [this](Band &, bool) {
        SumKol += SumTabage;
        SumTabage = 0;
    };
}

void TReport2::buildSurfaceTable()
{
    const double width = QuickRep1.contentWidthPx();
    const double r = width - 4;

    QRSubDetail3 = QuickRep1.addSubDetail(QStringLiteral("QRSubDetail3"), kRowHeight, QRSubDetail2, nullptr);
    QRSubDetail3->records = {[this] { return m_rows->currentSpace().count; },
                             [this](int i) { m_rows->surface = m_rows->currentSpace().first + i; }};

    // Table heading of a space: its name, temperature and height, then the
    // column titles.
    SpaceHeaderBand = QRSubDetail3->addHeader(QStringLiteral("QRBand1"), 96);
    const QString headTexts[6] = {QStringLiteral("نام فضا"), QString(), QStringLiteral("دما ( F )"), QString(),
                                  QStringLiteral("ارتفاع ( ft )"), QString()};
    for (int i = 0; i < 6; ++i)
        m_spaceHeading[i] = addText(SpaceHeaderBand, QStringLiteral("QRLabel%1").arg(130 + i), r, 6, headTexts[i]);
    SpaceHeaderBand->beforePrint = [this](Band &, bool &) {
        const BookletRows::Space &space = m_rows->currentSpace();
        m_spaceHeading[1]->text = space.Faza;
        m_spaceHeading[3]->text = space.TiText;
        m_spaceHeading[5]->text = space.ErtefaText;
        const double right = QuickRep1.contentWidthPx() - 4;
        layRightToLeft({m_spaceHeading[0], m_spaceHeading[1]}, right, 6, 0, kWordGap);
        layRightToLeft({m_spaceHeading[2], m_spaceHeading[3]}, right - 330, 6, 0, kWordGap);
        layRightToLeft({m_spaceHeading[4], m_spaceHeading[5]}, right - 520, 6, 0, kWordGap);
    };
    const QStringList titles[kColumns] = {
        {QStringLiteral("نام"), QStringLiteral("جدار")},
        {QStringLiteral("حالت")},
        {QStringLiteral("جهت")},
        {QStringLiteral("مساحت"), QStringLiteral("( sq.ft )")},
        {QStringLiteral("ضرايب هدايت"), QStringLiteral("وتصحيح"), QStringLiteral("چگالي هوا"),
         QStringLiteral("( Btu/h.sqft.F )")},
        {QStringLiteral("اختلاف دماي "), QStringLiteral("طرفين جدار"), QStringLiteral("( F )")},
        {QStringLiteral("ضريب "), QStringLiteral(" جهت")},
        {QStringLiteral("تلفات حرارتي"), QStringLiteral("( Btu/h )")},
    };
    constexpr double headTop = 28, headHeight = 68, lineStep = 16;
    int n = 140;
    double right = width;
    for (int c = 0; c < kColumns; ++c) {
        const double w = c < kColumns - 1 ? kColumnWidths[c] : right;
        SpaceHeaderBand->addShape(QStringLiteral("QRShape%1").arg(10 + c), ShapeKind::Rectangle,
                                  QRectF(right - w, headTop, w, headHeight));
        const double top = headTop + (headHeight - lineStep * titles[c].size()) / 2 - 1;
        for (int k = 0; k < titles[c].size(); ++k) {
            Label *l = addText(SpaceHeaderBand, QStringLiteral("QRLabel%1").arg(n++), right - w / 2, top + k * lineStep,
                               titles[c][k], 11);
            l->alignment = Qt::AlignHCenter;
        }
        right -= w;
    }

    // One surface row.
    // Kind, state and direction: the stored kind word and the words the
    // surface's calculated fields give.
    m_jedare = addCell(QRSubDetail3, QStringLiteral("QRDBText1"), 0, 0, kRowHeight);
    m_state = addCell(QRSubDetail3, QStringLiteral("QRDBText2"), 1, 0, kRowHeight);
    m_direction = addCell(QRSubDetail3, QStringLiteral("QRDBText3"), 2, 0, kRowHeight);
    m_area = addCell(QRSubDetail3, QStringLiteral("QRLabel160"), 3, 0, kRowHeight);
    m_u = addCell(QRSubDetail3, QStringLiteral("QRLabel161"), 4, 0, kRowHeight);
    m_dt = addCell(QRSubDetail3, QStringLiteral("QRLabel162"), 5, 0, kRowHeight);
    m_factor = addCell(QRSubDetail3, QStringLiteral("QRLabel163"), 6, 0, kRowHeight);
    m_loss = addCell(QRSubDetail3, QStringLiteral("QRLabel164"), 7, 0, kRowHeight);
    QRSubDetail3->beforePrint = [this](Band &, bool &) { SurfaceBeforePrint(); };
    QRSubDetail3->afterPrint = [this](Band &, bool printed) {
        if (printed)
            SumJedar += CurrentLoss;
    };

    // Space footer: infiltration, heat loss, load.
    SpaceFooterBand = QRSubDetail3->addFooter(QStringLiteral("QRBand2"), 76);
    Label *merged = addCell(SpaceFooterBand, QStringLiteral("QRLabel170"), 0, 0, kRowHeight);
    merged->geometry.setLeft(width - kColumnWidths[0] - kColumnWidths[1] - kColumnWidths[2]);
    merged->frame.right = true;
    // The caption and the air changes it brackets print as one text.
    m_air = addText(SpaceFooterBand, QStringLiteral("QRLabel171"), r, 2, QString(), 12);
    m_volume = addCell(SpaceFooterBand, QStringLiteral("QRLabel173"), 3, 0, kRowHeight);
    m_airFactor = addCell(SpaceFooterBand, QStringLiteral("QRLabel174"), 4, 0, kRowHeight);
    m_airDt = addCell(SpaceFooterBand, QStringLiteral("QRLabel175"), 5, 0, kRowHeight);
    addCell(SpaceFooterBand, QStringLiteral("QRLabel176"), 6, 0, kRowHeight);
    m_qi = addCell(SpaceFooterBand, QStringLiteral("QRLabel177"), 7, 0, kRowHeight);

    m_heatCaption = addText(SpaceFooterBand, QStringLiteral("QRLabel178"), r, 26, QStringLiteral(":(Btu/h)تلفات حرارتي فضا"));
    m_heat = addText(SpaceFooterBand, QStringLiteral("QRLabel179"), r, 26);
    m_gainCaption = addText(SpaceFooterBand, QStringLiteral("QRLabel180"), r, 26);
    m_gain = addText(SpaceFooterBand, QStringLiteral("QRLabel181"), r, 26);

    m_loadParts[0] = addText(SpaceFooterBand, QStringLiteral("QRLabel182"), r, 50, QStringLiteral("بار گرمايي براي فضاي"));
    for (int i = 1; i < 5; ++i)
        m_loadParts[i] = addText(SpaceFooterBand, QStringLiteral("QRLabel%1").arg(182 + i), r, 50);
    m_loadParts[4]->text = QStringLiteral(" محاسبه شدهاست");
    SpaceFooterBand->beforePrint = [this](Band &, bool &) { SpaceFooterBeforePrint(); };
    SpaceFooterBand->afterPrint = [this](Band &, bool) { SumJedar = 0; };
}

void TReport2::buildEnd()
{
    const double width = QuickRep1.contentWidthPx();
    const double r = width - 4;

    SummaryBand1 = QuickRep1.addBand(BandType::Summary, QStringLiteral("SummaryBand1"), 150);
    const QString sumTexts[4] = {QStringLiteral("نتايج مجموع محاسبات بار طبقات ساختمان"), QString(),
                                 QStringLiteral("(Btu/h) با احتساب كل ضرايب"), QString()};
    for (int i = 0; i < 4; ++i)
        m_summaryParts[i] = addText(SummaryBand1, QStringLiteral("QRLabel%1").arg(190 + i), r, 12, sumTexts[i], 14);
    m_summaryDone = addText(SummaryBand1, QStringLiteral("QRLabel194"), r, 12, QStringLiteral("محاسبه شده است"), 14);
    SummaryBand1->addShape(QStringLiteral("QRShape5"), ShapeKind::HorizontalLine, QRectF(0, 4, width, 2));
    m_signCaptions[0] = addText(SummaryBand1, QStringLiteral("QRLabel195"), r, 70, QStringLiteral(": شركت"));
    m_signCompany = addText(SummaryBand1, QStringLiteral("QRLabel196"), r, 70);
    m_signCaptions[1] = addText(SummaryBand1, QStringLiteral("QRLabel197"), r, 94, QStringLiteral(": مهندس محاسب"));
    m_signEngineer = addText(SummaryBand1, QStringLiteral("QRLabel198"), r, 94);
    addText(SummaryBand1, QStringLiteral("QRLabel199"), 230, 70, QStringLiteral("امضا"));
    m_signCaptions[2] = addText(SummaryBand1, QStringLiteral("QRLabel200"), 230, 94, QStringLiteral("تاريخ"));
    m_signDate = addText(SummaryBand1, QStringLiteral("QRLabel201"), 230, 94);
    SummaryBand1->beforePrint = [this](Band &, bool &) { SummaryBeforePrint(); };

    PageFooterBand1 = QuickRep1.addBand(BandType::PageFooter, QStringLiteral("PageFooterBand1"), 26);
    Label *page = addText(PageFooterBand1, QStringLiteral("QRLabel202"), width / 2 + 20, 6, QStringLiteral("صفحه"));
    SysData *number = PageFooterBand1->addPageNumber(QStringLiteral("QRSysData1"), 0, 6);
    number->alignment = Qt::AlignRight;
    number->direction = Qt::RightToLeft;
    number->font = page->font;
    number->geometry = QRectF(width / 2 + 20 - printedWidth(page) - 6, 6, 0, 0);
    PageFooterBand1->addShape(QStringLiteral("QRShape6"), ShapeKind::HorizontalLine, QRectF(0, 1, width, 2));
}

// ---------------------------------------------------------------- events

void TReport2::UnitHeadingBeforePrint()
{
    const BookletRows::Unit &unit = m_rows->currentUnit();
    m_unitHeading[1]->text = unit.NameT;
    m_unitHeading[3]->text = unit.ShvahedText;
    layRightToLeft({m_unitHeading[0], m_unitHeading[1], m_unitHeading[2], m_unitHeading[3]},
                   QuickRep1.contentWidthPx() - 4, 8, 0, kWordGap);
}

void TReport2::SpaceBandBeforePrint(bool &printBand)
{
    // A space without surfaces goes without its spacer; the next space
    // with surfaces has it again.
    if (m_rows->currentSpace().count == 0)
        printBand = false;
}

void TReport2::SurfaceBeforePrint()
{
    const building::SurfaceRow &row = m_rows->currentSurface().row;
    const building::SpaceRow &space = m_rows->currentSpace().row;
    const building::SiteData site{SiteGa, SiteTg};
    const building::LoadOptions options = building::bookletOptions(m_rotation);
    const building::SurfaceLoss loss = building::surfaceLoss(row, space, site, options);
    // The words of the surface's calculated fields, as long as those hold.
    const int dv = building::effectiveDirection(row, options);
    m_jedare->text = row.Jedare;
    m_state->text = calcfields::stateWord(row.Id_jedar, row.Id_njedar).left(15);
    m_direction->text = calcfields::directionWord(row.Jedare, dv).left(15);
    CurrentLoss = loss.loss;
    CurrentAttic = loss.atticTemp;

    m_area->text = num(building::printedArea(row, loss.Dv_gJedar));
    m_u->text = building::printsU(row) ? num(building::printedU(row, loss.Dv_gJedar)) : QString();
    m_dt->text = building::signAfter(building::printedTemperatureDifference(row, space, loss));
    m_factor->text = num(loss.ZaribJ);
    m_loss->text = loss.dropped ? QString() : building::loadText(loss.loss);
}

void TReport2::SpaceFooterBeforePrint()
{
    const building::SpaceRow &space = m_rows->currentSpace().row;
    const BookletRows::Unit &unit = m_rows->currentUnit();
    const building::LoadOptions opt = building::bookletOptions(m_rotation);
    const double qi = building::infiltrationLoad(space, SiteGa, opt);
    const double h = SumJedar + qi;
    const double qs = building::spaceLoad(h, unit.Sf, unit.Z_ertefa, space.V_varm);

    const double right = QuickRep1.contentWidthPx() - 4;
    // The air changes in the caption's brackets: "(1" and ") هواي نفوذي",
    // stored for a left-to-right line, make one text that reads «هواي
    // نفوذي (1)» (two texts would each take their own direction).
    m_air->text = QStringLiteral("(") + num(space.Air_) + QStringLiteral(") هواي نفوذي");
    layRightToLeft({m_air}, right, 2);
    m_volume->text = num(space.V_);
    m_airFactor->text = num(building::printedAirFactor(SiteGa));
    m_airDt->text = building::signAfter(space.Ti_ - space.To_);
    m_qi->text = building::loadText(qi);

    m_heat->text = building::loadText(h);
    const bool gain = space.V_varm > 0;
    m_gainCaption->text = gain ? QStringLiteral(" بار ناشي از وسايل گرمازا ( Btu/h )") : QString();
    m_gain->text = gain ? num(space.V_varm) + QStringLiteral(" لحاظ شدهاست") : QString();
    layRightToLeft({m_heatCaption, m_heat}, right, 26, 0, kWordGap);
    layRightToLeft({m_gainCaption, m_gain}, right - 300, 26, 0, kWordGap);

    m_loadParts[1]->text = m_rows->currentSpace().Faza;
    m_loadParts[2]->text = gain ? QStringLiteral(" با احتساب ضرايب وبار ناشي از وسايل گرمازا ( Btu/h )")
                                : QStringLiteral(" با احتساب ضرايب( Btu/h )");
    m_loadParts[3]->text = building::loadText(qs);
    layRightToLeft({m_loadParts[0], m_loadParts[1], m_loadParts[2], m_loadParts[3], m_loadParts[4]}, right, 50, 22);

    SumVahed += qs;
}

void TReport2::UnitFooterBeforePrint()
{
    const BookletRows::Unit &unit = m_rows->currentUnit();
    m_unitParts[1]->text = unit.ShvahedText;
    m_unitParts[3]->text = unit.NameT;
    m_unitParts[5]->text = unit.SfText;
    m_unitParts[9]->text = unit.Z_ertefaText;
    m_unitParts[11]->text = building::loadText(SumVahed).trimmed();
    layRightToLeft({m_unitParts[0], m_unitParts[1], m_unitParts[2], m_unitParts[3], m_unitParts[4], m_unitParts[5],
                    m_unitParts[6], m_unitParts[7], m_unitParts[8], m_unitParts[9], m_unitParts[10],
                    m_unitParts[11], m_unitDone},
                   QuickRep1.contentWidthPx() - 4, 6, 22, kWordGap);
}

void TReport2::FloorFooterBeforePrint()
{
    m_floorParts[1]->text = calcfields::floorName(m_rows->floors[size_t(m_rows->floor)].Tabage);
    m_floorParts[3]->text = building::loadText(SumTabage).trimmed();
    layRightToLeft({m_floorParts[0], m_floorParts[1], m_floorParts[2], m_floorParts[3], m_floorDone},
                   QuickRep1.contentWidthPx() - 4, 8, 20);
}

void TReport2::SummaryBeforePrint()
{
    m_summaryParts[1]->text = QRLabelName->text;
    m_summaryParts[3]->text = building::loadText(SumKol);
    const double right = QuickRep1.contentWidthPx() - 4;
    layRightToLeft({m_summaryParts[0], m_summaryParts[1], m_summaryParts[2], m_summaryParts[3], m_summaryDone}, right,
                   12, 22);

    m_signCompany->text = QRLabelCompany->text;
    m_signEngineer->text = QRLabelEngineer->text;
    m_signDate->text = QRLabelDate->text;
    layRightToLeft({m_signCaptions[0], m_signCompany}, right, 70, 0, kWordGap);
    layRightToLeft({m_signCaptions[1], m_signEngineer}, right, 94, 0, kWordGap);
    layRightToLeft({m_signCaptions[2], m_signDate}, 230, 94, 0, kWordGap);
}
