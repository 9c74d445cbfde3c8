// The main window's answers to what any program can send it: dialog commands and power events.
#include "app/main_window.h"

#include "app/resource_ids.h"
#include "event_log_match.h"
#include "program_fixture.h"

#include <string>

using MainWindowTest = ProgramTest;

// Another program may post About, Setting or the remote monitor as often as it likes: each dialog
// opens once, and a command for the open one brings it to the front instead. Once it is closed,
// it opens again.
TEST_F(MainWindowTest, EachDialogOpensOnceHoweverOftenItIsAskedFor) {
    for (const auto& [command, templateId] :
         {std::pair<int, int>{IDM_ABOUT, IDD_ABOUT}, std::pair<int, int>{IDM_SETTING, IDD_SETTING},
          std::pair<int, int>{IDM_MONITOR, IDD_MONITOR}}) {
        const std::string dialog = "dialog:" + std::to_string(templateId);
        const int asked = command;
        sim::clearEvents();
        sim::setDialogHook([this, asked](HWND open, int) {
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(mainWindowProc(mainWindow, WM_COMMAND, asked, 0), 0);
            EXPECT_EQ(sim::openDialogs(), 1);
            SendMessageA(open, WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_EQ(mainWindowProc(mainWindow, WM_COMMAND, command, 0), 0);
        mainWindowProc(mainWindow, WM_COMMAND, command, 0);
        const std::string opened =
            "DialogBox template=" + std::to_string(templateId) + " owner=main";
        const std::string toFront = "SetForegroundWindow " + dialog;
        const std::string ended = "EndDialog " + dialog + " result=2";
        EXPECT_TRUE(sameEvents(
            sim::eventsStartingWith({"DialogBox", "SetForegroundWindow", "EndDialog"}),
            {opened, toFront, toFront, toFront, ended, opened, toFront, toFront, toFront, ended}));
    }
}

// Every power event is answered TRUE (a suspend request is granted). A resume lets the capture
// device go, so the next poll opens it afresh; a device that is not held is left alone, which
// keeps COM's opens and closes even.
TEST_F(MainWindowTest, PowerEventsAreAnsweredAndAResumeLetsTheDeviceGo) {
    struct Case {
        WPARAM event;
        bool resumes;
    };
    const Case cases[] = {
        {PBT_APMQUERYSUSPEND, false},      {PBT_APMSUSPEND, false},
        {PBT_APMPOWERSTATUSCHANGE, false}, {PBT_APMRESUMESUSPEND, true},
        {PBT_APMRESUMEAUTOMATIC, true},    {PBT_APMRESUMECRITICAL, true},
    };
    sim::setCaptureDevice(sim::DeviceState::Present);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.event);
        ASSERT_TRUE(device().open());
        EXPECT_EQ(mainWindowProc(mainWindow, WM_POWERBROADCAST, c.event, 0), TRUE);
        EXPECT_EQ(device().isOpen(), !c.resumes);
        EXPECT_EQ(mainWindowProc(mainWindow, WM_POWERBROADCAST, c.event, 0), TRUE);
        if (device().isOpen())
            device().reopenAtNextRead();
        EXPECT_EQ(sim::comInitCount(), 0);
    }
}

// A resume while a failed read's message is open closes the device, and so does the failed read
// once its message is answered: COM is uninitialised once, as it was initialised once.
TEST_F(MainWindowTest, AResumeDuringAFailedReadsMessageUninitialisesComOnce) {
    sim::setCaptureDevice(sim::DeviceState::Present);
    sim::injectDeviceFault(sim::RequestKind::Select, sim::failure(ERROR_GEN_FAILURE));
    sim::setMessageBoxHook([this](const sim::ModalBox& box) {
        if (box.caption == "Error")
            mainWindowProc(mainWindow, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
        return IDOK;
    });
    device().readRegister(REMOTE_CODE_REGISTER);
    EXPECT_EQ(sim::eventsStartingWith({"CoInitialize"}).size(), 1u);
    EXPECT_EQ(sim::eventsStartingWith({"CoUninitialize"}).size(), 1u);
}

// A failed read's messages and another program's command that cannot start its application share
// the rule of one box at a time, whichever comes first.
TEST_F(MainWindowTest, ACommandsMessageDoesNotOpenOverAFailedReadsMessage) {
    install(powerVcr(), "C:\\Gone");
    sim::setWinExecResult(2); // ERROR_FILE_NOT_FOUND
    sim::setCaptureDevice(sim::DeviceState::Present);
    sim::injectDeviceFault(sim::RequestKind::Select, sim::failure(ERROR_GEN_FAILURE));
    sim::setMessageBoxHook([this](const sim::ModalBox&) {
        mainWindowProc(mainWindow, WM_COMMAND, IDM_POWERVCR, 0);
        return IDOK;
    });
    device().readRegister(REMOTE_CODE_REGISTER);
    EXPECT_EQ(sim::eventsStartingWith({"MessageBox"}),
              (std::vector<std::string>{"MessageBox owner=null text=\"FAILED\" caption=\"FAILED to "
                                        "set REGISTER address\" type=0x0",
                                        "MessageBox owner=null text=\"Unable to set Register "
                                        "address\" caption=\"Error\" type=0x0"}));
    EXPECT_EQ(sim::eventsStartingWith({"WinExec"}).size(), 2u) << "each command still tried";
}

// The window's messages never reach a program that is gone: the window goes first.
TEST_F(MainWindowTest, NoMessageReachesTheProgramOnceItIsGone) {
    program.reset();
    EXPECT_EQ(programOf(mainWindow), nullptr);
    EXPECT_EQ(mainWindowProc(mainWindow, WM_COMMAND, IDM_ABOUT, 0), 0);
    EXPECT_TRUE(sim::eventsStartingWith({"DialogBox"}).empty());
}
