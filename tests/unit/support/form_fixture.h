#pragma once
// A main window on the fake platform with in-memory controls, in a program folder of its own laid
// out as the program is shipped (jb_rec, jb_strec, jb_homa).
#include <stdlib.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/Unit_main.h"
#include "journal/input_messages.h"
#include "platform/fake/fake_platform.h"
#include "ui/memory/memory_controls.h"

namespace tapmill::testing {

class FormFixture : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/tapmill_form_XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        dir_ = name;
        for (const char* sub : {"jb_rec", "jb_strec", "jb_homa"}) std::filesystem::create_directory(dir_ + "/" + sub);
        fp.desktop.exePath = exePath();
    }
    void TearDown() override {
        form_.reset();
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
        std::filesystem::remove_all(dir_);
    }

    std::string exePath() const { return dir_ + "/tapmill.exe"; }
    std::string file(const std::string& relative) const { return dir_ + "/" + relative; }
    bool exists(const std::string& relative) const { return std::filesystem::exists(file(relative)); }
    void write(const std::string& relative, const std::string& bytes) const {
        std::ofstream(file(relative), std::ios::binary) << bytes;
    }
    std::string read(const std::string& relative) const {
        std::ifstream in(file(relative), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // The main window as its constructor leaves it, before any show.
    TForm_maintapmill& makeForm() {
        form_ = std::make_unique<TForm_maintapmill>(fp.platform, factory, exePath());
        // The thread's WM_CANCELJOURNAL reaches the main window.
        fp.journalHooks.cancelJournal = [this] { form_->onMessage(journal::kWmCancelJournal, 0, 0); };
        return *form_;
    }
    // The main window, created and shown as at program start.
    TForm_maintapmill& shownForm() {
        TForm_maintapmill& form = makeForm();
        form.window->show();
        return form;
    }

    // The shown main window closed as the user closes it (its hot keys go) and started again.
    TForm_maintapmill& restartedForm() {
        fp.dialogs.answerNext(platform::MessageAnswer::Yes);
        EXPECT_TRUE(form_->FormCloseQuery());
        fp.dialogs.shown.clear();
        return shownForm();
    }

    static std::vector<std::string> items(const ui::ItemList& list) {
        std::vector<std::string> out;
        for (int i = 0; i < list.count(); ++i) out.push_back(list.item(i));
        return out;
    }

    // Every entry below the program folder with its size, to see what an operation wrote.
    std::set<std::string> folderContents() const {
        std::set<std::string> out;
        for (const auto& e : std::filesystem::recursive_directory_iterator(dir_))
            out.insert(e.path().string() + (e.is_regular_file() ? ":" + std::to_string(e.file_size()) : "/"));
        return out;
    }

    std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const auto& m : fp.dialogs.shown) out.push_back(m.text);
        return out;
    }

    fake::FakePlatform fp;
    ui::memory::MemoryFactory factory;
    std::string dir_;

private:
    std::unique_ptr<TForm_maintapmill> form_;
};

}  // namespace tapmill::testing
