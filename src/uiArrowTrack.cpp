// What sliders and scrollers share: a value stepped by two arrows and set by dragging along a track.
#include "uiArrowTrack.h"

#include <cmath>

namespace {

constexpr int REPEAT_DELAY = 300;    // ms between steps of a held arrow
constexpr int FIRST_REPEAT = -1000;  // a held arrow first repeats 1,300 ms after the click

}  // namespace

uiArrowTrack::uiArrowTrack(uiElement element, bool everyClickModifies, float x1, float y1, float x2, float y2,
                           float arrowWidth, float leftVal, float rightVal, float curVal)
    : uiDisplayBase(x1, y1, x2, y2),
      vertical(std::fabs(x2 - x1) <= std::fabs(y2 - y1)),
      arrowWidth(arrowWidth),
      arrowTexture(uiTexture(4)),
      leftVal(leftVal),
      rightVal(rightVal),
      curVal(curVal),
      element(element),
      everyClickModifies(everyClickModifies) {
    if (arrowWidth == 0.0f) this->arrowWidth = vertical ? p2.x - p1.x : p2.y - p1.y;
}

void uiArrowTrack::resetRepeat() {
    if (!dragged) repeatCounter = FIRST_REPEAT;
    dragged = false;
}

void uiArrowTrack::stepDown() {
    curVal -= 1.0f;
    if (curVal < leftVal) curVal = leftVal;
}

void uiArrowTrack::stepUp() {
    curVal += 1.0f;
    if (curVal > rightVal) curVal = rightVal;
}

void uiArrowTrack::handleMouseClick(const point& p) {
    if (!mouseOver(p)) return;
    const float q = along(p);
    const bool lowArrow = q < low() + arrowWidth;
    const bool highArrow = q > high() - arrowWidth;
    if (lowArrow) stepDown();
    if (highArrow) stepUp();
    if (lowArrow || highArrow || everyClickModifies) modified = true;
}

void uiArrowTrack::holdArrow(bool lowArrow, int dt) {
    dragged = true;
    repeatCounter += 1 + dt;
    if (repeatCounter <= REPEAT_DELAY) return;
    repeatCounter = 0;
    if (lowArrow)
        stepDown();
    else
        stepUp();
    modified = true;
}

void uiArrowTrack::handleMouseDrag(const point& p, int dt) {
    if (!mouseOver(p)) return;
    const float q = along(p);
    const float trackLow = low() + arrowWidth;
    const float trackHigh = high() - arrowWidth;
    if (q < trackLow || q > trackHigh) {
        holdArrow(q < trackLow, dt);
    } else if (trackLow < q && q < trackHigh) {
        curVal = leftVal + (q - trackLow) / (trackHigh - trackLow) * (rightVal - leftVal);
        modified = true;
    }
}

void uiArrowTrack::importVals(const widgetValues& values) {
    importCorners(values);
    arrowWidth = values.arrowWidth;
    leftVal = values.leftVal;
    rightVal = values.rightVal;
    curVal = values.curVal;
}

void uiArrowTrack::exportVals(std::vector<float>& floats, std::vector<std::string>&) {
    floats.push_back(float(element));
    exportCorners(floats);
    floats.insert(floats.end(), {arrowWidth, leftVal, rightVal, curVal});
}
