// The overlays that show the world: the hover read-out, the close radar and the system map.
#include "hud.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include "defaultVals.h"
#include "font.h"
#include "planet.h"
#include "player.h"
#include "ship.h"
#include "spriteBatch.h"
#include "star.h"
#include "textures.h"
#include "universe.h"
#include "viewCulling.h"
#include "worldState.h"

namespace {

constexpr float READOUT_X = 50.0f;  // the read-out is centred here; the bar spans 10 either side
constexpr float NAME_Y = 95.0f;
constexpr float OWNER_Y = 92.0f;
constexpr float BAR_BOTTOM = 89.0f;
constexpr float BAR_TOP = 90.0f;
constexpr float FULL_BAR = 20.0f;
constexpr float FULL_PLANET_HEALTH = 1e6f;

constexpr int RADAR_TEXTURE = 11;
constexpr int ENEMY_BLIP_TEXTURE = 12;
constexpr int PLAYER_BLIP_TEXTURE = 13;
constexpr int MAP_TEXTURE = 19;
constexpr int DOT_TEXTURE = 20;
constexpr float CORNER_SIZE = 200.0f;  // pixels of each corner square
constexpr float RADAR_RANGE = 10000.0f;
constexpr float MAP_RANGE = 100000.0f;
constexpr float RADAR_SCALE = 165.0f / 2.0f / RADAR_RANGE;
constexpr float MAP_SCALE = 168.0f / 2.0f / MAP_RANGE;
constexpr float RADAR_BLIP = 500.0f;
constexpr float MAP_STAR_BLIP = 10000.0f;
constexpr float MAP_PLANET_BLIP = 8000.0f;
constexpr float MAP_PLAYER_BLIP = 10000.0f;

bool under(point target, point centre, float radius) { return sqPointDistance(target, centre) <= radius * radius; }

hoverReadout planetReadout(Universe& u, const Planet& planet) {
    hoverReadout readout;
    readout.found = true;
    readout.name = planet.getName();
    const int owner = planet.getPlanetData().factionOwner;
    if (owner < 0 || size_t(owner) >= u.factionNames.size()) {
        readout.owner = "Unclaimed";
        return readout;
    }
    readout.owner = u.getFactionName(int16_t(owner));
    readout.hasBar = true;
    readout.barLength = FULL_BAR * planet.getHealth() / FULL_PLANET_HEALTH;
    return readout;
}

// A ship of no known type, or of a type without hit points, has no bar to measure against.
hoverReadout shipReadout(Universe& u, const Ship& ship) {
    hoverReadout readout;
    readout.found = true;
    readout.name = ship.getShipType();
    readout.owner = u.getFactionName(ship.getFaction());
    const int code = ship.getShipCode();
    if (code < 0 || size_t(code) >= u.shipTypes.size()) return readout;
    const float full = u.shipTypes[size_t(code)].hitpoints;
    if (!(full > 0.0f)) return readout;
    readout.hasBar = true;
    readout.barLength = FULL_BAR * ship.getHitpoints() / full;
    return readout;
}

// The bar is not clamped: more than full health runs past the right end.
void barQuad(float right) {
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.5f);
    glVertex2f(READOUT_X - FULL_BAR / 2, BAR_BOTTOM);
    glTexCoord2f(1.0f, 0.5f);
    glVertex2f(READOUT_X - FULL_BAR / 2, BAR_TOP);
    glTexCoord2f(1.0f, 0.5f);
    glVertex2f(right, BAR_TOP);
    glTexCoord2f(0.0f, 0.5f);
    glVertex2f(right, BAR_BOTTOM);
    glEnd();
}

void drawHealthBar(Universe& u, float length) {
    glBindTexture(GL_TEXTURE_2D, u.loadDynamicTexture("whiteLaser.png", 1));
    reportError();
    barQuad(READOUT_X + FULL_BAR / 2);
    glBindTexture(GL_TEXTURE_2D, u.loadDynamicTexture("laser.png", 1));
    barQuad(READOUT_X - FULL_BAR / 2 + length);
    glBindTexture(GL_TEXTURE_2D, 0);
}

// The corner squares' vertices for the texture corners (0, 0), (0, 1), (1, 1), (1, 0):
// the radar's image is upside down against the map's.
const point RADAR_CORNERS[4] = {{0, 0}, {0, -CORNER_SIZE}, {CORNER_SIZE, -CORNER_SIZE}, {CORNER_SIZE, 0}};
const point MAP_CORNERS[4] = {{-CORNER_SIZE, -CORNER_SIZE}, {-CORNER_SIZE, 0}, {0, 0}, {0, -CORNER_SIZE}};

