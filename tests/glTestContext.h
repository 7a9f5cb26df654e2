// A fixture for tests that need the game's real OpenGL context (Xvfb + Mesa).
#pragma once

#include <gtest/gtest.h>

class GlTest : public ::testing::Test {
protected:
    // Opens the SDL window with its GL context once per process; fails the
    // test (rather than skipping it) when no context can be had.
    void SetUp() override;
};
