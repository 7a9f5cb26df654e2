// A read-only level gauge: an outline filled from the left to its value.
#include "uiBar.h"

#include <GL/gl.h>

#include "uiDrawing.h"

uiBar::uiBar(float x1, float y1, float x2, float y2, float leftVal, float rightVal, float curVal)
    : uiDisplayBase(x1, y1, x2, y2), leftVal(leftVal), rightVal(rightVal), curVal(curVal) {}

void uiBar::updateVal(float left, float right, float value) {
    leftVal = left;
    rightVal = right;
    curVal = value;
}

void uiBar::draw() {
    glColor3f(0.9f, 0.9f, 0.9f);
    drawOutline(p1, p2);
    glColor3f(1, 0, 0);
    const float v = valueFraction(curVal, leftVal, rightVal) * (p2.x - p1.x) + p1.x;
    drawOutline(p1, {v, p2.y});
}

void uiBar::importVals(const widgetValues& values) {
    importCorners(values);
    leftVal = values.leftVal;
    rightVal = values.rightVal;
    curVal = values.curVal;
}

void uiBar::exportVals(std::vector<float>& floats, std::vector<std::string>&) {
    floats.push_back(UI_BAR);
    exportCorners(floats);
    floats.insert(floats.end(), {leftVal, rightVal, curVal});
}
