#pragma once
#include "ui/factory.h"

namespace tapmill::win32 {

// Creates real Win32 controls with visual styles, scaled for the window's DPI, in 宋体.
class Win32Factory : public ui::Factory {
public:
    std::unique_ptr<ui::Window> window(const ui::WindowSpec& windowSpec, ui::WindowEvents& events) override;
    std::unique_ptr<ui::Overlay> overlay(const std::string& className) override;
    std::unique_ptr<ui::AreaPicker> areaPicker() override;
    bool modalWindowOpen() const override;
    std::unique_ptr<ui::Panel> panel(ui::Control& parent, int id, ui::Rect rect, const std::string& caption) override;
    std::unique_ptr<ui::Label> label(ui::Control& parent, int id, ui::Rect rect, const std::string& caption,
                                     ui::TextAlign align) override;
    std::unique_ptr<ui::Label> link(ui::Control& parent, int id, ui::Rect rect, const std::string& caption) override;
    std::unique_ptr<ui::Button> button(ui::Control& parent, int id, ui::Rect rect, const std::string& caption,
                                       ui::ButtonStyle style) override;
    std::unique_ptr<ui::Edit> edit(ui::Control& parent, int id, ui::Rect rect, const std::string& text,
                                   ui::EditStyle style) override;
    std::unique_ptr<ui::Memo> memo(ui::Control& parent, int id, ui::Rect rect) override;
    std::unique_ptr<ui::CheckBox> checkBox(ui::Control& parent, int id, ui::Rect rect, const std::string& caption) override;
    std::unique_ptr<ui::RadioButton> radioButton(ui::Control& parent, int id, ui::Rect rect, const std::string& caption,
                                                 bool firstOfGroup) override;
    std::unique_ptr<ui::TrackBar> trackBar(ui::Control& parent, int id, ui::Rect rect, int min, int max,
                                           int position) override;
    std::unique_ptr<ui::ProgressBar> progressBar(ui::Control& parent, int id, ui::Rect rect) override;
    std::unique_ptr<ui::ComboBox> comboBox(ui::Control& parent, int id, ui::Rect rect, bool dropDownList) override;
    std::unique_ptr<ui::ListBox> listBox(ui::Control& parent, int id, ui::Rect rect, bool multiSelect) override;
    std::unique_ptr<ui::TextArea> textArea(ui::Control& parent, int id, ui::Rect rect) override;
    std::unique_ptr<ui::StatusBar> statusBar(ui::Control& parent, int id, ui::Rect rect,
                                             const std::vector<int>& panelWidths) override;
    std::unique_ptr<ui::Timer> timer(ui::Window& owner, int id, uint32_t intervalMs) override;
    std::unique_ptr<ui::DateTimePicker> dateTimePicker(ui::Control& parent, int id, ui::Rect rect,
                                                       ui::PickerKind kind) override;
    std::unique_ptr<ui::ListView> listView(ui::Control& parent, int id, ui::Rect rect,
                                           const std::vector<ui::ListColumn>& columns, bool multiSelect) override;

private:
    // The modal loops of the windows made here that run now.
    int modalLoops_ = 0;
};

}  // namespace tapmill::win32
