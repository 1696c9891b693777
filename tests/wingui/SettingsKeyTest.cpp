#include "wingui/SettingsKey.h"

#include <QSettings>
#include <gtest/gtest.h>

namespace vel::wingui {
namespace {

SettingsKey KeyFor(const char* test) {
    return SettingsKey("VellumarTests", test);
}

TEST(SettingsKey, LandsInThePrivateConfigurationFolderOfTheTests) {
    const QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
    ASSERT_FALSE(home.isEmpty());
    EXPECT_TRUE(KeyFor("Where").Open()->fileName().startsWith(home + "/"));
}

TEST(SettingsKey, DwordsReadBackAndAnythingElseReadsAsZero) {
    const SettingsKey key = KeyFor("Dwords");
    EXPECT_EQ(key.ReadDword("Missing"), 0u);
    EXPECT_FALSE(key.ReadDwordValue("Missing"));
    ASSERT_TRUE(key.WriteDword("xSplit", 4294967295u));
    EXPECT_EQ(key.ReadDword("xSplit"), 4294967295u);
    ASSERT_TRUE(key.WriteDword("ySplit", 0));
    EXPECT_EQ(key.ReadDwordValue("ySplit"), 0u);

    auto settings = key.Open();
    settings->setValue("Text", "abc");
    settings->setValue("Negative", "-1");
    settings->setValue("TooLarge", "4294967296");
    settings->setValue("Bytes", QByteArray("\x01\x02", 2));
    settings->setValue("List", QStringList{"1", "2"});
    settings->sync();
    for (const char* name : {"Text", "Negative", "TooLarge", "Bytes", "List"}) {
        EXPECT_EQ(key.ReadDword(name), 0u) << name;
    }
    EXPECT_FALSE(key.ReadBinary("Text"));
    EXPECT_EQ(key.ReadBinary("Bytes"), QByteArray("\x01\x02", 2));
}

} // namespace
} // namespace vel::wingui
