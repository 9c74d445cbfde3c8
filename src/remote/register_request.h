// The wire format of the register requests that go to the capture driver.
#pragma once

#include <windows.h>

// IOCTL_KS_PROPERTY: FILE_DEVICE_KS, function 0, METHOD_NEITHER, FILE_ANY_ACCESS.
constexpr DWORD KS_PROPERTY_IOCTL = 0x002F0003;

constexpr DWORD REGISTER_PROPERTY_ID = 6;
constexpr DWORD KSPROPERTY_FLAG_GET = 1;
constexpr DWORD KSPROPERTY_FLAG_SET = 2;
constexpr DWORD CMD_SELECT_REGISTER = 0x30000001;
constexpr DWORD CMD_READ_REGISTER = 0x30000003;

// {C44A1A10-0A37-11D2-8328-006097BA83AB} in the standard GUID byte layout.
constexpr BYTE REGISTER_PROPERTY_SET[16] = {0x10, 0x1A, 0x4A, 0xC4, 0x37, 0x0A, 0xD2, 0x11,
                                            0x83, 0x28, 0x00, 0x60, 0x97, 0xBA, 0x83, 0xAB};

// The 40-byte buffer of every register request, passed as both input and output buffer. Bytes 0
// to 23 are the kernel-streaming property header; the rest is the driver's own payload.
struct RegisterRequest {
    BYTE propertySet[16];
    DWORD propertyId;
    DWORD propertyFlags;
    DWORD command;
    DWORD address;
    DWORD value;
    DWORD reserved;
};
static_assert(sizeof(RegisterRequest) == 40, "the driver expects exactly 40 bytes");

// Writes the property header and the command; the payload words are left as they are.
void setRequestHeader(RegisterRequest& request, DWORD flags, DWORD command);
