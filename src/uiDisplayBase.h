// The abstract interface widget: a rectangle that draws itself, answers the pointer and trades values with the script.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "basics.h"

class Font;
struct lua_State;

// Whether p lies strictly inside the rectangle lo..hi; edges, corners and NaN are outside.
bool mouseOver2(const point& p, const point& lo, const point& hi);

// The kinds of widget by the numbers they are exported with; a "text" exports as a box.
enum uiElement { UI_NONE, UI_BUTTON, UI_SLIDER, UI_BAR, UI_SCROLLER, UI_BOX, UI_TEXT };

// What a reply of the script gives a widget: every field any kind of widget imports,
// a missing number 0 and a missing text empty.
struct widgetValues {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    float state = 0, arrowWidth = 0, leftVal = 0, rightVal = 0, curVal = 0;
    std::string text;
};

class uiDisplayBase {
public:
    // A widget over the rectangle of the two corners, given in either order.
    uiDisplayBase(float x1, float y1, float x2, float y2);
    virtual ~uiDisplayBase() = default;
    uiDisplayBase(const uiDisplayBase&) = delete;
    uiDisplayBase& operator=(const uiDisplayBase&) = delete;

    // Draws the widget in interface units.
    virtual void draw() = 0;
    // The pointer moved over the interface (every frame).
    virtual void handleMouseHover(const point&) {}
    // The left button is held with the pointer at p; dt is the frame time in ms.
    virtual void handleMouseDrag(const point&, int) {}
    // The left button was pressed with the pointer at p.
    virtual void handleMouseClick(const point&) {}
    // The frame colour, corners or caption from a list of values; only boxes take it.
    virtual void modify(std::vector<float>&, std::vector<std::string>&) {}
    // Takes the widget's values from a reply of the script.
    virtual void importVals(const widgetValues& values) = 0;
    // Appends the element number and the widget's numbers to floats, its texts to texts.
    virtual void exportVals(std::vector<float>& floats, std::vector<std::string>& texts) = 0;

    // Whether p lies strictly inside the widget.
    bool mouseOver(const point& p) const;

    point p1;  // lower left corner
    point p2;  // upper right corner
    std::string name;
    bool modified = false;  // changed by the user since the last exchange

protected:
    // Sets both corners from two given in either order.
    void setCorners(float x1, float y1, float x2, float y2);
    // Sets both corners from a reply's, ordered.
    void importCorners(const widgetValues& values);
    // Appends x1, y1, x2, y2.
    void exportCorners(std::vector<float>& floats) const;
    // Draws text centred on the widget; nothing without a font or text.
    void drawCaption(const Font* font, const std::string& text) const;
};

// Entry index of the interface textures, or 0 while they are not loaded.
unsigned int uiTexture(std::size_t index);
// A number field of the table on top of the Lua stack; 0 when absent.
float tableNumber(lua_State* L, const char* key);
// A text field of the table on top of the Lua stack; "" when absent.
std::string tableText(lua_State* L, const char* key);
