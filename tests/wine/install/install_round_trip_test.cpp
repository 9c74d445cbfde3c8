// The x64 installer, silent from start to end, in a prefix of its own: the install writes exactly
// the files and registry values that start the program with Windows and list it in Add/Remove
// Programs; the Run command starts it as Windows would at logon and it polls the card; an install
// over the running copy closes it, replaces it, keeps its setting and starts it again; the
// uninstall closes it and leaves the machine as it was before the install.
#include "harness/card_device.h"
#include "harness/deadline.h"
#include "harness/filter_registry.h"
#include "install/system_snapshot.h"
#include "program/program_run.h"
#include "program/shell_tray.h"
#include "program/test_registry.h"
#include "unit/event_log_match.h"

#include <gtest/gtest.h>

#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

namespace {

constexpr DWORD INSTALL_TIMEOUT_MS = 60000;
constexpr DWORD READ_TIMEOUT_MS = 10000;
const std::string RUN_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string UNINSTALL_KEY =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QN520 Remote Control";

// What Wine changes by itself, left out of the comparisons: its per-session store of the user's
// system parameters, where it adds keys as programs with windows start (the program sets none).
const std::vector<std::string> CHANGED_BY_WINE = {
    "HKU\\S-1-5-21-0-0-0-1000\\Software\\Wine\\Temporary System Parameters",
};

// The build names files as the build machine sees them; Wine's drive Z: is the root.
std::string windowsPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

std::string folderPath(int csidl) {
    char path[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, path)) ? path : "";
}

std::string fileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string registryText(const std::string& key, const char* name) {
    char text[MAX_PATH * 2] = {};
    DWORD size = sizeof text;
    return RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text,
                        &size) == ERROR_SUCCESS
               ? text
               : "";
}

std::string shortcutTarget(const std::string& link) {
    IShellLinkA* shellLink = nullptr;
    IPersistFile* file = nullptr;
    char target[MAX_PATH] = {};
    const std::wstring wide(link.begin(), link.end());
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&shellLink))) &&
        SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(wide.c_str(), STGM_READ)))
        shellLink->GetPath(target, sizeof target, nullptr, 0);
    if (file)
        file->Release();
    if (shellLink)
        shellLink->Release();
    return target;
}

// A process started with a command line, as CreateProcess takes it; ended by the time it goes.
struct Started {
    PROCESS_INFORMATION info{};
    explicit Started(std::string commandLine) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &info))
            info = PROCESS_INFORMATION{};
    }
    ~Started() {
        if (!info.hProcess)
            return;
        if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info.hProcess, 1);
            WaitForSingleObject(info.hProcess, END_TIMEOUT_MS);
        }
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;

    // The exit code once the process has ended within the bound; STILL_ACTIVE otherwise.
    DWORD exitCode(DWORD timeoutMs) const {
        DWORD code = STILL_ACTIVE;
        if (info.hProcess && WaitForSingleObject(info.hProcess, timeoutMs) == WAIT_OBJECT_0)
            GetExitCodeProcess(info.hProcess, &code);
        return code;
    }
};

// NSIS's uninstaller runs from a copy of itself in the temp folder and its own process ends at
// once; the uninstall is over when the processes it started have ended.
bool childrenEnded(DWORD parent, DWORD timeoutMs) {
    HANDLE processes = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (processes == INVALID_HANDLE_VALUE)
        return false;
    bool ended = true;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(processes, &entry); more && ended;
         more = Process32Next(processes, &entry)) {
        HANDLE child = entry.th32ParentProcessID == parent
                           ? OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID)
                           : nullptr;
        if (child) { // null too when it has ended already
            ended = WaitForSingleObject(child, timeoutMs) == WAIT_OBJECT_0;
            CloseHandle(child);
        }
    }
    CloseHandle(processes);
    return ended;
}

// The files that Windows is to delete at its next start, from their "\??\" form: the uninstaller
// asks for the copy of itself that it runs from, which it cannot delete while it runs.
std::vector<std::string> markedForDeletion() {
    char names[4096] = {}; // pairs of a path and, for a deletion, an empty string
    DWORD size = sizeof names - 2;
    std::vector<std::string> paths;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager",
                     "PendingFileRenameOperations", RRF_RT_REG_MULTI_SZ, nullptr, names,
                     &size) != ERROR_SUCCESS)
        return paths;
    for (const char* name = names; name < names + size; name += std::strlen(name) + 1)
        if (std::strncmp(name, "\\??\\", 4) == 0)
            paths.push_back(name + 4);
    return paths;
}

