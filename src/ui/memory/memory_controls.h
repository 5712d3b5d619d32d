#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/factory.h"

// In-memory controls for the tests: each keeps the state a real control would show.
namespace tapmill::ui::memory {

template <class Base>
class MemoryControl : public Base {
public:
    explicit MemoryControl(int id) : id_(id) {}
    int id() const override { return id_; }
    void setVisible(bool v) override { visible_ = v; }
    bool visible() const override { return visible_; }
    void setEnabled(bool e) override { enabled_ = e; }
    bool enabled() const override { return enabled_; }
    void bringToFront() override { zOrder_ = ++zCounter(); }
    void setFocus() override { focusCount_++; }
    // Higher lies in front.
    int zOrder() const { return zOrder_; }
    int focusCount() const { return focusCount_; }

private:
    static int& zCounter() {
        static int counter = 0;
        return counter;
    }
    int id_;
    bool visible_ = true;
    bool enabled_ = true;
    int zOrder_ = ++zCounter();
    int focusCount_ = 0;
};

template <class Base>
class MemoryTextControl : public MemoryControl<Base> {
public:
    MemoryTextControl(int id, std::string text) : MemoryControl<Base>(id), text_(std::move(text)) {}
    std::string text() const override { return text_; }
    void setText(const std::string& t) override { text_ = t; }

private:
    std::string text_;
};

using MemoryPanel = MemoryTextControl<Panel>;
using MemoryLabel = MemoryTextControl<Label>;
using MemoryButton = MemoryTextControl<Button>;

class MemoryEdit : public MemoryTextControl<Edit> {
public:
    using MemoryTextControl<Edit>::MemoryTextControl;
    void setText(const std::string& t) override;
    void selectAll() override { selection_ = {0, static_cast<int>(text().size())}; }
    std::pair<int, int> selection() const override { return selection_; }
    void setBackground(SysColor c) override { background_ = c; }
    SysColor background() const override { return background_; }

private:
    std::pair<int, int> selection_{0, 0};
    SysColor background_ = SysColor::Window;
};

class MemoryMemo : public MemoryControl<Memo> {
public:
    using MemoryControl<Memo>::MemoryControl;
    void setLines(const std::vector<std::string>& lines) override { lines_ = lines; }
    std::vector<std::string> lines() const override { return lines_; }

private:
    std::vector<std::string> lines_;
};

template <class Base>
class MemoryCheck : public MemoryTextControl<Base> {
public:
    using MemoryTextControl<Base>::MemoryTextControl;
    bool checked() const override { return checked_; }
    void setChecked(bool c) override { checked_ = c; }

private:
    bool checked_ = false;
};

using MemoryCheckBox = MemoryCheck<CheckBox>;
using MemoryRadioButton = MemoryCheck<RadioButton>;

class MemoryTrackBar : public MemoryControl<TrackBar> {
public:
    MemoryTrackBar(int id, int min, int max, int pos) : MemoryControl(id), min_(min), max_(max), pos_(pos) {}
    int position() const override { return pos_; }
    void setPosition(int p) override { pos_ = p < min_ ? min_ : (p > max_ ? max_ : p); }

private:
    int min_, max_, pos_;
};

class MemoryProgressBar : public MemoryControl<ProgressBar> {
public:
    using MemoryControl<ProgressBar>::MemoryControl;
    int position() const override { return pos_; }
    void setPosition(int p) override { pos_ = p; }

private:
    int pos_ = 0;
};

template <class Base>
class MemoryItemList : public MemoryTextControl<Base> {
public:
    explicit MemoryItemList(int id) : MemoryTextControl<Base>(id, "") {}
    void clear() override {
        items_.clear();
        selected_ = -1;
    }
    void addItem(const std::string& item) override { items_.push_back(item); }
    void insertItem(int index, const std::string& item) override {
        if (index < 0 || index > count()) index = count();
        items_.insert(items_.begin() + index, item);
        if (selected_ >= index) ++selected_;
    }
    void removeItem(int index) override {
        if (index < 0 || index >= count()) return;
        items_.erase(items_.begin() + index);
        if (selected_ == index) selected_ = -1;
        else if (selected_ > index) --selected_;
    }
    int count() const override { return static_cast<int>(items_.size()); }
    std::string item(int index) const override {
        return index >= 0 && index < count() ? items_[static_cast<size_t>(index)] : std::string();
    }
    int selectedIndex() const override { return selected_; }
    void setSelectedIndex(int index) override {
        selected_ = index >= 0 && index < count() ? index : -1;
        if (selected_ >= 0) this->setText(items_[static_cast<size_t>(selected_)]);
    }

private:
    std::vector<std::string> items_;
    int selected_ = -1;
};

using MemoryComboBox = MemoryItemList<ComboBox>;

class MemoryListBox : public MemoryItemList<ListBox> {
public:
    MemoryListBox(int id, bool multiSelect) : MemoryItemList<ListBox>(id), multiSelect_(multiSelect) {}
    void clear() override;
    void addItem(const std::string& item) override;
    void insertItem(int index, const std::string& item) override;
    void removeItem(int index) override;
    int selectedIndex() const override;
    void setSelectedIndex(int index) override;
    bool highlighted(int index) const override;
    void setHighlighted(int index, bool highlighted) override;
    void setFocusIndex(int index) override;

private:
    bool has(int index) const { return index >= 0 && index < count(); }
    bool multiSelect_;
    // Kept for a box made for several items only.
    std::vector<bool> marks_;
    int focus_ = -1;
};

class MemoryTextArea : public MemoryTextControl<TextArea> {
public:
    using MemoryTextControl<TextArea>::MemoryTextControl;
    // What the user's typing does: the text before it is what undo() brings back.
    void type(const std::string& text);
    void selectLine(int line) override { selectedLine_ = line; }
    void undo() override;
    int selectedLine() const { return selectedLine_; }

private:
    std::string beforeTyping_;
    int selectedLine_ = -1;
};

class MemoryStatusBar : public MemoryControl<StatusBar> {
public:
    using MemoryControl<StatusBar>::MemoryControl;
    std::string panelText(int panel) const override;
    void setPanelText(int panel, const std::string& text) override { panels_[panel] = text; }
    std::string panelTip(int panel) const override { return tips_.count(panel) ? tips_.at(panel) : std::string(); }
    void setPanelTip(int panel, const std::string& tip) override { tips_[panel] = tip; }

private:
    std::map<int, std::string> panels_;
    std::map<int, std::string> tips_;
};

class MemoryFactory;

class MemoryWindow : public MemoryTextControl<Window> {
public:
    MemoryWindow(const WindowSpec& windowSpec, WindowEvents& events, MemoryFactory& factory)
        : MemoryTextControl<Window>(0, windowSpec.caption), spec_(windowSpec), events_(events), factory_(factory) {
        setVisible(false);
    }
    // Runs the factory's modal script while the window is open, then closes it if the script left
    // it open.
    void showModal() override;
    void show() override;
    void hide() override { setVisible(false); }
    void close() override;
    bool minimized() const override { return minimized_; }
    void restore() override { minimized_ = false; }
    uintptr_t nativeHandle() const override { return 0x1234; }
    // What the system does when the user minimises the window.
    void minimize();
    // What the system tells the window when it gets or loses the keyboard focus.
    void activate(bool active) { events_.onActivate(active); }
    bool closed() const { return closed_; }
    const WindowSpec& windowSpec() const { return spec_; }
    // The form behind the window, for a test that drives a modal window.
    WindowEvents& events() { return events_; }

private:
    WindowSpec spec_;
    WindowEvents& events_;
    MemoryFactory& factory_;
    bool minimized_ = false;
    bool closed_ = false;
};

class MemoryDateTimePicker : public MemoryControl<DateTimePicker> {
public:
    using MemoryControl<DateTimePicker>::MemoryControl;
    LocalTime value() const override { return value_; }
    void setValue(const LocalTime& v) override { value_ = v; }

private:
    LocalTime value_{2000, 1, 1, 0, 0, 0};
};

class MemoryTimer : public Timer {
public:
    explicit MemoryTimer(uint32_t interval) : interval_(interval) {}
    void setEnabled(bool e) override { enabled_ = e; }
    bool enabled() const override { return enabled_; }
    uint32_t interval() const override { return interval_; }

private:
    uint32_t interval_;
    bool enabled_ = true;
};

// An overlay as the test sees it: what it shows and where. Its size is a fixed cell per character.
class MemoryOverlay : public Overlay {
public:
    explicit MemoryOverlay(Rect workArea) : workArea_(workArea) {}
    void setContent(const std::string& text, uint32_t colour) override;
    Rect size() const override { return size_; }
    Rect workArea() const override { return workArea_; }
    void showAt(int x, int y) override;
    void hide() override { visible_ = false; }
    bool visible() const override { return visible_; }
    const std::string& text() const { return text_; }
    uint32_t colour() const { return colour_; }
    // Where it is, on the screen.
    Rect placed() const { return {x_, y_, size_.w, size_.h}; }

private:
    Rect workArea_;
    Rect size_;
    std::string text_;
    uint32_t colour_ = 0;
    int x_ = 0, y_ = 0;
    bool visible_ = false;
};

// The user's drag over the still screen as a test scripts it.
class MemoryAreaPicker : public AreaPicker {
public:
    explicit MemoryAreaPicker(MemoryFactory& factory) : factory_(factory) {}
    std::optional<Drag> pick(const platform::ScreenRect& screen, const platform::PixelBuffer& picture) override;

private:
    MemoryFactory& factory_;
};

class MemoryFactory : public Factory {
public:
    // What the user drags on the still screen (nothing: a cancel), and how often it was shown.
    std::optional<Drag> dragOnPicker;
    int pickerShown = 0;
    std::unique_ptr<AreaPicker> areaPicker() override { return std::make_unique<MemoryAreaPicker>(*this); }

