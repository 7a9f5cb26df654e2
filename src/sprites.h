// What the entities draw: a centred square sprite, a beam along local +y and a guide line.
#pragma once

#include "basics.h"

// A square of half-size half centred on the origin, the whole texture on it.
void spriteQuad(float half);
// A beam 40 units wide from the origin to length along +y, sampling the texture's middle row.
void beamQuad(float length);
// An untextured line from a target (green) to the one steering at it (red); the colour stays red.
void guideLine(point target, point from);
