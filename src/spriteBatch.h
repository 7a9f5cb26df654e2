// Sprites gathered by image and drawn in one call per image, for the passes whose light adds up.
#pragma once

#include "basics.h"

// A square of half-size half centred on centre, turned anticlockwise by degrees, the whole
// texture on it in the current colour; texture 0 is bound again after it. Inside an open
// SpriteBatch (with batches on) it is drawn when the batch ends, else at once.
void drawSprite(unsigned int texture, point centre, float half, float degrees);

// Whether batches gather their sprites (the default) or every sprite is drawn at once.
bool spriteBatchesEnabled();
void enableSpriteBatches(bool on);

// Gathers the sprites drawn during its lifetime and draws them, image by image in the order
// each image was first used, when it ends. Only for additive passes whose draws change no other
// state meanwhile: there a pixel's sum is the same in any order, so the picture is too.
class SpriteBatch {
public:
    SpriteBatch();
    ~SpriteBatch();
    SpriteBatch(const SpriteBatch&) = delete;
    SpriteBatch& operator=(const SpriteBatch&) = delete;
};
