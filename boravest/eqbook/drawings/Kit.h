#pragma once
// The drawing kit of the installation drawings: a sheet that collects
// lines, rectangles and texts as report items, the line weights and text
// sizes of every drawing, and the symbols the drawings share (valves, pumps,
// gauges, dimension lines, numbered balloons, legends).
//
// Coordinates are the drawing's own pixels (96 per inch), y downwards.
// Angles are in degrees, 0 pointing right, counted anticlockwise as seen.
// Texts are Persian in reading order, laid out right to left; dimension
// letters and numbers stand alone as the pages print them.
#include "platform/report/Document.h"

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVector>

#include <initializer_list>
#include <utility>
#include <vector>

namespace bv::eqbook::kit {

// Line weights: outlines of equipment, pipes, the arrows of air, water or
// flue gas on their way, and thin lines (dimensions, leaders, hidden parts,
// hatching).
constexpr double kOutline = 1.5;
constexpr double kPipe = 1.1;
constexpr double kFlow = 1.0;
constexpr double kThin = 0.6;

// Text sizes in pixels: labels and legends, dimension letters, the numbers
// of balloons; none below 7 points (9.33 pixels), so that the drawings read
// on screen at the preview's size as on paper.
constexpr double kLabelPx = 9.5;
constexpr double kLetterPx = 9.5;
constexpr double kBalloonPx = 9.5;

enum class Side { Left, Right, Up, Down };

// The pipework a drawing declares: its runs of pipe (a straight or bent
// length of pipe, one tube of a coil), the chambers pipes open into (the
// two halves of a tube bundle's channel), which of them it joins (a tee, a
// pipe on a nozzle, a coil's end on its connection), and the parts they
// serve, each by its outline (a vessel, a casing, a strainer's pot). Runs
// and chambers the drawing does not join stand apart; a pipe ends on a
// part's wall and never crosses its inside, but the pipes the part itself
// holds (a coil in its shell).
struct Piping {
    struct Run {
        std::vector<QPointF> path; // a pipe's centre line; empty for a chamber
        QRectF chamber;
        double width = 0;
        bool coil = false; // a tube of a heating coil
        int within = -1;   // the part that holds it, -1 for none
    };
    struct Part {
        std::vector<QPointF> outline; // closed
    };
    std::vector<Run> runs;
    std::vector<std::pair<int, int>> joints;
    std::vector<Part> parts;
};

// The points of an arc of the ellipse round `c`, from `fromDeg` on by
// `spanDeg`, both ends included; the outline of a rectangle with rounded
// corners, and of an ellipse.
std::vector<QPointF> arcPoints(QPointF c, double rx, double ry, double fromDeg, double spanDeg);
std::vector<QPointF> roundedOutline(const QRectF &r, double radius);
std::vector<QPointF> ellipseOutline(QPointF c, double rx, double ry);

class Sheet {
public:
    explicit Sheet(QSizeF size) : m_size(size) {}
    QSizeF size() const { return m_size; }
    QRectF bounds() const { return QRectF(QPointF(0, 0), m_size); }

