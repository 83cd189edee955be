#include "platform/ui/ShortcutUnderline.h"

#include "platform/ui/TextDirection.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QTextLayout>
#include <QWidget>

#include <algorithm>

namespace pf::ui {

namespace {

// Keeps the text runs painted on it; everything else goes nowhere.
class TextRecorder : public QPaintEngine {
public:
    TextRecorder() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawImage(const QRectF &, const QImage &, const QRectF &, Qt::ImageConversionFlags) override {}
    void drawPath(const QPainterPath &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        const QPainter *painter = this->painter();
        texts.append({item.text(), item.font(), bool(item.renderFlags() & QTextItem::RightToLeft), item.width(), p,
                      painter->worldTransform(), painter->pen().brush()});
    }
    Type type() const override { return QPaintEngine::User; }

    QList<PaintedText> texts;
};

// A device of another's size and resolution that only records.
class RecordingDevice : public QPaintDevice {
public:
    explicit RecordingDevice(const QPaintDevice *like) : m_like(like) {}
    QPaintEngine *paintEngine() const override { return &recorder; }
    mutable TextRecorder recorder;

protected:
    int metric(PaintDeviceMetric m) const override
    {
        if (!m_like)
            return m == PdmDevicePixelRatio ? 1 : m == PdmDevicePixelRatioScaled ? int(devicePixelRatioFScale())
                                                                                  : m == PdmDepth ? 32 : 96;
        switch (m) {
        case PdmWidth: return m_like->width();
        case PdmHeight: return m_like->height();
        case PdmWidthMM: return m_like->widthMM();
        case PdmHeightMM: return m_like->heightMM();
        case PdmNumColors: return m_like->colorCount();
        case PdmDepth: return m_like->depth();
        case PdmDpiX: return m_like->logicalDpiX();
        case PdmDpiY: return m_like->logicalDpiY();
        case PdmPhysicalDpiX: return m_like->physicalDpiX();
        case PdmPhysicalDpiY: return m_like->physicalDpiY();
        case PdmDevicePixelRatio: return int(m_like->devicePixelRatio());
        case PdmDevicePixelRatioScaled: return int(m_like->devicePixelRatioF() * devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    const QPaintDevice *m_like;
};

// The left and right edges of the glyphs of text[at] in the run, from the
// run's own left edge.
std::pair<qreal, qreal> glyphSpan(const PaintedText &run, int at, QPaintDevice *device)
{
    QTextLayout layout(run.text, run.font, device);
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setTextDirection(run.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();
    const qreal left = line.naturalTextRect().left();
    const qreal a = line.cursorToX(at) - left, b = line.cursorToX(at + 1) - left;
    return {std::min(a, b), std::max(a, b)};
}

} // namespace

QList<PaintedText> paintedTexts(const QPainter *like, const std::function<void(QPainter *)> &draw)
{
    RecordingDevice device(like ? like->device() : nullptr);
    QPainter p(&device);
    if (like) {
        p.setFont(like->font());
        p.setPen(like->pen());
        p.setBrush(like->brush());
        p.setLayoutDirection(like->layoutDirection());
        p.setRenderHints(like->renderHints());
        p.setWorldTransform(like->worldTransform());
    }
    draw(&p);
    p.end();
    return device.recorder.texts;
}

QList<PaintedText> paintedTexts(QWidget *widget)
{
    RecordingDevice device(widget);
    widget->render(&device);
    return device.recorder.texts;
}

QList<int> shortcutPositions(const QString &caption)
{
    QList<int> out;
    int shown = 0;
    for (qsizetype i = 0; i < caption.size(); ++i, ++shown) {
        if (caption[i] != QLatin1Char('&') || i + 1 >= caption.size())
            continue;
        ++i;
        if (caption[i] != QLatin1Char('&'))
            out << shown;
    }
    return out;
}

void drawShortcutUnderlined(QPainter *painter, const QString &caption, const std::function<void(QPainter *)> &draw)
{
    const QList<int> marked = shortcutPositions(caption);
    if (marked.isEmpty() || !painter->isActive()) {
        draw(painter);
        return;
    }
    const QList<PaintedText> runs = paintedTexts(painter, draw);
    draw(painter);
    const QString shown = withoutMnemonic(caption);
    painter->save();
    for (const PaintedText &run : runs) {
        if (run.text.isEmpty())
            continue;
        for (int letter : marked) {
            // The run that holds the letter: a piece of the caption as shown.
            qsizetype from = shown.indexOf(run.text);
            while (from >= 0 && !(from <= letter && letter < from + run.text.size()))
                from = shown.indexOf(run.text, from + 1);
            if (from < 0)
                continue;
            const auto [left, right] = glyphSpan(run, int(letter - from), painter->device());
            const QFontMetricsF metrics(run.font, painter->device());
            const qreal thickness = std::max<qreal>(1, metrics.lineWidth());
            painter->setWorldTransform(run.transform);
            painter->fillRect(QRectF(run.origin.x() + left, run.origin.y() + metrics.underlinePos(), right - left,
                                     thickness),
                              run.brush);
        }
    }
    painter->restore();
}

} // namespace pf::ui
