// The utility's own registry settings and the system country code that sets Japan mode.
#pragma once

#include <windows.h>

// "DefaultTVAPP": 1 WinDVR, 2 PowerVCR, 3 LumenTVR, 4 honestech TV; any other value names none.
enum DefaultApp : int {
    DEFAULT_WINDVR = 1,
    DEFAULT_POWERVCR = 2,
    DEFAULT_LUMENTVR = 3,
    DEFAULT_HONESTECH = 4,
};

constexpr const char* SETTINGS_KEY = "SOFTWARE\\Taviro Multimedia\\QN52X Utilities";
constexpr const char* DEFAULT_APP_VALUE = "DefaultTVAPP";
constexpr const char* REMOTE_OFF_VALUE = "AlwaysRemoteOff";
constexpr int JAPAN_COUNTRY_CODE = 81;

extern int defaultApp; // 3 until the settings are read
extern int remoteOff;  // 1: the utility must not run
extern int japanMode;  // raw codes are buttons as they are

// Reads both settings once at start-up, creating the key and the missing values. Returns 1.
int readSettings();
// Writes defaultApp to an existing "DefaultTVAPP"; never creates. 1 when written.
int saveDefaultApp();
int readCountryCode();
// Sets japanMode from the country code. Returns 1.
int updateJapanMode();
