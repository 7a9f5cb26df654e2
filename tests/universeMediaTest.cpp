// The Universe's texture and sound caches, one-shot sounds and the notification queue.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

#include <GL/glew.h>
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alut.h>

#include "capturedOutput.h"
#include "dataDirectory.h"
#include "glTestContext.h"
#include "universe.h"

namespace {

int countOccurrences(const std::string& text, const std::string& piece) {
    int count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        static const bool ready = [] {
            if (alcGetCurrentContext())
                return true;
            setenv("ALSOFT_DRIVERS", "null", 0);
            return alutInit(nullptr, nullptr) == AL_TRUE;
        }();
        ASSERT_TRUE(ready) << "no OpenAL context";
    }
};

class TextureCacheTest : public GlTest {};

}  // namespace

TEST_F(TextureCacheTest, AnImageLoadsOnceWhateverTheModeOfLaterRequests) {
    DataDirectory dir;
    dir.copyFromGame("whiteDot.png");
    auto u = emptyUniverse();
    unsigned int first = 0, second = 0;
    std::string out = captured([&] {
        first = u->loadDynamicTexture("whiteDot.png", 1);
        second = u->loadDynamicTexture("whiteDot.png", 0);
    });
    EXPECT_NE(first, 0u);
    EXPECT_EQ(second, first);
    EXPECT_EQ(out, "Dynamically loading whiteDot.png\n");
    EXPECT_TRUE(glIsTexture(first));
    ASSERT_EQ(u->dynamicTextures.size(), 1u);
    EXPECT_EQ(u->dynamicTextures[0].name, "whiteDot.png");
}

TEST_F(TextureCacheTest, AFailedImageIsCachedAsZeroAndNotTriedAgain) {
    DataDirectory dir;
    auto u = emptyUniverse();
    unsigned int first = 1, second = 1;
    std::string out = captured([&] { first = u->loadDynamicTexture("absent.png", 1); });
    EXPECT_EQ(first, 0u);
    EXPECT_EQ(countOccurrences(out, "Dynamically loading absent.png"), 1) << out;
    EXPECT_EQ(captured([&] { second = u->loadDynamicTexture("absent.png", 1); }), "");
    EXPECT_EQ(second, 0u);
}

TEST_F(TextureCacheTest, SatelliteTypesShareTheirDefaultImagesAndKeepTheirOrder) {
    DataDirectory dir;
    dir.write("SatelliteData.xml",
              "<satellites><satelliteData name=\"Guard\" orbitalRadius=\"300\" laserDamage=\"2\"/>"
              "<note name=\"Skipped\"/><satelliteData/></satellites>");
    testing::internal::CaptureStdout();
    Universe u;
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(countOccurrences(out, "Dynamically loading jupiter.png"), 1) << out;
    EXPECT_EQ(countOccurrences(out, "Dynamically loading laser.png"), 1) << out;
    EXPECT_LT(out.find("jupiter.png"), out.find("laser.png"));
    ASSERT_EQ(u.satelliteTypes.size(), 2u);
    const satelliteStats& guard = u.satelliteTypes[0];
    const satelliteStats& plain = u.satelliteTypes[1];
    EXPECT_EQ(guard.name, "Guard");
    EXPECT_FLOAT_EQ(guard.orbitalRadius, 300);
    EXPECT_FLOAT_EQ(guard.laserDamage, 2);
    EXPECT_EQ(plain.name, "Default");
    EXPECT_FLOAT_EQ(plain.orbitalSpeed, 1000);
    EXPECT_FLOAT_EQ(plain.laserRange, 1000);
    EXPECT_FLOAT_EQ(plain.laserDamage, 1);
    EXPECT_EQ(plain.texture, guard.texture);
    EXPECT_EQ(plain.laserTexture, guard.laserTexture);
    EXPECT_EQ(u.getSatelliteData("Guard"), &u.satelliteTypes[0]);
    EXPECT_EQ(u.getSatelliteData("Default"), &u.satelliteTypes[1]);
    EXPECT_EQ(u.getSatelliteData("Skipped"), nullptr);
}

