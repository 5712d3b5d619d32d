// The first start's notice that the control hot keys work in every program.
#include "app/global_keys_notice.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "support/form_fixture.h"

namespace tapmill {
namespace {

using ::testing::Contains;

class GlobalKeysNoticeTest : public testing::FormFixture {
protected:
    std::unique_ptr<GlobalKeysNotice> makeNotice(TForm_maintapmill& form) {
        return std::make_unique<GlobalKeysNotice>(
            GlobalKeysNotice::Context{factory, 0, form.controlKeys, file("config.ini"), [this] { ++optionsShown; }});
    }
    bool closed(const GlobalKeysNotice& notice) const {
        return static_cast<ui::memory::MemoryWindow&>(*notice.window).closed();
    }
    int optionsShown = 0;
};

TEST_F(GlobalKeysNoticeTest, ListsTheKeysInForceLeadsToTheOptionsAndShowsUntilNotWantedAgain) {
    write("config.ini", "[controlkeys]\r\nplay=Ctrl+Shift+Z\r\n");
    TForm_maintapmill& form = shownForm();
    EXPECT_THAT(GlobalKeysNotice::textLines(form.controlKeys),
                Contains("录制 Ctrl+W　停止 Ctrl+Q　播放 Ctrl+Shift+Z　暂停 F9"));

    const auto first = makeNotice(form);
    first->show();
    first->Button_optionsClick();
    EXPECT_EQ(optionsShown, 1);
    EXPECT_TRUE(closed(*first));
    EXPECT_TRUE(GlobalKeysNotice::wanted(file("config.ini"))) << "closed without 不再提示";

    const auto second = makeNotice(form);
    second->show();
    second->CheckBox_never->setChecked(true);
    second->Button_okClick();
    EXPECT_TRUE(closed(*second));
    EXPECT_EQ(optionsShown, 1);
    EXPECT_FALSE(GlobalKeysNotice::wanted(file("config.ini")));
}

}  // namespace
}  // namespace tapmill
