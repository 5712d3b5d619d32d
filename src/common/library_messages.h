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

}  // namespace tapmill
