// The editor's script file: a new script, save (renaming the file, and its picture folder, when
// the name changed), delete (the pictures too) and exit. Names go through the library's name
// rules, so nothing is written outside "jb_homa\" or under a name Windows refuses.
#include "common/library_messages.h"
#include "common/recycle.h"
#include "common/script_names.h"
#include "platform/files.h"
#include "scripts/Unit_homa.h"
#include "scripts/script_file.h"
#include "scripts/script_pictures.h"

namespace tapmill {

std::string TForm_homa::scriptFile(const std::string& name) const { return scripts::scriptPath(main_.exedir, name); }

// Named without the final separator, as a folder is renamed and deleted.
std::string TForm_homa::pictureFolder(const std::string& name) const {
    const std::string folder = scripts::scriptImageFolder(main_.exedir, name);
    return folder.substr(0, folder.size() - 1);
}

// A new script starts with nothing to save: its empty frame is what leaving would keep.
void TForm_homa::SpeedButton_newjbClick() {
    closeTextView();
    SpeedButton_renewClick();
    lines->markUnchanged();
    // Undo never brings another script's lines into the new one.
    history_.clear();
    main_.editname.clear();
    Edit_jbname->setText("请输入脚本名");
    lines->setCurrentLine(1);
    Edit_jbname->setFocus();
    Edit_jbname->selectAll();
}

void TForm_homa::refuseName(const std::string& text) {
    remind(text);
    Edit_jbname->selectAll();
    Edit_jbname->setFocus();
}

bool TForm_homa::writeLines(const std::string& name) {
    const std::string path = scriptFile(name);
    if (scripts::writeScriptFile(path, lines->lines())) {
        lines->markUnchanged();
        return true;
    }
    remind(cannotWriteMessage(path));
    return false;
}

void TForm_homa::SpeedButton_saveClick() {
    // Nothing is saved while a line of the text view is faulty.
    if (textView->isOpen() && !takeTextViewLines()) return;
    // The name is used as typed: blanks in front are part of it.
    const std::string newName = Edit_jbname->text();
    if (trimSpaces(newName).empty()) return remind("脚本名不能为空！");
    saveUnder(newName);
    main_.relistview(*main_.ListView_homa, main_.usename);
    // Saved: a picture that is not there would stop the run at its start, so the user hears now.
    if (scriptChanged() || main_.editname != newName) return;
    const std::vector<scripts::MissingPicture> missing =
        scripts::missingPictures(lines->lines(), scripts::scriptImageFolder(main_.exedir, newName));
    if (!missing.empty()) remind(scripts::missingPicturesReport(missing));
}

void TForm_homa::saveUnder(const std::string& newName) {
    const std::string oldName = main_.editname;
    if (newName != oldName && !oldName.empty() && files::exists(scriptFile(oldName))) {
        if (!isAcceptableScriptName(newName)) return refuseName("系统不接受这样的文件名，请重命名！");
        // The pictures go with the script, and never onto another folder's.
        const std::string oldPictures = pictureFolder(oldName), newPictures = pictureFolder(newName);
        const bool movePictures = files::isDirectory(oldPictures);
        if (movePictures && !sameFileName(newName, oldName) && files::exists(newPictures))
            return refuseName(picturesInTheWayMessage(newPictures));
        // A rename never replaces another script's file.
        if (!files::renameFile(scriptFile(oldName), scriptFile(newName)))
            return refuseName("系统不接受这样的文件名，请重命名！");
        if (movePictures && !files::renameFile(oldPictures, newPictures)) {
            files::renameFile(scriptFile(newName), scriptFile(oldName));
            return refuseName(cannotMovePicturesMessage(oldPictures));
        }
        if (oldName == main_.usename) main_.usename = newName;
        main_.editname = newName;
        writeLines(newName);
        return;
    }
    if (!isAcceptableScriptName(newName)) return refuseName(unacceptableNameMessage(newName));
    // Another script's file is replaced only when the user says so; its own file is not asked about.
    const bool ownFile = !oldName.empty() && sameFileName(newName, oldName);
    if (!ownFile && files::exists(scriptFile(newName)) &&
        platform_.dialogs.messageBox(kOverwriteQuestion, platform::kRemindCaption,
                                     platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes)
        return;
    // From now on the file is this script's: a later rename moves it, and "删除脚本" deletes it.
    if (writeLines(newName)) main_.editname = newName;
}

// A script never saved has no file to delete.
void TForm_homa::SpeedButton_deljbClick() {
    const std::string name = main_.editname;
    if (!name.empty()) {
        const std::string path = scriptFile(name);
        if (!deleteIntoRecycleBin(platform_.recycleBin, path)) return remind(cannotDeleteMessage(path));
        // The script is gone: its pictures follow it, and one that stays behind is told of.
        const std::string pictures = pictureFolder(name);
        if (files::isDirectory(pictures) && !deleteFolderIntoRecycleBin(platform_.recycleBin, pictures))
            remind(cannotDeletePicturesMessage(pictures));
    }
    if (name == main_.usename) main_.usename.clear();
    main_.editname.clear();
    main_.relistview(*main_.ListView_homa, main_.usename);
    // The lines of a deleted script are left on purpose: leaving asks nothing.
    lines->markUnchanged();
    window->close();
}

void TForm_homa::SpeedButton_exitClick() { window->close(); }

}  // namespace tapmill
