#pragma once
// Every message box and every modal form of the programs goes through these
// functions, so that tests can read the texts and answer the forms.
#include <QString>
#include <QStringList>
#include <QStyledItemDelegate>

#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

namespace pf::ui {

using MessageHook = std::function<void(const QString &text)>;
using ModalHook = std::function<int(QWidget *form)>;
using ExitHook = std::function<void(int code)>;

// Shows the text in a right-to-left message box with one OK button and
// returns when it is closed. The text is shown as given (plain text, blanks
// kept), laid out by the program's direction rule also where it wraps: a
// text stored for a left-to-right paragraph shows in its reading order
// (pf::ui::inReadingOrder). A hook sees the text as given.
// Each line of it is laid out by pf::ui::laidOutText, so that a path on a
// line of its own, and a file name or a pattern inside a sentence, read
// whole and in order.
void showMessage(const QString &text, QWidget *parent = nullptr);
// The box showMessage shows, not yet shown.
std::unique_ptr<QMessageBox> messageBox(const QString &text, QWidget *parent = nullptr);

// Shows the form modally and returns its modal result when it is hidden or
// closed. A QDialog runs its own exec(); any other widget is shown
// application-modal and waited for. The result is what the form passed to
// endModal (a QDialog: done()/accept()/reject()), 0 when it simply closed.
int showModal(QWidget *form);

// Sets the form's modal result and hides it, ending showModal.
void endModal(QWidget *form, int result);
// The modal result last set on the form (0 when none).
int modalResult(const QWidget *form);

// Ends the program's event loop with the code. Without a hook this is
// QCoreApplication::exit, which also makes every later local event loop
// (a modal form) return at once until the application loop runs again.
void exitProgram(int code);

// While a hook is set it is called instead of showing anything (or, for
// the exit hook, instead of ending the event loop). Each setter
// returns the hook it replaced; pass nullptr (an empty function) to show the
// real thing again.
MessageHook setMessageHook(MessageHook hook);
ModalHook setModalHook(ModalHook hook);
ExitHook setExitHook(ExitHook hook);

// Installs hooks for the lifetime of the object and puts the previous ones
// back afterwards.
class ScopedMessageHook {
public:
    explicit ScopedMessageHook(MessageHook hook) : m_prev(setMessageHook(std::move(hook))) {}
    ~ScopedMessageHook() { setMessageHook(std::move(m_prev)); }
    ScopedMessageHook(const ScopedMessageHook &) = delete;
    ScopedMessageHook &operator=(const ScopedMessageHook &) = delete;

private:
    MessageHook m_prev;
};

class ScopedModalHook {
public:
    explicit ScopedModalHook(ModalHook hook) : m_prev(setModalHook(std::move(hook))) {}
    ~ScopedModalHook() { setModalHook(std::move(m_prev)); }
    ScopedModalHook(const ScopedModalHook &) = delete;
    ScopedModalHook &operator=(const ScopedModalHook &) = delete;

private:
    ModalHook m_prev;
};

class ScopedExitHook {
public:
    explicit ScopedExitHook(ExitHook hook) : m_prev(setExitHook(std::move(hook))) {}
    ~ScopedExitHook() { setExitHook(std::move(m_prev)); }
    ScopedExitHook(const ScopedExitHook &) = delete;
    ScopedExitHook &operator=(const ScopedExitHook &) = delete;

private:
    ExitHook m_prev;
};

// Readies a part of one of Qt's own dialogs for a Persian reader; the
// program's style calls it for every widget it polishes and every window
// as it is shown, and it does nothing
// to the parts of any other window. The print dialog shows the output file
// path left to right, as a path reads; the printer's properties and the page
// set-up show the names the printer gives the common options (and those of
// the PDF printer, CUPS-PDF), their usual choices and the
// paper sizes in the program's translation (context "PrinterOptions"; the
// sizes also "QPageSize"); the file dialog shows the sizes, kinds
// and dates (in the Persian calendar) of its files in Persian; the font
// dialog shows its sample in Persian and its style names in the program's
// translation (context "QFontDatabase"). Safe to call more than once.
void preparePlatformDialog(QWidget *part);

// Keeps the window, its frame and title bar included, within the available
// area of its screen each time it is shown: one larger than that is made
// smaller (never below its minimum size, never above the size it was given),
// one that reaches beyond it is moved in. The frame is known once the
// window manager has framed the window; until then that of another framed
// window stands in for it.
void keepOnScreen(QWidget *window);

// The name filters of the dialogs that choose a picture: the pictures of
// every format the program reads, then every file.
QStringList pictureFileFilters();

// The sample the font dialog shows.
QString persianFontSample();

// The delegate through which preparePlatformDialog shows the items of the
// views of Qt's dialogs: the text an item is drawn with is shownText.
class PersianItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString shownText(const QModelIndex &index) const;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};

} // namespace pf::ui
