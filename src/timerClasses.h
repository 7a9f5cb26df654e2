// The timed effects: explosions that only draw and shockwaves that also damage the ships inside them.
#pragma once

#include "basics.h"
#include "timer.h"

class TExplosion : public TimerBase {
public:
    // An explosion made at startTime (ms) lasting duration ms at position.
    TExplosion(int startTime, int duration, point position);
    // Draws two counter-rotating images that shrink to nothing over the duration.
    void execute(int now, WorldState& world) override;

private:
    int32_t startTime;
    int32_t duration;
    point position;
    float size = 50.0f;
};

class TShockwave : public TimerBase {
public:
    // A ring growing by growth over duration ms from startTime at position.
    TShockwave(int growth, int startTime, int duration, point position);
    // Draws the ring and damages every ship inside it for the ms since its previous run.
    void execute(int now, WorldState& world) override;

private:
    // The ring's radius at time now.
    float radius(int now) const;
    void draw(float r) const;
    void damageShipsWithin(float r, int step, WorldState& world) const;

    int32_t startTime;
    int32_t duration;
    int32_t growth;
    point position;
    int32_t angle;  // degrees
    int32_t lastTime;
};

// Appends a one-second explosion made at time (ms) at p to the world's timers.
void standardExplosion(point p, WorldState& world, int time);
// The same, made now by the tick counter.
void standardExplosion(point p, WorldState& world);
