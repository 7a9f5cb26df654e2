// Clock, math, formatting, random placement and the data-file helpers.
#include <gtest/gtest.h>

#include <GL/glew.h>
#include <SDL.h>

#include <climits>
#include <cstdlib>
#include <limits>

#include "basics.h"
#include "glTestContext.h"
#include "scratchDirectory.h"

TEST(ToString, WritesTheStreamDefaultFormatsThatSavesRelyOn) {
    struct Case {
        float value;
        const char* text;
    };
    const Case floats[] = {
        {0.1f, "0.1"},        {1000.0f, "1000"},      {2.5f, "2.5"},           {-0.25f, "-0.25"},
        {123456.0f, "123456"}, {1234567.0f, "1.23457e+06"}, {0.0001f, "0.0001"}, {0.00001f, "1e-05"},
        {0.0f, "0"},          {1.0f / 3.0f, "0.333333"},
    };
    for (const Case& c : floats) EXPECT_EQ(toString(c.value), c.text) << c.text;
    EXPECT_EQ(toString(-5), "-5");
    EXPECT_EQ(toString(INT_MIN), "-2147483648");
    EXPECT_EQ(toString(4294967295u), "4294967295");
    EXPECT_EQ(toString(1000000u), "1000000");  // whole numbers never take an exponent
}

TEST(IntersectCircleLine, MeasuresToTheSegmentNotTheLine) {
    struct Case {
        point a, b, c;
        float r;
        bool hits;
        const char* why;
    };
    const Case cases[] = {
        {{0, 0}, {10, 0}, {5, 3}, 4, true, "passes through the middle"},
        {{0, 0}, {10, 0}, {5, 4}, 4, false, "touching exactly is no hit"},
        {{0, 0}, {10, 0}, {13, 0}, 3.5f, true, "beyond b: measured to b (3 away)"},
        {{0, 0}, {10, 0}, {13, 0}, 3, false, "beyond b at exactly r"},
        {{0, 0}, {10, 0}, {-2, 1}, 2, false, "behind a: measured to a (sqrt 5 away)"},
        {{0, 0}, {10, 0}, {-2, 1}, 2.5f, true, "behind a, within r"},
        {{3, 3}, {3, 3}, {3, 3}, 100, false, "a equal to b never hits"},
    };
    for (const Case& c : cases) EXPECT_EQ(intersectCircleLine(c.a, c.b, c.c, c.r), c.hits) << c.why;
}

TEST(VectorMath, DistancesAndDirections) {
    EXPECT_FLOAT_EQ(magnitude({3, -4}), 5);
    EXPECT_FLOAT_EQ(pointDistance({1, 1}, {4, 5}), 5);
    EXPECT_FLOAT_EQ(sqPointDistance({1, 1}, {4, 5}), 25);
    point n = normalize({0, -7});
    EXPECT_FLOAT_EQ(n.x, 0);
    EXPECT_FLOAT_EQ(n.y, -1);
    EXPECT_FLOAT_EQ(square(-3), 9);
}

TEST(Clock, ContinuesFromTheTimeSetAndFollowsTheTicks) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_TIMER), 0) << SDL_GetError();
    setTime(5000);
    uint32_t start = getTime();
    EXPECT_GE(start, 5000u);
    EXPECT_LE(start, 5002u);
    SDL_Delay(30);
    EXPECT_GE(getTime(), start + 30);

    // Times above 2^31 (a long game) and the unsigned wrap-around.
    setTime(3000000000u);
    EXPECT_GE(getTime(), 3000000000u);
    EXPECT_LE(getTime(), 3000000002u);
    setTime(UINT32_MAX - 5);
    SDL_Delay(20);
    EXPECT_LT(getTime(), 100u);
}

