// Widgets built from the script's widget tables, and widgets' values as tables for the script.
#include "uiWidgetTable.h"

#include <lua.hpp>

#include <cstddef>
#include <iostream>
#include <memory>

#include "basics.h"
#include "basicsLua.h"
#include "uiBar.h"
#include "uiBox.h"
#include "uiButton.h"
#include "uiDisplay.h"
#include "uiScroller.h"
#include "uiSlider.h"

namespace {

const char* const TYPE_NAMES[] = {"button", "slider", "bar", "scroller", "box", "text"};  // UI_BUTTON onward

// The numbers of a value table, named in the order of the exported floats after the element number.
struct valueLayout {
    uiElement element;
    const char* kind;
    bool hasText;
    std::vector<const char*> numbers;
};

const valueLayout VALUE_LAYOUTS[] = {
    {UI_BUTTON, "button", true, {"state", "x1", "y1", "x2", "y2"}},
    {UI_SLIDER, "slider", false, {"x1", "y1", "x2", "y2", "arrowWidth", "leftVal", "rightVal", "curVal"}},
    {UI_BAR, "bar", false, {"x1", "y1", "x2", "y2", "leftVal", "rightVal", "curVal"}},
    {UI_SCROLLER, "scroller", false, {"x1", "y1", "x2", "y2", "arrowWidth", "leftVal", "rightVal", "curVal"}},
    {UI_BOX, "box", true, {"x1", "y1", "x2", "y2"}},
};

const valueLayout* layoutOf(int element) {
    for (const valueLayout& layout : VALUE_LAYOUTS)
        if (layout.element == element) return &layout;
    return nullptr;
}

// Whether the lists carry every value of the layout; says which falls short.
bool fits(const valueLayout& layout, const std::vector<float>& floats, const std::vector<std::string>& texts) {
    if (layout.hasText && texts.empty()) {
        std::cout << "Error, not enough strings in " << layout.kind << std::endl;
        return false;
    }
    if (floats.size() <= layout.numbers.size()) {
        std::cout << "Error, not enough floats in " << layout.kind << std::endl;
        return false;
    }
    return true;
}

// The font the table's "font" indexes; a value that indexes none is reported and gives the first font.
Font* fontField(const std::vector<Font*>& fonts, lua_State* L) {
    const float value = tableNumber(L, "font");
    const int index = saturatingInt(value);
    if (index >= 0 && std::size_t(index) < fonts.size()) return fonts[std::size_t(index)];
    std::cout << "Font " << value << " is not a font index, so font 0 is used" << std::endl;
    return fonts.empty() ? nullptr : fonts.front();
}

std::unique_ptr<uiDisplayBase> buildWidget(int element, const std::vector<Font*>& fonts, lua_State* L) {
    const float x1 = tableNumber(L, "x1");
    const float y1 = tableNumber(L, "y1");
    const float x2 = tableNumber(L, "x2");
    const float y2 = tableNumber(L, "y2");
    switch (element) {
        case UI_BUTTON:
            return std::make_unique<uiButton>(x1, y1, x2, y2, fontField(fonts, L), tableText(L, "text"),
                                              saturatingInt(tableNumber(L, "initialState")));
        case UI_SLIDER:
            return std::make_unique<uiSlider>(x1, y1, x2, y2, tableNumber(L, "arrowWidth"), tableNumber(L, "leftVal"),
                                              tableNumber(L, "rightVal"), tableNumber(L, "curVal"));
        case UI_BAR:
            return std::make_unique<uiBar>(x1, y1, x2, y2, tableNumber(L, "leftVal"), tableNumber(L, "rightVal"),
                                           tableNumber(L, "curVal"));
        case UI_SCROLLER:
            return std::make_unique<uiScroller>(x1, y1, x2, y2, tableNumber(L, "arrowWidth"),
                                                tableNumber(L, "leftVal"), tableNumber(L, "rightVal"),
                                                tableNumber(L, "curVal"));
        case UI_BOX:
        case UI_TEXT:
            return std::make_unique<uiBox>(x1, y1, x2, y2, tableText(L, "text"), fontField(fonts, L),
                                           element == UI_TEXT);
        default: return nullptr;
    }
}

}  // namespace

int typeDecoder(lua_State* L) {
    if (!lua_istable(L, -1)) return UI_NONE;
    const std::string type = tableText(L, "type");
    for (int i = 0; i < UI_TEXT; ++i)
        if (type == TYPE_NAMES[i]) return UI_BUTTON + i;
    return UI_NONE;
}

std::unique_ptr<uiDisplayBase> buildElement(const std::vector<Font*>& fonts, lua_State* L) {
    std::unique_ptr<uiDisplayBase> widget = buildWidget(typeDecoder(L), fonts, L);
    if (widget) {
        widget->name = tableText(L, "name");
    } else {
        std::cout << "Error, bad LUA UI element number.  Full stack dump follows." << std::endl;
        stackDump(L);
    }
    lua_pop(L, 1);
    return widget;
}

void addElement(uiDisplay& display, const std::vector<Font*>& fonts, lua_State* L) {
    std::unique_ptr<uiDisplayBase> widget = buildElement(fonts, L);
    if (!widget) return;
    const std::string name = widget->name;
    display.addDisplay(std::move(widget), name);
}

widgetValues readWidgetValues(lua_State* L) {
    widgetValues values;
    values.x1 = tableNumber(L, "x1");
    values.y1 = tableNumber(L, "y1");
    values.x2 = tableNumber(L, "x2");
    values.y2 = tableNumber(L, "y2");
    values.state = tableNumber(L, "state");
    values.arrowWidth = tableNumber(L, "arrowWidth");
    values.leftVal = tableNumber(L, "leftVal");
    values.rightVal = tableNumber(L, "rightVal");
    values.curVal = tableNumber(L, "curVal");
    values.text = tableText(L, "text");
    return values;
}

bool pushValueTable(lua_State* L, const std::string& name, bool modified, const std::vector<float>& floats,
                    const std::vector<std::string>& texts) {
    const valueLayout* layout = layoutOf(saturatingInt(floats.front()));
    if (!layout) {
        std::cout << "Error, bad element number type" << floats.front() << std::endl;
        return false;
    }
    if (!fits(*layout, floats, texts)) return false;
    if (!lua_checkstack(L, 1)) {
        std::cout << "Error, no room on the Lua stack for the values of widget " << name << std::endl;
        return false;
    }
    lua_newtable(L);
    pushStringOnTable(L, "name", name);
    for (std::size_t i = 0; i < layout->numbers.size(); ++i) pushFloatOnTable(L, layout->numbers[i], floats[i + 1]);
    if (layout->hasText) pushStringOnTable(L, "text", texts.front());
    pushBoolOnTable(L, "modified", modified);
    return true;
}
