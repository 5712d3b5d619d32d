#pragma once
#include <cstdint>
#include <deque>

#include "platform/journal_hooks.h"
#include "platform/pump.h"

namespace tapmill::journal {

// How the journal recorder hears the desktop's input: the system's journal record hook where the
// system grants it and really calls it, low-level hooks (the same EVENTMSG records) elsewhere.
//
// A system may grant the hook and still not call it for the desktop's input: Wine calls it only
// for the recording program's own keys. So while the system hook records, the low-level hooks
// watch alongside it. A key or button they saw that the system hook has not delivered within
// 200 ms shows that it does not: the recording then goes over to the low-level hooks, beginning
// with the events the system hook left out, and later recordings of this run use them at once.
// Where the system refuses the hook, the low-level hooks deliver from the start.
class RecordHook {
public:
    static constexpr uint32_t kUndeliveredMs = 200;

    RecordHook(platform::JournalHooks& hooks, platform::MessagePump& pump);
    ~RecordHook();
    RecordHook(const RecordHook&) = delete;
    RecordHook& operator=(const RecordHook&) = delete;

    // Events go to procedure as HC_ACTION calls, in the order they happened. False when neither
    // the system nor the low-level hooks can be had. Installing twice keeps the first.
    bool install(platform::JournalProcedure& procedure);
    void remove();
    bool installed() const { return mode_ != Mode::None; }
    // Before a stop: a key or button the system hook has still not delivered, though the
    // low-level hooks saw it, goes to the procedure now rather than being lost with the hook.
    void deliverWhatTheSystemLeftOut();
    intptr_t callNext(int code, uintptr_t wParam, JournalEvent* event);

private:
    enum class Mode { None, System, SystemWatched, LowLevel };

    class Side : public platform::JournalProcedure {
    public:
        Side(RecordHook& owner, bool system) : owner_(owner), system_(system) {}
        intptr_t call(int code, uintptr_t wParam, JournalEvent* event) override;

    private:
        RecordHook& owner_;
        bool system_;
    };

    struct Seen {
        JournalEvent event;
        uint32_t arrived;
    };

    intptr_t fromSystem(int code, uintptr_t wParam, JournalEvent* event);
    void fromLowLevel(const JournalEvent& event);
    void confirm(const JournalEvent& delivered);
    bool overdue() const;
    void goOverToLowLevel();
    void deliverQueued();

    platform::JournalHooks& hooks_;
    platform::MessagePump& pump_;
    Side systemSide_{*this, true};
    Side lowLevelSide_{*this, false};
    platform::JournalProcedure* procedure_ = nullptr;
    Mode mode_ = Mode::None;
    bool systemHookUsable_ = true;
    uintptr_t systemHandle_ = 0;
    uintptr_t lowLevelHandle_ = 0;
    int systemCallDepth_ = 0;
    // Watching: what the low-level hooks saw that the system hook has not delivered yet, and the
    // keys and buttons the system hook delivered before the low-level hooks reported them.
    std::deque<Seen> unconfirmed_;
    std::deque<JournalEvent> aheadOfWitness_;
    // Low-level delivery: events wait here while an earlier one is still with the procedure (a
    // paused recording waits inside it), so they reach it in order.
    std::deque<JournalEvent> queued_;
    bool delivering_ = false;
};

}  // namespace tapmill::journal
