#include "app/speed_scale.h"

namespace tapmill {

namespace {

// How far the channel's ends lie inside the track bar: its margin and half the thumb.
constexpr int kChannelInset = 10;
constexpr int kCaptionHeight = 14;
constexpr int kCaptionWidth = 40;

}  // namespace

std::vector<std::unique_ptr<ui::Label>> speedScale(ui::Factory& factory, ui::Control& parent, int captionId, ui::Rect trackBar) {
    const int y = trackBar.y + trackBar.h + 2;
    const int left = trackBar.x + kChannelInset;
    const int right = trackBar.x + trackBar.w - kChannelInset;
    const int middle = trackBar.x + trackBar.w / 2;
    std::vector<std::unique_ptr<ui::Label>> captions;
    // Each caption is centred on its point; the end ones are kept inside the track bar.
    captions.push_back(factory.label(parent, captionId, {left - kCaptionWidth / 2, y, kCaptionWidth, kCaptionHeight}, "慢",
                                     ui::TextAlign::Center));
    captions.push_back(factory.label(parent, captionId, {middle - kCaptionWidth / 2, y, kCaptionWidth, kCaptionHeight},
                                     "中", ui::TextAlign::Center));
    captions.push_back(factory.label(parent, captionId, {right - kCaptionWidth / 2, y, kCaptionWidth, kCaptionHeight}, "快",
                                     ui::TextAlign::Center));
    return captions;
}

}  // namespace tapmill
