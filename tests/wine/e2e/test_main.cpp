// The main routine of the Wine end-to-end test programs: the card's driver is installed and
// started once for the run, COM is initialised on the test thread (which plays the program's
// user-interface thread in the capture-device tests), and each fixture registers the filters it
// needs.
#include "harness/card_service.h"
#include "harness/filter_registry.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <cstdio>

namespace {

// Wine ends a crashed program with exit status 0 once its debugger has run, which would pass a
// crashed run; a crash ends this one with a status of its own instead.
constexpr UINT CRASH_EXIT_STATUS = 99;

LONG WINAPI reportCrash(EXCEPTION_POINTERS* exception) {
    std::fprintf(stderr, "unhandled exception 0x%08lX at %p\n",
                 exception->ExceptionRecord->ExceptionCode,
                 exception->ExceptionRecord->ExceptionAddress);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), CRASH_EXIT_STATUS);
    return EXCEPTION_EXECUTE_HANDLER;
}

class CardEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        CoInitialize(nullptr);
        std::string problem;
        ASSERT_TRUE(ensureCardDriver(&problem)) << problem;
    }
    void TearDown() override {
        clearVideoInputCategory(nullptr);
        CoUninitialize();
    }
};

} // namespace

int main(int argc, char** argv) {
    SetUnhandledExceptionFilter(reportCrash);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new CardEnvironment);
    return RUN_ALL_TESTS();
}
