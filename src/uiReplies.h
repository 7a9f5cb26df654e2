// The replies of the script's updateUI, staged against a display's widgets and applied only once all are read.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "uiDisplayBase.h"

class Font;
struct lua_State;

class uiReplies {
public:
    // Stages against the widgets, which stay as they are until applyTo.
    explicit uiReplies(const std::vector<std::unique_ptr<uiDisplayBase>>& widgets);
    // Handles the result on top of the Lua stack and pops it: a table deletes or gives its
    // values to every staged widget of its "name", then becomes a new widget at the end
    // unless its "new" is false.
    void take(const std::vector<Font*>& fonts, lua_State* L);
    // Makes the widgets given to the constructor what the replies made of them.
    void applyTo(std::vector<std::unique_ptr<uiDisplayBase>>& widgets);

private:
    struct stagedWidget {
        uiDisplayBase* widget;
        std::unique_ptr<uiDisplayBase> created;  // null for one of the display's own
        std::size_t original;                    // its index among them
        std::vector<widgetValues> imports;       // in reply order
    };

    // Deletes or gives values to every staged widget that bears the table's "name".
    void stage(lua_State* L);

    std::vector<stagedWidget> staged;
};
