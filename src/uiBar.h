// A read-only level gauge: an outline filled from the left to its value.
#pragma once

#include "uiDisplayBase.h"

class uiBar : public uiDisplayBase {
public:
    // Corners, low end, high end and value.
    uiBar(float x1, float y1, float x2, float y2, float leftVal, float rightVal, float curVal);

    // Sets the ends and the value.
    void updateVal(float left, float right, float value);
    // Sets the value.
    void updateVal(float value) { curVal = value; }

    // Always horizontal; empty when the ends are equal.
    void draw() override;
    // Corners and the three values.
    void importVals(const widgetValues& values) override;
    // 3; the corners; low end, high end and value.
    void exportVals(std::vector<float>& floats, std::vector<std::string>& texts) override;

    float leftVal;
    float rightVal;
    float curVal;
};
