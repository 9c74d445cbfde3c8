// Thousands of random presses, holds and releases while windows come and go on the simulated
// desktop, checking after every poll that what was sent went only where it may go.
#include "tv_app_fixture.h"

#include <map>
#include <optional>
#include <random>
#include <set>

namespace {

// The remote targets in precedence order; window labels begin with their owner's tag.
constexpr AppId TARGETS[] = {AppId::POWERVCR, AppId::WINDVR, AppId::HONESTECH, AppId::LUMENTVR};
const char* const TAGS[] = {"pvcr", "dvr", "htv", "lumen"};
constexpr int POWERVCR_INDEX = 0;
constexpr int LUMENTVR_INDEX = 3;
// With no target, the dispatcher's own searches, in its order: LumenTVR, PowerVCR, WinDVR,
// honestech TV.
const std::pair<int, sim::NewWindow> RUNNING_SEARCH[] = {
    {3, {"", "LUMEN_TVR", ""}},
    {0, {"", "PowerVCR II Taurus", ""}},
    {1, {"", "", "InterVideo WinDVR"}},
    {2, {"", "honestechTV 2.0", ""}},
};
const std::string PROMPT = "dialog:107";
// Raw codes of Power, 20 and 21, outside and in Japan mode.
constexpr DWORD SWITCH_CODES[] = {30, 3, 29};
constexpr DWORD JAPAN_SWITCH_CODES[] = {18, 20, 21};

int ownerOf(const std::string& label) {
    const std::string tag = label.substr(0, label.find(':'));
    for (int i = 0; i < 4; ++i)
        if (tag == TAGS[i])
            return i;
    return -1;
}

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// What one poll may cause.
struct Allowed {
    bool prompt = false; // only the prompt's answer (and what answering it does)
    std::set<int> apps;  // the applications that may receive messages and keystrokes
    bool start = false;  // Power: starting an application, its failure message, the watch
    bool mouse = false;
};

// The rule for held buttons, stated here on its own so that a fault in the program's decoder
// shows: the same button seen again within 250 ms is a repeat; Power, 20 and 21 act once per
// press, but for LumenTVR as the target, whose own commands 20 and 21 are; while an application
// is the target only every tenth repeat is delivered. Like the program, it starts as if button 0
// had been seen at tick 0.
class RepeatRule {
public:
    // What a poll delivers for the register value, with the target's index (-1: none): nothing,
    // or the button (BUTTON_SUPPRESSED for a held-back repeat).
    std::optional<RemoteButton> deliver(DWORD value, DWORD now, int target, bool japan) {
        if (value & 0x40)
            return std::nullopt;
        const RemoteButton button =
            japan ? static_cast<RemoteButton>(value & 0x3F) : translateRawCode(value & 0x3F);
        const bool repeat = button == last && now - lastTick < 250;
        repeats = repeat ? repeats + 1 : 0;
        last = button;
        lastTick = now;
        const bool lumenCommand = target == LUMENTVR_INDEX && (button == 20 || button == 21);
        if (repeat && (button == 18 || button == 20 || button == 21) && !lumenCommand)
            return std::nullopt;
        if (repeat && repeats % 10 != 0 && target >= 0)
            return BUTTON_SUPPRESSED;
        return button;
    }

private:
    RemoteButton last = 0;
    DWORD lastTick = 0;
    int repeats = 0;
};

class RandomDispatchTest : public ProgramTest {
protected:
    std::mt19937 random{0};
    RepeatRule oracle;
    int serial = 0;
    std::map<std::string, int> seen;

    int roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }

    std::vector<HWND> topLevelWindows() {
        std::vector<HWND> out;
        for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            if (w != mainWindow && !startsWith(sim::describe(w), "dialog:"))
                out.push_back(w);
        return out;
    }

    void createRandomWindow() {
        const std::string n = ":" + std::to_string(++serial);
        const bool minimized = roll(4) == 0, visible = roll(5) != 0;
        switch (roll(7)) {
        case 0:
            sim::createWindow(
                {"pvcr" + n, "PowerVCR II Taurus", "PowerVCR II", nullptr, minimized, visible});
            break;
        case 1: {
            HWND host = sim::createWindow({"pvcr" + n + ":video", "PvcrVideo", "Preview"});
            sim::createWindow({"pvcr" + n + ":child", "Pane", "VideoWindow2", host});
            break;
        }
        case 2:
            sim::createWindow({"dvr" + n, "WinDVRFrame", "InterVideo WinDVR", nullptr, minimized});
            break;
        case 3:
            sim::createWindow({"dvr" + n, "WinDVRDialog", "InterVideo WinDVR - Setup"});
            break;
        case 4:
            sim::createWindow({"htv" + n, "honestechTV 2.0", "TVR", nullptr, minimized, visible});
            break;
        case 5:
            sim::createWindow({"lumen" + n, "LUMEN_TVR", roll(2) ? "FormMainWindow" : ""});
            break;
        default:
            sim::createWindow({"other" + n, "Notepad", "Untitled - Notepad"});
            break;
        }
    }

