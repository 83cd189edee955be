#pragma once
// The heating-load calculation booklet: one A4 report that walks the floors,
// floor-and-unit rows, spaces and surfaces of a project and prints the loss
// of every surface, the infiltration load, heat loss and load of every
// space, and the loads of every unit, floor and of the whole building.
//
// Bands, in print order (the report's records are the project's floors):
//   TitleBand1      first page: project, company, climate, materials, logo
//   DetailBand1     per floor (empty)
//   QRSubDetail1    per floor-and-unit row: the unit heading
//     QRSubDetail2  per space (empty, 5 pixels)
//       QRSubDetail3 per surface: one row of the table; its header is the
//                    table heading of the space, its footer the space footer
//     QRSubDetail2's footer: the unit footer
//   QRSubDetail1's footer: the floor footer
//   SummaryBand1    building total and signatures
//   PageFooterBand1 "صفحه" and the page number, on every page
//
// The arithmetic is that of sizing/HeatLoad.h, evaluated per printed row
// with the plan rotation the project was opened with.
#include "boravest/building/BuildingRows.h"
#include "boravest/sizing/PlanRotation.h"
#include "platform/db/Db.h"
#include "platform/report/Report.h"

#include <QObject>
#include <QString>

#include <initializer_list>
#include <memory>

class TReport2 : public QObject {
    Q_OBJECT
public:
    explicit TReport2(QObject *parent = nullptr);
    ~TReport2() override;

    // The report's datasets work on this database (the data module's, when
    // it exists at creation).
    void SetDatabase(pf::db::Database *db);

    // Points the floor query at the project, opens it and the unit, space
    // and surface tables (the surfaces in kind, state and direction order).
    // Walls, windows and doors print turned by `rotation` until the next
    // project is opened.
    void OpenProject(double shproje, const building::PlanRotationTable &rotation = building::identityRotation());
    const building::PlanRotationTable &rotation() const { return m_rotation; }
    // The first space of the opened project with a load that cannot be
    // printed as a number (not finite, or beyond any whole number the
    // booklet prints), as a message naming it; empty when every load of
    // the project prints. Leaves the floor query on its first record.
    QString UnprintableLoad();
    // Closes the unit, space and surface tables; the floor query stays open
    // until its statement is replaced.
    void CloseTables();

    // Calculation handlers of the report's own unit and surface tables.
    void Table3CalcFields(pf::db::Dataset &DataSet);
    void Table5CalcFields(pf::db::Dataset &DataSet);

    pf::report::Report QuickRep1{QStringLiteral("QuickRep1")};

    // Datasets, master to detail.
    pf::db::Query *Query2 = nullptr;  // one row per floor number of the project
    pf::db::Table *Table3 = nullptr;  // bankvh.DB, unit rows of the floor
    pf::db::Table *Table4 = nullptr;  // bankfz.DB, spaces of the unit row
    pf::db::Table *Table5 = nullptr;  // bankjd.DB, surfaces of the space
    pf::db::DataSource *DataSource1 = nullptr; // over Query2
    pf::db::DataSource *DataSource2 = nullptr; // over Table3
    pf::db::DataSource *DataSource3 = nullptr; // over Table4

    // Bands.
    pf::report::Band *TitleBand1 = nullptr;
    pf::report::Band *DetailBand1 = nullptr;
    pf::report::SubDetailBand *QRSubDetail1 = nullptr;
    pf::report::SubDetailBand *QRSubDetail2 = nullptr;
    pf::report::SubDetailBand *QRSubDetail3 = nullptr;
    pf::report::Band *SpaceHeaderBand = nullptr;  // table heading of a space
    pf::report::Band *SpaceFooterBand = nullptr;  // infiltration, heat loss, load
    pf::report::Band *UnitFooterBand = nullptr;   // total of a unit row
    pf::report::Band *FloorFooterBand = nullptr;  // total of a floor
    pf::report::Band *SummaryBand1 = nullptr;
    pf::report::Band *PageFooterBand1 = nullptr;

    // Title page values, filled by the print form.
    pf::report::Label *QRLabel55 = nullptr; // "بسمه تعالي"
    pf::report::Label *QRLabel26 = nullptr; // title
    pf::report::Label *QRLabel61 = nullptr; // "بار گرمايش"
    pf::report::Label *QRLabel69 = nullptr; // heading of the project block
    pf::report::Label *QRLabelNumber = nullptr;   // project number
    pf::report::Label *QRLabelDate = nullptr;     // date
    pf::report::Label *QRLabelCompany = nullptr;  // after ": شركت"
    pf::report::Label *QRLabelEngineer = nullptr; // after ": مهندس محاسب"
    pf::report::Label *QRLabelLogoCompany = nullptr; // under the logo
    pf::report::Label *QRLabelName = nullptr;     // project name in the title line
    pf::report::Label *QRLabelCity = nullptr;
    pf::report::Label *QRLabelAltitude = nullptr;
    pf::report::Label *QRLabelFloors = nullptr;   // floor count in words
    pf::report::Label *QRLabelHumidity = nullptr;
    pf::report::Label *QRLabelDesignTemp = nullptr;
    pf::report::Label *QRLabelRotation = nullptr; // plan rotation note
    pf::report::Image *QRImage1 = nullptr;        // company logo
    // Materials block, in the order external wall, internal wall, external
    // roof, internal roof, external window, internal window, external door,
    // internal door.
    pf::report::Label *MaterialValues[8] = {};

