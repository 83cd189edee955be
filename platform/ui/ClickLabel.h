#pragma once
// Labels that serve as buttons (New, Edit, Save, Next page ...), the hover
// behaviour of a form's command labels, and a label's text cut to its width.
#include <QColor>
#include <QHash>
#include <QLabel>
#include <QList>
#include <QPointer>

#include <functional>

namespace pf::ui {

class ClickLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(bool handCursor READ handCursor WRITE setHandCursor)
public:
    explicit ClickLabel(QWidget *parent = nullptr);
    explicit ClickLabel(const QString &text, QWidget *parent = nullptr);

    void setHandCursor(bool on);
    bool handCursor() const { return m_hand; }

    // Performs a click from code (the handlers run as for the mouse).
    void click() { Q_EMIT clicked(); }

Q_SIGNALS:
    // Left button pressed and released over the label.
    void clicked();
    // The pointer moved over the label (no button needed).
    void mouseMoved();
    // The pointer left the label.
    void mouseLeft();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void leaveEvent(QEvent *e) override;

private:
    bool m_hand = false;
    bool m_pressed = false;
};

// The command labels of one form. The label under the pointer turns red
// (255) and sits one pixel below its resting top; every other label of the
// group, and a label the pointer leaves, takes the colour the getter gives
// (the text colour of the form's area) and its resting top.
class HoverGroup : public QObject {
    Q_OBJECT
public:
    using ColorGetter = std::function<QColor()>;

    explicit HoverGroup(ColorGetter restColor, QObject *parent = nullptr);
    HoverGroup(const QList<ClickLabel *> &labels, ColorGetter restColor, QObject *parent = nullptr);

    // Adds a label; its current top becomes its resting top.
    void add(ClickLabel *label);
    void setRestingTop(ClickLabel *label, int top);
    int restingTop(ClickLabel *label) const;
    QList<ClickLabel *> labels() const;

    static QColor hoverColor() { return QColor(255, 0, 0); }

    void hover(ClickLabel *label);
    void leave(ClickLabel *label);
    // Every label back to rest (colour and top).
    void restoreAll();

private:
    void rest(ClickLabel *label);

    ColorGetter m_restColor;
    QList<QPointer<ClickLabel>> m_labels;
    QHash<const ClickLabel *, int> m_tops;
};

// Shows the text in the label. A text wider than the label is cut where its
// reading ends, with an ellipsis, and shows whole on hover.
void setFittedText(QLabel *label, const QString &text);

} // namespace pf::ui
