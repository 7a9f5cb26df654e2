// What sliders and scrollers share: a value stepped by two arrows and set by dragging along a track.
#pragma once

#include <string>
#include <vector>

#include "uiDisplayBase.h"

class uiArrowTrack : public uiDisplayBase {
public:
    // Arrows step the value while held; the track between them sets it from the pointer.
    void handleMouseDrag(const point& p, int dt) override;
    // A click on an arrow steps the value by 1 within its ends.
    void handleMouseClick(const point& p) override;
    // Corners, arrow width and the three values; nothing is clamped.
    void importVals(const widgetValues& values) override;
    // The element number, corners, arrow width, low end, high end and value.
    void exportVals(std::vector<float>& floats, std::vector<std::string>& texts) override;

    bool vertical;  // the long axis is y
    float arrowWidth;
    unsigned int arrowTexture;
    float leftVal;
    float rightVal;
    float curVal;
    int repeatCounter = 0;  // ms an arrow has been held since its last step
    bool dragged = false;   // an arrow was held since the last draw

protected:
    // Vertical when it is at least as high as wide; an arrow width of 0 becomes the thickness.
    uiArrowTrack(uiElement element, bool everyClickModifies, float x1, float y1, float x2, float y2, float arrowWidth,
                 float leftVal, float rightVal, float curVal);

    // The low and high ends of the long axis, and the pointer's coordinate on it.
    float low() const { return vertical ? p1.y : p1.x; }
    float high() const { return vertical ? p2.y : p2.x; }
    float along(const point& p) const { return vertical ? p.y : p.x; }
    // Ends a draw: the arrows' repeat starts over unless one was held since the last draw.
    void resetRepeat();

private:
    void stepDown();
    void stepUp();
    // Counts an arrow held for dt and steps once the repeat delay has passed.
    void holdArrow(bool lowArrow, int dt);

    uiElement element;
    bool everyClickModifies;  // a scroller marks any click inside; a slider only arrow hits
};