    void changeDesktop() {
        auto windows = topLevelWindows();
        if (roll(150) == 0) { // everything is closed by hand
            for (HWND w : windows)
                sim::destroyWindow(w);
            windows.clear();
        }
        if (windows.size() < 6 && roll(4) == 0)
            createRandomWindow();
        if (!windows.empty() && roll(4) == 0)
            sim::destroyWindow(windows[roll(static_cast<int>(windows.size()))]);
        sim::setWinExecResult(roll(7) ? 33 : 2);
    }

    void changeKey() {
        const int what = roll(10);
        if (what < 2)
            sim::releaseRemoteKey();
        else if (what < 5)
            return;            // held
        else if (roll(4) == 0) // Power, 20 and 21 often, so that applications come and go
            sim::pressRemoteKey(
                (settings().japanMode ? JAPAN_SWITCH_CODES : SWITCH_CODES)[roll(3)]);
        else
            sim::pressRemoteKey(static_cast<DWORD>(roll(settings().japanMode ? 64 : 32)));
    }

    HWND windowLabelled(const std::string& label) {
        for (HWND w : topLevelWindows())
            if (sim::describe(w) == label)
                return w;
        return nullptr;
    }

    // Most of the time an application honours its close command and its window goes away.
    void closeWhatWasAskedToClose(const Events& caused) {
        std::string foreground;
        for (const std::string& e : caused) {
            if (startsWith(e, "SetForegroundWindow "))
                foreground = e.substr(20);
            std::string closed;
            if (startsWith(e, "keybd_event vk=0x58 scan=0x0 flags=0x1 "))
                closed = foreground;
            for (const char* close :
                 {" msg=0x100 wParam=0x58 ", " msg=0x100 wParam=0x4F ", " msg=0xBD0 wParam=0x1 "})
                if (startsWith(e, "PostMessage ") && e.find(close) != std::string::npos)
                    closed = e.substr(12, e.find(close) - 12);
            if (HWND w = closed.empty() || roll(4) == 0 ? nullptr : windowLabelled(closed))
                sim::destroyWindow(w);
        }
    }

    int firstActive() {
        for (int i = 0; i < 4; ++i)
            if (app(TARGETS[i]).isTarget())
                return i;
        return -1;
    }

    static int firstRunning() {
        for (const auto& [index, wanted] : RUNNING_SEARCH)
            if (FindWindowExA(GetDesktopWindow(), nullptr,
                              wanted.className.empty() ? nullptr : wanted.className.c_str(),
                              wanted.title.empty() ? nullptr : wanted.title.c_str()))
                return index;
        return -1;
    }

    // The rules of the dispatcher, as seen from outside.
    static Allowed allowedFor(bool promptOpen, RemoteButton button, int target, int running) {
        Allowed a;
        if (promptOpen) {
            a.prompt = true;
        } else if (target >= 0) {
            const bool lumen = target == LUMENTVR_INDEX;
            if (button == BUTTON_POWER || (button == BUTTON_DEFAULT_APP && !lumen))
                a.start = true;
            if (button != BUTTON_SUPPRESSED && (button != BUTTON_SHUT_DOWN || lumen))
                a.apps = {target};
        } else if (button == BUTTON_POWER || button == BUTTON_DEFAULT_APP) {
            a.apps = {0, 1, 2, 3};
            a.start = true;
        } else if (button == BUTTON_SHUT_DOWN) {
            a.prompt = running < 0;
        } else if (running >= 0) {
            a.apps = {running};
        } else {
            a.mouse = true;
        }
        return a;
    }

