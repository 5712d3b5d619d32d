#pragma once
#include <string>
#include <vector>

#include "scripts/run_list.h"
#include "ui/controls.h"

namespace tapmill::scripts {

// A run list kept beside a list box that shows it. The bytes of each line are kept here, because
// a line that is not valid GBK cannot pass through the box's text unchanged; the box shows the
// lines and the last highlighted one as its selection.
class ListBoxRunList : public RunList {
public:
    explicit ListBoxRunList(ui::ListBox& view) : view_(view) {}

    int count() const override { return static_cast<int>(lines_.size()); }
    std::string line(int index) const override { return lines_.at(static_cast<size_t>(index)); }
    void setLines(std::vector<std::string> lines) override;
    void setHighlighted(int index, bool highlighted) override;
    bool highlighted(int index) const override;
    int currentLine() const override { return current_; }

private:
    bool has(int index) const { return index >= 0 && index < count(); }

    ui::ListBox& view_;
    std::vector<std::string> lines_;
    std::vector<bool> highlighted_;
    int current_ = -1;
};

}  // namespace tapmill::scripts
