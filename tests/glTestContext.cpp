// Opens one SDL OpenGL window per test process, the way the game does.
#include "glTestContext.h"

#include <GL/glew.h>
#include <SDL.h>

#include <vector>

#include "defaultVals.h"

namespace {

bool openContext(std::string& why) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        why = std::string("SDL_Init: ") + SDL_GetError();
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (!SDL_SetVideoMode(w, h, 32, SDL_OPENGL)) {
        why = std::string("SDL_SetVideoMode: ") + SDL_GetError();
        return false;
    }
    SDL_WM_SetCaption("Tuvaro tests", "Tuvaro tests");
    GLenum err = glewInit();
    if (err != GLEW_OK) {
        why = std::string("glewInit: ") + reinterpret_cast<const char*>(glewGetErrorString(err));
        return false;
    }
    glViewport(0, 0, w, h);
    return true;
}

}  // namespace

void GlTest::SetUp() {
    static std::string why;
    static const bool ready = openContext(why);
    ASSERT_TRUE(ready) << "no OpenGL context: " << why;
}

void GlTest::clearGlErrors() {
    while (glGetError() != GL_NO_ERROR) {
    }
}

int GlTest::litPixels() {
    std::vector<unsigned char> pixels(static_cast<size_t>(w) * h * 4);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    int lit = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) lit += (pixels[i] | pixels[i + 1] | pixels[i + 2]) != 0;
    return lit;
}

unsigned int GlTest::whiteTexture() {
    const std::vector<unsigned char> texels(16, 255);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    return texture;
}
