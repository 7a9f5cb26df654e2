// Stars: construction, planets, the time skip after a load, their frame and drawing.
#include "star.h"

#include <GL/gl.h>

#include <utility>

#include "celestialBody.h"
#include "player.h"
#include "textures.h"
#include "timerClasses.h"
#include "uiDrawing.h"

Star::Star(point pos, float radius, float density, int texture, std::string name)
    : pos(pos), radius(radius), density(density), texture(texture), name(std::move(name)),
      mass(bodyMass(radius)) {}

int Star::getId() const { return id; }
void Star::setId(int number) { id = number; }
std::string Star::getName() const { return name; }
float Star::getRadius() const { return radius; }
int Star::getTexture() const { return texture; }
point Star::getPos() const { return pos; }
float Star::getDensity() const { return density; }
float Star::getMass() const { return mass; }
std::vector<Planet>& Star::getPlanets() { return planets; }
const std::vector<Planet>& Star::getPlanets() const { return planets; }

void Star::addPlanet(Planet planet) { planets.push_back(std::move(planet)); }

void Star::skipTime(long t) {
    for (Planet& planet : planets) planet.skipTime(t, pos);
}

// Planets and their satellites blend by alpha; the star itself glows.
void Star::update(WorldState& world, Player* player, int dt, Universe& universe) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (Planet& planet : planets) planet.update(world, player, dt, pos, universe);
    pullShotsAndShips(body(), world, universe, dt);
    if (player) meetPlayer(*player, world, dt);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    draw();
}

celestialBody Star::body() const { return {pos, radius, density, mass}; }

void Star::meetPlayer(Player& player, WorldState& world, int dt) const {
    const float d = pointDistance(pos, player.getPos());
    if (d <= radius) standardExplosion(player.getPos(), world);
    if (d < gravityRange(body()) && !player.isLanded())
        player.addVelocity(gravityPull(body(), player.getPos(), d, dt));
}

void Star::draw() const {
    glPushMatrix();
    glTranslatef(pos.x, pos.y, 0);
    drawTexturedQuad(textureAt(texture), {-radius, -radius}, {radius, radius}, UPRIGHT);
    reportError();
    glPopMatrix();
}
