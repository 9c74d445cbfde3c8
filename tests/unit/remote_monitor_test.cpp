// What the remote monitor says of each press: the outcome that the dispatcher, the applications'
// commands and the mouse emulation hand back, in words; the ring of the last presses; the copy.
#include "tv_app_fixture.h"

#include "app/main_window.h"
#include "app/press_words.h"

#include <functional>

namespace {

class RemoteMonitorTest : public ProgramTest {
protected:
    std::string words(RemoteButton button) {
        char text[WORDS_SIZE];
        describeOutcome(dispatch(button), button, text);
        return text;
    }
    // A prompt opened by 21, answered inside its modal loop by `answer`.
    std::string prompted(RemoteButton answer) {
        std::string inside;
        sim::setDialogHook([&](HWND, int) { inside = words(answer); });
        const std::string outside = words(BUTTON_SHUT_DOWN);
        return outside + " / " + inside;
    }
};

// One row for each kind of thing a press can do, from a real dispatch.
TEST_F(RemoteMonitorTest, eachKindOfOutcomeInWords) {
    struct Row {
        const char* scene;
        std::function<void()> prepare;
        RemoteButton button;
        std::string expected;
    };
    auto target = [this](AppId app, HWND (*window)()) {
        return [this, app, window] {
            window();
            this->app(app).becomeTarget();
        };
    };
    HWND (*pvcr)() = [] { return powerVcrWindow(); };
    const Row rows[] = {
        {"posted key", target(AppId::POWERVCR, pvcr), 14, "PowerVCR II: key S"},
        {"posted key of the keypad", target(AppId::POWERVCR, pvcr), 10, "PowerVCR II: key Num *"},
        {"posted character", target(AppId::POWERVCR, pvcr), 22, "PowerVCR II: character 0x0D"},
        {"chord", target(AppId::POWERVCR, pvcr), 23, "PowerVCR II: Ctrl+R typed"},
        {"own command", target(AppId::POWERVCR, pvcr), 24,
         "PowerVCR II: minimise or restore, with its video window"},
        {"private message", target(AppId::LUMENTVR, [] { return lumenTvrWindow(); }), 20,
         "LumenTVR: command 6000"},
        {"Shift and a key", target(AppId::WINDVR, [] { return winDvrWindow(); }), 27,
         "WinDVR: Shift+Up"},
        {"no command", target(AppId::HONESTECH, [] { return honestechWindow(); }), 11,
         "honestech TV: no command for this button"},
        {"window gone", [this] { powerVcr().becomeTarget(); }, 14,
         "PowerVCR II: window not found, nothing sent"},
        {"held back", target(AppId::POWERVCR, pvcr), BUTTON_SUPPRESSED, "nothing"},
        {"Power closes the target", target(AppId::POWERVCR, pvcr), 18, "Power: closed PowerVCR II"},
        {"20 brings the target up", [this] { honestech().becomeTarget(); }, 20,
         "Button 20: honestech TV is not installed"},
        {"switch",
         [this] {
             install(winDvr(), "C:\\DVR");
             settings().defaultApp = 1;
         },
         18, "Power: switched to WinDVR"},
        {"switch to a running default",
         [this] {
             winDvrWindow();
             settings().defaultApp = 1;
         },
         20, "Button 20: closed WinDVR, the default application"},
        {"switch to one not installed", [this] { settings().defaultApp = 3; }, 18,
         "Power: LumenTVR is not installed (asked to re-initialize the settings)"},
        {"no default", [this] { settings().defaultApp = 0; }, 18, "Power: no default application"},
        {"prompt not shown", [] { lumenTvrWindow(); }, 21,
         "Shut Down prompt: not shown, a TV application runs"},
        {"pointer", [] {}, 6, "Mouse: pointer right 1 px"},
        {"pointer diagonally", [this] { mouse().moveCount = 9; }, 1,
         "Mouse: pointer up-left 12 px"},
        {"pointer at the edge", [] { sim::setCursor(1, 1); }, 4,
         "Mouse: pointer left refused at the screen's edge"},
        {"left click", [] {}, 0, "Mouse: left click"},
        {"right click", [] {}, 10, "Mouse: right click"},
        {"primary down", [] {}, 5, "Mouse: primary button held down"},
        {"primary up", [this] { mouse().primaryHeld = true; }, 5, "Mouse: primary button released"},
        {"nothing for the mouse", [] {}, 15, "Mouse: nothing for this button"},
        {"a profile's key",
         [] {
             sim::setEnvironmentVariable("APPDATA", "C:\\AppData");
             sim::setFile("C:\\AppData\\QN520 Remote Control\\profiles.ini",
                          "[VLC]\nTitle = VLC\nButton12 = Ctrl+Up\n");
             SetForegroundWindow(sim::createWindow({"vlc", "Qt5QWindowIcon", "VLC media player"}));
         },
         12, "Profile VLC: Ctrl+Up typed"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.scene);
        start();
        row.prepare();
        EXPECT_EQ(words(row.button), row.expected);
    }
    start();
    EXPECT_EQ(prompted(BUTTON_POWER), "Shut Down prompt: shown, answered Yes / Shut Down prompt: "
                                      "answered Yes");
    start();
    EXPECT_EQ(prompted(3), "Shut Down prompt: shown, answered No / Shut Down prompt: answered No");
}

// A held button is one line that counts its repeats; a press storm keeps the last twenty, and an
// action that returns after its line made room changes nothing.
TEST_F(RemoteMonitorTest, theLastTwentyPressesOneLineEach) {
    sim::setCaptureDevice(sim::DeviceState::Present);
    powerVcrWindow();
    powerVcr().becomeTarget();
    sim::pressRemoteKey(9); // digit 5
    for (int poll = 0; poll < 12; ++poll)
        program->poll();
    ASSERT_EQ(presses().entries(), 1);
    EXPECT_EQ(presses().newestFirst(0).repeatsActed, 1u);
    EXPECT_EQ(presses().newestFirst(0).repeatsHeldBack, 10u);

    sim::setTickCount(1234);
    shell().monitor.update(); // closed: nothing
    for (int press = 0; press < 30; ++press) {
        sim::releaseRemoteKey();
        sim::advance(300);
        program->poll();
        sim::pressRemoteKey(press % 2 ? 9 : 2); // digits 5 and 0 in turn
        program->poll();
    }
    EXPECT_EQ(presses().entries(), PRESS_LOG_SIZE);
    EXPECT_EQ(presses().newestFirst(0).serial, 31u);
    EXPECT_EQ(presses().newestFirst(PRESS_LOG_SIZE - 1).serial, 12u);
    presses().finish(1, mouseOutcome(Result::LEFT_CLICK), false);
    EXPECT_EQ(presses().find(1), nullptr);
    EXPECT_EQ(presses().reads, 72u);
}

} // namespace
