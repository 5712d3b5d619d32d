#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "capture/control_hotkeys.h"
#include "ui/factory.h"

namespace tapmill {

// The notice of the first start: the control hot keys work in every program and take their
// combinations away from it (while Tapmill runs, Ctrl+Z undoes nothing in an editor, it plays the
// recording). It lists the keys in force and leads to "按键选项", where they are changed. It shows
// at every start until "不再提示" is ticked when it closes, which config.ini keeps (section "notice",
// key "globalkeys" = 1). It stands beside the main window without blocking it, so a start that
// carries out a command or a plan is not held up by it. A start that refused control hot keys of
// config.ini shows it too, "不再提示" or not, and tells the refusals first.
class GlobalKeysNotice : public ui::WindowEvents {
public:
    enum ControlId : int {
        ID_Caption = 100,
        ID_Button_options,
        ID_Button_ok,
        ID_CheckBox_never,
    };

    struct Context {
        ui::Factory& factory;
        uintptr_t owner;  // the main window
        const ControlKeys& keys;
        std::string configPath;
        // Shows the options panel of the main window.
        std::function<void()> showKeyOptions;
        // What config.ini chose that could not be had, told above the keys in force; empty for none.
        std::string conflicts;
    };

    // Whether the notice is to show at this start.
    static bool wanted(const std::string& configPath);

    explicit GlobalKeysNotice(Context context);
    void show() { window->show(); }
    // The notice's text as it shows, line by line.
    std::vector<std::string> lines() const;

    std::unique_ptr<ui::Window> window;
    std::unique_ptr<ui::Button> Button_options, Button_ok;
    std::unique_ptr<ui::CheckBox> CheckBox_never;

    void Button_optionsClick();
    void Button_okClick();

    void onControlEvent(int controlId, ui::Event event, ui::EventArgs& args) override;
    void onClose() override;

private:
    // The lines of the notice's text: the conflicts, then the keys in force.
    static std::vector<std::string> textLines(const ControlKeys& keys, const std::string& conflicts);

    Context context_;
    std::vector<std::unique_ptr<ui::Label>> captions_;
};

}  // namespace tapmill