TEST(UniverseNotifications, TheFrontShowsForItsLifetimeThenTheNextStarts) {
    auto u = emptyUniverse();
    const std::vector<Font*> noFonts;
    u->addNotification(std::vector<std::string>{"one", "two"}, 1000, 0);
    u->addNotification("next", 2000, 0);
    EXPECT_EQ(captured([&] { u->drawNotifications(noFonts, 400); }), "600\n");
    EXPECT_EQ(captured([&] { u->drawNotifications(noFonts, 400); }), "200\n");
    EXPECT_EQ(u->notifications.size(), 2u);
    // The frame that removes the first prints the second's full lifetime.
    EXPECT_EQ(captured([&] { u->drawNotifications(noFonts, 400); }), "2000\n");
    ASSERT_EQ(u->notifications.size(), 1u);
    EXPECT_EQ(u->notifications.front().textLines, std::vector<std::string>{"next"});
    EXPECT_EQ(captured([&] { u->drawNotifications(noFonts, 2000); }), "");
    EXPECT_TRUE(u->notifications.empty());
    EXPECT_EQ(captured([&] { u->drawNotifications(noFonts, 5); }), "");
}

TEST(UniverseNotifications, LinelessAndExtremeNotificationsStillRunOut) {
    auto u = emptyUniverse();
    const std::vector<Font*> fonts{nullptr};
    u->addNotification(std::vector<std::string>{}, 10, 0);
    u->addNotification("far font", 4000000000u, 7);
    EXPECT_EQ(u->notifications.back().lifetimeRemaining, INT32_MAX);
    captured([&] { u->drawNotifications(fonts, 10); });
    ASSERT_EQ(u->notifications.size(), 1u);
    captured([&] { u->drawNotifications(fonts, 4000000000u); });
    EXPECT_TRUE(u->notifications.empty());
}

TEST_F(SoundTest, ABufferIsLoadedOnceAndAMissingSoundIsReportedOnce) {
    DataDirectory dir;
    dir.copyFromGame("sounds/laser.wav");
    auto u = emptyUniverse();
    unsigned int laser = u->getBuffer("laser.wav");
    EXPECT_TRUE(alIsBuffer(laser));
    EXPECT_EQ(u->getBuffer("laser.wav"), laser);
    unsigned int missing = 1;
    std::string out = captured([&] { missing = u->getBuffer("gone.wav"); });
    EXPECT_EQ(missing, 0u);
    EXPECT_EQ(countOccurrences(out, "sounds/gone.wav"), 1) << out;
    EXPECT_EQ(captured([&] { u->getBuffer("gone.wav"); }), "");
    EXPECT_EQ(u->soundBuffers.size(), 2u);
}

TEST_F(SoundTest, APlayedSoundIsPlacedOnTheGameAxesAndRecycledOnceStopped) {
    DataDirectory dir;
    dir.copyFromGame("sounds/laser.wav");
    auto u = emptyUniverse();
    u->processSounds();  // nothing to do
    EXPECT_TRUE(u->playingSources.empty());
    EXPECT_EQ(captured([&] { u->playSound("laser.wav", {30, -40}); }), "");
    ASSERT_EQ(u->playingSources.size(), 1u);
    ALuint source = u->playingSources.front();
    ALfloat x = 1, y = 1, z = 1;
    alGetSource3f(source, AL_POSITION, &x, &y, &z);
    EXPECT_FLOAT_EQ(x, 0);
    EXPECT_FLOAT_EQ(y, -40);
    EXPECT_FLOAT_EQ(z, 30);
    ALfloat reference = 0;
    alGetSourcef(source, AL_REFERENCE_DISTANCE, &reference);
    EXPECT_FLOAT_EQ(reference, 500);

    ALint state = AL_PLAYING;
    for (int wait = 0; wait < 200 && state != AL_STOPPED; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        alGetSourcei(source, AL_SOURCE_STATE, &state);
    }
    ASSERT_EQ(state, AL_STOPPED);
    u->processSounds();
    EXPECT_TRUE(u->playingSources.empty());
    EXPECT_FALSE(alIsSource(source));
}

TEST_F(SoundTest, ASourceStillPlayingStaysAndAMissingSoundStopsAtOnce) {
    DataDirectory dir;
    dir.copyFromGame("sounds/engine.wav");
    auto u = emptyUniverse();
    u->playSound("engine.wav", {0, 0});
    captured([&] { u->playSound("missing.wav", {0, 0}); });
    ASSERT_EQ(u->playingSources.size(), 2u);
    ALuint longSource = u->playingSources.front();
    u->processSounds();
    ASSERT_EQ(u->playingSources.size(), 1u);
    EXPECT_EQ(u->playingSources.front(), longSource);
    alSourceStop(longSource);
    u->processSounds();
    EXPECT_TRUE(u->playingSources.empty());
}
