// The process-wide texture tables and the image loaders that fill them.
#include "textures.h"

#include <GL/glew.h>
#include <SOIL/SOIL.h>

#include <iostream>

#include "basics.h"

std::vector<unsigned int> textures;
std::vector<unsigned int> projTextures;
std::vector<unsigned int> uiTextures;

namespace {

const unsigned int DUST = 9;

struct tableEntry {
    const char* file;
    int mode;
};

// The drawing code reaches these by index, so the order is fixed.
const tableEntry TEXTURE_TABLE[] = {
    {"player.png", 1},       {"mouse.png", 1},         {"enemy.png", 1},
    {"explosion.png", 1},    {"laser.png", 1},         {"bulletDot.png", 1},
    {"fragment.png", 1},     {"blast.png", 1},         {"shockwaveBullet.png", 1},
    {"dust.png", 1},         {"mars.png", 1},          {"radar.png", 1},
    {"enemyRadar.png", 1},   {"playerRadar.png", 1},   {"bluestar.png", 1},
    {"dotTriad.png", 1},     {"diamondParticle.png", 1}, {"flame.tga", 1},
    {"wormhole1.tga", 1},    {"map.png", 1},           {"whiteDot.png", 1},
    {"cloud.png", 1},        {"smokeColors.png", 1},   {"background2.png", 0},
};

const char* const PROJECTILE_FILES[] = {"bulletDot.png", "fragment.png", "shockwaveBullet.png"};
const char* const UI_FILES[] = {"buttonUp.png", "buttonSel.png", "buttonDown.png",
                                "buttonDownSel.png", "arrow.png"};

unsigned int soilLoad(const std::string& fileName, unsigned int flags) {
    return SOIL_load_OGL_texture(fileName.c_str(), SOIL_LOAD_AUTO, SOIL_CREATE_NEW_ID, flags);
}

void finishLoading() {
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    reportError();
    glBindTexture(GL_TEXTURE_2D, 0);
}

}  // namespace

unsigned int textureAt(long index) {
    if (index < 0 || index >= static_cast<long>(textures.size()))
        return 0;
    return textures[index];
}

unsigned int loadSingleTexture(const std::string& fileName, int mode) {
    unsigned int flags;
    if (mode == 1)
        flags = SOIL_FLAG_MIPMAPS | SOIL_FLAG_INVERT_Y;
    else if (mode == 0)
        flags = SOIL_FLAG_INVERT_Y;
    else
        return 0;
    unsigned int texture = soilLoad(fileName, flags);
    if (texture == 0) {
        std::cout << "SOIL error loading " << fileName << ": " << SOIL_last_result() << std::endl;
        return 0;
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    return texture;
}

void loadSingleTexture(const std::string& fileName, std::vector<unsigned int>& table, int mode) {
    table.push_back(loadSingleTexture(fileName, mode));
}

void loadTextures() {
    glEnable(GL_TEXTURE_2D);
    for (const tableEntry& entry : TEXTURE_TABLE)
        loadSingleTexture(entry.file, textures, entry.mode);
    // Only the dust itself may repeat; a failed load must not touch another texture.
    if (textures[DUST] != 0) {
        glBindTexture(GL_TEXTURE_2D, textures[DUST]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    }
    for (const char* file : PROJECTILE_FILES)
        loadSingleTexture(file, projTextures, 1);
    finishLoading();
}

void loadUITextures() {
    glEnable(GL_TEXTURE_2D);
    for (const char* file : UI_FILES) {
        unsigned int texture = soilLoad(file, SOIL_FLAG_MIPMAPS | SOIL_FLAG_INVERT_Y);
        uiTextures.push_back(texture);
        if (texture == 0)
            std::cout << "SOIL loading error on " << file << ": " << SOIL_last_result() << std::endl;
        else
            glBindTexture(GL_TEXTURE_2D, texture);
    }
    finishLoading();
}
