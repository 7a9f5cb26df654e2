#!/usr/bin/env python3
"""Generates the game's images and sounds into the run directory.

Everything is procedural and seeded, so two runs write identical files.
Images are 8-bit RGBA (PNG, or TGA where the game asks for TGA), power-of-two
sized, rows top first; the game flips them so the top row is +y. Textured quads
are drawn untinted, so every image carries its final colours.
"""
import concurrent.futures
import math
import random
import struct
import sys
import wave
import zlib
from pathlib import Path


# ---------------------------------------------------------------- file writers

def write_png(path, width, height, rgba):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    stride = width * 4
    raw = bytearray()
    for y in range(height):
        raw.append(0)  # no filter
        raw += rgba[y * stride:(y + 1) * stride]
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA, not interlaced
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 6)) \
        + chunk(b"IEND", b"")
    path.write_bytes(data)


def write_tga(path, width, height, rgba):
    header = struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, width, height, 32, 0x28)  # top-left origin
    pixels = bytearray(rgba)
    pixels[0::4], pixels[2::4] = rgba[2::4], rgba[0::4]  # BGRA order
    path.write_bytes(header + bytes(pixels))


def write_wav(path, rate, samples):
    frames = bytearray()
    for s in samples:
        frames += struct.pack("<h", int(max(-1.0, min(1.0, s)) * 32767))
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(rate)
        out.writeframes(bytes(frames))


# ---------------------------------------------------------------- maths

def clamp01(x):
    return 0.0 if x < 0.0 else 1.0 if x > 1.0 else x


def smooth(e0, e1, x):
    t = clamp01((x - e0) / (e1 - e0))
    return t * t * (3.0 - 2.0 * t)


def mix(a, b, t):
    return tuple(p + (q - p) * t for p, q in zip(a, b))


