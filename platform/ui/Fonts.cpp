#include "platform/ui/Fonts.h"

#include <QFont>
#include <QFontDatabase>

namespace pf::ui {

namespace {

const QStringList kTextFaces = {QStringLiteral("Traffic"), QStringLiteral("B Traffic"), QStringLiteral("mitra"),
                                QStringLiteral("Mitra"),   QStringLiteral("B Mitra"),   QStringLiteral("Zar"),
                                QStringLiteral("B Zar"),   QStringLiteral("Nazanin"),   QStringLiteral("B Nazanin"),
                                QStringLiteral("Badr"),    QStringLiteral("B Badr"),    QStringLiteral("Tahoma")};
const QStringList kTitleFaces = {QStringLiteral("Titr"), QStringLiteral("B Titr")};
const QStringList kFreeTextFaces = {QStringLiteral("Nazli"), QStringLiteral("FreeFarsi"), QStringLiteral("Homa")};

bool installed(const QStringList &families, const QString &name)
{
    return families.contains(name, Qt::CaseInsensitive);
}

QString installedTextFace(const QStringList &families)
{
    for (const QString &f : kFreeTextFaces)
        if (installed(families, f))
            return f;
    return QString();
}

} // namespace

QStringList persianFontNames()
{
    return kTextFaces + kTitleFaces;
}

QString installPersianFonts()
{
    const QStringList families = QFontDatabase::families();
    const QString text = installedTextFace(families);
    if (text.isEmpty())
        return QString();
    const QString title = installed(families, QStringLiteral("Titr")) ? QStringLiteral("Titr") : text;

    for (const QString &name : kTextFaces)
        if (!installed(families, name))
            QFont::insertSubstitution(name, text);
    for (const QString &name : kTitleFaces)
        if (!installed(families, name))
            QFont::insertSubstitution(name, name == QLatin1String("Titr") ? text : title);
    return text;
}

void substituteMissingFace(const QString &name, bool title)
{
    if (name.isEmpty() || !QFont::substitutes(name).isEmpty())
        return;
    const QStringList families = QFontDatabase::families();
    if (installed(families, name))
        return;
    const QString text = installedTextFace(families);
    if (text.isEmpty())
        return;
    const bool titr = title && installed(families, QStringLiteral("Titr"));
    QFont::insertSubstitution(name, titr ? QStringLiteral("Titr") : text);
}

} // namespace pf::ui
