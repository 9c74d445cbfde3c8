// How a simulated capture filter finds its card device: a value under its CLSID key.
#pragma once

// The card device path (\\.\QN520Card<n>) that the filter's IKsObject opens; empty when the
// filter is to have no kernel-streaming handle. A CLSID without this value is not ours.
#define SIM_FILTER_DEVICE_VALUE "QN520CardDevice"
constexpr unsigned SIM_FILTER_DEVICE_PATH_BYTES = 64;
