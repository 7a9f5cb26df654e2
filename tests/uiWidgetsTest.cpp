// Interface widgets: the button's states, the arrows and track of sliders and scrollers, auto-repeat.
#include <gtest/gtest.h>

#include <vector>

#include "capturedOutput.h"
#include "glTestContext.h"
#include "uiButton.h"
#include "uiDrawing.h"
#include "uiScroller.h"
#include "uiSlider.h"

TEST(uiButtonTest, HoverAndClickFollowTheStateTable) {
    const point inside{5, 5}, outside{20, 20}, edge{10, 5};
    struct Case {
        int from;
        point where;
        bool click;
        int to;
    };
    const Case cases[] = {{0, inside, false, 1}, {2, inside, false, 3},  {1, outside, false, 0}, {3, edge, false, 2},
                          {0, inside, true, 3},  {1, inside, true, 3},   {3, inside, true, 1},   {2, inside, true, 1},
                          {2, outside, true, 2}, {1, edge, true, 1}};
    for (const Case& c : cases) {
        uiButton button(10, 10, 0, 0, nullptr, "", c.from);  // corners given in reverse
        if (c.click)
            button.handleMouseClick(c.where);
        else
            button.handleMouseHover(c.where);
        EXPECT_EQ(button.state, c.to) << "from " << c.from << " at " << c.where.x << (c.click ? " click" : " hover");
        EXPECT_EQ(button.modified, c.click && c.where.x == inside.x) << "from " << c.from;
    }
    std::string out = captured([] { EXPECT_EQ(uiButton(0, 0, 1, 1, nullptr, "", 4).state, 0); });
    EXPECT_EQ(out, "Button state 4 is not 0 to 3, so the button starts up\n");
}

TEST(uiArrowTrackTest, ArrowsStepWithinTheEndsAndTheTrackMapsThePointer) {
    enum Kind { SLIDER, SCROLLER };
    struct Case {
        const char* what;
        Kind kind;
        float x1, y1, x2, y2, left, right, cur;
        point where;
        bool click;
        float expected;
        bool modified;
    };
    const Case cases[] = {
        {"low arrow at the low end", SLIDER, 0, 0, 100, 10, 0, 80, 0, {5, 5}, true, 0, true},
        {"high arrow", SLIDER, 0, 0, 100, 10, 0, 80, 40, {95, 5}, true, 41, true},
        {"high arrow at the high end", SCROLLER, 0, 0, 100, 10, 0, 80, 80, {95, 5}, true, 80, true},
        {"slider track click", SLIDER, 0, 0, 100, 10, 0, 80, 40, {50, 5}, true, 40, false},
        {"scroller track click", SCROLLER, 0, 0, 100, 10, 0, 80, 40, {50, 5}, true, 40, true},
        {"drag on the track", SLIDER, 0, 0, 100, 10, 0, 80, 40, {30, 5}, false, 20, true},
        {"drag on an arrow's inner edge", SLIDER, 0, 0, 100, 10, 0, 80, 40, {10, 5}, false, 40, false},
        {"drag on the edge", SCROLLER, 0, 0, 100, 10, 0, 80, 40, {30, 10}, false, 40, false},
        {"reversed corners stay horizontal", SLIDER, 100, 10, 0, 0, 0, 80, 40, {30, 5}, false, 20, true},
        {"vertical slider maps y", SLIDER, 0, 0, 10, 100, 0, 80, 40, {5, 30}, false, 20, true},
        {"vertical scroller maps y", SCROLLER, 10, 100, 0, 0, 0, 80, 40, {5, 30}, false, 20, true},
        {"equal ends", SLIDER, 0, 0, 100, 10, 5, 5, 5, {30, 5}, false, 5, true},
    };
    for (const Case& c : cases) {
        uiSlider slider(c.x1, c.y1, c.x2, c.y2, 0, c.left, c.right, c.cur);  // arrows as long as it is thick
        uiScroller scroller(c.x1, c.y1, c.x2, c.y2, 0, c.left, c.right, c.cur);
        uiArrowTrack& widget = c.kind == SLIDER ? static_cast<uiArrowTrack&>(slider) : scroller;
        if (c.click)
            widget.handleMouseClick(c.where);
        else
            widget.handleMouseDrag(c.where, 16);
        EXPECT_FLOAT_EQ(widget.curVal, c.expected) << c.what;
        EXPECT_EQ(widget.modified, c.modified) << c.what;
        EXPECT_FLOAT_EQ(widget.arrowWidth, 10) << c.what;
    }
}

TEST(uiDrawingTest, ValueFractionOfAnEmptyRangeIsZero) {
    struct Case {
        float value, left, right, fraction;
    };
    const Case cases[] = {{5, 0, 10, 0.5f}, {3, 3, 3, 0}, {7, 2, 2, 0}, {-5, 0, 10, -0.5f}, {0, 10, 0, 1}};
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(valueFraction(c.value, c.left, c.right), c.fraction) << c.value << " in " << c.left << ".."
                                                                            << c.right;
}

class uiWidgetDrawTest : public GlTest {};

TEST_F(uiWidgetDrawTest, AHeldArrowRepeatsAfterTheFirstDelayThenEveryThreeHundredMs) {
    uiSlider slider(0, 0, 100, 10, 10, 0, 100, 50);
    slider.draw();  // idle: the repeat starts from its long first delay
    std::vector<int> steps;
    for (int frame = 1; frame <= 40; ++frame) {
        const float before = slider.curVal;
        if (frame != 20) slider.handleMouseDrag({5, 5}, 99);  // one frame let go
        slider.draw();
        if (slider.curVal != before) steps.push_back(frame);
    }
    EXPECT_EQ(steps, (std::vector<int>{14, 18, 34, 38}));
    EXPECT_FLOAT_EQ(slider.curVal, 46);
}
