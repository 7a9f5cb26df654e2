// The abstract interface widget: a rectangle that draws itself, answers the pointer and trades values with the script.
#include "uiDisplayBase.h"

#include <algorithm>

#include "basicsLua.h"
#include "font.h"
#include "textures.h"

bool mouseOver2(const point& p, const point& lo, const point& hi) {
    return lo.x < p.x && p.x < hi.x && lo.y < p.y && p.y < hi.y;
}

uiDisplayBase::uiDisplayBase(float x1, float y1, float x2, float y2) : p1{}, p2{} { setCorners(x1, y1, x2, y2); }

bool uiDisplayBase::mouseOver(const point& p) const { return mouseOver2(p, p1, p2); }

void uiDisplayBase::setCorners(float x1, float y1, float x2, float y2) {
    p1 = {std::min(x1, x2), std::min(y1, y2)};
    p2 = {std::max(x1, x2), std::max(y1, y2)};
}

void uiDisplayBase::importCorners(const widgetValues& values) {
    setCorners(values.x1, values.y1, values.x2, values.y2);
}

void uiDisplayBase::exportCorners(std::vector<float>& floats) const {
    floats.insert(floats.end(), {p1.x, p1.y, p2.x, p2.y});
}

void uiDisplayBase::drawCaption(const Font* font, const std::string& text) const {
    if (!font || text.empty()) return;
    font->displayText(text, (p2.x - p1.x) / 2 + p1.x, (p2.y - p1.y) / 2 + p1.y, 1.0f, true);
}

unsigned int uiTexture(std::size_t index) { return index < uiTextures.size() ? uiTextures[index] : 0; }

float tableNumber(lua_State* L, const char* key) { return getLuaTableFloat(L, key, -1, 0.0f); }

std::string tableText(lua_State* L, const char* key) { return getLuaTableString(L, key, -1, ""); }
