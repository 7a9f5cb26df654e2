// Engine flame: 100 stacked unit quads (z = layer / 100) laid out behind the
// ship along local +y, each narrower and fainter than the one before.
#version 120

uniform float thrust;  // 1 while the engine burns, else 0
uniform float time;    // seconds

varying vec2 texCoord;
varying float layer;
varying float burn;

void main() {
    layer = gl_Vertex.z;
    burn = thrust;
    float flicker = 1.0 + 0.12 * sin(time * 37.0) + 0.07 * sin(time * 61.0 + 1.3);
    float lick = 1.0 + 0.18 * sin(time * 53.0 - layer * 25.0);  // ripples running down the flame
    float reach = mix(14.0, 70.0, thrust) * flicker;
    float width = mix(7.0, 14.0, thrust) * (1.0 - 0.8 * layer) * lick;
    float sway = 1.5 * sin(time * 23.0 + layer * 12.0) * layer * thrust;
    vec2 centre = vec2(sway, layer * reach);
    vec2 local = centre + gl_Vertex.xy * width;
    gl_Position = gl_ModelViewProjectionMatrix * vec4(local, 0.0, 1.0);
    texCoord = gl_Vertex.xy * 0.5 + 0.5;
}