// The file name of the program that started the window's process.
std::string parentProgramOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    DWORD parent = 0;
    std::string name;
    HANDLE processes = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (int pass = 0; pass < 2; ++pass)
        for (BOOL more = Process32First(processes, &entry); more;
             more = Process32Next(processes, &entry))
            if (pass == 0 && entry.th32ProcessID == process)
                parent = entry.th32ParentProcessID;
            else if (pass == 1 && entry.th32ProcessID == parent)
                name = entry.szExeFile;
    CloseHandle(processes);
    return name;
}

class InstallRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        std::string problem;
        ASSERT_TRUE(clearVideoInputCategory(&problem)) << problem;
        ASSERT_TRUE(registerSimFilter({0, "Solvanta QN52X Video Capture", 0, ""}, &problem))
            << problem;
        ASSERT_TRUE(card.reset()) << "the card does not answer";
    }

    void runInstaller() {
        Started setup("\"" + windowsPath(QN520_SETUP) + "\" /S");
        ASSERT_NE(setup.info.hProcess, nullptr) << "the installer did not start";
        ASSERT_EQ(setup.exitCode(INSTALL_TIMEOUT_MS), 0u) << "the silent install failed";
    }

    // Starts the Run value's command line as Windows does at logon, and waits for the program's
    // window and for its reads of the card.
    std::unique_ptr<Started> startWithWindows() {
        auto program = std::make_unique<Started>(registryText(RUN_KEY, "QN520 Remote Control"));
        EXPECT_TRUE(
            waitUntil([&] { return programWindowOf(program->info.dwProcessId); }, START_TIMEOUT_MS))
            << "the program's window did not appear";
        EXPECT_TRUE(polling()) << "the program does not poll the card";
        return program;
    }

    // Five more reads of the card (each read is three requests) come within the bound.
    bool polling() {
        CardState state{};
        const DWORD target = (card.state(state) ? state.requestsLogged : 0) + 3 * 5;
        return waitUntil([&] { return card.state(state) && state.requestsLogged >= target; },
                         READ_TIMEOUT_MS);
    }

    CardDevice card{0};
};

