// Boravest: design of the mechanical installations of buildings.
#include "boravest/app/Forms.h"
#include "boravest/app/U1.h"
#include "platform/system/Memory.h"
#include "platform/ui/Application.h"
#include "platform/ui/Startup.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char **argv)
{
    pf::sys::keepFreedMemory();
    pf::ui::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Boravest"));
    pf::ui::startInPersian();
    CreateAllForms();
    // Every form shows the main window's icon.
    QApplication::setWindowIcon(Form1->windowIcon());
    // Maximised; without a window manager the size is set by hand.
    if (QScreen *screen = QGuiApplication::primaryScreen())
        Form1->setGeometry(screen->availableGeometry());
    Form1->showMaximized();
    const int rc = app.exec();
    DestroyAllForms();
    return rc;
}
