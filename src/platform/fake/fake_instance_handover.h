#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/fake/fake_pump.h"
#include "platform/instance_handover.h"

namespace tapmill::fake {

// One fake serves both ends: the window that listens on it is the running instance, and a send
// reaches that listener as SendMessage reaches a window of another process, answered at once.
// What the listener takes is carried out from the pump, as a posted message would be.
class FakeInstanceHandOver : public platform::InstanceHandOver {
public:
    explicit FakeInstanceHandOver(FakePump& pump) : pump_(pump) {}

    platform::HandOverReply send(const std::string& windowClass, const std::string& command,
                                 uint32_t timeoutMs) override;
    void listen(platform::HandOverReceiver* receiver, uintptr_t window) override;
    void post(const std::string& command) override;
    bool routeMessage(uint32_t, uintptr_t, intptr_t) override { return false; }

    struct Sent {
        std::string windowClass;
        std::string command;
        uint32_t timeoutMs;
    };
    std::vector<Sent> sent;
    // False: the listening window is hung and lets every send time out.
    bool listenerAnswers = true;

private:
    FakePump& pump_;
    platform::HandOverReceiver* receiver_ = nullptr;
};

}  // namespace tapmill::fake
