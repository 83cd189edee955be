#pragma once
// The page of the jacuzzi in the equipment booklet: the coil heat exchanger
// (hot water or steam) with its inputs and sized energies, the steam rows of
// a steam exchanger, the filtration pumps with their pipe, the hot-water
// pumps of a hot-water exchanger with their pipe, the pump of the jets, the
// chlorine dose and the sand filter.
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
struct JacuzziPageInputs {
    int Typ_M_Jak = 0; // exchanger type: 0 hot water, 1 steam
};

class TReport4 : public QObject {
    Q_OBJECT
public:
    explicit TReport4(QObject *parent = nullptr);
    ~TReport4() override;

    // Writes one build: the exchanger sizing `m` (with the jets) and the
    // pump sizing `s` of the record. The jets print for every exchanger
    // type; another type than hot water or steam prints nothing else sized:
    // no exchanger picture, no steam rows and no hot-water pump block.
    void build(const JacuzziPageInputs &in, const bv::sizing::ExchangerResults &m,
               const bv::sizing::PumpsResults &s);

    pf::report::Report QuickRep1{QStringLiteral("QuickRep1")};
    pf::report::Band *TitleBand1 = nullptr;

    // Exchanger.
    pf::report::Label *QRLabel14 = nullptr; // type word
    pf::report::Label *QRLabel60 = nullptr; // heating surface caption
    pf::report::Label *QRLabel65 = nullptr, *QRLabel69 = nullptr, *QRLabel70 = nullptr, *QRLabel71 = nullptr,
                      *QRLabel72 = nullptr;
    pf::report::DBText *QRDBText6 = nullptr; // exchanger efficiency
    pf::report::Drawing *QRImage1 = nullptr, *ImgMoAb = nullptr, *ImgMoBo = nullptr, *QRImage4 = nullptr;
    // Steam rows: pressure, saturation, latent heat, enthalpy, steam use,
    // condensate, trap.
    pf::report::Label *QRLabel98 = nullptr;
    pf::report::DBText *QRDBText8 = nullptr;
    pf::report::Label *QRLabel55 = nullptr, *QRLabel79 = nullptr, *QRLabel82 = nullptr, *QRLabel78 = nullptr,
                      *QRLabel58 = nullptr, *QRLabel87 = nullptr, *QRLabel61 = nullptr, *QRLabel75 = nullptr,
                      *QRLabel63 = nullptr, *QRLabel76 = nullptr, *QRLabel64 = nullptr, *QRLabel77 = nullptr;
    // Filtration pumps of the jacuzzi.
    pf::report::Label *QRLabel41 = nullptr, *QRLabel106 = nullptr, *QRLabel10 = nullptr, *QRLabel39 = nullptr,
                      *QRLabel107 = nullptr, *QRLabel3 = nullptr, *QRLabel108 = nullptr, *QRLabel109 = nullptr,
                      *QRLabel110 = nullptr, *QRLabel11 = nullptr;
    pf::report::Label *QRLabel111 = nullptr, *QRLabel112 = nullptr, *QRLabel113 = nullptr, *QRLabel114 = nullptr;
    // Hot-water pumps of the exchanger.
    pf::report::Label *QRLabel6 = nullptr, *QRLabel86 = nullptr, *QRLabel122 = nullptr, *QRLabel90 = nullptr,
                      *QRLabel25 = nullptr, *QRLabel42 = nullptr, *QRLabel17 = nullptr, *QRLabel118 = nullptr,
                      *QRLabel32 = nullptr, *QRLabel40 = nullptr, *QRLabel83 = nullptr, *QRLabel121 = nullptr,
                      *QRLabel4 = nullptr, *QRLabel7 = nullptr, *QRLabel100 = nullptr, *QRLabel123 = nullptr,
                      *QRLabel115 = nullptr, *QRLabel124 = nullptr, *QRLabel117 = nullptr, *QRLabel125 = nullptr;
    pf::report::DBText *QRDBText12 = nullptr, *QRDBText23 = nullptr, *QRDBText15 = nullptr;
    // Jets.
    pf::report::Label *QRLabel68 = nullptr, *QRLabel73 = nullptr, *QRLabel74 = nullptr, *QRLabel85 = nullptr,
                      *QRLabel92 = nullptr;

private:
    std::unique_ptr<bv::eqbook::LineFlow> m_flow;
};

extern TReport4 *Report4;