    void check(const Events& events, const Allowed& a, RemoteButton button) {
        std::string foreground;
        for (const std::string& e : events) {
            SCOPED_TRACE(e);
            const auto fields =
                e.find(' ') == std::string::npos ? std::string() : e.substr(e.find(' ') + 1);
            const std::string label = fields.substr(0, fields.find(' '));
            const bool toApp = a.apps.count(ownerOf(label)) != 0;
            if (startsWith(e, "KillTimer main id=2") || startsWith(e, "Sleep 2000")) {
                continue; // the app watch, between polls
            } else if (a.prompt) {
                const bool answer = startsWith(e, "SendMessage dialog:107 msg=0x100 wParam=0x") &&
                                    e.size() > 11 &&
                                    e.compare(e.size() - 11, 11, " lParam=0x0") == 0;
                EXPECT_TRUE(
                    label == PROMPT || answer || startsWith(e, "DialogBox template=107") ||
                    startsWith(e, "OpenProcessToken") || startsWith(e, "LookupPrivilegeValue") ||
                    startsWith(e, "AdjustTokenPrivileges") || startsWith(e, "ExitWindowsEx"));
                if (answer && button != BUTTON_SHUT_DOWN) { // 21 opened it: nested polls answer
                    const char* key = button == BUTTON_POWER ? "wParam=0xD " : "wParam=0x1B ";
                    EXPECT_NE(e.find(key), std::string::npos);
                }
                EXPECT_FALSE(startsWith(e, "SendMessage") && !answer);
            } else if (startsWith(e, "SetForegroundWindow")) {
                EXPECT_TRUE(toApp);
                foreground = label;
            } else if (startsWith(e, "keybd_event")) {
                EXPECT_TRUE(a.apps.count(ownerOf(foreground))) << "typed into " << foreground;
            } else if (startsWith(e, "PostMessage") || startsWith(e, "SetActiveWindow") ||
                       startsWith(e, "ShowWindow")) {
                EXPECT_TRUE(toApp);
            } else if (startsWith(e, "RegSetValueEx")) {
                EXPECT_TRUE(a.apps.count(POWERVCR_INDEX));
            } else if (startsWith(e, "mouse_event") || startsWith(e, "SetCursorPos")) {
                EXPECT_TRUE(a.mouse);
            } else {
                EXPECT_TRUE(a.start && (startsWith(e, "WinExec") || startsWith(e, "MessageBox") ||
                                        startsWith(e, "SetTimer main id=2")));
            }
            ++seen[e.substr(0, e.find(' '))];
        }
    }

    // One poll; returns after checking what it caused.
    void poll() {
        changeDesktop();
        changeKey();
        sim::advance(POLL_PERIOD_MS); // the app watch may run meanwhile
        const size_t start = sim::events().size();
        const bool promptOpen = shell().shutdownPromptOpen();
        const int target = firstActive(), running = firstRunning();
        const std::optional<RemoteButton> button = oracle.deliver(
            sim::chipRegister(0x350014), sim::tickCount(), target, settings().japanMode);
        program->poll();
        const Events caused(sim::events().begin() + static_cast<long>(start), sim::events().end());
        if (!button) {
            EXPECT_TRUE(sameEvents(caused, {}));
            return;
        }
        SCOPED_TRACE("button " + std::to_string(*button) + " target " + std::to_string(target) +
                     " running " + std::to_string(running));
        const Allowed allowed = allowedFor(promptOpen, *button, target, running);
        check(caused, allowed, *button);
        closeWhatWasAskedToClose(caused);
        EXPECT_FALSE(winDvd().isTarget() || winRip().isTarget()); // never targets
        if (!allowed.prompt && target < 0 && allowed.apps.size() == 1) {
            EXPECT_TRUE(app(TARGETS[running]).isTarget()); // found, it became the target
        }
    }

    void run(unsigned seed, int pollCount) {
        random.seed(seed);
        for (int i = 0; i < pollCount && !HasFailure(); ++i) {
            if (i % 200 == 0)
                settings().defaultApp = 1 + roll(4);
            if (sim::events().size() > 256)
                sim::clearEvents();
            poll();
        }
    }
};

TEST_F(RandomDispatchTest, commandsGoOnlyToTheirApplicationAndThePromptTakesEveryButton) {
    install(powerVcr(), "C:\\PVCR");
    install(winDvr(), "C:\\DVR");
    install(honestech(), "C:\\Program Files\\TV");
    sim::showWindowOnExec("PVCR.EXE", {"pvcr:exec", "PowerVCR II Taurus", "PowerVCR II"});
    sim::showWindowOnExec("WINDVR.EXE", {"dvr:exec", "WinDVRFrame", "InterVideo WinDVR"});
    sim::showWindowOnExec("honestechTV.EXE", {"htv:exec", "honestechTV 2.0", "TVR"});
    sim::setCaptureDevice(sim::DeviceState::Present);
    device().open();
    sim::setMessageBoxHook([](const sim::ModalBox&) { return IDOK; });
    // Inside the prompt's modal loop, polls go on until one of them answers it.
    sim::setDialogHook([this](HWND, int) {
        for (int i = 0; i < 100 && shell().shutdownPromptOpen(); ++i)
            poll();
    });
    for (unsigned seed : {1u, 2u, 3u}) {
        settings().japanMode = seed == 3;
        run(seed, 2000);
    }
    // The run went everywhere it should have.
    for (const char* kind : {"PostMessage", "keybd_event", "SetCursorPos", "mouse_event",
                             "DialogBox", "ExitWindowsEx", "WinExec", "ShowWindow", "MessageBox"})
        EXPECT_GT(seen[kind], 0) << kind;
}

} // namespace
