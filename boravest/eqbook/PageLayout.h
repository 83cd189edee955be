#pragma once
// What the pages of the equipment booklet share: their fonts, the placing of
// right-to-left texts, numbers as the pages print them, catalogue cells read
// safely and the default logo.
//
// Every booklet page is a report form made once at start: its constructor
// lays the page out (the layout step) and its build step writes the values of
// one build into it, setting every text and on/off state that depends on the
// data, in every branch, so that nothing of an earlier build is printed.
#include "platform/report/Report.h"

#include <QImage>
#include <QString>

#include <initializer_list>
#include <span>
#include <vector>

namespace bv::sizing {
class TextCatalogue;
}

namespace bv::eqbook {

extern const QString kReportFamily; // "Traffic"
extern const QString kTitleFamily;  // "Titr"

// A bold report-font text whose right edge stands at `right`.
pf::report::Label *addText(pf::report::Band *band, const QString &name, double right, double top,
                           const QString &text = QString(), double pixels = 13);
// A text centred on `centre`.
pf::report::Label *addCentred(pf::report::Band *band, const QString &name, double centre, double top,
                              const QString &text, double pixels, const QString &family, bool underline = false);
// A field of a dataset's current record, right edge at `right`.
pf::report::DBText *addField(pf::report::Band *band, const QString &name, double right, double top,
                             pf::db::Dataset *dataset, const QString &field);

// The width the element's current text takes when printed (0 when empty).
double printedWidth(const pf::report::TextElement *e);
// Places the parts one after another leftwards from `right`, `gap` pixels
// apart, on one line at `top`.
void flowRightToLeft(std::initializer_list<pf::report::TextElement *> parts, double right, double top,
                     double gap = 5);
void flowRightToLeft(const std::vector<pf::report::TextElement *> &parts, double right, double top,
                     double gap = 5);

// Column `column` of a table `width` wide whose columns, from the right, are
// `widths` wide; the column after them takes what is left.
QRectF tableColumn(std::span<const double> widths, double width, int column, double top, double height);
// A cell of a table row at `geometry`: bold, centred, right to left, framed
// left and below, and on the right too in the first column.
void makeTableCell(pf::report::TextElement *e, const QRectF &geometry, int column);

// The vertical rules of a table band at `rules` (x, right to left), named
// <prefix>V1.., and its bottom rule <prefix>Bottom across them.
void tableRules(pf::report::Band *band, std::span<const double> rules, const char *prefix, double height);

// A computed value as the pages print it: display-rounded, then the plain
// number text (no fixed decimals, no separators, no exponent). A value too
// large to be written so (see perspace::showable) prints blank, as a value
// outside its table does.
QString roundedText(double v);
// Cell `col` of catalogue row `row`; empty when the row or the cell lies
// outside the catalogue (a row of 0 means no model was chosen).
QString catalogueCell(const bv::sizing::TextCatalogue &cat, int row, int col);

// The logo the first page prints until the engineer chooses one.
QImage defaultLogo(QSize size);

} // namespace bv::eqbook
