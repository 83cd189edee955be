#include "boravest/building/EntryPage.h"

#include "boravest/data/ProgramState.h"
#include "boravest/data/UnitDm.h"
#include "boravest/help/U11.h"
#include "boravest/help/U15.h"
#include "boravest/help/UHelp.h"
#include "platform/common/Numbers.h"
#include "platform/system/SystemError.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/Colors.h"
#include "platform/ui/DbControls.h"
#include "platform/ui/Dialogs.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

#include <algorithm>
#include <limits>

namespace createedit {

// ---------------------------------------------------------------- keys

void showUserGuide()
{
    if (!FormHelp)
        return;
    // The guide opens at its create-and-edit page, scrolled to the top.
    if (auto *pages = FormHelp->findChild<QTabWidget *>(QStringLiteral("PageControl1")))
        pages->setCurrentIndex(1);
    FormHelp->setWindowTitle(QStringLiteral("     راهنماي كاربران - ايجاد و ويرايش"));
    if (auto *box = FormHelp->findChild<QScrollArea *>(QStringLiteral("ScrollBox2")))
        box->verticalScrollBar()->setValue(0);
    pf::ui::showModal(FormHelp);
}

void showGlossary()
{
    if (Form15)
        pf::ui::showModal(Form15);
}

void showUnitTable()
{
    if (Form11)
        pf::ui::showModal(Form11);
}

void runCalculator(QWidget *page)
{
    if (!ProgramServices || !DM1)
        return;
    // Whatever keeps the program from starting is told to the user; it
    // never leaves the key handler.
    try {
        ProgramServices->RunAndWait(DM1->Database1->directory() + QStringLiteral("Rodiz.exe"), true, QString(), 1);
    } catch (const ELaunchError &e) {
        pf::ui::showMessage(e.message(), page);
    } catch (const pf::sys::SystemError &e) {
        pf::ui::showMessage(e.message(), page);
    } catch (const std::exception &e) {
        pf::ui::showMessage(QString::fromLocal8Bit(e.what()), page);
    }
}

void askExit()
{
    if (ProgramServices)
        ProgramServices->AskExit();
}

// ---------------------------------------------------------------- tables

void bindInputs(pf::db::DataSource *source, std::initializer_list<Binding> inputs)
{
    for (const Binding &b : inputs)
        b.edit->bind(source, QString::fromLatin1(b.field));
}

void bindHeader(pf::db::DataSource *source, std::initializer_list<Binding> inputs)
{
    bindInputs(source, inputs);
    for (const Binding &b : inputs)
        b.edit->setFieldReadOnly(true);
}

bool openTable(QWidget *page, pf::db::Table *table)
{
    try {
        if (!table->active())
            table->open();
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), page);
        return false;
    }
    return true;
}

bool showNextPage(QWidget *page, pf::db::Table *table, QWidget *next)
{
    if (!openTable(page, table))
        return false;
    pf::ui::showModal(next);
    return true;
}

// ---------------------------------------------------------------- looks

QColor restColor() { return pf::ui::winColor(AreaColors[AreaV * 5 + RoleText]); }

// ---------------------------------------------------------------- numbers

QString numberRefusal() { return QStringLiteral(" عدد معتبر است"); }

void filterNumbers(std::initializer_list<QWidget *> inputs, pf::ui::NumberChars extra, int maxChars)
{
    for (QWidget *w : inputs)
        pf::ui::installNumberFilter(w, extra, numberRefusal(), maxChars);
}

namespace {
// "0" put before the digits, after a sign in front ("-5" reads -5; a lone
// sign stays no number).
QString zeroFirst(const QString &text)
{
    if (text.startsWith(QLatin1Char('-')))
        return text.size() > 1 ? QStringLiteral("-0") + text.mid(1) : text;
    return QLatin1Char('0') + text;
}
} // namespace

bool wholeOf(const QString &text, int *out)
{
    int64_t v = 0;
    if (!pf::strToInt(zeroFirst(text), &v))
        return false;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    *out = int(v);
    return true;
}

bool decimalOf(const QString &text, double *out)
{
    // A point or a sign alone is no number, though "0" put before it makes one.
    const QString t = text.trimmed();
    if (!t.isEmpty() && std::none_of(t.begin(), t.end(), [](QChar c) { return c.isDigit(); }))
        return false;
    return pf::strToFloat(zeroFirst(text), out);
}

