#pragma once
// The page of the boilers in the equipment booklet: the loads the boiler
// sizing adds up (building, domestic hot water, pool, jacuzzi), the heating
// capacity per boiler with the insulation quality and the pick-up factor,
// the chosen hot-water boiler from the catalogue, and notes on the boiler
// room.
//
// The constructor lays the page out; build() writes one build's values into
// it, switching the type word, the picture, the steam message and the model
// block by boiler type. The data-bound fields print the project's equipment
// record (DM1.Table12).
#include "boravest/sizing/Boiler.h"
#include "platform/report/Report.h"

#include <QObject>

#include <memory>

namespace bv::eqbook {
class LineFlow;
}

// What the page reads of the record besides its data-bound fields.
struct BoilerPageInputs {
    int Typ_Dig = 0; // 0 hot water, 1 steam
};

class TReport04 : public QObject {
    Q_OBJECT
public:
    explicit TReport04(QObject *parent = nullptr);
    ~TReport04() override;

    // Writes one build from the boiler sizing of the record. The loads and
    // the capacity print for every type. A hot-water boiler prints the
    // catalogue boiler the sizing chose (none: no model block). A steam
    // boiler prints the message to consult the maker and no model: the
    // sizing chooses among the hot-water boilers only. Another type prints
    // no type word, no picture and no model.
    void build(const BoilerPageInputs &in, const bv::sizing::BoilerResults &r);

    pf::report::Report QuickRep1{QStringLiteral("QuickRep1")};
    pf::report::Band *TitleBand1 = nullptr;

    pf::report::Label *QRLabel3 = nullptr; // type word
    pf::report::Drawing *ImgdigAb = nullptr, *ImgdigBo = nullptr, *QImgKAB = nullptr;
    // Loads and capacity.
    pf::report::Label *QRLabel50 = nullptr, *QRLabel49 = nullptr, *QRLabel48 = nullptr, *QRLabel47 = nullptr,
                      *QRLabel28 = nullptr, *QRLabel27 = nullptr;
    // Steam message.
    pf::report::Label *QRLabel5 = nullptr;
    // Model block: lead-in and standard capacity, captions, values.
    pf::report::Label *QRLabel21 = nullptr, *QRLabel30 = nullptr;
    pf::report::Label *QRLabel12 = nullptr, *QRLabel22 = nullptr, *QRLabel33 = nullptr, *QRLabel34 = nullptr,
                      *QRLabel35 = nullptr;
    pf::report::Label *QRLabel29 = nullptr, *QRLabel31 = nullptr, *QRLabel36 = nullptr, *QRLabel37 = nullptr,
                      *QRLabel38 = nullptr;

    static const char *const kTextSteamMessage;

private:
    std::unique_ptr<bv::eqbook::LineFlow> m_flow;
};

extern TReport04 *Report04;