    // Lines.
    void line(QPointF a, QPointF b, double w = kPipe);
    void polyline(const std::vector<QPointF> &pts, double w = kPipe, bool closed = false);
    void dashed(QPointF a, QPointF b, double w = kThin, double dash = 4, double gap = 2.5);
    void rect(const QRectF &r, double w = kOutline);
    void fill(const QRectF &r, const QColor &c = Qt::black);
    void roundedRect(const QRectF &r, double radius, double w = kOutline);
    // A rectangle with half-round ends on its short sides (a vessel drawn
    // lying or standing); returns its part.
    int capsule(const QRectF &r, double w = kOutline);
    // A vessel whose short ends are shallow dished heads of depth `head`;
    // returns its part.
    int dishedTank(const QRectF &r, double head, double w = kOutline);
    void circle(QPointF c, double r, double w = kOutline);
    void ellipse(QPointF c, double rx, double ry, double w = kOutline);
    void arc(QPointF c, double rx, double ry, double fromDeg, double spanDeg, double w = kOutline);
    void disc(QPointF c, double r);                        // filled
    void triangle(QPointF a, QPointF b, QPointF c, double w = kThin, bool filled = false);
    // A filled arrowhead with its tip at `tip`, pointing away from `from`.
    void arrowHead(QPointF tip, QPointF from, double length = 5.5, double halfWidth = 1.9);
    // A line with an arrowhead at `to`.
    void arrow(QPointF from, QPointF to, double w = kThin);
    // Parallel lines at 45 degrees across the rectangle.
    void hatch(const QRectF &r, double spacing = 4, double w = kThin);
    // A zigzag between a and b (a spring, a heating coil seen from the side).
    void zigzag(QPointF a, QPointF b, int teeth, double amplitude, double w = kThin);

    // Texts. `anchor` is where the edge named by `align` stands (AlignLeft,
    // AlignRight, AlignHCenter), the text centred on it vertically; the box
    // the text takes is returned. A masked text clears what lies under it.
    QRectF text(QPointF anchor, const QString &t, Qt::Alignment align = Qt::AlignHCenter, double px = kLabelPx,
                bool bold = true, bool mask = false);
    static double textWidth(const QString &t, double px = kLabelPx, bool bold = true);
    static double textHeight(double px = kLabelPx, bool bold = true);
    // The box the glyphs of the text take when it is placed in `box`.
    static QRectF inkBox(const QString &t, const QRectF &box, double px = kLabelPx, bool bold = true);
    // A Latin dimension letter or number (left to right), centred on `at`.
    QRectF letter(QPointF at, const QString &t, bool mask = false, double px = kLetterPx);

    // A dimension between a and b, its line `offset` away on the side given
    // (for a horizontal measure Up or Down, for a vertical one Left or
    // Right), with extension lines from the measured points, arrowheads and
    // the letter beside the middle of the line.
    void dimension(QPointF a, QPointF b, Side side, double offset, const QString &label);
    // A dimension along an oblique edge a..b: its line shifted by `off`, the
    // letter beyond the middle of the line.
    void dimensionAligned(QPointF a, QPointF b, QPointF off, const QString &label);
    // A numbered balloon and its leader to the part at `to`.
    void balloon(QPointF at, int n, QPointF to);
    void balloon(QPointF at, int n);
    // A leader from a label at `from` to a point of the part, with a dot.
    void leader(QPointF from, QPointF to);
    // A label at `at` (as text() places it) with its leader to the part at
    // `to`, leaving the side of the label that faces the part.
    QRectF label(QPointF at, const QString &t, QPointF to, Qt::Alignment align = Qt::AlignHCenter,
                 double px = kLabelPx);

    // Pipes: a run drawn along `path` (a coil's tube when `coil`), a
    // chamber (drawn by its own outline), and a joint of two of them; each
    // returns what join() takes.
    int pipe(const std::vector<QPointF> &path, double w = kPipe, bool coil = false);
    int chamber(const QRectF &box);
    void join(int a, int b);
    // A part the pipes serve, by its outline (drawn by the caller), and a
    // run that lies inside it as its own.
    int part(const std::vector<QPointF> &outline);
    int part(const QRectF &r, double radius = 0);
    void within(int run, int part);
    const Piping &piping() const { return m_piping; }

    // Draws another sheet's items here, its top left corner at `at`, scaled.
    void place(const Sheet &part, QPointF at, double scale = 1.0);

