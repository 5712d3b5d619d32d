// Key names from anywhere (a hand-edited script line) must never crash the key table, and every
// name the table gives must decode back to its key.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "capture/keytable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string name(reinterpret_cast<const char*>(data), size);
    std::optional<int> code = tapmill::keycode(name);
    if (name.size() == 1 && code != static_cast<unsigned char>(name[0])) std::abort();
    if (name.size() == 2 && code && (*code < 111 || *code > 120)) std::abort();
    if (name.size() >= 3 && code) {
        // A long name is one of the table's own names, so the table names its key the same way.
        if (tapmill::keyname(*code) != name) std::abort();
    }
    if (size >= 1) {
        const int number = static_cast<int8_t>(data[0]);
        const std::string named = tapmill::keyname(number);
        if (!named.empty()) {
            std::optional<int> back = tapmill::keycode(named);
            const int expected = (number >= 96 && number <= 105) ? number - 48 : number;
            if (back != expected) std::abort();
        }
    }
    return 0;
}
