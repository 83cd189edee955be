#include "platform/ui/TextDirection.h"

#include "platform/ui/Dialogs.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/ShortcutUnderline.h"
#include "platform/ui/TextRuns.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>
#include <QStyleOptionViewItem>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace pf::ui {

namespace {

bool isMark(QChar c)
{
    switch (c.direction()) {
    case QChar::DirON: // brackets, "!", "«", "%" ...
    case QChar::DirCS: // ":", ",", ".", "/"
    case QChar::DirES: // "-", "+"
    case QChar::DirET: // "#", "$", "°"
        return true;
    default:
        return false;
    }
}

struct Letters {
    bool persian = false;
    bool latin = false;
};

// Whether the text has Persian letters and, when it has none, whether it has
// Latin ones (the first Persian letter ends the search).
Letters lettersOf(const QString &text)
{
    Letters l;
    for (QChar c : text) {
        if (isPersianLetter(c)) {
            l.persian = true;
            break;
        }
        if (c.direction() == QChar::DirL)
            l.latin = true;
    }
    return l;
}

Qt::LayoutDirection definite(Qt::LayoutDirection d)
{
    return d == Qt::LayoutDirectionAuto ? QGuiApplication::layoutDirection() : d;
}

int forced(Qt::LayoutDirection d)
{
    return d == Qt::RightToLeft ? Qt::TextForceRightToLeft : Qt::TextForceLeftToRight;
}

Qt::LayoutDirection directionOf(int flags)
{
    return flags & Qt::TextForceRightToLeft ? Qt::RightToLeft : Qt::LeftToRight;
}

// The text without the "&" of its mnemonic, as it shows.
QString shownText(const QString &text, int flags)
{
    if (!(flags & (Qt::TextShowMnemonic | Qt::TextHideMnemonic)) || !text.contains(QLatin1Char('&')))
        return text;
    return withoutMnemonic(text);
}

// The text as an embedding of its own direction inside a paragraph of the
// other: its letters and marks take the order of a paragraph of its own.
QString embedded(const QString &text, Qt::LayoutDirection d)
{
    const QChar open = d == Qt::LeftToRight ? QChar(0x202A) : QChar(0x202B); // LRE, RLE
    return open + text + QChar(0x202C);                                       // PDF
}

constexpr QChar kLeftToRightMark(0x200E);
constexpr QChar kRightToLeftMark(0x200F);

// ---------------------------------------------------------------- reading order

// How a character takes part in the order of a left-to-right paragraph, by
// the bidirectional algorithm for a paragraph without explicit embeddings.
enum class Kind : quint8 { L, R, AL, EN, AN, ES, ET, CS, NSM, Neutral, Format };

Kind kindOf(QChar c)
{
    switch (c.direction()) {
    case QChar::DirL: return Kind::L;
    case QChar::DirR: return Kind::R;
    case QChar::DirAL: return Kind::AL;
    case QChar::DirEN: return Kind::EN;
    case QChar::DirAN: return Kind::AN;
    case QChar::DirES: return Kind::ES;
    case QChar::DirET: return Kind::ET;
    case QChar::DirCS: return Kind::CS;
    case QChar::DirNSM: return Kind::NSM;
    case QChar::DirBN:
    case QChar::DirLRE:
    case QChar::DirLRO:
    case QChar::DirRLE:
    case QChar::DirRLO:
    case QChar::DirPDF:
    case QChar::DirLRI:
    case QChar::DirRLI:
    case QChar::DirFSI:
    case QChar::DirPDI: return Kind::Format;
    default: return Kind::Neutral;
    }
}

// Characters that only steer the order: a reading-order text does without
// them (a joiner or non-joiner stays: it shapes its word).
bool steersOnly(QChar c)
{
    switch (c.direction()) {
    case QChar::DirLRE:
    case QChar::DirLRO:
    case QChar::DirRLE:
    case QChar::DirRLO:
    case QChar::DirPDF:
    case QChar::DirLRI:
    case QChar::DirRLI:
    case QChar::DirFSI:
    case QChar::DirPDI: return true;
    default: return c == kLeftToRightMark || c == kRightToLeftMark;
    }
}

struct Resolved {
    QVector<int> level;   // 0 left to right, 1 right to left, 2 a number among right-to-left words
    QVector<bool> strong; // a letter or a digit that reads left to right
};

// The levels of the characters in a left-to-right paragraph.
Resolved resolveLeftToRight(const QString &text)
{
    const qsizetype n = text.size();
    QVector<Kind> k(n);
    for (qsizetype i = 0; i < n; ++i) {
        k[i] = kindOf(text[i]);
        // A mark over a letter, or a joiner, goes with what stands before.
        if (k[i] == Kind::NSM || k[i] == Kind::Format)
            k[i] = i > 0 ? k[i - 1] : Kind::Neutral;
    }
    // Digits after Arabic letters are Arabic numbers; those letters are
    // right to left.
    Kind lastStrong = Kind::L;
    for (qsizetype i = 0; i < n; ++i) {
        if (k[i] == Kind::L || k[i] == Kind::R || k[i] == Kind::AL)
            lastStrong = k[i];
        else if (k[i] == Kind::EN && lastStrong == Kind::AL)
            k[i] = Kind::AN;
    }
    for (Kind &x : k)
        if (x == Kind::AL)
            x = Kind::R;
    // A separator between two digits of a number joins it; terminators
    // next to digits belong to the number.
    for (qsizetype i = 1; i + 1 < n; ++i) {
        if (k[i] == Kind::ES && k[i - 1] == Kind::EN && k[i + 1] == Kind::EN)
            k[i] = Kind::EN;
        else if (k[i] == Kind::CS && (k[i - 1] == Kind::EN || k[i - 1] == Kind::AN) && k[i + 1] == k[i - 1])
            k[i] = k[i - 1];
    }
    for (qsizetype i = 0; i < n; ++i) {
        if (k[i] != Kind::ET)
            continue;
        qsizetype j = i;
        while (j < n && k[j] == Kind::ET)
            ++j;
        if ((i > 0 && k[i - 1] == Kind::EN) || (j < n && k[j] == Kind::EN))
            for (qsizetype m = i; m < j; ++m)
                k[m] = Kind::EN;
        i = j - 1;
    }
    for (Kind &x : k)
        if (x == Kind::ES || x == Kind::ET || x == Kind::CS)
            x = Kind::Neutral;
    // European digits after Latin letters, or at the start, read left to right.
    lastStrong = Kind::L;
    for (Kind &x : k) {
        if (x == Kind::L || x == Kind::R)
            lastStrong = x;
        else if (x == Kind::EN && lastStrong == Kind::L)
            x = Kind::L;
    }
    Resolved r;
    r.strong.resize(n);
    for (qsizetype i = 0; i < n; ++i)
        r.strong[i] = k[i] == Kind::L && !steersOnly(text[i]);
    // Marks and blanks between two runs of one direction take it; others
    // that of the paragraph.
    auto side = [](Kind x) { return x == Kind::L ? Kind::L : Kind::R; };
    for (qsizetype i = 0; i < n; ++i) {
        if (k[i] != Kind::Neutral)
            continue;
        qsizetype j = i;
        while (j < n && k[j] == Kind::Neutral)
            ++j;
        const Kind before = i > 0 ? side(k[i - 1]) : Kind::L;
        const Kind after = j < n ? side(k[j]) : Kind::L;
        for (qsizetype m = i; m < j; ++m)
            k[m] = before == after ? before : Kind::L;
        i = j - 1;
    }
    r.level.resize(n);
    for (qsizetype i = 0; i < n; ++i)
        r.level[i] = k[i] == Kind::L ? 0 : k[i] == Kind::R ? 1 : 2;
    return r;
}

// The text as a left-to-right paragraph shows it, given again in the order
// a right-to-left reader meets it.
QString leftToRightInReadingOrder(const QString &text)
{
    const qsizetype n = text.size();
    const Resolved r = resolveLeftToRight(text);
    // The characters from left to right as they show.
    QVector<qsizetype> shown(n);
    for (qsizetype i = 0; i < n; ++i)
        shown[i] = i;
    for (int level = 2; level >= 1; --level)
        for (qsizetype i = 0; i < n; ++i) {
            if (r.level[shown[i]] < level)
                continue;
            qsizetype j = i;
            while (j < n && r.level[shown[j]] >= level)
                ++j;
            std::reverse(shown.begin() + i, shown.begin() + j);
            i = j;
        }
    QString out;
    out.reserve(n + 4);
    auto put = [&out](QChar c) {
        if (!steersOnly(c))
            out += c;
    };
    // From the right: a right-to-left reader's order.
    for (qsizetype k = n - 1; k >= 0;) {
        const int level = r.level[shown[k]];
        qsizetype j = k;
        while (j >= 0 && (level == 1 ? j == k : r.level[shown[j]] == level))
            --j;
        if (level == 1) {
            put(text[shown[k]]);
        } else if (level == 2) {
            // A number keeps its digits' order.
            for (qsizetype m = j + 1; m <= k; ++m)
                put(text[shown[m]]);
        } else {
            bool latin = false;
            for (qsizetype m = j + 1; m <= k && !latin; ++m)
                latin = r.strong[shown[m]];
            if (latin) {
                // Latin words with their marks, left to right as they were.
                out += QChar(0x202A);
                for (qsizetype m = j + 1; m <= k; ++m)
                    put(text[shown[m]]);
                out += QChar(0x202C);
            } else {
                // Marks and blanks alone: met from the right, each bracket
                // turned, as a right-to-left paragraph mirrors it back.
                for (qsizetype m = k; m > j; --m)
                    put(text[shown[m]].mirroredChar());
            }
        }
        k = j;
    }
    return out;
}

// Whether the first letter of the text (or an embedding's direction) is
// Persian, as a text document finds its paragraph's direction.
bool startsRightToLeft(const QString &text)
{
    for (QChar c : text) {
        switch (c.direction()) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirRLE:
        case QChar::DirRLO:
            return true;
        case QChar::DirL:
        case QChar::DirLRE:
        case QChar::DirLRO:
            return false;
        default:
            break;
        }
    }
    return false;
}

