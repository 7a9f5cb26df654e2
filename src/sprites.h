// The two textured quads every entity draws: a centred square sprite and a beam along local +y.
#pragma once

// A square of half-size half centred on the origin, the whole texture on it.
void spriteQuad(float half);
// A beam 40 units wide from the origin to length along +y, sampling the texture's middle row.
void beamQuad(float length);
