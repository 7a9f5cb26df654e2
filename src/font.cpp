// Glyph textures rendered with FreeType and text drawn from them.
#include "font.h"

#include <GL/glew.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <iostream>

unsigned int letterTextures[128];
std::vector<metrics> letterMetrics(128);
FT_Face face = nullptr;

namespace {

const FT_Error UNKNOWN_FORMAT = 2;  // FreeType's code for a file it cannot read
const int GLYPHS = 128;

// Coverage of one texel; rows are pitch bytes apart, which need not be the width.
unsigned char coverage(const FT_Bitmap& bitmap, unsigned int row, unsigned int column) {
    int pitch = bitmap.pitch;
    const unsigned char* start = pitch >= 0 ? bitmap.buffer + row * pitch
                                            : bitmap.buffer + (bitmap.rows - 1 - row) * -pitch;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
        return (start[column / 8] & (0x80 >> (column % 8))) ? 255 : 0;
    return start[column];
}

metrics measure(FT_GlyphSlot slot) {
    metrics m;
    m.bitmapTop = slot->bitmap_top;
    m.bitmapLeft = slot->bitmap_left;
    m.advance = static_cast<int32_t>(slot->advance.x);
    m.left = m.bitmapLeft * 64;
    m.right = m.left + static_cast<int32_t>(slot->metrics.width);
    m.top = m.bitmapTop * 64;
    m.bottom = m.top - static_cast<int32_t>(slot->metrics.height);
    return m;
}

// Uploads the slot's bitmap bottom row first, as white with the coverage in alpha.
void uploadGlyph(unsigned int texture, const FT_Bitmap& bitmap) {
    unsigned int width = bitmap.width;
    unsigned int rows = bitmap.rows;
    std::vector<unsigned char> texels(static_cast<size_t>(width) * rows * 2);
    for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned int k = 0; k < width; ++k) {
            size_t at = (static_cast<size_t>(rows - 1 - r) * width + k) * 2;
            texels[at] = 255;
            texels[at + 1] = coverage(bitmap, r, k);
        }
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, rows, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE,
                 texels.data());
}

// A failed opening gives its library back; a loaded face keeps its library for the run.
bool openFace(const std::string& fileName) {
    FT_Library library;
    if (FT_Init_FreeType(&library) != 0) {
        std::cout << "Error initializing freetype library" << std::endl;
        return false;
    }
    FT_Error error = FT_New_Face(library, fileName.c_str(), 0, &face);
    if (error == UNKNOWN_FORMAT) {
        std::cout << "the font file could be opened and read, but it appears ... that its font format is "
                     "unsupported"
                  << std::endl;
    } else if (error != 0) {
        std::cout << "Error initializing face " << fileName << std::endl;
    } else if (FT_Set_Pixel_Sizes(face, 0, 300) == UNKNOWN_FORMAT) {
        std::cout << "Error setting font size" << std::endl;
    } else {
        return true;
    }
    face = nullptr;
    FT_Done_FreeType(library);
    return false;
}

bool loadGlyphs() {
    for (int c = 0; c < GLYPHS; ++c) {
        if (FT_Load_Char(face, c, FT_LOAD_RENDER) == UNKNOWN_FORMAT) {
            std::cout << "Error loading character" << std::endl;
            return false;
        }
        letterMetrics[c] = measure(face->glyph);
        uploadGlyph(letterTextures[c], face->glyph->bitmap);
    }
    return true;
}

// The codes that have a glyph; others would index the tables out of range.
std::string drawable(const std::string& text) {
    std::string codes;
    for (char c : text)
        if (static_cast<unsigned char>(c) < GLYPHS)
            codes += c;
    return codes;
}

// Moves the pen back so that the text centres on its inked width and on the height of a capital A.
void centreOn(const std::string& codes, float k) {
    float width = letterMetrics[static_cast<unsigned char>(codes.back())].right;
    for (size_t i = 0; i + 1 < codes.size(); ++i)
        width += letterMetrics[static_cast<unsigned char>(codes[i])].advance;
    const metrics& capital = letterMetrics['A'];
    glTranslatef(-width * k / 2, -(capital.top - capital.bottom) * k / 2, 0);
}

// Draws glyph c at the pen and moves the pen on by its advance.
void drawGlyph(unsigned char c, float k) {
    const metrics& m = letterMetrics[c];
    glBindTexture(GL_TEXTURE_2D, letterTextures[c]);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(m.left * k, m.bottom * k);
    glTexCoord2f(0, 1);
    glVertex2f(m.left * k, m.top * k);
    glTexCoord2f(1, 1);
    glVertex2f(m.right * k, m.top * k);
    glTexCoord2f(1, 0);
    glVertex2f(m.right * k, m.bottom * k);
    glEnd();
    glTranslatef(m.advance * k, 0, 0);
}

}  // namespace

Font::Font(const std::string& fileName) {
    glEnable(GL_TEXTURE_2D);
    glGenTextures(GLYPHS, letterTextures);
    ready = 0;
    if (openFace(fileName) && loadGlyphs())
        ready = 1;
}

void Font::displayText(const std::string& text, float x, float y, float scale, bool centred) const {
    glBindTexture(GL_TEXTURE_2D, 0);
    float k = scale * 0.0001f;
    if (ready == 0)
        return;
    std::string codes = drawable(text);
    glPushMatrix();
    glTranslatef(x, y, 0);
    if (centred && !codes.empty())
        centreOn(codes, k);
    for (unsigned char c : codes)
        drawGlyph(c, k);
    glBindTexture(GL_TEXTURE_2D, 0);
    glPopMatrix();
}