TEST(RandomPlacement, StaysInRangeForEveryDraw) {
    std::srand(12345);  // glibc's draws reach 2^31 - 1, where 7 r overflows an int
    for (int i = 0; i < 200000; ++i) {
        float v = randLoc();
        ASSERT_GE(v, -100000.0f);
        ASSERT_LE(v, 99999.0f);
        ASSERT_EQ(v, static_cast<float>(static_cast<int>(v)));
    }
    for (int i = 0; i < 200000; ++i) {
        float v = closeRandLoc(1001);
        ASSERT_GE(v, -1001.0f);
        ASSERT_LE(v, 999.0f);
        ASSERT_EQ(static_cast<int>(v + 1001) % 2, 0);
    }
    EXPECT_EQ(closeRandLoc(0), 0.0f);
    EXPECT_EQ(closeRandLoc(-40), 0.0f);
}

TEST(WholeNumbers, SaturatingConversionIsDefinedForEveryInput) {
    const float inf = std::numeric_limits<float>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(saturatingInt(2.9), 2);
    EXPECT_EQ(saturatingInt(-2.9), -2);
    EXPECT_EQ(saturatingInt(nan), 0);
    EXPECT_EQ(saturatingInt(1e30), INT32_MAX);
    EXPECT_EQ(saturatingInt(-1e30), INT32_MIN);
    EXPECT_EQ(saturatingInt(inf), INT32_MAX);
    EXPECT_EQ(saturatingInt(2147483647.0), INT32_MAX);
    EXPECT_EQ(saturatingInt<int16_t>(70000), 32767);
    EXPECT_EQ(saturatingInt<int16_t>(-70000), -32768);
    EXPECT_EQ(saturatingInt<uint16_t>(-3), 0);
    EXPECT_EQ(saturatingInt<uint32_t>(-0.5), 0u);
    EXPECT_EQ(saturatingInt<uint32_t>(4294967295.0), 4294967295u);
    EXPECT_EQ(saturatingInt<int64_t>(1e30), INT64_MAX);

    EXPECT_EQ(pixelToGame(2.9f), 2);
    EXPECT_EQ(pixelToGame(-2.9f), -2);
    EXPECT_EQ(pixelToGame(1e30f), INT32_MAX);
    EXPECT_EQ(pixelToGame(-7), -7);
    EXPECT_FLOAT_EQ(gameToPixel(-7), -7.0f);
}

TEST(ReadData, ReadsRowsCommentsAndLabels) {
    ScratchDirectory dir;
    std::string file = dir.write("table.txt",
                                 "# heading line with 9 9 9\n"
                                 "1 2 3 @first_row\n"
                                 "4 5 # trailing comment 7 7\n"
                                 "6 @second @extra_label\n"
                                 "7   \n\n");
    std::vector<std::vector<float>> rows;
    std::vector<std::vector<std::string>> labels;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(readData(file, 3, rows, labels));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Opening " + file + "\n");
    const std::vector<std::vector<float>> wantRows = {{1, 2, 3}, {4, 5, 6}, {7, 0, 0}};
    EXPECT_EQ(rows, wantRows);  // the trailing blanks leave the last number stored once
    const std::vector<std::vector<std::string>> wantLabels = {{"first row"}, {"second", "extra label"}};
    EXPECT_EQ(labels, wantLabels);
}

TEST(ReadData, AppendsToRowsAlreadyGiven) {
    ScratchDirectory dir;
    std::string file = dir.write("more.txt", "5 6 @later 7");
    std::vector<std::vector<float>> rows = {{1, 2}};
    std::vector<std::vector<std::string>> labels;
    ASSERT_TRUE(readData(file, 2, rows, labels));
    const std::vector<std::vector<float>> want = {{1, 2}, {5, 6}, {7, 0}};
    EXPECT_EQ(rows, want);
    ASSERT_EQ(labels.size(), 2u);  // labels stay parallel to the rows
    EXPECT_TRUE(labels[0].empty());
    EXPECT_EQ(labels[1], std::vector<std::string>{"later"});
}

