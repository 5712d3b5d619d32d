#include "plain/script_library.h"

#include "common/delay.h"
#include "common/library_messages.h"
#include "common/profile.h"
#include "common/recycle.h"
#include "common/script_names.h"
#include "platform/files.h"

namespace tapmill {

namespace {

const char* const kRenameRefused = "系统不接受这样的文件名或你要改成的文件名已存在，请重命名！";
constexpr int kStatusShownMs = 500;

}  // namespace

ScriptLibrary::ScriptLibrary(platform::Platform& platform, const std::string& exedir, std::string folder,
                             std::string reservedName, Controls controls, std::string& currentName,
                             std::function<void(const std::string& path)> readRecording)
    : platform_(platform),
      exedir_(exedir),
      folder_(std::move(folder)),
      reserved_(std::move(reservedName)),
      c_(controls),
      currentName_(currentName),
      readRecording_(std::move(readRecording)) {}

std::string ScriptLibrary::pathOf(const std::string& name) const { return exedir_ + folder_ + name + ".ini"; }

void ScriptLibrary::remind(const std::string& text) {
    platform_.dialogs.messageBox(text, platform::kRemindCaption, platform::MessageButtons::Ok);
}

void ScriptLibrary::showStatus(const std::string& text) {
    c_.status.setText(text);
    Delay(platform_.pump, kStatusShownMs);
    c_.status.setText("");
}

void ScriptLibrary::relist() {
    c_.selection.clear();
    for (const std::string& name : scriptNames(exedir_ + folder_)) c_.selection.addItem(name);
}

void ScriptLibrary::save() {
    const std::string name = c_.nameField.text();
    if (trimSpaces(name).empty()) return remind("脚本名不能为空！");
    if (!isAcceptableScriptName(name)) return remind(unacceptableNameMessage(name));

    const std::string scratch = pathOf(reserved_);
    // The copy passes through memory; a file larger than the program reads never came from its
    // recorder and would not fit.
    if (files::identity(scratch).size > profile::kMaxFileBytes) return remind("录制的脚本太大，无法保存！");
    std::string recording;
    if (!files::readAll(scratch, recording)) return remind("还没有录制过脚本，没有可保存的内容！");

    const std::string target = pathOf(name);
    if (files::exists(target) &&
        platform_.dialogs.messageBox(kOverwriteQuestion, platform::kRemindCaption,
                                     platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes)
        return;
    // The copy is written beside the target and renamed over it, so a failure leaves nothing
    // partial, and saving under the scratch name itself rewrites the same bytes.
    if (!files::replaceAtomically(target, recording)) return remind(cannotWriteMessage(target));

    showStatus("已保存…");
    c_.nameField.setText("");
    relist();
}

void ScriptLibrary::read() {
    const std::string name = c_.selection.text();
    if (trimSpaces(name).empty()) return remind("请选取您要读取的脚本！");
    c_.currentName.setText(name);
    currentName_ = name;
    readRecording_(pathOf(name));
    showStatus("已读取…");
}

void ScriptLibrary::remove() {
    const std::string name = c_.selection.text();
    if (trimSpaces(name).empty()) return remind("请选取您要删除的脚本！");
    if (sameFileName(trimSpaces(name), reserved_))
        return remind("名为'" + reserved_ + "'的脚本是临时存放录制信息的脚本，所以无法删除，请选取其它要删除的脚本！");
    // The file goes into the Recycle Bin, so a wrong choice can be taken back. A file that is gone
    // already needs no deleting; one that stays is named, and stays listed.
    const std::string path = pathOf(name);
    if (!deleteIntoRecycleBin(platform_.recycleBin, path)) return remind(cannotDeleteMessage(path));
    showStatus("已删除…");
    relist();
}

void ScriptLibrary::refuseRename() {
    remind(kRenameRefused);
    c_.nameField.selectAll();
    c_.nameField.setFocus();
}

void ScriptLibrary::rename() {
    const std::string newName = c_.nameField.text();
    const std::string oldName = c_.selection.text();
    if (trimSpaces(newName).empty()) {
        remind("重命名后文件名不能为空,请输入文件名！");
        return c_.nameField.setFocus();
    }
    if (sameFileName(trimSpaces(newName), reserved_)) {
        remind("由于软件本身的设置，脚本文件不能在命名为'" + reserved_ + "'！");
        return c_.nameField.setFocus();
    }
    if (trimSpaces(oldName).empty() || sameFileName(trimSpaces(oldName), reserved_))
        return remind("请选择要重命名的文件，注意不能选择名为'" + reserved_ + "'文件！");
    if (!isAcceptableScriptName(newName) || !files::renameFile(pathOf(oldName), pathOf(newName))) return refuseRename();

    showStatus("已修改…");
    c_.nameField.setText("");
    relist();
}

}  // namespace tapmill
