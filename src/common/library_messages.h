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

// A library file that is there already, about to be replaced.
inline constexpr char kOverwriteQuestion[] = "该脚本文件已存在，是否覆盖原有的文件？";

// A script or recording file the file system would not write.
inline std::string cannotWriteMessage(const std::string& path) { return "保存失败，无法写入文件：" + path; }

// A plain recording named for playing or converting that has no file.
inline std::string missingRecordingMessage(const std::string& name) { return "名为：'" + name + "'脚本文件不存在！"; }

}  // namespace tapmill
