#!/usr/bin/env python3
"""Draws the application icon (a stopwatch with a speech bubble, 16/32/48 px) and the stopwatch
pointer (a 16-colour stopwatch on an opaque cyan square, 16/32 px, plus a 64 px copy for dense
screens). Standard library only: shapes are drawn as distance fields, anti-aliased by
supersampling (icon) or snapped to the 16-colour palette (pointer), and written as PNG."""

import math
import struct
import sys
import zlib


def write_png(path, size, rgba):
    raw = bytearray()
    for y in range(size):
        raw.append(0)
        for x in range(size):
            raw.extend(rgba[y * size + x])

    def chunk(tag, data):
        return (struct.pack(">I", len(data)) + tag + data
                + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
        f.write(chunk(b"IEND", b""))


# Shapes in a unit square (0..1 both ways); each returns True where the point is inside.
def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_out, r_in):
    return lambda x, y: r_in * r_in <= (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out


def box(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def rounded_box(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        dx = max(x0 + r - x, 0.0, x - (x1 - r))
        dy = max(y0 + r - y, 0.0, y - (y1 - r))
        return dx * dx + dy * dy <= r * r
    return inside


def segment(ax, ay, bx, by, half_width):
    def inside(x, y):
        vx, vy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy)))
        px, py = ax + t * vx - x, ay + t * vy - y
        return px * px + py * py <= half_width * half_width
    return inside


def triangle(p, q, r):
    def side(ax, ay, bx, by, x, y):
        return (bx - ax) * (y - ay) - (by - ay) * (x - ax)

    def inside(x, y):
        a = side(*p, *q, x, y)
        b = side(*q, *r, x, y)
        c = side(*r, *p, x, y)
        return (a >= 0 and b >= 0 and c >= 0) or (a <= 0 and b <= 0 and c <= 0)
    return inside


def stopwatch(cx, cy, r, ring_colour, face, hand, ticks, small=False):
    """Layers of a stopwatch: crown and side button, rim, face, quarter ticks and one hand
    pointing at two o'clock. A small one has a heavier rim and hand and no ticks, so it still
    reads at 16 pixels."""
    face_r = 0.64 if small else 0.78
    hand_w = 0.12 if small else 0.07
    angle = math.radians(60)
    hx, hy = cx + math.sin(angle) * r * 0.62, cy - math.cos(angle) * r * 0.62
    side = math.radians(45)
    sx, sy = cx + math.sin(side) * r * 1.08, cy - math.cos(side) * r * 1.08
    layers = [
        (box(cx - r * 0.14, cy - r * 1.32, cx + r * 0.14, cy - r * 0.9), ring_colour),
        (rounded_box(cx - r * 0.3, cy - r * 1.48, cx + r * 0.3, cy - r * 1.22, r * 0.08),
         ring_colour),
        (segment(cx, cy, sx, sy, r * 0.13), ring_colour),
        (circle(cx, cy, r), ring_colour),
        (circle(cx, cy, r * face_r), face),
    ]
    for k in range(0 if small else 4):
        a = math.radians(90 * k)
        layers.append((segment(cx + math.sin(a) * r * 0.6, cy - math.cos(a) * r * 0.6,
                               cx + math.sin(a) * r * 0.74, cy - math.cos(a) * r * 0.74,
                               r * 0.05), ticks))
    layers.append((segment(cx, cy, hx, hy, r * hand_w), hand))
    layers.append((circle(cx, cy, r * 0.1), hand))
    return layers


def speech_bubble(x0, y0, x1, y1, colour, outline, text):
    """A rounded bubble with a tail to its lower left and three lines of 'speech'."""
    w = x1 - x0
    h = y1 - y0
    t = w * 0.07
    layers = [
        (triangle((x0 + w * 0.18, y1 - h * 0.2), (x0 - w * 0.04, y1 + h * 0.34),
                  (x0 + w * 0.45, y1 - h * 0.2)), outline),
        (rounded_box(x0, y0, x1, y1, h * 0.35), outline),
        (triangle((x0 + w * 0.22, y1 - h * 0.25), (x0 + w * 0.04, y1 + h * 0.2),
                  (x0 + w * 0.4, y1 - h * 0.25)), colour),
        (rounded_box(x0 + t, y0 + t, x1 - t, y1 - t, h * 0.35 - t), colour),
    ]
    for k, length in enumerate((0.62, 0.5)):
        yy = y0 + h * (0.37 + 0.28 * k)
        layers.append((segment(x0 + w * 0.2, yy, x0 + w * (0.2 + length), yy, h * 0.07), text))
    return layers


def render(size, layers, background, supersample):
    pixels = []
    n = supersample
    for py in range(size):
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) / size
                    y = (py + (sy + 0.5) / n) / size
                    colour = background
                    for inside, c in layers:
                        if inside(x, y):
                            colour = c
                    a = colour[3] / 255.0
                    for i in range(3):
                        acc[i] += colour[i] * a
                    acc[3] += a
            a = acc[3] / (n * n)
            if a > 0:
                rgb = [int(acc[i] / acc[3] + 0.5) for i in range(3)]
            else:
                rgb = [0, 0, 0]
            pixels.append(bytes(rgb + [int(a * 255 + 0.5)]))
    return pixels


def opaque(r, g, b):
    return (r, g, b, 255)


TRANSPARENT = (0, 0, 0, 0)


def icon_layers(size):
    teal = opaque(0, 128, 128)
    layers = stopwatch(0.42, 0.56, 0.34, teal, opaque(255, 255, 255), opaque(220, 30, 30),
                       opaque(0, 90, 90), small=size <= 16)
    layers += speech_bubble(0.56, 0.06, 0.98, 0.38, opaque(255, 224, 160), opaque(190, 90, 20),
                            opaque(190, 90, 20))
    return layers


# The 16 colours of the classic palette: the pointer is drawn in these only.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def pointer_layers(size):
    return stopwatch(0.5, 0.56, 0.34, opaque(0, 0, 0), opaque(255, 255, 255), opaque(255, 0, 0),
                     opaque(0, 0, 128), small=size <= 16)


def main(out_dir):
    for size in (16, 32, 48, 64, 128):
        write_png(f"{out_dir}/icon{size}.png", size, render(size, icon_layers(size), TRANSPARENT, 6))
    cyan = opaque(0, 255, 255)
    for size in (16, 32, 64):
        # One sample per pixel at its centre: hard edges, so every pixel is a palette colour.
        pixels = render(size, pointer_layers(size), cyan, 1)
        for p in pixels:
            assert tuple(p[:3]) in PALETTE and p[3] == 255
        write_png(f"{out_dir}/stopwatch{size}.png", size, pixels)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else ".")
