#pragma once
#include "ui/controls.h"

namespace tapmill::ui {

// What a single-choice list box does with a highlight: its selected item is its one highlight.
inline void highlightSelected(ListBox& box, int index, bool highlighted) {
    if (highlighted)
        box.setSelectedIndex(index);
    else if (index == box.selectedIndex())
        box.setSelectedIndex(-1);
}

}  // namespace tapmill::ui
