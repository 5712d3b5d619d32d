#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The control types the windows are written against. ui/win32 backs them with real controls,
// ui/memory with plain state for the tests. Texts are UTF-8; positions are pixels at 96 DPI.
namespace tapmill::ui {

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

enum class SysColor { Window, Light3D };

class Control {
public:
    virtual ~Control() = default;
    virtual int id() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool visible() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
    // Puts the control above its siblings (panels lying on top of one another).
    virtual void bringToFront() = 0;
    virtual void setFocus() = 0;
};

// A control with a caption or a text.
class TextControl : public Control {
public:
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
};

class Panel : public TextControl {};
class Label : public TextControl {};
class Button : public TextControl {};

class Edit : public TextControl {
public:
    virtual void selectAll() = 0;
    // The selected range, as character offsets.
    virtual std::pair<int, int> selection() const = 0;
    virtual void setBackground(SysColor color) = 0;
    virtual SysColor background() const = 0;
};

// A multi-line read-only text.
class Memo : public Control {
public:
    virtual void setLines(const std::vector<std::string>& lines) = 0;
    virtual std::vector<std::string> lines() const = 0;
};

class CheckBox : public TextControl {
public:
    virtual bool checked() const = 0;
    virtual void setChecked(bool checked) = 0;
};

class RadioButton : public CheckBox {};

class TrackBar : public Control {
public:
    virtual int position() const = 0;
    virtual void setPosition(int position) = 0;
};

class ProgressBar : public Control {
public:
    virtual int position() const = 0;
    virtual void setPosition(int percent) = 0;
};

// Drop-down lists and list boxes: a list of texts with one selected (or none, -1). A drop-down
// list's text() is the text of its edit part.
class ItemList : public TextControl {
public:
    virtual void clear() = 0;
    virtual void addItem(const std::string& item) = 0;
    virtual void insertItem(int index, const std::string& item) = 0;
    virtual void removeItem(int index) = 0;
    virtual int count() const = 0;
    virtual std::string item(int index) const = 0;
    virtual int selectedIndex() const = 0;
    virtual void setSelectedIndex(int index) = 0;
};

class ComboBox : public ItemList {};
class ListBox : public ItemList {};

class StatusBar : public Control {
public:
    virtual std::string panelText(int panel) const = 0;
    virtual void setPanelText(int panel, const std::string& text) = 0;
};

}  // namespace tapmill::ui
