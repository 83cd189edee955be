#include "platform/ui/Captions.h"

#include "platform/ui/TextDirection.h"

#include <QCheckBox>
#include <QFontMetricsF>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTextDocument>
#include <QVariant>

#include <cmath>
#include <vector>

namespace pf::ui {

namespace {

// What the rule remembers on each widget it has looked at.
const char *const kDesignedRect = "pfCaptionDesignedRect"; // QRect: the geometry as designed
const char *const kPlacedRect = "pfCaptionPlacedRect";     // QRect: the geometry the rule gave last
const char *const kDesignedSize = "pfCaptionDesignedSize"; // double: the size as designed
const char *const kShrunkSize = "pfCaptionShrunkSize";     // double: the smaller size the rule gave
const char *const kInherited = "pfCaptionInherited";       // bool: the font was the parent's before

constexpr double kSmallestPoints = 5.5;
constexpr double kSmallestPixels = 8;
constexpr double kPointStep = 0.5;

// A font's size: points, or pixels as a negative number.
double sizeOf(const QFont &f) { return f.pointSizeF() > 0 ? f.pointSizeF() : -double(f.pixelSize()); }

void setSize(QFont &f, double size)
{
    if (size > 0)
        f.setPointSizeF(size);
    else
        f.setPixelSize(int(-size));
}

struct Caption {
    QWidget *widget = nullptr;
    QStringList lines;
    int chrome = 0;      // the widget's width that is not room for the text
    Qt::Alignment anchor; // Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter
    QRect designed;
    double designedSize = 0;
    bool shrunk = false; // the rule's smaller size is in force
    QRect target;
    double targetSize = 0;
};

bool placedByLayout(const QLayout *layout, const QWidget *w)
{
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (item->widget() == w)
            return true;
        if (QLayout *inner = item->layout(); inner && placedByLayout(inner, w))
            return true;
    }
    return false;
}

// The caption of a widget the rule fits, or false for any other widget.
bool captionOf(QWidget *w, Caption &c)
{
    QWidget *parent = w->parentWidget();
    if (!parent || w->isWindow() || (parent->layout() && placedByLayout(parent->layout(), w)))
        return false;
    const QStyle *style = w->style();
    QString text;
    int extra = 0;
    Qt::Alignment align;
    const bool rightToLeft = w->layoutDirection() == Qt::RightToLeft;
    if (auto *label = qobject_cast<QLabel *>(w)) {
        if (label->wordWrap() || !label->pixmap().isNull() || label->textFormat() == Qt::RichText ||
            label->textFormat() == Qt::MarkdownText ||
            (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text())))
            return false;
        // A label draws its "&" unless it has a buddy to give the shortcut.
        text = label->buddy() ? withoutMnemonic(label->text()) : label->text();
        extra = 2 * std::max(label->margin(), 0) + std::max(label->indent(), 0);
        align = QStyle::visualAlignment(w->layoutDirection(), label->alignment()) & Qt::AlignHorizontal_Mask;
    } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
        text = withoutMnemonic(button->text());
        if (qobject_cast<QCheckBox *>(w))
            extra = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) +
                    style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
        else if (qobject_cast<QRadioButton *>(w))
            extra = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, w) +
                    style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, w);
        else if (qobject_cast<QPushButton *>(w))
            extra = 2 * style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w);
        else
            return false;
        if (!button->icon().isNull())
            extra += button->iconSize().width() + 4;
        // A push button centres its text; a check box's follows its indicator.
        align = qobject_cast<QPushButton *>(w) ? Qt::AlignHCenter : rightToLeft ? Qt::AlignRight : Qt::AlignLeft;
    } else {
        return false;
    }
    if (text.trimmed().isEmpty())
        return false;
    c.widget = w;
    c.lines = text.split(QLatin1Char('\n'));
    c.chrome = w->width() - w->contentsRect().width() + extra;
    c.anchor = (align & Qt::AlignHCenter) || (align & Qt::AlignJustify) ? Qt::AlignHCenter
               : (align & Qt::AlignRight)                              ? Qt::AlignRight
                                                                       : Qt::AlignLeft;
    return true;
}

// The design in force: the rule's own geometry and size go back to what
// they were designed as; any other is the design now.
void readDesign(Caption &c)
{
    QWidget *w = c.widget;
    const QVariant placed = w->property(kPlacedRect);
    c.designed = placed.isValid() && placed.toRect() == w->geometry() ? w->property(kDesignedRect).toRect()
                                                                       : w->geometry();
    const double size = sizeOf(w->font());
    const QVariant shrunk = w->property(kShrunkSize);
    c.shrunk = shrunk.isValid() && shrunk.toDouble() == size;
    c.designedSize = c.shrunk ? w->property(kDesignedSize).toDouble() : size;
    c.target = c.designed;
    c.targetSize = c.designedSize;
}

