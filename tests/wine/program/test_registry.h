// The registry as the program reads it at start: its own settings and the TV applications'
// install paths, written and read back by the tests from outside the program.
#pragma once

#include <windows.h>

#include <string>

constexpr const char* SETTINGS_KEY_PATH = "SOFTWARE\\Taviro Multimedia\\QN52X Utilities";

// Creates the key as needed. Returns true when the value was written.
bool writeDword(const char* keyPath, const char* name, DWORD value);
bool writeValue(const char* keyPath, const char* name, DWORD type, const void* data, DWORD size);
bool writeString(const char* keyPath, const char* name, const std::string& text);

// "DefaultTVAPP" stored as REG_BINARY, four bytes: the program reads it like a number but would
// write it back as REG_DWORD, so the value's type afterwards shows whether it wrote at all.
bool storeDefaultAppAsBinary(DWORD number);

struct RegistryValue {
    bool exists = false;
    DWORD type = REG_NONE;
    DWORD number = 0; // the first four bytes, for a value of at most four bytes
};
RegistryValue readValue(const char* keyPath, const char* name);

// Removes the key with its values and subkeys; absent keys are fine.
void deleteKeyTree(const char* keyPath);
