#include "standin/standin_roles.h"

#include <cstring>

namespace {

// honestech TV and LumenTVR start the same executable; the role file beside it tells them apart.
constexpr StandinRole ROLES[] = {
    {"powervcr", "PVCR.EXE", "PowerVCR II Taurus", "PowerVCR II", false, true, CloseCommand::CtrlX},
    {"honestech", "honestechTV.EXE", "honestechTV 2.0", "TVR", false, false, CloseCommand::KeyO},
    {"windvr", "WINDVR.EXE", "StandinWinDVR", "InterVideo WinDVR", false, false,
     CloseCommand::KeyX},
    {"windvd", "WINDVD.EXE", "StandinWinDVD", "InterVideo WinDVD 4", true, false,
     CloseCommand::KeyXToChild},
    {"winrip", "WINRIP.EXE", "StandinWinRip", "WinRip", false, false, CloseCommand::KeyX},
    {"lumentvr", "honestechTV.EXE", "LUMEN_TVR", "FormMainWindow", false, false,
     CloseCommand::CommandMessage},
};

} // namespace

const StandinRole* findRole(const char* name, const char* exeName) {
    for (const StandinRole& role : ROLES) {
        if (name && *name) {
            if (lstrcmpiA(name, role.name) == 0)
                return &role;
        } else if (exeName && lstrcmpiA(exeName, role.exeName) == 0) {
            return &role;
        }
    }
    return nullptr;
}
