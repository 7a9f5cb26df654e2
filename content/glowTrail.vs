// Glow ribbon: each vertex carries its trail point (xy) and the point before it (zw);
// the colour's alpha is a signed half-width whose sign picks the ribbon's side.
#version 120

varying vec3 tint;
varying float across;     // -1 on one edge, +1 on the other
varying float halfWidth;  // grows from tail to head

void main() {
    vec2 current = gl_Vertex.xy;
    vec2 direction = current - gl_Vertex.zw;
    float signedWidth = gl_Color.a;
    float len = length(direction);
    // A trail that has not moved has no direction: collapse it rather than divide by zero.
    vec2 normal = len > 0.0001 ? vec2(-direction.y, direction.x) / len : vec2(0.0);
    vec2 position = current + normal * signedWidth * 1.6;  // room for the soft edge
    gl_Position = gl_ModelViewProjectionMatrix * vec4(position, 0.0, 1.0);
    tint = gl_Color.rgb;
    across = sign(signedWidth);
    halfWidth = abs(signedWidth);
}
