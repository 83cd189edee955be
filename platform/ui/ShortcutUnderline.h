#pragma once
// The underline of a shortcut letter under a whole Persian word. Qt
// underlines the letter a "&" marks by shaping it apart from its word, so it
// stands alone and in its isolated form: «ب|له». Here the caption is painted
// whole, without the "&", and the underline is drawn after it under the
// glyphs of that letter where they landed.
#include <QBrush>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QString>
#include <QTransform>

#include <functional>

class QPainter;
class QPaintDevice;
class QWidget;

namespace pf::ui {

// One run of text as the paint engine receives it: its characters (in
// reading order), face, direction and width, where its baseline starts and
// the transform and colour it was painted with.
struct PaintedText {
    QString text;
    QFont font;
    bool rightToLeft = false;
    qreal width = 0;
    QPointF origin;
    QTransform transform;
    QBrush brush;
};

// The runs `draw` paints with a painter set up as `like` is (face, pen,
// transform, direction) on a device of like's resolution; nothing is drawn.
QList<PaintedText> paintedTexts(const QPainter *like, const std::function<void(QPainter *)> &draw);
// The runs the widget paints.
QList<PaintedText> paintedTexts(QWidget *widget);

// The positions of the letters a "&" marks, in the caption as it shows
// (pf::ui::withoutMnemonic); "&&" marks none.
QList<int> shortcutPositions(const QString &caption);

// Paints the caption through `draw`, which paints it without its "&" and
// without an underline, then underlines each letter a "&" marks under its
// glyphs as `draw` placed them, in the colour they were painted in.
void drawShortcutUnderlined(QPainter *painter, const QString &caption, const std::function<void(QPainter *)> &draw);

} // namespace pf::ui
