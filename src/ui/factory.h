#pragma once
#include <memory>
#include <string>
#include <vector>

#include "ui/area_picker.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace tapmill::ui {

enum class ButtonStyle { Push, Navigation };
enum class EditStyle { Normal, ReadOnly };
enum class PickerKind { Date, Time };
enum class TextAlign { Left, Center, Right };

// Creates the controls of a window. `parent` is the window or a panel of it.
class Factory {
public:
    virtual ~Factory() = default;
    virtual std::unique_ptr<Window> window(const WindowSpec& windowSpec, WindowEvents& events) = 0;
    // A window that shows what the program is doing over every other (see Overlay).
    virtual std::unique_ptr<Overlay> overlay(const std::string& className) = 0;
    // The window on which the user drags a rectangle over a still picture of the screen.
    virtual std::unique_ptr<AreaPicker> areaPicker() = 0;
    // Whether a window of the program is shown modally: its modal loop runs below whoever asks.
    virtual bool modalWindowOpen() const = 0;
    virtual std::unique_ptr<Panel> panel(Control& parent, int id, Rect rect, const std::string& caption) = 0;
    // One line of text; what does not fit ends in an ellipsis rather than being cut off unseen.
    virtual std::unique_ptr<Label> label(Control& parent, int id, Rect rect, const std::string& caption,
                                         TextAlign align = TextAlign::Left) = 0;
    // A label that reports clicks (Event::Click) and shows the hand cursor, like a link.
    virtual std::unique_ptr<Label> link(Control& parent, int id, Rect rect, const std::string& caption) = 0;
    virtual std::unique_ptr<Button> button(Control& parent, int id, Rect rect, const std::string& caption,
                                           ButtonStyle style = ButtonStyle::Push) = 0;
    virtual std::unique_ptr<Edit> edit(Control& parent, int id, Rect rect, const std::string& text,
                                       EditStyle style = EditStyle::Normal) = 0;
    virtual std::unique_ptr<Memo> memo(Control& parent, int id, Rect rect) = 0;
    virtual std::unique_ptr<CheckBox> checkBox(Control& parent, int id, Rect rect, const std::string& caption) = 0;
    virtual std::unique_ptr<RadioButton> radioButton(Control& parent, int id, Rect rect,
                                                     const std::string& caption, bool firstOfGroup) = 0;
    virtual std::unique_ptr<TrackBar> trackBar(Control& parent, int id, Rect rect, int min, int max,
                                               int position) = 0;
    virtual std::unique_ptr<ProgressBar> progressBar(Control& parent, int id, Rect rect) = 0;
    virtual std::unique_ptr<ComboBox> comboBox(Control& parent, int id, Rect rect, bool dropDownList) = 0;
    virtual std::unique_ptr<ListBox> listBox(Control& parent, int id, Rect rect, bool multiSelect = false) = 0;
    virtual std::unique_ptr<TextArea> textArea(Control& parent, int id, Rect rect) = 0;
    virtual std::unique_ptr<StatusBar> statusBar(Control& parent, int id, Rect rect,
                                                 const std::vector<int>& panelWidths) = 0;
    virtual std::unique_ptr<Timer> timer(Window& owner, int id, uint32_t intervalMs) = 0;
    // A date picker shows "yyyy-MM-dd", a time picker "HH:mm:ss".
    virtual std::unique_ptr<DateTimePicker> dateTimePicker(Control& parent, int id, Rect rect, PickerKind kind) = 0;
    virtual std::unique_ptr<ListView> listView(Control& parent, int id, Rect rect,
                                               const std::vector<ListColumn>& columns, bool multiSelect = false) = 0;
};

}  // namespace tapmill::ui
