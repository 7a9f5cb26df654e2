// Sprites gathered and drawn in one call per image: by image where light adds up, else as drawn.
#pragma once

#include "basics.h"

// A square of half-size half centred on centre, turned anticlockwise by degrees, the whole
// texture on it in the current colour; texture 0 is bound again after it. Skipped when culled
// (see ViewCulling); gathered by an open SpriteBatch (with batches on) when an open ViewCulling
// finds it wholly inside the window; else drawn at once.
void drawSprite(unsigned int texture, point centre, float half, float degrees);

// Whether batches gather their sprites (the default) or every sprite is drawn at once; the
// picture is the same either way, only the number of calls differs.
void enableSpriteBatches(bool on);

// Gathers the sprites drawn during its lifetime; the outermost batch's order rules. Either way
// the colour and blending must be at the batch's end what they were at each sprite's draw.
// byImage draws them image by image, in the order each image was first used, when it ends:
// only for additive passes (whatever else they draw adds light too), where a pixel's sum is the
// same in any order. asDrawn draws each run of sprites of one image in one call when the image
// changes or the batch ends: for any blending, as long as nothing but sprites is drawn meanwhile.
class SpriteBatch {
public:
    enum Order { byImage, asDrawn };
    explicit SpriteBatch(Order order = byImage);
    ~SpriteBatch();
    SpriteBatch(const SpriteBatch&) = delete;
    SpriteBatch& operator=(const SpriteBatch&) = delete;
};
