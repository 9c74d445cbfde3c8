// The programs that the teaching dialog offers: those with a visible, titled top-level window,
// front first, once each, shown as "vlc.exe - clip.avi - VLC media player". The TV applications
// are left out: profiles never act while those run.
#pragma once

#include "win32/window_description.h"

#include <string>
#include <vector>

struct ProgramChoice {
    std::string label;
    WindowDescription window; // its front window, as it was read when listed
    WindowDescription owner;  // the window that owns that one, if any
};

std::vector<ProgramChoice> programChoices(const std::vector<TopWindow>& windows);
// The program of the window in front at the last press, or of the window that owns it; the first
// when it is none of them (and 0 when the list is empty).
int preselected(const std::vector<ProgramChoice>& choices, const WindowDescription& front,
                const WindowDescription& frontOwner);
