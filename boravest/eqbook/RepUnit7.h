#pragma once
// The unit heaters page of the equipment booklet: one row per space with
// hot-water unit heaters (floor, unit, space, inside temperature, heat load,
// number of unit heaters, correction factor) with the data of the chosen
// model from the unit-heater catalogue, under a note on the test conditions.
//
// The rows print the data module's query of the project's unit-heater
// spaces (DM1.Query4). build() takes the query's rows as read before the
// page is laid out and works out the cells of each; the row band only copies
// the cells of its record.
#include "platform/report/Report.h"

#include <QObject>
#include <QString>

#include <vector>

// One query row as the booklet reads it before printing.
struct UnitHeaterSpaceRecord {
    int Tabage = 0;      // floor number
    QString T_UH;        // number of unit heaters as stored
    QString Radiat;      // correction factor as stored
    QString Modelradiat; // catalogue row of the model as stored (text)
};

// The cells of one printed row.
struct UnitHeaterPageRow {
    QString floor, count, factor, model, airFlow, motorPower, waterFlow, leavingAir, fanSpeed, capacity;
};

class TReport7 : public QObject {
    Q_OBJECT
public:
    explicit TReport7(QObject *parent = nullptr);
    ~TReport7() override;

    // Writes the cells of every row of one build. Returns whether a row
    // names a model beyond the catalogue (data that cannot be real).
    bool build(const std::vector<UnitHeaterSpaceRecord> &records);

    // The cells of a row. The model is the catalogue row read from the
    // stored text with "0" in front; without a model in the catalogue (none
    // fitted, beyond the catalogue, or a text that is no whole number) the
    // model's cells print "--". *beyond tells a row beyond the catalogue.
    static UnitHeaterPageRow rowOf(const UnitHeaterSpaceRecord &rec, bool *beyond = nullptr);

    const std::vector<UnitHeaterPageRow> &rows() const { return m_rows; }

    static const char *const kMsgUnrealData;
    static const char *const kTextNoModel; // "--"

    pf::report::Report QuickRep1{QStringLiteral("QuickRep1")};
    pf::report::Band *TitleBand1 = nullptr;
    pf::report::Band *DetailBand1 = nullptr;
    pf::report::SubDetailBand *QRSubDetail1 = nullptr;
    pf::report::Drawing *QRImage4 = nullptr;
    pf::report::Label *QRLabel1 = nullptr, *QRLabel25 = nullptr, *QRLabel26 = nullptr, *QRLabel27 = nullptr,
                      *QRLabel28 = nullptr, *QRLabel29 = nullptr, *QRLabel30 = nullptr, *QRLabel33 = nullptr,
                      *QRLabel34 = nullptr, *QRLabel35 = nullptr;
    pf::report::DBText *QRDBText2 = nullptr, *QRDBText3 = nullptr, *QRDBText4 = nullptr, *QRDBText5 = nullptr;

private:
    void QRSubDetail1BeforePrint(pf::report::Band &band, bool &print);

    std::vector<UnitHeaterPageRow> m_rows;
};

extern TReport7 *Report7;
