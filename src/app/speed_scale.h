#pragma once
#include <memory>
#include <vector>

#include "ui/factory.h"

namespace tapmill {

// The captions "慢", "中" and "快" under a speed track bar: at the ends of its channel and at its
// middle, whatever the font, since each is aligned to its own point rather than spaced out in
// one caption.
std::vector<std::unique_ptr<ui::Label>> speedScale(ui::Factory& factory, ui::Control& parent, int captionId, ui::Rect trackBar);

}  // namespace tapmill
