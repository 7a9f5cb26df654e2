// The player's engine smoke: a ring of particle emissions drawn with the "smokeTrail" program.
#include "smokeTrail.h"

#include <GL/glew.h>

#include <cstdlib>
#include <iostream>

#include "shaderList.h"

SmokeTrail::SmokeTrail(int length, point start, int interval, float width, float red, float green, float blue,
                       float size, float particleSize, float spinSpeed, int smokeTexture, int colorTexture,
                       const ShaderList& shaders)
    : Trail(length, start, interval, width, red, green, blue),
      size(size),
      particleSize(particleSize),
      spinSpeed(spinSpeed),
      smokeTexture(smokeTexture),
      colorTexture(colorTexture),
      program(linkedProgram(shaders, "smokeTrail")),
      velocities(slots(), point{0, 0}),
      rands(slots(), 0.0f),
      spriteCounts(slots(), 0) {
    if (program == 0) {  // one line rather than a miss for each of the ten uniforms
        std::cout << "Error, can't access smoke trail shader" << std::endl;
        return;
    }
    shaders.getUniform(program, "velocity", velocityUniform);
    shaders.getUniform(program, "size", sizeUniform);
    shaders.getUniform(program, "particleSize", particleSizeUniform);
    shaders.getUniform(program, "spinSpeed", spinSpeedUniform);
    shaders.getUniform(program, "time", timeUniform);
    shaders.getUniform(program, "position", positionUniform);
    shaders.getUniform(program, "rand", randUniform);
    shaders.getUniform(program, "lifetime", lifetimeUniform);
    shaders.getUniform(program, "smoke", smokeUniform);
    shaders.getUniform(program, "color", colorUniform);
}

void SmokeTrail::update(point position, int dt, point velocity, unsigned int sprites) {
    if (length == 0) return;
    elapsed += dt;
    float overdue = static_cast<float>(elapsed) / interval - 1;  // in intervals, for the oldest due particle
    while (elapsed >= interval) {
        const float back = overdue * interval;
        recordPoint({position.x - velocity.x * back, position.y - velocity.y * back});
        velocities[head] = velocity;
        spriteCounts[head] = sprites;
        rands[head] = static_cast<float>(std::rand() % 1000);
        elapsed -= interval;
        overdue -= 1;
    }
}

float SmokeTrail::spriteZ(unsigned int j, unsigned int count) {
    const float spread = count > 1 ? static_cast<float>(j) / (count - 1) : 0.0f;
    return j % 2 == 0 ? spread + 100 : spread;
}

void SmokeTrail::draw(point) const {
    if (length == 0 || program == 0) return;  // fixed-function quads here would cover the screen
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glUseProgram(static_cast<GLuint>(program));
    setConstantUniforms();
    particles([this](const Particle& particle) { drawParticle(particle); });
    glUseProgram(0);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    reportError();
}

void SmokeTrail::setConstantUniforms() const {
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(smokeTexture));
    glUniform1f(sizeUniform, size);
    glUniform1f(particleSizeUniform, particleSize);
    glUniform1f(spinSpeedUniform, spinSpeed);
    glUniform1i(smokeUniform, 0);
    glUniform1i(colorUniform, 1);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(colorTexture));
    glActiveTexture(GL_TEXTURE0);
}

void SmokeTrail::drawParticle(const Particle& particle) const {
    glUniform1f(timeUniform, particle.time);
    glUniform1f(lifetimeUniform, particle.lifetime);
    glUniform1f(randUniform, particle.rand);
    glUniform2f(velocityUniform, particle.velocity.x, particle.velocity.y);
    glUniform2f(positionUniform, particle.position.x, particle.position.y);
    glBegin(GL_QUADS);
    for (unsigned int j = 0; j < particle.sprites; ++j)
        programQuad(spriteZ(j, particle.sprites));
    glEnd();
}
