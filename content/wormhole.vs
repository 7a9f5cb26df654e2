// Wormhole: 100 stacked unit quads (z = layer / 100) become a funnel of
// shrinking, counter-turning discs that sink away from the game plane.
#version 120

uniform float time;    // seconds
uniform float radius;  // capture radius in world units

varying vec2 local;
varying float layer;

void main() {
    layer = gl_Vertex.z;
    float spin = time * (0.6 + 1.8 * layer) + layer * 7.0;
    mat2 turn = mat2(cos(spin), sin(spin), -sin(spin), cos(spin));
    float scale = radius * mix(1.35, 0.08, pow(layer, 0.7));
    vec2 corner = turn * gl_Vertex.xy * scale;
    float depth = -layer * radius * 4.0;  // deeper layers drift less: a tunnel
    gl_Position = gl_ModelViewProjectionMatrix * vec4(corner, depth, 1.0);
    local = gl_Vertex.xy;
}
