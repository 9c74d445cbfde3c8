// The utility's own registry settings and the system country code that sets Japan mode.
#pragma once

#include <windows.h>

constexpr const char* SETTINGS_KEY = "SOFTWARE\\Taviro Multimedia\\QN52X Utilities";
constexpr const char* DEFAULT_APP_VALUE = "DefaultTVAPP";
constexpr const char* REMOTE_OFF_VALUE = "AlwaysRemoteOff";
constexpr int JAPAN_COUNTRY_CODE = 81;

// "DefaultTVAPP" before it is first written: the number of LumenTVR. What each number names is
// the table of applications' business.
constexpr int FIRST_DEFAULT_APP = 3;

// The program's settings, read once at start-up, and Japan mode, settled when polling starts.
struct Settings {
    int defaultApp = FIRST_DEFAULT_APP; // the application Power brings up
    bool remoteOff = false;             // the utility must not run
    bool japanMode = false;             // raw codes are buttons as they are
};

// Reads both settings, creating the key and the missing values.
void readSettings(Settings& settings);
// Writes the number to an existing "DefaultTVAPP"; never creates.
void saveDefaultApp(int defaultApp);
int readCountryCode();
// Sets japanMode from the country code.
void updateJapanMode(Settings& settings);
