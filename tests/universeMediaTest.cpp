// The Universe's texture and sound caches, one-shot sounds and the notification queue.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <thread>

#include <GL/glew.h>
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alut.h>

#include "glTestContext.h"
#include "universe.h"
#include "universeTestData.h"

namespace {

std::unique_ptr<Universe> emptyUniverse() {
    testing::internal::CaptureStdout();
    auto universe = std::make_unique<Universe>();
    testing::internal::GetCapturedStdout();
    return universe;
}

template <class Step>
std::string captured(Step step) {
    testing::internal::CaptureStdout();
    step();
    return testing::internal::GetCapturedStdout();
}

void putLittleEndian(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

// A 2 x 2 24-bit BMP image.
std::string tinyBitmap() {
    std::string image = "BM";
    putLittleEndian(image, 70, 4);
    putLittleEndian(image, 0, 4);
    putLittleEndian(image, 54, 4);
    putLittleEndian(image, 40, 4);
    putLittleEndian(image, 2, 4);
    putLittleEndian(image, 2, 4);
    putLittleEndian(image, 1, 2);
    putLittleEndian(image, 24, 2);
    putLittleEndian(image, 0, 4);
    putLittleEndian(image, 16, 4);
    for (int i = 0; i < 4; ++i)
        putLittleEndian(image, 0, 4);
    for (int row = 0; row < 2; ++row)
        image += std::string("\xff\x00\x00\x00\xff\x00\x00\x00", 8);
    return image;
}

// A mono 8-bit WAV of silence lasting ms milliseconds.
std::string shortWav(int ms) {
    const uint32_t rate = 8000, samples = rate * ms / 1000;
    std::string wav = "RIFF";
    putLittleEndian(wav, 36 + samples, 4);
    wav += "WAVEfmt ";
    putLittleEndian(wav, 16, 4);
    putLittleEndian(wav, 1, 2);
    putLittleEndian(wav, 1, 2);
    putLittleEndian(wav, rate, 4);
    putLittleEndian(wav, rate, 4);
    putLittleEndian(wav, 1, 2);
    putLittleEndian(wav, 8, 2);
    wav += "data";
    putLittleEndian(wav, samples, 4);
    wav += std::string(samples, '\x80');
    return wav;
}

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
    UniverseDataDirectory dir;
    dir.write("tiny.bmp", tinyBitmap());
    auto u = emptyUniverse();
    unsigned int first = 0, second = 0;
    std::string out = captured([&] {
        first = u->loadDynamicTexture("tiny.bmp", 1);
        second = u->loadDynamicTexture("tiny.bmp", 0);
    });
    EXPECT_NE(first, 0u);
    EXPECT_EQ(second, first);
    EXPECT_EQ(out, "Dynamically loading tiny.bmp\n");
    EXPECT_TRUE(glIsTexture(first));
    ASSERT_EQ(u->dynamicTextures.size(), 1u);
    EXPECT_EQ(u->dynamicTextures[0].name, "tiny.bmp");
}

TEST_F(TextureCacheTest, AFailedImageIsCachedAsZeroAndNotTriedAgain) {
    UniverseDataDirectory dir;
    auto u = emptyUniverse();
    unsigned int first = 1, second = 1;
    std::string out = captured([&] { first = u->loadDynamicTexture("absent.png", 1); });
    EXPECT_EQ(first, 0u);
    EXPECT_EQ(countOccurrences(out, "Dynamically loading absent.png"), 1) << out;
    EXPECT_EQ(captured([&] { second = u->loadDynamicTexture("absent.png", 1); }), "");
    EXPECT_EQ(second, 0u);
}

TEST_F(TextureCacheTest, SatelliteTypesShareTheirDefaultImagesAndKeepTheirOrder) {
    UniverseDataDirectory dir;
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
    UniverseDataDirectory dir;
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
    UniverseDataDirectory dir;
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
    UniverseDataDirectory dir;
    dir.write("sounds/blip.wav", shortWav(20));
    auto u = emptyUniverse();
    unsigned int blip = u->getBuffer("blip.wav");
    EXPECT_TRUE(alIsBuffer(blip));
    EXPECT_EQ(u->getBuffer("blip.wav"), blip);
    unsigned int missing = 1;
    std::string out = captured([&] { missing = u->getBuffer("gone.wav"); });
    EXPECT_EQ(missing, 0u);
    EXPECT_EQ(countOccurrences(out, "sounds/gone.wav"), 1) << out;
    EXPECT_EQ(captured([&] { u->getBuffer("gone.wav"); }), "");
    EXPECT_EQ(u->soundBuffers.size(), 2u);
}

TEST_F(SoundTest, APlayedSoundIsPlacedOnTheGameAxesAndRecycledOnceStopped) {
    UniverseDataDirectory dir;
    dir.write("sounds/blip.wav", shortWav(20));
    auto u = emptyUniverse();
    u->processSounds();  // nothing to do
    EXPECT_TRUE(u->playingSources.empty());
    EXPECT_EQ(captured([&] { u->playSound("blip.wav", {30, -40}); }), "");
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
    UniverseDataDirectory dir;
    dir.write("sounds/long.wav", shortWav(3000));
    auto u = emptyUniverse();
    u->playSound("long.wav", {0, 0});
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
