#pragma once
// The script editor over the main window of HomaFixture: shown as the edit button shows it (the
// modal loop left out), driven through its event switch the way clicks reach it.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/gbk.h"
#include "platform/files.h"
#include "scripts/Unit_homa.h"
#include "scripts/homa_fixture.h"
#include "scripts/script_file.h"

namespace tapmill::testing {

class EditorFixture : public HomaFixture {
protected:
    void TearDown() override {
        editor_.reset();
        HomaFixture::TearDown();
    }

    // A new editor for the script `name` ("" for a new script), shown.
    TForm_homa& open(const std::string& name = "") {
        form().editname = name;
        editor_ = std::make_unique<TForm_homa>(form(), fp.platform, factory);
        editor_->window->show();
        return *editor_;
    }
    TForm_homa& editor() { return *editor_; }
    ui::memory::MemoryWindow& editorWindow() { return ui::memory::as<ui::memory::MemoryWindow>(*editor_->window); }

    void press(int controlId) { send(controlId, ui::Event::Click); }
    void send(int controlId, ui::Event event) {
        ui::EventArgs args;
        editor_->onControlEvent(controlId, event, args);
    }
    // A click on a line of the list.
    void choose(int line) {
        editor_->ListBox_homajba->setSelectedIndex(line);
        send(ID_ListBox_homajba, ui::Event::Select);
    }

    // The lines as the list shows them.
    std::vector<std::string> shownLines() const {
        std::vector<std::string> out;
        const ui::ListBox& box = *editor_->ListBox_homajba;
        for (int i = 0; i < box.count(); ++i) out.push_back(box.item(i));
        return out;
    }
    int chosenLine() const { return editor_->lines->currentLine(); }

    std::string scriptPath(const std::string& name) const { return dir_ + "/jb_homa/" + name + ".ini"; }
    bool scriptExists(const std::string& name) const { return std::filesystem::exists(scriptPath(name)); }
    // The file's bytes as the program wrote them.
    std::string fileBytes(const std::string& name) const {
        std::string bytes;
        files::readAll(scriptPath(name), bytes);
        return bytes;
    }
    // What a file holding these UTF-8 lines holds: GBK, every line ended by CR LF.
    static std::string expectedBytes(const std::vector<std::string>& lines) {
        std::string bytes;
        for (const std::string& line : lines) bytes += gbk(line) + "\r\n";
        return bytes;
    }

    // How often a field was given the focus.
    static int focusCount(ui::Edit& field) { return ui::memory::as<ui::memory::MemoryEdit>(field).focusCount(); }
    static int focusCount(ui::ComboBox& list) { return ui::memory::as<ui::memory::MemoryComboBox>(list).focusCount(); }

private:
    std::unique_ptr<TForm_homa> editor_;
};

}  // namespace tapmill::testing
