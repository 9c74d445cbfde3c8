// Waiting on a condition with a deadline: the harness never relies on a fixed sleep being long
// enough, it polls what it waits for and gives up at the deadline.
#pragma once

#include <windows.h>

#include <chrono>

// Polls `condition` every `intervalMs` until it holds (true) or `timeoutMs` have passed (false).
template <typename Condition>
bool waitUntil(Condition condition, DWORD timeoutMs, DWORD intervalMs = 2) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return condition();
        Sleep(intervalMs);
    }
}
