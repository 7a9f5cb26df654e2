// Wormholes: construction and the look-up of their shader program.
#include "wormhole.h"

#include <iostream>
#include <utility>

#include "shaderList.h"

Wormhole::Wormhole(int world, float x, float y, float radius, int targetWorld, float targetX,
                   float targetY, ShaderList shaders)
    : Wormhole(world, point{x, y}, radius, targetWorld, point{targetX, targetY}, std::move(shaders)) {}

Wormhole::Wormhole(int world, point location, float radius, int targetWorld, point target, ShaderList shaders)
    : world(world), location(location), radius(radius), targetWorld(targetWorld), target(target) {
    if (!shaders.getShader("wormhole", shaderProgram)) {
        std::cout << "Error, can't access wormhole shader shader" << std::endl;
        timeUniform = 0;
        radiusUniform = 0;
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
