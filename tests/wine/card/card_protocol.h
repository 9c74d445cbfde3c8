// What the simulated capture card's driver and its harness-side clients agree on: device names,
// the private control requests that only the harness sends, and their records. Plain fixed-width
// types only, as this header is compiled both in the kernel-mode driver and in user mode.
#pragma once

#include <stdint.h>

// The card's driver service and its devices: \Device\QN520Card<n>, opened from user mode as
// \\.\QN520Card<n>. Several devices let several filters each lead to a card of their own.
#define CARD_SERVICE_NAME "qn520card"
#define CARD_DRIVER_FILE "qn520card.sys"
#define CARD_USER_PATH_PREFIX "\\\\.\\QN520Card"
constexpr uint32_t CARD_DEVICE_COUNT = 4;

// The register the remote receiver writes, and its value while no key is received.
constexpr uint32_t CARD_REMOTE_REGISTER = 0x350014;
constexpr uint32_t CARD_NO_KEY = 0x40;
constexpr uint32_t CARD_RAW_CODE_LIMIT = 64;

// Private requests: FILE_DEVICE_UNKNOWN, functions from 0x800 (the range left to vendors),
// METHOD_BUFFERED, FILE_ANY_ACCESS.
constexpr uint32_t cardControlCode(uint32_t function) {
    return (0x22u << 16) | (function << 2);
}
constexpr uint32_t CARD_IOCTL_PRESS = cardControlCode(0x800);    // in: CardKey
constexpr uint32_t CARD_IOCTL_RELEASE = cardControlCode(0x801);  // no data
constexpr uint32_t CARD_IOCTL_FAULT = cardControlCode(0x802);    // in: CardFault
constexpr uint32_t CARD_IOCTL_RESET = cardControlCode(0x803);    // no data
constexpr uint32_t CARD_IOCTL_STATE = cardControlCode(0x804);    // out: CardState
constexpr uint32_t CARD_IOCTL_READ_LOG = cardControlCode(0x805); // out: CardLog
constexpr uint32_t CARD_IOCTL_POKE = cardControlCode(0x806);     // in: CardPoke
constexpr uint32_t CARD_IOCTL_FINISH = cardControlCode(0x807);   // no data: complete held requests

// A key on the remote. The remote register shows rawCode until the key is released, until
// holdMs have passed (0: no time limit), or until `reads` reads have latched it (0: no limit).
struct CardKey {
    uint32_t rawCode;
    uint32_t holdMs;
    uint32_t reads;
};

// Which property requests a fault applies to.
enum CardRequestKind : uint32_t {
    CARD_REQUEST_ANY = 0,
    CARD_REQUEST_SELECT = 1,   // set, CMD_SELECT_REGISTER
    CARD_REQUEST_READ_SET = 2, // set, CMD_READ_REGISTER
    CARD_REQUEST_READ_GET = 3, // get, CMD_READ_REGISTER
};

// pendMs: the request completes at once (0), after that many milliseconds, or only when the
// harness sends CARD_IOCTL_FINISH or CARD_IOCTL_RESET. A request that waits can be cancelled by
// its caller (CancelIo, or the calling thread ending), as with a working driver, except one held
// with CARD_PEND_STUCK: that plays a hung driver, which ignores cancellation.
constexpr uint32_t CARD_PEND_HELD = 0xFFFFFFFFu;
constexpr uint32_t CARD_PEND_STUCK = 0xFFFFFFFEu;
// The status the log shows for a request that its caller cancelled (STATUS_CANCELLED).
constexpr uint32_t CARD_STATUS_CANCELLED = 0xC0000120u;

// A one-shot fault: the next request of that kind completes with the system error `error`
// (0: it is answered normally), at once or pending. Faults queue up in the order given.
struct CardFault {
    uint32_t request; // CardRequestKind
    uint32_t error;   // a system error code, delivered as the status 0xC0070000 | error
    uint32_t pendMs;
};
constexpr uint32_t CARD_FAULT_CAPACITY = 16;

// Sets one register of the chip.
struct CardPoke {
    uint32_t address;
    uint32_t value;
};

struct CardState {
    uint32_t remoteRegister;  // what the remote register reads now
    uint32_t keyLatches;      // reads that latched the current key since it was pressed
    uint32_t pendingRequests; // property requests answered pending and not yet completed
    uint32_t faultsArmed;
    uint32_t requestsLogged; // since the last reset, including those dropped from the log
    // Opens of the device (IRP_MJ_CREATE) since the driver started; a reset keeps it. The
    // harness's own CardDevice handles count too, so tests compare two readings.
    uint32_t opens;
    int64_t frequency; // performance counter ticks per second, the unit of the log's times
    int64_t now;       // the performance counter when this state was taken
};

// One property request as the driver received it. `status` is the final status it was completed
// with; STATUS_PENDING (0x103) while it is still pending.
struct CardLogEntry {
    int64_t time;      // performance counter at arrival
    int64_t completed; // performance counter at completion; 0 while pending
    uint32_t flags;
    uint32_t command;
    uint32_t address;
    uint32_t value;        // the value word as it arrived
    uint32_t answer;       // the value word written back (valid when status succeeded)
    uint32_t status;       // NTSTATUS
    uint32_t propertyId;   // 6 for the register property set
    uint32_t setMatches;   // 1 when the property set was the register set
    uint32_t inputLength;  // as the request gave them
    uint32_t outputLength; //
};
constexpr uint32_t CARD_LOG_CAPACITY = 512;

// The request log, oldest first: the last `count` of `total` requests since the last reset.
struct CardLog {
    uint32_t total;
    uint32_t count;
    int64_t frequency;
    CardLogEntry entries[CARD_LOG_CAPACITY];
};
