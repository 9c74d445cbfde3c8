#include "standin/standin_roles.h"

namespace {

constexpr const char* HONESTECH_KEY = "Software\\Honestech\\TV Plus\\TVR";

// honestech TV and LumenTVR are installed together and start the same executable; the role file
// beside it tells them apart.
constexpr StandinApp APPS[] = {
    {StandinRole::PowerVcr, "powervcr", "PVCR.EXE", "Software\\Cyberlink\\PowerVCR II",
     "InstallPath", "PowerVCR II Taurus", "PowerVCR II", false, true, CloseCommand::CtrlX},
    {StandinRole::Honestech, "honestech", "honestechTV.EXE", HONESTECH_KEY, "AppPath",
     "honestechTV 2.0", "TVR", false, false, CloseCommand::KeyO},
    {StandinRole::WinDvr, "windvr", "WINDVR.EXE", "Software\\InterVideo\\WinDVR", "PATH",
     "StandinWinDVR", "InterVideo WinDVR", false, false, CloseCommand::KeyX},
    {StandinRole::WinDvd, "windvd", "WINDVD.EXE", "Software\\InterVideo\\WinDVD4", "PATH",
     "StandinWinDVD", "InterVideo WinDVD 4", true, false, CloseCommand::KeyXToChild},
    {StandinRole::WinRip, "winrip", "WINRIP.EXE", "Software\\InterVideo\\WinRip", "PATH",
     "StandinWinRip", "WinRip", false, false, CloseCommand::KeyX},
    {StandinRole::LumenTvr, "lumentvr", "honestechTV.EXE", HONESTECH_KEY, "AppPath", "LUMEN_TVR",
     "FormMainWindow", false, false, CloseCommand::CommandMessage},
    {StandinRole::Player, "player", "player.exe", nullptr, nullptr, "StandinPlayer",
     "Stand-in Player - movie.mkv", false, false, CloseCommand::KeyX},
};

} // namespace

const StandinApp& standinApp(StandinRole role) {
    for (const StandinApp& app : APPS)
        if (app.role == role)
            return app;
    return APPS[0];
}

const StandinApp* findRole(const char* name, const char* exeName) {
    for (const StandinApp& app : APPS) {
        if (name && *name) {
            if (lstrcmpiA(name, app.name) == 0)
                return &app;
        } else if (exeName && lstrcmpiA(exeName, app.exeName) == 0) {
            return &app;
        }
    }
    return nullptr;
}
