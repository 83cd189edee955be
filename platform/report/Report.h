#pragma once
// The banded report engine.
//
// A report form is built once in code and kept: a Report holds its page
// setup (A4 portrait in millimetres with margins), its default font, an
// optional master dataset and its bands; each band holds its elements at
// pixel positions (96 per inch) relative to the band's top left corner.
//
//     Report rep("QuickRep1");
//     Band *title = rep.addBand(BandType::Title, "TitleBand1", 231);
//     Label *model = title->addLabel("QRLabel24", 420, 57);
//     SubDetailBand *rows = rep.addSubDetail("QRSubDetail1", 43, nullptr, &query);
//     rows->addDBText("QRDBText3", 470, 12, "Faza");
//     rows->beforePrint = [&](Band &, bool &print) { ... fill labels ... };
//     Document doc = rep.render();
//
// Print order on a page: page header (on the first page only with
// firstPageHeader), then on the first page the title, then the column header
// (every page); then, for each record of the report's dataset (once when the
// report has none), the group headers whose key changed, the detail band and
// the sub-details whose master is the report, in the order they were added.
// A sub-detail walks its own dataset from the first record for every record
// of its master: its header, then per record its group headers, the row band
// itself and its own sub-details, then its footer. Details that follow their
// master through the dataset layer's master/detail links therefore show the
// master's rows. After the data comes the summary. A band that does not fit
// on the rest of the page starts a new page; the page footer stands at the
// bottom of every page (the last one only with lastPageFooter).
//
// Headers are not left alone at the foot of a page: a sub-detail's header
// (when the sub-detail has rows) and a group header start a new page when
// they fit on the rest of the page but not together with what follows them
// for the current record, that is the group headers that will print next
// and the row (or detail) band. What follows is measured as it stands, its
// events not run (a later group header's key is read once more to see
// whether it will print); a header that would not fit with it on a fresh
// page either is printed where it is.
//
// Events: the report's beforePrint may cancel the whole run; a band's
// beforePrint runs before each printing of that band and may fill labels,
// switch elements or the band off, or clear the print flag for this once;
// afterPrint runs after it with whether the band was printed. A disabled band
// (enabled == false) is not printed and its events do not run; the records
// and sub-details of a disabled row band are still walked.
//
// Texts are laid out right to left with absolute alignment (see Document.h);
// each distinct text is laid out once per run, however often it prints.
//
// The datasets a report walks (its own and its sub-details') are often the
// shared ones that open forms show: each is back on its record when render
// returns, also after a failure, and while the report runs their data-aware
// controls are suspended (disableControls), except on a dataset that is the
// master of a printed detail, whose moves must reach that detail.
#include "platform/report/Document.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QVector>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace pf::db {
class Dataset;
}

namespace pf::report {

class Band;
class Report;
class SubDetailBand;
struct RunTexts;

// Failures of the engine itself (a form built wrongly, a picture that cannot
// be read). The text is meant for the user.
class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString &msg) : std::runtime_error(msg.toStdString()), m_msg(msg) {}
    QString message() const { return m_msg; }

private:
    QString m_msg;
};

struct PageSetup {
    double widthMm = 210.0; // A4 portrait
    double heightMm = 297.0;
    double leftMarginMm = 10.0;
    double topMarginMm = 10.0;
    double rightMarginMm = 10.0;
    double bottomMarginMm = 10.0;
};

// Lines drawn on the sides of an element or band.
struct Frame {
    bool top = false;
    bool bottom = false;
    bool left = false;
    bool right = false;
    double width = 1.0;
    ReportColor color = Qt::black;

    void setAll(bool on) { top = bottom = left = right = on; }
    bool any() const { return top || bottom || left || right; }
};

enum class ElementKind { Label, DBText, SysData, Image, Shape, Drawing };

class Element {
public:
    Element(const Element &) = delete;
    Element &operator=(const Element &) = delete;
    virtual ~Element() = default;

    ElementKind kind() const { return m_kind; }
    const QString &name() const { return m_name; }
    Band *band() const { return m_band; }

    QRectF geometry;     // pixels from the band's top left corner
    bool enabled = true; // only enabled elements are printed
    int z = 0;           // drawn in ascending z, equal z in the order added
    Frame frame;

    void bringToFront();
    void sendToBack();

protected:
    Element(ElementKind kind, Band *band, const QString &name);

private:
    ElementKind m_kind;
    Band *m_band;
    QString m_name;
};

// An element that prints text. With autoSize the width follows the text,
// measured with the element's font, keeping the edge the alignment names
// (left, right or centre) in place; with wordWrap too the width stops at the
// band's edge and the text wraps onto further lines. Without autoSize the
// text is laid out in the element's own width. A text taller than its
// element makes the element, and its band, taller.
class TextElement : public Element {
public:
    ReportFont font;
    Qt::Alignment alignment = Qt::AlignLeft; // absolute: AlignLeft, AlignRight or AlignHCenter
    Qt::LayoutDirection direction = Qt::RightToLeft;
    bool wordWrap = false;
    bool autoSize = true;

protected:
    using Element::Element;

private:
    friend class Renderer;
    friend class Report;
    friend class Band;
    friend struct RunTexts;
    int m_number = 0; // among the text elements of its report, from 0
};

