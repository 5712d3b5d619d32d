// The options panel: three switches kept in config.ini (and the log-on start also in the user's
// Run key); the desktop shortcut made on the first start, and the notice of the global keys, which
// leads to this panel.
#include "app/Unit_main.h"
#include "app/control_key_panel.h"
#include "app/global_keys_notice.h"
#include "app/state_indicator.h"
#include "common/error.h"
#include "common/profile.h"

namespace tapmill {

namespace {

const char* const kRunKey = "software\\microsoft\\windows\\currentversion\\run";
const char* const kRunValue = "Tapmill3.3";
// Where the program remembers, per user, that it has made the desktop shortcut once.
const char* const kFirstStartKey = "Software\\Tapmill\\3.3";
const char* const kFirstStartValue = "DesktopShortcut";

}  // namespace

void TForm_maintapmill::createControlKeySection() {
    controlKeyPanel = std::make_unique<ControlKeyPanel>(
        factory_, *Panel_set,
        ControlKeyPanel::Context{platform_, *window, controlKeys, userHotKeys, captureFields, keyReporting, exedir,
                                 [this] { showControlKeys(); }});
}

void TForm_maintapmill::readOptions(const std::string& config) {
    CheckBox_autorun->setChecked(profile::readInteger(config, "Autorun", "x", 0) == 1);
    CheckBox_bfsy->setChecked(profile::readInteger(config, "bfsy", "x", 0) == 1);
    CheckBox_lzsy->setChecked(profile::readInteger(config, "lzsy", "x", 0) == 1);
    stateIndicator_->readCorner(config);
}

void TForm_maintapmill::Speedbutton_savesetClick() {
    const std::string config = exedir + "config.ini";
    // Each failure ends the save at that step; what follows it is not written.
    const bool autorun = CheckBox_autorun->checked();
    if (!platform_.shell.setUserString(kRunKey, kRunValue, autorun ? exedir + "tapmill.exe" : ""))
        throw Error(std::string("Failed to set data for '") + kRunValue + "'");
    profile::writeInteger(config, "autorun", "x", autorun ? 1 : 0);
    profile::writeInteger(config, "lzsy", "x", CheckBox_lzsy->checked() ? 1 : 0);
    profile::writeInteger(config, "bfsy", "x", CheckBox_bfsy->checked() ? 1 : 0);
    stateIndicator_->saveCorner(config);
}

void TForm_maintapmill::Speedbutton_reacqClick() {
    CheckBox_lzsy->setChecked(true);
    CheckBox_bfsy->setChecked(false);
    CheckBox_autorun->setChecked(false);
    stateIndicator_->restoreDefault();
    Speedbutton_savesetClick();
}

void TForm_maintapmill::createlnk() {
    const std::string target = exedir + "tapmill.exe";
    platform_.shell.createShortcut(platform_.shell.desktopFolder() + "\\Tapmill3.3.lnk", target, exedir);
}

void TForm_maintapmill::createShortcutOnFirstStart() {
    if (platform_.shell.userString(kFirstStartKey, kFirstStartValue)) return;
    createlnk();
    platform_.shell.setUserString(kFirstStartKey, kFirstStartValue, "made");
}

void TForm_maintapmill::offerGlobalKeysNotice(const std::string& config) {
    if (keysNotice_ || (!GlobalKeysNotice::wanted(config) && controlKeyConflicts_.empty())) return;
    keysNotice_ = std::make_unique<GlobalKeysNotice>(GlobalKeysNotice::Context{
        factory_, window->nativeHandle(), controlKeys, config, [this] { Speedbutton_setClick(); },
        std::exchange(controlKeyConflicts_, std::string())});
    keysNotice_->show();
}

}  // namespace tapmill
