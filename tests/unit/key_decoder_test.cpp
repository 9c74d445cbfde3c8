#include "remote/key_decoder.h"

#include <gtest/gtest.h>

TEST(KeyDecoder, placeholder) {}
