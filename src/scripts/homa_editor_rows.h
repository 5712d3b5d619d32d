#pragma once
#include "ui/controls.h"

namespace tapmill {

// The columns the editor's sections of insert rows share: a caption, its fields, and the button
// that inserts the line, one row under another.
namespace homa_rows {

constexpr int kCaptionX = 8;
constexpr int kFieldX = 104;
constexpr int kInsertX = 456;
constexpr int kInsertWidth = 96;
constexpr int kRowHeight = 30;

// The rows of one section, the first `firstRowOffset` below the section's top.
struct SectionRows {
    int top;
    int firstRowOffset;

    int y(int row) const { return top + firstRowOffset + row * kRowHeight; }
    // An insert button's place in a row, at x (the rightmost column is kInsertX).
    ui::Rect insertButton(int x, int row) const { return {x, y(row) - 1, kInsertWidth, 24}; }
};

}  // namespace homa_rows

}  // namespace tapmill
