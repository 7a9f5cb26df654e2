// The trail rings: recording, back-dating, visibility, clearing and degenerate trails.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "glowTrail.h"
#include "shaderList.h"
#include "smokeTrail.h"

namespace {

struct Vertex {
    float width, x, y, prevX, prevY;
};

std::vector<Vertex> ribbonOf(const GlowTrail& trail, point current) {
    std::vector<Vertex> out;
    trail.ribbon(current, [&](float w, float x, float y, float px, float py) { out.push_back({w, x, y, px, py}); });
    return out;
}

std::vector<SmokeTrail::Particle> particlesOf(const SmokeTrail& trail) {
    std::vector<SmokeTrail::Particle> out;
    trail.particles([&](const SmokeTrail::Particle& p) { out.push_back(p); });
    return out;
}

// Trails built without any shader program: the ring logic needs no GL.
class Rings : public ::testing::Test {
protected:
    GlowTrail glow(int length, int interval = 20, float width = 10) {
        testing::internal::CaptureStdout();
        GlowTrail trail(length, {0, 0}, interval, width, 1, 0.5f, 0.25f, noShaders);
        glowMessage = testing::internal::GetCapturedStdout();
        return trail;
    }
    SmokeTrail smoke(int length, int interval = 15) {
        testing::internal::CaptureStdout();
        SmokeTrail trail(length, {0, 0}, interval, 10, 0, 1, 1, 50, 23, 0.0006f, 21, 22, noShaders);
        smokeMessage = testing::internal::GetCapturedStdout();
        return trail;
    }
    // Records points (i, 0) for i = 1..count, one per call.
    template <class T>
    static void walk(T& trail, int count, int from = 1) {
        for (int i = from; i < from + count; ++i) trail.update({static_cast<float>(i), 0}, 20);
    }
    ShaderList noShaders;
    std::string glowMessage, smokeMessage;
};

}  // namespace

TEST_F(Rings, OnePointPerUpdateAndTheBacklogLater) {
    Trail trail(4, {7, 7}, 20, 10, 1, 1, 1);
    ASSERT_EQ(trail.getPoints().size(), 5u);
    for (const point& p : trail.getPoints()) EXPECT_EQ(p.x, 7);

    trail.update({1, 2}, 50);  // one point, 30 ms kept
    EXPECT_EQ(trail.getHead(), 1);
    EXPECT_EQ(trail.getElapsed(), 30);
    EXPECT_EQ(trail.getPoints()[1].y, 2);
    trail.update({3, 4}, 0);  // the backlog gives the next point
    EXPECT_EQ(trail.getHead(), 2);
    EXPECT_EQ(trail.getElapsed(), 10);
    trail.update({5, 6}, 0);
    EXPECT_EQ(trail.getHead(), 2);

    trail.update({8, 8}, 10);  // exactly one interval
    trail.update({9, 9}, 20);
    trail.update({10, 10}, 20);  // wraps to slot 0
    EXPECT_EQ(trail.getHead(), 0);
    EXPECT_EQ(trail.getPoints()[0].x, 10);
    EXPECT_EQ(trail.getPoints()[4].x, 9);
}

TEST_F(Rings, ClearCollapsesEverySlotButKeepsHeadAndTime) {
    GlowTrail trail = glow(3);
    walk(trail, 2);
    trail.update({50, 50}, 5);
    trail.clear({-4, 9});
    EXPECT_EQ(trail.getHead(), 2);
    EXPECT_EQ(trail.getElapsed(), 5);
    for (const point& p : trail.getPoints()) {
        EXPECT_EQ(p.x, -4);
        EXPECT_EQ(p.y, 9);
    }
    auto ribbon = ribbonOf(trail, {1, 1});  // collapsed onto the cleared point, then to the owner
    ASSERT_EQ(ribbon.size(), 8u);
    for (size_t k = 0; k < 6; ++k) {
        EXPECT_EQ(ribbon[k].x, -4);
        EXPECT_EQ(ribbon[k].prevY, 9);
    }
    EXPECT_EQ(ribbon[6].x, 1);
    EXPECT_EQ(ribbon[6].prevX, -4);
}

