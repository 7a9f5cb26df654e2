// Widgets built from the script's widget tables, and widgets' values as tables for the script.
#pragma once

#include <string>
#include <vector>

class Font;
class uiDisplay;
struct lua_State;

// The element number (0 to 6) named by the "type" of the table on top of the Lua stack;
// 0 for anything else. Leaves the stack as it was.
int typeDecoder(lua_State* L);
// Builds a widget from the table on top of the Lua stack, adds it to display and pops
// the table; a value that names no kind of widget is reported and popped.
void addElement(uiDisplay& display, const std::vector<Font*>& fonts, lua_State* L);
// Pushes the value table of a widget's exported lists; false, reported and with nothing
// pushed, when the lists are too short for their element number or it names no kind.
bool pushValueTable(lua_State* L, const std::string& name, bool modified, const std::vector<float>& floats,
                    const std::vector<std::string>& texts);
