// An interface display: a named group of widgets that the script opened and keeps up to date.
#include "uiDisplay.h"

#include <lua.hpp>

#include <iostream>
#include <utility>

#include "basicsLua.h"
#include "uiDisplayBase.h"
#include "uiReplies.h"
#include "uiWidgetTable.h"

namespace {

const char* const UPDATE_ERROR = "LUA encountered an error in uiDisplay update function: ";

}  // namespace

uiDisplay::uiDisplay(std::string name) : name(std::move(name)) {}
uiDisplay::~uiDisplay() = default;
uiDisplay::uiDisplay(uiDisplay&& other) noexcept = default;
uiDisplay& uiDisplay::operator=(uiDisplay&& other) noexcept = default;

void uiDisplay::draw() {
    for (auto& widget : elements) widget->draw();
}

void uiDisplay::mouseHover(const point& cursor) {
    for (auto& widget : elements) widget->handleMouseHover(cursor);
}

void uiDisplay::mouseDrag(const point& cursor, int dt) {
    for (auto& widget : elements) widget->handleMouseDrag(cursor, dt);
}

void uiDisplay::mouseClick(const point& cursor) {
    for (auto& widget : elements) widget->handleMouseClick(cursor);
}

void uiDisplay::addDisplay(std::unique_ptr<uiDisplayBase> widget, const std::string& widgetName) {
    widget->name = widgetName;
    elements.push_back(std::move(widget));
}

void uiDisplay::exportVals(std::vector<std::vector<float>>& floats, std::vector<std::vector<std::string>>& texts) {
    floats.resize(elements.size());
    texts.resize(elements.size());
    std::cout << "Size:" << floats.size() << std::endl;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        texts[i].push_back(name);
        elements[i]->exportVals(floats[i], texts[i]);
    }
}

void uiDisplay::modify(std::vector<std::vector<float>>& floats, std::vector<std::vector<std::string>>& texts) {
    floats.resize(elements.size());
    texts.resize(elements.size());
    for (std::size_t i = 0; i < elements.size(); ++i) elements[i]->modify(floats[i], texts[i]);
}

bool uiDisplay::anyModified() const {
    for (const auto& widget : elements)
        if (widget->modified) return true;
    return false;
}

int uiDisplay::pushValueTables(lua_State* L) {
    int pushed = 0;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        std::vector<float> floats;
        std::vector<std::string> texts;
        elements[i]->exportVals(floats, texts);
        if (floats.empty()) {
            std::cout << "Error, no floats returned from exportVals call, failed element export" << std::endl;
            continue;
        }
        std::cout << "i:" << i << ", type" << floats.front() << std::endl;
        if (pushValueTable(L, elements[i]->name, elements[i]->modified, floats, texts)) ++pushed;
    }
    return pushed;
}

// Every Lua step of the exchange, not only the script's call, can raise (a finaliser at an
// allocation, no memory left): they all run protected and only stage the replies.
bool uiDisplay::update(const std::vector<Font*>& fonts, lua_State* L) {
    if (!anyModified()) return true;
    uiReplies replies(elements);
    const bool ran = runProtected(L, [&] { exchange(replies, fonts, L); }, UPDATE_ERROR);
    for (auto& widget : elements) widget->modified = false;
    if (ran) replies.applyTo(elements);
    return !elements.empty();
}

// Every value the call left above top is one of its results, whatever the script returned.
void uiDisplay::exchange(uiReplies& replies, const std::vector<Font*>& fonts, lua_State* L) {
    const int top = lua_gettop(L);
    pushGlobalCaller(L, "updateUI");
    lua_pushlstring(L, name.data(), name.size());
    const int arguments = 1 + pushValueTables(L);
    stackDump(L);
    if (lua_pcall(L, arguments, LUA_MULTRET, 0) != 0) {
        std::cout << UPDATE_ERROR << luaErrorText(L) << std::endl;
        lua_pop(L, 1);
    }
    stackDump(L);
    while (lua_gettop(L) > top) {
        stackDump(L);
        replies.take(fonts, L);
    }
}

namespace {

// Whether the call left a display name above top; says why not.
bool displayNamed(lua_State* L, int top) {
    if (lua_gettop(L) > top && lua_type(L, -1) == LUA_TSTRING) return true;
    std::cout << "Error, display name undefined in LUA, aborting, LUA stack dump follows" << std::endl;
    stackDump(L);
    return false;
}

// Calls addUI with the event's values; whether it ran. Its results stay above top.
bool callAddUI(lua_State* L, const std::vector<float>& values) {
    const int top = lua_gettop(L);
    if (!lua_checkstack(L, int(values.size()) + 1)) {
        std::cout << "Lua event error, no room on the stack for " << values.size() << " values" << std::endl;
        return false;
    }
    pushGlobalCaller(L, "addUI");
    for (float value : values) lua_pushnumber(L, value);
    std::cout << "Event type " << values.front() << " calling" << std::endl;
    if (lua_pcall(L, int(values.size()), LUA_MULTRET, 0) == 0) return true;
    std::cout << "Lua event error, " << luaErrorText(L) << std::endl;
    lua_settop(L, top);
    return false;
}

// The widget tables come before the name, so the table just before it becomes the
// first widget and the first result the last one, drawn on top. Whether addUI named one.
bool buildDisplay(uiDisplay& display, const std::vector<float>& values, const std::vector<Font*>& fonts,
                  lua_State* L) {
    const int top = lua_gettop(L);
    if (!callAddUI(L, values)) return false;
    std::cout << "LUA called" << std::endl;
    stackDump(L);
    if (lua_gettop(L) - top == 1 || !displayNamed(L, top)) {
        lua_settop(L, top);
        return false;
    }
    size_t length = 0;
    const char* text = lua_tolstring(L, -1, &length);
    display.name.assign(text, length);
    std::cout << "Set name: " << display.name << std::endl;
    lua_pop(L, 1);
    while (lua_gettop(L) > top) addElement(display, fonts, L);
    return true;
}

}  // namespace

// The display is built aside and opened only once no Lua step can fail any more.
void uiEvent(std::vector<uiDisplay>& displays, const std::vector<float>& values, const std::vector<Font*>& fonts,
             lua_State* L) {
    if (values.empty()) return;
    uiDisplay display;
    bool named = false;
    if (!runProtected(L, [&] { named = buildDisplay(display, values, fonts, L); }, "Lua event error, "))
        return;
    if (named && display.elements.empty())
        std::cout << "Display " << display.name << " got no widget, so it is not opened" << std::endl;
    else if (named)
        displays.push_back(std::move(display));
}

void runDisplays(std::vector<uiDisplay>& displays, const std::vector<Font*>& fonts, lua_State* L) {
    for (std::size_t i = 0; i < displays.size();) {
        displays[i].draw();
        if (displays[i].update(fonts, L))
            ++i;
        else
            displays.erase(displays.begin() + long(i));
    }
}

void hoverDisplays(std::vector<uiDisplay>& displays, const point& cursor) {
    for (uiDisplay& display : displays) display.mouseHover(cursor);
}

void dragDisplays(std::vector<uiDisplay>& displays, const point& cursor, int dt) {
    for (uiDisplay& display : displays) display.mouseDrag(cursor, dt);
}

void clickDisplays(std::vector<uiDisplay>& displays, const point& cursor) {
    for (uiDisplay& display : displays) display.mouseClick(cursor);
}
