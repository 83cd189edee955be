#include "platform/system/Settings.h"

#include "platform/system/SystemError.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <memory>

namespace pf::sys {

namespace {

QString &configuredPath()
{
    static QString path;
    return path;
}

// A created key with no values yet still needs an entry in the file; this
// one marks it and is never read as a value.
const QString kKeyMarker = QStringLiteral(".key");

// "Software\\Boravest" -> "Software/Boravest" (the store's group path).
QString groupOf(const QString &key)
{
    const QStringList parts = QString(key).replace(QLatin1Char('/'), QLatin1Char('\\'))
                                  .split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    return parts.join(QLatin1Char('/'));
}

std::unique_ptr<QSettings> openStore()
{
    const QString path = Settings::storePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

void syncOrThrow(QSettings &s)
{
    s.sync();
    if (s.status() != QSettings::NoError)
        throw SystemError(QStringLiteral("Cannot write the settings file %1").arg(s.fileName()));
}

} // namespace

void Settings::setStorePath(const QString &iniFile)
{
    configuredPath() = iniFile;
}

QString Settings::defaultStorePath()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Boravest/registry.ini");
}

QString Settings::storePath()
{
    return configuredPath().isEmpty() ? defaultStorePath() : configuredPath();
}

bool Settings::keyExists(const QString &key)
{
    const QString group = groupOf(key);
    if (group.isEmpty())
        return true; // the root always exists
    auto s = openStore();
    s->beginGroup(group);
    return !s->allKeys().isEmpty();
}

void Settings::createKey(const QString &key)
{
    const QString group = groupOf(key);
    if (group.isEmpty() || keyExists(key))
        return;
    auto s = openStore();
    s->beginGroup(group);
    s->setValue(kKeyMarker, true);
    s->endGroup();
    syncOrThrow(*s);
}

bool Settings::valueExists(const QString &key, const QString &valueName)
{
    if (valueName == kKeyMarker)
        return false;
    auto s = openStore();
    s->beginGroup(groupOf(key));
    return s->contains(valueName);
}

QString Settings::readString(const QString &key, const QString &valueName)
{
    if (valueName == kKeyMarker)
        return QString();
    auto s = openStore();
    s->beginGroup(groupOf(key));
    return s->value(valueName).toString();
}

void Settings::writeString(const QString &key, const QString &valueName, const QString &text)
{
    auto s = openStore();
    s->beginGroup(groupOf(key));
    s->setValue(valueName, text);
    s->endGroup();
    syncOrThrow(*s);
}

} // namespace pf::sys
