#include "capture/keytable.h"

#include <cstring>

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
