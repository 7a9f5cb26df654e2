// A caption in a frame, or bare (the script's "text").
#pragma once

#include <string>
#include <vector>

#include "uiDisplayBase.h"

class uiBox : public uiDisplayBase {
public:
    // Corners, caption, its font (may be null) and whether to leave the frame out.
    uiBox(float x1, float y1, float x2, float y2, std::string text, Font* font, bool noFrame);

    // The frame unless noFrame, then the caption centred.
    void draw() override;
    // f[0] 0: frame colour from f[1..3]; 1: corners from f[1..4]; 2: caption from s[0].
    void modify(std::vector<float>& f, std::vector<std::string>& s) override;
    // Corners and caption.
    void importVals(const widgetValues& values) override;
    // 5 (framed or not); the corners; the caption.
    void exportVals(std::vector<float>& floats, std::vector<std::string>& texts) override;

    float red = 0.8f;
    float green = 0.8f;
    float blue = 0.8f;
    std::string text;
    Font* font;  // not owned
    bool noFrame;
};
