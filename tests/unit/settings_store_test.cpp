#include "settings/settings_store.h"

#include "event_log_match.h"
#include "sim_fixture.h"

namespace {

const std::string KEY = "HKLM\\SOFTWARE\\Taviro Multimedia\\QN52X Utilities";

std::string setDword(const char* name, const char* bytes) {
    return "RegSetValueEx " + KEY + " name=\"" + name + "\" type=4 data=[" + bytes + "]";
}

class SettingsStore : public SimTest {
protected:
    Settings settings; // as at start-up
    std::vector<std::string> writes() {
        return sim::eventsStartingWith({"RegCreateKeyEx", "RegSetValueEx", "RegFlushKey"});
    }
    std::optional<sim::RegValue> stored(const char* name) {
        return sim::regValue(HKEY_LOCAL_MACHINE, SETTINGS_KEY, name);
    }
};

} // namespace

TEST_F(SettingsStore, AFirstStartCreatesTheKeyWithBothDefaults) {
    readSettings(settings);
    EXPECT_TRUE(
        sameEvents(writes(), {"RegCreateKeyEx " + KEY, setDword("DefaultTVAPP", "03 00 00 00"),
                              setDword("AlwaysRemoteOff", "00 00 00 00"), "RegFlushKey " + KEY}));
    EXPECT_EQ(settings.defaultApp, 3);
    EXPECT_EQ(settings.remoteOff, 0);
    EXPECT_EQ(sim::openHandleCount(), 0);
}

struct StoredCase {
    const char* name;
    DWORD defaultType;
    std::vector<BYTE> defaultData;
    DWORD offType;
    std::vector<BYTE> offData;
    int expectDefaultApp;
    int expectRemoteOff;
};

TEST_F(SettingsStore, ReadsStoredValuesOfAnyTypeUpToFourBytes) {
    const StoredCase cases[] = {
        {"DWORDs, remote on", REG_DWORD, {1, 0, 0, 0}, REG_DWORD, {0, 0, 0, 0}, 1, 0},
        {"AlwaysRemoteOff 1 stops", REG_DWORD, {2, 0, 0, 0}, REG_DWORD, {1, 0, 0, 0}, 2, 1},
        {"AlwaysRemoteOff 2 runs", REG_DWORD, {4, 0, 0, 0}, REG_DWORD, {2, 0, 0, 0}, 4, 0},
        {"out-of-range apps are kept as read",
         REG_DWORD,
         {5, 0, 0, 0},
         REG_DWORD,
         {0, 0, 0, 0},
         5,
         0},
        {"a one-byte binary value", REG_BINARY, {0}, REG_BINARY, {1}, 0, 1},
        {"text is read as its bytes", REG_SZ, {'1', 0}, REG_SZ, {'1', 0}, 0x31, 0},
    };
    for (const StoredCase& c : cases) {
        sim::reset();
        settings = Settings{};
        sim::regSetValue(HKEY_LOCAL_MACHINE, SETTINGS_KEY, "DefaultTVAPP", c.defaultType,
                         c.defaultData);
        sim::regSetValue(HKEY_LOCAL_MACHINE, SETTINGS_KEY, "AlwaysRemoteOff", c.offType, c.offData);
        readSettings(settings);
        EXPECT_EQ(settings.defaultApp, c.expectDefaultApp) << c.name;
        EXPECT_EQ(settings.remoteOff, c.expectRemoteOff) << c.name;
        EXPECT_TRUE(writes().empty()) << c.name;
    }
}

TEST_F(SettingsStore, AMissingOrOverlongValueIsWrittenWithItsDefault) {
    // "DefaultTVAPP" is missing; "AlwaysRemoteOff" holds 8 bytes, more than the 4 read.
    sim::regSetValue(HKEY_LOCAL_MACHINE, SETTINGS_KEY, "AlwaysRemoteOff", REG_BINARY,
                     {1, 0, 0, 0, 0, 0, 0, 0});
    readSettings(settings);
    EXPECT_TRUE(
        sameEvents(writes(), {setDword("DefaultTVAPP", "03 00 00 00"), "RegFlushKey " + KEY,
                              setDword("AlwaysRemoteOff", "00 00 00 00"), "RegFlushKey " + KEY}));
    EXPECT_EQ(settings.defaultApp, 3);
    EXPECT_EQ(settings.remoteOff, 0);
    ASSERT_TRUE(stored("AlwaysRemoteOff"));
    EXPECT_EQ(stored("AlwaysRemoteOff")->type, DWORD(REG_DWORD));
}

TEST_F(SettingsStore, ASingleMissingValueLeavesTheOtherAlone) {
    sim::regSetDword(HKEY_LOCAL_MACHINE, SETTINGS_KEY, "DefaultTVAPP", 2);
    readSettings(settings);
    EXPECT_TRUE(
        sameEvents(writes(), {setDword("AlwaysRemoteOff", "00 00 00 00"), "RegFlushKey " + KEY}));
    EXPECT_EQ(settings.defaultApp, 2);
}

