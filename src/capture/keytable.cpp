#include "capture/keytable.h"

#include <cstring>

#include "capture/hook_messages.h"
#include "platform/hotkeys.h"

namespace tapmill {

namespace {

struct NamedKey {
    int number;
    const char* name;
};

// Keys whose names are words; digits, letters and function keys follow rules instead.
const NamedKey kNamedKeys[] = {
    {8, "BACK"},       {9, "TAB"},       {13, "RETURN"},   {16, "SHIFT"},     {17, "CONTROL"},  {18, "MENU"},
    {19, "PAUSE"},     {20, "CAPITAL"},  {27, "ESCAPE"},   {32, "SPACE"},     {33, "PRIOR"},    {34, "NEXT"},
    {35, "END"},       {36, "HOME"},     {37, "LEFT"},     {38, "UPK"},       {39, "RIGHT"},    {40, "DOWN"},
    {45, "INSERT"},    {46, "DELETE"},   {91, "LWIN"},     {92, "RWIN"},      {93, "APPS"},     {106, "MULTIPLY"},
    {107, "ADD"},      {109, "SUBTRACT"}, {110, "DECIMAL"}, {111, "DIVIDE"},  {121, "F10"},      {122, "F11"},
    {123, "F12"},
    // Beyond the first 123, the names Windows gives the virtual keys, without "VK_". A name of one
    // or two characters would read as a character code or a function key F1 to F9 ("," is 44,
    // not the comma key), so the punctuation keys keep Windows' OEM names too.
    {124, "F13"},      {125, "F14"},     {126, "F15"},     {127, "F16"},      {128, "F17"},     {129, "F18"},
    {130, "F19"},      {131, "F20"},     {132, "F21"},     {133, "F22"},      {134, "F23"},     {135, "F24"},
    {144, "NUMLOCK"},  {145, "SCROLL"},  {160, "LSHIFT"},  {161, "RSHIFT"},   {162, "LCONTROL"}, {163, "RCONTROL"},
    {164, "LMENU"},    {165, "RMENU"},   {166, "BROWSER_BACK"}, {167, "BROWSER_FORWARD"}, {168, "BROWSER_REFRESH"},
    {169, "BROWSER_STOP"}, {170, "BROWSER_SEARCH"}, {171, "BROWSER_FAVORITES"}, {172, "BROWSER_HOME"},
    {173, "VOLUME_MUTE"}, {174, "VOLUME_DOWN"}, {175, "VOLUME_UP"}, {176, "MEDIA_NEXT_TRACK"},
    {177, "MEDIA_PREV_TRACK"}, {178, "MEDIA_STOP"}, {179, "MEDIA_PLAY_PAUSE"}, {180, "LAUNCH_MAIL"},
    {181, "LAUNCH_MEDIA_SELECT"}, {182, "LAUNCH_APP1"}, {183, "LAUNCH_APP2"},
    {186, "OEM_1"},    {187, "OEM_PLUS"}, {188, "OEM_COMMA"}, {189, "OEM_MINUS"}, {190, "OEM_PERIOD"},
    {191, "OEM_2"},    {192, "OEM_3"},   {219, "OEM_4"},   {220, "OEM_5"},    {221, "OEM_6"},   {222, "OEM_7"},
    {223, "OEM_8"},    {226, "OEM_102"}, {229, "PROCESSKEY"}, {231, "PACKET"}, {246, "ATTN"},   {247, "CRSEL"},
    {248, "EXSEL"},    {249, "EREOF"},   {250, "PLAY"},    {251, "ZOOM"},     {252, "NONAME"},  {253, "PA1"},
    {254, "OEM_CLEAR"},
};

}  // namespace

std::string keyname(int number) {
    if (number >= 48 && number <= 57) return std::string(1, static_cast<char>('0' + number - 48));
    if (number >= 96 && number <= 105) return std::string(1, static_cast<char>('0' + number - 96));
    if (number >= 112 && number <= 123) return "F" + std::to_string(number - 111);
    if (number >= 65 && number <= 90) return std::string(1, static_cast<char>(number));
    for (const NamedKey& k : kNamedKeys)
        if (k.number == number) return k.name;
    return std::string();
}

namespace {

const char* const kKeypadDigitPrefix = "Num";
const char* const kUnnamedKeyPrefix = "键码";

// The number after a prefix, 1 to 254, digits only; empty when the text is no such label.
std::optional<int> numberAfter(const std::string& label, const std::string& prefix) {
    if (label.compare(0, prefix.size(), prefix) != 0 || label.size() == prefix.size() || label.size() > prefix.size() + 3)
        return std::nullopt;
    int number = 0;
    for (size_t i = prefix.size(); i < label.size(); ++i) {
        if (label[i] < '0' || label[i] > '9') return std::nullopt;
        number = number * 10 + (label[i] - '0');
    }
    return number;
}

}  // namespace

std::string keyLabel(int number) {
    if (number >= 96 && number <= 105) return kKeypadDigitPrefix + std::to_string(number - 96);
    const std::string name = keyname(number);
    return name.empty() ? kUnnamedKeyPrefix + std::to_string(number) : name;
}

std::optional<int> keyOfLabel(const std::string& label) {
    std::optional<int> number = numberAfter(label, kKeypadDigitPrefix);
    if (number) number = *number + 96;
    if (!number) number = numberAfter(label, kUnnamedKeyPrefix);
    if (!number) number = keycode(label);
    // Only the label keyLabel gives names a key: "Num01" and "键码65" name none.
    if (!number || *number < 1 || *number > kHighestKeyNumber || keyLabel(*number) != label) return std::nullopt;
    return number;
}

uint32_t modifiersBesides(int number, uint32_t modifiers) {
    switch (number) {
        case 16: return modifiers & ~platform::kModShift;
        case 17: return modifiers & ~platform::kModControl;
        case 18: return modifiers & ~platform::kModAlt;
        case 91: case 92: return modifiers & ~platform::kModWin;
        default: return modifiers;
    }
}

std::string combinationName(int number, uint32_t modifiers) {
    const std::string key = keyname(number);
    if (key.empty()) return key;
    struct NamedModifier {
        uint32_t modifier;
        const char* name;
    };
    static const NamedModifier kModifierNames[] = {{platform::kModControl, "CONTROL"},
                                                   {platform::kModAlt, "MENU"},
                                                   {platform::kModShift, "SHIFT"},
                                                   {platform::kModWin, "LWIN"}};
    std::string name;
    const uint32_t held = modifiersBesides(number, modifiers);
    for (const NamedModifier& m : kModifierNames)
        if (held & m.modifier) name += std::string(m.name) + "+";
    return name + key;
}

std::optional<int> keycode(const std::string& name) {
    if (name.size() == 1) return static_cast<unsigned char>(name[0]);
    if (name.size() == 2) {
        // The first character is not examined: any two-character name is a function key F1 to F9.
        char digit = name[1];
        if (digit < '0' || digit > '9') return std::nullopt;
        return 111 + (digit - '0');
    }
    for (const NamedKey& k : kNamedKeys)
        if (name == k.name) return k.number;
    return std::nullopt;
}

}  // namespace tapmill
