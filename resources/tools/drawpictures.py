#!/usr/bin/env python3
"""Writes the SVG sources of the dock's pictures into resources/dock/image/.

The pictures are our own flat drawings: app tiles are a rounded square with a
two-colour gradient and a white glyph; small buttons are plain glyphs; weather
pictures, clock digits and scene sprites are simple shapes. The series (tiles,
digits, weather, sprites, button pairs, movie frames) are drawn here so that
they stay consistent; run the script again after a change and commit its
output, so that the build needs no Python:

    python3 resources/tools/drawpictures.py

Only the files named here are written; hand-made sources beside them (such as
the splash, image/200.svg) are left alone.
"""
import math
import os
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "dock", "image")
written = []


def fmt(v):
    """Short number text for coordinates."""
    if isinstance(v, float):
        s = "%.2f" % v
        s = s.rstrip("0").rstrip(".")
        return "0" if s == "-0" else s
    return str(v)


def pts(points):
    return " ".join("%s,%s" % (fmt(x), fmt(y)) for x, y in points)


def save(rel, w, h, body, defs=""):
    path = os.path.join(ROOT, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    text = '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">\n' % (w, h, w, h)
    if defs:
        text += "<defs>\n" + defs + "</defs>\n"
    text += body.strip("\n") + "\n</svg>\n"
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)
    written.append(rel)


def lin(id_, c1, c2, x2=0, y2=1, o1=1, o2=1):
    return ('<linearGradient id="%s" x1="0" y1="0" x2="%s" y2="%s">'
            '<stop offset="0" stop-color="%s" stop-opacity="%s"/>'
            '<stop offset="1" stop-color="%s" stop-opacity="%s"/></linearGradient>\n'
            % (id_, x2, y2, c1, o1, c2, o2))


def radial(id_, stops, cx=0.5, cy=0.5, r=0.5):
    s = "".join('<stop offset="%s" stop-color="%s" stop-opacity="%s"/>' % st for st in stops)
    return '<radialGradient id="%s" cx="%s" cy="%s" r="%s">%s</radialGradient>\n' % (id_, cx, cy, r, s)


def stroke(content, colour="#fff", width=7, opacity=1):
    op = "" if opacity == 1 else ' stroke-opacity="%s"' % opacity
    return ('<g fill="none" stroke="%s" stroke-width="%s"%s stroke-linecap="round" '
            'stroke-linejoin="round">\n%s\n</g>' % (colour, fmt(width), op, content))


def fill(content, colour="#fff", opacity=1):
    op = "" if opacity == 1 else ' fill-opacity="%s"' % opacity
    return '<g fill="%s"%s stroke="none">\n%s\n</g>' % (colour, op, content)


# ---------------------------------------------------------------- shapes

def circle_hits(c1, r1, c2, r2):
    """The two crossing points of two circles (upper one first, by y)."""
    (x1, y1), (x2, y2) = c1, c2
    d = math.hypot(x2 - x1, y2 - y1)
    a = (r1 * r1 - r2 * r2 + d * d) / (2 * d)
    h = math.sqrt(max(r1 * r1 - a * a, 0))
    mx, my = x1 + a * (x2 - x1) / d, y1 + a * (y2 - y1) / d
    p = (mx + h * (y2 - y1) / d, my - h * (x2 - x1) / d)
    q = (mx - h * (y2 - y1) / d, my + h * (x2 - x1) / d)
    return (p, q) if p[1] < q[1] else (q, p)


def arc_to(c, r, start, end, sweep=1):
    a0 = math.atan2(start[1] - c[1], start[0] - c[0])
    a1 = math.atan2(end[1] - c[1], end[0] - c[0])
    span = (a1 - a0) % (2 * math.pi) if sweep else (a0 - a1) % (2 * math.pi)
    large = 1 if span > math.pi else 0
    return "A%s %s 0 %d %d %s %s" % (fmt(r), fmt(r), large, sweep, fmt(end[0]), fmt(end[1]))


def cloud_path(x, y, w):
    """A cloud of three lobes on a flat base; (x, y) is its top-left, w its width."""
    s = w / 100.0
    base = y + 60 * s
    lobes = [((x + 24 * s, y + 42 * s), 18 * s), ((x + 50 * s, y + 27 * s), 25 * s), ((x + 77 * s, y + 40 * s), 20 * s)]
    (c1, r1), (c2, r2), (c3, r3) = lobes
    p12 = circle_hits(c1, r1, c2, r2)[0]
    p23 = circle_hits(c2, r2, c3, r3)[0]
    start = (c1[0], base)
    end = (c3[0], base)
    # round the bottom corners a little below the lobes
    d = "M%s %s " % (fmt(start[0]), fmt(start[1]))
    d += arc_to(c1, r1, start, p12) + " "
    d += arc_to(c2, r2, p12, p23) + " "
    d += arc_to(c3, r3, p23, end) + " Z"
    return d


def cloud(x, y, w, colour="#fff", opacity=1, extra=""):
    op = "" if opacity == 1 else ' fill-opacity="%s"' % opacity
    return '<path d="%s" fill="%s"%s%s/>' % (cloud_path(x, y, w), colour, op, extra)


def gear_path(cx, cy, r_out, r_in, teeth, hole):
    pts_ = []
    n = teeth * 4
    for i in range(n):
        a = 2 * math.pi * i / n - math.pi / 2 + math.pi / n
        r = r_out if (i % 4) in (0, 1) else r_in
        pts_.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    d = "M" + " L".join("%s %s" % (fmt(px), fmt(py)) for px, py in pts_) + " Z "
    # the hole, as a second sub-path for the even-odd rule
    d += "M%s %s a%s %s 0 1 0 %s 0 a%s %s 0 1 0 %s 0 Z" % (
        fmt(cx - hole), fmt(cy), fmt(hole), fmt(hole), fmt(2 * hole), fmt(hole), fmt(hole), fmt(-2 * hole))
    return d


def gear(cx, cy, r_out, colour="#fff", teeth=8, opacity=1):
    op = "" if opacity == 1 else ' fill-opacity="%s"' % opacity
    return '<path d="%s" fill="%s"%s fill-rule="evenodd"/>' % (
        gear_path(cx, cy, r_out, r_out * 0.74, teeth, r_out * 0.34), colour, op)


def rays(cx, cy, r1, r2, n=8, offset=0.0):
    out = []
    for i in range(n):
        a = 2 * math.pi * i / n + offset
        out.append("M%s %s L%s %s" % (fmt(cx + r1 * math.cos(a)), fmt(cy + r1 * math.sin(a)),
                                       fmt(cx + r2 * math.cos(a)), fmt(cy + r2 * math.sin(a))))
    return " ".join(out)


def sun(cx, cy, r, colour="#ffc93c", ray_colour=None):
    ray_colour = ray_colour or colour
    return ('<path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round"/>'
            '<circle cx="%s" cy="%s" r="%s" fill="%s"/>'
            % (rays(cx, cy, r * 1.35, r * 1.75), ray_colour, fmt(r * 0.28), fmt(cx), fmt(cy), fmt(r), colour))


def arc_arrow(c, r, start_deg, span_deg, width, head, colour="#fff"):
    """An arc running clockwise from start_deg over span_deg, with an arrow head at its end."""
    a0 = math.radians(start_deg)
    a1 = math.radians(start_deg + span_deg)
    p0 = (c[0] + r * math.cos(a0), c[1] + r * math.sin(a0))
    p1 = (c[0] + r * math.cos(a1), c[1] + r * math.sin(a1))
    large = 1 if span_deg > 180 else 0
    d = "M%s %s A%s %s 0 %d 1 %s %s" % (fmt(p0[0]), fmt(p0[1]), fmt(r), fmt(r), large, fmt(p1[0]), fmt(p1[1]))
    t = (-math.sin(a1), math.cos(a1))      # direction of travel at the end
    n = (math.cos(a1), math.sin(a1))       # outwards
    tip = (p1[0] + t[0] * head * 1.1, p1[1] + t[1] * head * 1.1)
    b1 = (p1[0] + n[0] * head - t[0] * head * 0.2, p1[1] + n[1] * head - t[1] * head * 0.2)
    b2 = (p1[0] - n[0] * head - t[0] * head * 0.2, p1[1] - n[1] * head - t[1] * head * 0.2)
    return ('<path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round"/>'
            '<polygon points="%s" fill="%s" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>'
            % (d, colour, fmt(width), pts([tip, b1, b2]), colour, colour, fmt(width * 0.4)))


def snowflake(cx, cy, r, colour="#fff", width=3):
    d = rays(cx, cy, 0, r, 6, math.pi / 2)
    return '<path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round"/>' % (d, colour, fmt(width))


def drop_lines(points, length, colour, width, slant=0.35):
    d = " ".join("M%s %s l%s %s" % (fmt(x), fmt(y), fmt(-length * slant), fmt(length)) for x, y in points)
    return '<path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round"/>' % (d, colour, fmt(width))


def bolt(x, y, s, colour="#ffd43b", opacity=1):
    p = [(x + 14 * s, y), (x + 2 * s, y + 26 * s), (x + 12 * s, y + 26 * s), (x + 4 * s, y + 48 * s),
         (x + 26 * s, y + 18 * s), (x + 15 * s, y + 18 * s), (x + 24 * s, y)]
    op = "" if opacity == 1 else ' fill-opacity="%s"' % opacity
    return '<polygon points="%s" fill="%s"%s stroke-linejoin="round"/>' % (pts(p), colour, op)


def question(cx, cy, s, colour="#fff", width=None):
    """A question mark drawn with a stroke, centred at (cx, cy), about 40*s high."""
    width = width or 7 * s
    d = "M%s %s a%s %s 0 1 1 %s %s c%s %s %s %s %s %s v%s" % (
        fmt(cx - 11 * s), fmt(cy - 9 * s), fmt(11 * s), fmt(11 * s), fmt(16 * s), fmt(9.5 * s),
        fmt(-3.5 * s), fmt(2 * s), fmt(-5 * s), fmt(4 * s), fmt(-5 * s), fmt(8 * s), fmt(3 * s))
    return ('<path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round" stroke-linejoin="round"/>'
            '<circle cx="%s" cy="%s" r="%s" fill="%s"/>'
            % (d, colour, fmt(width), fmt(cx), fmt(cy + 17 * s), fmt(width * 0.62), colour))


