#include "platform/ui/Keys.h"

#include "platform/common/Numbers.h"
#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QValidator>
#include <QWidget>

#include <algorithm>

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

// Whether a whole text is one the filter could have let through: only the
// accepted characters, a point at most once, a minus sign at most once and
// (unless it may stand anywhere) at either end, and no more whole digits
// than a number shown without an exponent has.
bool numberTextAllowed(const QString &text, NumberChars extra)
{
    constexpr int kMaxWholeDigits = 15;
    int points = 0, minuses = 0, wholeDigits = 0;
    bool leadingZeros = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!numberCharAllowed(c, extra) || c == QChar(8) || c == QChar(13) || c == QChar(27))
            return false;
        if (c == QLatin1Char('.') && ++points > 1)
            return false;
        if (c == QLatin1Char('-')) {
            if (++minuses > 1)
                return false;
            if (!extra.testFlag(NumberChar::MinusAnywhere) && i != 0 && i != text.size() - 1)
                return false;
        }
        if (points == 0 && c.isDigit() && !(leadingZeros && c.digitValue() == 0)) {
            leadingZeros = false;
            ++wholeDigits;
        }
    }
    if (extra.testFlag(NumberChar::Slash))
        return true;
    if (wholeDigits > kMaxWholeDigits)
        return false;
    // A text with digits must be a number the box can hold and show again:
    // not one that rounds to 1E15 ("999999999999999.9"), nor one so small
    // that it becomes 0 ("." and 330 zeros and a 1).
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }))
        return true;
    double v = 0;
    return pf::strToFloat(pf::minusToFront(pf::latinDigits(text)), &v) && pf::showsAsTyped(v);
}

// A key types nothing in a line edit: its text is empty or control
// characters only (Delete...), or it is pressed with Ctrl (and perhaps
// Shift), which a line edit takes as a shortcut (Ctrl+A, Ctrl+Z...), never
// as text.
bool typesNothing(const QKeyEvent *k)
{
    const Qt::KeyboardModifiers mods = k->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier))
        return true;
    const QString text = k->text();
    return std::none_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
}

// The text of the edit once `insert` replaces its selection (or goes in at
// the cursor).
QString textAfterInsert(const QLineEdit *edit, const QString &insert)
{
    QString t = edit->text();
    int at = edit->cursorPosition();
    if (edit->hasSelectedText()) {
        at = edit->selectionStart();
        t.remove(at, edit->selectedText().size());
    }
    return t.insert(at, insert);
}

// Format marks (the zero-width joiners, the direction marks and embeddings,
// the byte-order mark) carry no meaning in a number and would only hide in
// the box between its digits.
bool formatMark(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x200B && u <= 0x200F) || (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069)
        || u == 0xFEFF;
}

// Typed, pasted or dropped text as a number box takes it: Persian and
// Arabic-Indic digits as 0-9, format marks left out, and in a box that takes
// a point the Persian (Arabic) decimal separator as the point.
QString numberInput(const QString &text, NumberChars extra)
{
    QString t = pf::latinDigits(text);
    t.removeIf(formatMark);
    if (extra.testFlag(NumberChar::Point))
        t.replace(QChar(0x066B), QLatin1Char('.'));
    return t;
}

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

class OneLine : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override
    {
        const QString before = input.left(pos);
        input = oneLine(input);
        pos = int(oneLine(before).size());
        return Acceptable;
    }
};

class NumberFilter : public QObject {
public:
    NumberFilter(QWidget *edit, NumberChars extra, const QString &refusal, int maxChars)
        : QObject(edit), m_extra(extra), m_refusal(refusal), m_maxChars(maxChars)
    {
        setObjectName(QLatin1String(kObjectName));
        edit->installEventFilter(this);
    }
    static constexpr const char *kObjectName = "pf_ui_numberFilter";