const QWidget *widgetPainted(const QPainter *painter)
{
    QPaintDevice *device = painter ? painter->device() : nullptr;
    return device && device->devType() == QInternal::Widget ? static_cast<QWidget *>(device) : nullptr;
}

constexpr int kDirectionFlags = Qt::TextForceLeftToRight | Qt::TextForceRightToLeft;

// The flags a text drawn through the style is drawn with. A QLabel reads its
// alignment in the direction of its text's first letter; a label with
// Persian letters, or none, is aligned as its own direction reads its
// alignment instead, as the other texts of its page. Other widgets pass
// alignments their style has already read in their direction.
int laidOutFlags(const QPainter *painter, int flags, const QString &text)
{
    const QString shown = shownText(text, flags);
    const QLabel *label = qobject_cast<const QLabel *>(widgetPainted(painter));
    const Qt::LayoutDirection surrounding =
        definite(label ? label->layoutDirection() : painter ? painter->layoutDirection() : Qt::LayoutDirectionAuto);
    const Qt::LayoutDirection drawn = (flags & Qt::TextForceLeftToRight)   ? Qt::LeftToRight
                                      : (flags & Qt::TextForceRightToLeft) ? Qt::RightToLeft
                                                                           : surrounding;
    const Letters letters = lettersOf(shown);
    Qt::Alignment align;
    if (label && (letters.persian || !letters.latin))
        align = QStyle::visualAlignment(surrounding, label->alignment());
    else
        align = QStyle::visualAlignment(drawn, Qt::Alignment(flags));
    return (flags & ~(Qt::AlignHorizontal_Mask | kDirectionFlags)) | int(align & Qt::AlignHorizontal_Mask) |
           forced(textDirection(shown, surrounding));
}

