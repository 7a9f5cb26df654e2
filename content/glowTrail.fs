// Glow ribbon: a white-hot core fading into the trail colour at the edges,
// thinning and dimming towards the tail.
#version 120

varying vec3 tint;
varying float across;
varying float halfWidth;

void main() {
    float edge = 1.0 - across * across;
    float glow = pow(edge, 1.5);
    float core = pow(edge, 4.0);
    float age = clamp(halfWidth / 10.0, 0.0, 1.0);
    vec3 colour = mix(tint, vec3(1.0), core * 0.8);
    gl_FragColor = vec4(colour, glow * (0.25 + 0.75 * age));
}
