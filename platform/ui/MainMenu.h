#pragma once
// The main window's right-to-left menu, painted by the program itself:
// light grey items, a blue-grey rounded highlight, navy text on the
// highlight, grey text for disabled items, the "Zar" face in bold at a cell
// height of 18 pixels, and a 35 x 21 pixel image room that gives every
// drop-down item its minimum size. The caller gives the items as a tree
// and wires their actions by object name.
#include <QFont>
#include <QProxyStyle>
#include <QString>
#include <QVector>

class QAction;
class QMenu;
class QMenuBar;
class QPainter;

namespace pf::ui {

struct MenuNode {
    QString caption;
    QString objectName;
    QVector<MenuNode> children;
    bool isSeparator = false;
};

// Colours and sizes of the painting.
struct MenuLook {
    static QColor background() { return QColor(225, 225, 225); }
    static QColor highlight() { return QColor(199, 207, 220); }
    static QColor text() { return QColor(0, 0, 0); }
    static QColor disabledText() { return QColor(128, 128, 128); }
    static QColor selectedText() { return QColor(0, 0, 128); }
    static constexpr int imageWidth = 35;
    static constexpr int imageHeight = 21;
    static constexpr int cellHeight = 18;
    // "Zar", bold, sized so that a line is 18 pixels high.
    static QFont font();
};

// Paints one item over its whole rectangle: background, highlight with its
// rounded frame, " " + caption aligned to the reading side (right when
// right-to-left) and the shortcut text on the other side.
void paintMenuItem(QPainter *p, const QRect &rect, const QString &caption, const QString &shortcut, bool selected,
                   bool enabled, bool rightToLeft);

// The style that paints the menu bar and its drop-downs as above; every
// other control is left to the base style.
class OwnerDrawMenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit OwnerDrawMenuStyle(QStyle *base = nullptr);

    void drawControl(ControlElement element, const QStyleOption *opt, QPainter *p,
                     const QWidget *w = nullptr) const override;
    void drawPrimitive(PrimitiveElement pe, const QStyleOption *opt, QPainter *p,
                       const QWidget *w = nullptr) const override;
    QSize sizeFromContents(ContentsType ct, const QStyleOption *opt, const QSize &contentsSize,
                           const QWidget *w = nullptr) const override;
    int pixelMetric(PixelMetric m, const QStyleOption *opt = nullptr, const QWidget *w = nullptr) const override;
};

// Builds the menu bar (right to left, not handed to a desktop-wide menu)
// from the tree: a node with children becomes a drop-down, one without an
// item; every action carries the node's object name (a drop-down's QMenu
// too). The style belongs to the bar.
QMenuBar *buildMainMenu(const QVector<MenuNode> &tree, QWidget *parent = nullptr);

// The action with that object name anywhere in the bar's menus.
QAction *findMenuAction(QMenuBar *bar, const QString &objectName);

} // namespace pf::ui
