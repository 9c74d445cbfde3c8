// The fixture of the program's end-to-end tests: a clean registry (no TV application installed,
// no settings), an idle card with the capture filter registered (unless a test takes it away),
// and nothing left running afterwards.
#pragma once

#include "card/card_protocol.h"
#include "harness/card_device.h"
#include "program/program_run.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// One register read of the remote code as the card's log shows it.
struct RemoteRead {
    double atMs;   // arrival of the read's select request, from the first request logged
    DWORD value;   // what the read's set half latched
    bool complete; // select, set and get arrived in that order, all answered with success
};

class ProgramFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Takes the capture filter away: the program finds no capture device.
    void removeCaptureFilter();
    // Starts `run` and waits for its hidden window; fails the test when either does not happen.
    void startProgram(ProgramRun& run);
    // Ends `run` through its Exit command and checks that it went with exit code 0.
    void exitProgram(ProgramRun& run);

    CardDevice& card() { return *cardDevice; }
    // Presses the remote's button (as the remote tool names keys: "power", "5", "21") for one
    // read of the program and waits until that read has seen it.
    void pressButton(const char* key);
    // Holds the button for `holdMs`, then waits until the card shows no key again.
    void holdButton(const char* key, DWORD holdMs);
    // Holds the button until `reads` reads of the program have seen it, however long that takes.
    void holdButtonForReads(const char* key, DWORD reads);
    // Waits until the program has read the register `reads` more times.
    void waitForReads(DWORD reads);
    // The remote register reads since the card was last reset, oldest first.
    std::vector<RemoteRead> remoteReads();

private:
    std::unique_ptr<CardDevice> cardDevice;
    DWORD requestsSeen();
};
