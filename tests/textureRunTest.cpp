// Shots, guide lines, explosions and shockwaves draw the same pixels whether their passes keep textures bound or not.
#include <GL/glew.h>
#include <GL/glu.h>

#include <cstdlib>
#include <vector>

#include "combatArena.h"
#include "sprites.h"
#include "textures.h"
#include "timer.h"
#include "timerClasses.h"
#include "worldDrivers.h"

class TextureRunDraw : public CombatArena {
protected:
    // Two shots of each type across the screen, a missile homing on a ship, explosions and a
    // shockwave; then a quad that counts on the passes leaving texture 0 bound.
    std::vector<unsigned char> picture(bool runs) {
        enableTextureRuns(runs);
        world().projectiles.clear();
        for (TimerBase* timer : world().timers) delete timer;
        world().timers.clear();
        std::srand(3);
        for (int i = 0; i < 10; i++) shotAt({-500.0f + 100 * i, -300.0f + 60 * (i % 4)}, i % 5, 0.3f * i);
        for (int i = 0; i < 3; i++) standardExplosion({-300.0f + 250 * i, 200}, world(), 50 * i);
        projectileEvent(world(), {300, -200}, 1, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        processProjectiles(world(), u(), 16, 400);
        runTimer(400, world());
        glBegin(GL_QUADS);
        glVertex2f(550, 400), glVertex2f(600, 400), glVertex2f(600, 450), glVertex2f(550, 450);
        glEnd();
        enableTextureRuns(true);
        std::vector<unsigned char> pixels(1280 * 1024 * 4);
        glReadPixels(0, 0, 1280, 1024, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }
};

TEST_F(TextureRunDraw, ThePassesDrawTheSamePixelsWithTexturesKeptBoundAsWithEveryDrawUnbinding) {
    const unsigned white = whiteTexture(), other = whiteTexture();
    const unsigned char red[16] = {255, 0, 0, 255, 0, 0, 255, 128, 255, 0, 0, 255, 0, 255, 0, 255};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, red);
    for (size_t t = 0; t < WEAPONDATA.size(); t++) WEAPONDATA[t].texture = t % 2 ? white : other;
    const std::vector<unsigned int> saved = textures;
    textures.assign(FIXED_TEXTURE_COUNT, white);
    textures[3] = textures[7] = other;
    shipAt({-100, -100});
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(-640, 640, -512, 512);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const GLboolean texturing = glIsEnabled(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, 0);
    const std::vector<unsigned char> unbinding = picture(false);
    EXPECT_TRUE(picture(true) == unbinding);
    EXPECT_GT(litPixels(), 20000);
    if (!texturing) glDisable(GL_TEXTURE_2D);
    textures = saved;
    glDeleteTextures(1, &white);
    glDeleteTextures(1, &other);
}
