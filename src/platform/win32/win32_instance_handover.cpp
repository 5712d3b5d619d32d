#include "platform/win32/win32_instance_handover.h"

#include "platform/win32/wide.h"

namespace tapmill::win32 {

namespace {

// "TMCL": tells the program's command from any other WM_COPYDATA a window may be sent.
constexpr ULONG_PTR kCommandDataId = 0x4C434D54;

}  // namespace

Win32InstanceHandOver::Win32InstanceHandOver()
    : startMessage_(RegisterWindowMessageW(L"Tapmill.StartHandedOverCommand")) {}

platform::HandOverReply Win32InstanceHandOver::send(const std::string& windowClass, const std::string& command,
                                                    uint32_t timeoutMs) {
    HWND target = FindWindowW(widen(windowClass).c_str(), nullptr);
    if (!target) return platform::HandOverReply::NoAnswer;
    COPYDATASTRUCT data{kCommandDataId, static_cast<DWORD>(command.size()), const_cast<char*>(command.data())};
    DWORD_PTR result = 0;
    // A running playback answers between two of its steps; a hung window is not waited for.
    if (!SendMessageTimeoutW(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, timeoutMs,
                             &result))
        return platform::HandOverReply::NoAnswer;
    switch (static_cast<platform::HandOverReply>(result)) {
        case platform::HandOverReply::Accepted:
        case platform::HandOverReply::Busy:
        case platform::HandOverReply::Refused:
            return static_cast<platform::HandOverReply>(result);
        default:
            return platform::HandOverReply::NoAnswer;
    }
}

void Win32InstanceHandOver::listen(platform::HandOverReceiver* receiver, uintptr_t window) {
    receiver_ = receiver;
    window_ = reinterpret_cast<HWND>(window);
}

void Win32InstanceHandOver::post(const std::string& command) {
    taken_.push_back(command);
    PostMessageW(window_, startMessage_, 0, 0);
}

bool Win32InstanceHandOver::routeMessage(uint32_t message, uintptr_t, intptr_t lParam) {
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!data || data->dwData != kCommandDataId) return false;
        receive(*data);
        return true;
    }
    if (message == startMessage_ && !taken_.empty()) {
        // Taken off the queue first: the command may run a loop in which the next one starts.
        const std::string command = taken_.front();
        taken_.pop_front();
        if (receiver_) receiver_->carryOut(command);
        return true;
    }
    return false;
}

void Win32InstanceHandOver::receive(const COPYDATASTRUCT& data) {
    // The bytes belong to the sender and are valid only while its message is handled.
    const std::string command(static_cast<const char*>(data.lpData), data.lpData ? data.cbData : 0);
    const platform::HandOverReply reply =
        receiver_ ? receiver_->answer(command) : platform::HandOverReply::Refused;
    if (reply == platform::HandOverReply::Accepted) post(command);
    // The sender goes on as soon as it has the answer.
    ReplyMessage(static_cast<LRESULT>(reply));
}

}  // namespace tapmill::win32
