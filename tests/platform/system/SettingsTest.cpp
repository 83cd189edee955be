#include "platform/system/Settings.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using pf::sys::Settings;

namespace {

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::resetSharedState();
        ASSERT_TRUE(dir.isValid());
        before = Settings::storePath();
        Settings::setStorePath(dir.filePath(QStringLiteral("cfg/registry.ini")));
    }
    void TearDown() override { Settings::setStorePath(before); }

    QTemporaryDir dir;
    QString before;
};

const QString kKey = QStringLiteral("Software\\Boravest");

} // namespace

TEST_F(SettingsStore, MissingKeyReadsEmpty)
{
    EXPECT_FALSE(Settings::keyExists(kKey));
    EXPECT_FALSE(Settings::keyExists(QStringLiteral("Software")));
    EXPECT_TRUE(Settings::readString(kKey, QStringLiteral("Path")).isEmpty());
    EXPECT_FALSE(Settings::valueExists(kKey, QStringLiteral("Path")));
}

TEST_F(SettingsStore, CreatedKeyExistsWithItsParentsAndNoValues)
{
    Settings::createKey(kKey);
    EXPECT_TRUE(Settings::keyExists(kKey));
    EXPECT_TRUE(Settings::keyExists(QStringLiteral("Software")));
    EXPECT_FALSE(Settings::keyExists(QStringLiteral("Software\\Other")));
    EXPECT_FALSE(Settings::valueExists(kKey, QStringLiteral("Path")));
    EXPECT_TRUE(Settings::readString(kKey, QStringLiteral("Path")).isEmpty());
    // The store is a file of its own in the chosen place.
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("cfg/registry.ini"))));
    // Creating again keeps what is there.
    Settings::writeString(kKey, QStringLiteral("Path"), QStringLiteral("/data/"));
    Settings::createKey(kKey);
    EXPECT_EQ(Settings::readString(kKey, QStringLiteral("Path")), QStringLiteral("/data/"));
}

TEST_F(SettingsStore, PathRoundTripsExactlyAndPersists)
{
    // Blanks, a comma, backslashes and Persian text come back unchanged.
    const QString path = QStringLiteral("/home/مهندس/Boravest, 2/Boravestdata\\sub ");
    Settings::createKey(kKey);
    Settings::writeString(kKey, QStringLiteral("Path"), path);
    EXPECT_EQ(Settings::readString(kKey, QStringLiteral("Path")), path);

    // Another store does not see it; going back to the first one does.
    Settings::setStorePath(dir.filePath(QStringLiteral("other.ini")));
    EXPECT_FALSE(Settings::keyExists(kKey));
    Settings::setStorePath(dir.filePath(QStringLiteral("cfg/registry.ini")));
    EXPECT_EQ(Settings::readString(kKey, QStringLiteral("Path")), path);

    Settings::writeString(kKey, QStringLiteral("Path"), QStringLiteral("/second/"));
    EXPECT_EQ(Settings::readString(kKey, QStringLiteral("Path")), QStringLiteral("/second/"));
}

TEST_F(SettingsStore, WritingCreatesTheKey)
{
    Settings::writeString(kKey, QStringLiteral("Path"), QStringLiteral("x"));
    EXPECT_TRUE(Settings::keyExists(kKey));
    EXPECT_TRUE(Settings::valueExists(kKey, QStringLiteral("Path")));
    EXPECT_FALSE(Settings::valueExists(kKey, QStringLiteral("Other")));
}

TEST(SettingsDefault, DefaultStoreIsPerUserIniFile)
{
    EXPECT_TRUE(Settings::defaultStorePath().endsWith(QStringLiteral("/Boravest/registry.ini")));
}