# Stroke digits of clock face 1, drawn in a 56 x 90 box.
DIGIT_STROKES = {
    "0": '<rect x="11" y="10" width="34" height="70" rx="17"/>',
    "1": '<path d="M19 23 L32 11 V80"/>',
    "2": '<path d="M12 27 C12 6 46 6 46 28 C46 45 14 60 12 80 H46"/>',
    "3": '<path d="M12 12 H44 L27 38 C40 36 47 46 47 58 C47 82 17 86 10 70"/>',
    "4": '<path d="M37 80 V11 L10 58 H48"/>',
    "5": '<path d="M44 12 H17 L14 41 C20 36 26 35 32 36 C49 39 49 78 30 80 C21 81 14 78 10 71"/>',
    "6": '<path d="M42 14 C26 8 11 24 11 54 C11 72 19 80 29 80 C40 80 46 71 46 61 C46 51 40 43 29 43 C20 43 13 49 11 56"/>',
    "7": '<path d="M10 12 H46 L24 80"/>',
    "8": '<ellipse cx="28" cy="28" rx="15" ry="16"/><ellipse cx="28" cy="61" rx="17" ry="18"/>',
    "9": '<g transform="rotate(180 28 45)"><path d="M42 14 C26 8 11 24 11 54 C11 72 19 80 29 80 C40 80 46 71 46 61 C46 51 40 43 29 43 C20 43 13 49 11 56"/></g>',
}


def stroke_digits(text, x, y, scale, colour, width=10):
    """Clock-face-1 digits at (x, y), each 56*scale wide; ':' is a colon."""
    out = []
    cx = x
    for ch in text:
        if ch == ":":
            out.append('<g transform="translate(%s %s) scale(%s)" fill="%s"><circle cx="14" cy="32" r="6"/><circle cx="14" cy="62" r="6"/></g>'
                       % (fmt(cx), fmt(y), fmt(scale), colour))
            cx += 28 * scale
        else:
            out.append('<g transform="translate(%s %s) scale(%s)" fill="none" stroke="%s" stroke-width="%s" '
                       'stroke-linecap="round" stroke-linejoin="round">%s</g>'
                       % (fmt(cx), fmt(y), fmt(scale), colour, width, DIGIT_STROKES[ch]))
            cx += 56 * scale
    return "\n".join(out)


# Seven-segment digits of clock face 2, in a 56 x 90 box.
SEGMENTS = {"0": "abcdef", "1": "bc", "2": "abged", "3": "abgcd", "4": "fgbc", "5": "afgcd",
            "6": "afgedc", "7": "abc", "8": "abcdefg", "9": "abcdfg"}


def segment_polygon(name, t=10.0):
    h = t / 2
    def horiz(y, x1=12, x2=44):
        return [(x1, y), (x1 + h, y - h), (x2 - h, y - h), (x2, y), (x2 - h, y + h), (x1 + h, y + h)]
    def vert(x, y1, y2):
        return [(x, y1), (x + h, y1 + h), (x + h, y2 - h), (x, y2), (x - h, y2 - h), (x - h, y1 + h)]
    return {"a": horiz(10), "g": horiz(45), "d": horiz(80),
            "f": vert(9, 12, 43), "b": vert(47, 12, 43), "e": vert(9, 47, 78), "c": vert(47, 47, 78)}[name]


def lcd_digits(text, x, y, scale, colour, off_opacity=0.08):
    out = []
    cx = x
    for ch in text:
        g = []
        if ch == ":":
            g.append('<rect x="10" y="28" width="8" height="8" fill="%s"/><rect x="10" y="56" width="8" height="8" fill="%s"/>' % (colour, colour))
            w = 28
        else:
            for s in "abcdefg":
                on = s in SEGMENTS[ch]
                op = "" if on else ' fill-opacity="%s"' % off_opacity
                g.append('<polygon points="%s" fill="%s"%s/>' % (pts(segment_polygon(s)), colour, op))
            w = 56
        out.append('<g transform="translate(%s %s) scale(%s)">%s</g>' % (fmt(cx), fmt(y), fmt(scale), "".join(g)))
        cx += w * scale
    return "\n".join(out)


# Stroke letters of the name, for the logos (baseline at y 16, x-height 11).
LETTERS = {
    "Z": (11, "M0 0 H11 L0 16 H11"),
    "o": (11, "M5.5 5 C8.5 5 11 7.5 11 10.5 C11 13.5 8.5 16 5.5 16 C2.5 16 0 13.5 0 10.5 C0 7.5 2.5 5 5.5 5 Z"),
    "r": (7, "M0 5 V16 M0 10 C0 6.5 3 5 7 5"),
    "v": (10, "M0 5 L5 16 L10 5"),
    "a": (10, "M10 10.5 C10 13.5 8 16 5 16 C2 16 0 13.5 0 10.5 C0 7.5 2 5 5 5 C8 5 10 7.5 10 10.5 M10 5 V16"),
    "n": (10, "M0 5 V16 M0 10 C0 6.5 2.5 5 5.2 5 C8 5 10 6.5 10 10 V16"),
    "e": (10.5, "M0.5 10.5 H10.5 C10.5 7 8 5 5.3 5 C2.4 5 0 7.5 0 10.5 C0 13.8 2.4 16 5.5 16 C7.5 16 9 15.3 10 14"),
}


def word(text, x, y, scale, colour, width=2.4):
    out = []
    cx = 0.0
    for ch in text:
        w, d = LETTERS[ch]
        out.append('<path transform="translate(%s 0)" d="%s"/>' % (fmt(cx), d))
        cx += w + 3.6
    return ('<g transform="translate(%s %s) scale(%s)" fill="none" stroke="%s" stroke-width="%s" '
            'stroke-linecap="round" stroke-linejoin="round">%s</g>' % (fmt(x), fmt(y), fmt(scale), colour, fmt(width / scale), "".join(out)))


def word_width(text):
    return sum(LETTERS[c][0] for c in text) + 3.6 * (len(text) - 1)


# ---------------------------------------------------------------- app tiles

def tile(rel, c1, c2, glyph, size=128, defs=""):
    body = ('<rect x="6" y="6" width="116" height="116" rx="26" fill="url(#tile)"/>\n'
            '<rect x="7" y="7" width="114" height="114" rx="25" fill="none" stroke="#fff" stroke-opacity="0.22" stroke-width="2"/>\n'
            + glyph)
    save(rel, size, size, body, lin("tile", c1, c2) + defs)


def rocket(cx, top, s, body="#fff", window="#3b4b9a", fins="#dfe6ff", flame_len=1.0, flame=("#ffb13b", "#ffe66b")):
    """A rocket standing on its flame; top is the nose tip, s the scale (1 = 56 px high)."""
    def P(x, y):
        return (cx + x * s, top + y * s)
    hull = "M%s %s C%s %s %s %s %s %s H%s C%s %s %s %s %s %s Z" % (
        *map(fmt, P(0, 0)), *map(fmt, P(15, 10)), *map(fmt, P(18, 32)), *map(fmt, P(13, 50)), fmt(P(-13, 50)[0]),
        *map(fmt, P(-18, 32)), *map(fmt, P(-15, 10)), *map(fmt, P(0, 0)))
    fin_l = pts([P(-14, 36), P(-27, 56), P(-12, 52)])
    fin_r = pts([P(14, 36), P(27, 56), P(12, 52)])
    fl = 20 * flame_len
    outer = "M%s %s Q%s %s %s %s Q%s %s %s %s Z" % (
        *map(fmt, P(-10, 52)), *map(fmt, P(-9, 52 + fl * 0.6)), *map(fmt, P(0, 52 + fl)),
        *map(fmt, P(9, 52 + fl * 0.6)), *map(fmt, P(10, 52)))
    inner = "M%s %s Q%s %s %s %s Q%s %s %s %s Z" % (
        *map(fmt, P(-5, 52)), *map(fmt, P(-4, 52 + fl * 0.4)), *map(fmt, P(0, 52 + fl * 0.7)),
        *map(fmt, P(4, 52 + fl * 0.4)), *map(fmt, P(5, 52)))
    return ('<path d="%s" fill="%s"/><path d="%s" fill="%s"/>'
            '<polygon points="%s" fill="%s"/><polygon points="%s" fill="%s"/>'
            '<path d="%s" fill="%s"/>'
            '<circle cx="%s" cy="%s" r="%s" fill="%s"/>'
            % (outer, flame[0], inner, flame[1], fin_l, fins, fin_r, fins, hull, body,
               fmt(cx), fmt(top + 22 * s), fmt(6.5 * s), window))


def doc(x=40, y=28, w=50, h=72, fold=16):
    return '<path d="M%d %d H%d L%d %d V%d H%d Z M%d %d V%d H%d"/>' % (
        x, y, x + w - fold, x + w, y + fold, y + h, x, x + w - fold, y, y + fold, x + w)


