#pragma once
// What the booklet pages of the pool, the jacuzzi, the boilers and the
// warm-air furnaces share: caption / value lines placed right to left and
// placed again after every build (a new text changes its width) and the pipe
// cells of a chosen pipe read safely from the catalogues.
#include "platform/report/Report.h"

#include <QString>

#include <vector>

namespace pf::db {
class Dataset;
}

namespace bv::eqbook {

// The lines of one band. Each line is a run of texts placed leftwards from
// its right edge, one after another.
class LineFlow {
public:
    explicit LineFlow(pf::report::Band *band) : m_band(band) {}

    // A bold report-font text, placed by line() or by hand.
    pf::report::Label *text(const char *name, const QString &t = QString());
    // A field of the dataset's current record.
    pf::report::DBText *field(const char *name, pf::db::Dataset *dataset, const char *fieldName);
    // A caption and its value on one line: the caption right, the value left of it.
    void line(double right, double top, std::vector<pf::report::TextElement *> parts);
    // Places every line afresh with the texts it holds now.
    void reflow();

    pf::report::Band *band() const { return m_band; }

private:
    struct Line {
        std::vector<pf::report::TextElement *> parts;
        double right, top;
    };
    pf::report::Band *m_band;
    std::vector<Line> m_lines;
};

// Switches every element of the list on or off.
void setEnabled(std::initializer_list<pf::report::Element *> elements, bool on);
// Empties the texts of the list.
void clearTexts(std::initializer_list<pf::report::Label *> labels);

// A chosen pipe as the pages print it: its size name, its capacity (gpm)
// and its highest velocity (ft/s), the two numbers as the catalogues hold
// them. The sizing returns the pipe as its size column (1..15) and its
// friction row plus one (2..8): the capacity is read at that row less one
// (the capacity table has seven rows), the velocity at the row itself (the
// velocity table's first row holds the sizes). A size outside the catalogue
// prints nothing; a row outside it prints no capacity and no velocity.
struct PipeCells {
    QString size, capacity, velocity;
};
PipeCells pipeCells(int sizeColumn, int rowPlusOne);

// The four cells of a sand filter row (silica weight, capacity, L*D, sheet
// thickness); empty for a row outside the catalogue.
struct SandFilterCells {
    QString weight, capacity, dimensions, sheet;
};
SandFilterCells sandFilterCells(int row);

} // namespace bv::eqbook
