// A tapered, glowing ribbon behind an AI ship, drawn with the "glowTrail" program.
#include "glowTrail.h"

#include <GL/glew.h>

#include <iostream>

GlowTrail::GlowTrail(int length, point start, int interval, float width, float red, float green, float blue,
                     const ShaderList& shaders)
    : Trail(length, start, interval, width, red, green, blue), program(linkedProgram(shaders, "glowTrail")) {
    if (program == 0) std::cout << "Error, can't access glow trail shader" << std::endl;
}

void GlowTrail::draw(point current) const {
    if (length == 0 || program == 0) return;  // fixed-function drawing of these vertices would be wild
    glUseProgram(static_cast<GLuint>(program));
    glBegin(GL_QUAD_STRIP);
    ribbon(current, [this](float signedWidth, float x, float y, float prevX, float prevY) {
        glColor4f(red, green, blue, signedWidth);
        glVertex4f(x, y, prevX, prevY);
    });
    glEnd();
    glUseProgram(0);
}
