#include "platform/ui/Dialogs.h"

#include "platform/ui/TextDirection.h"
#include "platform/ui/TextRuns.h"

#include <QApplication>
#include <QCalendar>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QComboBox>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFormLayout>
#include <QHeaderView>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QScreen>
#include <QTreeView>
#include <QWidget>

#include <algorithm>

namespace pf::ui {

namespace {

const char *const kModalResult = "pfModalResult";

MessageHook &messageHook()
{
    static MessageHook h;
    return h;
}

ModalHook &modalHook()
{
    static ModalHook h;
    return h;
}

ExitHook &exitHook()
{
    static ExitHook h;
    return h;
}

// Ends the local event loop when the watched form is hidden or goes away.
class HideWatcher : public QObject {
public:
    HideWatcher(QWidget *form, QEventLoop *loop) : m_loop(loop) { form->installEventFilter(this); }

protected:
    bool eventFilter(QObject *obj, QEvent *ev) override
    {
        if (ev->type() == QEvent::Hide && obj->isWidgetType() && static_cast<QWidget *>(obj)->isWindow())
            m_loop->quit();
        return false;
    }

private:
    QEventLoop *m_loop;
};

} // namespace

void showMessage(const QString &text, QWidget *parent)
{
    if (messageHook()) {
        messageHook()(text);
        return;
    }
    messageBox(text, parent)->exec();
}

std::unique_ptr<QMessageBox> messageBox(const QString &text, QWidget *parent)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setLayoutDirection(Qt::RightToLeft);
    box->setWindowTitle(QGuiApplication::applicationDisplayName());
    box->setIcon(QMessageBox::NoIcon);
    box->setTextFormat(Qt::PlainText);
    // The box lays its text out as a text document, which takes the
    // paragraph's direction from the text's first letter and wraps it; the
    // style's laying out of Latin runs and paths does not reach it.
    // Each line is a paragraph of its own, put in its reading order on its
    // own and laid out right to left (from a mark in front where it begins
    // otherwise); a line with no Persian in it (a path) reads left to right
    // as written, standing at the right as the sentences do.
    const bool persian = std::any_of(text.begin(), text.end(), [](QChar c) { return c.direction() == QChar::DirAL; });
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        line = inReadingOrder(line);
        if (!persian)
            continue;
        const QChar rlm(0x200F);
        const bool marked = !line.isEmpty() && line.front() == rlm;
        QString body = marked ? line.mid(1) : line;
        const bool rightToLeft = marked || body.isRightToLeft();
        body = laidOutText(body, Qt::RightToLeft);
        if (marked)
            line = QString(rlm) + body;
        else if (rightToLeft)
            line = body;
        else
            line = QString(rlm) + QChar(0x2066) + body + QChar(0x2069); // LRI ... PDI
    }
    const QString ordered = lines.join(QLatin1Char('\n'));
    box->setText(ordered);
    box->setStandardButtons(QMessageBox::Ok);
    return box;
}

int showModal(QWidget *form)
{
    if (!form)
        return 0;
    form->setProperty(kModalResult, 0);
    if (modalHook())
        return modalHook()(form);

    if (auto *dlg = qobject_cast<QDialog *>(form)) {
        const int r = dlg->exec();
        const int set = modalResult(form);
        return set != 0 ? set : r;
    }

    QPointer<QWidget> guard(form);
    const Qt::WindowModality before = form->windowModality();
    if (!form->isWindow())
        form->setWindowFlag(Qt::Window, true);
    form->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    HideWatcher watcher(form, &loop);
    QObject::connect(form, &QObject::destroyed, &loop, &QEventLoop::quit);
    form->show();
    if (form->isVisible())
        loop.exec(QEventLoop::DialogExec);
    if (!guard)
        return 0;
    form->removeEventFilter(&watcher);
    form->setWindowModality(before);
    return modalResult(form);
}

void endModal(QWidget *form, int result)
{
    if (!form)
        return;
    form->setProperty(kModalResult, result);
    if (auto *dlg = qobject_cast<QDialog *>(form))
        dlg->done(result);
    else
        form->hide();
}

int modalResult(const QWidget *form)
{
    return form ? form->property(kModalResult).toInt() : 0;
}

MessageHook setMessageHook(MessageHook hook)
{
    MessageHook prev = std::move(messageHook());
    messageHook() = std::move(hook);
    return prev;
}

ModalHook setModalHook(ModalHook hook)
{
    ModalHook prev = std::move(modalHook());
    modalHook() = std::move(hook);
    return prev;
}

ExitHook setExitHook(ExitHook hook)
{
    ExitHook prev = std::move(exitHook());
    exitHook() = std::move(hook);
    return prev;
}

// ---------------------------------------------------------------- Qt's own dialogs

