// The fixture of the capture-device tests: an empty video input category, idle cards and a closed
// capture device at the start of every test, a message box watcher, and the driver's request log
// in a comparable form.
#pragma once

#include "card/card_protocol.h"
#include "harness/card_device.h"
#include "harness/filter_registry.h"
#include "harness/message_box_watcher.h"
#include "remote/capture_device.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// The register requests as the tests expect them in the driver's log.
constexpr DWORD SET = 2;
constexpr DWORD GET = 1;
constexpr DWORD SELECT = 0x30000001;
constexpr DWORD READ = 0x30000003;

// What the driver completes a request with for a system error (0xC0070000 | error); the
// program sees that error again from GetLastError.
constexpr DWORD ntStatusOfError(DWORD error) {
    return 0xC0070000u | error;
}

// One request, as the driver logged it: "set 0x30000001 addr=0x00350014 value=0x00000000 ->
// 0x00000000", the status appended when it is not success.
std::string requestLine(DWORD flags, DWORD command, DWORD address, DWORD value, DWORD status = 0);

class CardFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Registers the filters, failing the test when one cannot be registered.
    void registerFilters(const std::vector<FilterRegistration>& filters);
    // The requests device `index` received since the test began, in requestLine form; also
    // checks that each was a well-formed 40-byte request of the register property set.
    std::vector<std::string> requests(DWORD index);
    std::vector<CardLogEntry> log(DWORD index) { return card(index).log(); }
    CardDevice& card(DWORD index) { return *cards[index]; }

    MessageBoxWatcher& boxes() { return *watcher; }

    // The program's capture device, let go at the start of every test.
    MessageBoxGuard guard;
    CaptureDevice device{guard};

private:
    std::vector<std::unique_ptr<CardDevice>> cards;
    std::unique_ptr<MessageBoxWatcher> watcher;
};