// ---------------------------------------------------------------- legible when disabled

double luminance(const QColor &c)
{
    auto channel = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Below this contrast a disabled text in the thin strokes of the Persian
// faces cannot be read; grey 128 on the grey window (192) stands at about
// 2.2, the grey 77 it is then drawn in at about 4.6.
constexpr double kLegible = 3.0;

// What shows behind a widget: its own colour when it fills its background,
// else that of the first parent that does.
QColor backgroundOf(const QWidget *w)
{
    while (w && !w->autoFillBackground() && !w->isWindow() && w->parentWidget())
        w = w->parentWidget();
    return w ? w->palette().color(QPalette::Window) : QColor(Qt::white);
}

// A disabled text that would vanish into its background is drawn three
// fifths of the way from the background to black (to white on a dark
// background) instead: still plainly disabled, never unreadable.
void keepLegible(QPalette &pal, QPalette::ColorRole text, const QColor &background)
{
    const QPalette::ColorGroup g = pal.currentColorGroup();
    if (contrast(pal.color(g, text), background) >= kLegible)
        return;
    const int toward = luminance(background) > 0.18 ? 0 : 255;
    auto mix = [toward](int from) { return (2 * from + 3 * toward) / 5; };
    pal.setColor(g, text, QColor(mix(background.red()), mix(background.green()), mix(background.blue())));
}

// ---------------------------------------------------------------- shortcut underlines

// An underline under one letter of a Persian word splits the word where its
// letters must join, so the underlines of the shortcuts show only while Alt
// is held (the shortcuts themselves always work).
bool g_altHeld = false;
// While the style underlines a shortcut itself, the control it draws is told
// to draw none.
bool g_underlining = false;
// While a push button's label with an icon is drawn right to left, the
// alignment it passes is already the one it shows (the text against the
// icon), not one to be mirrored again.
bool g_buttonBesideIcon = false;

struct Flagged {
    explicit Flagged(bool &flag) : m_flag(flag), m_was(flag) { flag = true; }
    ~Flagged() { m_flag = m_was; }
    Flagged(const Flagged &) = delete;
    Flagged &operator=(const Flagged &) = delete;

private:
    bool &m_flag;
    bool m_was;
};

void showUnderlines(bool on)
{
    if (g_altHeld == on)
        return;
    g_altHeld = on;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible())
            w->update();
    for (QWidget *w : QApplication::allWidgets())
        if (w->isVisible() && !w->isWindow())
            w->update();
}

