#include "platform/ui/Startup.h"

#include "platform/ui/Fonts.h"
#include "platform/ui/TextDirection.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace pf::ui {

namespace {

// Qt's own Persian texts with the program's own on top: the texts Qt's
// translation lacks, taken from the program's translation first.
class PersianTexts : public QTranslator {
public:
    explicit PersianTexts(QObject *parent) : QTranslator(parent), m_own(this) {}

    bool loadQt(const QString &dir)
    {
        return QTranslator::load(QLocale(QLocale::Persian, QLocale::Iran), QStringLiteral("qtbase"),
                                 QStringLiteral("_"), dir);
    }
    bool loadOwn(const QString &file) { return m_own.load(file); }

    QString translate(const char *context, const char *source, const char *disambiguation, int n) const override
    {
        const QString own = m_own.translate(context, source, disambiguation, n);
        return own.isEmpty() ? QTranslator::translate(context, source, disambiguation, n) : own;
    }
    bool isEmpty() const override { return QTranslator::isEmpty() && m_own.isEmpty(); }

private:
    QTranslator m_own;
};

} // namespace

QString programTranslationFile()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("boravest_fa.qm"));
}

QTranslator *installQtTranslation(const QString &folder)
{
    const QString dir = folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    auto *translator = new PersianTexts(QCoreApplication::instance());
    if (!translator->loadQt(dir)) {
        delete translator;
        return nullptr;
    }
    if (!translator->loadOwn(programTranslationFile()))
        qWarning("The program's own Persian texts of Qt's dialogs are missing: %s",
                 qPrintable(programTranslationFile()));
    if (!QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

QTranslator *startInPersian()
{
    installPersianFonts();
    // Qt's dialogs are its own widgets everywhere, laid out and translated
    // as the rest of the program.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QTranslator *translator = installQtTranslation();
    QApplication::setLayoutDirection(Qt::RightToLeft);
    installTextStyle();
    return translator;
}

} // namespace pf::ui