// A text set by the form code (a caption).
class Label : public TextElement {
public:
    QString text;

private:
    friend class Band;
    using TextElement::TextElement;
};

// The value of a field of a dataset's current record, as the dataset layer
// formats it, a floating-point number in plain digits (blank when it is 1E15
// or more in size, or no finite number); empty when the dataset is missing,
// closed or empty. The dataset and the field may be changed at run time.
class DBText : public TextElement {
public:
    pf::db::Dataset *dataset = nullptr;
    QString fieldName;

    QString currentText() const;

private:
    friend class Band;
    using TextElement::TextElement;
};

// Data the engine supplies while it lays out a page: the page number.
class SysData : public TextElement {
public:
    QString prefix; // printed before the number

private:
    friend class Band;
    using TextElement::TextElement;
};

class Image : public Element {
public:
    QImage picture;       // pixel for pixel at 96 per inch unless stretched
    bool stretch = false; // scaled to fill the element

    // Reads a picture file (PNG, JPEG, BMP ...). On failure the picture is
    // left as it was and the reason is returned in *error.
    bool loadFromFile(const QString &path, QString *error = nullptr);

private:
    friend class Band;
    using Element::Element;
};

// A line drawing: lines, rectangles and texts in the element's own pixels
// (from its top left corner), printed where the element stands and kept as
// drawn items, so it stays sharp at any printer's resolution.
class Drawing : public Element {
public:
    QVector<DrawItem> items;

private:
    friend class Band;
    using Element::Element;
};

enum class ShapeKind { Rectangle, HorizontalLine, VerticalLine };

// The records of a data level that are not a dataset's rows (values the
// form keeps of its own): count() gives how many records the level has
// under its master's current record, and select(i) makes record i (from 0)
// current before the level's bands for it print.
struct RecordWalk {
    std::function<int()> count;
    std::function<void(int)> select;
    explicit operator bool() const { return bool(count); }
};

// A rectangle, or a line across the middle of the element's box.
class Shape : public Element {
public:
    ShapeKind shape = ShapeKind::Rectangle;
    double penWidth = 1.0;
    ReportColor penColor = Qt::black;
    ReportColor fill = Qt::transparent; // rectangles only

private:
    friend class Band;
    using Element::Element;
};

enum class BandType {
    Title,        // first page, once
    PageHeader,   // top of every page (first page only with firstPageHeader)
    ColumnHeader, // every page, under the page header and the title
    Detail,       // once per record of the report's dataset
    SubDetail,    // once per record of its own dataset
    GroupHeader,  // a sub-detail's header, or a group header of a data band
    GroupFooter,  // a sub-detail's footer
    Summary,      // after the data
    PageFooter,   // bottom of every page (the last only with lastPageFooter)
};

class Band {
public:
    Band(const Band &) = delete;
    Band &operator=(const Band &) = delete;
    virtual ~Band();

    BandType type() const { return m_type; }
    const QString &name() const { return m_name; }
    Report *report() const { return m_report; }

    double height = 0;               // pixels; the width is the page's between the margins
    bool enabled = true;             // only enabled bands are printed
    QColor color = Qt::transparent;  // background
    Frame frame;

    std::function<void(Band &band, bool &printBand)> beforePrint;
    std::function<void(Band &band, bool printed)> afterPrint;

    // New elements take the report's font.
    Label *addLabel(const QString &name, double left, double top, const QString &text = QString());
    DBText *addDBText(const QString &name, double left, double top, pf::db::Dataset *dataset,
                      const QString &fieldName);
    SysData *addPageNumber(const QString &name, double left, double top,
                           const QString &prefix = QString());
    Image *addImage(const QString &name, const QRectF &geometry);
    Drawing *addDrawing(const QString &name, const QRectF &geometry);
    Shape *addShape(const QString &name, ShapeKind shape, const QRectF &geometry);

    const std::vector<std::unique_ptr<Element>> &elements() const { return m_elements; }
    Element *findElement(const QString &name) const;

protected:
    Band(BandType type, Report *report, const QString &name, double height);

private:
    friend class Report;
    friend class SubDetailBand;
    friend class Renderer;
    template <class T> T *adopt(T *e);

    BandType m_type;
    Report *m_report;
    QString m_name;
    int m_number = 0; // among the bands of its report, from 0
    std::vector<std::unique_ptr<Element>> m_elements;
};

