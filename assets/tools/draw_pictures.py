#!/usr/bin/env python3
"""Draws the two pictures of the information windows.

about_drawing.jpg  140 x 140  a black-and-white line drawing: a stopwatch beside the sound waves of
                              a voice, the two things the program measures.
rabbit_scan.jpg    141 x 160  a cartoon of a white rabbit holding a pocket watch, inked on paper and
                              given the look of a page from a flatbed scanner (paper tint, grain, a
                              slight skew, soft focus).

Each picture is written as SVG by this script, rendered four times larger by ImageMagick and
reduced to its final size, so the lines come out smooth. Run from anywhere:
    python3 assets/tools/draw_pictures.py
Needs python3 and ImageMagick's `convert`.
"""
import math
import os
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SCALE = 4


def svg(width, height, body, background="#ffffff"):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width * SCALE}" '
            f'height="{height * SCALE}" viewBox="0 0 {width} {height}">\n'
            f'<rect x="0" y="0" width="{width}" height="{height}" fill="{background}" stroke="none"/>\n'
            f'{body}</svg>\n')


def about_drawing():
    ink = 'stroke="#000000" fill="none" stroke-linecap="round" stroke-linejoin="round"'
    parts = []
    cx, cy, r = 58, 78, 40
    # Watch case, inner dial, crown and the two side buttons.
    parts.append(f'<circle cx="{cx}" cy="{cy}" r="{r}" {ink} stroke-width="4"/>')
    parts.append(f'<circle cx="{cx}" cy="{cy}" r="{r - 7}" {ink} stroke-width="1.2"/>')
    parts.append(f'<rect x="{cx - 6}" y="{cy - r - 13}" width="12" height="9" rx="2" {ink} stroke-width="3"/>')
    parts.append(f'<line x1="{cx}" y1="{cy - r - 4}" x2="{cx}" y2="{cy - r}" {ink} stroke-width="4"/>')
    for side in (-1, 1):
        a = math.radians(-90 + side * 42)
        x1, y1 = cx + (r + 1) * math.cos(a), cy + (r + 1) * math.sin(a)
        x2, y2 = cx + (r + 8) * math.cos(a), cy + (r + 8) * math.sin(a)
        parts.append(f'<line x1="{x1:.2f}" y1="{y1:.2f}" x2="{x2:.2f}" y2="{y2:.2f}" {ink} stroke-width="5"/>')
    # Sixty ticks, longer every fifth: five ticks make a second of the counter.
    for i in range(60):
        a = math.radians(i * 6 - 90)
        inner = r - 13 if i % 5 == 0 else r - 10
        w = 1.8 if i % 5 == 0 else 0.8
        x1, y1 = cx + inner * math.cos(a), cy + inner * math.sin(a)
        x2, y2 = cx + (r - 7) * math.cos(a), cy + (r - 7) * math.sin(a)
        parts.append(f'<line x1="{x1:.2f}" y1="{y1:.2f}" x2="{x2:.2f}" y2="{y2:.2f}" {ink} stroke-width="{w}"/>')
    # Hands at about twelve seconds past, and the hub.
    a = math.radians(12 * 6 - 90)
    parts.append(f'<line x1="{cx - 8 * math.cos(a):.2f}" y1="{cy - 8 * math.sin(a):.2f}" '
                 f'x2="{cx + (r - 12) * math.cos(a):.2f}" y2="{cy + (r - 12) * math.sin(a):.2f}" {ink} stroke-width="2"/>')
    a = math.radians(300 - 90)
    parts.append(f'<line x1="{cx}" y1="{cy}" x2="{cx + 16 * math.cos(a):.2f}" '
                 f'y2="{cy + 16 * math.sin(a):.2f}" {ink} stroke-width="3"/>')
    parts.append(f'<circle cx="{cx}" cy="{cy}" r="3" fill="#000000"/>')
    # A voice: three arcs of sound waves to the right, and a tally of intervals underneath.
    for i, radius in enumerate((50, 60, 70)):
        sweep = 34 - i * 4
        a1, a2 = math.radians(-sweep), math.radians(sweep)
        x1, y1 = cx + radius * math.cos(a1), cy + radius * math.sin(a1)
        x2, y2 = cx + radius * math.cos(a2), cy + radius * math.sin(a2)
        parts.append(f'<path d="M {x1:.2f} {y1:.2f} A {radius} {radius} 0 0 1 {x2:.2f} {y2:.2f}" '
                     f'{ink} stroke-width="{3 - i * 0.6:.1f}"/>')
    tally_y = 18
    for i in range(4):
        x = 96 + i * 7
        parts.append(f'<line x1="{x}" y1="{tally_y}" x2="{x}" y2="{tally_y + 18}" {ink} stroke-width="2.2"/>')
    parts.append(f'<line x1="92" y1="{tally_y + 15}" x2="123" y2="{tally_y + 3}" {ink} stroke-width="2.2"/>')
    return svg(140, 140, "\n".join(parts) + "\n")


