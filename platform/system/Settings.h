#pragma once
// Per-user settings store organised like a registry: keys named by
// backslash-separated paths ("Software\\Boravest") holding named string
// values ("Path"). The whole store is one INI file of the user, by default
// ~/.config/Boravest/registry.ini; tests point it elsewhere with
// setStorePath().
//
// Key and value names are compared exactly as written. A key exists once it
// has been created or has had a value written under it; creating a key also
// makes its parents exist.
#include <QString>

namespace pf::sys {

class Settings {
public:
    // The file that holds the store. An empty path restores the default.
    static void setStorePath(const QString &iniFile);
    static QString storePath();
    static QString defaultStorePath();

    static bool keyExists(const QString &key);
    // Creates the key (and its parents); an existing key is left as it is.
    static void createKey(const QString &key);
    // The value's text; empty when the key or the value is missing.
    static QString readString(const QString &key, const QString &valueName);
    static bool valueExists(const QString &key, const QString &valueName);
    // Writes the value, creating the key when it is missing.
    static void writeString(const QString &key, const QString &valueName, const QString &text);

private:
    Settings() = delete;
};

} // namespace pf::sys