TEST_F(SettingsStore, AUserWithoutWriteAccessReadsAndWritesNothing) {
    sim::regSetDword(HKEY_LOCAL_MACHINE, SETTINGS_KEY, "AlwaysRemoteOff", 1);
    sim::regDenyWrite(HKEY_LOCAL_MACHINE, SETTINGS_KEY);
    readSettings(settings);
    EXPECT_EQ(settings.remoteOff, 1);
    EXPECT_EQ(settings.defaultApp, 3) << "the missing value keeps the default in memory";
    EXPECT_TRUE(writes().empty());
    EXPECT_FALSE(stored("DefaultTVAPP"));
    EXPECT_EQ(sim::openHandleCount(), 0);
}

TEST_F(SettingsStore, AKeyThatCanNeitherBeOpenedNorCreatedLeavesTheDefaults) {
    sim::regDenyWrite(HKEY_LOCAL_MACHINE, "SOFTWARE");
    readSettings(settings);
    EXPECT_FALSE(sim::regKeyExists(HKEY_LOCAL_MACHINE, SETTINGS_KEY));
    EXPECT_EQ(settings.defaultApp, 3);
    EXPECT_EQ(settings.remoteOff, 0);

    sim::reset();
    sim::regDenyAll(HKEY_LOCAL_MACHINE, SETTINGS_KEY);
    readSettings(settings);
    EXPECT_TRUE(writes().empty());
}

TEST_F(SettingsStore, SaveDefaultAppWritesOnlyAnExistingValue) {
    saveDefaultApp(settings.defaultApp);
    EXPECT_FALSE(sim::regKeyExists(HKEY_LOCAL_MACHINE, SETTINGS_KEY));

    sim::regCreateKey(HKEY_LOCAL_MACHINE, SETTINGS_KEY);
    saveDefaultApp(settings.defaultApp);
    EXPECT_FALSE(stored("DefaultTVAPP"));

    sim::regSetDword(HKEY_LOCAL_MACHINE, SETTINGS_KEY, "DefaultTVAPP", 3);
    sim::regDenyWrite(HKEY_LOCAL_MACHINE, SETTINGS_KEY);
    settings.defaultApp = 4;
    saveDefaultApp(settings.defaultApp);
    EXPECT_TRUE(writes().empty());

    sim::reset();
    sim::regSetDword(HKEY_LOCAL_MACHINE, SETTINGS_KEY, "DefaultTVAPP", 3);
    saveDefaultApp(settings.defaultApp);
    EXPECT_TRUE(
        sameEvents(writes(), {setDword("DefaultTVAPP", "04 00 00 00"), "RegFlushKey " + KEY}));
    EXPECT_EQ(sim::openHandleCount(), 0);
}

struct CountryCase {
    const char* name;
    std::optional<std::string> text;
    bool terminated;
    int code;
};

TEST_F(SettingsStore, CountryCodeOnTheNtFamily) {
    const CountryCase cases[] = {
        {"Japan", "81", true, 81},
        {"United States", "1", true, 1},
        {"United Kingdom", "44", true, 44},
        {"three digits", "810", true, 810},
        {"only five digits count", "8100000", true, 81000},
        {"stored without a terminator", "81", false, 81},
        {"a letter", "8a", true, 0},
        {"characters that would add up to 81", "7;", true, 0},
        {"empty", "", true, 0},
        {"longer than the 30-byte buffer", std::string(40, '8'), true, 0},
        {"missing value", std::nullopt, true, 0},
    };
    for (const CountryCase& c : cases) {
        sim::reset();
        sim::regCreateKey(HKEY_CURRENT_USER, "Control Panel\\International");
        if (c.text)
            sim::regSetString(HKEY_CURRENT_USER, "Control Panel\\International", "iCountry",
                              *c.text, c.terminated);
        EXPECT_EQ(readCountryCode(), c.code) << c.name;
        updateJapanMode(settings);
        EXPECT_EQ(settings.japanMode, c.code == 81 ? 1 : 0) << c.name;
        EXPECT_EQ(sim::openHandleCount(), 0) << c.name;
    }
    sim::reset();
    EXPECT_EQ(readCountryCode(), 0) << "no International key";
}

TEST_F(SettingsStore, CountryCodeOnWindows9xComesFromWinIni) {
    sim::setWindows9x(true);
    sim::setWindowsDirectory("C:\\WINDOWS");
    EXPECT_EQ(readCountryCode(), 1) << "missing key gives 1";
    EXPECT_TRUE(
        sameEvents(sim::eventsStartingWith({"GetPrivateProfileInt"}),
                   {"GetPrivateProfileInt \"intl\" \"iCountry\" file=\"C:\\WINDOWS\\win.ini\""}));
    sim::setWinIni("intl", "iCountry", "81");
    updateJapanMode(settings);
    EXPECT_EQ(settings.japanMode, 1);
    sim::setWinIni("intl", "iCountry", "44");
    updateJapanMode(settings);
    EXPECT_EQ(settings.japanMode, 0);
}

TEST_F(SettingsStore, AWindowsFolderTooLongForTheBufferFallsBackToTheBareFileName) {
    sim::setWindows9x(true);
    sim::setWindowsDirectory("C:\\" + std::string(120, 'w'));
    sim::setWinIni("intl", "iCountry", "81");
    EXPECT_EQ(readCountryCode(), 81);
    EXPECT_TRUE(sameEvents(sim::eventsStartingWith({"GetPrivateProfileInt"}),
                           {"GetPrivateProfileInt \"intl\" \"iCountry\" file=\"win.ini\""}));
}
