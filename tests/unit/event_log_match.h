// Compares what the program did with what it should have done, as whole sequences, and on a
// mismatch prints the first differing line with both sequences in full.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

inline ::testing::AssertionResult sameEvents(const std::vector<std::string>& actual,
                                             const std::vector<std::string>& expected) {
    size_t i = 0;
    while (i < actual.size() && i < expected.size() && actual[i] == expected[i])
        ++i;
    if (i == actual.size() && i == expected.size())
        return ::testing::AssertionSuccess();
    auto result = ::testing::AssertionFailure();
    result << "first difference at line " << i
           << ":\n  expected: " << (i < expected.size() ? expected[i] : "(end)")
           << "\n  actual:   " << (i < actual.size() ? actual[i] : "(end)") << "\nexpected:\n";
    for (const auto& e : expected)
        result << "  " << e << "\n";
    result << "actual:\n";
    for (const auto& a : actual)
        result << "  " << a << "\n";
    return result;
}