def rabbit_scan():
    ink = 'stroke="#26221e" fill="none" stroke-linecap="round" stroke-linejoin="round"'
    white = 'stroke="#26221e" fill="#fdfcf8" stroke-linecap="round" stroke-linejoin="round"'
    pink = "#f6d3d3"
    p = []
    # Ground shadow.
    p.append('<ellipse cx="72" cy="146" rx="48" ry="6" fill="#d9d4c8"/>')
    # Tail, body, hind foot.
    p.append(f'<circle cx="111" cy="120" r="11" {white} stroke-width="1.6" stroke-dasharray="3 1.5"/>')
    p.append(f'<path d="M 46 104 C 40 136 58 148 82 147 C 110 146 118 126 110 104 '
             f'C 103 84 84 78 70 80 C 56 82 48 92 46 104 Z" {white} stroke-width="2.2"/>')
    p.append(f'<path d="M 60 146 C 48 146 38 143 40 137 C 42 132 56 133 68 138" {white} stroke-width="2"/>')
    p.append(f'<path d="M 96 118 C 104 126 104 138 94 144" {ink} stroke-width="1.6"/>')
    # Ears, with pink inner ears.
    p.append(f'<path d="M 50 46 C 36 22 34 6 42 4 C 52 2 60 24 62 44" {white} stroke-width="2.2"/>')
    p.append(f'<path d="M 49 40 C 41 24 41 12 45 11 C 50 11 55 26 57 40 Z" fill="{pink}"/>')
    p.append(f'<path d="M 68 44 C 72 20 82 6 90 10 C 97 14 88 34 78 50" {white} stroke-width="2.2"/>')
    p.append(f'<path d="M 71 40 C 75 24 82 15 87 16 C 91 19 84 32 77 44 Z" fill="{pink}"/>')
    # Head.
    p.append(f'<path d="M 34 66 C 32 48 46 38 60 38 C 78 38 88 50 86 66 C 84 82 72 90 58 90 '
             f'C 44 90 35 80 34 66 Z" {white} stroke-width="2.2"/>')
    # Eye with highlight, nose, mouth, whiskers, cheek.
    p.append('<ellipse cx="50" cy="60" rx="5" ry="6.5" fill="#26221e"/>')
    p.append('<circle cx="51.8" cy="57.6" r="1.8" fill="#ffffff"/>')
    p.append(f'<path d="M 36 71 C 37 68 41 68 41 71 C 41 73 37 74 36 71 Z" fill="{pink}" stroke="#26221e" stroke-width="1"/>')
    p.append(f'<path d="M 39 74 C 40 79 45 80 47 77" {ink} stroke-width="1.4"/>')
    for dy, tilt in ((-2, -5), (1, 0), (4, 5)):
        p.append(f'<path d="M 38 {72 + dy} Q 28 {71 + dy + tilt / 2} 18 {71 + dy + tilt}" {ink} stroke-width="0.8"/>')
    p.append(f'<ellipse cx="62" cy="74" rx="6" ry="3.5" fill="{pink}" opacity="0.7"/>')
    # Fore paws holding a pocket watch on its chain.
    p.append(f'<circle cx="60" cy="112" r="13" fill="#f2efe4" stroke="#26221e" stroke-width="2"/>')
    p.append(f'<circle cx="60" cy="112" r="10" {ink} stroke-width="0.8"/>')
    p.append(f'<line x1="60" y1="112" x2="60" y2="104" {ink} stroke-width="1.4"/>')
    p.append(f'<line x1="60" y1="112" x2="66" y2="114" {ink} stroke-width="1.4"/>')
    p.append(f'<rect x="57" y="95" width="6" height="4" rx="1" {white} stroke-width="1.4"/>')
    p.append(f'<path d="M 62 96 C 74 88 86 96 84 108" {ink} stroke-width="1" stroke-dasharray="2 1.4"/>')
    p.append(f'<path d="M 44 108 C 42 100 50 96 54 102 C 52 106 48 110 44 108 Z" {white} stroke-width="1.8"/>')
    p.append(f'<path d="M 76 108 C 78 100 70 96 66 102 C 68 106 72 110 76 108 Z" {white} stroke-width="1.8"/>')
    # A few sketchy hatch strokes of shading under the body.
    for i in range(6):
        x = 58 + i * 8
        p.append(f'<line x1="{x}" y1="143" x2="{x + 5}" y2="137" {ink} stroke-width="0.6" opacity="0.6"/>')
    return svg(141, 160, "\n".join(p) + "\n", background="#fbfaf4")


def render(source, target, width, height, extra):
    with tempfile.TemporaryDirectory() as tmp:
        path = os.path.join(tmp, "picture.svg")
        with open(path, "w", encoding="utf-8") as f:
            f.write(source)
        subprocess.run(["convert", "-density", "72", path, "-background", "white", "-flatten",
                        "-filter", "Lanczos",
                        "-resize", f"{width}x{height}!", *extra,
                        "-strip", "-quality", "88", os.path.join(HERE, os.pardir, "images", target)], check=True)


def main():
    render(about_drawing(), "about_drawing.jpg", 140, 140,
           ["-colorspace", "Gray", "-threshold", "55%", "-type", "Grayscale"])
    # The scanned look: a warm paper tone, scanner grain, a skew of under one degree filled
    # with paper, and a little softness, then cropped back to the page.
    render(rabbit_scan(), "rabbit_scan.jpg", 141, 160,
           ["-background", "#f4f1e6", "-rotate", "-0.8", "-gravity", "center",
            "-extent", "141x160", "-attenuate", "0.25", "+noise", "Gaussian",
            "-blur", "0x0.35", "-modulate", "100,70"])


if __name__ == "__main__":
    main()