    // The screen the overlays are on, and the overlay made last.
    Rect workArea{0, 0, 1024, 768};
    MemoryOverlay* overlayMade = nullptr;
    std::unique_ptr<Overlay> overlay(const std::string& className) override;
    // What the user does in a modal window while it is open (a test's script of clicks). Without
    // one, a modal window closes as soon as it has been shown.
    std::function<void(MemoryWindow&)> modalScript;

    std::unique_ptr<Window> window(const WindowSpec& windowSpec, WindowEvents& events) override;
    bool modalWindowOpen() const override { return modalOpen_ > 0; }
    std::unique_ptr<Panel> panel(Control& parent, int id, Rect rect, const std::string& caption) override;
    std::unique_ptr<Label> label(Control& parent, int id, Rect rect, const std::string& caption,
                                 TextAlign align) override;
    std::unique_ptr<Label> link(Control& parent, int id, Rect rect, const std::string& caption) override;
    std::unique_ptr<Button> button(Control& parent, int id, Rect rect, const std::string& caption,
                                   ButtonStyle style) override;
    std::unique_ptr<Edit> edit(Control& parent, int id, Rect rect, const std::string& text, EditStyle style) override;
    std::unique_ptr<Memo> memo(Control& parent, int id, Rect rect) override;
    std::unique_ptr<CheckBox> checkBox(Control& parent, int id, Rect rect, const std::string& caption) override;
    std::unique_ptr<RadioButton> radioButton(Control& parent, int id, Rect rect, const std::string& caption,
                                             bool firstOfGroup) override;
    std::unique_ptr<TrackBar> trackBar(Control& parent, int id, Rect rect, int min, int max, int position) override;
    std::unique_ptr<ProgressBar> progressBar(Control& parent, int id, Rect rect) override;
    std::unique_ptr<ComboBox> comboBox(Control& parent, int id, Rect rect, bool dropDownList) override;
    std::unique_ptr<ListBox> listBox(Control& parent, int id, Rect rect, bool multiSelect) override;
    std::unique_ptr<TextArea> textArea(Control& parent, int id, Rect rect) override;
    std::unique_ptr<StatusBar> statusBar(Control& parent, int id, Rect rect, const std::vector<int>& widths) override;
    std::unique_ptr<Timer> timer(Window& owner, int id, uint32_t intervalMs) override;
    std::unique_ptr<DateTimePicker> dateTimePicker(Control& parent, int id, Rect rect, PickerKind kind) override;
    // In memory_list_view.cpp.
    std::unique_ptr<ListView> listView(Control& parent, int id, Rect rect, const std::vector<ListColumn>& columns,
                                       bool multiSelect) override;

private:
    friend class MemoryWindow;
    int modalOpen_ = 0;  // modal windows whose script runs
};

// The in-memory control behind an interface reference, for tests that need its extra state.
template <class T, class I>
T& as(I& control) {
    return dynamic_cast<T&>(control);
}

}  // namespace tapmill::ui::memory
