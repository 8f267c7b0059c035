// The tables behind input_names.h.
#include "platform/input_names.h"

#include <cctype>

namespace platform {
namespace {

struct KeyName {
    int scancode;
    const char* name;
};

// Every key a player may bind. Letters and digits are named by the key's place on a US
// board, which is what makes the file mean the same keys on any layout.
const KeyName KEY_NAMES[] = {
    {4, "A"},          {5, "B"},          {6, "C"},          {7, "D"},         {8, "E"},         {9, "F"},
    {10, "G"},         {11, "H"},         {12, "I"},         {13, "J"},        {14, "K"},        {15, "L"},
    {16, "M"},         {17, "N"},         {18, "O"},         {19, "P"},        {20, "Q"},        {21, "R"},
    {22, "S"},         {23, "T"},         {24, "U"},         {25, "V"},        {26, "W"},        {27, "X"},
    {28, "Y"},         {29, "Z"},         {30, "1"},         {31, "2"},        {32, "3"},        {33, "4"},
    {34, "5"},         {35, "6"},         {36, "7"},         {37, "8"},        {38, "9"},        {39, "0"},
    {40, "Return"},    {41, "Escape"},    {42, "Backspace"}, {43, "Tab"},      {44, "Space"},    {45, "Minus"},
    {46, "Equals"},    {47, "LeftBracket"}, {48, "RightBracket"}, {49, "Backslash"}, {51, "Semicolon"},
    {52, "Apostrophe"}, {53, "Grave"},    {54, "Comma"},     {55, "Period"},   {56, "Slash"},    {57, "CapsLock"},
    {73, "Insert"},    {74, "Home"},      {75, "PageUp"},    {76, "Delete"},   {77, "End"},      {78, "PageDown"},
    {79, "Right"},     {80, "Left"},      {81, "Down"},      {82, "Up"},       {84, "KeypadDivide"},
    {85, "KeypadMultiply"}, {86, "KeypadMinus"}, {87, "KeypadPlus"}, {88, "KeypadEnter"}, {89, "Keypad1"},
    {90, "Keypad2"},   {91, "Keypad3"},   {92, "Keypad4"},   {93, "Keypad5"},  {94, "Keypad6"},  {95, "Keypad7"},
    {96, "Keypad8"},   {97, "Keypad9"},   {98, "Keypad0"},   {99, "KeypadPeriod"}, {100, "NonUSBackslash"},
    {224, "LeftCtrl"}, {225, "LeftShift"}, {226, "LeftAlt"}, {228, "RightCtrl"}, {229, "RightShift"},
    {230, "RightAlt"},
};

const char* const PAD_NAMES[PAD_BUTTON_COUNT] = {
    "South", "East", "West", "North", "Back", "Guide", "Start", "LeftStick", "RightStick",
    "LeftShoulder", "RightShoulder", "DpadUp", "DpadDown", "DpadLeft", "DpadRight",
};

bool same_name(std::string_view a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return i == a.size() && !b[i];
}

}  // namespace

const char* scancode_file_name(int scancode) {
    for (const KeyName& k : KEY_NAMES)
        if (k.scancode == scancode) return k.name;
    return nullptr;
}

int scancode_from_file_name(std::string_view name) {
    for (const KeyName& k : KEY_NAMES)
        if (same_name(name, k.name)) return k.scancode;
    return -1;
}

const char* pad_button_name(int button) { return button >= 0 && button < PAD_BUTTON_COUNT ? PAD_NAMES[button] : "None"; }

int pad_button_from_name(std::string_view name) {
    for (int b = 0; b < PAD_BUTTON_COUNT; ++b)
        if (same_name(name, PAD_NAMES[b])) return b;
    return -1;
}

const char* pad_button_display_name(int button) {
    static constexpr const char* NAMES[PAD_BUTTON_COUNT] = {
        "pad A", "pad B", "pad X", "pad Y", "pad Back", "pad Guide", "pad Start", "pad L-stick", "pad R-stick",
        "pad LB", "pad RB", "pad up", "pad down", "pad left", "pad right",
    };
    return button >= 0 && button < PAD_BUTTON_COUNT ? NAMES[button] : "no button";
}

}  // namespace platform