int widthIn(const Caption &c, double size)
{
    QFont f = c.widget->font();
    setSize(f, size);
    const QFontMetricsF fm(f);
    qreal width = 0;
    for (const QString &line : c.lines)
        width = std::max(width, fm.horizontalAdvance(line));
    return int(std::ceil(width));
}

// How far the widget may grow to the left and to the right: within its
// parent, up to the nearest sibling beside it on that side.
std::pair<int, int> freeRoom(const Caption &c, const QHash<QWidget *, Caption *> &captions)
{
    const QRect d = c.designed;
    int left = std::max(0, d.left());
    int right = std::max(0, c.widget->parentWidget()->width() - 1 - d.right());
    for (QObject *o : c.widget->parentWidget()->children()) {
        auto *sibling = qobject_cast<QWidget *>(o);
        if (!sibling || sibling == c.widget || sibling->isWindow())
            continue;
        const Caption *other = captions.value(sibling);
        const QRect s = other ? other->target : sibling->geometry();
        const QRect designed = other ? other->designed : s;
        if (s.isEmpty() || designed.intersects(d) || s.intersects(d) || s.bottom() < d.top() || s.top() > d.bottom())
            continue;
        if (s.right() < d.left())
            left = std::min(left, d.left() - 1 - s.right());
        else if (s.left() > d.right())
            right = std::min(right, s.left() - 1 - d.right());
    }
    return {left, right};
}

void fit(Caption &c, const QHash<QWidget *, Caption *> &captions)
{
    const int needed = widthIn(c, c.designedSize);
    int missing = needed - (c.designed.width() - c.chrome);
    if (missing <= 0)
        return;
    const auto [left, right] = freeRoom(c, captions);
    int growLeft = 0, growRight = 0;
    if (c.anchor == Qt::AlignRight) {
        growLeft = std::min(missing, left);
    } else if (c.anchor == Qt::AlignLeft) {
        growRight = std::min(missing, right);
    } else {
        // Both ways alike as far as both sides allow, the rest where there is room.
        growLeft = std::min((missing + 1) / 2, left);
        growRight = std::min(missing - growLeft, right);
        growLeft = std::min(missing - growRight, left);
    }
    c.target = c.designed.adjusted(-growLeft, 0, growRight, 0);
    missing -= growLeft + growRight;
    if (missing <= 0)
        return;
    const int room = c.target.width() - c.chrome;
    const bool points = c.designedSize > 0;
    const double step = points ? kPointStep : -1;
    const double smallest = points ? kSmallestPoints : -kSmallestPixels;
    double size = c.designedSize;
    while ((points ? size - step >= smallest : size - step <= smallest) && widthIn(c, size) > room)
        size -= step;
    // Never larger than designed (a design already under the smallest size).
    c.targetSize = points ? std::min(size, c.designedSize) : std::max(size, c.designedSize);
}

void apply(const Caption &c)
{
    QWidget *w = c.widget;
    if (w->geometry() != c.target)
        w->setGeometry(c.target);
    w->setProperty(kDesignedRect, c.designed);
    w->setProperty(kPlacedRect, c.target);

    const double current = sizeOf(w->font());
    // A font the widget had from its parent stays its parent's (in face and
    // all) while the rule only makes it smaller.
    const bool inherited =
        c.shrunk ? w->property(kInherited).toBool() && w->font().family() == w->parentWidget()->font().family()
                 : !w->testAttribute(Qt::WA_SetFont);
    if (c.targetSize == c.designedSize) {
        if (!c.shrunk)
            return;
        if (inherited) {
            w->setFont(QFont());
        } else {
            QFont f = w->font();
            setSize(f, c.designedSize);
            w->setFont(f);
        }
        w->setProperty(kShrunkSize, QVariant());
        return;
    }
    if (current != c.targetSize) {
        // A new QFont sets nothing but the size it is given.
        QFont f = inherited ? QFont() : w->font();
        setSize(f, c.targetSize);
        w->setFont(f);
    }
    w->setProperty(kDesignedSize, c.designedSize);
    w->setProperty(kShrunkSize, c.targetSize);
    w->setProperty(kInherited, inherited);
}

} // namespace

void fitCaptions(QWidget *form)
{
    if (!form)
        return;
    const QList<QWidget *> all = form->findChildren<QWidget *>();
    std::vector<Caption> captions;
    for (QWidget *w : all) {
        Caption c;
        if (captionOf(w, c)) {
            readDesign(c);
            captions.push_back(std::move(c));
        }
    }
    QHash<QWidget *, Caption *> byWidget;
    byWidget.reserve(qsizetype(captions.size()));
    for (Caption &c : captions)
        byWidget.insert(c.widget, &c);
    for (Caption &c : captions)
        fit(c, byWidget);
    for (const Caption &c : captions)
        apply(c);
}

} // namespace pf::ui
