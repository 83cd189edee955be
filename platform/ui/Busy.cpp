#include "platform/ui/Busy.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace pf::ui {

namespace {

constexpr int kFrameMs = 40;

void drawFolder(QPainter &p, const QRectF &r)
{
    const QColor body(0xE8, 0xC0, 0x4A), edge(0x8A, 0x6A, 0x10);
    QPainterPath tab;
    tab.addRoundedRect(QRectF(r.left(), r.top(), r.width() * 0.45, r.height() * 0.3), 2, 2);
    p.setPen(QPen(edge, 1));
    p.setBrush(body.darker(110));
    p.drawPath(tab);
    p.setBrush(body);
    p.drawRoundedRect(QRectF(r.left(), r.top() + r.height() * 0.18, r.width(), r.height() * 0.82), 2, 2);
}

} // namespace

Animate::Animate(QWidget *parent) : QWidget(parent) {}

void Animate::start()
{
    m_active = true;
    m_frame = 0;
    update();
}

void Animate::stop()
{
    m_active = false;
    m_frame = 0;
    update();
}

void Animate::advance()
{
    m_frame = m_frame >= m_stopFrame ? 0 : m_frame + 1;
    update();
}

void Animate::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (autoFillBackground())
        p.fillRect(rect(), palette().window());
    const qreal h = height(), w = width();
    const qreal fh = qMin(h * 0.5, w / 5), fw = fh * 1.3;
    const QRectF from(w * 0.08, h - fh - 2, fw, fh);
    const QRectF to(w * 0.92 - fw, h - fh - 2, fw, fh);
    drawFolder(p, from);
    drawFolder(p, to);
    if (!m_active)
        return;
    // The sheet rises out of one folder and comes down into the other.
    const qreal t = qreal(m_frame) / qMax(1, m_stopFrame);
    const qreal x = from.center().x() + (to.center().x() - from.center().x()) * t;
    const qreal sw = fh * 0.55, sh = fh * 0.7;
    // Its top stays inside the picture at the height of its flight.
    const qreal highest = std::hypot(sw, sh) / 2 + 1;
    const qreal y = from.top() - std::sin(t * M_PI) * std::max<qreal>(0, from.top() - highest);
    p.save();
    p.translate(x, y);
    p.rotate(-20 + 40 * t);
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(-sw / 2, -sh / 2, sw, sh));
    for (int i = 1; i <= 3; ++i)
        p.drawLine(QPointF(-sw / 2 + 3, -sh / 2 + i * sh / 4.5), QPointF(sw / 2 - 3, -sh / 2 + i * sh / 4.5));
    p.restore();
}

BusySign::BusySign(QWidget *panel, Animate *animation, int delayMs, std::function<qint64()> clock)
    : m_panel(panel), m_animation(animation), m_delay(delayMs), m_clock(std::move(clock))
{
    if (!m_clock) {
        m_timer.start();
        m_clock = [this] { return m_timer.elapsed(); };
    }
    tick();
}

BusySign::~BusySign()
{
    if (!m_shown)
        return;
    if (m_animation) {
        m_animation->stop();
        m_animation->hide();
    }
    if (m_panel)
        m_panel->hide();
}

void BusySign::tick()
{
    const qint64 now = m_clock();
    if (!m_shown) {
        if (now < m_delay)
            return;
        m_shown = true;
        m_lastFrame = now;
        if (m_panel) {
            m_panel->show();
            m_panel->raise();
        }
        if (m_animation) {
            m_animation->show();
            m_animation->start();
        }
        // The job holds the event loop: paint now.
        if (m_panel)
            m_panel->repaint();
        return;
    }
    if (!m_animation || now - m_lastFrame < kFrameMs)
        return;
    m_lastFrame = now;
    m_animation->advance();
    m_animation->repaint();
}

} // namespace pf::ui
