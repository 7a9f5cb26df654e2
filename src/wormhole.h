// A portal that moves the player to a point in another world.
#pragma once

#include "basics.h"

class ShaderList;
class Universe;

class Wormhole {
public:
    // Its world, centre (x, y), capture radius, target world and target point; takes the
    // "wormhole" program and its uniforms from the shader list.
    Wormhole(int world, float x, float y, float radius, int targetWorld, float targetX,
             float targetY, ShaderList shaders);
    // The same with the centre and target as points.
    Wormhole(int world, point location, float radius, int targetWorld, point target,
             ShaderList shaders);

    // Draws the wormhole at time ms and, when the player is inside and may warp, puts it
    // at the target in the target world and clears the shots of the world it left.
    void update(Universe& universe, int& time);

    // Read-outs of the stored values.
    int getWorld() const;
    point getLocation() const;
    float getRadius() const;
    int getTargetWorld() const;
    point getTarget() const;
    int getShaderProgram() const;

private:
    void draw(int time) const;
    void warp(Universe& universe) const;

    int world;
    point location;
    float radius;
    int targetWorld;
    point target;
    int shaderProgram = 0;
    int timeUniform = -1;
    int radiusUniform = -1;
};