    // Pastes the clipboard's text when the text it makes is one the filter
    // accepts; otherwise the refusal is shown and nothing changes.
    void paste(QLineEdit *edit) const
    {
        if (edit->isReadOnly())
            return;
        const QString pasted = numberInput(QGuiApplication::clipboard()->text(), m_extra);
        if (pasted.isEmpty())
            return;
        const QString after = textAfterInsert(edit, pasted);
        if (!accepts(after) || !fits(edit, after)) {
            refuse(edit);
            return;
        }
        edit->insert(pasted);
    }

    QString refusal() const { return m_refusal; }

protected:
    bool eventFilter(QObject *obj, QEvent *ev) override
    {
        auto *line = qobject_cast<QLineEdit *>(obj);
        switch (ev->type()) {
        case QEvent::KeyPress:
            return keyPress(obj, line, static_cast<QKeyEvent *>(ev));
        case QEvent::ContextMenu:
            if (!line)
                return false;
            contextMenu(line, static_cast<QContextMenuEvent *>(ev));
            return true;
        case QEvent::Drop:
            return line && drop(line, static_cast<QDropEvent *>(ev));
        default:
            return false;
        }
    }

private:
    bool accepts(const QString &text) const { return numberTextAllowed(text, m_extra); }
    // No longer than the box takes, or than what it holds (the program may
    // have put a longer text there).
    bool fits(const QLineEdit *line, const QString &text) const
    {
        int limit = line->maxLength();
        if (m_maxChars > 0)
            limit = std::min(limit, m_maxChars);
        return text.size() <= limit || text.size() <= line->text().size();
    }
    void refuse(QObject *obj) const { showMessage(m_refusal, qobject_cast<QWidget *>(obj)); }

    bool keyPress(QObject *obj, QLineEdit *line, QKeyEvent *k) const
    {
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
        if (line && k->matches(QKeySequence::Paste)) {
            paste(line);
            return true;
        }
        const QString typed = k->text();
        const QString text = numberInput(typed, m_extra);
        // A format mark goes nowhere, without a word (the line edit would
        // take it, even with Ctrl).
        if (text.isEmpty() && !typed.isEmpty() && std::any_of(typed.begin(), typed.end(), formatMark))
            return true;
        // Keys that type nothing, the line edit's own shortcuts among them,
        // do what they do in any line edit.
        if (typesNothing(k))
            return false;
        for (QChar c : text) {
            if (!numberCharAllowed(c, m_extra)) {
                refuse(obj);
                return true;
            }
        }
        if (!line)
            return false;
        // A key that makes the text no number in the making (a second point,
        // a minus sign between the digits), or a character more than the box
        // takes, is refused like any other. A text the program put there
        // that the filter would not take can still be typed into, only not
        // with a point or a sign.
        const QString after = textAfterInsert(line, text);
        const bool sign = text.contains(QLatin1Char('.')) || text.contains(QLatin1Char('-'));
        if ((!accepts(after) && (sign || accepts(line->text()))) || (!line->isReadOnly() && !fits(line, after))) {
            refuse(obj);
            return true;
        }
        // Persian and Arabic-Indic digits go in as the digits 0-9, the
        // decimal separator as the point.
        if (text != typed) {
            if (!line->isReadOnly())
                line->insert(text);
            return true;
        }
        return false;
    }

    // The edit's own menu, its Paste going through the filter.
    void contextMenu(QLineEdit *line, QContextMenuEvent *e) const
    {
        QMenu *menu = line->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        const QString pasteText = QCoreApplication::translate("QLineEdit", "&Paste");
        for (QAction *a : menu->actions()) {
            if (a->text().section(QLatin1Char('\t'), 0, 0) != pasteText)
                continue;
            QObject::disconnect(a, &QAction::triggered, nullptr, nullptr);
            connect(a, &QAction::triggered, line, [this, line] { paste(line); });
        }
        menu->popup(e->globalPos());
    }

