// The simulated desktop behind tests/sim/include/windows.h. Tests set it up, run the program's
// logic against it, and read back what the logic did to the outside world from the event log.
//
// Everything the logic does to another program, the registry or the system is appended to the
// event log as one line of text with every number written out, so a test can compare the whole
// sequence exactly (see tests/unit/event_log_match.h).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// Brings the whole simulated desktop back to its initial state: empty log, clock at 0, no
// timers, empty registry, NT family, no windows but the desktop, no capture device.
void reset();

// ---------------------------------------------------------------- event log
const std::vector<std::string>& events();
void clearEvents();
void record(const std::string& line);
// The events whose text begins with one of the prefixes, in order.
std::vector<std::string> eventsStartingWith(std::initializer_list<const char*> prefixes);
std::string hex(std::uint64_t value);
std::string quoted(const char* text);

// ---------------------------------------------------------------- clock and timers
void setTickCount(DWORD ticks);
DWORD tickCount();
// Lets `ms` milliseconds of message-loop time pass: the clock moves on and every timer that falls
// due is called, in due order. Timer routines may themselves call advance (nested modal loops).
void advance(DWORD ms);
// Calls the next due timer at once (moving the clock to its due time); false when none is set.
bool fireNextTimer();
struct TimerInfo {
    HWND window;
    UINT_PTR id;
    UINT periodMs;
    TIMERPROC routine;
};
std::vector<TimerInfo> timers();
DWORD totalSleptMs();

// ---------------------------------------------------------------- modal loops
// Called while a message box is "open", after it has been logged; the hook may run timers with
// advance() to model the modal loop's dispatching. The box then returns the hook's answer (IDOK
// when no hook is set or the hook returns 0).
struct ModalBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
    int depth; // 1 for a box opened from the message loop, 2 for one opened inside another's loop
};
void setMessageBoxHook(std::function<int(const ModalBox&)> hook);
int openMessageBoxes();

// A modal dialog (DialogBoxParamA) creates a window labelled "dialog:<template id>" whose
// procedure receives WM_INITDIALOG and every message sent to it. Its modal loop first calls the
// hook (if set), then runs due timers until the dialog ends; a dialog still open after
// `dialogPatienceMs` of virtual time with nothing left to run is cancelled with WM_COMMAND
// IDCANCEL, and that is logged.
void setDialogHook(std::function<void(HWND dialog, int templateId)> hook);
// Gives every dialog of the template a child control of the class (only "ComboBox" behaves as
// one: a drop-down list, not sorted), created before WM_INITDIALOG as a template's controls are.
// Messages to a dialog's own controls are not logged: they do not leave the program.
void addDialogControl(int templateId, int controlId, const std::string& className);
// A combo box's entries and selected index (CB_ERR when nothing is selected).
std::vector<std::string> comboItems(HWND control);
int comboSelection(HWND control);
void setDialogPatienceMs(DWORD ms);
// DialogBoxParamA fails (-1, no dialog) while set, as it does when a template is missing.
void setDialogBoxFails(bool fails);
int openDialogs();

// ---------------------------------------------------------------- registry
struct RegValue {
    DWORD type;
    std::vector<BYTE> data;
};
void regCreateKey(HKEY root, const std::string& path);
void regSetValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                 std::vector<BYTE> data);
void regSetDword(HKEY root, const std::string& path, const std::string& name, DWORD value);
// A REG_SZ with its terminator; `terminated` false stores the text without one.
void regSetString(HKEY root, const std::string& path, const std::string& name,
                  const std::string& text, bool terminated = true);
bool regKeyExists(HKEY root, const std::string& path);
std::optional<RegValue> regValue(HKEY root, const std::string& path, const std::string& name);
// The key (and keys created under it) can be read but not written or created by this user.
void regDenyWrite(HKEY root, const std::string& path);
// The key cannot be opened at all by this user.
void regDenyAll(HKEY root, const std::string& path);

// ---------------------------------------------------------------- system information
void setWindows9x(bool nineX);
void setWindowsDirectory(const std::string& folder);
// A key of "win.ini" in the Windows folder (read only through GetPrivateProfileIntA).
void setWinIni(const std::string& section, const std::string& key, const std::string& value);
std::vector<std::string> deletedFiles();
// WinExec answers this value (greater than 31 is success; 33 unless set).
void setWinExecResult(UINT result);
// WinExec waits this long before it returns, as the real one waits until the new program is
// ready for input: the clock moves on, no timer routine runs (0 unless set).
void setWinExecWait(DWORD ms);
// An environment variable for ExpandEnvironmentStringsA.
void setEnvironmentVariable(const std::string& name, const std::string& value);

// ---------------------------------------------------------------- token and shutdown
void setOpenTokenFails(bool fails);
// Whether the user holds the shutdown privilege; without it AdjustTokenPrivileges succeeds but
// leaves ERROR_NOT_ALL_ASSIGNED, as Windows does.
void setShutdownPrivilegeHeld(bool held);
void setLookupPrivilegeFails(bool fails);
void setExitWindowsResult(BOOL result, DWORD error);

// ---------------------------------------------------------------- handles
// Kernel objects (events, tokens) and registry keys that are open now.
int openHandleCount();

