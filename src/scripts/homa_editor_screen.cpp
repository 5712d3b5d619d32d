// The editor's section for the screen waits: its controls, the colour line, and "截取图片".
#include "scripts/homa_editor_screen.h"

#include <cstdio>

#include "common/bmp_file.h"
#include "common/gbk.h"
#include "common/script_names.h"
#include "scripts/Unit_homa.h"
#include "scripts/homa_editor_rows.h"
#include "scripts/picture_capture.h"
#include "scripts/screen_wait_trial.h"
#include "scripts/script_check.h"
#include "scripts/script_file.h"
#include "scripts/script_line.h"
#include "scripts/script_pictures.h"
#include "scripts/script_signs.h"
#include "scripts/window_anchor.h"

namespace tapmill {

namespace {

using namespace homa_rows;

// The rows of the section, below the window rows of the same page.
constexpr int kColourRow = 3;
constexpr int kPictureRow = 4;
constexpr int kFoundRow = 5;

const char kNoColour[] = "等待颜色的X、y和颜色不能为空！开始抓点后按抓点热键，即填入指针所在的点和它的颜色。";
const char kNothingToTry[] = "请在列表中选择一行“等待颜色”或“等待图片”，或填写等待颜色的X、y和颜色，再测试。";
const char kSaveBeforePicture[] = "请先保存脚本，再截取图片：图片存放在以脚本名命名的文件夹“图片\\脚本名”中。";

}  // namespace

HomaScreenInserts::HomaScreenInserts(TForm_homa& editor, platform::Screen& screen, ui::Factory& factory,
                                     ui::Control& page)
    : editor_(editor), screen_(screen), factory_(factory) {
    ui::Control& p = page;
    const int colour = rowY(kColourRow);
    addCaption(p, rowCaption(kColourRow), "等待颜色：");
    addCaption(p, {kFieldX, colour + 4, 10, 14}, "X");
    Edit_colx = factory_.edit(p, ID_Edit_colx, {kFieldX + 12, colour, 44, 22}, "");
    addCaption(p, {kFieldX + 60, colour + 4, 10, 14}, "y");
    Edit_coly = factory_.edit(p, ID_Edit_coly, {kFieldX + 72, colour, 44, 22}, "");
    addCaption(p, {kFieldX + 120, colour + 4, 30, 14}, "颜色");
    Edit_colour = factory_.edit(p, ID_Edit_colour, {kFieldX + 152, colour, 78, 22}, "");
    SpeedButton_addcolour = factory_.button(p, ID_SpeedButton_addcolour, insertButton(kInsertX, kColourRow), "插入等待颜色");

    const int picture = rowY(kPictureRow);
    addCaption(p, rowCaption(kPictureRow), "等待图片：");
    addCaption(p, {kFieldX, picture + 4, 30, 14}, "容差");
    Edit_coltol = factory_.edit(p, ID_Edit_coltol, {kFieldX + 32, picture, 40, 22}, "");
    SpeedButton_trywait = factory_.button(p, ID_SpeedButton_trywait, insertButton(kSecondInsertX, kPictureRow), "测试");
    SpeedButton_shot = factory_.button(p, ID_SpeedButton_shot, insertButton(kInsertX, kPictureRow), "截取图片");

    const int found = rowY(kFoundRow);
    addCaption(p, rowCaption(kFoundRow), "找到以后：");
    addCaption(p, {kFieldX, found + 4, 40, 14}, "偏移X");
    Edit_foundx = factory_.edit(p, ID_Edit_foundx, {kFieldX + 42, found, 44, 22}, "");
    addCaption(p, {kFieldX + 90, found + 4, 10, 14}, "y");
    Edit_foundy = factory_.edit(p, ID_Edit_foundy, {kFieldX + 102, found, 44, 22}, "");
    SpeedButton_addfound = factory_.button(p, ID_SpeedButton_addfound, insertButton(kInsertX, kFoundRow), "插入移到位置");
    addCaption(p, {kCaptionX, rowY(6) + 4, kPageWidth, 14}, "容差用于颜色和图片（0到255，空：须完全相同）；测试所选的行。");

    colourFieldLoan_ =
        std::make_unique<CaptureFieldLoan<ColourPointField>>(editor_.main_.captureFields.colourPoint, *this);
}

void HomaScreenInserts::addCaption(ui::Control& parent, ui::Rect rect, const std::string& text) {
    captions_.push_back(factory_.label(parent, ID_ScreenCaption, rect, text));
}

void HomaScreenInserts::onControlEvent(int controlId, ui::Event event, ui::EventArgs&) {
    if (event != ui::Event::Click) return;
    switch (controlId) {
        case ID_SpeedButton_addcolour: SpeedButton_addcolourClick(); break;
        case ID_SpeedButton_shot: SpeedButton_shotClick(); break;
        case ID_SpeedButton_addfound: SpeedButton_addfoundClick(); break;
        case ID_SpeedButton_trywait: SpeedButton_trywaitClick(); break;
        default: break;
    }
}

void HomaScreenInserts::enableInserts(bool enabled) {
    for (ui::Button* button : {SpeedButton_addcolour.get(), SpeedButton_shot.get(), SpeedButton_addfound.get()})
        button->setEnabled(enabled);
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
    const std::string line = "等待颜色：X=" + trimSpaces(Edit_colx->text()) + "y=" + trimSpaces(Edit_coly->text()) +
                             "颜色=" + trimSpaces(Edit_colour->text()) + toleranceClause();
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
    if (taken.name) insertWaitLine(scripts::pictureWaitLine(*taken.name) + toleranceClause(), *SpeedButton_shot);
}

// Without an offset the pointer goes to the middle of what was found; an empty offset field is 0.
void HomaScreenInserts::SpeedButton_addfoundClick() {
    if (!editor_.currentPositionTakesInsertions()) return;
    const std::string dx = trimSpaces(Edit_foundx->text()), dy = trimSpaces(Edit_foundy->text());
    std::string line = "移到找到的位置";
    if (!dx.empty() || !dy.empty()) line += "，偏移X=" + (dx.empty() ? "0" : dx) + "y=" + (dy.empty() ? "0" : dy);
    insertCheckedLine(line, *Edit_foundx);
}

void HomaScreenInserts::SpeedButton_trywaitClick() {
    const int chosen = editor_.lines->currentLine();
    std::string line = chosen >= 0 && chosen < editor_.lines->count() ? editor_.lines->lines()[chosen] : "";
    const scripts::LineKind kind = scripts::classifyLine(line);
    const bool chosenWait = kind == scripts::LineKind::WaitColour || kind == scripts::LineKind::WaitImage;
    if (!chosenWait) {
        for (ui::Edit* field : {Edit_colx.get(), Edit_coly.get(), Edit_colour.get()})
            if (trimSpaces(field->text()).empty()) return editor_.refuse(kNothingToTry, *field);
        line = utf8ToGbk("等待颜色：X=" + trimSpaces(Edit_colx->text()) + "y=" + trimSpaces(Edit_coly->text()) +
                         "颜色=" + trimSpaces(Edit_colour->text()) + toleranceClause())
                   .value_or("");
    }
    const std::string fault = scripts::lineFaultReason(line);
    if (!fault.empty()) return editor_.refuse(fault, *Edit_colx);
    // The fields' colour is tried where it would go in: above the chosen line.
    const std::optional<scripts::AnchorLine> anchor = scripts::anchorInForce(*editor_.lines, chosen);
    scripts::ScreenWaitTrial trial(screen_, editor_.platform_.topWindows);
    std::string report;
    if (kind == scripts::LineKind::WaitImage) {
        const scripts::ImageLine image = scripts::lineImage(line);
        const std::string path = scripts::scriptImageFolder(editor_.main_.exedir, editor_.main_.editname) + image.name + ".bmp";
        const std::optional<platform::PixelBuffer> picture = readBmp(path);
        if (!picture) return editor_.remind(scripts::unreadablePictureMessage(path));
        editor_.stepAsideWhile([&] { report = trial.tryImage(image, *picture, anchor); });
    } else {
        const scripts::ColourLine colour = scripts::lineColour(line);
        editor_.stepAsideWhile([&] { report = trial.tryColour(colour, anchor); });
    }
    editor_.remind(report);
}

std::string HomaScreenInserts::toleranceClause() const {
    const std::string tolerance = trimSpaces(Edit_coltol->text());
    return tolerance.empty() ? "" : "，容差" + tolerance;
}

void HomaScreenInserts::insertWaitLine(const std::string& line, ui::Control& source) {
    const std::optional<std::string> end = editor_.blockInserts->waitEnd();
    if (!end) return;
    insertCheckedLine(line + *end, source);
}

void HomaScreenInserts::insertCheckedLine(const std::string& line, ui::Control& source) {
    // What the fields hold is read as the run will read it, so a faulty line never goes in.
    const std::optional<std::string> bytes = utf8ToGbk(line);
    const std::string fault = bytes ? scripts::lineFaultReason(scripts::withFullWidthSigns(*bytes)) : "";
    if (!fault.empty()) return editor_.refuse(fault, source);
    editor_.insertAboveCurrent(line, source);
}

}  // namespace tapmill
