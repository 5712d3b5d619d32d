#pragma once
// The main window with its clock running on the fake pump's virtual time, as the real window runs
// it: Timer_systime ticks every 500 ms, a change of Edit_time's text runs the tick (as the real
// edit's change notification does), and a tapmill::Error a handler throws ends only that handler
// and is kept as the window's error report would show it. Scripts and recordings that press one
// key per pass make every start visible, with the second it happened in.
#include <gmock/gmock.h>

#include <functional>
#include <string>
#include <vector>

#include "common/error.h"
#include "common/gbk.h"
#include "common/timestamp.h"
#include "support/form_fixture.h"

namespace tapmill::testing {

class ClockFixture : public FormFixture {
protected:
    static constexpr int kRecordingKey = 65;  // A, pressed once per pass of a recording
    static constexpr int kScriptKey = 66;     // B, pressed once per pass of a hand-written script

    // The main window, with the local time `start` at this moment.
    TForm_maintapmill& startAt(const LocalTime& start) {
        startLocal_ = start;
        startTick_ = fp.pump.now();
        fp.clock.set(start);
        return form_ ? *form_ : *(form_ = &shownForm());
    }
    TForm_maintapmill& form() { return *form_; }

    // Runs the clock for `seconds`: the timer's ticks, and everything scheduled meanwhile.
    void runFor(int seconds) {
        const uint64_t end = fp.pump.now() + static_cast<uint64_t>(seconds) * 1000;
        for (uint64_t t = nextTickAfter(fp.pump.now()); t <= end; t += 500) fp.pump.at(t, [this] { timerTick(); });
        fp.pump.runMessageLoop();
    }

    // Runs fn `ms` milliseconds into the local moment `when` (on the clock started by startAt).
    void at(const LocalTime& when, std::function<void()> fn, int ms = 0) {
        fp.pump.at(tickOf(when) + static_cast<uint64_t>(ms), [this, fn] { guarded(fn); });
    }
    uint64_t tickOf(const LocalTime& when) const {
        return startTick_ + static_cast<uint64_t>(secondsBetween(startLocal_, when)) * 1000;
    }

    // The clock's text at each press of a key, in order.
    std::vector<std::string> pressesOf(int key) const {
        std::vector<std::string> out;
        for (const fake::InputCall& c : fp.input.calls())
            if (c.kind == fake::InputCall::Key && c.a == key && c.b == 0) out.push_back(clockAt(c.time));
        return out;
    }
    std::string clockAt(uint64_t tick) const { return clockText(addMilliseconds(startLocal_, tick - startTick_)); }

    // jb_rec/<name>.ini: `frames` frames, the second pressing A.
    void recording(const std::string& name, int frames = 2) {
        std::string text;
        for (int f = 0; f < frames; ++f)
            text += "[" + std::to_string(f) + "]\r\n" + (f == 1 ? "kp=k65\r\n" : "") + "x=1\r\ny=1\r\n";
        write("jb_rec/" + name + ".ini", text + "[all]\r\nvalue=" + std::to_string(frames) + "\r\n");
    }
    // jb_homa/<name>.ini, in GBK: one click of the key (B unless told) per pass.
    void script(const std::string& name, const std::string& key = "B") {
        write("jb_homa/" + name + ".ini", utf8ToGbk("开始\r\n单击键盘的" + key + "\r\n结束\r\n").value());
    }

    static LocalTime on(int hour, int minute, int second, int day = 7) { return {2026, 12, day, hour, minute, second}; }

    std::vector<std::string> errors;

private:
    void guarded(const std::function<void()>& fn) {
        try {
            fn();
        } catch (const Error& e) {
            errors.push_back(e.what());
        }
    }
    void timerTick() {
        const std::string before = form_->Edit_time->text();
        guarded([this] { form_->onTimer(ID_Timer_systime); });
        if (form_->Edit_time->text() == before) return;
        ui::EventArgs args;
        guarded([&] { form_->onControlEvent(ID_Edit_time, ui::Event::Change, args); });
    }
    // The timer runs from the window's creation, every 500 ms.
    uint64_t nextTickAfter(uint64_t now) const { return now + 500 - (now - startTick_) % 500; }
    // The tests' moments all lie in one month.
    static int64_t secondsBetween(const LocalTime& a, const LocalTime& b) {
        EXPECT_TRUE(a.year == b.year && a.month == b.month);
        auto seconds = [](const LocalTime& t) { return ((t.day * 24LL + t.hour) * 60 + t.minute) * 60 + t.second; };
        return seconds(b) - seconds(a);
    }

    TForm_maintapmill* form_ = nullptr;
    LocalTime startLocal_;
    uint64_t startTick_ = 0;
};

}  // namespace tapmill::testing
