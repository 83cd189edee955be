#pragma once
// The expansion tank, burner and chimney page of the equipment booklet: the
// pipe lengths of the heating system by size, the expansion tank with its
// catalogue model, the burner with its fuel and gas-oil tank, and the
// chimney.
//
// The constructor lays the page out; each of the three build steps writes
// one build's values into its block, setting every caption, value and
// on/off state of that block in every branch. The data-bound fields print
// the project's equipment record (DM1.Table12).
#include "boravest/sizing/Burner.h"
#include "boravest/sizing/Chimney.h"
#include "boravest/sizing/ExpansionTank.h"
#include "boravest/eqbook/Drawings.h"
#include "platform/report/Report.h"

#include <QObject>
#include <QString>

#include <array>
#include <vector>

// What the expansion-tank block prints besides the sizing results, from the
// equipment record.
struct ExpansionTankPageInputs {
    int T_L_Baz = 0;  // pipe material: 0 steel, 1 copper
    QString W_L_Baz;  // pipe lengths per size, each followed by a comma
    int Typ_ME = 0;   // 0 open, 1 closed diaphragm, 2 closed hydropneumatic
    int ErtefaS = 0;  // useful height of the building, ft
};

class TReport8 : public QObject {
    Q_OBJECT
public:
    explicit TReport8(QObject *parent = nullptr);
    ~TReport8() override;

    void buildExpansionTank(const ExpansionTankPageInputs &in, const bv::sizing::ExpansionTankResults &r);
    // `TySo` is the fuel of the record: 0 gas oil, 1 city gas.
    void buildBurner(int TySo, const bv::sizing::BurnerResults &r);
    void buildChimney(const bv::sizing::ChimneyResults &r);

    // The nominal size of the boiler-to-tank connection pipe for its
    // diameter in mm; empty outside 26 to 165 mm.
    static QString connectionPipeSize(double mm);

    static const char *const kTextNoteDays;    // the 40000-litre tank note, first line
    static const char *const kTextDaysSuffix;  // after the day count
    static const char *const kTextStandardCapacity;

    pf::report::Report QuickRep1{QStringLiteral("QuickRep1")};
    pf::report::Band *TitleBand1 = nullptr;

    // Pipe lengths: size headings and length cells, right to left, with
    // their frames (heading, cell) per column.
    std::array<pf::report::Label *, 19> sizeHeadings{};
    std::array<pf::report::Label *, 19> lengthCells{};
    std::array<pf::report::Shape *, 38> pipeFrames{};

    // Expansion tank.
    pf::report::Label *QRLabel14 = nullptr, *QRLabel40 = nullptr; // tank type, pipe material
    pf::report::Label *QRLabel32 = nullptr, *QRLabel34 = nullptr; // message lines
    pf::report::Label *QRLabel118 = nullptr, *QRLabel65 = nullptr, *QRLabel70 = nullptr, *QRLabel69 = nullptr,
                      *QRLabel6 = nullptr;
    pf::report::Label *QRLabel9 = nullptr, *QRLabel25 = nullptr, *QRLabel86 = nullptr;
    // Tank table: headings over values, two rows of five and four.
    std::array<pf::report::Label *, 9> tankHeadings{}; // QRLabel122, 19, 18, 90, 55, 23, 103, 88, 17
    std::array<pf::report::Label *, 9> tankValues{};   // QRLabel83, 58, 59, 60, 61, 63, 64, 71, 72
    pf::report::Drawing *ImgMEn1 = nullptr, *ImgMen2 = nullptr, *ImgMen3 = nullptr;

    // Burner.
    pf::report::Label *QRLabel75 = nullptr, *QRLabel16 = nullptr, *QRLabel106 = nullptr, *QRLabel99 = nullptr,
                      *QRLabel107 = nullptr, *QRLabel101 = nullptr, *QRLabel108 = nullptr;
    pf::report::Label *QRLabel33 = nullptr, *QRLabel4 = nullptr, *QRLabel7 = nullptr; // note lines
    // Fuel-tank table: headings QRLabel2, 8, 12, 36, 28, 37, 29, 35, 11 and
    // values QRLabel110, 111, 112, 113, 125, 124, 123, 114, 27.
    std::array<pf::report::Label *, 9> fuelHeadings{};
    std::array<pf::report::Label *, 9> fuelValues{};
    pf::report::Drawing *ImgMashal1 = nullptr, *ImgMashal2 = nullptr, *ImgMnbsok = nullptr;

    // Chimney.
    pf::report::Label *QRLabel148 = nullptr, *QRLabel149 = nullptr, *QRLabel150 = nullptr, *QRLabel151 = nullptr;

private:
    struct Line {
        std::vector<pf::report::TextElement *> parts;
        double right, top;
    };
    pf::report::Label *text(const char *name, const QString &t = QString());
    pf::report::Label *centred(const char *name, double centre, double top, const QString &t = QString(),
                               double pixels = 13);
    pf::report::DBText *field(const char *name, const char *fieldName);
    void line(double right, double top, std::vector<pf::report::TextElement *> parts);
    void reflow();
    pf::report::Drawing *picture(const char *name, const QPointF &at, bv::eqbook::Picture kind);

    std::vector<Line> m_lines;
};

extern TReport8 *Report8;
