// The harness's side of the simulated card: one device of the card, reached with the private
// requests that press keys, arm faults and read back the request log.
#pragma once

#include "card/card_protocol.h"

#include <windows.h>

#include <string>
#include <vector>

class CardDevice {
public:
    explicit CardDevice(DWORD index);
    ~CardDevice();
    CardDevice(const CardDevice&) = delete;
    CardDevice& operator=(const CardDevice&) = delete;

    static std::string path(DWORD index);
    bool isOpen() const { return handle != INVALID_HANDLE_VALUE; }
    // Opens the device again: once the driver has restarted, the old handle fails every request.
    bool reopen();

    // Each returns true when the driver took the request.
    bool press(DWORD rawCode, DWORD holdMs = 0, DWORD reads = 0);
    bool release();
    bool fault(DWORD request, DWORD error, DWORD pendMs = 0);
    bool poke(DWORD address, DWORD value);
    // Clears the log, the faults, the key and the register file; finishes held requests.
    bool reset();
    // Completes the requests held pending by a CARD_PEND_HELD or CARD_PEND_STUCK fault.
    bool finishHeld();
    bool state(CardState& out);
    // The logged requests, oldest first; empty when the log cannot be read.
    std::vector<CardLogEntry> log();

private:
    bool control(DWORD code, const void* input, DWORD inputLength, void* output,
                 DWORD outputLength);
    DWORD index;
    HANDLE handle;
};
