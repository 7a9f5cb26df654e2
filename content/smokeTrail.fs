// Engine smoke: the puff shape from the cloud image, coloured along the
// colour ramp by age, hot cores bright and young, smoke dim and thinning.
#version 120

uniform sampler2D smoke;
uniform sampler2D color;

varying vec2 texCoord;
varying float hot;
varying float fade;

void main() {
    vec4 puff = texture2D(smoke, texCoord);
    float ramp = clamp(1.0 - fade + hot * 0.25 * fade, 0.02, 0.98);
    vec4 tint = texture2D(color, vec2(ramp, 0.5));
    float strength = mix(0.35, 0.8, hot) * fade * fade;
    gl_FragColor = vec4(tint.rgb * puff.rgb, puff.a * tint.a * strength);
}