    bool drop(QLineEdit *line, QDropEvent *e) const
    {
        if (line->isReadOnly() || !e->mimeData()->hasText())
            return false;
        QString text = line->text();
        int at = line->cursorPositionAt(e->position().toPoint());
        if (e->source() == line && e->dropAction() == Qt::MoveAction && line->hasSelectedText()) {
            // Moved within the edit: the selection leaves its place first.
            const int start = line->selectionStart();
            const int n = int(line->selectedText().size());
            text.remove(start, n);
            if (at > start)
                at = std::max(start, at - n);
        }
        const QString dropped = e->mimeData()->text();
        const QString latin = numberInput(dropped, m_extra);
        text.insert(at, latin);
        if (accepts(text) && fits(line, text)) {
            if (latin == dropped)
                return false;
            // Persian digits dropped from elsewhere go in as 0-9.
            line->setCursorPosition(at);
            line->insert(latin);
            e->setDropAction(Qt::CopyAction);
            e->accept();
            return true;
        }
        e->setDropAction(Qt::IgnoreAction);
        e->ignore();
        refuse(line);
        return true;
    }

    NumberChars m_extra;
    QString m_refusal;
    int m_maxChars;
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

namespace {
constexpr const char *kMinusAfterDigits = "pf_ui_minusAfterDigits";
}

void showMinusAfterDigits(QLineEdit *edit)
{
    if (!edit || edit->property(kMinusAfterDigits).toBool())
        return;
    edit->setProperty(kMinusAfterDigits, true);
    QObject::connect(edit, &QLineEdit::editingFinished, edit, [edit] {
        const QString shown = pf::minusToEnd(edit->text());
        if (shown != edit->text())
            edit->setText(shown);
    });
}

QString numberText(const QLineEdit *edit)
{
    if (!edit)
        return QString();
    const QString text = pf::latinDigits(edit->text());
    return edit->property(kMinusAfterDigits).toBool() || text.endsWith(QLatin1Char('-')) ? pf::minusToFront(text)
                                                                                          : text;
}

QString oneLine(const QString &text)
{
    const auto breaks = [](QChar c) {
        const char16_t u = c.unicode();
        return u == u'\n' || u == u'\r' || u == u'\t' || u == u'\v' || u == u'\f' || u == 0x0085 || u == 0x2028
            || u == 0x2029;
    };
    if (std::none_of(text.begin(), text.end(), breaks))
        return text;
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar &c : t)
        if (breaks(c))
            c = QLatin1Char(' ');
    return t;
}

void keepOnOneLine(QLineEdit *edit)
{
    if (edit)
        edit->setValidator(new OneLine(edit));
}

bool isEnterKey(const QKeyEvent *key)
{
    return key && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter);
}

bool numberCharAllowed(QChar c, NumberChars extra)
{
    c = pf::latinDigits(QString(c)).front();
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return true;
    if (c == QLatin1Char('.') && extra.testFlag(NumberChar::Point))
        return true;
    if (c == QLatin1Char('-') && (extra.testFlag(NumberChar::Minus) || extra.testFlag(NumberChar::MinusAnywhere)))
        return true;
    if (c == QLatin1Char('/') && extra.testFlag(NumberChar::Slash))
        return true;
    // Backspace, Enter and Esc as characters.
    return c == QChar(8) || c == QChar(13) || c == QChar(27);
}

QString boxRefusal(const QWidget *edit)
{
    if (!edit)
        return QString();
    // The filter is the box's child of that name (installNumberFilter).
    QObject *filter = edit->findChild<QObject *>(QLatin1String(NumberFilter::kObjectName), Qt::FindDirectChildrenOnly);
    return filter ? static_cast<NumberFilter *>(filter)->refusal() : QString();
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
    // A box has one filter: a new one replaces it.
    for (QObject *old : edit->findChildren<QObject *>(QLatin1String(NumberFilter::kObjectName), Qt::FindDirectChildrenOnly))
        delete old;
    if (maxChars > 0)
        if (auto *line = qobject_cast<QLineEdit *>(edit))
            line->setValidator(new LengthLimit(line, maxChars));
    return new NumberFilter(edit, extra, refusal, maxChars);
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