TEST_F(Rings, GlowRibbonTapersTowardsTheTailAndEndsAtTheOwner) {
    GlowTrail one = glow(1, 20, 10);
    one.update({3, 4}, 20);
    auto pairs = ribbonOf(one, {6, 8});
    ASSERT_EQ(pairs.size(), 4u);  // one segment pair and the closing pair
    EXPECT_EQ(pairs[0].width, -10);
    EXPECT_EQ(pairs[1].width, 10);
    EXPECT_EQ(pairs[0].x, 3);
    EXPECT_EQ(pairs[0].prevX, 0);
    EXPECT_EQ(pairs[2].x, 6);
    EXPECT_EQ(pairs[2].prevX, 3);
    EXPECT_EQ(pairs[3].width, 10);

    GlowTrail four = glow(4, 20, 10);
    walk(four, 6);
    auto ribbon = ribbonOf(four, {100, 0});
    ASSERT_EQ(ribbon.size(), 10u);
    const float widths[] = {2.5f, 5, 7.5f, 10, 10};
    const float xs[] = {3, 4, 5, 6, 100};  // oldest but one up to the newest, then the owner
    for (int k = 0; k < 5; ++k) {
        EXPECT_FLOAT_EQ(ribbon[2 * k].width, -widths[k]);
        EXPECT_FLOAT_EQ(ribbon[2 * k + 1].width, widths[k]);
        EXPECT_EQ(ribbon[2 * k].x, xs[k]);
        EXPECT_EQ(ribbon[2 * k].prevX, k < 4 ? xs[k] - 1 : 6);
    }
}

TEST_F(Rings, HiddenPointsAndTheFirstVisibleOneAfterThemAreNotDrawn) {
    GlowTrail trail = glow(6);
    walk(trail, 2);  // x = 1, 2 visible
    trail.setVisibility(false);
    walk(trail, 2, 3);  // x = 3, 4 hidden
    trail.setVisibility(true);
    walk(trail, 2, 5);  // x = 5 (after the hidden stretch), 6
    auto ribbon = ribbonOf(trail, {9, 9});
    std::vector<float> drawn;
    for (size_t k = 0; k < ribbon.size(); k += 2) drawn.push_back(ribbon[k].x);
    const std::vector<float> want = {1, 2, 6, 9};  // start slot x = 0 is the oldest, never a segment end
    EXPECT_EQ(drawn, want);

    trail.setVisibility(false);
    walk(trail, 1, 7);  // the newest segment hidden: no closing pair to the owner
    ribbon = ribbonOf(trail, {9, 9});
    ASSERT_FALSE(ribbon.empty());
    EXPECT_NE(ribbon.back().x, 9);
}

TEST_F(Rings, MissingProgramsAreReportedOnceAndTheTrailsStillRecord) {
    GlowTrail trail = glow(3);
    EXPECT_EQ(glowMessage, "Error, can't access glow trail shader\n");
    EXPECT_EQ(trail.getProgram(), 0);
    trail.update({1, 1}, 20);
    EXPECT_EQ(trail.getHead(), 1);
    trail.draw({0, 0});  // no program: nothing is drawn, and no GL call is made

    SmokeTrail smokeTrail = smoke(3);
    EXPECT_EQ(smokeMessage, "Error, can't access smoke trail shader\n");
    EXPECT_EQ(smokeTrail.getProgram(), 0);
    smokeTrail.update({1, 1}, 15, {0, 0}, 10);
    EXPECT_EQ(smokeTrail.getHead(), 1);
    smokeTrail.draw({0, 0});
}

