// The planet interface as the player reaches it: e opens a display, the left button and the pointer reach its widgets.
#include "playerGame.h"
#include "uiButton.h"
#include "uiDisplay.h"

class uiInput : public PlayerGame {};

TEST_F(uiInput, EOpensADisplayWhoseButtonAnswersTheClickAndThePointer) {
    ASSERT_EQ(luaL_dostring(s.lua, "function addUI() return {type='button', x1=40, y1=40, x2=60, y2=60}, 'Planet' end"),
              0);
    player().setLanded(2);
    *player().getInputPointer() = true;
    deliverAndCapture({keyPress(SDLK_e)});
    ASSERT_EQ(universe->uiDisplays.size(), 1u);
    auto& button = static_cast<uiButton&>(*universe->uiDisplays[0].elements.at(0));
    s.cursor = {50, 50};
    deliver({mouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT)});
    EXPECT_EQ(button.state, 3);
    EXPECT_TRUE(button.modified);
    s.cursor = {10, 10};
    pointerPasses(s);
    EXPECT_EQ(button.state, 2);
    deliverAndCapture({keyPress(SDLK_e)});
    ASSERT_EQ(universe->uiDisplays.size(), 2u);
    EXPECT_EQ(universe->uiDisplays[0].elements[0].get(), &button);  // the list grew without copying widgets
    universe->uiDisplays.clear();  // as a load drops them
    EXPECT_EQ(lua_gettop(s.lua), 0);
}
