// Every test starts on a fresh simulated desktop.
#pragma once

#include "sim.h"

#include <gtest/gtest.h>

class SimTest : public ::testing::Test {
protected:
    void SetUp() override { sim::reset(); }
};
