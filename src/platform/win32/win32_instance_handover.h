#pragma once
#include <windows.h>

#include <deque>
#include <string>

#include "platform/instance_handover.h"

namespace tapmill::win32 {

// The hand-over travels as WM_COPYDATA carrying the command's UTF-8 bytes, marked with the
// program's own data identifier. The listening window answers with ReplyMessage before it
// returns, and starts what it took from a message it posts to itself.
class Win32InstanceHandOver : public platform::InstanceHandOver {
public:
    Win32InstanceHandOver();
    platform::HandOverReply send(const std::string& windowClass, const std::string& command,
                                 uint32_t timeoutMs) override;
    void listen(platform::HandOverReceiver* receiver, uintptr_t window) override;
    void post(const std::string& command) override;
    bool routeMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

private:
    void receive(const COPYDATASTRUCT& data);

    UINT startMessage_;
    platform::HandOverReceiver* receiver_ = nullptr;
    HWND window_ = nullptr;
    // The commands taken and not yet started, one posted start message each.
    std::deque<std::string> taken_;
};

}  // namespace tapmill::win32
