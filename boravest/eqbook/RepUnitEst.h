#pragma once
// The page of the home pool in the equipment booklet: the coil heat
// exchanger (hot water or steam) with its inputs and sized energies, the
// steam rows of a steam exchanger, the filtration pumps with their pipe,
// chlorine dose and sand filter, and the hot-water pumps of a hot-water
// exchanger with their pipe.
//
// The constructor lays the page out; build() writes one build's values into
// it, switching the rows and pictures of the exchanger type. The data-bound
// fields print the project's equipment record (DM1.Table12).
#include "boravest/sizing/PoolExchanger.h"
#include "boravest/sizing/PoolPumps.h"
#include "platform/report/Report.h"

#include <QObject>

#include <memory>

namespace bv::eqbook {
class LineFlow;
}

// What the page reads of the record besides its data-bound fields.
struct PoolPageInputs {
    int Typ_M_Est = 0; // exchanger type: 0 hot water, 1 steam
};

class TReportEst : public QObject {
    Q_OBJECT
public:
    explicit TReportEst(QObject *parent = nullptr);
    ~TReportEst() override;

    // Writes one build: the exchanger sizing `m` and the pump sizing `s` of
    // the record. An exchanger type other than hot water or steam prints
    // the inputs only: no exchanger picture, no steam rows, no hot-water
    // pump block and no sized value.
    void build(const PoolPageInputs &in, const bv::sizing::ExchangerResults &m,
               const bv::sizing::PumpsResults &s);

    pf::report::Report QuickRep1{QStringLiteral("QuickRep1")};
    pf::report::Band *TitleBand1 = nullptr;
    pf::report::Band *DetailBand1 = nullptr;

    // Exchanger.
    pf::report::Label *QRLabel14 = nullptr; // type word
    pf::report::Label *QRLabel60 = nullptr; // heating surface caption
    pf::report::Label *QRLabel65 = nullptr, *QRLabel69 = nullptr, *QRLabel70 = nullptr, *QRLabel71 = nullptr,
                      *QRLabel72 = nullptr;
    pf::report::Drawing *QRImage2 = nullptr, *ImgMbAb = nullptr, *ImgMbB = nullptr, *QRImage4 = nullptr;
    // Steam rows: pressure, saturation, enthalpy, latent heat, condensate,
    // trap, steam use.
    pf::report::Label *QRLabel98 = nullptr;
    pf::report::DBText *QRDBText8 = nullptr;
    pf::report::Label *QRLabel55 = nullptr, *QRLabel78 = nullptr, *QRLabel58 = nullptr, *QRLabel79 = nullptr,
                      *QRLabel82 = nullptr, *QRLabel87 = nullptr, *QRLabel63 = nullptr, *QRLabel76 = nullptr,
                      *QRLabel64 = nullptr, *QRLabel77 = nullptr, *QRLabel61 = nullptr, *QRLabel75 = nullptr;
    // Filtration pumps of the pool.
    pf::report::Label *QRLabel128 = nullptr, *QRLabel107 = nullptr, *QRLabel81 = nullptr, *QRLabel106 = nullptr,
                      *QRLabel3 = nullptr, *QRLabel108 = nullptr, *QRLabel109 = nullptr, *QRLabel110 = nullptr,
                      *QRLabel9 = nullptr;
    pf::report::Label *QRLabel111 = nullptr, *QRLabel112 = nullptr, *QRLabel113 = nullptr, *QRLabel114 = nullptr;
    // Hot-water pumps of the exchanger.
    pf::report::Label *QRLabel29 = nullptr, *QRLabel86 = nullptr, *QRLabel122 = nullptr, *QRLabel90 = nullptr,
                      *QRLabel126 = nullptr, *QRLabel127 = nullptr, *QRLabel17 = nullptr, *QRLabel118 = nullptr,
                      *QRLabel85 = nullptr, *QRLabel92 = nullptr, *QRLabel83 = nullptr, *QRLabel121 = nullptr,
                      *QRLabel4 = nullptr, *QRLabel6 = nullptr, *QRLabel100 = nullptr, *QRLabel123 = nullptr,
                      *QRLabel115 = nullptr, *QRLabel124 = nullptr, *QRLabel117 = nullptr, *QRLabel125 = nullptr;
    pf::report::DBText *QRDBText12 = nullptr, *QRDBText23 = nullptr, *QRDBText15 = nullptr;

    static const char *const kTextHotWater; // "آب گرم"
    static const char *const kTextSteam;    // "بخار"
    static const char *const kTextSurface;  // "(Sq.ft)سطح حرارتي"

private:
    std::unique_ptr<bv::eqbook::LineFlow> m_flow;
};

extern TReportEst *ReportEst;
