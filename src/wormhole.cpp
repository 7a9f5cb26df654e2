// Wormholes: the look-up of their shader program, their drawing and the warp.
#include "wormhole.h"

#include <GL/glew.h>

#include <iostream>
#include <utility>

#include "player.h"
#include "shaderList.h"
#include "textures.h"
#include "universe.h"
#include "worldState.h"

namespace {

constexpr long FLAME_TEXTURE = 17;
constexpr int LAYERS = 100;
constexpr float RAISE = 20.0f;  // the shader's squares sit a little above the centre

}  // namespace

Wormhole::Wormhole(int world, float x, float y, float radius, int targetWorld, float targetX,
                   float targetY, ShaderList shaders)
    : Wormhole(world, point{x, y}, radius, targetWorld, point{targetX, targetY}, std::move(shaders)) {}

Wormhole::Wormhole(int world, point location, float radius, int targetWorld, point target, ShaderList shaders)
    : world(world), location(location), radius(radius), targetWorld(targetWorld), target(target) {
    if (!shaders.getShader("wormhole", shaderProgram)) {
        std::cout << "Error, can't access wormhole shader shader" << std::endl;
        return;
    }
    if (!shaders.getUniform(shaderProgram, "time", timeUniform))
        std::cout << "Error, can't access time uniform in wormhole shader shader" << std::endl;
    if (!shaders.getUniform(shaderProgram, "radius", radiusUniform))
        std::cout << "Error, can't access radius uniform in wormhole shader shader" << std::endl;
}

int Wormhole::getWorld() const { return world; }
point Wormhole::getLocation() const { return location; }
float Wormhole::getRadius() const { return radius; }
int Wormhole::getTargetWorld() const { return targetWorld; }
point Wormhole::getTarget() const { return target; }
int Wormhole::getShaderProgram() const { return shaderProgram; }

void Wormhole::update(Universe& universe, int& time) {
    draw(time);
    Player* player = universe.player.get();
    if (!player || pointDistance(player->getPos(), location) > radius) return;
    player->isClear = false;
    if (!player->canWarp) return;
    player->canWarp = false;
    warp(universe);
}

// Without its program the squares are still sent, and no uniform is set on no program.
void Wormhole::draw(int time) const {
    reportError();
    glUseProgram(GLuint(shaderProgram));
    glBindTexture(GL_TEXTURE_2D, textureAt(FLAME_TEXTURE));
    if (shaderProgram != 0) {
        glUniform1f(radiusUniform, radius);
        glUniform1f(timeUniform, float(time) / 1000.0f);
    }
    glPushMatrix();
    glTranslatef(location.x, location.y, 0);
    glTranslatef(0, RAISE, 0);
    glBegin(GL_QUADS);
    for (int i = 0; i < LAYERS; ++i) {
        const float z = float(i) / LAYERS;
        glVertex3f(-1, -1, z);
        glVertex3f(-1, 1, z);
        glVertex3f(1, 1, z);
        glVertex3f(1, -1, z);
    }
    glEnd();
    glPopMatrix();
    reportError();
    glUseProgram(0);
}

// The shots of the world left behind go; a target world that does not exist keeps the
// player where it was, at the target point.
void Wormhole::warp(Universe& universe) const {
    Player& player = *universe.player;
    player.x = target.x;
    player.y = target.y;
    player.warpWorld(targetWorld, universe);
    if (world >= 0 && size_t(world) < universe.worlds.size()) universe.worlds[size_t(world)].projectiles.clear();
}
