// The editor's section for the screen waits: its controls, the colour line, and "截取图片".
#include "scripts/homa_editor_screen.h"

#include <cstdio>

#include "common/gbk.h"
#include "common/script_names.h"
#include "scripts/Unit_homa.h"
#include "scripts/homa_editor_rows.h"
#include "scripts/picture_capture.h"
#include "scripts/script_check.h"
#include "scripts/script_file.h"

namespace tapmill {

namespace {

using namespace homa_rows;

constexpr int kFirstRowOffset = 6;

const char kNoColour[] = "等待颜色的X、y和颜色不能为空！开始抓点后按抓点热键，即填入指针所在的点和它的颜色。";
const char kSaveBeforePicture[] = "请先保存脚本，再截取图片：图片存放在以脚本名命名的文件夹“图片\\脚本名”中。";

}  // namespace

HomaScreenInserts::HomaScreenInserts(TForm_homa& editor, platform::Screen& screen, ui::Factory& factory,
                                     ui::Window& window, int top)
    : editor_(editor), screen_(screen), factory_(factory), window_(window) {
    const SectionRows rows{top, kFirstRowOffset};

    addCaption({kCaptionX, rows.y(0) + 4, 90, 14}, "等待颜色：");
    addCaption({kFieldX, rows.y(0) + 4, 12, 14}, "X");
    Edit_colx = factory_.edit(window_, ID_Edit_colx, {kFieldX + 14, rows.y(0), 50, 22}, "");
    addCaption({kFieldX + 70, rows.y(0) + 4, 12, 14}, "y");
    Edit_coly = factory_.edit(window_, ID_Edit_coly, {kFieldX + 84, rows.y(0), 50, 22}, "");
    addCaption({kFieldX + 140, rows.y(0) + 4, 30, 14}, "颜色");
    Edit_colour = factory_.edit(window_, ID_Edit_colour, {kFieldX + 172, rows.y(0), 64, 22}, "");
    addCaption({kFieldX + 242, rows.y(0) + 4, 30, 14}, "容差");
    Edit_coltol = factory_.edit(window_, ID_Edit_coltol, {kFieldX + 274, rows.y(0), 40, 22}, "");
    SpeedButton_addcolour =
        factory_.button(window_, ID_SpeedButton_addcolour, rows.insertButton(kInsertX, 0), "插入等待颜色");

    addCaption({kCaptionX, rows.y(1) + 4, 90, 14}, "等待图片：");
    addCaption({kFieldX, rows.y(1) + 4, 344, 14}, "拖选屏幕上的一块，存为脚本的图片");
    SpeedButton_shot = factory_.button(window_, ID_SpeedButton_shot, rows.insertButton(kInsertX, 1), "截取图片");

    colourFieldLoan_ =
        std::make_unique<CaptureFieldLoan<ColourPointField>>(editor_.main_.captureFields.colourPoint, *this);
}

void HomaScreenInserts::addCaption(ui::Rect rect, const std::string& text) {
    captions_.push_back(factory_.label(window_, ID_ScreenCaption, rect, text));
}

void HomaScreenInserts::onControlEvent(int controlId, ui::Event event, ui::EventArgs&) {
    if (event != ui::Event::Click) return;
    switch (controlId) {
        case ID_SpeedButton_addcolour: SpeedButton_addcolourClick(); break;
        case ID_SpeedButton_shot: SpeedButton_shotClick(); break;
        default: break;
    }
}

void HomaScreenInserts::enableInserts(bool enabled) {
    for (ui::Button* button : {SpeedButton_addcolour.get(), SpeedButton_shot.get()}) button->setEnabled(enabled);
}

void HomaScreenInserts::capturePointColour(int x, int y, uint32_t colour) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%06X", static_cast<unsigned>(colour & 0xFFFFFF));
    // Below a window line the point is read as a position in that window; the window is under
    // the pointer now, so it is there to measure from.
    const platform::Point point = editor_.pointForInsertion({x, y}).value_or(platform::Point{x, y});
    Edit_colx->setText(std::to_string(point.x));
    Edit_coly->setText(std::to_string(point.y));
    Edit_colour->setText(hex);
}

void HomaScreenInserts::SpeedButton_addcolourClick() {
    if (!editor_.currentPositionTakesInsertions()) return;
    for (ui::Edit* field : {Edit_colx.get(), Edit_coly.get(), Edit_colour.get()})
        if (trimSpaces(field->text()).empty()) return editor_.refuse(kNoColour, *field);
    std::string line = "等待颜色：X=" + trimSpaces(Edit_colx->text()) + "y=" + trimSpaces(Edit_coly->text()) +
                       "颜色=" + trimSpaces(Edit_colour->text());
    const std::string tolerance = trimSpaces(Edit_coltol->text());
    if (!tolerance.empty()) line += "，容差" + tolerance;
    insertWaitLine(line, *Edit_colx);
}

void HomaScreenInserts::SpeedButton_shotClick() {
    if (!editor_.currentPositionTakesInsertions()) return;
    const std::string script = editor_.main_.editname;
    if (script.empty()) return editor_.remind(kSaveBeforePicture);
    scripts::PictureCapture::Outcome taken;
    editor_.stepAsideWhile([&] {
        taken = scripts::PictureCapture(screen_, factory_).take(scripts::scriptImageFolder(editor_.main_.exedir, script));
    });
    if (!taken.failure.empty()) return editor_.remind(taken.failure);
    if (taken.name) insertWaitLine(scripts::pictureWaitLine(*taken.name), *SpeedButton_shot);
}

void HomaScreenInserts::insertWaitLine(const std::string& line, ui::Control& source) {
    const std::optional<std::string> end = editor_.blockInserts->waitEnd();
    if (!end) return;
    const std::string whole = line + *end;
    // What the fields hold is read as the run will read it, so a faulty line never goes in.
    const std::optional<std::string> bytes = utf8ToGbk(whole);
    const std::string fault = bytes ? scripts::lineFaultReason(*bytes) : "";
    if (!fault.empty()) return editor_.refuse(fault, source);
    editor_.insertAboveCurrent(whole, source);
}

}  // namespace tapmill