// Watches the keys for Alt, and the windows as they are shown: Qt's own
// dialogs are readied once they are whole.
class AltWatcher : public QObject {
protected:
    bool eventFilter(QObject *obj, QEvent *ev) override
    {
        switch (ev->type()) {
        case QEvent::Show:
            if (obj->isWidgetType() && static_cast<QWidget *>(obj)->isWindow())
                preparePlatformDialog(static_cast<QWidget *>(obj));
            break;
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const auto *k = static_cast<QKeyEvent *>(ev);
            if (k->key() == Qt::Key_Alt)
                showUnderlines(ev->type() == QEvent::KeyPress);
            else if (!(k->modifiers() & Qt::AltModifier))
                showUnderlines(false);
            break;
        }
        case QEvent::ApplicationDeactivate:
        case QEvent::WindowDeactivate:
            showUnderlines(false);
            break;
        default:
            break;
        }
        return false;
    }
};

class DirectionStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_UnderlineShortcut)
            return g_altHeld && !g_underlining ? 1 : 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    void polish(QWidget *widget) override
    {
        QProxyStyle::polish(widget);
        preparePlatformDialog(widget);
    }
    using QProxyStyle::polish;

    void drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &pal, bool enabled,
                      const QString &text, QPalette::ColorRole textRole) const override
    {
        if (g_buttonBesideIcon)
            flags |= Qt::AlignAbsolute;
        int laid = laidOutFlags(painter, flags, text);
        QPalette legible(pal);
        if (!enabled && textRole != QPalette::NoRole) {
            const QWidget *w = widgetPainted(painter);
            keepLegible(legible, textRole, w ? backgroundOf(w) : pal.color(QPalette::Window));
        }
        const bool underlined = (laid & Qt::TextShowMnemonic) && !(laid & Qt::TextHideMnemonic) &&
                                text.contains(QLatin1Char('&'));
        if (!underlined) {
            const QString shown = text.contains(QLatin1Char('&')) ? text : laidOutText(text, directionOf(laid));
            QProxyStyle::drawItemText(painter, rect, laid, legible, enabled, shown, textRole);
            return;
        }
        // The caption whole, without its "&", then the underline under it.
        laid |= Qt::TextHideMnemonic;
        drawShortcutUnderlined(painter, text, [&](QPainter *p) {
            QProxyStyle::drawItemText(p, rect, laid, legible, enabled, text, textRole);
        });
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption *opt, const QSize &contents,
                           const QWidget *w) const override
    {
        QSize size = QProxyStyle::sizeFromContents(type, opt, contents, w);
        // Column titles hold the whole height of their face's letters.
        if (type == CT_HeaderSection && w && opt)
            size.rheight() += std::max(0, wholeLineHeight(w->font()) - opt->fontMetrics.height());
        return size;
    }

    // A cell's text is laid out in its own direction, embedded in the
    // view's, which keeps placing the cell's icon, check box and text.
    void drawControl(ControlElement element, const QStyleOption *opt, QPainter *p, const QWidget *w) const override
    {
        if (element == CE_MenuItem || element == CE_MenuBarItem) {
            drawMenuItem(element, opt, p, w);
            return;
        }
        if (element == CE_ComboBoxLabel) {
            drawComboLabel(opt, p, w);
            return;
        }
        if (element == CE_PushButtonLabel) {
            const auto *button = qstyleoption_cast<const QStyleOptionButton *>(opt);
            const bool besideIcon = button && !button->icon.isNull() && button->direction == Qt::RightToLeft;
            if (besideIcon) {
                Flagged flag(g_buttonBesideIcon);
                QProxyStyle::drawControl(element, opt, p, w);
                return;
            }
        }
        const auto *item = element == CE_ItemViewItem ? qstyleoption_cast<const QStyleOptionViewItem *>(opt) : nullptr;
        if (!item || item->text.isEmpty()) {
            QProxyStyle::drawControl(element, opt, p, w);
            return;
        }
        QStyleOptionViewItem laid(*item);
        const Qt::LayoutDirection own = definite(item->direction);
        const Qt::LayoutDirection d = textDirection(item->text, own);
        laid.text = laidOutText(item->text, d);
        if (d != own)
            laid.text = embedded(laid.text, d);
        if (!(item->state & State_Enabled)) {
            const bool selected = item->state & State_Selected;
            const QColor back = selected ? laid.palette.color(QPalette::Highlight)
                                : item->backgroundBrush.style() != Qt::NoBrush ? item->backgroundBrush.color()
                                                                               : laid.palette.color(QPalette::Base);
            keepLegible(laid.palette, selected ? QPalette::HighlightedText : QPalette::Text, back);
        }
        QProxyStyle::drawControl(element, &laid, p, w);
    }

