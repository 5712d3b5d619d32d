#include "ui/memory/memory_controls.h"

namespace tapmill::ui::memory {

void MemoryEdit::setText(const std::string& t) {
    MemoryTextControl<Edit>::setText(t);
    selection_ = {static_cast<int>(t.size()), static_cast<int>(t.size())};
}

std::string MemoryStatusBar::panelText(int panel) const {
    auto it = panels_.find(panel);
    return it == panels_.end() ? std::string() : it->second;
}

void MemoryWindow::show() {
    bool wasVisible = visible();
    setVisible(true);
    if (!wasVisible) events_.onShow();
}

void MemoryWindow::close() {
    if (!events_.onCloseQuery()) return;
    events_.onClose();
    setVisible(false);
    closed_ = true;
}

void MemoryWindow::showModal() {
    closed_ = false;
    show();
    if (factory_.modalScript) {
        // Open for as long as the script runs, also when it throws.
        std::unique_ptr<int, void (*)(int*)> open(&++factory_.modalOpen_, [](int* n) { --*n; });
        factory_.modalScript(*this);
    }
    if (closed_) return;
    // A window a test leaves open goes the way the close box would take it, whatever it answers.
    events_.onClose();
    setVisible(false);
    closed_ = true;
}

void MemoryWindow::minimize() {
    minimized_ = true;
    events_.onMinimize();
}

std::unique_ptr<Window> MemoryFactory::window(const WindowSpec& windowSpec, WindowEvents& events) {
    return std::make_unique<MemoryWindow>(windowSpec, events, *this);
}
std::unique_ptr<Panel> MemoryFactory::panel(Control&, int id, Rect, const std::string& caption) {
    return std::make_unique<MemoryPanel>(id, caption);
}
std::unique_ptr<Label> MemoryFactory::label(Control&, int id, Rect, const std::string& caption, TextAlign) {
    return std::make_unique<MemoryLabel>(id, caption);
}
std::unique_ptr<Label> MemoryFactory::link(Control&, int id, Rect, const std::string& caption) {
    return std::make_unique<MemoryLabel>(id, caption);
}
std::unique_ptr<Button> MemoryFactory::button(Control&, int id, Rect, const std::string& caption, ButtonStyle) {
    return std::make_unique<MemoryButton>(id, caption);
}
std::unique_ptr<Edit> MemoryFactory::edit(Control&, int id, Rect, const std::string& text, EditStyle) {
    return std::make_unique<MemoryEdit>(id, text);
}
std::unique_ptr<Memo> MemoryFactory::memo(Control&, int id, Rect) { return std::make_unique<MemoryMemo>(id); }
std::unique_ptr<CheckBox> MemoryFactory::checkBox(Control&, int id, Rect, const std::string& caption) {
    return std::make_unique<MemoryCheckBox>(id, caption);
}
std::unique_ptr<RadioButton> MemoryFactory::radioButton(Control&, int id, Rect, const std::string& caption, bool) {
    return std::make_unique<MemoryRadioButton>(id, caption);
}
std::unique_ptr<TrackBar> MemoryFactory::trackBar(Control&, int id, Rect, int min, int max, int position) {
    return std::make_unique<MemoryTrackBar>(id, min, max, position);
}
std::unique_ptr<ProgressBar> MemoryFactory::progressBar(Control&, int id, Rect) {
    return std::make_unique<MemoryProgressBar>(id);
}
std::unique_ptr<ComboBox> MemoryFactory::comboBox(Control&, int id, Rect, bool) {
    return std::make_unique<MemoryComboBox>(id);
}
std::unique_ptr<ListBox> MemoryFactory::listBox(Control&, int id, Rect) { return std::make_unique<MemoryListBox>(id); }
std::unique_ptr<StatusBar> MemoryFactory::statusBar(Control&, int id, Rect, const std::vector<int>&) {
    return std::make_unique<MemoryStatusBar>(id);
}
std::unique_ptr<DateTimePicker> MemoryFactory::dateTimePicker(Control&, int id, Rect, PickerKind) {
    return std::make_unique<MemoryDateTimePicker>(id);
}
std::unique_ptr<Timer> MemoryFactory::timer(Window&, int, uint32_t intervalMs) {
    return std::make_unique<MemoryTimer>(intervalMs);
}

}  // namespace tapmill::ui::memory
