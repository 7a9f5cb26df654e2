// A toggle button with a caption, shown by one of four state images.
#include "uiButton.h"

#include <iostream>
#include <utility>

#include "uiDrawing.h"

namespace {

constexpr int HOVERED = 1;  // state bit: the pointer is over the button
constexpr int DOWN = 2;     // state bit: the button is pressed in

}  // namespace

uiButton::uiButton(float x1, float y1, float x2, float y2, Font* font, std::string text, int initialState)
    : uiDisplayBase(x1, y1, x2, y2),
      state(initialState),
      stateTextures{uiTexture(0), uiTexture(1), uiTexture(2), uiTexture(3)},
      text(std::move(text)),
      font(font) {
    if (state >= 0 && state <= (DOWN | HOVERED)) return;
    std::cout << "Button state " << state << " is not 0 to 3, so the button starts up" << std::endl;
    state = 0;
}

void uiButton::draw() {
    drawTexturedQuad(stateTextures[std::size_t(state)], p1, p2, UPRIGHT);
    drawCaption(font, text);
}

void uiButton::handleMouseHover(const point& p) { state = mouseOver(p) ? state | HOVERED : state & DOWN; }

void uiButton::handleMouseClick(const point& p) {
    if (!mouseOver(p)) return;
    state = (state & DOWN) ? HOVERED : DOWN | HOVERED;
    modified = true;
}

void uiButton::importVals(const widgetValues& values) {
    importCorners(values);
    state = values.state == 1.0f ? DOWN : 0;
    text = values.text;
}

void uiButton::exportVals(std::vector<float>& floats, std::vector<std::string>& texts) {
    floats.push_back(UI_BUTTON);
    floats.push_back((state & DOWN) ? 1 : 0);
    exportCorners(floats);
    texts.push_back(text);
}
