// The generated sounds: their format, that they are not silent, and the engine hum's seamless loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct wavFile {
    bool valid = false;
    uint16_t format = 0, channels = 0, bits = 0;
    uint32_t rate = 0;
    std::vector<int16_t> samples;
};

uint32_t word(const std::string& data, size_t at, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(data[at + i]);
    return value;
}

// Reads a RIFF WAVE file's format and its 16-bit samples.
wavFile readWav(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    wavFile wav;
    if (data.size() < 12 || data.compare(0, 4, "RIFF") != 0 || data.compare(8, 4, "WAVE") != 0)
        return wav;
    for (size_t at = 12; at + 8 <= data.size();) {
        std::string id = data.substr(at, 4);
        uint32_t size = word(data, at + 4, 4);
        if (at + 8 + size > data.size())
            return wav;
        if (id == "fmt ") {
            wav.format = word(data, at + 8, 2);
            wav.channels = word(data, at + 10, 2);
            wav.rate = word(data, at + 12, 4);
            wav.bits = word(data, at + 22, 2);
        } else if (id == "data") {
            for (size_t i = 0; i + 1 < size; i += 2)
                wav.samples.push_back(static_cast<int16_t>(word(data, at + 8 + i, 2)));
            wav.valid = true;
        }
        at += 8 + size + (size & 1);
    }
    return wav;
}

}  // namespace

TEST(GeneratedSounds, AreMonoSixteenBitPcmWithSound) {
    for (const char* name : {"engine.wav", "explosion.wav", "laser.wav"}) {
        SCOPED_TRACE(name);
        wavFile wav = readWav(std::string(TUVARO_GAME_DIR) + "/sounds/" + name);
        ASSERT_TRUE(wav.valid);
        EXPECT_EQ(wav.format, 1);
        EXPECT_EQ(wav.channels, 1);
        EXPECT_EQ(wav.bits, 16);
        EXPECT_GE(wav.rate, 11025u);
        ASSERT_GT(wav.samples.size(), wav.rate / 10);
        int peak = 0;
        for (int16_t s : wav.samples)
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_GT(peak, 3000) << "too quiet to hear";
        EXPECT_LT(peak, 32767) << "clipped";
    }
}

TEST(GeneratedSounds, TheEngineHumLoopsWithoutAClick) {
    wavFile wav = readWav(std::string(TUVARO_GAME_DIR) + "/sounds/engine.wav");
    ASSERT_TRUE(wav.valid);
    ASSERT_GE(wav.samples.size(), wav.rate);  // long enough not to sound like a buzz
    int largestStep = 0;
    for (size_t i = 1; i < wav.samples.size(); ++i)
        largestStep = std::max(largestStep, std::abs(wav.samples[i] - wav.samples[i - 1]));
    int seam = std::abs(wav.samples.front() - wav.samples.back());
    EXPECT_LE(seam, largestStep) << "the jump from the last sample back to the first is a click";
}
