#pragma once
#include <cstdint>
#include <functional>

#include "journal/emulated_playback.h"
#include "platform/journal_hooks.h"
#include "platform/pump.h"

namespace tapmill::journal {

// The journal playback hook, or what stands in for it where the system does not call one.
//
// Where the system grants WH_JOURNALPLAYBACK and calls it, the system plays the events. Where it
// refuses the hook (Windows 11), or installs it but has not called it 200 ms later (Wine), the
// emulated driver plays them instead: it calls the same procedure with HC_GETNEXT and HC_SKIP,
// waits the delays it returns and injects each event. Later installs of the run go straight to
// the emulated driver. The procedure sees the same calls either way, and either way they come
// from the message loop after the install has returned. Ctrl+Esc ends the playback from the
// install on, also while the system has yet to show that it plays.
class PlaybackHook : private platform::PlaybackTicks {
public:
    static constexpr uint32_t kFirstCallMs = 200;

    PlaybackHook(platform::JournalHooks& hooks, platform::MessagePump& pump);
    ~PlaybackHook() override;
    PlaybackHook(const PlaybackHook&) = delete;
    PlaybackHook& operator=(const PlaybackHook&) = delete;

    // Never refused: the emulated driver needs nothing the system could deny. One hook at a time.
    void install(platform::JournalProcedure& procedure);
    void remove();
    bool installed() const { return mode_ != Mode::None; }
    intptr_t callNext(int code, uintptr_t wParam, JournalEvent* event);
    // Plays one event into the desktop outside any pass: what a stopped playback lets go of.
    void inject(const JournalEvent& event) { hooks_.sendEvent(event); }

    // For the emulated driver.
    bool emulating() const { return mode_ == Mode::Emulated; }
    intptr_t callProcedure(int code, JournalEvent* event) { return procedure_->call(code, 0, event); }
    // Changes with every install: a pass that ended and began again within one call.
    uint64_t installCount() const { return installCount_; }
    // The emulated driver sent an event the system took none of, and plays nothing more until
    // this ends the playback.
    std::function<void(platform::InputRefusal)> onInputRefused;

private:
    enum class Mode { None, System, Emulated };
    enum class Verdict { Unknown, SystemPlays, SystemDoesNotPlay };

    class SystemSide : public platform::JournalProcedure {
    public:
        explicit SystemSide(PlaybackHook& owner) : owner_(owner) {}
        intptr_t call(int code, uintptr_t wParam, JournalEvent* event) override;

    private:
        PlaybackHook& owner_;
    };

    void dropSystemHook();
    // The tick kFirstCallMs after an install the system granted: a system that has not called by
    // then never will, and the emulated driver takes over.
    void onTick() override;

    platform::JournalHooks& hooks_;
    SystemSide systemSide_{*this};
    EmulatedPlayback emulated_;
    platform::JournalProcedure* procedure_ = nullptr;
    Mode mode_ = Mode::None;
    Verdict verdict_ = Verdict::Unknown;
    uintptr_t systemHandle_ = 0;
    uint64_t installCount_ = 0;
};

}  // namespace tapmill::journal