private:
    // A closed combo box too narrow for its text shows the text's start, the
    // rest given as an ellipsis where it would read on.
    void drawComboLabel(const QStyleOption *opt, QPainter *p, const QWidget *w) const
    {
        const auto *box = qstyleoption_cast<const QStyleOptionComboBox *>(opt);
        if (!box || box->editable || box->currentText.isEmpty()) {
            QProxyStyle::drawControl(CE_ComboBoxLabel, opt, p, w);
            return;
        }
        QStyleOptionComboBox shown(*box);
        int room = subControlRect(CC_ComboBox, box, SC_ComboBoxEditField, w).width() - 2;
        if (!box->currentIcon.isNull())
            room -= box->iconSize.width() + 4;
        shown.currentText = box->fontMetrics.elidedText(box->currentText, Qt::ElideRight, std::max(room, 0));
        QProxyStyle::drawControl(CE_ComboBoxLabel, &shown, p, w);
    }

    // A menu item paints its caption itself; while Alt is held it is painted
    // whole and its shortcut underlined after.
    void drawMenuItem(ControlElement element, const QStyleOption *opt, QPainter *p, const QWidget *w) const
    {
        const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(opt);
        const QString caption = item ? item->text.section(QLatin1Char('\t'), 0, 0) : QString();
        if (item && !caption.contains(QLatin1Char('&'))) {
            // The items of a combo box's list among them: file filters.
            QStyleOptionMenuItem laid(*item);
            const Qt::LayoutDirection own = definite(item->direction);
            const Qt::LayoutDirection d = textDirection(caption, own);
            laid.text = laidOutText(caption, d);
            if (d != own)
                laid.text = embedded(laid.text, d);
            laid.text += item->text.mid(caption.size());
            QProxyStyle::drawControl(element, &laid, p, w);
            return;
        }
        if (!g_altHeld || g_underlining || shortcutPositions(caption).isEmpty()) {
            QProxyStyle::drawControl(element, opt, p, w);
            return;
        }
        Flagged flag(g_underlining);
        drawShortcutUnderlined(p, caption, [&](QPainter *q) { QProxyStyle::drawControl(element, opt, q, w); });
    }
};

} // namespace

