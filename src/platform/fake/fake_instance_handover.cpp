#include "platform/fake/fake_instance_handover.h"

namespace tapmill::fake {

platform::HandOverReply FakeInstanceHandOver::send(const std::string& windowClass, const std::string& command,
                                                   uint32_t timeoutMs) {
    sent.push_back({windowClass, command, timeoutMs});
    if (!receiver_ || !listenerAnswers) return platform::HandOverReply::NoAnswer;
    const platform::HandOverReply reply = receiver_->answer(command);
    if (reply == platform::HandOverReply::Accepted) post(command);
    return reply;
}

void FakeInstanceHandOver::listen(platform::HandOverReceiver* receiver, uintptr_t) { receiver_ = receiver; }

void FakeInstanceHandOver::post(const std::string& command) {
    pump_.post([this, command] {
        if (receiver_) receiver_->carryOut(command);
    });
}

}  // namespace tapmill::fake
