#include "support/TestSupport.h"

#include "platform/db/Db.h"
#include "platform/system/Settings.h"
#include "platform/ui/Application.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/TextDirection.h"

#include <QDir>

namespace testsupport {

namespace {
QStringList g_messages;
QList<int> g_exits;
// The settings of one test program, removed again when it ends.
QTemporaryDir &home()
{
    static QTemporaryDir dir;
    return dir;
}
}

void installTestEnvironment()
{
    // Nothing a test does reaches the user's own settings.
    home();
    // Texts are laid out by the rule the programs install at start.
    pf::ui::installTextStyle();
    resetSharedState();
    // The Persian faces, as the programs install them at start: texts are
    // measured in the faces they print in, whatever the order of the tests.
    pf::ui::installPersianFonts();
}

void resetSharedState()
{
    pf::sys::Settings::setStorePath(QDir(home().path()).filePath(QStringLiteral("registry.ini")));
    pf::ui::setMessageHook([](const QString &text) { g_messages << text; });
    // Ending the application's event loop from a test would make every later
    // modal loop of the process return at once.
    pf::ui::setExitHook([](int code) { g_exits << code; });
    pf::ui::setModalHook(nullptr);
    pf::ui::setEscapedErrorHook(nullptr);
    pf::db::Session::clearPasswords();
    g_messages.clear();
    g_exits.clear();
}

QStringList takeMessages()
{
    QStringList m = g_messages;
    g_messages.clear();
    return m;
}

QList<int> takeExits()
{
    QList<int> e = g_exits;
    g_exits.clear();
    return e;
}

} // namespace testsupport
