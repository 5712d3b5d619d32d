#pragma once
#include <cstdint>
#include <string>

namespace tapmill::platform {

// What a running instance answers a command handed to it; the sender gets it as the result of
// its message. A window that does not know the hand-over answers nothing (0).
enum class HandOverReply : intptr_t { NoAnswer = 0, Accepted = 1, Busy = 2, Refused = 3 };

// The part of the program that carries out the commands handed to its instance.
class HandOverReceiver {
public:
    virtual ~HandOverReceiver() = default;
    // Decides at once whether to take the command. It must not carry it out here: the sender
    // waits for this answer.
    virtual HandOverReply answer(const std::string& command) = 0;
    // Carries out a command it took, once the message that brought it has returned.
    virtual void carryOut(const std::string& command) = 0;
};

// The hand-over of a command (UTF-8 text) from a new process to the main window of the instance
// already running, and the deferred start of the commands this instance takes.
class InstanceHandOver {
public:
    virtual ~InstanceHandOver() = default;
    // Sends the command to the top-level window of this class and waits at most timeoutMs for
    // its answer; NoAnswer when there is no such window or it did not answer in time.
    virtual HandOverReply send(const std::string& windowClass, const std::string& command, uint32_t timeoutMs) = 0;
    // Who takes the commands handed to this instance, and the window they arrive at (nullptr: none).
    virtual void listen(HandOverReceiver* receiver, uintptr_t window) = 0;
    // Queues a command of this instance's own for the receiver: carried out from the message loop.
    virtual void post(const std::string& command) = 0;
    // Every message of the listening window passes here first: true when it was a hand-over or
    // the deferred start of one, which has then been handled.
    virtual bool routeMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
};

}  // namespace tapmill::platform
