// The options panel, the help and author panels, and the desktop shortcut of the first start.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/error.h"
#include "common/profile.h"
#include "support/form_fixture.h"

namespace tapmill {
namespace {

using ::testing::ElementsAre;

const std::string kRunValue = "software\\microsoft\\windows\\currentversion\\run\\Tapmill3.3";

class OptionsTest : public testing::FormFixture {
protected:
    std::string config() const { return file("config.ini"); }
    int stored(const char* section) { return profile::readInteger(config(), section, "x", -1); }
};

TEST_F(OptionsTest, SaveWritesTheThreeSwitchesTheIndicatorCornerAndTheRunValue) {
    auto& form = shownForm();
    form.CheckBox_autorun->setChecked(true);
    form.CheckBox_bfsy->setChecked(true);
    form.Speedbutton_savesetClick();
    EXPECT_EQ(fp.shell.registry[kRunValue], exePath());
    EXPECT_EQ(stored("autorun"), 1);
    EXPECT_EQ(stored("lzsy"), 0);
    EXPECT_EQ(stored("bfsy"), 1);
    // Written in this order, under the lower-case section name.
    EXPECT_EQ(read("config.ini"),
              "[autorun]\r\nx=1\r\n[lzsy]\r\nx=0\r\n[bfsy]\r\nx=1\r\n[indicator]\r\ncorner=1\r\n");

    form.CheckBox_autorun->setChecked(false);
    form.Speedbutton_savesetClick();
    EXPECT_EQ(fp.shell.registry.count(kRunValue), 1u) << "the value stays, with empty data";
    EXPECT_EQ(fp.shell.registry[kRunValue], "");
    EXPECT_EQ(stored("autorun"), 0);
}

TEST_F(OptionsTest, RestoreDefaultsTicksOnlyFlashWhileRecordingAndSavesAll) {
    auto& form = shownForm();
    form.CheckBox_autorun->setChecked(true);
    form.CheckBox_bfsy->setChecked(true);
    form.Speedbutton_reacqClick();
    EXPECT_TRUE(form.CheckBox_lzsy->checked());
    EXPECT_FALSE(form.CheckBox_bfsy->checked());
    EXPECT_FALSE(form.CheckBox_autorun->checked());
    EXPECT_EQ(stored("lzsy"), 1);
    EXPECT_EQ(stored("bfsy"), 0);
    EXPECT_EQ(stored("autorun"), 0);
    EXPECT_EQ(fp.shell.registry[kRunValue], "");
}

TEST_F(OptionsTest, OnlyExactlyOneCountsAsOnAndUnsavedChangesAreLostAtTheNextShow) {
    write("config.ini", "[Autorun]\r\nx=1\r\n[lzsy]\r\nx=2\r\n[bfsy]\r\nx=yes\r\n");
    auto& form = shownForm();
    EXPECT_TRUE(form.CheckBox_autorun->checked());
    EXPECT_FALSE(form.CheckBox_lzsy->checked());
    EXPECT_FALSE(form.CheckBox_bfsy->checked());

    form.CheckBox_lzsy->setChecked(true);
    form.window->hide();
    form.window->show();
    EXPECT_FALSE(form.CheckBox_lzsy->checked());
}

TEST_F(OptionsTest, AFailedRegistryWriteEndsTheSaveBeforeTheSettingsFile) {
    auto& form = shownForm();
    fp.shell.registryRefuses = true;
    try {
        form.Speedbutton_savesetClick();
        FAIL() << "the failure must reach the user";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'Tapmill3.3'");
    }
    EXPECT_FALSE(exists("config.ini"));
}

TEST_F(OptionsTest, AFailedSettingsWriteNamesTheFile) {
    auto& form = shownForm();
    write("config.ini", "");
    std::filesystem::permissions(file("config.ini"), std::filesystem::perms::owner_read);
    try {
        form.Speedbutton_savesetClick();
        FAIL() << "the failure must reach the user";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + file("config.ini"));
    }
}

TEST_F(OptionsTest, TheDesktopShortcutIsMadeOnceForTheUser) {
    auto& form = shownForm();
    ASSERT_EQ(fp.shell.shortcuts.size(), 1u);
    EXPECT_EQ(fp.shell.shortcuts[0].linkPath, fp.shell.desktop + "\\Tapmill3.3.lnk");
    EXPECT_EQ(fp.shell.shortcuts[0].target, exePath());
    EXPECT_EQ(fp.shell.shortcuts[0].workingFolder, dir_ + "/");

    form.window->hide();
    form.window->show();
    EXPECT_EQ(fp.shell.shortcuts.size(), 1u) << "not again at a later show";
    shownForm();
    EXPECT_EQ(fp.shell.shortcuts.size(), 1u) << "nor at the next start of the same user";
}

TEST_F(OptionsTest, HelpAndHomepageOpenThroughTheShell) {
    auto& form = shownForm();
    form.RzBitBtn1Click();
    form.Label34Click();
    EXPECT_THAT(fp.shell.opened, ElementsAre(dir_ + "/TAPMILL帮助文档.CHM", form.Label34->text()));
    auto lines = form.Memo1->lines();
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[6], "录制=Ctrl+W，停止=Ctrl+Q，播放=Ctrl+Z，暂停=F9");
    EXPECT_EQ(lines[9], "[录制按键（强化）]的播放随时可按Ctrl+Esc停止。");
    EXPECT_EQ(lines[18], form.Label34->text());
}

}  // namespace
}  // namespace tapmill
