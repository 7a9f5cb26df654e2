// The replies of the script's updateUI, staged against a display's widgets and applied only once all are read.
#include "uiReplies.h"

#include <lua.hpp>

#include <iostream>
#include <string>
#include <utility>

#include "basicsLua.h"
#include "uiWidgetTable.h"

uiReplies::uiReplies(const std::vector<std::unique_ptr<uiDisplayBase>>& widgets) {
    staged.reserve(widgets.size());
    for (std::size_t i = 0; i < widgets.size(); ++i) staged.push_back({widgets[i].get(), nullptr, i, {}});
}

void uiReplies::take(const std::vector<Font*>& fonts, lua_State* L) {
    if (!lua_istable(L, -1)) {
        std::cout << "Error in uidisplay, update function: LUA script returned non-table type: "
                  << luaL_typename(L, -1) << std::endl;
        lua_pop(L, 1);
        return;
    }
    stage(L);
    // The widget goes to this display, whichever display was opened last.
    if (!getLuaTableBool(L, "new", -1, true)) {
        lua_pop(L, 1);
        return;
    }
    std::unique_ptr<uiDisplayBase> widget = buildElement(fonts, L);
    uiDisplayBase* built = widget.get();
    if (built) staged.push_back({built, std::move(widget), 0, {}});
}

void uiReplies::stage(lua_State* L) {
    const std::string target = tableText(L, "name");
    const bool remove = tableNumber(L, "delete") == 1.0f;
    const widgetValues values = remove ? widgetValues{} : readWidgetValues(L);
    for (std::size_t i = 0; i < staged.size();) {
        if (staged[i].widget->name != target) {
            std::cout << staged[i].widget->name << " - " << target << std::endl;
            ++i;
        } else if (remove) {
            staged.erase(staged.begin() + long(i));
        } else {
            staged[i++].imports.push_back(values);
        }
    }
}

void uiReplies::applyTo(std::vector<std::unique_ptr<uiDisplayBase>>& widgets) {
    std::vector<std::unique_ptr<uiDisplayBase>> kept;
    kept.reserve(staged.size());
    for (stagedWidget& entry : staged) {
        kept.push_back(entry.created ? std::move(entry.created) : std::move(widgets[entry.original]));
        for (const widgetValues& values : entry.imports) kept.back()->importVals(values);
    }
    widgets = std::move(kept);
}