def draw_tiles():
    T = tile
    T("icon/Finder.svg", "#4a90e2", "#2059b0", stroke(
        '<rect x="28" y="34" width="72" height="48" rx="7"/><path d="M64 82 V96 M48 97 H80"/>'))
    T("icon/Finder-Retro.svg", "#4fb3a9", "#23766f", stroke(
        '<rect x="32" y="28" width="64" height="60" rx="9"/><path d="M44 100 H84 M52 88 L48 100 M76 88 L80 100"/>', width=6)
      + fill('<rect x="42" y="38" width="44" height="32" rx="4"/>', opacity=0.35)
      + fill('<circle cx="82" cy="79" r="3.5"/>'))
    T("icon/LaunchPad.svg", "#7b86f2", "#3e47b8", fill("".join(
        '<rect x="%d" y="%d" width="17" height="17" rx="5"/>' % (34 + 22 * (i % 3), 34 + 22 * (i // 3)) for i in range(9))))
    T("icon/library.svg", "#f0a04b", "#c06a17", stroke(
        '<rect x="32" y="34" width="15" height="60" rx="3"/><rect x="53" y="34" width="15" height="60" rx="3"/>'
        '<path d="M75 40 L89 36 L101 90 L87 94 Z"/><path d="M32 50 H47 M53 50 H68"/>', width=6))
    T("icon/setup.svg", "#7a8ba3", "#4a5a70", stroke('<path d="M32 42 H96 M32 64 H96 M32 86 H96"/>', width=6)
      + fill('<circle cx="52" cy="42" r="9"/><circle cx="80" cy="64" r="9"/><circle cx="60" cy="86" r="9"/>'))
    T("icon/Weather.svg", "#5fb8ff", "#2a7bd4", sun(50, 50, 15) + cloud(40, 48, 64, "#fff"))
    T("icon/Search.svg", "#47c1e6", "#1d86b8", stroke('<circle cx="57" cy="57" r="21"/><path d="M73 73 L93 93"/>', width=9))
    T("icon/Film.svg", "#ff6b6b", "#c7303d", stroke(
        '<rect x="32" y="56" width="64" height="40" rx="6"/><path d="M31 48 L91 36 L89 26 L29 38 Z"/>'
        '<path d="M45 45 L41 35 M61 42 L57 32 M77 39 L73 29"/>', width=6)
      + fill('<polygon points="58,66 58,86 76,76"/>'))
    T("icon/Screenshot.svg", "#7b6cf6", "#4736c9", stroke(
        '<path d="M32 50 V34 H48 M80 34 H96 V50 M96 78 V94 H80 M48 94 H32 V78"/><path d="M64 54 V74 M54 64 H74"/>', width=6))
    T("icon/Sip.svg", "#ff70b0", "#d6367b", stroke('<path d="M38 90 L74 54"/><path d="M64 44 L84 64"/>', width=8)
      + fill('<circle cx="84" cy="44" r="13"/><circle cx="34" cy="96" r="4"/>'))
    T("icon/Calculator.svg", "#6e7b8b", "#3d4652", stroke('<rect x="36" y="26" width="56" height="76" rx="9"/>', width=6)
      + fill('<rect x="45" y="35" width="38" height="15" rx="3" fill="#ffb347"/>'
             + "".join('<circle cx="%d" cy="%d" r="4.5"/>' % (51 + 13 * (i % 3), 63 + 13 * (i // 3)) for i in range(9))))
    power = '<path d="M49 43 A26 26 0 1 0 79 43 M64 32 V62"/>'
    T("icon/ShutDown.svg", "#ff5a5a", "#c62828", stroke(power, width=8))
    T("icon/TimeShutDown.svg", "#ff8a5c", "#d9442b", stroke(
        '<circle cx="58" cy="68" r="26"/><path d="M58 54 V68 L69 75"/>', width=6)
      + fill('<circle cx="88" cy="40" r="15"/>')
      + stroke('<path d="M82 35 A8 8 0 1 0 94 35 M88 30 V40"/>', colour="#d9442b", width=3.5))
    T("icon/Cmd.svg", "#4a4f57", "#15171a", stroke('<path d="M36 46 L54 62 L36 78 M62 82 H90"/>', width=8))
    T("icon/StartMenu.svg", "#4f8dff", "#2856c7", fill(
        '<rect x="32" y="34" width="12" height="12" rx="3"/><rect x="44" y="58" width="12" height="12" rx="3"/>'
        '<rect x="44" y="82" width="12" height="12" rx="3"/>')
      + stroke('<path d="M52 40 H94 M64 64 H94 M64 88 H94 M38 46 V88 H44 M38 64 H44"/>', width=5))
    T("icon/Setting1.svg", "#8e99a8", "#56616f", gear(64, 64, 34, teeth=9))
    T("icon/Protection.svg", "#5ed17a", "#2c9a4b", stroke(
        '<path d="M26 64 C42 40 86 40 102 64 C86 88 42 88 26 64 Z"/>', width=6)
      + fill('<circle cx="64" cy="64" r="13"/>'))
    T("icon/Menu.svg", "#6f7ef7", "#3b47c4", fill(
        '<rect x="46" y="34" width="36" height="26" rx="6" fill-opacity="0.45"/>'
        '<rect x="40" y="46" width="48" height="30" rx="7" fill-opacity="0.7"/>'
        '<rect x="33" y="60" width="62" height="36" rx="8"/>'))
    T("icon/Folder.svg", "#53b2ff", "#2c7fda", fill(
        '<path d="M30 44 a7 7 0 0 1 7 -7 h18 l8 8 h28 a7 7 0 0 1 7 7 v8 h-68 z" fill-opacity="0.7"/>'
        '<rect x="30" y="52" width="68" height="42" rx="7"/>'))
    T("icon/UDisk.svg", "#2ec4a6", "#138a74", stroke('<rect x="52" y="26" width="24" height="22" rx="2"/>', width=5)
      + fill('<rect x="45" y="46" width="38" height="56" rx="9"/><rect x="58" y="32" width="4" height="6"/><rect x="66" y="32" width="4" height="6"/>'))
    T("icon/Disk.svg", "#5b6b82", "#34404f", fill('<rect x="24" y="78" width="80" height="26" rx="7" fill-opacity="0.92"/>')
      + stroke('<path d="M36 91 H64"/>', colour="#34404f", width=4)
      + fill('<circle cx="90" cy="91" r="4.5" fill="#38d67a"/>'))
    bin_body = '<path d="M38 36 H90 M56 36 V29 H72 V36 M43 44 L47 96 H81 L85 44 Z"/><path d="M57 56 V84 M71 56 V84"/>'
    T("icon/Recycle.svg", "#7aa7c7", "#4a6f8f", stroke(bin_body, width=6))
    T("icon/Recycle1.svg", "#7aa7c7", "#4a6f8f",
      fill('<circle cx="56" cy="42" r="9"/><circle cx="71" cy="38" r="8"/><circle cx="64" cy="30" r="6"/>', opacity=0.9)
      + stroke('<g transform="rotate(-16 38 40)"><path d="M38 40 H90 M56 40 V33 H72 V40"/></g>'
               '<path d="M43 50 L47 96 H81 L85 50 Z"/><path d="M57 60 V84 M71 60 V84"/>', width=6))
    # clock tiles of the side panel
    T("icon/Clock11.svg", "#3b4450", "#1e242c",
      '<circle cx="64" cy="64" r="40" fill="none" stroke="#fff" stroke-opacity="0.25" stroke-width="6"/>'
      '<path d="M64 24 A40 40 0 1 1 26 76" fill="none" stroke="#ff3657" stroke-width="6" stroke-linecap="round"/>'
      '<circle cx="64" cy="64" r="33" fill="#fff"/>' + stroke_digits("09:41", 38, 52, 0.2, "#2d3440", 11)
      + '<path d="M44 81 H72" stroke="#2d3440" stroke-width="3" stroke-linecap="round"/>')
    T("icon/Clock22.svg", "#3b4450", "#1e242c",
      '<rect x="22" y="36" width="84" height="56" rx="9" fill="#cfdfc0"/>'
      + lcd_digits("12:30", 30, 48, 0.27, "#26331f")
      + '<path d="M32 82 H58" stroke="#26331f" stroke-width="3" stroke-linecap="round"/>')
    T("icon/back.svg", "#8a94a6", "#5b6476", stroke('<path d="M52 38 L36 54 L52 70 M38 54 H74 A18 18 0 0 1 74 90 H58"/>', width=8))
    T("icon/Icon-what.svg", "#a0a7b2", "#666d78", question(64, 58, 1.55))
    T("icon/腾讯QQ.svg", "#3fb6f2", "#1d7fd0", stroke(
        '<path d="M46 34 H82 A14 14 0 0 1 96 48 V66 A14 14 0 0 1 82 80 H62 L46 94 V80 A14 14 0 0 1 32 66 V48 A14 14 0 0 1 46 34 Z"/>', width=6)
      + fill('<circle cx="50" cy="57" r="4.5"/><circle cx="64" cy="57" r="4.5"/><circle cx="78" cy="57" r="4.5"/>'))
    T("icon/Brackets.svg", "#3a7bd5", "#1f4f9a", stroke('<path d="M52 34 H40 V94 H52 M76 34 H88 V94 H76"/>', width=8))
    T("icon/url.svg", "#6a8dff", "#3d55d6", "")
    save("icon/Blank0.svg", 48, 128, '<rect x="20" y="8" width="8" height="112" rx="4" fill="#fff" fill-opacity="0.7"/>')
    save("icon/Blank1.svg", 128, 48, '<rect x="8" y="20" width="112" height="8" rx="4" fill="#fff" fill-opacity="0.7"/>')
    for name, c1, c2 in (("White", "#5fb8ff", "#2676cf"), ("White1", "#a285ff", "#5a3fc0"), ("White2", "#4fd1a0", "#1f8f68"),
                         ("White3", "#ffb061", "#e06a1f"), ("White4", "#6d7582", "#363c45")):
        T("icon/%s.svg" % name, c1, c2, "")
    save("icon/plus.svg", 128, 128,
        '<rect x="12" y="12" width="104" height="104" rx="26" fill="#fff" fill-opacity="0.14" stroke="#fff" '
        'stroke-width="5" stroke-dasharray="13 9"/>' + stroke('<path d="M64 40 V88 M40 64 H88"/>', width=10))

    # the built-in library
    T("icon/Font-Book.svg", "#9a78d6", "#5a3f95", stroke('<path d="M30 94 L50 36 L70 94 M37 76 H63"/><circle cx="87" cy="84" r="9"/><path d="M96 74 V94"/>', width=7))
    T("icon/Github.svg", "#4a515d", "#1f242b", stroke(
        '<circle cx="46" cy="38" r="8"/><circle cx="46" cy="90" r="8"/><circle cx="82" cy="50" r="8"/>'
        '<path d="M46 46 V82 M82 58 C82 74 48 68 46 82"/>', width=6))
    T("icon/Google-Chrome.svg", "#35b3c9", "#1a7f9a", stroke(
        '<circle cx="64" cy="64" r="31"/><ellipse cx="64" cy="64" rx="13" ry="31"/><path d="M33 64 H95 M38 49 H90 M38 79 H90"/>', width=5))
    T("icon/huojian.svg", "#ff9a4d", "#e5552b", rocket(64, 22, 1.25, window="#e5552b"))
    T("icon/Icon-Slate.svg", "#5f7d8c", "#36505c", stroke('<rect x="30" y="38" width="54" height="54" rx="6"/>', width=6)
      + stroke('<path d="M62 84 L96 50"/>', width=11) + fill('<polygon points="55,91 58,80 66,88"/>'))
    checks = "".join('<path d="M32 %d L39 %d L50 %d"/><path d="M60 %d H96"/>' % (y, y + 6, y - 7, y) for y in (42, 64, 86))
    T("icon/Icon-Tester.svg", "#ff6b8b", "#d63a62", stroke(checks, width=6))
    T("icon/iTunes.svg", "#ff5e8a", "#c2306b", stroke('<path d="M54 86 V42 L88 34 V78 M54 54 L88 46"/>', width=6)
      + fill('<ellipse cx="45" cy="87" rx="10" ry="8"/><ellipse cx="79" cy="79" rx="10" ry="8"/>'))
    T("icon/Mail.svg", "#4aa8ff", "#1f6fd1", stroke('<rect x="28" y="40" width="72" height="50" rx="7"/><path d="M31 44 L64 69 L97 44"/>', width=6))
    T("icon/Mail-Stamp.svg", "#f2a541", "#c9701c",
      '<rect x="36" y="32" width="56" height="64" fill="#fff" stroke="#fff" stroke-width="8" stroke-dasharray="3 5"/>'
      '<rect x="44" y="40" width="40" height="48" fill="#c9701c" fill-opacity="0.35"/>'
      '<polygon points="46,86 58,64 66,74 72,66 82,86" fill="#c9701c"/><circle cx="74" cy="52" r="5" fill="#c9701c"/>')
    T("icon/Maps.svg", "#5fcf8a", "#2e9c5d", stroke(
        '<path d="M30 44 L52 36 L76 44 L98 36 V84 L76 92 L52 84 L30 92 Z M52 36 V84 M76 44 V92"/>', width=6))
    T("icon/Mendeley.svg", "#d9534f", "#a82b2b", stroke('<rect x="36" y="28" width="56" height="72" rx="7"/><path d="M46 70 H82 M46 82 H72"/>', width=6)
      + fill('<path d="M48 28 H70 V58 L59 50 L48 58 Z"/>'))
    T("icon/MeshLab.svg", "#7e8ce0", "#4c57b0", stroke(
        '<path d="M64 28 L28 94 H100 Z M46 61 H82 L64 94 Z M64 28 L64 61"/>', width=5))
    T("icon/Discord.svg", "#7b83eb", "#4e56c4", stroke(
        '<path d="M40 48 H88 C100 48 106 86 96 91 C87 95 82 80 76 78 H52 C46 80 41 95 32 91 C22 86 28 48 40 48 Z"/>'
        '<path d="M45 63 H59 M52 56 V70"/>', width=6)
      + fill('<circle cx="78" cy="60" r="4"/><circle cx="87" cy="68" r="4"/>'))
    T("icon/DVD-Player.svg", "#4b4f58", "#23262c",
      '<circle cx="64" cy="64" r="34" fill="#fff" fill-opacity="0.92"/>'
      '<circle cx="64" cy="64" r="20" fill="none" stroke="#23262c" stroke-opacity="0.25" stroke-width="3"/>'
      '<circle cx="64" cy="64" r="9" fill="#2f333b"/>')
    c1, r1, c2, r2 = (62, 66), 32, (76, 56), 28
    hi, lo = circle_hits(c1, r1, c2, r2)
    crescent = "M%s %s %s %s Z" % (fmt(hi[0]), fmt(hi[1]), arc_to(c1, r1, hi, lo, 0), arc_to(c2, r2, lo, hi, 1))
    T("icon/Eclipse.svg", "#4a3a86", "#1b1438", '<path d="%s" fill="#fff"/>' % crescent
      + '<circle cx="76" cy="56" r="28" fill="none" stroke="#fff" stroke-opacity="0.3" stroke-width="3"/>')
    T("icon/Evernote.svg", "#3cc476", "#1a8a4c", stroke(
        '<rect x="40" y="28" width="54" height="72" rx="7"/><path d="M33 42 H47 M33 58 H47 M33 74 H47 M33 90 H47 M58 50 H82 M58 64 H82"/>', width=6))
    T("icon/Filezilla.svg", "#d8453b", "#a3241d", stroke(
        '<path d="M48 94 V36 M34 50 L48 36 L62 50 M80 34 V92 M66 78 L80 92 L94 78"/>', width=7))
    T("icon/Blender.svg", "#f08a24", "#c05a0c", fill(
        '<polygon points="64,28 96,46 64,64 32,46" fill-opacity="0.95"/>'
        '<polygon points="32,46 64,64 64,100 32,82" fill-opacity="0.72"/>'
        '<polygon points="96,46 64,64 64,100 96,82" fill-opacity="0.5"/>'))
    T("icon/Calendar.svg", "#ff6b5f", "#d63b33", stroke(
        '<rect x="30" y="36" width="68" height="62" rx="9"/><path d="M30 54 H98 M48 28 V42 M80 28 V42"/>', width=6)
      + fill("".join('<rect x="%d" y="%d" width="10" height="9" rx="2"/>' % (42 + 17 * (i % 3), 64 + 16 * (i // 3)) for i in range(6))))
    T("icon/Cyberduck.svg", "#f6c945", "#d89a12", cloud(24, 30, 80, "#fff")
      + stroke('<path d="M64 86 V60 M53 71 L64 60 L75 71"/>', colour="#d89a12", width=7))
    T("icon/Dictionary.svg", "#b5653a", "#6b3214", stroke(
        '<path d="M64 42 C54 35 40 35 30 40 V92 C40 87 54 87 64 94 C74 87 88 87 98 92 V40 C88 35 74 35 64 42 Z M64 42 V94"/>', width=6))
    T("icon/Bartender.svg", "#3e566d", "#12202d", stroke('<path d="M34 36 H94 L64 68 Z M64 68 V94 M48 96 H80"/>', width=6)
      + fill('<circle cx="58" cy="46" r="5" fill="#9be07a"/>'))
    T("icon/App-Store.svg", "#3aa0ff", "#1565d8", stroke(
        '<path d="M36 50 H92 L87 98 H41 Z M52 58 V44 A12 12 0 0 1 76 44 V58"/>', width=6))
    T("icon/Anti-Virus.svg", "#38c172", "#1e8a4a", stroke(
        '<path d="M64 28 L94 39 V62 C94 80 82 93 64 100 C46 93 34 80 34 62 V39 Z M50 64 L60 74 L79 54"/>', width=6))
    T("icon/Android-Studio.svg", "#4caf7d", "#23764f", stroke(
        '<rect x="40" y="26" width="48" height="76" rx="9"/><path d="M58 36 H70 M56 56 L48 64 L56 72 M72 56 L80 64 L72 72"/>', width=5))
    T("icon/XAMPP.svg", "#fb8a3c", "#c94c06", stroke(
        "".join('<rect x="32" y="%d" width="64" height="20" rx="5"/><path d="M42 %d H60"/>' % (y, y + 10) for y in (30, 54, 78)), width=5)
      + fill("".join('<circle cx="84" cy="%d" r="3.5"/>' % (y + 10) for y in (30, 54, 78))))
    T("icon/WhatsApp.svg", "#2bb0a1", "#16796f", fill(
        '<path d="M42 32 C46 30 50 32 52 36 L58 48 C60 52 58 56 55 58 L50 61 C54 70 61 77 70 81 L73 76 '
        'C75 73 79 71 83 73 L95 79 C99 81 100 85 98 89 L94 96 C92 100 88 101 84 100 C60 95 36 71 30 46 C29 42 31 38 35 36 Z"/>'))
    T("icon/Unarchiver.svg", "#c49a6c", "#8a6236", stroke(
        '<path d="M30 48 L38 32 H90 L98 48 Z M32 48 V96 H96 V48"/>', width=6)
      + fill('<rect x="58" y="48" width="12" height="8"/><rect x="58" y="62" width="12" height="8"/><rect x="58" y="76" width="12" height="8"/>'))
    T("icon/Time-Machine.svg", "#4e5bd0", "#28309a", stroke(
        '<path d="M36 50 A32 32 0 1 1 34 74"/><path d="M27 40 L35 52 L48 46"/><path d="M66 46 V66 L78 74"/>', width=6))
    T("icon/Telegram.svg", "#45a9e0", "#1d6fa8", stroke(
        '<path d="M46 32 H82 A14 14 0 0 1 96 46 V66 A14 14 0 0 1 82 80 H62 L46 94 V80 A14 14 0 0 1 32 66 V46 A14 14 0 0 1 46 32 Z"/>'
        '<path d="M48 56 H78 M68 46 L78 56 L68 66"/>', width=6))
    T("icon/Spotify.svg", "#a46bff", "#6a35c9", stroke('<path d="M34 78 V66 A30 30 0 0 1 94 66 V78"/>', width=6)
      + fill('<rect x="28" y="68" width="16" height="28" rx="6"/><rect x="84" y="68" width="16" height="28" rx="6"/>'))
    T("icon/Skype.svg", "#2ab3f0", "#0c79c0", stroke('<rect x="28" y="44" width="52" height="40" rx="8"/><path d="M80 58 L100 46 V82 L80 70"/>', width=6))
    compass = (stroke('<circle cx="64" cy="64" r="33"/>', width=5)
               + stroke('<path d="M64 34 V40 M64 88 V94 M34 64 H40 M88 64 H94"/>', width=4))
    T("icon/Safari.svg", "#4aa3ff", "#1b63cf", compass
      + '<polygon points="84,44 70,70 44,84 58,58" fill="#fff"/><polygon points="84,44 70,70 58,58" fill="#ff5a5a"/>')
    T("icon/SafariRedux.svg", "#36404e", "#11161d", compass
      + '<polygon points="84,44 70,70 44,84 58,58" fill="#fff"/><polygon points="84,44 70,70 58,58" fill="#4aa3ff"/>')
    T("icon/Preview.svg", "#59b7ff", "#2879d6", stroke('<rect x="28" y="32" width="58" height="48" rx="6"/>', width=5)
      + fill('<polygon points="33,75 48,56 58,67 66,60 81,75"/>')
      + '<circle cx="82" cy="80" r="14" fill="#fff" fill-opacity="0.3" stroke="#fff" stroke-width="6"/>'
      + stroke('<path d="M92 90 L101 99"/>', width=8))
    T("icon/Pomodoro.svg", "#ff6b57", "#d23a28", stroke(
        '<circle cx="64" cy="70" r="27"/><path d="M56 34 H72 M64 35 V43 M64 70 L76 58 M88 44 L93 39"/>', width=6))
    T("icon/Pocket-Casts.svg", "#f7706a", "#c9302a", fill('<rect x="52" y="26" width="24" height="48" rx="12"/>')
      + stroke('<path d="M41 62 A23 23 0 0 0 87 62 M64 85 V98 M51 99 H77"/>', width=6))
    T("icon/Photos.svg", "#ffb347", "#f06d2d", stroke('<rect x="28" y="34" width="72" height="60" rx="7"/>', width=6)
      + fill('<polygon points="35,87 55,62 69,76 79,66 93,87"/><circle cx="81" cy="50" r="7"/>'))
    T("icon/Notes.svg", "#ffd24d", "#f2a900", fill('<rect x="36" y="28" width="56" height="72" rx="7"/>')
      + stroke('<path d="M46 50 H82 M46 64 H82 M46 78 H70"/>', colour="#e8a200", width=5)
      + fill('<rect x="36" y="28" width="56" height="12" rx="6" fill="#f2b705"/>'))
    T("icon/Microsoft-Word.svg", "#3b7ddd", "#1d4fa6", stroke(doc() + '<path d="M50 58 H80 M50 70 H80 M50 82 H70"/>', width=6))
    T("icon/Microsoft-PowerPoint.svg", "#f0753b", "#c4461a", stroke(
        '<rect x="26" y="34" width="76" height="50" rx="6"/><path d="M64 84 V95 M50 97 H78 M78 72 V62 M88 72 V52"/>', width=6)
      + fill('<path d="M50 46 A13 13 0 1 0 63 59 H50 Z"/>'))
    T("icon/Microsoft-Outlook.svg", "#2f8ee5", "#125ca8", stroke(
        '<path d="M28 68 L39 38 H89 L100 68 V92 H28 Z M28 68 H50 L56 78 H72 L78 68 H100"/>', width=6))
    T("icon/Microsoft-OneNote.svg", "#9a66dc", "#5b2f9a", stroke(
        '<rect x="32" y="28" width="52" height="72" rx="7"/><path d="M44 50 H72 M44 64 H72 M44 78 H64"/>', width=6)
      + fill('<rect x="87" y="36" width="11" height="14" rx="3"/><rect x="87" y="56" width="11" height="14" rx="3" fill-opacity="0.7"/>'
             '<rect x="87" y="76" width="11" height="14" rx="3" fill-opacity="0.45"/>'))
    T("icon/Microsoft-Excel.svg", "#2fa866", "#14703d", stroke(
        '<rect x="30" y="32" width="68" height="64" rx="6"/><path d="M30 53 H98 M30 75 H98 M53 32 V96 M75 32 V96"/>', width=5))
    T("icon/Adobe-Acrobat.svg", "#e5484d", "#b01e2a", stroke(doc() + '<path d="M50 80 C56 56 68 94 80 64"/>', width=6))
    T("icon/Adobe-AfterEffects.svg", "#9a7bff", "#5535c4", stroke('<path d="M28 84 H100 M32 62 C48 30 70 76 96 40"/>', width=6)
      + fill('<polygon points="46,74 56,84 46,94 36,84"/><polygon points="78,74 88,84 78,94 68,84"/>'))
    T("icon/Adobe-Bridge.svg", "#d4953a", "#8f5a10", stroke(
        '<path d="M26 86 H102 M34 86 C42 50 86 50 94 86 M51 67 V86 M64 62 V86 M77 67 V86"/>', width=6))
    T("icon/Adobe-Dreamweaver.svg", "#3cb46e", "#1b7a45", stroke('<path d="M48 44 L30 64 L48 84 M80 44 L98 64 L80 84 M71 36 L57 92"/>', width=7))
    T("icon/Adobe-Fireworks.svg", "#f2b134", "#d97b0a", stroke(
        '<path d="%s"/>' % rays(60, 58, 10, 30, 10), width=5)
      + stroke('<path d="%s"/>' % rays(92, 92, 4, 11, 6), width=4)
      + fill('<circle cx="60" cy="58" r="5"/>'))
    T("icon/Adobe-Illustrator.svg", "#ff9a2e", "#d96500",
      stroke('<path d="M30 90 C38 36 90 92 98 38"/>', width=6)
      + stroke('<path d="M30 90 L38 36 M98 38 L90 92"/>', width=2.5)
      + fill('<rect x="24" y="84" width="12" height="12" rx="2"/><rect x="92" y="32" width="12" height="12" rx="2"/>'
             '<circle cx="38" cy="36" r="5"/><circle cx="90" cy="92" r="5"/>'))
    T("icon/Adobe-InDesign.svg", "#ff4f85", "#c2124f", stroke('<rect x="32" y="26" width="64" height="76" rx="6"/><path d="M44 70 H84 M44 80 H84 M44 90 H70"/>', width=5)
      + fill('<rect x="44" y="37" width="40" height="22" rx="3"/>'))
    ap = []
    for i in range(6):
        a = math.pi / 3 * i
        x1, y1 = 64 + 13 * math.cos(a), 64 + 13 * math.sin(a)
        x2, y2 = 64 + 32 * math.cos(a + 1.25), 64 + 32 * math.sin(a + 1.25)
        ap.append("M%s %s L%s %s" % (fmt(x1), fmt(y1), fmt(x2), fmt(y2)))
    T("icon/Adobe-Lightroom.svg", "#3d9be9", "#1b5fa6", stroke('<circle cx="64" cy="64" r="32"/><path d="%s"/>' % " ".join(ap), width=5))
    T("icon/Adobe-Photoshop.svg", "#2d9cdb", "#0f5f99", stroke('<path d="M94 32 L66 62"/>', width=9)
      + fill('<path d="M62 58 C70 64 72 72 66 80 C60 88 48 92 32 94 C38 88 38 80 42 72 C46 62 54 56 62 58 Z"/>'))
    T("icon/Adobe-Premiere.svg", "#c056e0", "#8a22ad", stroke('<rect x="28" y="36" width="72" height="56" rx="7"/>', width=6)
      + fill("".join('<rect x="%d" y="%d" width="7" height="6" rx="1"/>' % (36 + 14 * i, y) for i in range(5) for y in (42, 80)))
      + fill('<polygon points="56,52 56,76 76,64"/>'))


# ---------------------------------------------------------------- rocket movie

def draw_rocket_movie():
    bob = [0, -2, -3.5, -2, 0, 1.5, 2.5, 1.5]
    flames = [1.0, 1.25, 0.9, 1.3, 1.05, 1.2, 0.85, 1.3]
    for i in range(8):
        y0 = 20 + bob[i]
        stars = ""
        for j, (sx, sy) in enumerate(((30, 30), (96, 44), (40, 78), (92, 90), (70, 24))):
            yy = (sy + i * 8 + j * 3) % 96 + 16
            stars += '<path d="M%s %s V%s" stroke="#fff" stroke-opacity="0.55" stroke-width="3" stroke-linecap="round"/>' % (
                sx, fmt(yy), fmt(yy + 8))
        glyph = stars + rocket(64, y0, 1.25, window="#3b4b9a", flame_len=flames[i],
                               flame=("#ff9d2e", "#ffe66b") if i % 2 else ("#ffb13b", "#fff3a0"))
        tile_rel = "icon/rocket.gif.frames/%02d.svg" % (i + 1)
        tile(tile_rel, "#5365c9", "#23306f", glyph)
    with open(os.path.join(ROOT, "icon/rocket.gif.frames/delay.txt"), "w") as f:
        f.write("90\n")
    written.append("icon/rocket.gif.frames/delay.txt")


def draw_loading_movie():
    for k in range(12):
        dots = ""
        for i in range(12):
            a = 2 * math.pi * i / 12 - math.pi / 2
            age = (k - i) % 12
            level = max(0x55, 0xff - age * 0x1c)
            c = "#%02x%02x%02x" % (level, level, level)
            r = 4.6 if age == 0 else 4.0
            dots += '<circle cx="%s" cy="%s" r="%s" fill="%s"/>' % (
                fmt(30 + 20 * math.cos(a)), fmt(30 + 20 * math.sin(a)), fmt(r), c)
        save("menu/Loading.gif.frames/%02d.svg" % (k + 1), 60, 60, dots)
    with open(os.path.join(ROOT, "menu/Loading.gif.frames/delay.txt"), "w") as f:
        f.write("80\n")
    written.append("menu/Loading.gif.frames/delay.txt")


# ---------------------------------------------------------------- clock

def draw_clock():
    for d in "0123456789":
        save("TNumber/%s.svg" % d, 56, 90, stroke(DIGIT_STROKES[d], colour="#2d3440", width=10))
        save("LCDNumber/%s.svg" % d, 56, 90, lcd_digits(d, 0, 0, 1, "#26331f"))
    save("TNumber/00.svg", 56, 90, fill('<circle cx="28" cy="32" r="6.5"/><circle cx="28" cy="62" r="6.5"/>', colour="#2d3440"))
    save("LCDNumber/00.svg", 56, 90, fill('<rect x="23" y="27" width="10" height="10"/><rect x="23" y="55" width="10" height="10"/>', colour="#26331f"))

    ticks = []
    for i in range(12):
        a = 2 * math.pi * i / 12
        r1 = 176 if i % 3 == 0 else 184
        ticks.append("M%s %s L%s %s" % (fmt(256 + r1 * math.sin(a)), fmt(256 - r1 * math.cos(a)),
                                         fmt(256 + 194 * math.sin(a)), fmt(256 - 194 * math.cos(a))))
    save("icon/Clock1.svg", 512, 512,
         '<circle cx="256" cy="256" r="208" fill="url(#face)"/>'
         '<circle cx="256" cy="256" r="206" fill="none" stroke="#c9d1da" stroke-width="4"/>'
         '<path d="%s" fill="none" stroke="#9aa5b1" stroke-width="7" stroke-linecap="round"/>' % " ".join(ticks),
         lin("face", "#ffffff", "#e6ebf1"))
    save("icon/Clock2.svg", 256, 256,
         '<rect x="8" y="8" width="240" height="240" rx="44" fill="url(#lcd)"/>'
         '<rect x="14" y="14" width="228" height="228" rx="39" fill="none" stroke="#8ea37e" stroke-width="4"/>',
         lin("lcd", "#e2ecd6", "#b5caa3"))


# ---------------------------------------------------------------- weather

def draw_weather_icons():
    W = 128
    white, grey, dark = "#f7f9fc", "#c9d2dc", "#8e9aa8"
    rain, snow_c, sand = "#8fd0ff", "#ffffff", "#d9a05b"

    def base_cloud(colour=white, x=20, y=30, w=88):
        return cloud(x, y, w, colour)

    def drops(n, y=86):
        xs = {2: (52, 76), 3: (44, 64, 84), 5: (36, 50, 64, 78, 92)}[n]
        return drop_lines([(x, y + (6 if i % 2 else 0)) for i, x in enumerate(xs)], 16, rain, 6)

    def flakes(n, y=92):
        xs = {2: (50, 78), 3: (42, 64, 86), 5: (34, 50, 64, 78, 94)}[n]
        return "".join(snowflake(x, y + (8 if i % 2 else 0), 7.5) for i, x in enumerate(xs))

    pictures = {
        0: sun(64, 64, 22),
        1: sun(48, 48, 17) + cloud(34, 46, 76, white),
        2: cloud(14, 22, 74, grey) + cloud(30, 40, 86, white),
        3: sun(42, 40, 14) + base_cloud(y=28) + drops(3),
        4: base_cloud(dark, y=24) + bolt(54, 66, 1.05) + drop_lines([(40, 86), (92, 84)], 16, rain, 6),
        5: base_cloud(dark, y=24) + bolt(54, 66, 1.05) + fill('<circle cx="40" cy="92" r="5"/><circle cx="92" cy="90" r="5"/><circle cx="84" cy="108" r="5"/>', colour=white),
        6: base_cloud(y=26) + drop_lines([(46, 86), (82, 86)], 16, rain, 6) + snowflake(64, 98, 7.5),
        7: base_cloud(y=28) + drops(2),
        8: base_cloud(y=28) + drops(3),
        9: base_cloud(dark, y=24) + drops(5, 84),
        13: sun(42, 40, 14) + base_cloud(y=28) + flakes(3, 96),
        14: base_cloud(y=28) + flakes(2),
        15: base_cloud(y=28) + flakes(3),
        17: base_cloud(grey, y=22) + "".join(snowflake(x, 86 + (12 if i % 2 else 0), 6.5) for i, x in enumerate((30, 47, 64, 81, 98))),
        18: cloud(26, 22, 76, white) + stroke('<path d="M24 84 H90 M38 98 H104 M24 112 H80"/>', colour=grey, width=7),
        20: stroke('<path d="M22 46 H76 A12 12 0 1 0 64 34 M22 66 H96 A12 12 0 1 1 84 78 M30 86 H70"/>', colour=sand, width=7)
            + fill('<circle cx="94" cy="44" r="3.5"/><circle cx="40" cy="104" r="3.5"/><circle cx="80" cy="100" r="3.5"/><circle cx="100" cy="100" r="3"/>', colour=sand),
        29: sun(64, 58, 20, "#f5d77e") + fill("".join('<circle cx="%d" cy="%d" r="3.5"/>' % p for p in
                                                     ((28, 96), (44, 88), (58, 104), (74, 92), (90, 104), (102, 88), (36, 110), (84, 114))), colour=sand),
        30: stroke('<path d="M20 50 H86 A12 12 0 1 0 74 38 M32 70 H104 M20 90 H78 A12 12 0 1 1 66 102"/>', colour=sand, width=7),
        31: stroke('<path d="M18 40 H80 A12 12 0 1 0 68 28 M18 58 H104 M28 76 H96 A12 12 0 1 1 84 88 M18 94 H66 M40 112 H92"/>', colour="#c27d34", width=7)
            + fill('<circle cx="98" cy="40" r="3.5"/><circle cx="102" cy="108" r="3.5"/><circle cx="24" cy="112" r="3"/>', colour="#c27d34"),
        32: cloud(18, 30, 92, "#b6bec8") + question(64, 62, 0.85, "#fff"),
    }
    for n, g in pictures.items():
        save("weather/icon/%d.svg" % n, W, W, g)


def draw_weather_effects():
    E = "weather/effects/%s.svg"
    save(E % 1, 320, 206,
         '<circle cx="160" cy="103" r="98" fill="url(#glow)"/>'
         '<circle cx="160" cy="103" r="56" fill="url(#disc)"/>',
         radial("glow", [(0, "#ffe27a", 0.55), (0.6, "#ffd54a", 0.18), (1, "#ffd54a", 0)])
         + radial("disc", [(0, "#fff3b0", 1), (0.7, "#ffd23f", 1), (1, "#ffb627", 1)], cx=0.42, cy=0.4, r=0.6))
    save(E % 2, 361, 331,
         '<circle cx="120" cy="110" r="110" fill="url(#f1)"/>'
         '<circle cx="206" cy="190" r="26" fill="#fff4c2" fill-opacity="0.22"/>'
         '<circle cx="246" cy="226" r="14" fill="#ffd6a0" fill-opacity="0.28"/>'
         '<circle cx="290" cy="268" r="36" fill="none" stroke="#fff1b0" stroke-opacity="0.25" stroke-width="5"/>'
         '<circle cx="176" cy="162" r="9" fill="#ffffff" fill-opacity="0.35"/>',
         radial("f1", [(0, "#fffbe6", 0.7), (0.35, "#ffe9a0", 0.3), (1, "#ffe08a", 0)]))
    shade = lin("shade", "#ffffff", "#dfe7f0")
    save(E % 3, 180, 180, cloud(14, 40, 152, "url(#shade)"), shade)
    save(E % 4, 320, 206, cloud(24, 14, 284, "url(#shade)"), shade)
    save(E % 5, 320, 206, '<g transform="translate(320 0) scale(-1 1)">%s</g>' % cloud(14, 24, 270, "url(#shade)"),
         lin("shade", "#f4f7fb", "#cdd7e3"))
    # rain sheets: the same streaks moved down a third of their spacing per frame
    cols = [12, 36, 60, 84, 108, 132, 156]
    for f in range(3):
        pts_ = []
        for i, x in enumerate(cols):
            for j in range(3):
                y = (j * 56 + i * 23 + f * 19) % 168 - 20
                pts_.append((x + 14, y))
        save(E % (6 + f), 171, 167, drop_lines(pts_, 22, "#9fd8ff", 4, 0.3).replace("<path", '<path stroke-opacity="0.9"'))
    # lightning: 9 is the dark frame between flashes
    save(E % 9, 180, 180, bolt(62, 16, 2.5, "#fff6c0", 0.12))
    save(E % 10, 180, 180, '<circle cx="96" cy="80" r="70" fill="url(#g)"/>' + bolt(62, 16, 2.5, "#ffe14d"),
         radial("g", [(0, "#fff6c0", 0.55), (1, "#fff6c0", 0)]))
    save(E % 11, 180, 180, bolt(62, 16, 2.5, "#fff3a0")
         + '<path d="M92 76 L122 104 L112 106 L134 140" fill="none" stroke="#fff3a0" stroke-width="6" stroke-linejoin="round" stroke-linecap="round"/>')
    save(E % 12, 180, 180, bolt(76, 30, 1.9, "#ffe14d", 0.85))
    # snow: flakes drifting down with a little sway
    flakes = [(20, 10), (70, 40), (120, 5), (170, 30), (220, 15), (250, 60), (40, 80), (100, 95), (150, 70), (200, 100), (60, 140), (130, 150), (230, 130)]
    for f in range(3):
        g = ""
        for i, (x, y) in enumerate(flakes):
            yy = (y + f * 14) % 176
            xx = x + (4 if (i + f) % 2 else -4)
            g += snowflake(xx, yy, 6 + (i % 3) * 1.5, "#ffffff", 2.6)
        save(E % (13 + f), 274, 176, g)
    bars = [(30, 48, 200), (90, 80, 210), (20, 112, 250), (120, 144, 170), (60, 176, 180)]
    fog = "".join('<rect x="%d" y="%d" width="%d" height="18" rx="9"/>' % (x, y, w) for x, y, w in bars)
    save(E % 16, 324, 209, fill(fog, "#eef2f6", 0.6))
    save(E % 17, 324, 209, fill(fog, "#d8cdb2", 0.55)
         + fill("".join('<circle cx="%d" cy="%d" r="3"/>' % (x, y) for x, y in
                        ((40, 30), (120, 64), (220, 40), (280, 100), (70, 132), (180, 196), (300, 170), (150, 100))), "#b9a678", 0.7))
    save(E % 18, 324, 209,
         stroke('<path d="M20 60 H200 A24 24 0 1 0 176 36 M40 104 H290 A22 22 0 1 1 268 126 M20 150 H170 M120 186 H270"/>', colour="#d49a52", width=9, opacity=0.85)
         + fill("".join('<circle cx="%d" cy="%d" r="4"/>' % (x, y) for x, y in
                        ((240, 40), (280, 70), (30, 128), (200, 150), (300, 190), (90, 186), (150, 80))), "#c27d34", 0.9))
    save(E % 19, 180, 180, stroke(
        '<path d="M20 60 H110 A18 18 0 1 0 92 42 M20 92 H150 A18 18 0 1 1 132 110 M40 124 H100"/>', colour="#ffffff", width=8, opacity=0.9))
    save(E % "na", 320, 206, cloud(40, 10, 240, "#c3cad3") + question(160, 100, 1.6, "#ffffff"))


# ---------------------------------------------------------------- bar styles

def draw_styles():
    top_hi = "#ffffff"
    def piece(rel, w, h, horizontal, round_side):
        # round_side: which end is rounded: 'l', 'r', 't', 'b' or None
        r = 14
        x0, y0, x1, y1 = 0.5, 0.5, w - 0.5, h - 0.5
        if round_side == "l":
            d = "M%s %s H%s V%s H%s A%d %d 0 0 1 %s %s V%s A%d %d 0 0 1 %s %s Z" % (
                fmt(x0 + r), fmt(y0), fmt(x1 + 1), fmt(y1), fmt(x0 + r), r, r, fmt(x0), fmt(y1 - r), fmt(y0 + r), r, r, fmt(x0 + r), fmt(y0))
        elif round_side == "r":
            d = "M%s %s H%s A%d %d 0 0 1 %s %s V%s A%d %d 0 0 1 %s %s H%s Z" % (
                fmt(x0 - 1), fmt(y0), fmt(x1 - r), r, r, fmt(x1), fmt(y0 + r), fmt(y1 - r), r, r, fmt(x1 - r), fmt(y1), fmt(x0 - 1))
        elif round_side == "t":
            d = "M%s %s V%s A%d %d 0 0 1 %s %s H%s A%d %d 0 0 1 %s %s V%s Z" % (
                fmt(x0), fmt(y1 + 1), fmt(y0 + r), r, r, fmt(x0 + r), fmt(y0), fmt(x1 - r), r, r, fmt(x1), fmt(y0 + r), fmt(y1 + 1))
        elif round_side == "b":
            d = "M%s %s V%s A%d %d 0 0 0 %s %s H%s A%d %d 0 0 0 %s %s V%s Z" % (
                fmt(x0), fmt(y0 - 1), fmt(y1 - r), r, r, fmt(x0 + r), fmt(y1), fmt(x1 - r), r, r, fmt(x1), fmt(y1 - r), fmt(y0 - 1))
        else:
            d = "M%s %s H%s V%s H%s Z" % (fmt(-1), fmt(y0), fmt(w + 1), fmt(y1), fmt(-1)) if horizontal else \
                "M%s %s V%s H%s V%s Z" % (fmt(x0), fmt(-1), fmt(h + 1), fmt(x1), fmt(-1))
        if horizontal:
            grad = lin("glass", "#ffffff", "#dfe6ee", 0, 1, 0.62, 0.38)
        elif rel.endswith("1.svg"):   # right edge: the screen side is the right
            grad = lin("glass", "#ffffff", "#dfe6ee", 1, 0, 0.62, 0.38)
        else:
            grad = lin("glass", "#dfe6ee", "#ffffff", 1, 0, 0.38, 0.62)
        save(rel, w, h, '<path d="%s" fill="url(#glass)" stroke="%s" stroke-opacity="0.75" stroke-width="1"/>' % (d, top_hi), grad)
    S = "style/MacOSX/%s.svg"
    piece(S % "l", 50, 100, True, "l")
    piece(S % "r", 50, 100, True, "r")
    piece(S % "bg", 50, 100, True, None)
    piece(S % "r1", 100, 50, False, "t")
    piece(S % "l1", 100, 50, False, "b")
    piece(S % "bg1", 100, 50, False, None)
    piece(S % "l3", 100, 50, False, "t")
    piece(S % "r3", 100, 50, False, "b")
    piece(S % "bg3", 100, 50, False, None)


# ---------------------------------------------------------------- small buttons

BLUE = "#5294E2"
RED = "#e5534b"


def cross(cx, cy, r):
    return "M%s %s L%s %s M%s %s L%s %s" % (fmt(cx - r), fmt(cy - r), fmt(cx + r), fmt(cy + r),
                                            fmt(cx + r), fmt(cy - r), fmt(cx - r), fmt(cy + r))


def pencil(cx, cy, s, colour="#fff"):
    """A pencil pointing down-left, about 16*s across, centred near (cx, cy)."""
    p = lambda x, y: (cx + x * s, cy + y * s)
    body = pts([p(-5, 3), p(4, -6), p(7, -3), p(-2, 6)])
    tip = pts([p(-5, 3), p(-2, 6), p(-7, 8)])
    return '<polygon points="%s" fill="%s"/><polygon points="%s" fill="%s"/>' % (body, colour, tip, colour)


def draw_buttons():
    M = "menu/%s.svg"
    # window buttons
    save(M % "c0", 20, 20, stroke('<path d="%s"/>' % cross(10, 10, 4.5), colour="#fff", width=2, opacity=0.85))
    save(M % "c00", 20, 20, stroke('<path d="%s"/>' % cross(10, 10, 4.5), colour="#5c6370", width=2))
    save(M % "c1", 20, 20, '<circle cx="10" cy="10" r="9" fill="%s"/>' % RED + stroke('<path d="%s"/>' % cross(10, 10, 4), width=2))
    save(M % "n0", 20, 20, stroke('<path d="M5 10 H15"/>', colour="#5c6370", width=2))
    save(M % "n00", 20, 20, stroke('<path d="M5 10 H15"/>', colour="#fff", width=2, opacity=0.85))
    save(M % "n1", 20, 20, '<circle cx="10" cy="10" r="9" fill="%s"/>' % BLUE + stroke('<path d="M5.5 10 H14.5"/>', width=2))
    save(M % "close", 23, 23, stroke('<path d="%s"/>' % cross(11.5, 11.5, 5), colour="#8a8f98", width=2.2))
    save(M % "close1", 23, 23, '<circle cx="11.5" cy="11.5" r="10.5" fill="%s"/>' % RED + stroke('<path d="%s"/>' % cross(11.5, 11.5, 4.5), width=2.2))
    save(M % "close2", 18, 18, stroke('<path d="%s"/>' % cross(9, 9, 4.5), colour="#fff", width=2, opacity=0.7))
    save(M % "close3", 18, 18, stroke('<path d="%s"/>' % cross(9, 9, 4.5), colour="#ff6b6b", width=2.4))
    save(M % "close4", 24, 24, '<circle cx="12" cy="12" r="8" fill="#fff" fill-opacity="0.35"/>' + stroke('<path d="%s"/>' % cross(12, 12, 3.2), width=1.8))
    save(M % "close5", 24, 24, '<circle cx="12" cy="12" r="8" fill="#fff" fill-opacity="0.95"/>' + stroke('<path d="%s"/>' % cross(12, 12, 3.2), colour="#5c6370", width=1.8))
    save(M % "delete0", 23, 23, '<circle cx="11.5" cy="11.5" r="10.5" fill="#ff4d4f"/>' + stroke('<path d="%s"/>' % cross(11.5, 11.5, 4.2), width=2.4))
    # arrows
    save(M % "UpArrow", 18, 8, '<polygon points="0,8 9,0 18,8" fill="#fff" fill-opacity="0.9"/>')
    save(M % "DownArrow", 18, 8, '<polygon points="0,0 9,8 18,0" fill="#fff" fill-opacity="0.9"/>')
    save(M % "UpArrow2", 18, 8, '<polygon points="0,8 9,0 18,8" fill="#000" fill-opacity="0.8"/>')
    save(M % "DownArrow2", 18, 8, '<polygon points="0,0 9,8 18,0" fill="#000" fill-opacity="0.8"/>')
    save(M % "arrow-drop", 14, 14, '<polygon points="3,5 11,5 7,10" fill="#f4f4f4" stroke="#3a3d44" stroke-opacity="0.55" stroke-width="1" stroke-linejoin="round"/>')
    for name, d in (("top", "M12 17 L17 11 L22 17"), ("bottom", "M12 11 L17 17 L22 11"),
                    ("left", "M19 9 L14 14 L19 19"), ("right", "M15 9 L20 14 L15 19")):
        save(M % name, 110, 28, stroke('<path d="%s"/>' % d, width=2.2))
    # edge buttons: a small screen with the bar on that edge
    for name, bar in (("top0", (4, 7, 14, 3)), ("right0", (15, 7, 3, 14)), ("bottom0", (4, 18, 14, 3)), ("left0", (4, 7, 3, 14))):
        save(M % name, 50, 28, '<rect x="4.75" y="7.75" width="12.5" height="12.5" rx="1.5" fill="none" stroke="#2b2f36" stroke-opacity="0.7" stroke-width="1.5"/>'
             '<rect x="%d" y="%d" width="%d" height="%d" fill="#2b2f36" fill-opacity="0.75"/>' % bar)
    # refresh
    save(M % "Update24", 24, 24, arc_arrow((12, 12.5), 6.8, -20, 290, 2.2, 3.4))
    # check boxes and switches
    save(M % "chenck", 32, 32, '<rect x="2" y="9" width="28" height="14" rx="7" fill="#c3c7cd"/><circle cx="9" cy="16" r="5.5" fill="#fff"/>')
    save(M % "chenck1", 32, 32, '<rect x="2" y="9" width="28" height="14" rx="7" fill="%s"/><circle cx="23" cy="16" r="5.5" fill="#fff"/>' % BLUE)
    save(M % "s1", 20, 20, '<rect x="4" y="9" width="12" height="9" rx="2" fill="#fff" fill-opacity="0.85"/>'
         + stroke('<path d="M7 9 V6 A3.5 3.5 0 0 1 14 6"/>', width=1.8, opacity=0.85))
    save(M % "s2", 20, 20, '<rect x="4" y="9" width="12" height="9" rx="2" fill="%s"/>' % BLUE
         + stroke('<path d="M6.5 9 V6.5 A3.5 3.5 0 0 1 13.5 6.5 V9"/>', colour=BLUE, width=1.8)
         + '<circle cx="10" cy="13.5" r="1.5" fill="#fff"/>')
    save(M % "img", 32, 32, '<rect x="6" y="6" width="20" height="20" rx="4" fill="none" stroke="#fff" stroke-opacity="0.75" stroke-width="2"/>')
    save(M % "img1", 32, 32, '<rect x="5" y="5" width="22" height="22" rx="4" fill="%s"/>' % BLUE + stroke('<path d="M10 16 L14.5 20.5 L22 12"/>', width=2.4))
    # list add buttons
    save(M % "add", 50, 50, '<circle cx="25" cy="25" r="15" fill="none" stroke="#fff" stroke-opacity="0.6" stroke-width="2"/>'
         + stroke('<path d="M25 18 V32 M18 25 H32"/>', width=2.4, opacity=0.85))
    save(M % "add1", 50, 50, '<circle cx="25" cy="25" r="16" fill="%s"/>' % BLUE + stroke('<path d="M25 18 V32 M18 25 H32"/>', width=2.6))
    # launch pad tool bar: a dark disc that turns blue under the pointer
    def disc_button(name, size, glyph, hover):
        cx, cy = size[0] / 2, size[1] / 2
        r = min(size) / 2 - 1
        bg = '<circle cx="%s" cy="%s" r="%s" fill="%s"%s/>' % (
            fmt(cx), fmt(cy), fmt(r), BLUE if hover else "#000", "" if hover else ' fill-opacity="0.38"')
        save(M % name, size[0], size[1], bg + glyph)
    s = (32, 32)
    globe = stroke('<circle cx="16" cy="16" r="7.5"/><ellipse cx="16" cy="16" rx="3.2" ry="7.5"/><path d="M8.5 16 H23.5"/>', width=1.6)
    folder = fill('<path d="M8.5 11.5 a1.5 1.5 0 0 1 1.5 -1.5 h4 l2 2 h6 a1.5 1.5 0 0 1 1.5 1.5 v8.5 a1.5 1.5 0 0 1 -1.5 1.5 h-12 a1.5 1.5 0 0 1 -1.5 -1.5 z"/>')
    monitor = stroke('<rect x="8.5" y="9" width="15" height="11" rx="1.5"/><path d="M16 20 V23 M12.5 23.5 H19.5"/>', width=1.8)
    for base, glyph in (("add3", stroke('<path d="M16 10 V22 M10 16 H22"/>', width=2.4)), ("url", globe), ("folder", folder),
                        ("sys", monitor), ("edit", pencil(16, 16, 1.1)), ("set5", gear(16, 16, 8, teeth=8))):
        hover = {"add3": "add4", "url": "url1", "folder": "folder1", "sys": "sys1", "edit": "edit1", "set5": "set6"}[base]
        disc_button(base, s, glyph, False)
        disc_button(hover, s, glyph, True)
    menu_lines = stroke('<path d="M17 14 H33 M17 20 H33 M17 26 H33"/>', width=2.4)
    disc_button("set", (50, 40), menu_lines, False)
    disc_button("set1", (50, 40), menu_lines, True)
    save(M % "vesk", 24, 24, stroke('<circle cx="10.5" cy="10.5" r="6"/>', width=2, opacity=0.85) + stroke('<path d="M15 15 L20 20"/>', width=2.4, opacity=0.85))
    save(M % "size1", 32, 32, stroke('<rect x="6" y="6" width="20" height="20" rx="3" stroke-dasharray="3 3"/>', width=1.6, opacity=0.6)
         + stroke('<path d="M11 21 L21 11 M14 11 H21 V18 M11 14 V21 H18"/>', width=2.2))
    save(M % "blurry1", 32, 32, fill('<circle cx="16" cy="16" r="9" fill-opacity="0.25"/><circle cx="16" cy="16" r="6" fill-opacity="0.5"/><circle cx="16" cy="16" r="3.2"/>'))
    save(M % "brightness1", 32, 32, sun(16, 16, 5, "#fff"))
    save(M % "Volume2", 10, 10, '<circle cx="5" cy="5" r="4.3" fill="#fff" stroke="#bcbcbc" stroke-width="1"/>')
    save(M % "Volume3", 10, 10, '<circle cx="5" cy="5" r="4.3" fill="%s" stroke="#fff" stroke-width="1"/>' % BLUE)
    # launch pad icon buttons
    for name, colour, glyph in (("delete3", "#5c6370", stroke('<path d="%s"/>' % cross(12.5, 12.5, 4), width=2.2)),
                                ("delete4", "#ff4d4f", stroke('<path d="%s"/>' % cross(12.5, 12.5, 4), width=2.2)),
                                ("edit3", "#5c6370", pencil(12.5, 12.5, 0.85)),
                                ("edit4", BLUE, pencil(12.5, 12.5, 0.85))):
        save(M % name, 25, 25, '<circle cx="12.5" cy="12.5" r="11.5" fill="%s" stroke="#fff" stroke-width="1.5"/>' % colour + glyph)
    # name colour swatches
    for name, colour in (("white", "#FFFFFF"), ("black", "#000000"), ("red", "#FF0000"), ("yellow", "#FFFF00"),
                         ("blue", "#0080FF"), ("green", "#00FF00"), ("purple", "#7F00FF"), ("powder", "#FF00FF")):
        edge = "#9aa0a6" if name == "white" else "#ffffff"
        save(M % name, 20, 20, '<circle cx="10" cy="10" r="7.5" fill="%s" stroke="%s" stroke-opacity="0.85" stroke-width="1.5"/>' % (colour, edge))
        save(M % (name + "1"), 20, 20, '<circle cx="10" cy="10" r="9" fill="none" stroke="%s" stroke-width="2"/>'
             '<circle cx="10" cy="10" r="6" fill="%s" stroke="%s" stroke-opacity="0.85" stroke-width="1"/>' % (BLUE, colour, edge))
    # settings tabs: blue when chosen (on white), dim white otherwise
    sliders = ('<path d="M14 18 H40 M14 27 H40 M14 36 H40"/>', '<circle cx="22" cy="18" r="3.6"/><circle cx="33" cy="27" r="3.6"/><circle cx="25" cy="36" r="3.6"/>')
    keyboard = ('<rect x="11" y="17" width="32" height="21" rx="3.5"/><path d="M19 32 H35"/>',
                "".join('<rect x="%s" y="%s" width="3.4" height="3.4" rx="0.8"/>' % (fmt(15.3 + 5.2 * i), y) for i in range(5) for y in (21, 26)))
    for name, colour, op in (("Basic", BLUE, 1), ("Basic0", "#fff", 0.75)):
        save(M % name, 54, 54, stroke(sliders[0], colour=colour, width=2.4, opacity=op) + fill(sliders[1], colour=colour, opacity=op))
    for name, colour, op in (("Keyboard", BLUE, 1), ("Keyboard0", "#fff", 0.75)):
        save(M % name, 54, 54, stroke(keyboard[0], colour=colour, width=2.2, opacity=op) + fill(keyboard[1], colour=colour, opacity=op))
    for name, colour, op in (("Advanced", BLUE, 1), ("Advanced0", "#fff", 0.75)):
        save(M % name, 54, 54, gear(27, 27, 15, colour=colour, teeth=8, opacity=op))
    # pictures of the desktop clock bar: grey, blue when active
    eye = ('<path d="M2.5 10 C6 4.5 14 4.5 17.5 10 C14 15.5 6 15.5 2.5 10 Z"/>', '<circle cx="10" cy="10" r="2.6"/>')
    for suffix, colour in (("0", "#8a8f98"), ("1", "#4BABFA")):
        save("widget/set/setting%s.svg" % suffix, 20, 20, gear(10, 10, 8, colour=colour, teeth=8))
        save("widget/set/gateway%s.svg" % suffix, 20, 20, stroke('<path d="M5 15 L15 5 M9 5 H15 V11 M5 9 V15 H11"/>', colour=colour, width=1.8))
        save("widget/set/eye%s.svg" % suffix, 20, 20, stroke(eye[0], colour=colour, width=1.6) + fill(eye[1], colour=colour))
    # power dialog
    ring = '<circle cx="84" cy="84" r="70" fill="#fff" fill-opacity="0.06" stroke="#fff" stroke-opacity="0.35" stroke-width="3"/>'
    restart = arc_arrow((84, 84), 30, -70, 300, 9, 13)
    power = stroke('<path d="M67 63 A28 28 0 1 0 101 63 M84 50 V82"/>', width=9)
    save(M % "restart0", 168, 168, ring + restart)
    save(M % "restart1", 168, 168, '<circle cx="84" cy="84" r="72" fill="#2fb57f"/>' + restart)
    save(M % "down0", 168, 168, ring + power)
    save(M % "down1", 168, 168, '<circle cx="84" cy="84" r="72" fill="%s"/>' % RED + power)
    save(M % "intensity", 26, 26, sun(13, 13, 4.6, "#fff"))
    # delete badge
    bin_ = '<path d="M26 36 H102 M52 36 V24 H76 V36 M34 48 L40 124 H88 L94 48 Z M54 62 V108 M74 62 V108"/>'
    save(M % "delete", 128, 140, stroke(bin_, width=7, opacity=0.85))
    save(M % "delete1", 128, 140, '<path d="M34 48 L40 124 H88 L94 48 Z" fill="#ff5a5a" fill-opacity="0.25"/>'
         + stroke('<g transform="rotate(-14 26 40)"><path d="M26 36 H102 M52 36 V24 H76 V36"/></g>'
                  '<path d="M34 48 L40 124 H88 L94 48 Z M54 62 V108 M74 62 V108"/>', colour="#ff6b6b", width=7))
    save(M % "ge", 16, 16, '<path d="M-4 4 L4 -4 M0 16 L16 0 M12 20 L20 12" stroke="#fff" stroke-opacity="0.14" stroke-width="2"/>')


# ---------------------------------------------------------------- larger pictures

def app_mark(x, y, s):
    """The program's own mark: a dock shelf with three tiles, in a box of 100*s."""
    return ('<g transform="translate(%s %s) scale(%s)">'
            '<rect x="0" y="0" width="100" height="100" rx="22" fill="url(#app)"/>'
            '<rect x="14" y="62" width="72" height="18" rx="6" fill="#fff" fill-opacity="0.28"/>'
            '<rect x="20" y="46" width="18" height="18" rx="5" fill="#ffcc4d"/>'
            '<rect x="41" y="38" width="22" height="26" rx="6" fill="#ff7b7b"/>'
            '<rect x="66" y="46" width="18" height="18" rx="5" fill="#5fd38d"/>'
            '</g>' % (fmt(x), fmt(y), fmt(s)))


APP_GRADIENT = lin("app", "#2f67ab", "#142a4a")


def tray_mark(size):
    """The mark for a tray slot of about 24 pixels: full bleed, fewer and larger shapes."""
    return ('<g transform="scale(%s)">'
            '<rect x="0" y="0" width="100" height="100" rx="20" fill="url(#app)"/>'
            '<rect x="8" y="68" width="84" height="18" rx="6" fill="#fff" fill-opacity="0.4"/>'
            '<rect x="13" y="40" width="22" height="24" rx="5" fill="#ffcc4d"/>'
            '<rect x="39" y="24" width="22" height="40" rx="5" fill="#ff7b7b"/>'
            '<rect x="65" y="40" width="22" height="24" rx="5" fill="#5fd38d"/>'
            '</g>' % fmt(size / 100.0))


def draw_marks():
    save("256-2.svg", 256, 256, app_mark(8, 8, 2.4), APP_GRADIENT)
    save("tray.svg", 64, 64, tray_mark(64), APP_GRADIENT)
    save("menu/logo1.svg", 158, 34, app_mark(2, 2, 0.3) + word("Zorvane", 40, 8, 1.05, "#2b3a4f", 2.5), APP_GRADIENT)
    ww = word_width("Zorvane") * 1.05
    save("menu/alogo.svg", 137, 130, app_mark(23.5, 2, 0.9) + word("Zorvane", (137 - ww) / 2, 105, 1.05, "#2b3a4f", 2.6), APP_GRADIENT)
    save("menu/upup.svg", 121, 131,
         '<circle cx="34" cy="116" r="11" fill="#fff" fill-opacity="0.25"/><circle cx="86" cy="118" r="9" fill="#fff" fill-opacity="0.2"/>'
         '<circle cx="60" cy="122" r="8" fill="#fff" fill-opacity="0.3"/>'
         + rocket(60.5, 8, 1.7, window="#4aa3ff", fins="#ff6b6b", flame_len=1.1))
    save("widget/time1.svg", 101, 61, '<rect x="0.5" y="0.5" width="100" height="60" rx="8" fill="#2b2f36"/>'
         + stroke_digits("10:30", 10, 8, 0.3, "#ffffff", 11)
         + stroke('<path d="M18 48 H60"/>', width=3, opacity=0.5))
    save("widget/notes.svg", 101, 61, '<rect x="0.5" y="0.5" width="100" height="60" rx="8" fill="#2b2f36"/>'
         '<g transform="rotate(-6 34 31)"><rect x="14" y="12" width="40" height="38" rx="3" fill="#ffd866"/>'
         '<path d="M21 24 H47 M21 31 H47 M21 38 H38" stroke="#b8902a" stroke-width="2.2" stroke-linecap="round"/></g>'
         '<g transform="rotate(5 68 30)"><rect x="50" y="10" width="38" height="38" rx="3" fill="#ff9fb1"/>'
         '<path d="M57 22 H81 M57 29 H81 M57 36 H72" stroke="#b5536a" stroke-width="2.2" stroke-linecap="round"/></g>')
    save("widget/Whiteline.svg", 40, 160, '<path d="M34 4 L6 156" stroke="#fff" stroke-width="4" stroke-linecap="round"/>')
    save("widget/blackline.svg", 40, 160, '<path d="M34 4 L6 156" stroke="#111" stroke-width="4" stroke-linecap="round"/>')
    save("weather/temperature.svg", 25, 25, stroke('<path d="M10 15 V6 A2.5 2.5 0 0 1 15 6 V15"/>', width=1.8)
         + fill('<circle cx="12.5" cy="18.5" r="4.5"/><rect x="11.5" y="9" width="2" height="8"/>'))
    save("weather/humidity.svg", 20, 20, fill('<path d="M10 2.5 C13 7 15.5 9.8 15.5 12.8 A5.5 5.5 0 0 1 4.5 12.8 C4.5 9.8 7 7 10 2.5 Z"/>', opacity=0.9))
    save("weather/wind.svg", 26, 26, stroke('<path d="M3 10 H16 A3.5 3.5 0 1 0 12.5 6.5 M3 15 H20 A3.5 3.5 0 1 1 16.5 18.5 M3 20 H10"/>', width=1.9))


def main():
    draw_tiles()
    draw_rocket_movie()
    draw_loading_movie()
    draw_clock()
    draw_weather_icons()
    draw_weather_effects()
    draw_styles()
    draw_buttons()
    draw_marks()
    print("wrote %d files under %s" % (len(written), os.path.normpath(ROOT)))


if __name__ == "__main__":
    sys.exit(main())
