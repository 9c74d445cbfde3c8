#include "settings/settings_store.h"

#include "settings/windows_family.h"
#include "win32/owned.h"

#include <cstring>

namespace {

// "Control Panel\International" keeps the country code as text.
constexpr const char* INTERNATIONAL_KEY = "Control Panel\\International";
constexpr const char* COUNTRY_VALUE = "iCountry";
constexpr DWORD COUNTRY_TEXT_BYTES = 30;
constexpr int COUNTRY_DIGITS = 5;
constexpr UINT WINDOWS_FOLDER_BYTES = 128;

// Reads a value of at most 4 bytes, whatever its type; longer data counts as a failed read.
bool readNumber(HKEY key, const char* name, DWORD* number) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) !=
        ERROR_SUCCESS)
        return false;
    *number = value;
    return true;
}

void writeNumber(HKEY key, const char* name, DWORD number) {
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegFlushKey(key);
}

void readBothValues(HKEY key, bool mayWrite, Settings& settings) {
    DWORD number = 0;
    if (readNumber(key, DEFAULT_APP_VALUE, &number))
        settings.defaultApp = static_cast<int>(number);
    else if (mayWrite)
        writeNumber(key, DEFAULT_APP_VALUE, static_cast<DWORD>(settings.defaultApp));

    number = 0;
    if (readNumber(key, REMOTE_OFF_VALUE, &number))
        settings.remoteOff = number == 1;
    else if (mayWrite)
        writeNumber(key, REMOTE_OFF_VALUE, 0);
}

void createSettings(const Settings& settings) {
    OwnedKey key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, key.put(), nullptr) != ERROR_SUCCESS)
        return;
    const DWORD app = static_cast<DWORD>(settings.defaultApp);
    const DWORD off = 0;
    RegSetValueExA(key.get(), DEFAULT_APP_VALUE, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&app),
                   sizeof app);
    RegSetValueExA(key.get(), REMOTE_OFF_VALUE, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&off),
                   sizeof off);
    RegFlushKey(key.get());
}

// "81" -> 81: at most the first five characters, all of them digits. Text that is not a number
// is no country code (0), so no stray character can make one up.
int parseCountryCode(const char* text) {
    int code = 0;
    for (int i = 0; i < COUNTRY_DIGITS && text[i]; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return 0;
        code = code * 10 + (text[i] - '0');
    }
    return code;
}

int readNineXCountryCode() {
    char path[WINDOWS_FOLDER_BYTES];
    const char* file = "win.ini"; // a bare name is looked up in the Windows folder
    const UINT length = GetWindowsDirectoryA(path, sizeof path);
    if (length > 0 && length + std::strlen("\\win.ini") < sizeof path) {
        std::strcat(path, "\\win.ini");
        file = path;
    }
    return static_cast<int>(GetPrivateProfileIntA("intl", "iCountry", 1, file));
}

int readNtCountryCode() {
    OwnedKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, INTERNATIONAL_KEY, 0, KEY_READ, key.put()) !=
        ERROR_SUCCESS)
        return 0;
    char text[COUNTRY_TEXT_BYTES + 1] = {};
    DWORD size = COUNTRY_TEXT_BYTES;
    if (RegQueryValueExA(key.get(), COUNTRY_VALUE, nullptr, nullptr, reinterpret_cast<BYTE*>(text),
                         &size) != ERROR_SUCCESS)
        return 0;
    text[size < COUNTRY_TEXT_BYTES ? size : COUNTRY_TEXT_BYTES] = 0; // stored text may lack one
    return parseCountryCode(text);
}

} // namespace

void readSettings(Settings& settings) {
    OwnedKey key;
    const LSTATUS opened =
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, KEY_ALL_ACCESS, key.put());
    if (opened == ERROR_SUCCESS) {
        readBothValues(key.get(), true, settings);
    } else if (opened == ERROR_ACCESS_DENIED) {
        // A user without administrator rights still gets the settings; nothing is written.
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, KEY_READ, key.put()) ==
            ERROR_SUCCESS)
            readBothValues(key.get(), false, settings);
    } else {
        createSettings(settings);
    }
}

void saveDefaultApp(int defaultApp) {
    OwnedKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, KEY_ALL_ACCESS, key.put()) !=
        ERROR_SUCCESS)
        return;
    DWORD existing = 0;
    if (!readNumber(key.get(), DEFAULT_APP_VALUE, &existing))
        return;
    const DWORD app = static_cast<DWORD>(defaultApp);
    RegSetValueExA(key.get(), DEFAULT_APP_VALUE, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&app),
                   sizeof app);
    RegFlushKey(key.get());
}

int readCountryCode() {
    return isWindows9x() ? readNineXCountryCode() : readNtCountryCode();
}

void updateJapanMode(Settings& settings) {
    settings.japanMode = readCountryCode() == JAPAN_COUNTRY_CODE;
}
