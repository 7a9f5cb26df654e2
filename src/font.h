// Text drawn from one glyph texture per character code 0..127.
#pragma once

#include <string>

class Font {
public:
    // Renders the 128 glyphs of a TrueType file; on failure prints why and stays not ready.
    explicit Font(const std::string& fileName);
    // Draws text at (x, y) in the current projection, optionally centred on it;
    // nothing while the font is not ready.
    void displayText(const std::string& text, float x, float y, float scale, bool centred) const;
    // Whether every glyph loaded.
    bool isReady() const { return ready != 0; }

private:
    int ready = 0;
};
