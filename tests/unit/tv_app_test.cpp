#include "tv_app_fixture.h"

#include <cstring>
#include <functional>

namespace {

class TvAppRecordTest : public ProgramTest {};

const char* const PVCR_KEY = "Software\\Cyberlink\\PowerVCR II";

// ---- install path

// Only text that fits with its terminator and names an absolute folder counts; anything else is
// no installation at all, so nothing can be started from the current folder or a made-up path.
TEST_F(TvAppRecordTest, installPathIsTakenOnlyWhenItIsAnAbsoluteFolderThatFits) {
    struct Case {
        const char* what;
        DWORD type;
        std::vector<BYTE> bytes; // the value as stored; empty vector: no value at all
        std::string path;        // empty: not installed
    };
    auto text = [](const std::string& s, bool terminated = true) {
        std::vector<BYTE> b(s.begin(), s.end());
        if (terminated)
            b.push_back(0);
        return b;
    };
    const std::string longest = "C:\\" + std::string(124, 'p');
    const Case cases[] = {
        {"plain", REG_SZ, text("C:\\PVCR"), "C:\\PVCR"},
        {"unterminated", REG_SZ, text("C:\\PVCR", false), "C:\\PVCR"},
        {"network share", REG_SZ, text("\\\\server\\tv"), "\\\\server\\tv"},
        {"127 bytes and terminator", REG_SZ, text(longest), longest},
        {"128 bytes, no terminator", REG_SZ, text(longest + "p", false), ""},
        {"too long", REG_SZ, text("C:\\" + std::string(200, 'p')), ""},
        {"missing value", REG_SZ, {}, ""},
        {"empty", REG_SZ, text(""), ""},
        {"relative", REG_SZ, text("TVApps\\PowerVCR"), ""},
        {"root of the current drive", REG_SZ, text("\\PVCR"), ""},
        {"current folder of drive C", REG_SZ, text("C:PVCR"), ""},
        {"a number", REG_DWORD, {0x41, 0x41, 0x41, 0x41}, ""},
        {"bytes", REG_BINARY, text("C:\\PVCR"), ""},
        {"expanded", REG_EXPAND_SZ, text("%ProgramFiles%\\PVCR"), "C:\\Program Files\\PVCR"},
        {"expanded to a relative path", REG_EXPAND_SZ, text("%Unset%\\PVCR"), ""},
        // 127 bytes as stored, 129 once expanded.
        {"expanded beyond 128 bytes", REG_EXPAND_SZ,
         text("%ProgramFiles%\\" + std::string(112, 'p')), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sim::reset();
        sim::setEnvironmentVariable("ProgramFiles", "C:\\Program Files");
        sim::regCreateKey(HKEY_LOCAL_MACHINE, PVCR_KEY);
        if (!c.bytes.empty())
            sim::regSetValue(HKEY_LOCAL_MACHINE, PVCR_KEY, "InstallPath", c.type, c.bytes);
        TvAppTestAccess::fillInstallPath(powerVcr(), 'x');
        powerVcr().becomeTarget();
        const bool installed = !c.path.empty();
        powerVcr().lookUpInstallPath();
        EXPECT_EQ(powerVcr().isInstalled(), installed);
        EXPECT_EQ(powerVcr().isTarget(), !installed);
        EXPECT_EQ(std::string(powerVcr().installPath()), c.path);
        EXPECT_EQ(sim::openHandleCount(), 0);
    }
    sim::reset();
    powerVcr().lookUpInstallPath();
    EXPECT_FALSE(powerVcr().isInstalled()); // no key at all
}

TEST_F(TvAppRecordTest, honestechAndLumenTvrShareOneInstallation) {
    install(honestech(), "C:\\TV");
    EXPECT_TRUE(lumenTvr().isInstalled());
    EXPECT_STREQ(lumenTvr().installPath(), "C:\\TV");
    EXPECT_FALSE(powerVcr().isInstalled());
}

// ---- window searches: class versus title prefix, exact title, substring and first child

struct SearchCase {
    const char* what;
    std::vector<sim::NewWindow> windows; // created in order, so the last is on top
    std::function<HWND()> search;
    const char* expected; // label, or "null"
};

TEST_F(TvAppRecordTest, eachSearchFindsOnlyWhatItsRuleAllows) {
    const std::string longTitle = "PowerVCR II " + std::string(300, 'x');
    const std::string deepWinRip = std::string(127, ' ') + "WinRip";
    auto prefix = [this] { return powerVcr().findWindowByTitle(); };
    auto prefixTvr = [this] { return honestech().findWindowByTitle(); };
    const SearchCase cases[] = {
        {"prefix with more text", {{"a", "X", "TVR Plus"}}, prefixTvr, "a"},
        {"prefix later in the title", {{"a", "X", "My TVR"}}, prefixTvr, "null"},
        {"prefix in small letters", {{"a", "X", "tvr"}}, prefixTvr, "null"},
        {"shorter than the prefix", {{"a", "X", "TV"}}, prefixTvr, "null"},
        {"hidden window", {{"a", "X", "TVR", nullptr, false, false}}, prefixTvr, "a"},
        {"child windows are not searched",
         {{"p", "X", "Host"}, {"c", "X", "TVR"}},
         prefixTvr,
         "null"},
        {"top of the Z order first",
         {{"low", "X", "TVR 1"}, {"high", "X", "TVR 2"}},
         prefixTvr,
         "high"},
        {"title longer than the buffer", {{"a", "X", longTitle}}, prefix, "a"},
        {"class is not the title", {{"a", "PowerVCR II", "Player"}}, prefix, "null"},
        {"class search ignores case, as Win32 does",
         {{"a", "powervcr ii taurus", ""}},
         [this] { return powerVcr().findWindow(); },
         "a"},
        {"exact title",
         {{"a", "X", "InterVideo WinDVR "}},
         [this] { return winDvr().findWindow(); },
         "null"},
        {"substring beyond the buffer",
         {{"a", "X", deepWinRip}},
         [this] { return winRip().findWindow(); },
         "null"},
        {"substring in reach",
         {{"a", "X", deepWinRip.substr(6)}},
         [this] { return winRip().findWindow(); },
         "a"},
        {"first child",
         {{"dvd", "X", "InterVideo WinDVD 4"}, {"kid", "Y", "", nullptr}},
         [this] { return winDvd().findWindow(); },
         "kid"},
        {"no child",
         {{"dvd", "X", "InterVideo WinDVD 4"}},
         [this] { return winDvd().findWindow(); },
         "null"},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(c.what);
        sim::reset();
        HWND previous = nullptr;
        for (sim::NewWindow wanted : c.windows) {
            // A wanted labelled "c" or "kid" is a child of the window before it.
            if (wanted.label == "c" || wanted.label == "kid")
                wanted.parent = previous;
            previous = sim::createWindow(wanted);
        }
        EXPECT_EQ(sim::describe(c.search()), c.expected);
    }
}

// ---- launch and bringUp

TEST_F(TvAppRecordTest, nothingIsStartedForAnApplicationThatIsNotInstalled) {
    EXPECT_EQ(powerVcr().launch(), nullptr);
    EXPECT_EQ(powerVcr().bringUp(), nullptr);
    EXPECT_TRUE(sameEvents(sim::events(), {}));
}

TEST_F(TvAppRecordTest, launchReturnsAWindowThatExistsWithoutStartingAnything) {
    install(honestech(), "C:\\TV");
    HWND main = sim::createWindow({"honestech", "honestechTV 2.0", "Recorder"});
    EXPECT_EQ(honestech().launch(), main);
    EXPECT_FALSE(honestech().isTarget());
    // bringUp's own search is by title and misses it; launch's class search finds it, so no
    // second copy is started and the window found is brought to the front.
    EXPECT_EQ(honestech().bringUp(), main);
    EXPECT_TRUE(sameEvents(sim::events(), toFront("honestech")));
}

TEST_F(TvAppRecordTest, theExecutablesPathIsQuotedSoThatBlanksCannotStartAnotherProgram) {
    install(powerVcr(), "C:\\Program Files\\CyberLink\\PowerVCR II");
    EXPECT_EQ(powerVcr().bringUp(), nullptr); // the window is not there yet
    EXPECT_TRUE(powerVcr().isTarget());
    EXPECT_TRUE(sameEvents(
        sim::events(), {R"(WinExec ""C:\Program Files\CyberLink\PowerVCR II\PVCR.EXE"" show=5)"}));
}

TEST_F(TvAppRecordTest, aStartThatShowsItsWindowAtOnceIsBroughtToTheFront) {
    install(winDvr(), "D:\\DVR\\");
    sim::showWindowOnExec("WINDVR.EXE", {"WinDVR", "Frame", "InterVideo WinDVR"});
    EXPECT_NE(winDvr().bringUp(), nullptr);
    EXPECT_TRUE(sameEvents(sim::events(),
                           Events{R"(WinExec ""D:\DVR\\WINDVR.EXE"" show=5)"} + toFront("WinDVR")));
}

TEST_F(TvAppRecordTest, aFailedStartShowsOneMessageAndLeavesTheTargetAsItWas) {
    struct Case {
        TvApp* app;
        std::string message;
    };
    const Case cases[] = {
        {&powerVcr(), "Can't run CyberLink PowerVCR II."},
        {&honestech(), "Can't run honestech TV."},
        {&winDvr(), "Can't run InterVideo WinDVR."},
        {&winDvd(), "Can't run InterVideo WinDVD 4."},
        {&winRip(), "Can't run InterVideo WinRip."},
        {&lumenTvr(), "Can't run LumenTVR."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        install(*c.app, "C:\\Gone");
        sim::setWinExecResult(2); // ERROR_FILE_NOT_FOUND
        for (int before = 0; before < 2; ++before) {
            setTarget(*c.app, before == 1);
            sim::clearEvents();
            EXPECT_EQ(c.app->launch(), nullptr);
            EXPECT_EQ(c.app->isTarget(), before == 1);
            EXPECT_TRUE(sameEvents(sim::eventsStartingWith({"MessageBox"}),
                                   {"MessageBox owner=null text=\"" + c.message +
                                    "\" caption=\"QN520 Remote Control\" type=0x0"}));
        }
    }
}

// A quote inside the registry's path would end the quoted path early and let the rest of it run
// as another program; such a path is not run.
TEST_F(TvAppRecordTest, aPathThatCannotBeQuotedIsNotRun) {
    install(powerVcr(), "C:\\a\" b");
    EXPECT_EQ(powerVcr().launch(), nullptr);
    EXPECT_FALSE(powerVcr().isTarget());
    EXPECT_TRUE(sameEvents(sim::events(), {"MessageBox owner=null text=\"Can't run CyberLink "
                                           "PowerVCR II.\" caption=\"QN520 Remote Control\" "
                                           "type=0x0"}));
}

} // namespace
