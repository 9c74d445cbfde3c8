// The simulated desktop's state, shared by the files that implement the Win32 subset.
#pragma once

#include "sim.h"

#include <map>
#include <memory>
#include <set>

namespace sim::detail {

struct Timer {
    HWND window;
    UINT_PTR id;
    UINT periodMs;
    TIMERPROC routine;
    DWORD due;
    std::uint64_t serial; // keeps equal due times in the order they were set
};

struct RegKey {
    std::string displayPath;
    std::map<std::string, std::pair<std::string, RegValue>>
        values; // lower-case name -> (name, value)
    bool writable = true;
    bool openable = true;
};

struct OpenKey {
    std::string path; // "HKLM\\SOFTWARE\\..." as opened
    bool canWrite;
};

struct Window {
    std::string label;
    std::string className;
    std::string title;
    HWND parent = nullptr;
    HWND owner = nullptr;
    bool minimized = false;
    bool visible = true;
    bool topmost = false;
    bool postFails = false;
    std::function<LRESULT(UINT, WPARAM, LPARAM)> sendHandler;
    std::map<int, LONG_PTR> longs; // GWLP_USERDATA, DWLP_USER
    int controlId = 0;             // a dialog's control: its identifier
    std::vector<std::string> comboItems;
    int comboSelection = -1;
    DLGPROC dialogProc = nullptr;
    bool dialogEnded = false;
    INT_PTR dialogResult = 0;
};

// A request the card answered pending: it completes when waited on, unless it hangs; a hanging
// one completes only when cancelled (unless it ignores that too) or finished by the test.
struct PendingIo {
    bool completesOk;
    DWORD error;
    bool hangs = false;
    bool ignoresCancel = false;
    bool cancelled = false;
    HANDLE device = nullptr;
    HANDLE event = nullptr;
    LPVOID output = nullptr;
    DWORD outputLength = 0;
};

struct Desktop {
    std::vector<std::string> events;

    DWORD ticks = 0;
    DWORD slept = 0;
    std::vector<Timer> timers;
    std::uint64_t timerSerial = 0;

    std::function<int(const ModalBox&)> boxHook;
    int openBoxes = 0;
    std::function<void(HWND, int)> dialogHook;
    DWORD dialogPatienceMs = 60000;
    bool dialogBoxFails = false;
    std::map<int, std::vector<std::pair<int, std::string>>> dialogControls; // template -> controls
    int openDialogs = 0;

    DWORD lastError = 0;
    std::map<std::string, std::string> environment; // lower-case name -> value
    std::map<std::string, RegKey> keys;             // lower-case full path -> key
    std::map<std::uintptr_t, OpenKey> openKeys;
    std::uintptr_t nextKey = 0x1000;

    bool nineX = false;
    std::string windowsDir = "C:\\windows";
    std::map<std::string, std::string> winIni; // "section\nkey" lower-case -> value
    std::vector<std::string> deleted;
    UINT winExecResult = 33;
    DWORD winExecWait = 0;
    std::vector<std::pair<std::string, NewWindow>> execWindows;

    bool openTokenFails = false;
    bool privilegeHeld = true;
    bool privilegeEnabled = false;
    bool lookupFails = false;
    BOOL exitResult = TRUE;
    DWORD exitError = 0;

    std::set<std::uintptr_t> kernelHandles; // events and tokens
    std::uintptr_t nextHandle = 0x100;
    std::map<const OVERLAPPED*, PendingIo> pendingIo;

    std::vector<VideoInputDevice> videoInputs;
    int enumerations = 0;
    int comInitBalance = 0; // CoInitialize calls minus CoUninitialize calls
    int comInitDepth = 0;   // what COM counts: a CoUninitialize beyond the inits does nothing
    int comReferences = 0;

    DeviceState deviceState = DeviceState::Absent;
    std::map<DWORD, DWORD> chip;
    DWORD selected = 0;
    DWORD latched = 0;
    std::vector<std::pair<RequestKind, DeviceFault>> faults;
    std::optional<DWORD> createEventError;
    std::vector<DeviceRequest> requests;

    std::map<std::uintptr_t, Window> windows;
    std::vector<HWND> zOrder; // all windows, topmost first; siblings keep their relative order
    std::uintptr_t nextWindow = 0x20000;
    HWND foreground = nullptr;
    HWND active = nullptr;

    int screenWidth = 1024;
    int screenHeight = 768;
    bool swapButtons = false;
    POINT cursorPos{512, 384};
    LPARAM extraInfo = 0;

    std::set<std::uintptr_t> menus; // popup menus not destroyed yet
    std::uintptr_t nextMenu = 0x3000;
    std::map<std::string, UINT> registeredMessages;

    struct File {
        std::string content;
        DWORD lastWrite;
    };
    std::map<std::string, File> files;               // by lower-case path
    std::map<std::uintptr_t, std::string> openFiles; // handle -> lower-case path
};

Desktop& desktop();
std::string lower(const std::string& text);
std::string keyPath(HKEY root, const std::string& subKey);
Window* findWindow(HWND window);
HANDLE newHandle();
void createDialogControls(HWND dialog, int templateId);
bool isComboBox(const Window& window);
LRESULT comboMessage(Window& combo, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace sim::detail
