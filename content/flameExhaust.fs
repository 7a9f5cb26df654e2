// Engine flame: a blue-white core at the nozzle turning orange, then red at the tip.
#version 120

uniform sampler2D flame;

varying vec2 texCoord;
varying float layer;
varying float burn;

void main() {
    float shape = texture2D(flame, texCoord).a;
    vec3 nozzle = mix(vec3(0.5, 0.7, 1.0), vec3(1.0, 0.95, 0.8), burn);
    vec3 colour = mix(nozzle, vec3(1.0, 0.55, 0.15), smoothstep(0.05, 0.45, layer));
    colour = mix(colour, vec3(0.8, 0.15, 0.05), smoothstep(0.5, 1.0, layer));
    float strength = (1.0 - layer) * mix(0.05, 0.09, burn);
    gl_FragColor = vec4(colour, shape * strength);
}
