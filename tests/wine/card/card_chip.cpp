#include "card_chip.h"

#include <string.h>

namespace {

// {C44A1A10-0A37-11D2-8328-006097BA83AB} in the standard GUID byte layout.
constexpr uint8_t REGISTER_PROPERTY_SET[16] = {0x10, 0x1A, 0x4A, 0xC4, 0x37, 0x0A, 0xD2, 0x11,
                                               0x83, 0x28, 0x00, 0x60, 0x97, 0xBA, 0x83, 0xAB};

// Tells the three requests of the register protocol apart; anything else is 0.
uint32_t requestKind(const ChipRequest& request) {
    if (request.flags == CHIP_FLAG_SET && request.command == CHIP_CMD_SELECT)
        return CARD_REQUEST_SELECT;
    if (request.flags == CHIP_FLAG_SET && request.command == CHIP_CMD_READ)
        return CARD_REQUEST_READ_SET;
    if (request.flags == CHIP_FLAG_GET && request.command == CHIP_CMD_READ)
        return CARD_REQUEST_READ_GET;
    return CARD_REQUEST_ANY;
}

} // namespace

void Chip::reset() {
    registerCount = 0;
    selected = 0;
    latched = CARD_NO_KEY;
    keyDown = 0;
    keyLatches = 0;
    faultCount = 0;
    total = 0;
}

void Chip::expireKey(int64_t now) {
    if (keyDown && keyUntil != 0 && now >= keyUntil)
        keyDown = 0;
}

uint32_t Chip::readRegister(uint32_t address, int64_t now) {
    if (address == CARD_REMOTE_REGISTER) {
        expireKey(now);
        if (!keyDown)
            return CARD_NO_KEY;
        ++keyLatches;
        // A key pressed for a number of reads goes up once the last of them has seen it.
        if (keyReadsLeft != 0 && --keyReadsLeft == 0)
            keyDown = 0;
        return keyCode;
    }
    for (uint32_t i = 0; i < registerCount; ++i)
        if (registers[i].address == address)
            return registers[i].value;
    return 0;
}

int Chip::takeFault(uint32_t kind, CardFault& fault) {
    for (uint32_t i = 0; i < faultCount; ++i) {
        if (faults[i].request != CARD_REQUEST_ANY && faults[i].request != kind)
            continue;
        fault = faults[i];
        memmove(&faults[i], &faults[i + 1], (faultCount - i - 1) * sizeof faults[0]);
        --faultCount;
        return 1;
    }
    return 0;
}

int32_t Chip::answerRequest(uint32_t kind, ChipRequest& request, int64_t now) {
    switch (kind) {
    case CARD_REQUEST_SELECT:
        selected = request.address;
        return CHIP_STATUS_SUCCESS;
    case CARD_REQUEST_READ_SET:
        // The set half latches the selected register; the latch shows in the value word too.
        latched = readRegister(selected, now);
        request.value = latched;
        return CHIP_STATUS_SUCCESS;
    case CARD_REQUEST_READ_GET:
        request.value = latched;
        return CHIP_STATUS_SUCCESS;
    default:
        return CHIP_STATUS_NOT_SUPPORTED;
    }
}

ChipAnswer Chip::handle(const void* input, uint32_t inputLength, uint32_t outputLength,
                        int64_t now) {
    ChipAnswer answer;
    memset(&answer, 0, sizeof answer);
    ChipRequest& request = answer.request;
    memcpy(&request, input, inputLength < sizeof request ? inputLength : sizeof request);

    answer.sequence = total++;
    CardLogEntry& entry = entries[answer.sequence % CARD_LOG_CAPACITY];
    memset(&entry, 0, sizeof entry);
    entry.time = now;
    entry.flags = request.flags;
    entry.command = request.command;
    entry.address = request.address;
    entry.value = request.value;
    entry.propertyId = request.propertyId;
    entry.setMatches = memcmp(request.propertySet, REGISTER_PROPERTY_SET, 16) == 0;
    entry.inputLength = inputLength;
    entry.outputLength = outputLength;

    int32_t status = CHIP_STATUS_SUCCESS;
    const uint32_t kind = requestKind(request);
    CardFault fault;
    if (inputLength < CHIP_REQUEST_BYTES || outputLength < CHIP_REQUEST_BYTES)
        status = CHIP_STATUS_BUFFER_TOO_SMALL;
    else if (!entry.setMatches || request.propertyId != CHIP_PROPERTY_ID)
        status = CHIP_STATUS_NOT_FOUND;
    else {
        const bool faulted = takeFault(kind, fault);
        if (faulted)
            answer.pendMs = fault.pendMs;
        status = faulted && fault.error != 0 ? chipStatusFromError(fault.error)
                                             : answerRequest(kind, request, now);
    }

    answer.status = status;
    answer.writeBack = status >= 0;
    entry.answer = request.value;
    entry.status = static_cast<uint32_t>(answer.pendMs ? CHIP_STATUS_PENDING : status);
    if (!answer.pendMs)
        entry.completed = now;
    return answer;
}

void Chip::recordCompletion(uint32_t sequence, int32_t status, int64_t now) {
    if (total - sequence > CARD_LOG_CAPACITY)
        return; // already dropped from the log
    CardLogEntry& entry = entries[sequence % CARD_LOG_CAPACITY];
    entry.status = static_cast<uint32_t>(status);
    entry.completed = now;
}

void Chip::press(const CardKey& key, int64_t now, int64_t frequency) {
    keyDown = 1;
    keyCode = key.rawCode % CARD_RAW_CODE_LIMIT;
    keyReadsLeft = key.reads;
    keyLatches = 0;
    keyUntil = key.holdMs ? now + static_cast<int64_t>(key.holdMs) * frequency / 1000 : 0;
}

void Chip::release() {
    keyDown = 0;
}

int Chip::armFault(const CardFault& fault) {
    if (faultCount >= CARD_FAULT_CAPACITY)
        return 0;
    faults[faultCount++] = fault;
    return 1;
}

void Chip::poke(const CardPoke& poke) {
    for (uint32_t i = 0; i < registerCount; ++i)
        if (registers[i].address == poke.address) {
            registers[i].value = poke.value;
            return;
        }
    if (registerCount < REGISTER_CAPACITY)
        registers[registerCount++] = {poke.address, poke.value};
}

void Chip::state(CardState& out, int64_t now, int64_t frequency) {
    expireKey(now);
    memset(&out, 0, sizeof out);
    out.remoteRegister = keyDown ? keyCode : CARD_NO_KEY;
    out.keyLatches = keyLatches;
    out.pendingRequests = pendingRequests;
    out.faultsArmed = faultCount;
    out.requestsLogged = total;
    out.opens = opens;
    out.frequency = frequency;
    out.now = now;
}

void Chip::log(CardLog& out, int64_t frequency) const {
    out.total = total;
    out.count = total < CARD_LOG_CAPACITY ? total : CARD_LOG_CAPACITY;
    out.frequency = frequency;
    const uint32_t first = total - out.count;
    for (uint32_t i = 0; i < out.count; ++i)
        out.entries[i] = entries[(first + i) % CARD_LOG_CAPACITY];
}
