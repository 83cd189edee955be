#include "platform/ui/Colors.h"

#include <QPalette>
#include <QWidget>

namespace pf::ui {

QColor winColor(qint32 stored)
{
    const quint32 v = quint32(stored);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

qint32 toWinColor(const QColor &c)
{
    return qint32(quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16));
}

void setTextColor(QWidget *w, const QColor &c)
{
    if (!w)
        return;
    // Active and inactive only: a disabled control keeps its greyed text.
    QPalette p = w->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(g, QPalette::WindowText, c);
        p.setColor(g, QPalette::Text, c);
        p.setColor(g, QPalette::ButtonText, c);
    }
    w->setPalette(p);
}

QColor textColor(const QWidget *w)
{
    return w ? w->palette().color(QPalette::WindowText) : QColor();
}

void setBackColor(QWidget *w, const QColor &c)
{
    if (!w)
        return;
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Button, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

} // namespace pf::ui