void cornerSquare(int texture, const point (&corners)[4]) {
    const point texCoords[4] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    glBindTexture(GL_TEXTURE_2D, textureAt(texture));
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i) {
        glTexCoord2f(texCoords[i].x, texCoords[i].y);
        glVertex2f(corners[i].x, corners[i].y);
    }
    glEnd();
    glBindTexture(GL_TEXTURE_2D, 0);
}

// A world projection squeezed into the corner square around the player.
void pushCornerProjection(double left, double right, double bottom, double top, float scale, point centre) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(left, right, bottom, top);
    glScalef(scale, scale, 0.0f);
    glTranslatef(-centre.x, -centre.y, 0.0f);
    glMatrixMode(GL_MODELVIEW);
}

void popCornerProjection() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    reportError();
}

// A battle's worth of blips in one call.
void drawShipBlips(const std::vector<const Ship*>& ships) {
    const ViewCulling view;
    const SpriteBatch blips(SpriteBatch::asDrawn);
    for (const Ship* ship : ships) drawRadarBlip(ship->getPos(), ENEMY_BLIP_TEXTURE, RADAR_BLIP);
}

// Stars and planets at their true size, as they look in the world.
void drawBodies(const nearbyBodies& bodies) {
    for (const Star* star : bodies.stars)
        texturedSquare(star->getPos(), textureAt(star->getTexture()), star->getRadius(), 0.0f);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    for (const Planet* planet : bodies.planets)
        texturedSquare(planet->getPos(), planet->getTexture(), planet->getRadius(), planet->getRotation());
}

}  // namespace

hoverReadout readoutAt(Universe& u, point target) {
    WorldState* world = u.playerWorld();
    if (!world) return {};
    for (const Star& star : world->stars) {
        if (under(target, star.getPos(), star.getRadius())) {
            hoverReadout readout;
            readout.found = true;
            readout.name = star.getName();
            return readout;
        }
        for (const Planet& planet : star.getPlanets())
            if (under(target, planet.getPos(), planet.getRadius())) return planetReadout(u, planet);
    }
    for (const Ship& ship : world->ships)
        if (under(target, ship.getPos(), ship.getSize())) return shipReadout(u, ship);
    return {};
}

void mouseover(Universe& u, point target, Font* font, int) {
    const hoverReadout readout = readoutAt(u, target);
    if (!readout.found || !font) return;
    font->displayText(readout.name, READOUT_X, NAME_Y, 1.0f, true);
    if (!readout.owner.empty()) font->displayText(readout.owner, READOUT_X, OWNER_Y, 1.0f, true);
    if (readout.hasBar) drawHealthBar(u, readout.barLength);
}

nearbyBodies bodiesNear(const WorldState& world, point centre, float range) {
    nearbyBodies near;
    for (const Ship& ship : world.ships)
        if (pointDistance(ship.getPos(), centre) < range) near.ships.push_back(&ship);
    for (const Star& star : world.stars) {
        if (pointDistance(star.getPos(), centre) < range) near.stars.push_back(&star);
        for (const Planet& planet : star.getPlanets())
            if (pointDistance(planet.getPos(), centre) < range) near.planets.push_back(&planet);
    }
    return near;
}

void topLeftUI(WorldState& world, Player* player) {
    if (!player) return;
    cornerSquare(RADAR_TEXTURE, RADAR_CORNERS);
    const point p = player->getPos();
    pushCornerProjection(-CORNER_SIZE / 2, w - CORNER_SIZE / 2, CORNER_SIZE / 2 - h, CORNER_SIZE / 2, RADAR_SCALE, p);
    drawRadarBlip(p, PLAYER_BLIP_TEXTURE, RADAR_BLIP);
    const nearbyBodies near = bodiesNear(world, p, RADAR_RANGE);
    drawShipBlips(near.ships);
    drawBodies(near);
    popCornerProjection();
}

// The map leaves the texture mode at replace and the colour at the last blip's.
void topRightUI(WorldState& world, Player* player) {
    if (!player) return;
    cornerSquare(MAP_TEXTURE, MAP_CORNERS);
    const point p = player->getPos();
    pushCornerProjection(-w - CORNER_SIZE / 2, CORNER_SIZE / 2, -h - CORNER_SIZE / 2, CORNER_SIZE / 2, MAP_SCALE, p);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    const nearbyBodies near = bodiesNear(world, p, MAP_RANGE);
    for (const Star* star : near.stars) {
        glColor3f(1.0f, 0.2f, 0.2f);
        drawRadarBlip(star->getPos(), DOT_TEXTURE, MAP_STAR_BLIP);
    }
    for (const Planet* planet : near.planets) {
        glColor3f(0.0f, 1.0f, 0.2f);
        drawRadarBlip(planet->getPos(), DOT_TEXTURE, MAP_PLANET_BLIP);
    }
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    drawRadarBlip(p, PLAYER_BLIP_TEXTURE, MAP_PLAYER_BLIP);
    popCornerProjection();
}
