#include "card_device.h"

#include <cstdio>
#include <memory>

namespace {

HANDLE openDevice(DWORD index) {
    return CreateFileA(CardDevice::path(index).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

CardDevice::CardDevice(DWORD index) : index(index), handle(openDevice(index)) {}

CardDevice::~CardDevice() {
    if (isOpen())
        CloseHandle(handle);
}

bool CardDevice::reopen() {
    if (isOpen())
        CloseHandle(handle);
    handle = openDevice(index);
    return isOpen();
}

std::string CardDevice::path(DWORD index) {
    char text[64];
    std::snprintf(text, sizeof text, "%s%lu", CARD_USER_PATH_PREFIX, index);
    return text;
}

bool CardDevice::control(DWORD code, const void* input, DWORD inputLength, void* output,
                         DWORD outputLength) {
    if (!isOpen())
        return false;
    DWORD returned = 0;
    return DeviceIoControl(handle, code, const_cast<void*>(input), inputLength, output,
                           outputLength, &returned, nullptr) &&
           returned == outputLength;
}

bool CardDevice::press(DWORD rawCode, DWORD holdMs, DWORD reads) {
    const CardKey key = {rawCode, holdMs, reads};
    return control(CARD_IOCTL_PRESS, &key, sizeof key, nullptr, 0);
}

bool CardDevice::release() {
    return control(CARD_IOCTL_RELEASE, nullptr, 0, nullptr, 0);
}

bool CardDevice::fault(DWORD request, DWORD error, DWORD pendMs) {
    const CardFault fault = {request, error, pendMs};
    return control(CARD_IOCTL_FAULT, &fault, sizeof fault, nullptr, 0);
}

bool CardDevice::poke(DWORD address, DWORD value) {
    const CardPoke poke = {address, value};
    return control(CARD_IOCTL_POKE, &poke, sizeof poke, nullptr, 0);
}

bool CardDevice::reset() {
    return control(CARD_IOCTL_RESET, nullptr, 0, nullptr, 0);
}

bool CardDevice::finishHeld() {
    return control(CARD_IOCTL_FINISH, nullptr, 0, nullptr, 0);
}

bool CardDevice::state(CardState& out) {
    return control(CARD_IOCTL_STATE, nullptr, 0, &out, sizeof out);
}

std::vector<CardLogEntry> CardDevice::log() {
    // About 28 KB: too large for the stack of a watcher thread.
    std::unique_ptr<CardLog> log(new CardLog());
    if (!control(CARD_IOCTL_READ_LOG, nullptr, 0, log.get(), sizeof(CardLog)))
        return {};
    return std::vector<CardLogEntry>(log->entries, log->entries + log->count);
}
