#pragma once
#include "ui/controls.h"

namespace tapmill {

// The columns the editor's pages of insert rows share: a caption, its fields, and the buttons that
// insert the line, one row under another. Positions are pixels of a page at 96 DPI.
namespace homa_rows {

constexpr int kPageWidth = 416;
constexpr int kRowHeight = 28;
constexpr int kPageRows = 7;
constexpr int kPageHeight = kPageRows * kRowHeight;
constexpr int kCaptionX = 0;
constexpr int kCaptionWidth = 78;
constexpr int kFieldX = 80;
constexpr int kInsertWidth = 96;
// The rightmost button of a row, and the one left of it.
constexpr int kInsertX = kPageWidth - kInsertWidth;
constexpr int kSecondInsertX = kInsertX - kInsertWidth - 4;

// The top of a row's fields.
constexpr int rowY(int row) { return 2 + row * kRowHeight; }
// An insert button's place in a row, at x.
constexpr ui::Rect insertButton(int x, int row) { return {x, rowY(row) - 1, kInsertWidth, 24}; }
// A row's caption at the left.
constexpr ui::Rect rowCaption(int row) { return {kCaptionX, rowY(row) + 4, kCaptionWidth, 14}; }

}  // namespace homa_rows

}  // namespace tapmill
