// A caption in a frame, or bare (the script's "text").
#include "uiBox.h"

#include <GL/gl.h>

#include <iostream>
#include <utility>

#include "uiDrawing.h"

uiBox::uiBox(float x1, float y1, float x2, float y2, std::string text, Font* font, bool noFrame)
    : uiDisplayBase(x1, y1, x2, y2), text(std::move(text)), font(font), noFrame(noFrame) {}

void uiBox::draw() {
    if (!noFrame) {
        glColor3f(red, green, blue);
        drawOutline(p1, p2);
    }
    drawCaption(font, text);
}

void uiBox::modify(std::vector<float>& f, std::vector<std::string>& s) {
    std::cout << "Box mod hit" << std::endl;
    if (f.size() > 3 && f[0] == 0.0f) {
        red = f[1];
        green = f[2];
        blue = f[3];
    }
    if (f.size() > 4 && f[0] == 1.0f) {
        setCorners(f[1], f[2], f[3], f[4]);
        std::cout << "x1 " << p1.x << std::endl;
    }
    if (!f.empty() && f[0] == 2.0f && !s.empty()) text = s[0];
}

void uiBox::importVals(const widgetValues& values) {
    importCorners(values);
    text = values.text;
}

void uiBox::exportVals(std::vector<float>& floats, std::vector<std::string>& texts) {
    floats.push_back(UI_BOX);
    exportCorners(floats);
    texts.push_back(text);
}