QString withoutMnemonic(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

// A text without letters that reads as stored only left to right: a number
// with its sign in front ("-5"), or digits joined by a mark no number takes
// ("600*150").
static bool numbersReadLeftToRight(const QString &text)
{
    const QString t = text.trimmed();
    for (qsizetype i = 0; i + 1 < t.size(); ++i) {
        const bool sign = i == 0 && t[0].direction() == QChar::DirES;
        const bool joins = i > 0 && t[i].direction() == QChar::DirON && t[i - 1].isDigit();
        if ((sign || joins) && t[i + 1].isDigit())
            return true;
    }
    return false;
}

Qt::LayoutDirection textDirection(const QString &text, Qt::LayoutDirection surrounding)
{
    const Letters letters = lettersOf(text);
    if (!letters.persian)
        return letters.latin || numbersReadLeftToRight(text) ? Qt::LeftToRight : surrounding;
    qsizetype first = 0, last = text.size() - 1;
    while (first < last && text[first].isSpace())
        ++first;
    while (last > first && text[last].isSpace())
        --last;
    if (text[first] == kLeftToRightMark)
        return Qt::LeftToRight;
    return isMark(text[first]) && !isMark(text[last]) ? Qt::LeftToRight : Qt::RightToLeft;
}

QString inReadingOrder(const QString &text, Qt::LayoutDirection surrounding)
{
    surrounding = definite(surrounding);
    const Letters letters = lettersOf(text);
    if (!letters.persian && letters.latin)
        return text;
    QString out = text;
    if (letters.persian && textDirection(text, surrounding) == Qt::LeftToRight)
        out = leftToRightInReadingOrder(text);
    else if (!letters.persian && surrounding == Qt::LeftToRight)
        return text;
    if (!startsRightToLeft(out))
        out.prepend(kRightToLeftMark);
    return out;
}

int textFlags(const QString &text, Qt::Alignment alignment, Qt::LayoutDirection surrounding)
{
    surrounding = definite(surrounding);
    return int(QStyle::visualAlignment(surrounding, alignment)) | forced(textDirection(text, surrounding));
}

QTextOption textOption(const QString &text, Qt::Alignment alignment, Qt::LayoutDirection surrounding)
{
    surrounding = definite(surrounding);
    QTextOption option(QStyle::visualAlignment(surrounding, alignment));
    option.setTextDirection(textDirection(text, surrounding));
    return option;
}

bool shortcutUnderlinesShown() { return g_altHeld; }

void layOutByText(QLineEdit *edit)
{
    if (!edit)
        return;
    const Qt::LayoutDirection surrounding = definite(edit->layoutDirection());
    edit->setAlignment(QStyle::visualAlignment(surrounding, edit->alignment()));
    const auto follow = [edit, surrounding](const QString &text) {
        edit->setLayoutDirection(textDirection(text, surrounding));
    };
    QObject::connect(edit, &QLineEdit::textChanged, edit, follow);
    follow(edit->text());
}

void installTextStyle()
{
    static AltWatcher *watcher = nullptr;
    if (!watcher) {
        watcher = new AltWatcher;
        qApp->installEventFilter(watcher);
    }
    if (dynamic_cast<DirectionStyle *>(QApplication::style()))
        return;
    QApplication::setStyle(new DirectionStyle(QApplication::style()->name()));
}

} // namespace pf::ui
