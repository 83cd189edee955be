#pragma once
// The steel radiators page of the equipment booklet: the chosen radiator
// model, one row per space heated by radiators (floor, unit, space, inside
// temperature, heat load, correction factor, heating surface, sections,
// length, water content, weight), the totals of water and heating surface
// and the notes on testing and installing radiators.
//
// The rows print the data module's query of the project's radiator spaces
// (DM1.Query3). build() takes, besides the totals, the computed cells of
// every query row worked out before the page is laid out; the row band only
// copies the cells of its record, so printing computes nothing and fails on
// nothing.
#include "boravest/sizing/Radiators.h"
#include "platform/report/Report.h"

#include <QObject>
#include <QString>

#include <vector>

// One query row as the booklet reads it before printing.
struct RadiatorSpaceRecord {
    int Tabage = 0;      // floor number
    QString Radiat;      // correction factor as stored
    QString Modelradiat; // number of sections as stored (text)
};

// The cells of one printed row.
struct RadiatorPageRow {
    QString floor, factor, sections, surface, length, water, weight;
};

struct RadiatorPageInputs {
    int S_R_PG_R = -1; // chosen model, 0-based; outside 0..5 none
    std::vector<RadiatorSpaceRecord> records; // the query's rows in order
};

class TReport6 : public QObject {
    Q_OBJECT
public:
    explicit TReport6(QObject *parent = nullptr);
    ~TReport6() override;

    // Writes one build into the page: the model of the record, the totals
    // of the sizing and the cells of every row.
    void build(const RadiatorPageInputs &in, const bv::sizing::RadiatorResults &r);

    // The cells of a row: the sections read from the stored text with "0" in
    // front (an empty text is 0 sections); a text that is no whole number
    // leaves the sections and the four sizes blank, and so does a model
    // outside the list. Sizes are rounded to two decimals.
    static RadiatorPageRow rowOf(const RadiatorSpaceRecord &rec, int S_R_PG_R);

    const std::vector<RadiatorPageRow> &rows() const { return m_rows; }

    pf::report::Report QuickRep1{QStringLiteral("QuickRep1")};
    pf::report::Band *TitleBand1 = nullptr;
    pf::report::Band *DetailBand1 = nullptr;
    pf::report::SubDetailBand *QRSubDetail1 = nullptr;
    pf::report::Band *QRBand1 = nullptr;

    pf::report::Label *QRLabel10 = nullptr, *QRLabel15 = nullptr, *QRLabel22 = nullptr; // captions
    pf::report::Label *QRLabel24 = nullptr; // model
    pf::report::Label *QRLabel16 = nullptr; // total water
    pf::report::Label *QRLabel23 = nullptr; // total surface
    pf::report::Drawing *QRImage3 = nullptr;
    // Row cells set per record.
    pf::report::Label *QRLabel3 = nullptr, *QRLabel25 = nullptr, *QRLabel26 = nullptr, *QRLabel27 = nullptr,
                      *QRLabel28 = nullptr, *QRLabel29 = nullptr, *QRLabel30 = nullptr;
    pf::report::DBText *QRDBText2 = nullptr, *QRDBText3 = nullptr, *QRDBText4 = nullptr, *QRDBText5 = nullptr;

private:
    void QRSubDetail1BeforePrint(pf::report::Band &band, bool &print);

    std::vector<RadiatorPageRow> m_rows;
};

extern TReport6 *Report6;
