#include "platform/ui/Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>

#include <algorithm>
#include <cmath>

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

int wholeLineHeight(const QFont &font)
{
    static QHash<QString, int> known;
    const QString key = font.key();
    if (auto it = known.constFind(key); it != known.constEnd())
        return *it;
    // Letters that reach highest and lowest in the Persian faces, and in the
    // Latin ones.
    static const QString tallAndDeep = QStringLiteral("آأإپچژگكيجعغقنمهلط ؟«»()|Ágjpqy");
    const QFontMetricsF metrics(font);
    const QRectF ink = metrics.tightBoundingRect(tallAndDeep);
    const qreal beyond = std::max({0.0, -ink.top() - metrics.ascent(), ink.bottom() - metrics.descent()});
    const int height = int(std::ceil(metrics.height() + 2 * beyond));
    known.insert(key, height);
    return height;
}

} // namespace pf::ui