    // Running totals (Btu/h) and the values of the surface row being printed.
    double SumJedar = 0;  // surfaces of the current space
    double SumVahed = 0;  // spaces of the current unit row
    double SumTabage = 0; // unit rows of the current floor
    double SumKol = 0;    // the building
    double CurrentLoss = 0;
    double CurrentAttic = 0;
    // The project's air density ratio and ground temperature (Bank1.DB),
    // read when the project is opened.
    double SiteGa = 0;
    double SiteTg = 0;

    // The rotation note's base text (five blanks).
    static QString rotationBase();

    // The box of a column of the surface table (0 kind at the right ... 7
    // heat loss at the left), in the band's pixels.
    static QRectF columnRect(int column, double top = 0, double height = 20);

private:
    void buildTitle();
    void buildUnitLevels();
    void buildSurfaceTable();
    void buildEnd();

    pf::report::Label *addText(pf::report::Band *band, const QString &name, double right, double top,
                               const QString &text = QString(), double pixels = 13);
    void makeCell(pf::report::TextElement *e, int column, double top, double height);
    pf::report::Label *addCell(pf::report::Band *band, const QString &name, int column, double top,
                               double height);
    // Places the texts one after another from `right` leftwards, each `gap`
    // pixels to the left of the one before by its printed width; a text
    // that would pass the left edge starts a new line `lineHeight` lower.
    // Returns the bottom of the last line.
    double layRightToLeft(std::initializer_list<pf::report::TextElement *> parts, double right,
                          double top, double lineHeight = 0, double gap = 2);
    double printedWidth(const pf::report::TextElement *e);
    double wrappedHeight(const pf::report::TextElement *e, const QString &text, double width);
    void layMaterials();

    struct UnitFields;
    struct SurfaceFields;
    struct BookletFields;
    const UnitFields &unitFields();
    const SurfaceFields &surfaceFields();
    // The current surface of the surface table, for its calculated fields.
    building::SurfaceRow surfaceOfTable();
    struct BookletRows;
    // The rows the booklet walks, read when the project's rows are not
    // held yet (or were written since), the first records current.
    const BookletRows &rows();
    void readRows(double project);

    void TitleBand1AfterPrint();
    void UnitHeadingBeforePrint();
    void SpaceBandBeforePrint(bool &printBand);
    void SurfaceBeforePrint();
    void SpaceFooterBeforePrint();
    void UnitFooterBeforePrint();
    void FloorFooterBeforePrint();
    void SummaryBeforePrint();

    pf::db::Database *m_db = nullptr;
    std::unique_ptr<BookletFields> m_fields;
    std::unique_ptr<BookletRows> m_rows;
    double m_project = 0;
    building::PlanRotationTable m_rotation = building::identityRotation();
    // Surface row cells and footer labels.
    pf::report::Label *m_jedare = nullptr, *m_state = nullptr, *m_direction = nullptr;
    pf::report::Label *m_area = nullptr, *m_u = nullptr, *m_dt = nullptr, *m_factor = nullptr, *m_loss = nullptr;
    pf::report::Label *m_unitHeading[4] = {};
    pf::report::Label *m_spaceHeading[6] = {};
    pf::report::Label *m_air = nullptr, *m_volume = nullptr, *m_airFactor = nullptr,
                      *m_airDt = nullptr, *m_qi = nullptr;
    pf::report::Label *m_heatCaption = nullptr, *m_heat = nullptr, *m_gainCaption = nullptr, *m_gain = nullptr;
    pf::report::Label *m_loadParts[5] = {};
    pf::report::Label *m_unitParts[12] = {};
    pf::report::Label *m_floorParts[4] = {};
    pf::report::Label *m_summaryParts[4] = {};
    pf::report::Label *m_unitDone = nullptr, *m_floorDone = nullptr, *m_summaryDone = nullptr;
    pf::report::Label *m_signCaptions[3] = {};
    pf::report::Label *m_signCompany = nullptr, *m_signEngineer = nullptr, *m_signDate = nullptr;
    pf::report::Label *m_titleLine[13] = {};
    pf::report::Label *m_materialCaptions[8] = {};
    pf::report::Label *m_numberCaption = nullptr, *m_companyCaption = nullptr, *m_engineerCaption = nullptr;
};

extern TReport2 *Report2;
