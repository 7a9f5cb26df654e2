// An interface display: a named group of widgets that the script opened and keeps up to date.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "basics.h"

class Font;
class uiDisplayBase;
class uiReplies;
struct lua_State;

class uiDisplay {
public:
    // A display of that name without widgets.
    explicit uiDisplay(std::string name = "default");
    ~uiDisplay();
    // Moving keeps the very same widgets; a copy would own them twice, so there is none.
    uiDisplay(uiDisplay&& other) noexcept;
    uiDisplay& operator=(uiDisplay&& other) noexcept;
    uiDisplay(const uiDisplay&) = delete;
    uiDisplay& operator=(const uiDisplay&) = delete;

    // After a widget changed: sends every widget's values to the script's updateUI and
    // applies its replies, all of them or, after a Lua error, none. False when the display
    // has no widget left.
    bool update(const std::vector<Font*>& fonts, lua_State* L);
    // Draws the widgets, later ones over earlier ones.
    void draw();
    // Passes the pointer to every widget, in order.
    void mouseHover(const point& cursor);
    // Passes the held left button and the frame time (ms) to every widget, in order.
    void mouseDrag(const point& cursor, int dt);
    // Passes a left-button press to every widget, in order.
    void mouseClick(const point& cursor);
    // Names the widget and appends it; the display owns it from now on.
    void addDisplay(std::unique_ptr<uiDisplayBase> widget, const std::string& widgetName);
    // The number of widgets.
    unsigned int size() const { return unsigned(elements.size()); }
    // One float list and one text list per widget, each text list starting with the display's name.
    void exportVals(std::vector<std::vector<float>>& floats, std::vector<std::vector<std::string>>& texts);
    // Lets widget i modify itself from float list i and text list i.
    void modify(std::vector<std::vector<float>>& floats, std::vector<std::vector<std::string>>& texts);

    std::string name;
    std::vector<std::unique_ptr<uiDisplayBase>> elements;  // in drawing order

private:
    bool anyModified() const;
    // Pushes the value table of every widget whose lists fit; how many were pushed.
    int pushValueTables(lua_State* L);
    // Calls updateUI with the widgets' values and stages its results in replies.
    void exchange(uiReplies& replies, const std::vector<Font*>& fonts, lua_State* L);
};

// Asks the script's addUI for a display for the event (its values, type first) and
// appends it to displays; a display that gets no widget, or a Lua error on the way, opens none.
void uiEvent(std::vector<uiDisplay>& displays, const std::vector<float>& values, const std::vector<Font*>& fonts,
             lua_State* L);
// Every display's draw then update, in order; a display left without widgets is erased
// and the one moving into its place is handled next.
void runDisplays(std::vector<uiDisplay>& displays, const std::vector<Font*>& fonts, lua_State* L);
// Every display's mouseHover, in order.
void hoverDisplays(std::vector<uiDisplay>& displays, const point& cursor);
// Every display's mouseDrag, in order.
void dragDisplays(std::vector<uiDisplay>& displays, const point& cursor, int dt);
// Every display's mouseClick, in order.
void clickDisplays(std::vector<uiDisplay>& displays, const point& cursor);
