#include "platform/fake/fake_hooklibs.h"

namespace tapmill::fake {

void FakeHookLibraries::startHook(uintptr_t window, uint32_t base) {
    calls.push_back("StartHook " + std::to_string(window) + " " + std::to_string(base));
    mouseOn = true;
    mouseWindow = window;
    mouseBase = base;
}

void FakeHookLibraries::stopHook() {
    calls.push_back("StopHook");
    mouseOn = false;
}

// Not counted: the first disable ends the reporting of keys, however many enables came before.
void FakeHookLibraries::enableHotKeyHook() {
    calls.push_back("EnableHotKeyHook");
    keysOn = true;
}

void FakeHookLibraries::disableHotKeyHook() {
    calls.push_back("DisableHotKeyHook");
    keysOn = false;
}

}  // namespace tapmill::fake