// ---------------------------------------------------------------- video input devices
// The devices that the system device enumerator lists in the video input category, in its order.
// Each device's filter gives `handle` from IKsObject::KsGetObjectHandle (null: none); each bind
// makes a new filter. A device without a friendly name fails its property bag's Read.
struct VideoInputDevice {
    std::optional<std::string> friendlyName;
    HANDLE handle;
};
void setVideoInputDevices(std::vector<VideoInputDevice> devices);
// Class enumerators created: one per pass over a category's devices.
int deviceEnumerations();
// CoInitialize calls minus CoUninitialize calls (CoInitialize and CoUninitialize are logged too).
int comInitCount();
// References to simulated COM objects handed out and not released yet.
int comReferences();

// ---------------------------------------------------------------- capture card
// The simulated card answers the register property requests like the card's driver: a select
// remembers the address, the set half of a read latches the selected register, the get half
// writes the latched value at offset 32. The remote-code register reads 0x40 (no key) until a
// key is pressed. setCaptureDevice also sets the video input devices: none (Absent), or the one
// "Solvanta QN52X Video Capture" device, whose filter gives the card's handle (Present) or none
// (NoHandle). A handle stays dead once the card is no longer Present.
enum class DeviceState { Absent, NoHandle, Present };
void setCaptureDevice(DeviceState state);
HANDLE captureDeviceHandle();
void setChipRegister(DWORD address, DWORD value);
DWORD chipRegister(DWORD address);
void pressRemoteKey(DWORD rawCode);
void releaseRemoteKey();

// How the next request of a kind is answered, once; requests without a fault succeed at once.
enum class RequestKind { Select, ReadSet, ReadGet, Any };
struct DeviceFault {
    DWORD error = ERROR_GEN_FAILURE; // last error of the failed call (may be 0)
    bool pending = false;            // the call returns ERROR_IO_PENDING first
    bool completesOk = false;        // for pending: GetOverlappedResult succeeds
    std::optional<DWORD> valueWord;  // written at offset 32 even though the call fails
    bool hangs = false;              // for pending: never completes until cancelled
    bool ignoresCancel = false;      // for hangs: CancelIo does not complete it either
};
inline DeviceFault failure(DWORD error, std::optional<DWORD> valueWord = std::nullopt) {
    DeviceFault f;
    f.error = error;
    f.valueWord = valueWord;
    return f;
}
inline DeviceFault pendingThenSuccess() {
    DeviceFault f = failure(0);
    f.pending = true;
    f.completesOk = true;
    return f;
}
inline DeviceFault pendingThenFailure(DWORD error) {
    DeviceFault f = failure(error);
    f.pending = true;
    return f;
}
// A request that stays pending until it is cancelled; with `ignoresCancel`, until the test calls
// finishHungRequests. Waiting on its event lets the wait's whole time pass (no timer runs).
inline DeviceFault hangs(bool ignoresCancel = false) {
    DeviceFault f = failure(0);
    f.pending = true;
    f.hangs = true;
    f.ignoresCancel = ignoresCancel;
    return f;
}
void injectDeviceFault(RequestKind kind, const DeviceFault& fault);
// Requests answered pending and not completed yet.
int pendingRequests();
// The driver finally completes every hanging request: it writes the 40-byte answer into the
// request's output buffer and signals its event, as a late driver would; a program that freed the
// buffer or closed the event meanwhile is caught (the sanitizers, and the log line "completion
// signalled a closed event").
void finishHungRequests();
void setCreateEventFails(DWORD error);

struct DeviceRequest {
    DWORD code;
    DWORD inLength;
    DWORD outLength;
    bool sameBuffer;
    bool overlapped;
    std::vector<BYTE> bytes; // the input buffer as the driver saw it
};
const std::vector<DeviceRequest>& deviceRequests();
// "select 0x350014", "read-set 0x0", "read-get 0x0", built from a request's bytes.
std::string describeRequest(const DeviceRequest& request);
std::vector<std::string> deviceRequestSummary();

// ---------------------------------------------------------------- windows
// A top-level window (parent null) or a child. New windows go to the top of their siblings'
// Z order. The label names the window in the event log.
struct NewWindow {
    std::string label;
    std::string className;
    std::string title;
    HWND parent = nullptr;
    bool minimized = false;
    bool visible = true;
    HWND owner = nullptr; // a top-level window that owns this one (GW_OWNER)
};
HWND createWindow(const NewWindow& wanted);
void destroyWindow(HWND window);
std::string describe(HWND window);
// Answers messages sent (SendMessageA) to the window; without one, sent messages answer 0.
void setSendHandler(HWND window, std::function<LRESULT(UINT, WPARAM, LPARAM)> handler);
HWND foregroundWindow();
HWND activeWindow();
bool isMinimized(HWND window);
bool isTopmost(HWND window);
// Fails every PostMessageA to the window (the program must not care).
void setPostFails(HWND window, bool fails);
// WinExec of a command line with this executable at its end creates this window as it starts.
void showWindowOnExec(const std::string& exeName, const NewWindow& wanted);

// ---------------------------------------------------------------- files
// A file and its last-write time (FILETIME's low word); the program opens, reads and writes it
// whole. Folders are made as files are put in them.
void setFile(const std::string& path, const std::string& content, DWORD lastWrite = 1);
std::optional<std::string> file(const std::string& path);

// ---------------------------------------------------------------- notification area
// Icons the shell holds, by (window, id); every Shell_NotifyIconA call is logged with its record.
int trayIconCount();
// The shell restarts and has lost every icon.
void restartShell();
// The shell answers the next Shell_NotifyIconA with failure.
void setNextNotifyIconFails();

// ---------------------------------------------------------------- screen and pointer
void setFullScreenSize(int width, int height);
void setSwapButtons(bool swapped);
void setCursor(int x, int y);
POINT cursor();
void setMessageExtraInfo(LPARAM value);

} // namespace sim
