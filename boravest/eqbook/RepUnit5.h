#pragma once
// The page of the warm-air furnaces in the equipment booklet: the furnace
// inputs of the equipment record, one row per space the furnace heats
// (floor, unit, space, heat load, inside temperature, warm air), the least
// heater capacity, the chosen catalogue furnace and notes on the ducts.
//
// The rows print the spaces of DM1.Query6 (the builder selects the
// project's furnace spaces into it before printing); the headings and the
// rows are left out when it holds none. build() writes the sizing's
// capacity and model.
#include "boravest/sizing/Furnaces.h"
#include "platform/report/Report.h"

#include <QObject>

#include <memory>

namespace bv::eqbook {
class LineFlow;
}

class TReport5 : public QObject {
    Q_OBJECT
public:
    explicit TReport5(QObject *parent = nullptr);
    ~TReport5() override;

    // Writes one build from the furnace sizing. A run stopped by its
    // efficiency check has no capacity: nothing is printed for it and no
    // model. No catalogue furnace large enough: the custom-build message in
    // place of the lead-in and no model block.
    void build(const bv::sizing::FurnaceResults &r);

    // Before the title prints: the headings and rows only with rows to print.
    void TitleBeforePrint(pf::report::Band &band, bool &printBand);
    // Before each row prints: the floor name of the row.
    void QRSubDetail1BeforePrint(pf::report::Band &band, bool &printBand);

    pf::report::Report QuickRep1{QStringLiteral("QuickRep1")};
    pf::report::Band *Title = nullptr;
    pf::report::Band *DetailBand1 = nullptr;
    pf::report::SubDetailBand *QRSubDetail1 = nullptr;
    pf::report::Band *SummaryBand1 = nullptr;

    pf::report::Label *QRLabel5 = nullptr;  // floor name of a row
    pf::report::Label *QRLabel15 = nullptr; // least heater capacity
    pf::report::Label *QRLabel14 = nullptr; // lead-in of the model, or the custom-build message
    // Model block: captions and values.
    pf::report::Label *QRLabel13 = nullptr, *QRLabel17 = nullptr, *QRLabel18 = nullptr, *QRLabel21 = nullptr,
                      *QRLabel22 = nullptr, *QRLabel23 = nullptr;
    pf::report::Label *QRLabel25 = nullptr, *QRLabel26 = nullptr, *QRLabel27 = nullptr, *QRLabel28 = nullptr,
                      *QRLabel30 = nullptr, *QRLabel31 = nullptr;

    static const char *const kTextLeadIn;      // "ومراجعه به كاتالوگ"
    static const char *const kTextCustomBuild; // the capacity lies outside the catalogue

    // Column edges of the space table, pixels from the left, right to left:
    // floor, unit, space, heat load, inside temperature, warm air.
    static constexpr double kColumnEdges[7] = {717, 650, 574, 477, 353, 286, 168};

private:
    std::unique_ptr<bv::eqbook::LineFlow> m_title, m_summary;
};

extern TReport5 *Report5;
