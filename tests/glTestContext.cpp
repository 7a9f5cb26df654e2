// Opens one SDL OpenGL window per test process, the way the game does.
#include "glTestContext.h"

#include <GL/glew.h>
#include <SDL.h>

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
