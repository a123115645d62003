#include "shell/Settings.h"

#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

// The settings live in the folder the test run gives (XDG_CONFIG_HOME).
class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(SettingsFileName()); }
};

TEST_F(SettingsFile, UnreadableValuesFallBackToDefaults)
{
    {
        QSettings ini(SettingsFileName(), QSettings::IniFormat);
        ini.setValue("Options/KPix", "abc");
        ini.setValue("Options/SizeFlag", "2x");
        ini.setValue("Options/AddFuncFlag", "3");
    }
    StoredSettings s = ReadSettings('.');
    EXPECT_EQ(s.KPix, 1.0);
    EXPECT_EQ(s.SizeFlag, 0);
    EXPECT_EQ(s.AddFuncFlag, 3);
    // Written under one decimal separator, read under the other.
    QString error;
    ASSERT_TRUE(WriteSettings({2.5, 0, 0}, "/x/", ',', error));
    EXPECT_EQ(ReadSettings(',').KPix, 2.5);
    EXPECT_EQ(ReadSettings('.').KPix, 2.5);
    ASSERT_TRUE(WriteSettings({0.125, 0, 0}, "/x/", '.', error));
    EXPECT_EQ(ReadSettings(',').KPix, 0.125);
    // No scale at all: the default.
    for (const char *bad : {"0", "-2", "1e4000", "1,5,7"}) {
        double k = 1;
        EXPECT_FALSE(ReadStoredKPix(bad, ',', k)) << bad;
    }
}

TEST_F(SettingsFile, WritingKeepsTheFilesOtherValues)
{
    {
        QSettings ini(SettingsFileName(), QSettings::IniFormat);
        ini.setValue("Options/Other", "kept");
        ini.setValue("Window/State", "7");
    }
    QString error;
    ASSERT_TRUE(WriteSettings({0.5, 2, 1}, "/prog/", '.', error));
    QSettings ini(SettingsFileName(), QSettings::IniFormat);
    EXPECT_EQ(ini.value("Options/Other").toString(), "kept");
    EXPECT_EQ(ini.value("Window/State").toString(), "7");
    EXPECT_EQ(ini.value("Options/Grizal2Directory").toString(), "/prog/");
    const StoredSettings s = ReadSettings('.');
    EXPECT_EQ(s.KPix, 0.5);
    EXPECT_EQ(s.SizeFlag, 2);
    EXPECT_EQ(s.AddFuncFlag, 1);
}

} // namespace