TEST(ReadData, BadInputIsReportedAndHarmless) {
    ScratchDirectory dir;
    std::vector<std::vector<float>> rows = {{9}};
    std::vector<std::vector<std::string>> labels;

    testing::internal::CaptureStdout();
    EXPECT_FALSE(readData(dir.file("missing.txt"), 2, rows, labels));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error opening file\n");
    EXPECT_EQ(rows.size(), 1u);

    std::string file = dir.write("early.txt", "@too_early 1 @still_early 2 3");
    testing::internal::CaptureStdout();
    ASSERT_TRUE(readData(file, 3, rows));
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("@too_early"), std::string::npos) << out;
    EXPECT_NE(out.find("@still_early"), std::string::npos) << out;
    const std::vector<std::vector<float>> want = {{9}, {1, 2, 3}};
    EXPECT_EQ(rows, want);

    testing::internal::CaptureStdout();
    EXPECT_FALSE(readData(file, 0, rows));
    EXPECT_FALSE(testing::internal::GetCapturedStdout().empty());
    EXPECT_EQ(rows.size(), 2u);
}

namespace {

// Four short rows with N in row 3, then rows carrying a curve 0, 1, ..., 99 after a head.
std::vector<std::vector<float>> curveMatrix(float n) {
    std::vector<std::vector<float>> rows = {{1}, {2, 3}, {4}, {n}};
    for (int r = 4; r < 10; ++r) {
        std::vector<float> row = {2.0f, -1.0f};  // head of two values; the first scales rows 4, 5, 9
        for (int i = 0; i < 100; ++i) row.push_back(static_cast<float>(i));
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

TEST(ExpandMatrix, ResamplesCurvesAndScalesRowsFourFiveNine) {
    auto rows = curveMatrix(10.9f);  // N truncates to 10
    rows.push_back({5, 5, 5});       // short rows after the curves stay as they are
    auto out = expandMatrix(rows);
    ASSERT_EQ(out.size(), rows.size());
    for (int r = 0; r < 4; ++r) EXPECT_EQ(out[r], rows[r]);
    EXPECT_EQ(out.back(), rows.back());
    for (int r = 4; r < 10; ++r) {
        ASSERT_EQ(out[r].size(), 12u) << r;
        EXPECT_EQ(out[r][0], 2.0f);
        EXPECT_EQ(out[r][1], -1.0f);
        float scale = (r == 4 || r == 5 || r == 9) ? 2.0f : 1.0f;
        for (int j = 0; j < 10; ++j) EXPECT_NEAR(out[r][2 + j], scale * j * 9.9f, 1e-3) << r << " " << j;
    }
}

TEST(ExpandMatrix, UnusableInputComesBackUnchanged) {
    const std::vector<std::vector<float>> threeRows = {{1}, {2}, {3}};
    EXPECT_EQ(expandMatrix(threeRows), threeRows);
    const std::vector<std::vector<float>> emptyRowThree = {{1}, {2}, {3}, {}};
    EXPECT_EQ(expandMatrix(emptyRowThree), emptyRowThree);
    auto negative = curveMatrix(-4);
    EXPECT_EQ(expandMatrix(negative), negative);
    auto absurd = curveMatrix(1e30f);
    EXPECT_EQ(expandMatrix(absurd), absurd);

    // Rows of 10 to 99 values hold no whole curve: copied, never read out of range.
    auto mid = curveMatrix(5);
    mid[5].resize(60);
    auto out = expandMatrix(mid);
    EXPECT_EQ(out[5], mid[5]);
    EXPECT_EQ(out[4].size(), 7u);

    auto none = curveMatrix(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(expandMatrix(none)[4].size(), 2u);  // NaN samples nothing
}

class ReportError : public GlTest {};

TEST_F(ReportError, PrintsTheFirstPendingGlErrorOnly) {
    clearGlErrors();
    testing::internal::CaptureStdout();
    reportError();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    glEnable(0xFFFF);
    testing::internal::CaptureStdout();
    reportError();
    reportError();  // the flag was read and cleared by the first call
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Invalid enumerated argument\n");

    glLineWidth(-1.0f);
    testing::internal::CaptureStdout();
    reportError();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "invalid value\n");
}
