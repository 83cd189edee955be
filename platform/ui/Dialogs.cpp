#include "platform/ui/Dialogs.h"

#include "platform/ui/TextDirection.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

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
    QMessageBox box(parent);
    box.setLayoutDirection(Qt::RightToLeft);
    box.setWindowTitle(QGuiApplication::applicationDisplayName());
    box.setIcon(QMessageBox::NoIcon);
    box.setTextFormat(Qt::PlainText);
    // The box lays its text out as a text document, which takes the
    // paragraph's direction from the text's first letter and wraps it.
    box.setText(inReadingOrder(text));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
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

void exitProgram(int code)
{
    if (exitHook()) {
        exitHook()(code);
        return;
    }
    QCoreApplication::exit(code);
}

} // namespace pf::ui
