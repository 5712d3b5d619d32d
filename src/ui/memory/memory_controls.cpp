#include "ui/memory/memory_controls.h"

#include <algorithm>

#include "ui/single_choice.h"

namespace tapmill::ui::memory {

void MemoryEdit::setText(const std::string& t) {
    MemoryTextControl<Edit>::setText(t);
    selection_ = {static_cast<int>(t.size()), static_cast<int>(t.size())};
}

void MemoryListBox::clear() {
    MemoryItemList<ListBox>::clear();
    marks_.clear();
    focus_ = -1;
}

void MemoryListBox::addItem(const std::string& item) {
    MemoryItemList<ListBox>::addItem(item);
    marks_.push_back(false);
}

void MemoryListBox::insertItem(int index, const std::string& item) {
    if (index < 0 || index > count()) index = count();
    MemoryItemList<ListBox>::insertItem(index, item);
    marks_.insert(marks_.begin() + index, false);
    if (focus_ >= index) ++focus_;
}

void MemoryListBox::removeItem(int index) {
    if (!has(index)) return;
    MemoryItemList<ListBox>::removeItem(index);
    marks_.erase(marks_.begin() + index);
    if (focus_ > index || focus_ >= count()) --focus_;
}

int MemoryListBox::selectedIndex() const { return multiSelect_ ? focus_ : MemoryItemList<ListBox>::selectedIndex(); }

void MemoryListBox::setSelectedIndex(int index) {
    MemoryItemList<ListBox>::setSelectedIndex(index);
    marks_.assign(marks_.size(), false);
    focus_ = has(index) ? index : -1;
    if (focus_ >= 0) marks_[static_cast<size_t>(focus_)] = true;
}

bool MemoryListBox::highlighted(int index) const {
    if (!has(index)) return false;
    return multiSelect_ ? marks_[static_cast<size_t>(index)] : index == selectedIndex();
}

void MemoryListBox::setHighlighted(int index, bool highlighted) {
    if (!has(index)) return;
    if (multiSelect_)
        marks_[static_cast<size_t>(index)] = highlighted;
    else
        highlightSelected(*this, index, highlighted);
}

void MemoryListBox::setFocusIndex(int index) {
    if (!multiSelect_) return setSelectedIndex(index);
    focus_ = has(index) ? index : -1;
}

void MemoryTextArea::type(const std::string& text) {
    beforeTyping_ = this->text();
    setText(text);
}

void MemoryTextArea::undo() { setText(beforeTyping_); }

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

void MemoryOverlay::setContent(const std::string& text, uint32_t colour) {
    text_ = text;
    colour_ = colour;
    // A cell a character (a byte that starts a UTF-8 sequence), and a margin around.
    const int characters = static_cast<int>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
    size_ = {0, 0, 12 * characters + 16, 24};
}

void MemoryOverlay::showAt(int x, int y) {
    x_ = x;
    y_ = y;
    visible_ = true;
}

std::optional<Drag> MemoryAreaPicker::pick(const platform::ScreenRect&, const platform::PixelBuffer&) {
    ++factory_.pickerShown;
    return factory_.dragOnPicker;
}

std::unique_ptr<Overlay> MemoryFactory::overlay(const std::string&) {
    auto made = std::make_unique<MemoryOverlay>(workArea);
    overlayMade = made.get();
    return made;
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
std::unique_ptr<ListBox> MemoryFactory::listBox(Control&, int id, Rect, bool multiSelect) {
    return std::make_unique<MemoryListBox>(id, multiSelect);
}
std::unique_ptr<TextArea> MemoryFactory::textArea(Control&, int id, Rect) {
    return std::make_unique<MemoryTextArea>(id, "");
}
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
