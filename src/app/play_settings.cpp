#include "app/play_settings.h"

#include <algorithm>
#include <cctype>

#include "common/profile.h"

namespace tapmill {

namespace {

const char* const kCount = "count";
const char* const kSpeed = "speed";
const char* const kEndless = "endless";
// The longest count the field is given back: ten digits, as many as a play count has.
constexpr size_t kCountDigits = 10;
// The track bars' range.
constexpr int32_t kSlowest = 0;
constexpr int32_t kFastest = 10;

bool isCountText(const std::string& text) {
    return !text.empty() && text.size() <= kCountDigits &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

}  // namespace

void PlaySettings::addBox(const std::string& section, const std::string& key, ui::CheckBox& box) {
    boxes_.push_back({section, key, box});
}

std::string PlaySettings::settingsOf(const Panel& panel) const {
    std::string settings = panel.count.text() + "," + (panel.speed ? std::to_string(panel.speed->position()) : "") +
                           "," + (panel.endless.checked() ? "1" : "0");
    for (const Box& b : boxes_)
        if (b.section == panel.section) settings += std::string(",") + (b.box.checked() ? "1" : "0");
    return settings;
}

void PlaySettings::restoreAtStart(const std::string& config) {
    if (!kept_.empty()) return;
    for (const Panel& panel : panels_) {
        const std::string count = profile::readString(config, panel.section, kCount, "");
        if (isCountText(count)) panel.count.setText(count);
        const int32_t speed = profile::readInteger(config, panel.section, kSpeed, -1);
        if (panel.speed && speed >= kSlowest && speed <= kFastest) panel.speed->setPosition(speed);
        const int32_t endless = profile::readInteger(config, panel.section, kEndless, -1);
        if (endless == 0 || endless == 1) {
            panel.endless.setChecked(endless == 1);
            panel.endlessClick();
        }
        for (const Box& b : boxes_) {
            const int32_t ticked = b.section == panel.section ? profile::readInteger(config, b.section, b.key, -1) : -1;
            if (ticked == 0 || ticked == 1) b.box.setChecked(ticked == 1);
        }
        kept_.push_back(settingsOf(panel));
    }
}

void PlaySettings::save(const std::string& config) {
    for (size_t i = 0; i < panels_.size(); ++i) {
        const Panel& panel = panels_[i];
        const std::string now = settingsOf(panel);
        if (i < kept_.size() && kept_[i] == now) continue;
        profile::writeString(config, panel.section, kCount, panel.count.text());
        if (panel.speed) profile::writeInteger(config, panel.section, kSpeed, panel.speed->position());
        profile::writeInteger(config, panel.section, kEndless, panel.endless.checked() ? 1 : 0);
        for (const Box& b : boxes_)
            if (b.section == panel.section) profile::writeInteger(config, b.section, b.key, b.box.checked() ? 1 : 0);
        if (i < kept_.size()) kept_[i] = now;
    }
}

}  // namespace tapmill
