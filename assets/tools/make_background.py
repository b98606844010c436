#!/usr/bin/env python3
"""Paints the main window's background: autumn tree tops against a cloudy sky, washed out to
pale colours so the controls stay readable over it. Standard library only; writes a binary PPM
that ImageMagick turns into the committed JPEG (see make_assets.sh). Deterministic: the same seed
gives the same picture."""

import math
import random
import sys

W, H = 1024, 768
SEED = 2005


class Noise:
    """Smooth value noise on a square lattice, evaluated a row at a time for speed."""

    def __init__(self, rng, cell):
        self.cell = cell
        self.gw = W // cell + 3
        self.gh = H // cell + 3
        self.grid = [[rng.random() for _ in range(self.gw)] for _ in range(self.gh)]
        self.ix = []
        self.fx = []
        for x in range(W):
            t = x / cell
            i = int(t)
            f = t - i
            self.ix.append(i)
            self.fx.append(f * f * (3 - 2 * f))

    def row(self, y):
        t = y / self.cell
        j = int(t)
        f = t - j
        f = f * f * (3 - 2 * f)
        a, b = self.grid[j], self.grid[j + 1]
        line = [a[k] + (b[k] - a[k]) * f for k in range(self.gw)]
        return [line[i] + (line[i + 1] - line[i]) * fx for i, fx in zip(self.ix, self.fx)]


class Fbm:
    """Several octaves of value noise summed, normalised to about 0..1."""

    def __init__(self, rng, cells):
        self.layers = [Noise(rng, c) for c in cells]
        self.weights = [0.5 ** k for k in range(len(cells))]
        self.total = sum(self.weights)

    def row(self, y):
        rows = [layer.row(y) for layer in self.layers]
        out = [0.0] * W
        for r, w in zip(rows, self.weights):
            for x in range(W):
                out[x] += r[x] * w
        return [v / self.total for v in out]


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


# Foliage tones of a late-October wood: maple red, beech copper, birch gold, oak russet and the
# last green of a late tree.
FOLIAGE = [
    (214, 60, 30), (236, 124, 28), (246, 190, 40), (176, 78, 36), (150, 160, 48), (226, 96, 36),
    (240, 150, 30),
]


def crowns(rng):
    """Tree crowns filling the lower half: centre, radii, a depth (higher is nearer) and two
    foliage tones that mix across the crown."""
    out = []
    x = -80.0
    while x < W + 100:
        rx = rng.uniform(110, 190)
        ry = rx * rng.uniform(0.85, 1.15)
        top = rng.uniform(H * 0.30, H * 0.58)
        out.append((x, top + ry, rx, ry, rng.random(), rng.choice(FOLIAGE), rng.choice(FOLIAGE)))
        x += rx * rng.uniform(0.7, 1.1)
    # A second, nearer row lower down hides the bottom of the first.
    x = rng.uniform(-60, 60)
    while x < W + 100:
        rx = rng.uniform(130, 210)
        ry = rx * rng.uniform(0.8, 1.0)
        top = rng.uniform(H * 0.55, H * 0.75)
        out.append((x, top + ry, rx, ry, 1.0 + rng.random(), rng.choice(FOLIAGE),
                    rng.choice(FOLIAGE)))
        x += rx * rng.uniform(0.9, 1.3)
    return sorted(out, key=lambda t: -t[4])


def crown_at(trees, x, y, ragged, leafy):
    """The nearest crown whose leaves cover the pixel, with the pixel's place inside it (nx, ny
    in -1..1), or None for sky. Near its rim a crown is ragged and lets the crowns behind it, or
    the sky, show through."""
    for tree in trees:
        cx, cy, rx, ry = tree[0], tree[1], tree[2], tree[3]
        nx, ny = (x - cx) / rx, (y - cy) / ry
        d = nx * nx + ny * ny
        if d < 1.0 + ragged and (d < 0.8 or leafy > 0.30 + 0.5 * (d - 0.8)):
            return tree, nx, ny
    return None


def branches(rng, trees):
    """Bare twigs reaching above the leaves, as a set of thick points to darken."""
    marks = {}

    def grow(x, y, angle, length, width, depth):
        if depth == 0 or length < 4:
            return
        steps = int(length)
        for s in range(steps):
            x += math.cos(angle)
            y -= math.sin(angle)
            angle += rng.uniform(-0.05, 0.05)
            for dx in range(-int(width), int(width) + 1):
                px, py = int(x) + dx, int(y)
                if 0 <= px < W and 0 <= py < H:
                    marks[(px, py)] = max(marks.get((px, py), 0.0), 0.9 if width >= 1 else 0.55)
        for _ in range(rng.randint(1, 3)):
            grow(x, y, angle + rng.uniform(-0.7, 0.7), length * rng.uniform(0.5, 0.75),
                 width * 0.6, depth - 1)

    for cx, cy, rx, ry, z, _, _ in trees:
        if z < 1.0 and rng.random() < 0.5:
            grow(cx + rng.uniform(-rx * 0.3, rx * 0.3), cy - ry * 0.75,
                 math.pi / 2 + rng.uniform(-0.5, 0.5), rng.uniform(50, 110), 1.6, 4)
    return marks


def main(path):
    rng = random.Random(SEED)
    clouds = Fbm(rng, [256, 128, 64, 32, 16])
    leaves = Fbm(rng, [20, 10, 5, 2])
    tint = Fbm(rng, [90, 45])
    edge = Fbm(rng, [28, 14, 7, 3])
    grain = Noise(rng, 1)
    trees = crowns(rng)
    twigs = branches(rng, trees)

    sky_high, sky_low = (92, 146, 214), (196, 218, 238)
    bark = (70, 48, 36)
    out = bytearray()
    for y in range(H):
        c_row, l_row, t_row, e_row = clouds.row(y), leaves.row(y), tint.row(y), edge.row(y)
        g_row = grain.row(y)
        sky = mix(sky_high, sky_low, clamp(y / (H * 0.7)) ** 0.8)
        for x in range(W):
            # Sky with soft cumulus: bright where the noise is high, with grey undersides.
            c = c_row[x]
            cloud = clamp((c - 0.48) * 3.2)
            under = clamp((0.62 - c) * 4.0) * cloud * 0.25
            px = mix(sky, (250, 250, 252), cloud)
            px = mix(px, (170, 178, 192), under)
            leafy = l_row[x]
            # A ragged crown edge: leaf clusters poke out, sky shows through near the rim.
            hit = crown_at(trees, x, y, (e_row[x] - 0.5) * 0.55, leafy)
            in_leaves = hit is not None
            if in_leaves:
                tree, nx, ny = hit
                tone = mix(tree[5], tree[6], clamp((t_row[x] - 0.35) * 2.5))
                # Round crowns lit from the upper left, leaf clusters catching the light.
                light = 0.78 + 0.28 * (-0.45 * nx - 0.75 * ny) + 0.9 * (leafy - 0.5)
                light = clamp(light, 0.25, 1.3)
                px = tuple(clamp(v * light / 255.0) * 255.0 for v in tone)
                if leafy < 0.38:
                    px = mix(px, (60, 34, 24), clamp((0.38 - leafy) * 5.0))
            t = twigs.get((x, y))
            if t and not in_leaves:
                px = mix(px, bark, t)
            # Film grain, then the wash towards white that keeps the picture pale.
            g = (g_row[x] - 0.5) * 10.0
            wash = 0.52 + 0.08 * (y / H)
            out.extend(int(clamp((255.0 - (255.0 - v - g) * (1.0 - wash)) / 255.0) * 255.0 + 0.5)
                       for v in px)
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (W, H))
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "background.ppm")
