// A fixture for tests that need the game's real OpenGL context (Xvfb + Mesa).
#pragma once

#include <gtest/gtest.h>

class GlTest : public ::testing::Test {
protected:
    // Opens the SDL window with its GL context once per process; fails the
    // test (rather than skipping it) when no context can be had.
    void SetUp() override;

public:
    // Empties GL's error queue, so a later check sees only new errors.
    static void clearGlErrors();
    // How many pixels of the window have any colour.
    static int litPixels();
    // A new 2 x 2 opaque white texture, bound; the caller deletes it.
    static unsigned int whiteTexture();
};
