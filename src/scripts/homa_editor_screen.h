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
        ID_Edit_foundx,
        ID_Edit_foundy,
        ID_SpeedButton_addfound,
        ID_SpeedButton_trywait,
        ID_ScreenCaption,
    };

    // Its rows go on `page`, below the window rows whose limit and label fields they share.
    HomaScreenInserts(TForm_homa& editor, platform::Screen& screen, ui::Factory& factory, ui::Control& page);

    bool handles(int controlId) const { return controlId >= ID_Edit_colx && controlId < ID_ScreenCaption; }
    // The insert buttons work on the list: off while the text view stands in its place.
    void enableInserts(bool enabled);
    void onControlEvent(int controlId, ui::Event event, ui::EventArgs& args);

    std::unique_ptr<ui::Edit> Edit_colx, Edit_coly, Edit_colour, Edit_coltol, Edit_foundx, Edit_foundy;
    std::unique_ptr<ui::Button> SpeedButton_addcolour, SpeedButton_shot, SpeedButton_addfound, SpeedButton_trywait;

    // "等待颜色：X=" x "y=" y "颜色=" RRGGBB, "，容差" n when one is given.
    void SpeedButton_addcolourClick();
    // The part of the screen the user drags is kept as the script's next picture, and the line
    // that waits for it goes in; a cancel keeps and inserts nothing.
    void SpeedButton_shotClick();
    // "移到找到的位置", with "，偏移X=" dx "y=" dy when an offset is given.
    void SpeedButton_addfoundClick();
    // "测试": looks for what the chosen colour or picture line waits for (else the colour of the
    // fields) on the screen now, and tells where it is and how close the screen came.
    void SpeedButton_trywaitClick();

    void capturePointColour(int x, int y, uint32_t colour) override;

private:
    void addCaption(ui::Control& parent, ui::Rect rect, const std::string& text);
    // "，容差" n from the tolerance field, or nothing when it is empty.
    std::string toleranceClause() const;
    // Inserts the waiting line with the limit and label of the window lines, once it reads.
    void insertWaitLine(const std::string& line, ui::Control& source);
    // Inserts the line once it reads as a run reads it; else names what is wrong.
    void insertCheckedLine(const std::string& line, ui::Control& source);

    TForm_homa& editor_;
    platform::Screen& screen_;
    ui::Factory& factory_;
    std::vector<std::unique_ptr<ui::Label>> captions_;
    std::unique_ptr<CaptureFieldLoan<ColourPointField>> colourFieldLoan_;
};

}  // namespace tapmill