def ramp(stops, t):
    """Colour at t along a list of (position, colour) stops."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0))
    return stops[-1][1]


class Noise:
    """Tileable fractal value noise on a square grid, sampled bilinearly."""

    def __init__(self, seed, size=256, octaves=5, cells=4):
        rng = random.Random(seed)
        total = [0.0] * (size * size)
        amp, norm = 1.0, 0.0
        for octave in range(octaves):
            c = cells << octave
            lattice = [rng.random() for _ in range(c * c)]
            axis = []
            for i in range(size):
                f = i * c / size
                k = int(f)
                t = f - k
                axis.append((k % c, (k + 1) % c, t * t * (3 - 2 * t)))
            for y, (r0, r1, ty) in enumerate(axis):
                a0, a1 = r0 * c, r1 * c
                row = [lattice[a0 + k] + (lattice[a1 + k] - lattice[a0 + k]) * ty for k in range(c)]
                base = y * size
                for x, (k0, k1, tx) in enumerate(axis):
                    v = row[k0]
                    total[base + x] += amp * (v + (row[k1] - v) * tx)
            norm += amp
            amp *= 0.5
        # Stretch to roughly 0..1: fractal sums crowd around the middle.
        self.values = [clamp01((v / norm - 0.5) * 2.2 + 0.5) for v in total]
        self.size = size

    def at(self, u, v):
        """Value at (u, v), one unit being the whole tile."""
        size = self.size
        x = (u * size) % size
        y = (v * size) % size
        i, j = int(x), int(y)
        fx, fy = x - i, y - j
        i1, j1 = (i + 1) % size, (j + 1) % size
        g = self.values
        top = g[j * size + i] + (g[j * size + i1] - g[j * size + i]) * fx
        bottom = g[j1 * size + i] + (g[j1 * size + i1] - g[j1 * size + i]) * fx
        return top + (bottom - top) * fy


NOISE = {}


def noise(seed):
    if seed not in NOISE:
        NOISE[seed] = Noise(seed)
    return NOISE[seed]


def render(size, shader, height=None):
    """RGBA bytes from shader(u, v) -> (r, g, b, a) over u, v in -1..1, v up."""
    width, height = size, height or size
    out = bytearray(width * height * 4)
    i = 0
    for y in range(height):
        v = 1.0 - (2 * y + 1) / height
        for x in range(width):
            r, g, b, a = shader((2 * x + 1) / width - 1.0, v)
            out[i] = int(clamp01(r) * 255 + 0.5)
            out[i + 1] = int(clamp01(g) * 255 + 0.5)
            out[i + 2] = int(clamp01(b) * 255 + 0.5)
            out[i + 3] = int(clamp01(a) * 255 + 0.5)
            i += 4
    return out


def polygon_distance(px, py, poly):
    """Signed distance from a point to a closed polygon, negative inside."""
    d = (px - poly[0][0]) ** 2 + (py - poly[0][1]) ** 2
    inside = False
    xj, yj = poly[-1]
    for xi, yi in poly:
        ex, ey = xj - xi, yj - yi
        wx, wy = px - xi, py - yi
        t = (wx * ex + wy * ey) / (ex * ex + ey * ey)
        t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
        bx, by = wx - ex * t, wy - ey * t
        dd = bx * bx + by * by
        if dd < d:
            d = dd
        if (yi > py) != (yj > py) and px < xi + (py - yi) * ex / ey:
            inside = not inside
        xj, yj = xi, yi
    return -math.sqrt(d) if inside else math.sqrt(d)


def mirrored(half):
    """A polygon symmetric about x = 0 from its right half, listed nose first."""
    return half + [(-x, y) for x, y in reversed(half) if x != 0.0]


def over(dst, src):
    """src composited over dst, both (r, g, b, a)."""
    sa = src[3]
    a = sa + dst[3] * (1.0 - sa)
    if a <= 0.0:
        return (0.0, 0.0, 0.0, 0.0)
    return tuple((src[k] * sa + dst[k] * dst[3] * (1.0 - sa)) / a for k in range(3)) + (a,)


# ---------------------------------------------------------------- glows and effects

def glow_dot(colour, core=(1.0, 1.0, 1.0), spread=0.45, hot=0.18):
    def shader(u, v):
        r2 = u * u + v * v
        a = math.exp(-r2 / (spread * spread)) * smooth(1.0, 0.8, math.sqrt(r2))
        c = mix(colour, core, math.exp(-r2 / (hot * hot)))
        return c + (a,)
    return shader


def white_dot(u, v):
    r = math.sqrt(u * u + v * v)
    return (1.0, 1.0, 1.0, smooth(1.0, 0.55, r))


def fragment(u, v):
    # A tumbling shard: a stretched, skewed glow.
    x, y = u * 0.8 + v * 0.35, v - u * 0.2
    r2 = (x * x) / 0.05 + (y * y) / 0.3
    a = math.exp(-r2) * smooth(1.0, 0.85, max(abs(u), abs(v)))
    return mix((1.0, 0.45, 0.1), (1.0, 0.95, 0.7), math.exp(-r2 * 4)) + (a,)


def ring(colour, radius, width, fill=0.0, spark=None):
    def shader(u, v):
        r = math.sqrt(u * u + v * v)
        band = math.exp(-((r - radius) / width) ** 2)
        inner = fill * smooth(radius, 0.0, r) if r < radius else 0.0
        a = (band + inner) * smooth(1.0, 0.92, r)
        c = mix(colour, (1.0, 1.0, 1.0), band ** 3 * 0.7)
        if spark:
            s = math.exp(-r * r / (spark * spark))
            c, a = mix(c, (1.0, 1.0, 1.0), s), max(a, s)
        return c + (a,)
    return shader


def explosion():
    n = noise(31)

    def shader(u, v):
        r = math.sqrt(u * u + v * v)
        angle = math.atan2(v, u) / (2 * math.pi)
        turbulence = n.at(angle, r * 0.6) * 0.55 + n.at(u * 0.7 + 0.3, v * 0.7) * 0.45
        heat = clamp01(1.15 - r * 1.3 + (turbulence - 0.5) * 0.9)
        colour = ramp([(0.0, (0.35, 0.05, 0.02)), (0.3, (0.9, 0.25, 0.04)), (0.6, (1.0, 0.65, 0.15)),
                       (0.85, (1.0, 0.95, 0.7)), (1.0, (1.0, 1.0, 1.0))], heat)
        a = smooth(0.0, 0.35, heat) * smooth(1.0, 0.75, r)
        return colour + (a,)
    return shader


def beam(colour):
    """Across the image: a white-hot core in a coloured glow (the game samples one row)."""
    def shader(u, v):
        core = math.exp(-(u / 0.18) ** 2)
        halo = math.exp(-(u / 0.6) ** 2)
        return mix(colour, (1.0, 1.0, 1.0), core * 0.85) + (0.3 + 0.7 * max(core, halo * 0.8),)
    return shader


def flame(u, v):
    r = math.sqrt(u * u + v * v)
    heat = clamp01(1.0 - r)
    c = ramp([(0.0, (0.8, 0.15, 0.02)), (0.5, (1.0, 0.6, 0.15)), (1.0, (1.0, 1.0, 0.9))], heat)
    return c + (heat ** 1.6,)


def wormhole_image():
    n = noise(47)

    def shader(u, v):
        r = math.sqrt(u * u + v * v)
        angle = math.atan2(v, u)
        arms = 0.5 + 0.5 * math.sin(3 * angle + 10 * r + (n.at(r * 0.5, angle / 6.283) - 0.5) * 4)
        body = smooth(1.0, 0.5, r) * (0.35 + 0.65 * arms)
        throat = math.exp(-(r / 0.18) ** 2)
        c = mix(mix((0.4, 0.1, 0.8), (0.3, 0.7, 1.0), smooth(0.8, 0.2, r)), (1.0, 1.0, 1.0), throat)
        return c + (clamp01(body + throat),)
    return shader


def cloud():
    n = noise(53)

    def shader(u, v):
        r = math.sqrt(u * u + v * v)
        puff = n.at(u * 0.5, v * 0.5) * 0.7 + n.at(u * 1.3 + 0.5, v * 1.3) * 0.3
        a = smooth(1.0, 0.2, r) * clamp01(0.2 + puff * 1.2) ** 1.5
        shade = 0.75 + 0.25 * puff
        return (shade, shade, shade, a)
    return shader


def smoke_colours(u, v):
    t = (u + 1.0) / 2.0  # newest at the left, oldest at the right
    return ramp([(0.0, (0.9, 1.0, 1.0, 1.0)), (0.15, (0.3, 0.95, 1.0, 1.0)),
                 (0.45, (0.2, 0.4, 0.85, 0.85)), (0.75, (0.3, 0.3, 0.4, 0.55)),
                 (1.0, (0.2, 0.2, 0.24, 0.0))], t)


def dot_triad(u, v):
    a = 0.0
    for k in range(3):
        angle = math.pi / 2 + k * 2 * math.pi / 3
        dx, dy = u - 0.55 * math.cos(angle), v - 0.55 * math.sin(angle)
        a = max(a, math.exp(-(dx * dx + dy * dy) / 0.04))
    return mix((0.3, 0.8, 1.0), (1.0, 1.0, 1.0), a * a) + (a,)


def diamond(u, v):
    d = abs(u) + abs(v)
    a = smooth(1.0, 0.3, d) * (0.5 + 0.5 * math.exp(-d * d * 8))
    return mix((0.9, 0.4, 1.0), (1.0, 1.0, 1.0), math.exp(-d * d * 12)) + (a,)


# ---------------------------------------------------------------- stars, planets, sky

def star(colour, corona):
    n = noise(61)

    def shader(u, v):
        r = math.sqrt(u * u + v * v)
        angle = math.atan2(v, u) / (2 * math.pi)
        flare = 0.8 + 0.4 * n.at(angle * 2, r * 0.3)
        disc = smooth(0.5, 0.46, r)
        halo = math.exp(-((r - 0.4) / (0.28 * flare)) ** 2) if r > 0.4 else 1.0
        glow = max(disc, halo * smooth(1.0, 0.8, r))
        limb = math.sqrt(max(0.0, 1.0 - (r / 0.5) ** 2)) if r < 0.5 else 0.0
        granules = n.at(u * 1.5, v * 1.5) * 0.15
        surface = mix(colour, (1.0, 1.0, 1.0), 0.35 + 0.55 * limb - granules)
        c = mix(corona, surface, disc)
        return c + (glow,)
    return shader


def planet(surface, atmosphere, seed, glow=0.0):
    """A sphere with the surface function surface(n1, n2, lon, lat) -> (rgb, emission)."""
    n1, n2 = noise(seed), noise(seed + 1)
    radius = 0.92

    def shader(u, v):
        r = math.sqrt(u * u + v * v)
        halo = math.exp(-((r - radius) / 0.05) ** 2) * 0.8 if r > radius - 0.02 else 0.0
        if r >= radius:
            return atmosphere + (halo * smooth(1.0, 0.96, r),)
        x, y = u / radius, v / radius
        z = math.sqrt(max(0.0, 1.0 - x * x - y * y))
        lat = math.asin(y)
        lon = math.atan2(x, z)
        colour, emission = surface(n1, n2, lon / (2 * math.pi) + 0.5, lat / math.pi + 0.5)
        light = 0.35 + 0.65 * z ** 0.6  # limb darkening, no sun side: planets spin when drawn
        rim = (1.0 - z) ** 3
        c = tuple(colour[k] * light + colour[k] * emission * (1.0 - light) for k in range(3))
        c = mix(c, atmosphere, rim * 0.8)
        edge = smooth(radius, radius - 0.01, r)
        return c + (max(edge, halo),)
    return shader


def earth_surface(n1, n2, lon, lat):
    h = n1.at(lon, lat * 0.5)
    polar = abs(lat - 0.5) * 2
    if h > 0.53:
        c = ramp([(0.53, (0.76, 0.7, 0.45)), (0.6, (0.25, 0.55, 0.2)), (0.75, (0.18, 0.4, 0.15)),
                  (0.9, (0.5, 0.42, 0.32))], h)
    else:
        c = mix((0.02, 0.12, 0.4), (0.1, 0.4, 0.7), smooth(0.3, 0.53, h))
    if polar + (h - 0.5) * 0.3 > 0.82:
        c = (0.92, 0.95, 1.0)
    clouds = smooth(0.55, 0.85, n2.at(lon * 2, lat))
    clouds *= smooth(0.45, 0.75, n1.at(lon * 3 + 0.5, lat * 2))
    return mix(c, (1.0, 1.0, 1.0), clouds * 0.7), 0.0


def ice_surface(n1, n2, lon, lat):
    h = n1.at(lon, lat * 0.5)
    crack = smooth(0.04, 0.0, abs(n2.at(lon * 2, lat) - 0.5))
    c = ramp([(0.0, (0.55, 0.7, 0.85)), (0.5, (0.82, 0.9, 0.97)), (1.0, (0.98, 0.99, 1.0))], h)
    return mix(c, (0.3, 0.55, 0.75), crack * 0.7), 0.0


def lava_surface(n1, n2, lon, lat):
    h = n1.at(lon, lat * 0.5)
    crack = (smooth(0.05, 0.0, abs(n2.at(lon * 2, lat) - 0.5))
             + smooth(0.035, 0.0, abs(n1.at(lon * 3 + 0.2, lat * 1.5) - 0.5)))
    rock = mix((0.08, 0.06, 0.06), (0.28, 0.2, 0.18), h)
    hot = ramp([(0.0, (0.6, 0.08, 0.0)), (0.6, (1.0, 0.45, 0.05)), (1.0, (1.0, 0.9, 0.4))], clamp01(crack))
    t = clamp01(crack)
    return mix(rock, hot, t), t


def desert_surface(n1, n2, lon, lat):
    dunes = 0.5 + 0.5 * math.sin(lat * 60 + n1.at(lon * 2, lat) * 12)
    h = n2.at(lon, lat * 0.5)
    c = ramp([(0.0, (0.55, 0.35, 0.2)), (0.5, (0.85, 0.65, 0.38)), (1.0, (0.96, 0.85, 0.6))],
             h * 0.8 + dunes * 0.2)
    if abs(lat - 0.5) > 0.44:
        c = mix(c, (0.95, 0.93, 0.9), 0.7)
    return c, 0.0


def ocean_surface(n1, n2, lon, lat):
    h = n1.at(lon, lat * 0.5)
    c = mix((0.0, 0.1, 0.35), (0.05, 0.45, 0.65), smooth(0.2, 0.7, h))
    if h > 0.78:
        c = (0.35, 0.6, 0.3)
    swirl = n2.at(lon * 2 + math.sin(lat * 9) * 0.05, lat)
    return mix(c, (1.0, 1.0, 1.0), smooth(0.6, 0.85, swirl) * 0.8), 0.0


def mars_surface(n1, n2, lon, lat):
    h = n1.at(lon, lat * 0.5)
    c = ramp([(0.0, (0.35, 0.12, 0.06)), (0.45, (0.7, 0.3, 0.14)), (1.0, (0.88, 0.55, 0.35))], h)
    crater = smooth(0.08, 0.03, abs(n2.at(lon * 3, lat * 1.5) - 0.5))
    c = mix(c, (0.3, 0.1, 0.05), crater * 0.5)
    if abs(lat - 0.5) > 0.43:
        c = (0.95, 0.92, 0.9)
    return c, 0.0


def gas_giant(palette, spot):
    def surface(n1, n2, lon, lat):
        swirl = (n1.at(lon * 2, lat) - 0.5) * 0.08
        band = 0.5 + 0.5 * math.sin((lat + swirl) * 44) * 0.7 + (n2.at(lon * 0.2, lat * 4) - 0.5) * 0.6
        c = ramp(palette, clamp01(band))
        if spot:
            dx, dy = (lon - 0.62) * 2.2, (lat - 0.38) * 6
            s = math.exp(-(dx * dx + dy * dy) * 18)
            c = mix(c, (0.75, 0.3, 0.18), s)
        return c, 0.0
    return surface


JUPITER = [(0.0, (0.55, 0.38, 0.25)), (0.35, (0.8, 0.65, 0.48)), (0.6, (0.95, 0.9, 0.8)),
           (0.8, (0.72, 0.5, 0.35)), (1.0, (0.98, 0.94, 0.86))]


def far_sky():
    n1, n2 = noise(71), noise(72)
    rng = random.Random(73)
    stars = [(rng.uniform(-1, 1), rng.uniform(-1, 1), rng.uniform(0.004, 0.01), rng.random())
             for _ in range(160)]
    grid = {}
    for s in stars:
        grid.setdefault((int((s[0] + 1) * 8), int((s[1] + 1) * 8)), []).append(s)

    def shader(u, v):
        cloud = n1.at(u * 0.5, v * 0.5)
        detail = n2.at(u + 0.3, v + 0.7)
        density = smooth(0.4, 0.95, cloud * 0.7 + detail * 0.3)
        colour = mix((0.15, 0.2, 0.6), (0.55, 0.18, 0.6), smooth(0.3, 0.7, detail))
        colour = mix(colour, (0.2, 0.6, 0.7), smooth(0.7, 0.95, cloud) * 0.5)
        a = density * 0.55
        for s in grid.get((int((u + 1) * 8), int((v + 1) * 8)), ()):
            d2 = ((u - s[0]) ** 2 + (v - s[1]) ** 2) / (s[2] * s[2])
            if d2 < 9:
                twinkle = math.exp(-d2) * (0.4 + 0.6 * s[3])
                colour = mix(colour, (0.9, 0.95, 1.0), twinkle)
                a = max(a, twinkle)
        return colour + (a,)
    return shader


def dust(size=1024, count=900):
    """A sparse star field on transparency; stars wrap at the edges so the tile repeats."""
    rng = random.Random(83)
    light = [0.0] * (size * size)
    tint = [None] * (size * size)
    palette = [(1.0, 1.0, 1.0), (0.75, 0.85, 1.0), (1.0, 0.95, 0.75), (1.0, 0.8, 0.6), (0.7, 0.8, 1.0)]
    for k in range(count):
        cx, cy = rng.uniform(0, size), rng.uniform(0, size)
        sigma = 0.45 + rng.random() ** 4 * 1.8
        bright = 0.5 + rng.random() * 0.5
        colour = palette[rng.randrange(len(palette))]
        reach = int(sigma * 3) + 1
        for dy in range(-reach, reach + 1):
            for dx in range(-reach, reach + 1):
                x, y = int(cx) + dx, int(cy) + dy
                d2 = ((x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2) / (sigma * sigma)
                value = bright * math.exp(-d2)
                i = (y % size) * size + x % size
                if value > light[i]:
                    light[i] = value
                    tint[i] = colour
    out = bytearray(size * size * 4)
    for i, value in enumerate(light):
        if value > 0.004:
            r, g, b = tint[i]
            alpha = int(clamp01(value) * 255)
            out[i * 4:i * 4 + 4] = bytes((int(r * 255), int(g * 255), int(b * 255), alpha))
    return out


# ---------------------------------------------------------------- ships and hardware

def ship(hull, colour, accent, cockpit, engines, wings=None, stripe=0.0):
    """A sprite nose up (+y): hull and wing polygons, a canopy ellipse and engine glows."""
    def shader(u, v):
        result = (0.0, 0.0, 0.0, 0.0)
        for x, y, radius in engines:  # exhaust glow beneath the hull
            d2 = ((u - x) ** 2 + ((v - y) * 0.6) ** 2) / (radius * radius)
            if d2 < 9:
                result = over(result, mix((0.3, 0.7, 1.0), (1.0, 1.0, 1.0), math.exp(-d2 * 3)) +
                              (math.exp(-d2),))
        for poly, shade in ((wings, accent), (hull, colour)):
            if poly is None:
                continue
            d = polygon_distance(u, v, poly)
            if d > 0.02:
                continue
            cover = smooth(0.012, -0.012, d)
            bevel = smooth(0.0, -0.08, d)
            light = 0.55 + 0.45 * bevel + 0.25 * clamp01(-u * 0.6 + v * 0.4)
            c = tuple(k * light for k in shade)
            if stripe and abs(u) < stripe and shade is colour:
                c = mix(c, accent, 0.7)
            if -0.02 < d < -0.005:
                c = mix(c, (0.05, 0.05, 0.08), 0.5)  # outline
            result = over(result, c + (cover,))
        cx, cy, rx, ry = cockpit
        e = ((u - cx) / rx) ** 2 + ((v - cy) / ry) ** 2
        if e < 1.2:
            glass = mix((0.1, 0.3, 0.5), (0.7, 0.95, 1.0), clamp01((v - cy) / ry * 0.5 + 0.5 - u * 0.5))
            result = over(result, glass + (smooth(1.1, 0.9, e),))
        return result
    return shader


PLAYER_HULL = mirrored([(0.0, 0.95), (0.12, 0.6), (0.18, 0.1), (0.55, -0.35), (0.6, -0.6),
                        (0.2, -0.5), (0.16, -0.75), (0.0, -0.65)])
SHIP1_HULL = mirrored([(0.0, 0.9), (0.14, 0.35), (0.8, -0.55), (0.75, -0.7), (0.2, -0.5),
                       (0.1, -0.7), (0.0, -0.6)])
SHIP2_HULL = mirrored([(0.0, 0.75), (0.3, 0.65), (0.38, 0.2), (0.38, -0.7), (0.0, -0.75)])
SHIP2_PODS = mirrored([(0.0, 0.05), (0.7, 0.35), (0.78, 0.2), (0.78, -0.55), (0.62, -0.65),
                       (0.0, -0.45)])
SHIP3_HULL = mirrored([(0.0, 0.98), (0.06, 0.5), (0.1, -0.3), (0.06, -0.8), (0.0, -0.75)])
SHIP3_WINGS = mirrored([(0.0, -0.2), (0.7, 0.35), (0.72, 0.2), (0.12, -0.6), (0.0, -0.5)])
SHIP4_HULL = mirrored([(0.0, 0.85), (0.3, 0.55), (0.5, 0.1), (0.5, -0.45), (0.3, -0.8), (0.0, -0.7)])
SHIP4_WINGS = mirrored([(0.0, 0.0), (0.85, -0.2), (0.85, -0.45), (0.0, -0.4)])


def enemy_marker(u, v):
    outer = [(0.0, 0.9), (0.8, -0.7), (0.0, -0.3), (-0.8, -0.7)]
    d = polygon_distance(u, v, outer)
    line = smooth(0.06, 0.02, abs(d + 0.04))
    return mix((1.0, 0.15, 0.1), (1.0, 0.8, 0.7), line * 0.5) + (max(line, smooth(0.0, -0.05, d) * 0.25),)


def missile(u, v):
    body = mirrored([(0.0, 0.9), (0.1, 0.6), (0.1, -0.45), (0.3, -0.7), (0.3, -0.8), (0.0, -0.7)])
    d = polygon_distance(u, v, body)
    flare = math.exp(-((u / 0.12) ** 2 + ((v + 0.88) / 0.12) ** 2))
    if d > 0.02:
        return (1.0, 0.8, 0.4, flare)
    colour = (1.0, 0.2, 0.15) if v > 0.55 or v < -0.45 else (0.85, 0.87, 0.9)
    shade = 0.6 + 0.4 * clamp01(1.0 - abs(u) * 6)
    return tuple(c * shade for c in colour) + (max(smooth(0.012, -0.012, d), flare),)


def drill(u, v):
    cone = mirrored([(0.0, 0.95), (0.35, -0.5), (0.2, -0.75), (0.0, -0.7)])
    d = polygon_distance(u, v, cone)
    groove = 0.5 + 0.5 * math.sin((v * 9 + u * 14) * 1.5)
    colour = mix((0.6, 0.35, 0.1), (1.0, 0.75, 0.3), groove)
    shade = 0.55 + 0.45 * clamp01(1.0 - abs(u) * 3)
    return tuple(c * shade for c in colour) + (smooth(0.012, -0.012, d),)


def satellite_panels(u, v):
    result = (0.0, 0.0, 0.0, 0.0)
    for side in (-1, 1):
        x = u * side
        if 0.3 < x < 0.95 and abs(v) < 0.28:
            cell = (abs(math.sin(x * 22)) > 0.15) and (abs(math.sin(v * 22)) > 0.15)
            result = (0.1, 0.25, 0.7, 1.0) if cell else (0.6, 0.6, 0.65, 1.0)
        elif 0.18 < x <= 0.3 and abs(v) < 0.03:
            result = (0.7, 0.7, 0.75, 1.0)
    d = max(abs(u), abs(v)) - 0.2
    if d < 0.01:
        shade = 0.6 + 0.4 * clamp01(0.5 - u + v)
        result = over(result, (0.85 * shade, 0.75 * shade, 0.4 * shade, smooth(0.01, -0.01, d)))
    light = math.exp(-((u / 0.05) ** 2 + ((v - 0.1) / 0.05) ** 2))
    return over(result, (1.0, 0.3, 0.2, light))


def satellite_ring(u, v):
    r = math.sqrt(u * u + v * v)
    angle = math.atan2(v, u)
    result = (0.0, 0.0, 0.0, 0.0)
    rim = smooth(0.1, 0.07, abs(r - 0.78))
    if rim > 0:
        shade = 0.6 + 0.4 * math.cos(angle - 2.3)
        result = over(result, (0.7 * shade, 0.75 * shade, 0.8 * shade, rim))
    spoke = min(abs(math.sin(angle * 2)), 1.0) * r
    if r < 0.72 and spoke < 0.035:
        result = over(result, (0.55, 0.55, 0.6, 1.0))
    hub = smooth(0.24, 0.21, r)
    if hub > 0:
        result = over(result, mix((0.2, 0.6, 0.4), (0.6, 1.0, 0.8), smooth(0.2, 0.0, r)) + (hub,))
    lamps = math.exp(-((r - 0.78) / 0.03) ** 2) * smooth(0.97, 1.0, math.cos(angle * 8))
    return over(result, (1.0, 0.9, 0.4, lamps))


# ---------------------------------------------------------------- instruments and interface

def radar(u, v):
    r = math.sqrt(u * u + v * v)
    edge = max(abs(u), abs(v))
    c = (0.02, 0.08, 0.05)
    a = 0.55 * smooth(1.0, 0.97, edge)
    frame = smooth(0.03, 0.0, abs(edge - 0.95))
    scope = smooth(0.9, 0.88, r)
    c = mix(c, (0.0, 0.2, 0.1), scope)
    lines = 0.0
    for radius in (0.3, 0.6, 0.89):
        lines = max(lines, smooth(0.012, 0.0, abs(r - radius)))
    if r < 0.89:
        lines = max(lines, smooth(0.008, 0.0, abs(u)) * 0.6, smooth(0.008, 0.0, abs(v)) * 0.6)
        sweep = (math.atan2(v, u) + math.pi) / (2 * math.pi)
        c = mix(c, (0.1, 0.6, 0.3), sweep ** 6 * 0.6)
    c = mix(c, (0.3, 1.0, 0.5), lines * 0.8)
    c = mix(c, (0.5, 0.6, 0.55), frame)
    return c + (max(a, lines * 0.8, frame * 0.9),)


def system_map(u, v):
    r = math.sqrt(u * u + v * v)
    edge = max(abs(u), abs(v))
    c = (0.02, 0.03, 0.1)
    a = 0.6 * smooth(1.0, 0.97, edge)
    grid = max(smooth(0.01, 0.0, abs(((u + 1) * 4) % 1.0 - 0.5) - 0.49 + 0.01),
               smooth(0.01, 0.0, abs(((v + 1) * 4) % 1.0 - 0.5) - 0.49 + 0.01))
    orbits = 0.0
    for radius in (0.25, 0.45, 0.7):
        orbits = max(orbits, smooth(0.008, 0.0, abs(r - radius)))
    frame = smooth(0.03, 0.0, abs(edge - 0.95))
    corner = 1.0 if edge > 0.9 and min(abs(u), abs(v)) > 0.75 else 0.0
    c = mix(c, (0.2, 0.35, 0.7), grid * 0.5)
    c = mix(c, (0.4, 0.6, 1.0), orbits * 0.5)
    c = mix(c, (0.55, 0.7, 0.9), max(frame, corner * 0.8))
    return c + (max(a, grid * 0.6, orbits * 0.6, frame),)


def player_blip(u, v):
    r = math.sqrt(u * u + v * v)
    ring_line = smooth(0.08, 0.02, abs(r - 0.7))
    core = smooth(0.4, 0.25, r)
    return mix((0.2, 1.0, 0.5), (0.9, 1.0, 0.9), core) + (max(ring_line, core),)


def crosshair(u, v):
    r = math.sqrt(u * u + v * v)
    circle = smooth(0.07, 0.03, abs(r - 0.55))
    ticks = 0.0
    if r > 0.6:
        ticks = max(smooth(0.06, 0.02, abs(u)), smooth(0.06, 0.02, abs(v))) * smooth(1.0, 0.9, r)
    centre = smooth(0.12, 0.06, r)
    return (0.4, 1.0, 0.5, max(circle, ticks, centre))


def button(fill_top, fill_bottom, border, glow, pressed):
    aspect = 4.0  # 256 x 64

    def shader(u, v):
        x = u * aspect
        qx, qy = abs(x) - (aspect - 0.35), abs(v) - 0.65
        d = math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - 0.3
        cover = smooth(0.02, -0.02, d)
        t = (v + 1) / 2
        if pressed:
            t = 1 - t
        c = mix(fill_bottom, fill_top, t)
        line = smooth(0.06, 0.0, abs(d + 0.06))
        c = mix(c, border, line)
        halo = math.exp(-max(d, 0.0) * 20) * glow if d > 0 else 0.0
        if d > 0:
            return border + (halo * 0.6,)
        return c + (max(cover * 0.92, line),)
    return shader


def arrow(u, v):
    tri = [(0.85, 0.0), (-0.6, 0.75), (-0.6, -0.75)]
    d = polygon_distance(u, v, tri)
    shade = 0.6 + 0.4 * clamp01(0.5 + v * 0.6 - d * 4)
    c = mix((0.2, 0.7, 0.9), (0.85, 0.97, 1.0), smooth(0.0, -0.25, d))
    return tuple(k * shade for k in c) + (smooth(0.02, -0.02, d),)


# ---------------------------------------------------------------- sounds

RATE = 22050


def normalised(samples, peak):
    top = max(abs(s) for s in samples) or 1.0
    return [s * peak / top for s in samples]


def looped_noise(count, seed, smoothing):
    """White noise low-passed around the loop, so its end meets its start."""
    rng = random.Random(seed)
    raw = [rng.uniform(-1, 1) for _ in range(count)]
    out, state = [0.0] * count, 0.0
    for _ in range(2):  # the second pass starts from the settled end of the first
        for i, x in enumerate(raw):
            state += (x - state) * smoothing
            out[i] = state
    return normalised(out, 1.0)


def engine_hum():
    count = RATE * 2  # every partial completes whole cycles in two seconds
    rumble = looped_noise(count, 91, 0.02)
    samples = []
    for i in range(count):
        t = i / RATE
        throb = 1.0 + 0.15 * math.sin(2 * math.pi * 3 * t)
        tone = (0.5 * math.sin(2 * math.pi * 55 * t) + 0.3 * math.sin(2 * math.pi * 110 * t)
                + 0.15 * math.sin(2 * math.pi * 165 * t + 1.0) + 0.08 * math.sin(2 * math.pi * 330 * t))
        samples.append(0.45 * (tone * throb + 0.35 * rumble[i]) / 1.4)
    return samples


def explosion_sound():
    count = int(RATE * 1.4)
    rng = random.Random(97)
    samples, state, phase = [], 0.0, 0.0
    for i in range(count):
        t = i / RATE
        state += (rng.uniform(-1, 1) - state) * 0.08
        phase += 2 * math.pi * (70 - 40 * t / 1.4) / RATE
        envelope = math.exp(-t * 3.2) * min(1.0, t * 200)
        samples.append(envelope * (2.4 * state + 0.5 * math.sin(phase)))
    return normalised(samples, 0.85)


def laser_sound():
    count = int(RATE * 0.3)
    samples, phase = [], 0.0
    for i in range(count):
        t = i / RATE
        phase += 2 * math.pi * (1600 * math.exp(-t * 9) + 200) / RATE
        envelope = math.exp(-t * 10) * min(1.0, t * 400)
        samples.append(0.5 * envelope * (math.sin(phase) + 0.3 * math.sin(phase * 2)))
    return samples


# ---------------------------------------------------------------- the list of files

# Button faces: fill at the top, fill at the bottom, border.
BUTTON_UP = ((0.22, 0.3, 0.42), (0.08, 0.11, 0.18), (0.45, 0.6, 0.75))
BUTTON_HOVER = ((0.26, 0.38, 0.52), (0.1, 0.15, 0.24), (0.5, 0.95, 1.0))
BUTTON_DOWN = ((0.12, 0.3, 0.35), (0.04, 0.12, 0.15), (0.3, 0.75, 0.8))
BUTTON_DOWN_HOVER = ((0.15, 0.38, 0.42), (0.05, 0.16, 0.2), (0.5, 1.0, 1.0))


def images():
    """(file name, size, maker of a shader or of finished RGBA bytes)."""
    cyan = (0.2, 0.8, 1.0)
    return [
        ("player.png", 128, lambda: ship(PLAYER_HULL, (0.85, 0.88, 0.92), (0.2, 0.75, 0.95),
                                 (0.0, 0.35, 0.07, 0.18), [(0.0, -0.78, 0.1)], stripe=0.03)),
        ("mouse.png", 64, lambda: crosshair),
        ("enemy.png", 64, lambda: enemy_marker),
        ("explosion.png", 256, lambda: explosion()),
        ("laser.png", 64, lambda: beam((1.0, 0.15, 0.1))),
        ("bulletDot.png", 64, lambda: glow_dot((1.0, 0.8, 0.2))),
        ("fragment.png", 64, lambda: fragment),
        ("blast.png", 256, lambda: ring((0.4, 0.7, 1.0), 0.82, 0.07, fill=0.25)),
        ("shockwaveBullet.png", 64, lambda: ring(cyan, 0.55, 0.15, spark=0.25)),
        ("dust.png", 1024, lambda: dust()),
        ("mars.png", 256, lambda: planet(mars_surface, (0.9, 0.5, 0.35), 101)),
        ("radar.png", 256, lambda: radar),
        ("enemyRadar.png", 64,
         lambda: glow_dot((1.0, 0.15, 0.1), core=(1.0, 0.7, 0.6), spread=0.5, hot=0.3)),
        ("playerRadar.png", 64, lambda: player_blip),
        ("bluestar.png", 256, lambda: star((0.55, 0.7, 1.0), (0.35, 0.55, 1.0))),
        ("dotTriad.png", 64, lambda: dot_triad),
        ("diamondParticle.png", 64, lambda: diamond),
        ("flame.tga", 128, lambda: flame),
        ("wormhole1.tga", 256, lambda: wormhole_image()),
        ("map.png", 256, lambda: system_map),
        ("whiteDot.png", 64, lambda: white_dot),
        ("cloud.png", 128, lambda: cloud()),
        ("smokeColors.png", (256, 8), lambda: smoke_colours),
        ("background2.png", 512, lambda: far_sky()),
        ("buttonUp.png", (256, 64), lambda: button(*BUTTON_UP, glow=0.0, pressed=False)),
        ("buttonSel.png", (256, 64), lambda: button(*BUTTON_HOVER, glow=1.0, pressed=False)),
        ("buttonDown.png", (256, 64), lambda: button(*BUTTON_DOWN, glow=0.0, pressed=True)),
        ("buttonDownSel.png", (256, 64), lambda: button(*BUTTON_DOWN_HOVER, glow=1.0, pressed=True)),
        ("arrow.png", 64, lambda: arrow),
        ("whiteLaser.png", 64, lambda: beam((0.85, 0.85, 0.9))),
        ("greenLaser.png", 64, lambda: beam((0.2, 1.0, 0.3))),
        ("jupiter.png", 256, lambda: planet(gas_giant(JUPITER, True), (0.9, 0.8, 0.6), 111)),
        ("earth.png", 256, lambda: planet(earth_surface, (0.4, 0.65, 1.0), 121)),
        ("ice.png", 256, lambda: planet(ice_surface, (0.7, 0.85, 1.0), 131)),
        ("lava.png", 256, lambda: planet(lava_surface, (1.0, 0.4, 0.1), 141)),
        ("desert.png", 256, lambda: planet(desert_surface, (0.95, 0.75, 0.5), 151)),
        ("ocean.png", 256, lambda: planet(ocean_surface, (0.3, 0.6, 1.0), 161)),
        ("ship1.png", 128, lambda: ship(SHIP1_HULL, (0.75, 0.15, 0.12), (0.3, 0.3, 0.32),
                                (0.0, 0.2, 0.06, 0.15), [(0.0, -0.68, 0.1)])),
        ("ship2.png", 128, lambda: ship(SHIP2_HULL, (0.35, 0.55, 0.3), (0.55, 0.5, 0.35), (0.0, 0.55, 0.15, 0.08),
                                [(-0.55, -0.62, 0.1), (0.55, -0.62, 0.1), (0.0, -0.75, 0.12)],
                                wings=SHIP2_PODS, stripe=0.05)),
        ("ship3.png", 128, lambda: ship(SHIP3_HULL, (0.55, 0.3, 0.75), (0.35, 0.3, 0.5), (0.0, 0.45, 0.04, 0.16),
                                [(0.0, -0.8, 0.08)], wings=SHIP3_WINGS)),
        ("ship4.png", 128, lambda: ship(SHIP4_HULL, (0.85, 0.6, 0.2), (0.45, 0.42, 0.4), (0.0, 0.5, 0.12, 0.12),
                                [(-0.18, -0.78, 0.1), (0.18, -0.78, 0.1)], wings=SHIP4_WINGS, stripe=0.04)),
        ("missile.png", 64, lambda: missile),
        ("plasma.png", 64, lambda: glow_dot((0.3, 1.0, 0.6), spread=0.5, hot=0.25)),
        ("drill.png", 64, lambda: drill),
        ("satellite1.png", 64, lambda: satellite_panels),
        ("satellite2.png", 64, lambda: satellite_ring),
    ]


def make_image(job):
    out, index = job
    name, size, maker = images()[index]
    width, height = size if isinstance(size, tuple) else (size, size)
    source = maker()
    rgba = source if isinstance(source, bytearray) else render(width, source, height)
    (write_tga if name.endswith(".tga") else write_png)(out / name, width, height, rgba)


def main():
    out = Path(sys.argv[1])
    (out / "sounds").mkdir(parents=True, exist_ok=True)
    listed = images()
    sides = [size if isinstance(size, tuple) else (size, size) for _, size, _ in listed]
    biggest_first = sorted(range(len(listed)), key=lambda i: -sides[i][0] * sides[i][1])
    jobs = [(out, index) for index in biggest_first]
    with concurrent.futures.ProcessPoolExecutor(max_workers=3) as pool:
        list(pool.map(make_image, jobs))
    write_wav(out / "sounds" / "engine.wav", RATE, engine_hum())
    write_wav(out / "sounds" / "explosion.wav", RATE, explosion_sound())
    write_wav(out / "sounds" / "laser.wav", RATE, laser_sound())


if __name__ == "__main__":
    main()