namespace {

const char *const kPrepared = "pfPersianPrepared";

QString translatedStyle(const QString &name)
{
    return name.isEmpty() ? name : QCoreApplication::translate("QFontDatabase", name.toUtf8().constData());
}

// The samples the font dialog puts in its sample box by itself.
bool isQtSample(const QString &text)
{
    if (text == QLatin1String("AaBbYyZz"))
        return true;
    for (QFontDatabase::WritingSystem ws : {QFontDatabase::Any, QFontDatabase::Latin, QFontDatabase::Arabic})
        if (text == QFontDatabase::writingSystemSample(ws))
            return true;
    return false;
}

void giveDelegate(QAbstractItemView *view)
{
    if (view && !dynamic_cast<PersianItemDelegate *>(view->itemDelegate()))
        view->setItemDelegate(new PersianItemDelegate(view));
}

// A box of the font dialog: the sample in Persian; the style box shows the
// chosen style's name as the list does.
void prepareFontDialogBox(QLineEdit *edit)
{
    if (edit->property(kPrepared).toBool())
        return;
    edit->setProperty(kPrepared, true);
    if (edit->objectName() == QLatin1String("qt_fontDialog_sampleEdit")) {
        auto persian = [edit] {
            if (isQtSample(edit->text()))
                edit->setText(persianFontSample());
        };
        QObject::connect(edit, &QLineEdit::textChanged, edit, persian);
        persian();
    } else if (edit->isReadOnly()) {
        auto shown = [edit] {
            const QString t = translatedStyle(edit->text());
            if (t != edit->text())
                edit->setText(t);
        };
        QObject::connect(edit, &QLineEdit::textChanged, edit, shown);
        shown();
    }
}

} // namespace

QString persianFontSample() { return QStringLiteral("ابجد هوز حطي كلمن"); }

QString PersianItemDelegate::shownText(const QModelIndex &index) const
{
    const QString text = index.data(Qt::DisplayRole).toString();
    if (const auto *files = qobject_cast<const QFileSystemModel *>(index.model())) {
        switch (index.column()) {
        case 1: { // size
            if (files->isDir(index))
                return text;
            const qint64 bytes = files->size(index);
            return bytes < 1024 ? QStringLiteral("%1 بايت").arg(bytes)
                                : QLocale::c().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
        }
        case 2: { // kind
            if (files->isDir(index))
                return QCoreApplication::translate("QAbstractFileIconProvider", "Folder", "All other platforms");
            const QString suffix = files->fileInfo(index).suffix();
            return suffix.isEmpty() ? QStringLiteral("پرونده") : QStringLiteral("پرونده ") + suffix;
        }
        case 3: { // date modified, in the Persian calendar
            const QDateTime when = files->lastModified(index);
            const QCalendar jalali(QCalendar::System::Jalali);
            return when.isValid()
                       ? QLocale::c().toString(when, u"yyyy/MM/dd HH:mm", jalali.isValid() ? jalali : QCalendar())
                       : text;
        }
        default:
            return text;
        }
    }
    return translatedStyle(text);
}

void PersianItemDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (!option->text.isEmpty())
        option->text = shownText(index);
}

namespace {

// A name the printer gives (from its PPD) that Qt shows as it comes, in the
// program's translation: the common options and their usual choices
// (context "PrinterOptions"), the paper sizes as Qt names them ("QPageSize").
QString printerName(const QString &name)
{
    const QByteArray key = name.toUtf8();
    QString shown = QCoreApplication::translate("PrinterOptions", key.constData());
    if (shown == name)
        shown = QCoreApplication::translate("QPageSize", key.constData());
    return shown;
}

void showPrinterNames(QComboBox *box)
{
    for (int i = 0; i < box->count(); ++i)
        box->setItemText(i, printerName(box->itemText(i)));
}

// The printer's properties and the page set-up: the paper sizes, and the
// options of the Advanced tab (each box Qt marks with its option), their
// names and groups.
void preparePrinterProperties(QWidget *dialog)
{
    for (QComboBox *box : dialog->findChildren<QComboBox *>()) {
        if (box->objectName() == QLatin1String("pageSizeCombo")) {
            showPrinterNames(box);
            continue;
        }
        if (!box->property("_q_ppd_option").isValid())
            continue;
        showPrinterNames(box);
        // The option's name heads its row; the row is in its group's form.
        QWidget *field = box->parentWidget();
        auto *group = field ? qobject_cast<QGroupBox *>(field->parentWidget()) : nullptr;
        auto *form = group ? qobject_cast<QFormLayout *>(group->layout()) : nullptr;
        if (!form)
            continue;
        if (auto *name = qobject_cast<QLabel *>(form->labelForField(field)))
            name->setText(printerName(name->text()));
        group->setTitle(printerName(group->title()));
    }
}

// The file dialog sizes its columns for English sizes, kinds and dates: each
// column but the name grows to what it shows of each folder it reads, and
// the name keeps the rest of the view.
void fitFileColumns(QFileDialog *files)
{
    auto *view = files->findChild<QTreeView *>(QStringLiteral("treeView"));
    auto *model = view ? qobject_cast<QFileSystemModel *>(view->model()) : nullptr;
    if (!model)
        return;
    auto fit = [view] {
        QHeaderView *header = view->header();
        const QAbstractItemView *items = view; // what each column shows
        int others = 0;
        for (int c = 1; c < header->count(); ++c) {
            if (header->isSectionHidden(c))
                continue;
            header->resizeSection(c, std::max(header->sectionSize(c), items->sizeHintForColumn(c)));
            others += header->sectionSize(c);
        }
        const int rest = view->viewport()->width() - others;
        if (rest >= items->sizeHintForColumn(0) && rest >= header->sectionSizeHint(0))
            header->resizeSection(0, rest);
    };
    QObject::connect(model, &QFileSystemModel::directoryLoaded, view, fit, Qt::QueuedConnection);
    fit();
}

} // namespace

