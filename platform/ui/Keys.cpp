#include "platform/ui/Keys.h"

#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QValidator>
#include <QWidget>

namespace pf::ui {

namespace {

// Sees key presses on their way to any widget of the form. Qt offers an
// unaccepted key press to the parents of its receiver one by one; those
// later offers of the same press are recognised and not handled twice.
class KeyPreview : public QObject {
public:
    KeyPreview(QWidget *form, KeyHandler handler) : QObject(form), m_form(form), m_handler(std::move(handler))
    {
        qApp->installEventFilter(this);
    }
    ~KeyPreview() override
    {
        if (qApp)
            qApp->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject *obj, QEvent *ev) override
    {
        const QEvent::Type t = ev->type();
        if (t == QEvent::KeyRelease || t == QEvent::ShortcutOverride) {
            m_pending = nullptr;
            m_pendingReceiver = nullptr;
            return false;
        }
        if (t != QEvent::KeyPress || !obj->isWidgetType() || !m_form)
            return false;
        auto *w = static_cast<QWidget *>(obj);
        if (w != m_form && !m_form->isAncestorOf(w))
            return false;
        if (ev == m_pending && m_pendingReceiver && m_pendingReceiver->parentWidget() == w) {
            // The same press handed on to the parent: already seen.
            m_pendingReceiver = w;
            return false;
        }
        m_pending = ev;
        m_pendingReceiver = w;
        if (!m_handler)
            return false;
        if (m_handler(static_cast<QKeyEvent *>(ev))) {
            m_pending = nullptr;
            m_pendingReceiver = nullptr;
            return true;
        }
        return false;
    }

private:
    QPointer<QWidget> m_form;
    KeyHandler m_handler;
    const QEvent *m_pending = nullptr;
    QPointer<QWidget> m_pendingReceiver;
};

class NumberFilter : public QObject {
public:
    NumberFilter(QWidget *edit, NumberChars extra, const QString &refusal)
        : QObject(edit), m_extra(extra), m_refusal(refusal)
    {
        edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *obj, QEvent *ev) override
    {
        if (ev->type() != QEvent::KeyPress)
            return false;
        auto *k = static_cast<QKeyEvent *>(ev);
        switch (k->key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return false;
        default:
            break;
        }
        const QString text = k->text();
        if (text.isEmpty())
            return false; // a key that types nothing
        for (QChar c : text) {
            if (!numberCharAllowed(c, m_extra)) {
                showMessage(m_refusal, qobject_cast<QWidget *>(obj));
                return true;
            }
        }
        return false;
    }

private:
    NumberChars m_extra;
    QString m_refusal;
};

// Refuses a text longer than the limit unless it is no longer than the
// text before (so a longer text set by the program can be shortened).
class LengthLimit : public QValidator {
public:
    LengthLimit(QLineEdit *edit, int maxChars) : QValidator(edit), m_max(maxChars), m_last(int(edit->text().size()))
    {
        connect(edit, &QLineEdit::textChanged, this, [this](const QString &t) { m_last = int(t.size()); });
    }
    State validate(QString &input, int &) const override
    {
        const int n = int(input.size());
        return n > m_max && n > m_last ? Invalid : Acceptable;
    }

private:
    int m_max;
    int m_last;
};

class EnterChain : public QObject {
public:
    EnterChain(const QList<QWidget *> &chain, bool wrap) : QObject(chain.first()), m_wrap(wrap)
    {
        for (QWidget *w : chain) {
            m_chain.append(w);
            if (w)
                w->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject *obj, QEvent *ev) override
    {
        if (ev->type() != QEvent::KeyPress || !isEnterKey(static_cast<QKeyEvent *>(ev)))
            return false;
        int at = -1;
        for (int i = 0; i < m_chain.size(); ++i)
            if (m_chain[i] == obj) {
                at = i;
                break;
            }
        if (at < 0)
            return false;
        const int n = int(m_chain.size());
        for (int step = 1; step < n; ++step) {
            const int i = at + step;
            if (i >= n && !m_wrap)
                break;
            QWidget *next = m_chain[i % n];
            if (next && next->isEnabled() && next->isVisibleTo(next->window())) {
                next->setFocus(Qt::TabFocusReason);
                break;
            }
        }
        return true;
    }

private:
    QList<QPointer<QWidget>> m_chain;
    bool m_wrap;
};

class EnterHandler : public QObject {
public:
    EnterHandler(QWidget *w, std::function<void()> fn) : QObject(w), m_fn(std::move(fn)) { w->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *ev) override
    {
        if (ev->type() != QEvent::KeyPress || !isEnterKey(static_cast<QKeyEvent *>(ev)))
            return false;
        if (m_fn)
            m_fn();
        return true;
    }

private:
    std::function<void()> m_fn;
};

} // namespace

bool isEnterKey(const QKeyEvent *key)
{
    return key && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter);
}

bool numberCharAllowed(QChar c, NumberChars extra)
{
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return true;
    if (c == QLatin1Char('.') && extra.testFlag(NumberChar::Point))
        return true;
    if (c == QLatin1Char('-') && extra.testFlag(NumberChar::Minus))
        return true;
    if (c == QLatin1Char('/') && extra.testFlag(NumberChar::Slash))
        return true;
    // Backspace, Enter and Esc as characters.
    return c == QChar(8) || c == QChar(13) || c == QChar(27);
}

QObject *installKeyPreview(QWidget *form, KeyHandler handler)
{
    if (!form)
        return nullptr;
    return new KeyPreview(form, std::move(handler));
}

QObject *installNumberFilter(QWidget *edit, NumberChars extra, const QString &refusal, int maxChars)
{
    if (!edit)
        return nullptr;
    if (maxChars > 0)
        if (auto *line = qobject_cast<QLineEdit *>(edit))
            line->setValidator(new LengthLimit(line, maxChars));
    return new NumberFilter(edit, extra, refusal);
}

QObject *installEnterChain(const QList<QWidget *> &chain, bool wrap)
{
    if (chain.isEmpty() || !chain.first())
        return nullptr;
    return new EnterChain(chain, wrap);
}

QObject *onEnter(QWidget *widget, std::function<void()> handler)
{
    if (!widget)
        return nullptr;
    return new EnterHandler(widget, std::move(handler));
}

} // namespace pf::ui