// A data band whose records come from its own dataset. Its master is another
// sub-detail or, when null, the report's detail level.
class SubDetailBand : public Band {
public:
    pf::db::Dataset *dataset = nullptr; // none: its records, or once per master record
    RecordWalk records;                 // used when there is no dataset
    bool printIfEmpty = true;           // header and footer also print without rows

    SubDetailBand *master() const { return m_master; }

    Band *addHeader(const QString &name, double height);
    Band *addFooter(const QString &name, double height);
    Band *header() const { return m_header; }
    Band *footer() const { return m_footer; }

    // A group header printed before the first row and again whenever key()
    // changes from one row to the next.
    Band *addGroupHeader(const QString &name, double height, std::function<QString()> key);

private:
    friend class Report;
    SubDetailBand(Report *report, const QString &name, double height, SubDetailBand *master,
                  pf::db::Dataset *dataset);

    SubDetailBand *m_master;
    Band *m_header = nullptr;
    Band *m_footer = nullptr;
};

class Report {
public:
    explicit Report(const QString &name = QStringLiteral("QuickRep1"));
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;
    ~Report();

    const QString &name() const { return m_name; }

    // The name of what the report prints (a booklet's name): the preview
    // shows it and offers it as the file name of a print to a file.
    QString title;
    PageSetup page;
    ReportFont font = ReportFont::fromPixels(QStringLiteral("Arial"), 13);
    pf::db::Dataset *dataset = nullptr; // the master records; none: its records, or one pass
    RecordWalk records;                 // used when there is no dataset
    bool printIfEmpty = true;           // with no records still print title and summary
    bool firstPageHeader = true;
    bool lastPageFooter = true;

    std::function<void(Report &report, bool &printReport)> beforePrint;
    std::function<void(Report &report)> afterPrint;
    std::function<void(Report &report)> afterPreview; // run by the preview when it closes

    // One band of each of the kinds Title, PageHeader, ColumnHeader, Detail,
    // Summary and PageFooter; adding a second of a kind is refused.
    Band *addBand(BandType type, const QString &name, double height);
    SubDetailBand *addSubDetail(const QString &name, double height, SubDetailBand *master = nullptr,
                                pf::db::Dataset *dataset = nullptr);
    // A group header of the report's detail level (see SubDetailBand).
    Band *addGroupHeader(const QString &name, double height, std::function<QString()> key);

    Band *band(BandType type) const; // the first band of that kind, or null
    QVector<Band *> bands() const;   // every band, in the order added
    Band *findBand(const QString &name) const;
    Element *findElement(const QString &name) const;
    template <class T> T *find(const QString &name) const { return dynamic_cast<T *>(findElement(name)); }
    QVector<Element *> elements(ElementKind kind) const;
    template <class T> QVector<T *> elementsOf() const
    {
        QVector<T *> out;
        for (Band *b : bands())
            for (const auto &e : b->elements())
                if (auto *t = dynamic_cast<T *>(e.get()))
                    out.push_back(t);
        return out;
    }

    double contentWidthPx() const { return mmToPx(page.widthMm - page.leftMarginMm - page.rightMarginMm); }
    QSizeF pageSizeMm() const { return {page.widthMm, page.heightMm}; }

    // Lays the report out: runs the events, walks the datasets and returns
    // the pages. The page number of the page being laid out is pageNumber().
    Document render();
    int pageNumber() const { return m_pageNumber; }

    // The width of the widest line of a text in a font and base direction,
    // from the same layouts the report prints with: while the report is laid
    // out, those of the run (the text is shaped once for both), otherwise
    // those the report keeps for such questions.
    double textWidth(const QString &text, const ReportFont &font, Qt::LayoutDirection direction);
    // The same for a text of an element of the report, in the element's font
    // and direction.
    double textWidth(const TextElement &element, const QString &text);

private:
    friend class CompositeReport;
    friend class Renderer;
    friend class SubDetailBand;
    friend class Band;
    Band *adoptBand(std::unique_ptr<Band> band);
    // Appends this report's pages to doc, numbering them on from *pageNumber,
    // its texts laid out through `texts`.
    void renderInto(Document &doc, int *pageNumber, TextLayoutCache &texts);

    QString m_name;
    std::vector<std::unique_ptr<Band>> m_bands;
    int m_pageNumber = 0;
    int m_textElements = 0;                      // made so far
    RunTexts *m_runTexts = nullptr;              // the run's layouts while laid out
    std::unique_ptr<TextLayoutCache> m_ownTexts; // for widths asked outside a run
};

// Several reports joined into one run of pages, in the order the add-pages
// event lists them. Page numbers run on from one report to the next.
class CompositeReport {
public:
    std::function<void(CompositeReport &composite)> onAddReports;
    QString title;  // as a report's
    PageSetup page; // the paper when no report is added

    QList<Report *> &reports() { return m_reports; }
    void add(Report *report);

    // Clears the report list, runs the add-pages event and lays every listed
    // report out in turn.
    Document render();

private:
    QList<Report *> m_reports;
};

} // namespace pf::report
