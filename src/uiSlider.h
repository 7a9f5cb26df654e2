// A value between two arrows, set by dragging along its track and drawn as a filled gauge.
#pragma once

#include "uiArrowTrack.h"

class uiSlider : public uiArrowTrack {
public:
    // Corners, arrow width (0: the thickness), low end, high end and value.
    uiSlider(float x1, float y1, float x2, float y2, float arrowWidth, float leftVal, float rightVal, float curVal);
    // The same with arrows as long as the slider is thick.
    uiSlider(float x1, float y1, float x2, float y2, float leftVal, float rightVal, float curVal);

    // Drawn horizontally, or turned a quarter so that the high end is at the top.
    void draw() override;

private:
    void drawLayout() const;
};
