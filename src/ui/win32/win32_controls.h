#pragma once
#include <windows.h>

#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "platform/win32/wide.h"
#include "ui/factory.h"

namespace tapmill::win32 {

class Win32Window;

// What every real control offers the backend: its handle, and how to lay itself out again when
// the window moves to a monitor of another DPI.
class NativeControl {
public:
    virtual ~NativeControl() = default;
    virtual HWND hwnd() const = 0;
    virtual void applyDpi(int dpi, HFONT font) = 0;
};

HWND nativeHandleOf(ui::Control& control);
int scaleForDpi(int value, int dpi);
// Registers the class of the program's module that `wc` describes (its size and instance filled
// in here), unless a window made earlier registered it already.
void registerClassOnce(WNDCLASSEXW wc);

template <class Base>
class Win32Control : public Base, public NativeControl {
public:
    Win32Control(HWND hwnd, int id, ui::Rect rect) : hwnd_(hwnd), id_(id), rect_(rect) {}
    HWND hwnd() const override { return hwnd_; }
    int id() const override { return id_; }
    void setVisible(bool v) override { ShowWindow(hwnd_, v ? SW_SHOW : SW_HIDE); }
    bool visible() const override { return (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }
    void setEnabled(bool e) override { EnableWindow(hwnd_, e ? TRUE : FALSE); }
    bool enabled() const override { return IsWindowEnabled(hwnd_) != FALSE; }
    void bringToFront() override { SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }
    void setFocus() override { SetFocus(hwnd_); }
    void applyDpi(int dpi, HFONT font) override {
        SetWindowPos(hwnd_, nullptr, scaleForDpi(rect_.x, dpi), scaleForDpi(rect_.y, dpi), scaleForDpi(rect_.w, dpi),
                     scaleForDpi(rect_.h, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }

protected:
    HWND hwnd_;
    int id_;
    ui::Rect rect_;
};

template <class Base>
class Win32TextControl : public Win32Control<Base> {
public:
    using Win32Control<Base>::Win32Control;
    std::string text() const override {
        int n = GetWindowTextLengthW(this->hwnd_);
        std::wstring w(static_cast<size_t>(n) + 1, L'\0');
        GetWindowTextW(this->hwnd_, &w[0], n + 1);
        w.resize(static_cast<size_t>(n));
        return narrow(w);
    }
    void setText(const std::string& t) override { SetWindowTextW(this->hwnd_, widen(t).c_str()); }
};

using Win32Panel = Win32TextControl<ui::Panel>;
using Win32Label = Win32TextControl<ui::Label>;
using Win32Button = Win32TextControl<ui::Button>;

class Win32Edit : public Win32TextControl<ui::Edit> {
public:
    using Win32TextControl<ui::Edit>::Win32TextControl;
    void selectAll() override { SendMessageW(hwnd_, EM_SETSEL, 0, -1); }
    std::pair<int, int> selection() const override;
    void setBackground(ui::SysColor c) override;
    ui::SysColor background() const override;
};

class Win32Memo : public Win32Control<ui::Memo> {
public:
    using Win32Control<ui::Memo>::Win32Control;
    void setLines(const std::vector<std::string>& lines) override;
    std::vector<std::string> lines() const override { return lines_; }

private:
    std::vector<std::string> lines_;
};

template <class Base>
class Win32Check : public Win32TextControl<Base> {
public:
    using Win32TextControl<Base>::Win32TextControl;
    bool checked() const override { return SendMessageW(this->hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void setChecked(bool c) override { SendMessageW(this->hwnd_, BM_SETCHECK, c ? BST_CHECKED : BST_UNCHECKED, 0); }
};

using Win32CheckBox = Win32Check<ui::CheckBox>;
using Win32RadioButton = Win32Check<ui::RadioButton>;

class Win32TrackBar : public Win32Control<ui::TrackBar> {
public:
    using Win32Control<ui::TrackBar>::Win32Control;
    int position() const override;
    void setPosition(int p) override;
};

class Win32ProgressBar : public Win32Control<ui::ProgressBar> {
public:
    using Win32Control<ui::ProgressBar>::Win32Control;
    int position() const override;
    void setPosition(int p) override;
};

// The messages of a combo box and of a list box differ only in their names.
struct ListMessages {
    UINT reset, add, insert, remove, count, textLength, text, getSelection, setSelection, setItemHeight;
};

// Lists draw their items themselves (owner-drawn), one line each: a text too long for the list
// ends in an ellipsis instead of being cut off unseen.
int listItemHeight(HFONT font);
void drawListItem(const DRAWITEMSTRUCT& item);

template <class Base>
class Win32ItemList : public Win32TextControl<Base> {
public:
    Win32ItemList(HWND hwnd, int id, ui::Rect rect, const ListMessages& m)
        : Win32TextControl<Base>(hwnd, id, rect), m_(m) {}
    void applyDpi(int dpi, HFONT font) override {
        Win32TextControl<Base>::applyDpi(dpi, font);
        // The items, and a drop-down list's selection field (-1), take the height of the font.
        SendMessageW(this->hwnd_, m_.setItemHeight, 0, listItemHeight(font));
        if (m_.setItemHeight == CB_SETITEMHEIGHT)
            SendMessageW(this->hwnd_, m_.setItemHeight, static_cast<WPARAM>(-1), listItemHeight(font));
    }
    void clear() override { SendMessageW(this->hwnd_, m_.reset, 0, 0); }
    void addItem(const std::string& item) override {
        SendMessageW(this->hwnd_, m_.add, 0, reinterpret_cast<LPARAM>(widen(item).c_str()));
    }
    void insertItem(int index, const std::string& item) override {
        SendMessageW(this->hwnd_, m_.insert, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(widen(item).c_str()));
    }
    void removeItem(int index) override { SendMessageW(this->hwnd_, m_.remove, static_cast<WPARAM>(index), 0); }
    int count() const override { return static_cast<int>(SendMessageW(this->hwnd_, m_.count, 0, 0)); }
    std::string item(int index) const override {
        LRESULT n = SendMessageW(this->hwnd_, m_.textLength, static_cast<WPARAM>(index), 0);
        if (n < 0) return std::string();
        std::wstring w(static_cast<size_t>(n) + 1, L'\0');
        SendMessageW(this->hwnd_, m_.text, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&w[0]));
        w.resize(static_cast<size_t>(n));
        return narrow(w);
    }
    int selectedIndex() const override { return static_cast<int>(SendMessageW(this->hwnd_, m_.getSelection, 0, 0)); }
    void setSelectedIndex(int index) override {
        SendMessageW(this->hwnd_, m_.setSelection, static_cast<WPARAM>(index), 0);
    }

private:
    ListMessages m_;
};

using Win32ComboBox = Win32ItemList<ui::ComboBox>;

// A box for several items (LBS_EXTENDEDSEL) keeps a selection per item and a focus frame; the
// single-choice messages do not apply to it.
class Win32ListBox : public Win32ItemList<ui::ListBox> {
public:
    Win32ListBox(HWND hwnd, int id, ui::Rect rect, const ListMessages& m, bool multiSelect)
        : Win32ItemList<ui::ListBox>(hwnd, id, rect, m), multiSelect_(multiSelect) {}
    int selectedIndex() const override;
    void setSelectedIndex(int index) override;
    bool highlighted(int index) const override;
    void setHighlighted(int index, bool highlighted) override;
    void setFocusIndex(int index) override;

private:
    bool multiSelect_;
};

class Win32TextArea : public Win32TextControl<ui::TextArea> {
public:
    using Win32TextControl<ui::TextArea>::Win32TextControl;
    void selectLine(int line) override;
    void undo() override { SendMessageW(hwnd_, EM_UNDO, 0, 0); }
};

class Win32StatusBar : public Win32Control<ui::StatusBar> {
public:
    Win32StatusBar(HWND hwnd, int id, ui::Rect rect, std::vector<int> widths)
        : Win32Control<ui::StatusBar>(hwnd, id, rect), widths_(std::move(widths)) {}
    ~Win32StatusBar() override;
    std::string panelText(int panel) const override;
    void setPanelText(int panel, const std::string& text) override;
    std::string panelTip(int panel) const override;
    void setPanelTip(int panel, const std::string& tip) override;
    void applyDpi(int dpi, HFONT font) override;

private:
    // The tool of a panel's tip, over the panel's place.
    TOOLINFOW panelTool(int panel);

    std::vector<int> widths_;
    // A status bar shows a panel's own tip only while its text is cut off; this tool tip shows it
    // always. Made at the first tip.
    HWND tips_ = nullptr;
    std::map<int, std::wstring> tipTexts_;
};

class Win32DateTimePicker : public Win32Control<ui::DateTimePicker> {
public:
    using Win32Control<ui::DateTimePicker>::Win32Control;
    LocalTime value() const override;
    void setValue(const LocalTime& value) override;
};

class Win32Timer : public ui::Timer {
public:
    Win32Timer(HWND owner, int id, uint32_t interval);
    ~Win32Timer() override;
    void setEnabled(bool e) override;
    bool enabled() const override { return enabled_; }
    uint32_t interval() const override { return interval_; }

private:
    HWND owner_;
    int id_;
    uint32_t interval_;
    bool enabled_ = false;
};

}  // namespace tapmill::win32
