#pragma once
#include <cstdint>

#include "common/timestamp.h"
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

// A list box highlights its selected item alone, or, made for several, any number of items that
// the user extends with Shift and Ctrl; selectedIndex() is then the item with the focus frame,
// and setSelectedIndex() highlights that item alone.
class ListBox : public ItemList {
public:
    virtual bool highlighted(int index) const = 0;
    virtual void setHighlighted(int index, bool highlighted) = 0;
    // Moves the focus frame of a box for several items without touching a highlight.
    virtual void setFocusIndex(int index) = 0;
};

// A multi-line text the user types, pastes and copies; lines end in CR LF.
class TextArea : public TextControl {
public:
    // Selects line `line` (from 0) and scrolls it into view.
    virtual void selectLine(int line) = 0;
    // Takes back the user's last change of the text.
    virtual void undo() = 0;
};

class StatusBar : public Control {
public:
    virtual std::string panelText(int panel) const = 0;
    virtual void setPanelText(int panel, const std::string& text) = 0;
    // The tip the panel shows while the pointer rests on it; empty text for none.
    virtual std::string panelTip(int panel) const = 0;
    virtual void setPanelTip(int panel, const std::string& tip) = 0;
};

enum class Align { Left, Center, Right };

struct ListColumn {
    std::string caption;
    int width = 0;
    Align align = Align::Left;
};

// A read-only report table with grid lines and whole-row selection: rows of cells under fixed
// columns. A row is selected (highlighted) or not; a single-choice table keeps at most one row
// selected, a multi-choice table any number. The chosen row is the first selected one.
class ListView : public Control {
public:
    virtual void clear() = 0;
    // Adds a row at the end and gives its index; cells beyond the columns are ignored.
    virtual int addRow(const std::vector<std::string>& cells) = 0;
    virtual void removeRow(int row) = 0;
    virtual int rowCount() const = 0;
    virtual std::string cell(int row, int column) const = 0;
    virtual void setCell(int row, int column, const std::string& text) = 0;
    // The first selected row, or -1.
    virtual int selectedIndex() const = 0;
    // Selects this row alone and makes it the focused row; -1 clears the selection.
    virtual void setSelectedIndex(int row) = 0;
    virtual bool highlighted(int row) const = 0;
    // Selects or deselects one row and leaves the others as they are.
    virtual void setHighlighted(int row, bool highlighted) = 0;
};

// A date or a time-of-day picker. Only the part it shows is meaningful in value().
class DateTimePicker : public Control {
public:
    virtual LocalTime value() const = 0;
    virtual void setValue(const LocalTime& value) = 0;
};

}  // namespace tapmill::ui
