#include "platform/ui/ClickLabel.h"

#include "platform/ui/Colors.h"

#include <QFontMetrics>
#include <QMouseEvent>

#include <algorithm>

namespace pf::ui {

ClickLabel::ClickLabel(QWidget *parent) : QLabel(parent)
{
    setMouseTracking(true);
}

ClickLabel::ClickLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setMouseTracking(true);
}

void ClickLabel::setHandCursor(bool on)
{
    m_hand = on;
    if (on)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void ClickLabel::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton) {
        m_pressed = true;
        e->accept();
        return;
    }
    QLabel::mousePressEvent(e);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        e->accept();
        if (rect().contains(e->position().toPoint()))
            Q_EMIT clicked();
        return;
    }
    QLabel::mouseReleaseEvent(e);
}

void ClickLabel::mouseMoveEvent(QMouseEvent *e)
{
    Q_EMIT mouseMoved();
    QLabel::mouseMoveEvent(e);
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton) {
        Q_EMIT doubleClicked();
        e->accept();
        return;
    }
    QLabel::mouseDoubleClickEvent(e);
}

void ClickLabel::leaveEvent(QEvent *e)
{
    Q_EMIT mouseLeft();
    QLabel::leaveEvent(e);
}

HoverGroup::HoverGroup(ColorGetter restColor, QObject *parent) : QObject(parent), m_restColor(std::move(restColor)) {}

HoverGroup::HoverGroup(const QList<ClickLabel *> &labels, ColorGetter restColor, QObject *parent)
    : HoverGroup(std::move(restColor), parent)
{
    for (ClickLabel *l : labels)
        add(l);
}

void HoverGroup::add(ClickLabel *label)
{
    if (!label || m_tops.contains(label))
        return;
    m_labels.append(label);
    m_tops.insert(label, label->y());
    connect(label, &ClickLabel::mouseMoved, this, [this, label] { hover(label); });
    connect(label, &ClickLabel::mouseLeft, this, [this, label] { leave(label); });
    connect(label, &QObject::destroyed, this, [this, label] {
        m_tops.remove(label);
        // The label is only a QObject by now: drop it without touching it.
        m_labels.removeIf([](const QPointer<ClickLabel> &p) { return p.isNull(); });
    });
}

void HoverGroup::setRestingTop(ClickLabel *label, int top)
{
    if (m_tops.contains(label))
        m_tops[label] = top;
}

int HoverGroup::restingTop(ClickLabel *label) const
{
    return m_tops.value(label, label ? label->y() : 0);
}

QList<ClickLabel *> HoverGroup::labels() const
{
    QList<ClickLabel *> out;
    for (const auto &l : m_labels)
        if (l)
            out.append(l);
    return out;
}

void HoverGroup::rest(ClickLabel *label)
{
    setTextColor(label, m_restColor ? m_restColor() : QColor(Qt::black));
    label->move(label->x(), restingTop(label));
}

void HoverGroup::hover(ClickLabel *label)
{
    for (const auto &l : m_labels) {
        if (!l || l == label)
            continue;
        rest(l);
    }
    if (!label || !m_tops.contains(label))
        return;
    setTextColor(label, hoverColor());
    label->move(label->x(), restingTop(label) + 1);
}

void HoverGroup::leave(ClickLabel *label)
{
    if (label && m_tops.contains(label))
        rest(label);
}

void HoverGroup::restoreAll()
{
    for (const auto &l : m_labels)
        if (l)
            rest(l);
}

void setFittedText(QLabel *label, const QString &text)
{
    const int room = label->contentsRect().width() - 2 * label->margin() - 2 * std::max(0, label->indent());
    const QFontMetrics fm(label->font());
    if (room <= 0 || fm.horizontalAdvance(text) <= room) {
        label->setText(text);
        label->setToolTip(QString());
        return;
    }
    // Cut at the end of its reading (its left, for a Persian text).
    label->setText(fm.elidedText(text, Qt::ElideRight, room));
    label->setToolTip(text);
}

} // namespace pf::ui
