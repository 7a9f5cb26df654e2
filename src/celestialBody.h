// What stars and planets share: their pull and the swallowing of what touches them.
#pragma once

#include "basics.h"

class Universe;
class WorldState;

// A star or planet as its gravity sees it, where it stands this frame.
struct celestialBody {
    point centre;
    float radius;
    float density;  // as stored: the data file's value times 1e-6
    float mass;
};

// How far the body pulls: ten radii times the data file's density.
float gravityRange(const celestialBody& body);
// The unit vector from target to the body's centre; none at the centre itself.
point towardsBody(const celestialBody& body, point target);
// What the body adds over dt ms to the velocity of something at target, d away from its
// centre; nothing at the centre, where there is no direction to pull in.
point gravityPull(const celestialBody& body, point target, float d, int dt);
// Shots and ships touching the body explode and leave the world (a ship its registry slot
// too); the others within range are pulled, ships also told where the surface is.
void pullShotsAndShips(const celestialBody& body, WorldState& world, Universe& universe, int dt);
