#pragma once
#include <functional>
#include <string>

#include "platform/platform.h"
#include "ui/controls.h"

namespace tapmill {

// Save, read, delete and rename on one library folder of recordings, as the plain and the journal
// panels offer them. Each library has a scratch recording, named by its reserved name, that the
// recorder writes and that save copies under the typed name.
class ScriptLibrary {
public:
    struct Controls {
        ui::Edit& nameField;      // the typed new name
        ui::ComboBox& selection;  // the recordings of the folder
        ui::Label& currentName;   // beside "当前脚本:"
        ui::Label& status;        // beside "信息状况:"
    };

    // `exedir` and `currentName` are the main window's own state, read and written in place.
    // `readRecording` makes a file the current recording and shows its size.
    ScriptLibrary(platform::Platform& platform, const std::string& exedir, std::string folder, std::string reservedName,
                  Controls controls, std::string& currentName,
                  std::function<void(const std::string& path)> readRecording);

    void save();
    void read();
    void remove();
    void rename();
    // Refills the selection list from the folder.
    void relist();
    // A short confirmation ("已保存…") in the status label for a moment.
    void showStatus(const std::string& text);

private:
    std::string pathOf(const std::string& name) const;
    void remind(const std::string& text);
    void refuseRename();

    platform::Platform& platform_;
    const std::string& exedir_;
    std::string folder_;
    std::string reserved_;
    Controls c_;
    std::string& currentName_;
    std::function<void(const std::string& path)> readRecording_;
};

}  // namespace tapmill
