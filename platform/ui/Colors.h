#pragma once
// Colours as the settings tables store them (0x00BBGGRR: the low byte is
// red) and the text and background colours of widgets.
#include <QColor>

class QWidget;

namespace pf::ui {

QColor winColor(qint32 stored);
qint32 toWinColor(const QColor &c);

// Text colour of a label, edit or panel (its foreground palette roles).
void setTextColor(QWidget *w, const QColor &c);
QColor textColor(const QWidget *w);
// Background colour (window and base roles), painted by the widget.
void setBackColor(QWidget *w, const QColor &c);

} // namespace pf::ui