bool numberText(const QString &text)
{
    double d = 0;
    return text.trimmed().isEmpty() || pf::strToFloat(text, &d);
}

void refuse(QWidget *page, QWidget *input, const QString &message)
{
    pf::ui::showMessage(message, page);
    if (input)
        input->setFocus();
}

bool readWhole(QWidget *page, QLineEdit *input, int *out)
{
    if (wholeOf(pf::ui::numberText(input), out))
        return true;
    refuse(page, input, numberRefusal());
    return false;
}

bool readDecimal(QWidget *page, QLineEdit *input, double *out)
{
    if (decimalOf(pf::ui::numberText(input), out))
        return true;
    refuse(page, input, numberRefusal());
    return false;
}

bool readNumber(QWidget *page, QLineEdit *input, double *out)
{
    if (pf::strToFloat(pf::ui::numberText(input), out))
        return true;
    refuse(page, input, numberRefusal());
    return false;
}

bool numbersConvert(QWidget *page, std::initializer_list<QLineEdit *> inputs)
{
    for (QLineEdit *e : inputs)
        if (!numberText(pf::ui::numberText(e))) {
            refuse(page, e->isVisibleTo(page) ? e : nullptr, numberRefusal());
            return false;
        }
    return true;
}

// ---------------------------------------------------------------- command bar

CommandBar::CommandBar(QWidget *page, QWidget *gridPanel, QWidget *entryPanel, Commands commands,
                       const QList<pf::ui::ClickLabel *> &alsoHovered)
    : QObject(page), m_page(page), m_gridPanel(gridPanel), m_entryPanel(entryPanel), m_c(std::move(commands))
{
    QList<pf::ui::ClickLabel *> labels;
    for (const Command *c : {&m_c.add, &m_c.edit, &m_c.save, &m_c.cancel, &m_c.next, &m_c.previous, &m_c.exit}) {
        labels.append(c->label);
        connect(c->label, &pf::ui::ClickLabel::clicked, this, [run = c->run] { run(); });
    }
    labels.append(alsoHovered);
    m_hover = new pf::ui::HoverGroup(labels, &restColor, this);
}

bool CommandBar::browsingGrid() const { return m_gridPanel->isEnabled() && !m_entry; }

void CommandBar::setCommands(bool browse)
{
    for (const Command *c : {&m_c.add, &m_c.edit, &m_c.next, &m_c.previous, &m_c.exit})
        c->label->setEnabled(browse);
    m_c.save.label->setEnabled(!browse);
    m_c.cancel.label->setEnabled(!browse);
}

void CommandBar::setBrowse()
{
    // The flag first, so that inputs losing the focus as the panel hides
    // see the entry closed.
    m_entry = false;
    m_entryPanel->hide();
    m_gridPanel->setEnabled(true);
    setCommands(true);
}

void CommandBar::setEntry()
{
    m_entry = true;
    m_gridPanel->setEnabled(false);
    m_entryPanel->show();
    setCommands(false);
}

void CommandBar::editOnDoubleClick(QAbstractItemView *grid)
{
    connect(grid, &QAbstractItemView::doubleClicked, this, [this] {
        if (browsingGrid())
            m_c.edit.run();
    });
}

void CommandBar::runIfEnabled(const Command &c)
{
    if (c.label->isEnabled())
        c.run();
}

bool CommandBar::keyDown(QKeyEvent *key)
{
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!browsingGrid())
            return false;
        m_c.edit.run();
        return true;
    case Qt::Key_Insert:
        runIfEnabled(m_c.add);
        return true;
    case Qt::Key_F2:
        runIfEnabled(m_c.save);
        return true;
    case Qt::Key_F3:
        runIfEnabled(m_c.next);
        return true;
    case Qt::Key_F4:
        runIfEnabled(m_c.previous);
        return true;
    case Qt::Key_Escape:
        if (m_c.exit.label->isEnabled())
            m_c.exit.run();
        else
            m_c.cancel.run();
        return true;
    case Qt::Key_F1:
        showUserGuide();
        return true;
    case Qt::Key_F10:
        showGlossary();
        return true;
    case Qt::Key_F11:
        showUnitTable();
        return true;
    case Qt::Key_F12:
        runCalculator(m_page);
        return true;
    default:
        return false;
    }
}

// ---------------------------------------------------------------- page

void Page::done(int r)
{
    if (DM1) {
        cancelEntry();
        for (pf::db::Table *t : pageTables())
            t->close();
    }
    QDialog::done(r);
}

} // namespace createedit
