// Boravest: design of the mechanical installations of buildings.
#include "boravest/data/Forms.h"
#include "boravest/data/U1.h"
#include "platform/ui/Fonts.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Boravest"));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    pf::ui::installPersianFonts();
    CreateAllForms();
    Form1->showMaximized();
    const int rc = app.exec();
    DestroyAllForms();
    return rc;
}
