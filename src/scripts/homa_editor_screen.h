#pragma once
#include <memory>
#include <string>
#include <vector>

#include "capture/capture_fields.h"
#include "ui/factory.h"

namespace tapmill {

class TForm_homa;

// The script editor's section for the lines that wait for the screen: a colour at a point, whose
// fields the point-capture key fills with the point under the pointer and its colour, and a
// picture, taken by dragging a rectangle over a still picture of the screen ("截取图片"). Their
// lines take the limit and label fields of the window lines, and go in above the chosen line.
class HomaScreenInserts : public ColourPointField {
public:
    enum ControlId : int {
        ID_Edit_colx = 900,
        ID_Edit_coly,
        ID_Edit_colour,
        ID_Edit_coltol,
        ID_SpeedButton_addcolour,
        ID_SpeedButton_shot,
        ID_ScreenCaption,
    };
    // The height the section takes below the building blocks, at 96 DPI.
    static constexpr int kHeight = 70;

    HomaScreenInserts(TForm_homa& editor, platform::Screen& screen, ui::Factory& factory, ui::Window& window, int top);

    bool handles(int controlId) const { return controlId >= ID_Edit_colx && controlId < ID_ScreenCaption; }
    // The insert buttons work on the list: off while the text view stands in its place.
    void enableInserts(bool enabled);
    void onControlEvent(int controlId, ui::Event event, ui::EventArgs& args);

    std::unique_ptr<ui::Edit> Edit_colx, Edit_coly, Edit_colour, Edit_coltol;
    std::unique_ptr<ui::Button> SpeedButton_addcolour, SpeedButton_shot;

    // "等待颜色：X=" x "y=" y "颜色=" RRGGBB, "，容差" n when one is given.
    void SpeedButton_addcolourClick();
    // The part of the screen the user drags is kept as the script's next picture, and the line
    // that waits for it goes in; a cancel keeps and inserts nothing.
    void SpeedButton_shotClick();

    void capturePointColour(int x, int y, uint32_t colour) override;

private:
    void addCaption(ui::Rect rect, const std::string& text);
    // Inserts the waiting line with the limit and label of the window lines, once it reads.
    void insertWaitLine(const std::string& line, ui::Control& source);

    TForm_homa& editor_;
    platform::Screen& screen_;
    ui::Factory& factory_;
    ui::Window& window_;
    std::vector<std::unique_ptr<ui::Label>> captions_;
    std::unique_ptr<CaptureFieldLoan<ColourPointField>> colourFieldLoan_;
};

}  // namespace tapmill
