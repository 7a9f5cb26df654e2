// After the last test, the sound device, the window and SDL's timer close, as the game closes them.
#include <gtest/gtest.h>

#include <AL/alc.h>
#include <AL/alut.h>
#include <SDL.h>

namespace {

// Their threads would still run at the leak check after the process's exit, and its tracer
// crashed now and then on the GL driver's. Closing them inside exit is too late: the driver's
// own exit handlers and the compiler library it uses may be gone, and it crashed or hung then.
class PlatformTeardown : public ::testing::Environment {
public:
    void TearDown() override {
        if (alcGetCurrentContext()) alutExit();
        SDL_Quit();
    }
};

const ::testing::Environment* const platformTeardown = ::testing::AddGlobalTestEnvironment(new PlatformTeardown);

}  // namespace
