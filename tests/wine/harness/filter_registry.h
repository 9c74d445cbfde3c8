// Registering simulated capture filters in the video input device category, the way a card's
// setup would: the filter DLL as an in-process COM server, and the filter in the category with
// IFilterMapper2::RegisterFilter under a chosen friendly name.
#pragma once

#include "filter/sim_filter_config.h"

#include <windows.h>

#include <string>
#include <vector>

// The filter DLL, beside the harness programs.
#define SIM_FILTER_DLL "qn520_sim_filter.dll"

// Each slot is a distinct filter CLSID.
constexpr DWORD SIM_FILTER_SLOTS = 8;
constexpr int SIM_FILTER_NO_DEVICE = -1;

struct FilterRegistration {
    DWORD slot;
    std::string friendlyName;
    int device;           // card device index, or SIM_FILTER_NO_DEVICE
    std::string instance; // the instance key in the category; empty: the CLSID's text
};

CLSID simFilterClsid(DWORD slot);

// Needs COM initialised on the calling thread. Returns 1 on success, 0 with `problem` set.
int registerSimFilter(const FilterRegistration& filter, std::string* problem);
// The first slot with no COM server registered, or SIM_FILTER_SLOTS when all are taken.
DWORD firstFreeSimFilterSlot();
// Removes every device of the video input category and the simulated filters' COM servers.
int clearVideoInputCategory(std::string* problem);
struct VideoInputDevice {
    std::string friendlyName;
    std::string clsid;      // the filter's CLSID as text, as the category records it
    std::string cardDevice; // a simulated filter's card device; "" for none or another filter
};
// The devices the system device enumerator lists in the category, in its order.
std::vector<VideoInputDevice> videoInputDevices();
// The CLSID of a slot as text, in the form the category records it.
std::string simFilterClsidText(DWORD slot);
