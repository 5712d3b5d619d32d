#pragma once
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "capture/capture_fields.h"
#include "capture/control_hotkeys.h"
#include "capture/key_reporting.h"
#include "platform/platform.h"
#include "triggers/hotkey_table.h"
#include "ui/factory.h"

namespace tapmill {

// The options panel's section "控制热键": a field per control hot key showing its combination.
// A field with the focus captures the next combination pressed (the keyboard library reports it
// through the main window, CaptureFields::chordField), "清除" leaves the field last chosen without
// a key, "恢复默认" brings back the documented set. A change is registered at once and kept in
// config.ini; a combination something else holds is refused with a message naming the holder.
class ControlKeyPanel : public ChordField {
public:
    enum ControlId : int {
        ID_Panel_controlkeys = 950,
        ID_FirstField,  // one per control hot key, in the order of kControlHotKeys
        ID_Clear = ID_FirstField + static_cast<int>(kControlHotKeyCount),
        ID_Restore,
        ID_Caption,
    };

    struct Context {
        platform::Platform& platform;
        ui::Window& window;  // the main window, which the hot keys are registered for
        ControlKeys& controlKeys;
        const HotKeyTable& userHotKeys;
        CaptureFields& captureFields;
        KeyReporting& keyReporting;
        const std::string& exedir;
        std::function<void()> changed;  // after every change, to show the keys in force elsewhere
    };

    ControlKeyPanel(ui::Factory& factory, ui::Panel& parent, Context context);
    ~ControlKeyPanel() override;
    ControlKeyPanel(const ControlKeyPanel&) = delete;
    ControlKeyPanel& operator=(const ControlKeyPanel&) = delete;

    std::unique_ptr<ui::Panel> Panel_controlkeys;
    std::array<std::unique_ptr<ui::Edit>, kControlHotKeyCount> fields;
    std::unique_ptr<ui::Button> Button_clear, Button_restore;

    bool handles(int controlId) const { return controlId >= ID_Panel_controlkeys && controlId <= ID_Caption; }
    void onControlEvent(int controlId, ui::Event event);
    // Every field shows the combination in force.
    void showKeys();
    void fieldEnter(size_t index);
    void fieldExit();
    void Button_clearClick();
    void Button_restoreClick();
    void captureChord(int key, uint32_t modifiers) override;

private:
    void change(size_t index, KeyChord chord);
    void remind(const std::string& text);
    void saved();

    Context context_;
    std::vector<std::unique_ptr<ui::Label>> captions_;
    // The field the focus was in last: "清除" empties it.
    size_t chosen_ = kControlHotKeyCount;
};

}  // namespace tapmill
