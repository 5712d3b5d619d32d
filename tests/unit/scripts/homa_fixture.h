#pragma once
// The main window on the fake platform, with a program folder of its own, script files written as
// GBK, and the texts and values the script panel showed over time.
#include <stdlib.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/Unit_main.h"
#include "common/gbk.h"
#include "platform/fake/fake_platform.h"
#include "ui/memory/memory_controls.h"

namespace tapmill::testing {

// Keeps every position it was given, so a test sees the progress a run went through.
class ProgressLogBar : public ui::memory::MemoryProgressBar {
public:
    ProgressLogBar(int id, std::vector<int>& log) : MemoryProgressBar(id), log_(log) {}
    void setPosition(int p) override {
        log_.push_back(p);
        MemoryProgressBar::setPosition(p);
    }

private:
    std::vector<int>& log_;
};

class StatusTextLogBar : public ui::memory::MemoryStatusBar {
public:
    StatusTextLogBar(int id, std::vector<std::string>& log) : MemoryStatusBar(id), log_(log) {}
    void setPanelText(int panel, const std::string& text) override {
        if (panel == 0) log_.push_back(text);
        MemoryStatusBar::setPanelText(panel, text);
    }

private:
    std::vector<std::string>& log_;
};

class HomaLogFactory : public ui::memory::MemoryFactory {
public:
    std::unique_ptr<ui::ProgressBar> progressBar(ui::Control&, int id, ui::Rect) override {
        return std::make_unique<ProgressLogBar>(id, progressLog);
    }
    std::unique_ptr<ui::StatusBar> statusBar(ui::Control&, int id, ui::Rect, const std::vector<int>&) override {
        return std::make_unique<StatusTextLogBar>(id, statusLog);
    }
    std::vector<int> progressLog;
    std::vector<std::string> statusLog;
};

class HomaFixture : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/tapmill_homa_XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        dir_ = name;
        for (const char* sub : {"jb_rec", "jb_strec", "jb_homa"}) std::filesystem::create_directory(dir_ + "/" + sub);
        fp.desktop.exePath = dir_ + "/tapmill.exe";
    }
    void TearDown() override {
        form_.reset();
        std::filesystem::remove_all(dir_);
    }

    static std::string gbk(const std::string& utf8) { return utf8ToGbk(utf8).value(); }

    // Writes jb_homa\<name>.ini from UTF-8 lines, in GBK with CR LF.
    void script(const std::string& name, const std::vector<std::string>& lines) const {
        std::string bytes;
        for (const std::string& line : lines) bytes += gbk(line) + "\r\n";
        writeFile("jb_homa/" + name + ".ini", bytes);
    }
    void writeFile(const std::string& relative, const std::string& bytes) const {
        std::ofstream(dir_ + "/" + relative, std::ios::binary) << bytes;
    }

    // The main window as at program start.
    TForm_maintapmill& form() {
        if (!form_) {
            form_ = std::make_unique<TForm_maintapmill>(fp.platform, factory, fp.desktop.exePath);
            form_->window->show();
        }
        return *form_;
    }

    std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const auto& m : fp.dialogs.shown) out.push_back(m.text);
        return out;
    }

    fake::FakePlatform fp;
    HomaLogFactory factory;
    std::string dir_;

private:
    std::unique_ptr<TForm_maintapmill> form_;
};

}  // namespace tapmill::testing
