#include "platform/ui/Application.h"

#include "platform/db/DbTypes.h"
#include "platform/ui/Dialogs.h"

#include <QDebug>

namespace pf::ui {

namespace {

EscapedErrorHook &escapedHook()
{
    static EscapedErrorHook h;
    return h;
}

// Only one escaped error is shown at a time: one that escapes while its
// message is up goes to the log.
bool g_reporting = false;

void report(const std::exception *e)
{
    qWarning("An event handler failed: %s", e ? e->what() : "unknown error");
    if (g_reporting)
        return;
    g_reporting = true;
    QString text = escapedErrorText(e);
    try {
        if (escapedHook()) {
            const QString safe = escapedHook()();
            if (!safe.isEmpty())
                text += QLatin1Char('\n') + safe;
        }
        showMessage(text, QApplication::activeWindow());
    } catch (...) {
        qWarning("The failure could not be shown");
    }
    g_reporting = false;
}

} // namespace

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        report(&e);
    } catch (...) {
        report(nullptr);
    }
    return false;
}

EscapedErrorHook setEscapedErrorHook(EscapedErrorHook hook)
{
    EscapedErrorHook prev = std::move(escapedHook());
    escapedHook() = std::move(hook);
    return prev;
}

QString escapedErrorText(const std::exception *e)
{
    if (const auto *db = dynamic_cast<const pf::db::DbError *>(e))
        return db->message() + QStringLiteral("\nعمليات انجام نشد");
    return QStringLiteral("خطاي پيش بيني نشده اي رخ داد؛ عمليات انجام نشد");
}

} // namespace pf::ui