    const QVector<pf::report::DrawItem> &items() const { return m_items; }
    QVector<pf::report::DrawItem> take() { return std::move(m_items); }

private:
    QSizeF m_size;
    QVector<pf::report::DrawItem> m_items;
    Piping m_piping;
};

// ---------------------------------------------------------------- symbols
// Pipe fittings drawn on a pipe through `c`, along it when `vertical` is
// false (the pipe runs left-right), across otherwise. `s` is the half size.

void gateValve(Sheet &g, QPointF c, bool vertical = false, double s = 4.5);
void checkValve(Sheet &g, QPointF c, Side flow, double s = 4.5);
// A valve with an actuator on a stem: a motorised valve (the actuator a
// box) or a controlled valve (a dome).
void motorValve(Sheet &g, QPointF c, bool vertical = false, double s = 4.5);
// A three-way valve: the through way along the pipe, the third way towards
// `branch`; its actuator on the opposite side.
void threeWayValve(Sheet &g, QPointF c, Side branch, double s = 4.5);
// A safety valve on a branch rising from `base`, its outlet to the side.
void safetyValve(Sheet &g, QPointF base, double s = 4.5);
void strainer(Sheet &g, QPointF c, bool vertical = false, double s = 4.5);
void unionJoint(Sheet &g, QPointF c, bool vertical = false, double s = 3.5);
void pump(Sheet &g, QPointF c, Side flow, double r = 6);
void thermometer(Sheet &g, QPointF base, double s = 4);
void pressureGauge(Sheet &g, QPointF base, double s = 4);
void airVent(Sheet &g, QPointF base, double s = 3.5);
void thermostat(Sheet &g, QPointF c, double s = 4);
// A float-and-thermostatic trap in a pipe running left-right.
void trap(Sheet &g, QPointF c, double s = 5);
void tee(Sheet &g, QPointF c);
// The direction of flow on a pipe.
void flowArrow(Sheet &g, QPointF c, Side to);
// A box standing for a controller, with the dashed signal line to `to`.
void controller(Sheet &g, const QRectF &box, QPointF to);
// A coil of `turns` loops inside the box, the tubes coming out at its right
// or left side, the first and the last run going on `lead` beyond it;
// returns its tube's run, which starts and ends there.
int coilInBox(Sheet &g, const QRectF &box, int turns, bool outletsRight, double w = kPipe, double lead = 0);
// A coil of `passes` straight runs up and down the box, bent round at its
// top and bottom: it enters at the top of the first run (at the left) and
// leaves at the far end of the last (the bottom for an odd count), both
// going on `lead` beyond the box; returns its tube's run.
int serpentineCoil(Sheet &g, const QRectF &box, int passes, double lead, double w = kPipe);
// A U-tube bundle lying in a shell, its tubes bent round one centre, the
// outermost reaching `length` from the channel face of its tube plate at
// `face` (the bundle's axis through it); the tubes through the plate, each
// opening above the axis and below it. Returns the tubes' runs.
std::vector<int> uTubeBundle(Sheet &g, QPointF face, double length, double w = kThin * 1.4);
// The length of a bundle's tube plate, across the bundle.
double tubePlateLength(double bundleLength);

// A legend of numbered parts in `box`, `columns` columns filled right to
// left, each entry "n- text" in reading order; returns the box it took.
QRectF numberedLegend(Sheet &g, const QRectF &box, const std::vector<QString> &entries, int columns = 1,
                      double px = kLabelPx, int first = 1);
// The same with keys of its own ("d1- text").
QRectF keyedLegend(Sheet &g, const QRectF &box, const std::vector<std::pair<QString, QString>> &entries,
                   int columns = 1, double px = kLabelPx);

// A legend of symbols: each row the symbol, drawn by its function around
// the centre of a small cell at the right, and its name to the left.
struct LegendSymbol {
    void (*draw)(Sheet &g, QPointF c);
    QString name;
    bool onPipe = true; // drawn on a short length of pipe
};
QRectF symbolLegend(Sheet &g, const QRectF &box, const std::vector<LegendSymbol> &entries, int columns = 1,
                    double px = kLabelPx);

// Persian text of a string literal.
inline QString fa(const char *utf8) { return QString::fromUtf8(utf8); }

} // namespace bv::eqbook::kit
