#include "platform/ui/MainMenu.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyleOptionMenuItem>

namespace pf::ui {

QFont MenuLook::font()
{
    QFont f(QStringLiteral("Zar"));
    f.setBold(true);
    // The face is asked for by its line height: the largest pixel size whose
    // line fits in the cell.
    int px = cellHeight;
    f.setPixelSize(px);
    while (px > 6 && QFontMetrics(f).height() > cellHeight) {
        --px;
        f.setPixelSize(px);
    }
    return f;
}

void paintMenuItem(QPainter *p, const QRect &rect, const QString &caption, const QString &shortcut, bool selected,
                   bool enabled, bool rightToLeft)
{
    p->save();
    p->setRenderHint(QPainter::Antialiasing, false);
    p->fillRect(rect, MenuLook::background());
    QColor textColor = enabled ? MenuLook::text() : MenuLook::disabledText();
    if (selected) {
        p->fillRect(rect, MenuLook::highlight());
        p->setBrush(Qt::NoBrush);
        p->setPen(QPen(QColor(0, 0, 0), 1));
        p->drawRoundedRect(rect.adjusted(0, 0, -1, -1), 3, 3);
        if (enabled)
            textColor = MenuLook::selectedText();
    }
    p->setPen(textColor);
    p->setFont(MenuLook::font());
    p->setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    // Absolute alignment: the side is chosen here, not mirrored again.
    const int textFlags = Qt::AlignTop | Qt::AlignAbsolute | Qt::TextShowMnemonic | Qt::TextSingleLine;
    p->drawText(rect, textFlags | (rightToLeft ? Qt::AlignRight : Qt::AlignLeft), QStringLiteral(" ") + caption);
    if (!shortcut.isEmpty())
        p->drawText(rect, textFlags | (rightToLeft ? Qt::AlignLeft : Qt::AlignRight), shortcut);
    p->restore();
}

namespace {

void splitText(const QString &text, QString *caption, QString *shortcut)
{
    const int tab = int(text.indexOf(QLatin1Char('\t')));
    *caption = tab < 0 ? text : text.left(tab);
    *shortcut = tab < 0 ? QString() : text.mid(tab + 1);
}

bool isRtl(const QStyleOption *opt, const QWidget *w)
{
    if (w)
        return w->layoutDirection() == Qt::RightToLeft;
    return opt && opt->direction == Qt::RightToLeft;
}

const int kArrowRoom = 16;

} // namespace

OwnerDrawMenuStyle::OwnerDrawMenuStyle(QStyle *base) : QProxyStyle(base) {}

void OwnerDrawMenuStyle::drawControl(ControlElement element, const QStyleOption *opt, QPainter *p,
                                     const QWidget *w) const
{
    const auto *mi = qstyleoption_cast<const QStyleOptionMenuItem *>(opt);
    if (mi && (element == CE_MenuItem || element == CE_MenuBarItem)) {
        const bool rtl = isRtl(opt, w);
        if (mi->menuItemType == QStyleOptionMenuItem::Separator) {
            p->fillRect(mi->rect, MenuLook::background());
            const int y = mi->rect.center().y();
            p->setPen(MenuLook::disabledText());
            p->drawLine(mi->rect.left() + 2, y, mi->rect.right() - 2, y);
            p->setPen(Qt::white);
            p->drawLine(mi->rect.left() + 2, y + 1, mi->rect.right() - 2, y + 1);
            return;
        }
        QString caption, shortcut;
        splitText(mi->text, &caption, &shortcut);
        const bool enabled = mi->state & State_Enabled;
        const bool selected = mi->state & State_Selected;
        paintMenuItem(p, mi->rect, caption, shortcut, selected, enabled, rtl);
        if (element == CE_MenuItem && mi->menuItemType == QStyleOptionMenuItem::SubMenu) {
            // The drop-down arrow, on the side away from the text.
            QStyleOption arrow(*opt);
            const QRect r = mi->rect;
            arrow.rect = rtl ? QRect(r.left(), r.top(), kArrowRoom, r.height())
                             : QRect(r.right() - kArrowRoom + 1, r.top(), kArrowRoom, r.height());
            arrow.palette.setColor(QPalette::ButtonText, enabled ? (selected ? MenuLook::selectedText() : MenuLook::text())
                                                                 : MenuLook::disabledText());
            arrow.palette.setColor(QPalette::WindowText, arrow.palette.color(QPalette::ButtonText));
            arrow.palette.setColor(QPalette::Text, arrow.palette.color(QPalette::ButtonText));
            QProxyStyle::drawPrimitive(rtl ? PE_IndicatorArrowLeft : PE_IndicatorArrowRight, &arrow, p, w);
        }
        return;
    }
    if (element == CE_MenuBarEmptyArea || element == CE_MenuEmptyArea) {
        p->fillRect(opt->rect, MenuLook::background());
        return;
    }
    QProxyStyle::drawControl(element, opt, p, w);
}

void OwnerDrawMenuStyle::drawPrimitive(PrimitiveElement pe, const QStyleOption *opt, QPainter *p,
                                       const QWidget *w) const
{
    if (pe == PE_PanelMenu || pe == PE_PanelMenuBar) {
        p->fillRect(opt->rect, MenuLook::background());
        if (pe == PE_PanelMenu) {
            p->setPen(MenuLook::disabledText());
            p->setBrush(Qt::NoBrush);
            p->drawRect(opt->rect.adjusted(0, 0, -1, -1));
        }
        return;
    }
    if (pe == PE_FrameMenu) {
        p->setPen(MenuLook::disabledText());
        p->setBrush(Qt::NoBrush);
        p->drawRect(opt->rect.adjusted(0, 0, -1, -1));
        return;
    }
    QProxyStyle::drawPrimitive(pe, opt, p, w);
}

QSize OwnerDrawMenuStyle::sizeFromContents(ContentsType ct, const QStyleOption *opt, const QSize &contentsSize,
                                           const QWidget *w) const
{
    const auto *mi = qstyleoption_cast<const QStyleOptionMenuItem *>(opt);
    if (mi && (ct == CT_MenuItem || ct == CT_MenuBarItem)) {
        if (mi->menuItemType == QStyleOptionMenuItem::Separator)
            return QSize(qMax(contentsSize.width(), 10), 7);
        QString caption, shortcut;
        splitText(mi->text, &caption, &shortcut);
        const QFontMetrics fm(MenuLook::font());
        int width = fm.horizontalAdvance(QStringLiteral(" ") + caption) + 6;
        if (ct == CT_MenuBarItem)
            return QSize(width + 8, fm.height() + 4);
        width += MenuLook::imageWidth;
        if (!shortcut.isEmpty())
            width += fm.horizontalAdvance(shortcut) + 12;
        if (mi->menuItemType == QStyleOptionMenuItem::SubMenu)
            width += kArrowRoom;
        return QSize(width, qMax(MenuLook::imageHeight, fm.height()));
    }
    return QProxyStyle::sizeFromContents(ct, opt, contentsSize, w);
}

int OwnerDrawMenuStyle::pixelMetric(PixelMetric m, const QStyleOption *opt, const QWidget *w) const
{
    switch (m) {
    case PM_MenuHMargin:
    case PM_MenuVMargin:
    case PM_MenuBarHMargin:
    case PM_MenuBarVMargin:
    case PM_MenuBarItemSpacing:
        return 0;
    case PM_MenuPanelWidth:
    case PM_MenuBarPanelWidth:
        return 1;
    default:
        return QProxyStyle::pixelMetric(m, opt, w);
    }
}

namespace {

void fillMenu(QMenu *menu, const QVector<MenuNode> &children, QStyle *style)
{
    for (const MenuNode &n : children) {
        if (n.isSeparator) {
            QAction *sep = menu->addSeparator();
            sep->setObjectName(n.objectName);
            continue;
        }
        if (n.children.isEmpty()) {
            QAction *a = menu->addAction(n.caption);
            a->setObjectName(n.objectName);
            continue;
        }
        auto *sub = new QMenu(n.caption, menu);
        sub->setObjectName(n.objectName);
        sub->setLayoutDirection(Qt::RightToLeft);
        sub->setStyle(style);
        sub->menuAction()->setObjectName(n.objectName);
        fillMenu(sub, n.children, style);
        menu->addMenu(sub);
    }
}

QAction *findIn(const QList<QAction *> &actions, const QString &name)
{
    for (QAction *a : actions) {
        if (a->objectName() == name)
            return a;
        if (QMenu *m = a->menu())
            if (QAction *found = findIn(m->actions(), name))
                return found;
    }
    return nullptr;
}

} // namespace

QMenuBar *buildMainMenu(const QVector<MenuNode> &tree, QWidget *parent)
{
    auto *bar = new QMenuBar(parent);
    bar->setNativeMenuBar(false);
    bar->setLayoutDirection(Qt::RightToLeft);
    auto *style = new OwnerDrawMenuStyle();
    style->setParent(bar);
    bar->setStyle(style);
    bar->setFont(MenuLook::font());
    for (const MenuNode &n : tree) {
        if (n.isSeparator) {
            bar->addSeparator()->setObjectName(n.objectName);
            continue;
        }
        if (n.children.isEmpty()) {
            QAction *a = bar->addAction(n.caption);
            a->setObjectName(n.objectName);
            continue;
        }
        auto *menu = new QMenu(n.caption, bar);
        menu->setObjectName(n.objectName);
        menu->setLayoutDirection(Qt::RightToLeft);
        menu->setStyle(style);
        menu->menuAction()->setObjectName(n.objectName);
        fillMenu(menu, n.children, style);
        bar->addMenu(menu);
    }
    return bar;
}

QAction *findMenuAction(QMenuBar *bar, const QString &objectName)
{
    return bar ? findIn(bar->actions(), objectName) : nullptr;
}

} // namespace pf::ui