TEST_F(Rings, SmokeEmitsEveryDueParticleBackDatedAlongItsVelocity) {
    SmokeTrail trail = smoke(10, 15);
    trail.update({100, 50}, 50, {2, -1}, 20);
    EXPECT_EQ(trail.getHead(), 3);
    EXPECT_EQ(trail.getElapsed(), 5);
    const float backs[] = {35, 20, 5};
    for (int k = 0; k < 3; ++k) {
        const point& p = trail.getPoints()[k + 1];
        EXPECT_FLOAT_EQ(p.x, 100 - 2 * backs[k]) << k;
        EXPECT_FLOAT_EQ(p.y, 50 + backs[k]) << k;
    }
    trail.update({0, 0}, 9, {0, 0}, 10);  // 14 ms: not yet due
    EXPECT_EQ(trail.getHead(), 3);

    auto parts = particlesOf(trail);
    ASSERT_EQ(parts.size(), 11u);
    EXPECT_FLOAT_EQ(parts[0].time, 10 * 15 + 14);  // the oldest slot
    EXPECT_FLOAT_EQ(parts[0].lifetime, 0);
    EXPECT_FLOAT_EQ(parts.back().time, 14);
    EXPECT_FLOAT_EQ(parts.back().lifetime, 1);
    EXPECT_EQ(parts.back().sprites, 20u);
    EXPECT_FLOAT_EQ(parts.back().velocity.x, 2);
    EXPECT_EQ(parts[0].sprites, 0u);
    for (const auto& p : parts) {
        EXPECT_GE(p.rand, 0);
        EXPECT_LE(p.rand, 999);
        EXPECT_EQ(p.rand, std::floor(p.rand));
    }
}

TEST_F(Rings, SmokeSkipsHiddenParticlesAndTheFirstAfterThem) {
    SmokeTrail trail = smoke(4, 10);
    trail.setVisibility(false);
    trail.update({1, 0}, 10, {0, 0}, 10);
    trail.update({2, 0}, 10, {0, 0}, 10);
    trail.setVisibility(true);
    trail.update({3, 0}, 10, {0, 0}, 10);
    trail.update({4, 0}, 10, {0, 0}, 10);
    std::vector<float> xs;
    for (const auto& p : particlesOf(trail)) xs.push_back(p.position.x);
    // x = 3 follows the hidden stretch; the start slot x = 0 pairs with the newest slot before it in the ring.
    EXPECT_EQ(xs, (std::vector<float>{0, 4}));
}

TEST_F(Rings, DegenerateTrailsNeitherHangNorDivideByZero) {
    for (int interval : {0, -5}) {  // would otherwise loop for ever
        SmokeTrail trail = smoke(3, interval);
        trail.update({1, 1}, 4, {1, 0}, 10);
        EXPECT_EQ(trail.getElapsed(), 0);
        EXPECT_EQ(trail.getHead(), 4 % 4);
        trail.update({1, 1}, -3, {1, 0}, 10);  // a negative frame time records nothing
        for (const point& p : trail.getPoints()) EXPECT_TRUE(std::isfinite(p.x));
    }

    for (int length : {0, -1, -200}) {  // one slot (and negative lengths from ship data) are off
        GlowTrail glowTrail = glow(length);
        EXPECT_EQ(glowTrail.getLength(), 0);
        glowTrail.update({1, 1}, 100);
        EXPECT_TRUE(ribbonOf(glowTrail, {0, 0}).empty());
        SmokeTrail smokeTrail = smoke(length);
        smokeTrail.update({1, 1}, 100, {1, 1}, 10);
        EXPECT_TRUE(particlesOf(smokeTrail).empty());
        smokeTrail.draw({0, 0});
    }

    Trail absurd(2000000000, {0, 0}, 20, 1, 1, 1, 1);  // bad data must not exhaust memory
    EXPECT_LE(absurd.getPoints().size(), 10001u);

    Trail empty;
    empty.update({1, 1}, 100);
    empty.setVisibility(false);
    empty.clear({2, 2});
    empty.draw({0, 0});
    EXPECT_TRUE(empty.getPoints().empty());
    SmokeTrail emptySmoke;
    emptySmoke.update({1, 1}, 100, {0, 0}, 10);
    EXPECT_TRUE(particlesOf(emptySmoke).empty());
}

TEST(SpriteZ, EvenSpritesLieAboveAndEveryCountIsFinite) {
    for (unsigned int j = 0; j < 10; ++j) {
        float z = SmokeTrail::spriteZ(j, 10);
        if (j % 2 == 0) {
            EXPECT_FLOAT_EQ(z, 100 + j / 9.0f) << j;
        } else {
            EXPECT_GE(z, 0) << j;
            EXPECT_LE(z, 1) << j;
        }
    }
    EXPECT_FLOAT_EQ(SmokeTrail::spriteZ(9, 10), 1);
    EXPECT_TRUE(std::isfinite(SmokeTrail::spriteZ(0, 1)));  // one sprite: no 0 / 0
    EXPECT_FLOAT_EQ(SmokeTrail::spriteZ(0, 1), 100);
}