TEST_F(InstallRoundTrip, silentInstallStartsWithWindowsUpgradesInPlaceAndUninstallsToNothing) {
    const std::string folder = folderPath(CSIDL_PROGRAM_FILES) + "\\QN520 Remote Control";
    const std::string exe = folder + "\\qn520remote.exe";
    const std::string uninstaller = folder + "\\uninstall.exe";
    const std::string shortcut = folderPath(CSIDL_COMMON_PROGRAMS) + "\\QN520 Remote Control.lnk";
    const std::string shipped = fileBytes(windowsPath(QN520_SHIPPED_PROGRAM));
    ASSERT_FALSE(shipped.empty());

    const SystemSnapshot before = takeSystemSnapshot();
    runInstaller();
    SystemSnapshot installed = takeSystemSnapshot();

    // Exactly these entries were added, and nothing else changed. The uninstaller's and the
    // shortcut's sizes are whatever NSIS and the shell make them.
    const std::string run = "HKLM\\" + RUN_KEY + " [QN520 Remote Control]";
    const std::string u = "HKLM\\" + UNINSTALL_KEY;
    const DWORD sizeKiB =
        static_cast<DWORD>((shipped.size() + fileBytes(uninstaller).size()) / 1024);
    std::vector<std::string> expected = {
        "+ " + folder + " = folder",
        "+ " + exe + " = " + std::to_string(shipped.size()) + " bytes",
        "+ " + uninstaller + " = " + installed[uninstaller],
        "+ " + shortcut + " = " + installed[shortcut],
        "+ " + run + " = sz \"\"" + exe + "\"\"",
        "+ " + u + " = key",
        "+ " + u + " [DisplayName] = sz \"QN520 Remote Control\"",
        "+ " + u + " [DisplayVersion] = sz \"" QN520_VERSION "\"",
        "+ " + u + " [Publisher] = sz \"Taviro Multimedia\"",
        "+ " + u + " [DisplayIcon] = sz \"" + exe + ",0\"",
        "+ " + u + " [InstallLocation] = sz \"" + folder + "\"",
        "+ " + u + " [UninstallString] = sz \"\"" + uninstaller + "\"\"",
        "+ " + u + " [QuietUninstallString] = sz \"\"" + uninstaller + "\" /S\"",
        "+ " + u + " [NoModify] = dword 1",
        "+ " + u + " [NoRepair] = dword 1",
        "+ " + u + " [EstimatedSize] = dword " + std::to_string(sizeKiB),
    };
    std::vector<std::string> changes = snapshotDifferences(before, installed, CHANGED_BY_WINE);
    std::sort(expected.begin(), expected.end());
    std::sort(changes.begin(), changes.end());
    EXPECT_TRUE(sameEvents(changes, expected));
    EXPECT_TRUE(fileBytes(exe) == shipped) << "the installed program is not the shipped one";
    EXPECT_EQ(shortcutTarget(shortcut), exe);

    // An older copy to upgrade: the installed program with bytes appended, which it ignores.
    std::ofstream(exe, std::ios::binary | std::ios::app) << "an older copy";
    std::unique_ptr<Started> program = startWithWindows();
    ASSERT_EQ(readValue(SETTINGS_KEY_PATH, "DefaultTVAPP").number, 3u) << "no settings made";
    const DWORD powerVcr = 2;
    ASSERT_TRUE(writeDword(SETTINGS_KEY_PATH, "DefaultTVAPP", powerVcr));

    runInstaller();
    EXPECT_EQ(program->exitCode(END_TIMEOUT_MS), 0u) << "the install did not close the program";
    EXPECT_TRUE(fileBytes(exe) == shipped) << "the older copy was not replaced";
    const RegistryValue kept = readValue(SETTINGS_KEY_PATH, "DefaultTVAPP");
    EXPECT_EQ(kept.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(kept.number, powerVcr);

    // The upgrade started the program again, through the desktop's shell (whose child it is, not
    // the installer's): a new copy, its icon in the tray, reading the card. The uninstall closes
    // that one.
    HWND restarted = nullptr;
    EXPECT_TRUE(
        waitUntil([&] { return (restarted = FindWindowA("QN520 Remote Control", nullptr)); },
                  START_TIMEOUT_MS))
        << "the upgrade left the remote without its program";
    EXPECT_TRUE(waitUntil([&] { return restarted && shellHoldsIcon(restarted, PROGRAM_ICON_ID); },
                          START_TIMEOUT_MS));
    EXPECT_TRUE(polling()) << "the restarted program does not poll the card";
    EXPECT_EQ(parentProgramOf(restarted), "explorer.exe");
    Started uninstall(registryText(UNINSTALL_KEY, "QuietUninstallString"));
    ASSERT_NE(uninstall.info.hProcess, nullptr) << "the uninstaller did not start";
    ASSERT_EQ(uninstall.exitCode(INSTALL_TIMEOUT_MS), 0u);
    ASSERT_TRUE(childrenEnded(uninstall.info.dwProcessId, INSTALL_TIMEOUT_MS));
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(restarted); }, END_TIMEOUT_MS))
        << "the uninstall did not close the program";

    // As before the install, but for the uninstaller's own copy, in NSIS's folder in the temp
    // folder, which Windows deletes at its next start.
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string uninstallerCopy = std::string(temp) + "~nsu";
    for (const std::string& path : markedForDeletion())
        EXPECT_TRUE(_strnicmp(path.c_str(), uninstallerCopy.c_str(), uninstallerCopy.size()) == 0)
            << "marked for deletion at the next start: " << path;
    std::vector<std::string> ignored = CHANGED_BY_WINE;
    ignored.push_back(uninstallerCopy);
    ignored.push_back(
        "HKLM\\System\\CurrentControlSet\\Control\\Session Manager [PendingFileRenameOperations]");
    EXPECT_TRUE(sameEvents(snapshotDifferences(before, takeSystemSnapshot(), ignored), {}))
        << "left behind";
}

} // namespace
