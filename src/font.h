// Text drawn from one glyph texture per character code 0..127.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

typedef struct FT_FaceRec_* FT_Face;

// One glyph's measures; all but the first two in 1/64 pixel.
struct metrics {
    int32_t bitmapLeft = 0;
    int32_t bitmapTop = 0;
    int32_t right = 0;
    int32_t left = 0;
    int32_t top = 0;
    int32_t bottom = 0;
    int32_t advance = 0;
};

// The glyph tables, shared by every Font (a second Font overwrites them).
extern unsigned int letterTextures[128];
extern std::vector<metrics> letterMetrics;
extern FT_Face face;

class Font {
public:
    // Renders the 128 glyphs of a TrueType file; on failure prints why and stays not ready.
    explicit Font(const std::string& fileName);
    // Draws text at (x, y) in the current projection, optionally centred on it;
    // nothing while the font is not ready. Codes outside 0..127 are skipped.
    void displayText(const std::string& text, float x, float y, float scale, bool centred) const;
    // Whether every glyph loaded.
    bool isReady() const { return ready != 0; }

private:
    int ready = 0;
};
