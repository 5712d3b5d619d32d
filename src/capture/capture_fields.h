#pragma once
#include <cstdint>

#include "ui/controls.h"
#include "ui/window.h"

namespace tapmill {

// The fields of other windows that the main window fills while they capture input: the script
// editor's key field Edit_kb and point list ComboBox_con, the hot-key window's Edit_hot and
// Edit_kc. A window lends its fields for as long as it lives (CaptureFieldLoan) and sets the main
// window's flag capture_kb, capture_hot or capture_kc while the field has the focus. The main
// window writes a captured key's name into the fields whose flag is set, and a captured point
// (Ctrl+1) at the top of the point list. The editor also lends its window while it has hidden it
// to clear the screen for point capture: the main window's show brings it back with itself.
// A field that takes a whole combination, the key with the modifiers held at its press: the
// options panel's fields of the control hot keys.
class ChordField {
public:
    virtual ~ChordField() = default;
    virtual void captureChord(int key, uint32_t modifiers) = 0;
};

struct CaptureFields {
    ui::TextControl* Edit_kb = nullptr;
    ui::TextControl* Edit_hot = nullptr;
    ui::TextControl* Edit_kc = nullptr;
    ui::ItemList* ComboBox_con = nullptr;
    // The editor's field of the window its moves are anchored to: a captured point fills it with
    // the title and class of the window under the pointer.
    ui::TextControl* Edit_anchor = nullptr;
    ui::Window* hiddenForPointCapture = nullptr;
    // Set while such a field has the focus; the control hot keys do not act meanwhile.
    ChordField* chordField = nullptr;
};

// Puts a window's field into its slot of CaptureFields and takes it out again when the window
// goes, so the main window never writes into a freed control.
template <class Field>
class CaptureFieldLoan {
public:
    CaptureFieldLoan(Field*& slot, Field& field) : slot_(slot), field_(field) { slot_ = &field_; }
    ~CaptureFieldLoan() {
        if (slot_ == &field_) slot_ = nullptr;
    }
    CaptureFieldLoan(const CaptureFieldLoan&) = delete;
    CaptureFieldLoan& operator=(const CaptureFieldLoan&) = delete;

private:
    Field*& slot_;
    Field& field_;
};

}  // namespace tapmill
