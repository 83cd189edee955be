#pragma once
// The page of the collectors and risers in the equipment booklet: the sizes
// of the supply and return collectors and of the connection pipes of the
// hot-water tank and the pool and jacuzzi exchangers, then one row per unit
// with risers (its heat load, risers, riser size, flow and water velocity).
//
// The constructor lays the page out; build() writes the sizes of one build.
// The rows print the project's floor and unit rows (DM1.Table3), filtered
// to the units with risers while the page is laid out; the riser size and
// the velocity of each row are looked up from its stored `Col` and `Row`.
#include "boravest/sizing/Collectors.h"
#include "platform/report/Report.h"

#include <QObject>
#include <QString>

#include <vector>

class TReport9 : public QObject {
    Q_OBJECT
public:
    explicit TReport9(QObject *parent = nullptr);
    ~TReport9() override;

    // Writes the collector sizes of one build into the title band.
    void build(const bv::sizing::CollectorsResults &r);

    // Row handler: the riser size and the velocity of the current unit row.
    // Both start as "--" on every row; a size or row of 0 or below leaves
    // its cell(s) at "--", one outside the pipe tables prints blank.
    void QRSubDetail1BeforePrint();
    // The cells of a row for its stored `Col` and `Row`.
    static QString riserSizeText(double col);
    static QString velocityText(double col, double row);

    pf::report::Report QuickRep1{QStringLiteral("QuickRep1")};
    pf::report::Band *Title = nullptr;
    pf::report::SubDetailBand *QRSubDetail1 = nullptr;

    pf::report::Label *QRLabel24 = nullptr, *QRLabel26 = nullptr, *QRLabel28 = nullptr; // connection pipes
    pf::report::Label *QRLabel23 = nullptr; // collector diameter
    pf::report::Label *QRLabel31 = nullptr; // least collector length
    pf::report::Label *QRLabel2 = nullptr;  // equivalent inlet diameter
    pf::report::Label *QRLabel29 = nullptr; // riser size of the row
    pf::report::Label *QRLabel32 = nullptr; // velocity of the row
    pf::report::Drawing *QRImage1 = nullptr;

    static const char *const kTextNoValue; // "--"

private:
    struct Line {
        std::vector<pf::report::TextElement *> parts;
        double right, top;
    };
    std::vector<Line> m_lines;
    void reflow();
};

extern TReport9 *Report9;
