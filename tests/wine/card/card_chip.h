// The simulated CX2388x chip behind one card device: its register file, the register property
// requests it answers, the one-shot faults the harness arms, and the request log. Plain data and
// code with no kernel call, so the driver keeps the locking and the IRP plumbing to itself.
#pragma once

#include "card_protocol.h"

// NTSTATUS values used by the chip, spelled out to keep this header free of kernel headers.
constexpr int32_t CHIP_STATUS_SUCCESS = 0;
constexpr int32_t CHIP_STATUS_PENDING = 0x103;
constexpr int32_t CHIP_STATUS_INVALID_PARAMETER = static_cast<int32_t>(0xC000000Du);
constexpr int32_t CHIP_STATUS_BUFFER_TOO_SMALL = static_cast<int32_t>(0xC0000023u);
constexpr int32_t CHIP_STATUS_NOT_FOUND = static_cast<int32_t>(0xC0000225u);
constexpr int32_t CHIP_STATUS_NOT_SUPPORTED = static_cast<int32_t>(0xC00000BBu);

// The status that carries a system error code unchanged to the caller's GetLastError.
constexpr int32_t chipStatusFromError(uint32_t error) {
    return error == 0 ? CHIP_STATUS_SUCCESS : static_cast<int32_t>(0xC0070000u | (error & 0xFFFF));
}

// The 40-byte register request as laid out on the wire.
constexpr uint32_t CHIP_REQUEST_BYTES = 40;
constexpr uint32_t CHIP_PROPERTY_ID = 6;
constexpr uint32_t CHIP_FLAG_GET = 1;
constexpr uint32_t CHIP_FLAG_SET = 2;
constexpr uint32_t CHIP_CMD_SELECT = 0x30000001;
constexpr uint32_t CHIP_CMD_READ = 0x30000003;

struct ChipRequest {
    uint8_t propertySet[16];
    uint32_t propertyId;
    uint32_t flags;
    uint32_t command;
    uint32_t address;
    uint32_t value;
    uint32_t reserved;
};
static_assert(sizeof(ChipRequest) == CHIP_REQUEST_BYTES, "wire layout");

// How the driver is to finish one property request.
struct ChipAnswer {
    int32_t status;      // final status
    uint32_t pendMs;     // 0: complete now; otherwise pend (CARD_PEND_HELD, _STUCK: until finished)
    uint32_t writeBack;  // 1: copy `request` into the caller's output buffer
    uint32_t sequence;   // the request's number in the log, for recording its completion
    ChipRequest request; // the request as answered
};

class Chip {
public:
    void reset();

    // Answers one property request. `input` holds inputLength bytes (possibly fewer than 40).
    ChipAnswer handle(const void* input, uint32_t inputLength, uint32_t outputLength, int64_t now);
    // Records in the log how a request answered pending finally completed.
    void recordCompletion(uint32_t sequence, int32_t status, int64_t now);

    void press(const CardKey& key, int64_t now, int64_t frequency);
    void release();
    // 0 when the fault queue is full.
    int armFault(const CardFault& fault);
    void poke(const CardPoke& poke);

    void state(CardState& out, int64_t now, int64_t frequency);
    void log(CardLog& out, int64_t frequency) const;

    uint32_t pendingRequests = 0; // kept by the driver
    uint32_t opens = 0;           // kept by the driver; not cleared by reset()

private:
    struct Register {
        uint32_t address;
        uint32_t value;
    };
    static constexpr uint32_t REGISTER_CAPACITY = 32;

    uint32_t readRegister(uint32_t address, int64_t now);
    void expireKey(int64_t now);
    int takeFault(uint32_t kind, CardFault& fault);
    int32_t answerRequest(uint32_t kind, ChipRequest& request, int64_t now);

    Register registers[REGISTER_CAPACITY] = {};
    uint32_t registerCount = 0;
    uint32_t selected = 0;
    uint32_t latched = CARD_NO_KEY;

    // The key currently shown in the remote register.
    uint32_t keyDown = 0;
    uint32_t keyCode = 0;
    int64_t keyUntil = 0; // 0: no time limit
    uint32_t keyReadsLeft = 0;
    uint32_t keyLatches = 0;

    CardFault faults[CARD_FAULT_CAPACITY] = {};
    uint32_t faultCount = 0;

    CardLogEntry entries[CARD_LOG_CAPACITY] = {};
    uint32_t total = 0;
};
