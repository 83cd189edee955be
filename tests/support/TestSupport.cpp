#include "support/TestSupport.h"

#include "platform/system/Settings.h"
#include "platform/ui/Dialogs.h"

#include <QDir>

namespace testsupport {

namespace {
QStringList g_messages;
QTemporaryDir *g_home = nullptr;
}

void installTestEnvironment()
{
    // Nothing a test does reaches the user's own settings.
    g_home = new QTemporaryDir();
    pf::sys::Settings::setStorePath(QDir(g_home->path()).filePath(QStringLiteral("registry.ini")));
    pf::ui::setMessageHook([](const QString &text) { g_messages << text; });
}

QStringList takeMessages()
{
    QStringList m = g_messages;
    g_messages.clear();
    return m;
}

} // namespace testsupport
