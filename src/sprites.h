// What the entities draw: a centred square sprite, a beam along local +y and a guide line, and
// runs of draws that leave their textures bound.
#pragma once

#include "basics.h"

// A square of half-size half centred on the origin, the whole texture on it.
void spriteQuad(float half);
// A beam 40 units wide from the origin to length along +y, sampling the texture's middle row.
void beamQuad(float length);
// An untextured line from a target (green) to the one steering at it (red); the colour stays red.
void guideLine(point target, point from);

// Binds texture 0 after a draw; inside a TextureRun that waits for the run's end.
void unbindTexture();
// Whether runs keep textures bound between their draws (the default) or every draw unbinds at once.
bool textureRunsEnabled();
void enableTextureRuns(bool on);

// A pass whose draws each bind the texture they need, for the lifetime of this object: their
// unbinds wait for its end, so the same pixels come with fewer texture changes.
class TextureRun {
public:
    TextureRun();
    ~TextureRun();
    TextureRun(const TextureRun&) = delete;
    TextureRun& operator=(const TextureRun&) = delete;
};
