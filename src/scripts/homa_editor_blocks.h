#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "capture/capture_fields.h"
#include "ui/factory.h"

namespace tapmill {

class TForm_homa;

// The script editor's section for the building blocks: typing a text, a random delay, a loop,
// labels and jumps, waiting for a window and bringing one to the front. Each line is built from
// its fields and inserted above the chosen line, as the editor's own insert buttons do.
class HomaBlockInserts {
public:
    enum ControlId : int {
        ID_Edit_text = 860,
        ID_SpeedButton_addtext,
        ID_Edit_rnda,
        ID_Edit_rndb,
        ID_SpeedButton_addrnd,
        ID_Edit_loop,
        ID_SpeedButton_addloop,
        ID_Edit_label,
        ID_SpeedButton_addlabel,
        ID_SpeedButton_addjump,
        ID_Edit_win,
        ID_Edit_winlimit,
        ID_Edit_winelse,
        ID_SpeedButton_addwait,
        ID_SpeedButton_addact,
        ID_Edit_anchor,
        ID_SpeedButton_addanchor,
        ID_SpeedButton_addscreen,
        ID_BlockCaption,
    };
    // The text, delay, loop and jump rows go on `textPage`; the window rows, with the limit and
    // label fields every waiting line takes, on `windowPage`.
    HomaBlockInserts(TForm_homa& editor, ui::Factory& factory, ui::Control& textPage, ui::Control& windowPage);

    bool handles(int controlId) const { return controlId >= ID_Edit_text && controlId < ID_BlockCaption; }
    // The insert buttons work on the list: off while the text view stands in its place.
    void enableInserts(bool enabled);
    void onControlEvent(int controlId, ui::Event event, ui::EventArgs& args);

    std::unique_ptr<ui::Edit> Edit_text, Edit_rnda, Edit_rndb, Edit_loop, Edit_label, Edit_win, Edit_winlimit,
        Edit_winelse, Edit_anchor;
    std::unique_ptr<ui::Button> SpeedButton_addtext, SpeedButton_addrnd, SpeedButton_addloop, SpeedButton_addlabel,
        SpeedButton_addjump, SpeedButton_addwait, SpeedButton_addact, SpeedButton_addanchor, SpeedButton_addscreen;

    void SpeedButton_addtextClick();
    void SpeedButton_addrndClick();
    // The loop goes in with its end, and the end is chosen: the lines inserted next go inside.
    void SpeedButton_addloopClick();
    void SpeedButton_addlabelClick();
    void SpeedButton_addjumpClick();
    void SpeedButton_addwaitClick();
    void SpeedButton_addactClick();
    // "窗口：" with the window field's title and class (the limit and label fields as for the
    // window lines above), and "屏幕坐标".
    void SpeedButton_addanchorClick();
    void SpeedButton_addscreenClick();

    // The end of a waiting line from the limit and label fields: "，限时" s "秒", then "，否则跳到："
    // label, each when given. Nothing, after telling the user, for a label without a limit.
    std::optional<std::string> waitEnd();

private:
    void addCaption(ui::Control& parent, ui::Rect rect, const std::string& text);
    // Whether the field holds something; tells the user and hands the field back if not.
    bool filled(ui::Edit& field, const std::string& refusal);
    void insertWindowLine(const std::string& word, ui::Edit& window, const std::string& refusal);

    TForm_homa& editor_;
    ui::Factory& factory_;
    std::vector<std::unique_ptr<ui::Label>> captions_;
    std::unique_ptr<CaptureFieldLoan<ui::TextControl>> anchorFieldLoan_;
};

}  // namespace tapmill
