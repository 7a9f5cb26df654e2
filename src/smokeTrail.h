// The player's engine smoke: a ring of particle emissions drawn with the "smokeTrail" program.
#pragma once

#include "trail.h"

class SmokeTrail : public Trail {
public:
    // What one drawn slot hands the shader.
    struct Particle {
        float time;      // ms since the slot's particle was emitted
        float lifetime;  // 0 for the oldest slot up to 1 for the newest
        float rand;
        point velocity;
        point position;
        unsigned int sprites;
    };

    // An empty trail: it records and draws nothing.
    SmokeTrail() = default;
    // A Trail emitting a particle per interval, drawn with the "smokeTrail" program and the
    // given textures; without a linked program it says so and draws nothing.
    SmokeTrail(int length, point start, int interval, float width, float red, float green, float blue, float size,
               float particleSize, float spinSpeed, int smokeTexture, int colorTexture, const ShaderList& shaders);

    // Emits one particle for every interval that has passed, each moved back along its
    // velocity by the time since it was due.
    void update(point position, int dt, point velocity, unsigned int sprites);
    // Draws the visible particles, oldest first (the argument is not used).
    void draw(point current) const;
    // Hands visit a Particle for every slot that is drawn, oldest first.
    template <class Visit>
    void particles(Visit visit) const;
    // The z of sprite j of count in a slot: even sprites lie 100 above the odd ones.
    static float spriteZ(unsigned int j, unsigned int count);
    // The GL program drawn with; 0 when there is none.
    int getProgram() const { return program; }

private:
    void setConstantUniforms() const;
    void drawParticle(const Particle& particle) const;

    float size = 0, particleSize = 0, spinSpeed = 0;
    int smokeTexture = 0, colorTexture = 0;
    int program = 0;
    int sizeUniform = -1, particleSizeUniform = -1, spinSpeedUniform = -1, velocityUniform = -1,
        timeUniform = -1, positionUniform = -1, randUniform = -1, lifetimeUniform = -1, smokeUniform = -1,
        colorUniform = -1;
    std::vector<point> velocities;
    std::vector<float> rands;
    std::vector<unsigned int> spriteCounts;
};

template <class Visit>
void SmokeTrail::particles(Visit visit) const {
    if (length == 0) return;
    float age = static_cast<float>(length) * interval + elapsed;  // since the oldest slot was recorded
    for (int i = 0; i < slots(); ++i) {
        const int cur = slotFromOldest(i);
        if (segmentVisible(cur))
            visit(Particle{age, static_cast<float>(i) / length, rands[cur], velocities[cur], points[cur],
                           spriteCounts[cur]});
        age -= interval;
    }
}
