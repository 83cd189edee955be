#include "platform/ui/Startup.h"

#include "platform/ui/Fonts.h"
#include "platform/ui/TextDirection.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace pf::ui {

QTranslator *installQtTranslation(const QString &folder)
{
    const QString dir = folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QLocale(QLocale::Persian, QLocale::Iran), QStringLiteral("qtbase"), QStringLiteral("_"),
                          dir) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

QTranslator *startInPersian()
{
    installPersianFonts();
    QTranslator *translator = installQtTranslation();
    QApplication::setLayoutDirection(Qt::RightToLeft);
    installTextStyle();
    return translator;
}

} // namespace pf::ui
