// Wormhole: spiral arms in violet and blue, brightening towards the throat.
#version 120

uniform float time;

varying vec2 local;
varying float layer;

void main() {
    float r = length(local);
    if (r > 1.0)
        discard;
    float angle = atan(local.y, local.x);
    float arms = 0.5 + 0.5 * sin(3.0 * angle + 9.0 * r - time * 3.0);
    float disc = smoothstep(1.0, 0.55, r) * smoothstep(0.0, 0.35, r);
    vec3 outer = vec3(0.45, 0.15, 0.85);
    vec3 inner = vec3(0.35, 0.75, 1.0);
    vec3 colour = mix(outer, inner, layer) + vec3(0.9) * pow(layer, 6.0);
    float strength = disc * (0.1 + 0.9 * arms * arms) * 0.035;
    gl_FragColor = vec4(colour, strength);
}
