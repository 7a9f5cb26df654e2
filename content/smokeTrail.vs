// Engine smoke: a batch of unit quads per particle. z holds the sprite's index
// as a fraction 0..1, plus 100 for the even sprites, which burn as hot cores.
#version 120

uniform vec2 velocity;      // world units per ms
uniform vec2 position;      // where the particle was emitted
uniform float time;         // the particle's age in ms
uniform float size;         // radius of the puff's sprite field
uniform float particleSize; // half side of one sprite
uniform float spinSpeed;    // radians per ms
uniform float rand;         // 0..999, fixed per particle
uniform float lifetime;     // 0 for the oldest particle, 1 for the newest

varying vec2 texCoord;
varying float hot;
varying float fade;

float noise(float seed) {
    return fract(sin(seed * 12.9898 + rand * 78.233) * 43758.5453);
}

void main() {
    hot = gl_Vertex.z >= 50.0 ? 1.0 : 0.0;
    float index = gl_Vertex.z - hot * 100.0;
    float age = time / 1000.0;

    // Sprites drift out from the particle's centre as it ages.
    float angle = noise(index + 1.0) * 6.2832;
    float reach = size * (0.15 + noise(index + 2.0)) * (0.3 + 1.7 * (1.0 - lifetime));
    vec2 offset = vec2(cos(angle), sin(angle)) * reach * mix(1.0, 0.35, hot);
    vec2 centre = position + velocity * time + offset;

    float spin = spinSpeed * time * (noise(index + 3.0) > 0.5 ? 1.0 : -1.0) + angle;
    mat2 turn = mat2(cos(spin), sin(spin), -sin(spin), cos(spin));
    float grow = particleSize * mix(0.6, 1.8, clamp(age, 0.0, 1.0)) * mix(1.0, 0.55, hot);
    vec2 corner = turn * gl_Vertex.xy * grow;

    gl_Position = gl_ModelViewProjectionMatrix * vec4(centre + corner, 0.0, 1.0);
    texCoord = gl_Vertex.xy * 0.5 + 0.5;
    fade = lifetime;
}
