// The keys of a keyboard by the names a person types them with ("Space", "F8", "PageUp"), with the
// virtual-key code and the set-1 scan code that synthesised input needs.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

struct KeyInfo {
    BYTE vk;
    BYTE scanCode;
    bool extended; // an extended key: its events carry KEYEVENTF_EXTENDEDKEY
};

struct NamedKey {
    const char* name;
    KeyInfo key;
};
// The keys with a name of their own (beside A–Z, 0–9 and F1–F24), and the modifiers: one table,
// in the order that the profiles file's explanation and the README list them.
std::span<const NamedKey> namedKeys();
std::span<const NamedKey> modifierKeys();
// Every key's name as keyByName takes it: A to Z, 0 to 9, F1 to F24, then the named keys.
std::vector<std::string> everyKeyName();

// The key of that name, letters A–Z, digits 0–9, F1–F24 and the named keys of the table, in any
// letter case; false for an unknown name.
bool keyByName(const char* name, KeyInfo* key);
// The modifiers Ctrl, Alt, Shift and Win (the left-hand keys); false for another name.
bool modifierByName(const char* name, KeyInfo* key);
// The name of the virtual key into `name`: as keyByName takes it, or "0x" and its number.
void keyName(UINT vk, char (&name)[16]);
