// ReportPrinter: opens a report file saved from the design program's report
// preview and prints it, without the design program.
#include "Unit1.h"
#include "Unit2.h"

#include "platform/system/Memory.h"
#include "platform/ui/Application.h"
#include "platform/ui/Startup.h"

#include <QApplication>

int main(int argc, char **argv)
{
    pf::sys::keepFreedMemory();
    pf::ui::Application app(argc, argv);
    // The report faces are commercial Persian faces; installed free ones
    // stand in for those that are missing. Qt's own dialogs speak Persian.
    pf::ui::startInPersian();
    Form1 = new TForm1;
    Form2 = new TForm2;
    QApplication::setWindowIcon(Form1->windowIcon());
    Form1->show();
    const int rc = app.exec();
    delete Form2;
    Form2 = nullptr;
    delete Form1;
    Form1 = nullptr;
    return rc;
}
