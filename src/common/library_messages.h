#pragma once
// The texts of the refusals and failures that the recording libraries and the script editor share,
// each written once so that every window says it alike.
#include <string>

namespace tapmill {

// A typed name that cannot name a file of a library folder.
inline std::string unacceptableNameMessage(const std::string& name) {
    return "无法以“" + name + "”为名保存：脚本名不能含有 \\ / : * ? \" < > | ，不能是系统设备名，请换一个名字！";
}

// A script or recording file the file system would not delete (read-only, or held open).
inline std::string cannotDeleteMessage(const std::string& path) {
    return "无法删除脚本文件：" + path + "，它可能是只读的或正被其它程序使用。";
}

// A script's picture folder that a rename would move onto a folder already there.
inline std::string picturesInTheWayMessage(const std::string& folder) {
    return "无法改名：已有图片文件夹“" + folder + "”，脚本的图片无法随脚本改名，请换一个名字！";
}

// A script's picture folder that could not follow its script's new name; the script keeps its name.
inline std::string cannotMovePicturesMessage(const std::string& folder) {
    return "无法把脚本的图片文件夹“" + folder + "”随脚本改名，它可能正被其它程序使用；脚本没有改名。";
}

// A deleted script's picture folder that stays behind.
inline std::string cannotDeletePicturesMessage(const std::string& folder) {
    return "脚本已删除，但无法删除它的图片文件夹“" + folder + "”，它可能正被其它程序使用。";
}

// A library file that is there already, about to be replaced.
inline constexpr char kOverwriteQuestion[] = "该脚本文件已存在，是否覆盖原有的文件？";

// A script or recording file the file system would not write.
inline std::string cannotWriteMessage(const std::string& path) { return "保存失败，无法写入文件：" + path; }

// A plain recording named for playing or converting that has no file.
inline std::string missingRecordingMessage(const std::string& name) { return "名为：'" + name + "'脚本文件不存在！"; }

}  // namespace tapmill
