// A toggle button with a caption, shown by one of four state images.
#pragma once

#include <string>
#include <vector>

#include "uiDisplayBase.h"

class uiButton : public uiDisplayBase {
public:
    // A button over the corners with a caption drawn in font (may be null); a state
    // outside 0..3 is reported and taken as 0 (up).
    uiButton(float x1, float y1, float x2, float y2, Font* font, std::string text, int initialState);

    void draw() override;
    // Shows or clears the hovered look.
    void handleMouseHover(const point& p) override;
    // A click inside toggles up and down and marks the button modified.
    void handleMouseClick(const point& p) override;
    // Corners, caption and down (state 1) or up (anything else).
    void importVals(const widgetValues& values) override;
    // 1; 1 when down, else 0; the corners; the caption.
    void exportVals(std::vector<float>& floats, std::vector<std::string>& texts) override;

    int state;  // 0 up, 1 up and hovered, 2 down, 3 down and hovered
    std::vector<unsigned int> stateTextures;
    std::string text;
    Font* font;  // not owned
};