void preparePlatformDialog(QWidget *part)
{
    QWidget *dialog = part ? part->window() : nullptr;
    if (!dialog)
        return;
    if (auto *files = qobject_cast<QFileDialog *>(dialog)) {
        // Once it is whole, as it is shown (the style sees it then).
        if (part == dialog && !dynamic_cast<PersianItemDelegate *>(files->itemDelegate())) {
            files->setItemDelegate(new PersianItemDelegate(files));
            fitFileColumns(files);
        }
    } else if (qobject_cast<QPrintDialog *>(dialog)) {
        // Once the box is polished, so that its text is laid out again.
        if (part == dialog)
            if (auto *path = dialog->findChild<QLineEdit *>(QStringLiteral("filename")))
                path->setLayoutDirection(Qt::LeftToRight);
    } else if (part == dialog && (dialog->inherits("QPrintPropertiesDialog") || qobject_cast<QPageSetupDialog *>(dialog))) {
        preparePrinterProperties(dialog);
    } else if (qobject_cast<QFontDialog *>(dialog)) {
        if (auto *list = qobject_cast<QListView *>(part))
            giveDelegate(list);
        else if (auto *edit = qobject_cast<QLineEdit *>(part))
            prepareFontDialogBox(edit);
    }
}

namespace {

QMargins frameOf(const QWidget *w)
{
    const QRect inner = w->geometry(), outer = w->frameGeometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}

// The frame a window will have: its own once known, else that of another
// framed window, else a title bar and thin borders.
QMargins expectedFrame(const QWidget *window)
{
    if (const QMargins own = frameOf(window); !own.isNull())
        return own;
    for (const QWidget *w : QApplication::topLevelWidgets())
        if (w != window && w->isVisible() && !(w->windowFlags() & Qt::FramelessWindowHint))
            if (const QMargins other = frameOf(w); !other.isNull())
                return other;
    return QMargins(4, 30, 4, 4);
}

class OnScreen : public QObject {
public:
    explicit OnScreen(QWidget *window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject *obj, QEvent *ev) override
    {
        auto *w = static_cast<QWidget *>(obj);
        switch (ev->type()) {
        case QEvent::Show:
            m_given = w->size();
            m_framed = false;
            fit(w, expectedFrame(w));
            break;
        case QEvent::Move:
        case QEvent::Resize:
            // Once the window manager has framed it, with the frame it has.
            if (!m_framed && w->isVisible() && !frameOf(w).isNull()) {
                m_framed = true;
                fit(w, frameOf(w));
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    void fit(QWidget *w, const QMargins &frame)
    {
        const QScreen *screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
        if (!screen || w->isMaximized() || w->isFullScreen())
            return;
        const QRect room = screen->availableGeometry();
        const QSize most = room.size().shrunkBy(frame);
        const QSize size = m_given.boundedTo(most).expandedTo(w->minimumSize());
        if (size != w->size())
            w->resize(size);
        QRect outer(w->pos(), size.grownBy(frame));
        if (outer.right() > room.right())
            outer.moveRight(room.right());
        if (outer.bottom() > room.bottom())
            outer.moveBottom(room.bottom());
        if (outer.left() < room.left())
            outer.moveLeft(room.left());
        if (outer.top() < room.top())
            outer.moveTop(room.top());
        if (outer.topLeft() != w->pos())
            w->move(outer.topLeft());
    }

    QSize m_given;
    bool m_framed = false;
};

} // namespace

void keepOnScreen(QWidget *window)
{
    const char *const kept = "pfKeptOnScreen";
    if (window && !window->property(kept).toBool()) {
        window->setProperty(kept, true);
        new OnScreen(window);
    }
}

QStringList pictureFileFilters()
{
    QStringList patterns;
    for (const QByteArray &f : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(f);
    return {QStringLiteral("تصاوير (%1)").arg(patterns.join(QLatin1Char(' '))), QStringLiteral("همه پرونده ها (*)")};
}

void exitProgram(int code)
{
    if (exitHook()) {
        exitHook()(code);
        return;
    }
    QCoreApplication::exit(code);
}

} // namespace pf::ui
