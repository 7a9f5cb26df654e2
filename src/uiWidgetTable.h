// Widgets built from the script's widget tables, and widgets' values as tables for the script.
#pragma once

#include <memory>
#include <string>
#include <vector>

class Font;
class uiDisplay;
class uiDisplayBase;
struct lua_State;
struct widgetValues;

// The element number (0 to 6) named by the "type" of the table on top of the Lua stack;
// 0 for anything else. Leaves the stack as it was.
int typeDecoder(lua_State* L);
// Builds a named widget from the table on top of the Lua stack and pops the table; a
// value that names no kind of widget is reported, popped and gives null.
std::unique_ptr<uiDisplayBase> buildElement(const std::vector<Font*>& fonts, lua_State* L);
// As buildElement, adding the widget to display.
void addElement(uiDisplay& display, const std::vector<Font*>& fonts, lua_State* L);
// The values the reply table on top of the Lua stack gives a widget.
widgetValues readWidgetValues(lua_State* L);
// Pushes the value table of a widget's exported lists; false, reported and with nothing
// pushed, when the lists are too short for their element number or it names no kind.
bool pushValueTable(lua_State* L, const std::string& name, bool modified, const std::vector<float>& floats,
                    const std::vector<std::string>& texts);
