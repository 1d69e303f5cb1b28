#!/usr/bin/env python3
"""Writes the SVG sources of the client artwork into res/art/svg/.

The launcher, buttons, caption glyphs and frame templates share one palette
and a few shapes (the emblem, the iron bevel), so they are generated here
instead of being kept as loose hand-made files that drift apart. Every SVG
written is plain and opens in any editor; render.sh turns them into the PNG
exports. Randomness (stars, embers, ridges) uses fixed seeds so re-running
gives identical files.
"""
import os
import random
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "svg")

# Palette: iron, bronze and the caption band.
OUTLINE = "#0b0908"
IRON_L = "#4a3f37"
BRONZE_D = "#5a3f26"
BRONZE = "#8c5e2e"
BRONZE_L = "#d49a55"
# Caption band colour of the window frames; the caption glyph strips use the
# very same value as their normal background so they sit on it invisibly.
BAND = "#1c1815"
BODY = "#14110f"

CJK = "WenQuanYi Micro Hei"
SERIF = "P052"


def doc(w, h, body, defs=""):
    return (
        f'<svg xmlns="http://www.w3.org/2000/svg" '
        f'xmlns:xlink="http://www.w3.org/1999/xlink" '
        f'width="{w}" height="{h}" viewBox="0 0 {w} {h}">\n'
        f"<defs>\n{defs}\n</defs>\n{body}\n</svg>\n"
    )


# --------------------------------------------------------------------------
# Shared shapes
# --------------------------------------------------------------------------

# The emblem: a keep with a flame rising over its battlement, drawn in a
# 100 x 100 box. Flame first so the merlons cover its foot.
EMBLEM_FLAME = (
    "M50,0 C57,11 69,17 71,31 C72,39 69,45 65,50 L35,50 C31,45 28,39 29,31 "
    "C30,23 35,19 37,11 C39,17 42,20 45,22 C45,14 47,7 50,0 Z"
)
EMBLEM_FLAME_IN = (
    "M50,17 C55,25 61,30 60,38 C59,44 55,48 50,48 C45,48 41,44 40,38 "
    "C40,31 45,27 50,17 Z"
)
EMBLEM_KEEP = (
    "M25,96 L25,61 L20,61 L20,44 L30,44 L30,51 L36.5,51 L36.5,44 L46.5,44 L46.5,51 "
    "L53.5,51 L53.5,44 L63.5,44 L63.5,51 L70,51 L70,44 L80,44 L80,61 L75,61 L75,96 Z"
)
EMBLEM_DOOR = "M42,96 L42,82 A8,8 0 0 1 58,82 L58,96 Z M33,67 h4 v9 h-4 Z M63,67 h4 v9 h-4 Z"

SHIELD = "M4,10 Q60,-2 116,10 L116,62 C116,100 92,124 60,140 C28,124 4,100 4,62 Z"


def emblem(fill_keep, fill_flame, fill_in, door, stroke=None, sw=0):
    st = f' stroke="{stroke}" stroke-width="{sw}" stroke-linejoin="round"' if stroke else ""
    return (
        f'<path d="{EMBLEM_FLAME}" fill="{fill_flame}"{st}/>'
        f'<path d="{EMBLEM_FLAME_IN}" fill="{fill_in}"/>'
        f'<path d="{EMBLEM_KEEP}" fill="{fill_keep}"{st}/>'
        f'<path d="{EMBLEM_DOOR}" fill="{door}"/>'
    )


def ridge(rng, anchors, amp, seg=6, rough=0.55):
    """Midpoint-displacement mountain line through the given (x, y) anchors."""
    pts = list(anchors)
    a = amp
    for _ in range(seg):
        nxt = [pts[0]]
        for (ax, ay), (bx, by) in zip(pts, pts[1:]):
            nxt.append(((ax + bx) / 2, (ay + by) / 2 + rng.uniform(-a, a)))
            nxt.append((bx, by))
        pts = nxt
        a *= rough
    return pts


def ridge_line(pts):
    return "M" + " L".join(f"{x:.1f},{y:.1f}" for x, y in pts)


def ridge_path(pts, bottom):
    d = f"M{pts[0][0]:.1f},{bottom} " + " ".join(f"L{x:.1f},{y:.1f}" for x, y in pts)
    return d + f" L{pts[-1][0]:.1f},{bottom} Z"


# Filters shared by the larger pictures.
FILTERS = """
<filter id="stone" x="0" y="0" width="100%" height="100%" color-interpolation-filters="sRGB">
  <feTurbulence type="fractalNoise" baseFrequency="0.055" numOctaves="4" seed="7" result="n"/>
  <feDiffuseLighting in="n" surfaceScale="2.2" lighting-color="#ffffff" diffuseConstant="1.15" result="l">
    <feDistantLight azimuth="235" elevation="58"/>
  </feDiffuseLighting>
  <feBlend in="SourceGraphic" in2="l" mode="multiply" result="m"/>
  <feComposite in="m" in2="SourceAlpha" operator="in"/>
</filter>
<filter id="iron" x="0" y="0" width="100%" height="100%" color-interpolation-filters="sRGB">
  <feTurbulence type="fractalNoise" baseFrequency="0.9 0.12" numOctaves="2" seed="3" result="n"/>
  <feDiffuseLighting in="n" surfaceScale="1.2" lighting-color="#ffffff" diffuseConstant="1.2" result="l">
    <feDistantLight azimuth="250" elevation="62"/>
  </feDiffuseLighting>
  <feBlend in="SourceGraphic" in2="l" mode="multiply" result="m"/>
  <feComposite in="m" in2="SourceAlpha" operator="in"/>
</filter>
<filter id="glow" color-interpolation-filters="sRGB" x="-300%" y="-300%" width="700%" height="700%">
  <feGaussianBlur stdDeviation="3"/>
</filter>
<filter id="glowBig" color-interpolation-filters="sRGB" x="-50%" y="-50%" width="200%" height="200%">
  <feGaussianBlur stdDeviation="9"/>
</filter>
<filter id="soft" color-interpolation-filters="sRGB" x="-50%" y="-50%" width="200%" height="200%">
  <feGaussianBlur stdDeviation="1.2"/>
</filter>
<filter id="haze" color-interpolation-filters="sRGB" x="-50%" y="-50%" width="200%" height="200%">
  <feGaussianBlur stdDeviation="14"/>
</filter>
<filter id="inset" color-interpolation-filters="sRGB" x="-5%" y="-5%" width="110%" height="110%">
  <feGaussianBlur stdDeviation="5"/>
</filter>
"""


def rivet(x, y, r=2.6):
    return (
        f'<circle cx="{x}" cy="{y + 0.6}" r="{r}" fill="#000" opacity="0.55"/>'
        f'<circle cx="{x}" cy="{y}" r="{r}" fill="url(#rivet)"/>'
    )


RIVET_GRAD = """
<radialGradient id="rivet" cx="0.38" cy="0.32" r="0.75">
  <stop offset="0" stop-color="#f3cf94"/>
  <stop offset="0.35" stop-color="#a87a46"/>
  <stop offset="1" stop-color="#3a2714"/>
</radialGradient>
"""


# --------------------------------------------------------------------------
# 143: launcher picture
# --------------------------------------------------------------------------

# Places the client draws onto the picture; the art is laid out around them.
SIGNIN = (279, 266, 682, 351)
TOOLBAR_BUTTONS = [(289, 45), (431, 45), (572, 45)]
CLOSE = (953, 56, 23, 23)
SERVICE = (80, 586, 104, 31)

# Outer iron frame of the main panel; it has no left side, the scene of the
# left column runs into it and dissolves in mist instead.
FX0, FX1, FY0, FY1, FT = 176, 1003, 26, 650, 12
# Outline of the left column before it is torn by the noise filter.
LEFT_BLOB = ("M70,78 C40,150 34,260 36,400 C36,520 40,590 60,628 C90,640 140,644 186,644 "
             "L290,620 L290,38 L190,36 C150,40 100,52 70,78 Z")


def launcher():
    W, H = 1016, 680
    rng = random.Random(1143)
    sx, sy, sw, sh = SIGNIN

    defs = FILTERS + RIVET_GRAD + f"""
<linearGradient id="sky" gradientUnits="userSpaceOnUse" x1="0" y1="{FY0}" x2="0" y2="{FY1}">
  <stop offset="0" stop-color="#070814"/>
  <stop offset="0.25" stop-color="#141530"/>
  <stop offset="0.42" stop-color="#2c1a36"/>
  <stop offset="0.6" stop-color="#5a2228"/>
  <stop offset="0.8" stop-color="#8a3416"/>
  <stop offset="1" stop-color="#a4420e"/>
</linearGradient>
<linearGradient id="farRange" gradientUnits="userSpaceOnUse" x1="0" y1="150" x2="0" y2="480">
  <stop offset="0" stop-color="#3b2438"/>
  <stop offset="1" stop-color="#5a2a26"/>
</linearGradient>
<linearGradient id="midRange" gradientUnits="userSpaceOnUse" x1="0" y1="200" x2="0" y2="520">
  <stop offset="0" stop-color="#23162a"/>
  <stop offset="1" stop-color="#2e1618"/>
</linearGradient>
<filter id="clouds" x="0" y="0" width="100%" height="100%" color-interpolation-filters="sRGB">
  <feTurbulence type="fractalNoise" baseFrequency="0.0035 0.02" numOctaves="5" seed="5" result="n"/>
  <feColorMatrix in="n" type="matrix" values="0 0 0 0 0  0 0 0 0 0  0 0 0 0 0  2.6 0 0 0 -1.15" result="a"/>
  <feComposite in="SourceGraphic" in2="a" operator="in"/>
</filter>
<linearGradient id="cloudTint" gradientUnits="userSpaceOnUse" x1="0" y1="{FY0}" x2="0" y2="{FY0 + 330}">
  <stop offset="0" stop-color="#3a3a5e" stop-opacity="0.55"/>
  <stop offset="0.5" stop-color="#6a4460" stop-opacity="0.6"/>
  <stop offset="1" stop-color="#a05a40" stop-opacity="0.5"/>
</linearGradient>
<radialGradient id="moonHalo" cx="0.5" cy="0.5" r="0.5">
  <stop offset="0" stop-color="#f6e7c4" stop-opacity="0.55"/>
  <stop offset="0.35" stop-color="#d9b98a" stop-opacity="0.18"/>
  <stop offset="1" stop-color="#d9b98a" stop-opacity="0"/>
</radialGradient>
<radialGradient id="moon" cx="0.42" cy="0.38" r="0.62">
  <stop offset="0" stop-color="#fff6df"/>
  <stop offset="0.7" stop-color="#ead6ae"/>
  <stop offset="1" stop-color="#c7a77a"/>
</radialGradient>
<radialGradient id="emberDot" cx="0.5" cy="0.5" r="0.5">
  <stop offset="0" stop-color="#ff7a1a" stop-opacity="0.6"/>
  <stop offset="1" stop-color="#ff5a10" stop-opacity="0"/>
</radialGradient>
<radialGradient id="emberGlow" cx="0.5" cy="1" r="0.8">
  <stop offset="0" stop-color="#ff7a1a" stop-opacity="0.55"/>
  <stop offset="0.5" stop-color="#c2410c" stop-opacity="0.18"/>
  <stop offset="1" stop-color="#c2410c" stop-opacity="0"/>
</radialGradient>
<linearGradient id="ironBand" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#5b4d43"/>
  <stop offset="0.45" stop-color="#3a312b"/>
  <stop offset="1" stop-color="#1d1815"/>
</linearGradient>
<linearGradient id="ironBandV" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#1d1815"/>
  <stop offset="0.55" stop-color="#3a312b"/>
  <stop offset="1" stop-color="#5b4d43"/>
</linearGradient>
<linearGradient id="plaque" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#2e2722"/>
  <stop offset="1" stop-color="#15110e"/>
</linearGradient>
<linearGradient id="bronze" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#f0c07a"/>
  <stop offset="0.5" stop-color="#a8702f"/>
  <stop offset="1" stop-color="#5e3b18"/>
</linearGradient>
<linearGradient id="gold" gradientUnits="userSpaceOnUse" x1="0" y1="170" x2="0" y2="212">
  <stop offset="0" stop-color="#fff1c4"/>
  <stop offset="0.45" stop-color="#f2c067"/>
  <stop offset="0.55" stop-color="#d38b2c"/>
  <stop offset="1" stop-color="#8a4a12"/>
</linearGradient>
<linearGradient id="field" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#a3261a"/>
  <stop offset="1" stop-color="#4a0c08"/>
</linearGradient>
<linearGradient id="emblemGold" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#ffe7a8"/>
  <stop offset="0.6" stop-color="#e6a64a"/>
  <stop offset="1" stop-color="#a0601e"/>
</linearGradient>
<linearGradient id="flame" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#ffd27a"/>
  <stop offset="0.6" stop-color="#ff8a2a"/>
  <stop offset="1" stop-color="#d0400c"/>
</linearGradient>
<linearGradient id="steel" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#6c6660"/>
  <stop offset="0.45" stop-color="#d8d2c8"/>
  <stop offset="0.55" stop-color="#8e877e"/>
  <stop offset="1" stop-color="#3a3530"/>
</linearGradient>
<linearGradient id="fog" gradientUnits="userSpaceOnUse" x1="0" y1="500" x2="0" y2="640">
  <stop offset="0" stop-color="#b0502a" stop-opacity="0"/>
  <stop offset="0.55" stop-color="#a4481e" stop-opacity="0.28"/>
  <stop offset="1" stop-color="#c2581e" stop-opacity="0.5"/>
</linearGradient>
<linearGradient id="recess" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#0a0807"/>
  <stop offset="1" stop-color="#15110e"/>
</linearGradient>
<filter id="torn" color-interpolation-filters="sRGB" x="0" y="0" width="{W}" height="{H}" filterUnits="userSpaceOnUse">
  <feTurbulence type="fractalNoise" baseFrequency="0.022" numOctaves="4" seed="11" result="t"/>
  <feDisplacementMap in="SourceGraphic" in2="t" scale="46" xChannelSelector="R" yChannelSelector="G" result="d"/>
  <feGaussianBlur in="d" stdDeviation="1.1"/>
</filter>
<!-- the same torn outline, turned into a smouldering rim: char inside, glow at the edge -->
<filter id="burn" x="0" y="0" width="{W}" height="{H}" filterUnits="userSpaceOnUse" color-interpolation-filters="sRGB">
  <feTurbulence type="fractalNoise" baseFrequency="0.022" numOctaves="4" seed="11" result="t"/>
  <feDisplacementMap in="SourceGraphic" in2="t" scale="46" xChannelSelector="R" yChannelSelector="G" result="d"/>
  <feGaussianBlur in="d" stdDeviation="1.1" result="db"/>
  <feMorphology in="db" operator="erode" radius="1.6" result="e1"/>
  <feGaussianBlur in="e1" stdDeviation="1" result="e1b"/>
  <feMorphology in="db" operator="erode" radius="12" result="e2"/>
  <feGaussianBlur in="e2" stdDeviation="6" result="e2b"/>
  <feComposite in="db" in2="e2b" operator="out" result="charA"/>
  <feFlood flood-color="#050303" flood-opacity="0.85"/>
  <feComposite in2="charA" operator="in" result="char"/>
  <feComposite in="db" in2="e1b" operator="out" result="rimA"/>
  <feFlood flood-color="#e8641c" flood-opacity="0.9"/>
  <feComposite in2="rimA" operator="in" result="rim"/>
  <feGaussianBlur in="rim" stdDeviation="2.5" result="rimGlow"/>
  <feComposite in="rimGlow" in2="db" operator="in" result="rimIn"/>
  <feMerge><feMergeNode in="char"/><feMergeNode in="rimIn"/><feMergeNode in="rim"/></feMerge>
</filter>
<clipPath id="outsideMain">
  <path clip-rule="evenodd" d="M0,0 L{W},0 L{W},{H} L0,{H} Z M{FX0},{FY0} L{FX1},{FY0} L{FX1},{FY1} L{FX0},{FY1} Z"/>
</clipPath>
<filter id="drop" color-interpolation-filters="sRGB" x="0" y="0" width="{W}" height="{H}" filterUnits="userSpaceOnUse">
  <feGaussianBlur in="SourceAlpha" stdDeviation="3.6"/>
  <feOffset dx="0" dy="4" result="s"/>
  <feComponentTransfer in="s" result="s2"><feFuncA type="linear" slope="0.8"/></feComponentTransfer>
  <feMerge><feMergeNode in="s2"/><feMergeNode in="SourceGraphic"/></feMerge>
</filter>
<mask id="sceneMask" maskUnits="userSpaceOnUse" x="0" y="0" width="{W}" height="{H}">
  <rect x="{FX0}" y="{FY0}" width="{FX1 - FX0}" height="{FY1 - FY0}" fill="#fff"/>
  <path filter="url(#torn)" fill="#fff" d="{LEFT_BLOB}"/>
</mask>
<clipPath id="shieldClip"><path d="{SHIELD}"/></clipPath>
"""

    b = []
    # ---- scene -----------------------------------------------------------
    s = []
    s.append(f'<rect x="0" y="0" width="{W}" height="{H}" fill="url(#sky)"/>')
    # stars, fading out towards the glow of the horizon
    for _ in range(220):
        x = rng.uniform(0, W)
        y = rng.uniform(FY0, 300)
        r = rng.choice([0.5, 0.6, 0.7, 0.8, 0.9, 1.1, 1.4])
        o = rng.uniform(0.3, 1.0) * max(0.0, 1 - (y - FY0) / 300)
        s.append(f'<circle cx="{x:.1f}" cy="{y:.1f}" r="{r}" fill="#f1ecff" opacity="{o:.2f}"/>')
    # moon behind the keep of the left column
    mx_, my_ = 140, 322
    s.append(f'<circle cx="{mx_}" cy="{my_}" r="150" fill="url(#moonHalo)"/>')
    s.append(f'<circle cx="{mx_}" cy="{my_}" r="54" fill="url(#moon)"/>')
    for dx, dy, r, o in [(-20, -20, 10, 0.10), (16, 10, 13, 0.08), (-8, 18, 7, 0.10),
                         (20, -24, 6, 0.09), (-30, 6, 5, 0.10), (2, -6, 4, 0.08)]:
        s.append(f'<circle cx="{mx_ + dx}" cy="{my_ + dy}" r="{r}" fill="#7a6040" opacity="{o}"/>')
    # wisps of cloud: stretched noise, brighter near the moon, warmer low down
    s.append(f'<rect x="0" y="{FY0}" width="{W}" height="330" fill="url(#cloudTint)" filter="url(#clouds)"/>')
    # mountain ranges; low in the left column to leave the moon free,
    # rising on the right into the strip of sky above the sign-in panel
    far = ridge(rng, [(-20, 440), (200, 420), (300, 200), (430, 150), (560, 196), (700, 136), (860, 190), (1036, 150)], 30, seg=7, rough=0.6)
    s.append(f'<path d="{ridge_path(far, 700)}" fill="url(#farRange)"/>')
    s.append(f'<path d="{ridge_path(far, 700)}" fill="#5a3a48" filter="url(#stone)" opacity="0.35"/>')
    s.append(f'<path d="{ridge_line(far)}" fill="none" stroke="#c0704a" stroke-width="1" opacity="0.35"/>')
    mid = ridge(rng, [(-20, 470), (220, 462), (300, 236), (640, 226), (1036, 216)], 26, seg=7, rough=0.55)
    s.append(f'<path d="{ridge_path(mid, 700)}" fill="url(#midRange)"/>')
    s.append(f'<path d="{ridge_line(mid)}" fill="none" stroke="#8a4a4a" stroke-width="1" opacity="0.3"/>')
    # distant watchtower on the mid range, seen above the sign-in panel
    tx_, ty_ = min(((x, y) for x, y in mid if 700 < x < 940), key=lambda p: p[1])
    ty_ += 3
    s.append(f'<path d="M{tx_ - 6},{ty_ + 6} L{tx_ - 6},{ty_ - 20} L{tx_ - 8},{ty_ - 20} L{tx_},{ty_ - 34} '
             f'L{tx_ + 8},{ty_ - 20} L{tx_ + 6},{ty_ - 20} L{tx_ + 6},{ty_ + 6} Z" fill="#120c14"/>'
             f'<rect x="{tx_ - 1}" y="{ty_ - 16}" width="2" height="3" fill="#ffb040"/>'
             f'<circle cx="{tx_}" cy="{ty_ - 15}" r="5" fill="#ff8a2a" opacity="0.5" filter="url(#glow)"/>')
    near = ridge(rng, [(-20, 600), (240, 590), (310, 262), (1036, 250)], 18, seg=6, rough=0.5)
    s.append(f'<path d="{ridge_path(near, 700)}" fill="#0d0a10"/>')
    # glow of the valley fires
    s.append(f'<ellipse cx="560" cy="{FY1 + 10}" rx="620" ry="230" fill="url(#emberGlow)"/>')
    s.append(f'<ellipse cx="140" cy="{FY1 + 10}" rx="240" ry="190" fill="url(#emberGlow)"/>')
    # ground mist
    for cx, cy, rx, ry, o in [(150, 540, 150, 10, 0.22), (200, 600, 160, 10, 0.16), (600, 640, 420, 20, 0.25)]:
        s.append(f'<ellipse cx="{cx}" cy="{cy}" rx="{rx}" ry="{ry}" fill="#c4603a" opacity="{o}" filter="url(#haze)"/>')
    # the keep of Varnholt on its crag, left column
    crag = ridge(rng, [(-10, 560), (40, 524), (96, 502), (160, 504), (214, 516), (258, 544), (310, 592)], 13, seg=6, rough=0.6)
    castle = (
        ridge_path(crag, 700) + " "
        # left tower with cone roof
        "M50,600 L50,420 L46,420 L65,376 L84,420 L80,420 L80,600 Z "
        # curtain wall left
        "M78,600 L78,450 L84,450 L84,444 L90,444 L90,450 L96,450 L96,444 L102,444 L102,450 L108,450 L108,600 Z "
        # keep
        "M104,600 L104,372 L100,372 L100,360 L107,360 L107,366 L114,366 L114,360 L121,360 L121,366 "
        "L128,366 L128,360 L135,360 L135,366 L142,366 L142,360 L150,360 L150,372 L146,372 L146,600 Z "
        # spire rising from the keep, against the moon
        "M117,362 L117,300 L113,300 L125,236 L137,300 L133,300 L133,362 Z "
        # curtain wall right
        "M144,600 L144,446 L150,446 L150,440 L156,440 L156,446 L162,446 L162,440 L168,440 L168,446 L174,446 L174,600 Z "
        # right tower, crenellated
        "M170,600 L170,404 L166,404 L166,392 L172,392 L172,398 L179,398 L179,392 L186,392 L186,398 L193,398 L193,392 "
        "L200,392 L200,404 L196,404 L196,600 Z "
        # small watchtower down the slope
        "M222,600 L222,470 L219,470 L230,448 L241,470 L238,470 L238,600 Z"
    )
    s.append(f'<path d="{ridge_line(crag)}" fill="none" stroke="#e0682a" stroke-width="2.4" opacity="0.55" filter="url(#soft)"/>')
    s.append(f'<path d="{castle}" fill="#07060a"/>')
    # banner on the spire
    s.append('<path d="M125,236 L125,222" stroke="#07060a" stroke-width="1.6"/>'
             '<path d="M125.5,222 L141,226 L134,229 L141,232 L125.5,231 Z" fill="#8f1d14"/>')
    # lit windows
    for x, y, w_, h_ in [(62, 430, 3, 6), (62, 462, 3, 6), (122, 316, 3, 7), (114, 390, 4, 7),
                         (132, 390, 4, 7), (123, 420, 4, 8), (114, 452, 3, 6), (180, 420, 3, 6),
                         (186, 452, 3, 6), (229, 482, 3, 5), (94, 470, 3, 4), (157, 464, 3, 4)]:
        s.append(f'<rect x="{x - 2}" y="{y - 2}" width="{w_ + 4}" height="{h_ + 4}" fill="#ff9a3a" '
                 f'opacity="0.45" filter="url(#glow)"/>')
        s.append(f'<rect x="{x}" y="{y}" width="{w_}" height="{h_}" fill="#ffc066"/>')
    # fog lit by the valley fires in front of the castle, then foreground rocks
    s.append('<rect x="0" y="500" width="320" height="180" fill="url(#fog)"/>')
    fore = ridge(rng, [(-10, 628), (70, 604), (150, 618), (230, 598), (310, 668)], 9, seg=6, rough=0.6)
    s.append(f'<path d="{ridge_path(fore, 700)}" fill="#0a0607"/>')
    s.append(f'<path d="{ridge_line(fore)}" fill="none" stroke="#ff7a2a" stroke-width="1.6" opacity="0.45" filter="url(#soft)"/>')
    # embers rising from the valley
    for _ in range(110):
        x = rng.uniform(20, W - 20)
        y = rng.uniform(220, FY1)
        if not (40 < x < 995):
            continue
        r = rng.choice([0.8, 1.0, 1.2, 1.5, 1.8, 2.2])
        o = rng.uniform(0.45, 1.0) * min(1.0, (y - 200) / 300)
        s.append(f'<circle cx="{x:.1f}" cy="{y:.1f}" r="{r * 4:.1f}" fill="url(#emberDot)" opacity="{o:.2f}"/>')
        s.append(f'<circle cx="{x:.1f}" cy="{y:.1f}" r="{r}" fill="#ffd08a" opacity="{o:.2f}"/>')

    b.append('<g mask="url(#sceneMask)">' + "".join(s) + "</g>")
    b.append(f'<g clip-path="url(#outsideMain)"><path filter="url(#burn)" fill="#fff" d="{LEFT_BLOB}"/></g>')

    # ---- main iron frame (top, right and bottom; open towards the left) ---
    def band_h(x0, x1, y, finial_left):
        """Horizontal iron band, with a spear-like end when it runs into the mist."""
        t = FT
        if finial_left:
            d = (f"M{x0},{y + t / 2} L{x0 + 14},{y - 3} L{x0 + 20},{y} L{x1},{y} L{x1},{y + t} "
                 f"L{x0 + 20},{y + t} L{x0 + 14},{y + t + 3} Z")
        else:
            d = f"M{x0},{y} L{x1},{y} L{x1},{y + t} L{x0},{y + t} Z"
        return (f'<path d="{d}" fill="url(#ironBand)" stroke="{OUTLINE}" stroke-width="1.5"/>'
                f'<path d="{d}" fill="#3a312b" filter="url(#iron)" opacity="0.55"/>'
                f'<path d="M{x0 + 20},{y + 1.5} L{x1},{y + 1.5}" stroke="#8a7766" stroke-width="1" opacity="0.5"/>')

    fr = []
    fr.append(band_h(FX0, FX1, FY0, False))
    fr.append(band_h(FX0, FX1, FY1 - FT, True))
    # right post
    rp = f"M{FX1 - FT},{FY0} L{FX1},{FY0} L{FX1},{FY1} L{FX1 - FT},{FY1} Z"
    fr.append(f'<path d="{rp}" fill="url(#ironBandV)" stroke="{OUTLINE}" stroke-width="1.5"/>'
              f'<path d="{rp}" fill="#3a312b" filter="url(#iron)" opacity="0.5"/>')
    # bronze trim along the inner edges
    fr.append(f'<path d="M{FX0 + 10},{FY0 + FT + 0.5} L{FX1 - FT - 0.5},{FY0 + FT + 0.5} '
              f'L{FX1 - FT - 0.5},{FY1 - FT - 0.5} L{FX0 + 22},{FY1 - FT - 0.5}" '
              f'fill="none" stroke="{BRONZE}" stroke-width="1.4"/>')
    for x in range(FX0 + 60, FX1 - 20, 46):
        fr.append(rivet(x, FY0 + FT / 2))
        fr.append(rivet(x, FY1 - FT / 2))
    for y in range(FY0 + 40, FY1 - 20, 46):
        fr.append(rivet(FX1 - FT / 2, y))
    # corner plates on the right
    for cy in (FY0 + 6, FY1 - 6):
        fr.append(f'<g transform="translate({FX1 - 8},{cy})">'
                  f'<path d="M-14,-14 L8,-14 L8,14 L-14,14 Z" fill="url(#ironBand)" stroke="{OUTLINE}" stroke-width="1.5"/>'
                  f'<path d="M-3,-9 L6,0 L-3,9 L-12,0 Z" fill="url(#bronze)" stroke="{OUTLINE}" stroke-width="1"/>'
                  f'<circle cx="-3" cy="0" r="2" fill="#ffcf80"/></g>')
    b.append("".join(fr))

    # ---- toolbar plaque under the top band ------------------------------
    tb = []
    px0, px1, py0, py1 = 280, 990, FY0 + FT - 1, 92
    pd = (f"M{px0},{py0} L{px1},{py0} L{px1},{py1 - 8} L{px1 - 8},{py1} "
          f"L{px0 + 8},{py1} L{px0},{py1 - 8} Z")
    tb.append(f'<path d="{pd}" fill="url(#plaque)" stroke="{OUTLINE}" stroke-width="1.5"/>')
    tb.append(f'<path d="{pd}" fill="#2a231f" filter="url(#stone)" opacity="0.55"/>')
    tb.append(f'<path d="M{px0 + 1},{py1 - 8.5} L{px0 + 8.5},{py1 - 1} L{px1 - 8.5},{py1 - 1} L{px1 - 1},{py1 - 8.5}" '
              f'fill="none" stroke="url(#bronze)" stroke-width="2"/>')
    # slot the three buttons sit in
    bx0 = TOOLBAR_BUTTONS[0][0] - 4
    bx1 = TOOLBAR_BUTTONS[-1][0] + 138 + 4
    tb.append(f'<rect x="{bx0}" y="41" width="{bx1 - bx0}" height="45" rx="3" fill="#070605" '
              f'stroke="{BRONZE_D}" stroke-width="1"/>')
    # engraved ornament between the buttons and the close boss
    mx = (bx1 + CLOSE[0]) / 2 - 6
    tb.append(f'<path d="M{bx1 + 16},63.5 L{mx - 22},63.5 M{mx + 22},63.5 L{CLOSE[0] - 22},63.5" '
              f'stroke="#070605" stroke-width="3"/>'
              f'<path d="M{bx1 + 16},64.5 L{mx - 22},64.5 M{mx + 22},64.5 L{CLOSE[0] - 22},64.5" '
              f'stroke="{BRONZE}" stroke-width="1" opacity="0.7"/>')
    tb.append(f'<g transform="translate({mx - 13},{50}) scale(0.26)">'
              + emblem("url(#emblemGold)", "url(#flame)", "#fff0c0", "#1a0e08", OUTLINE, 5) + "</g>")
    for dx in (-30, 30):
        tb.append(f'<path d="M{mx + dx - 4},64 L{mx + dx},60 L{mx + dx + 4},64 L{mx + dx},68 Z" fill="{BRONZE_L}"/>')
    # round boss behind the close button
    ccx, ccy = CLOSE[0] + CLOSE[2] / 2, CLOSE[1] + CLOSE[3] / 2
    tb.append(f'<circle cx="{ccx}" cy="{ccy}" r="20" fill="url(#ironBand)" stroke="{OUTLINE}" stroke-width="1.5"/>'
              f'<circle cx="{ccx}" cy="{ccy}" r="16.5" fill="#070605" stroke="url(#bronze)" stroke-width="1.5"/>')
    b.append("".join(tb))

    # ---- recessed panel the sign-in page lies in ------------------------
    rc = []
    m = 12
    ox0, oy0, ox1, oy1 = sx - m, sy - m, sx + sw + m, sy + sh + m
    rc.append(f'<rect x="{ox0 - 4}" y="{oy0 - 4}" width="{ox1 - ox0 + 8}" height="{oy1 - oy0 + 8}" rx="6" '
              f'fill="#000" opacity="0.5" filter="url(#glow)"/>')
    rc.append(f'<rect x="{ox0}" y="{oy0}" width="{ox1 - ox0}" height="{oy1 - oy0}" rx="4" '
              f'fill="url(#ironBand)" stroke="{OUTLINE}" stroke-width="1.5"/>')
    rc.append(f'<rect x="{ox0}" y="{oy0}" width="{ox1 - ox0}" height="{oy1 - oy0}" rx="4" '
              f'fill="#3a312b" filter="url(#iron)" opacity="0.45"/>')
    rc.append(f'<rect x="{ox0 + 3.5}" y="{oy0 + 3.5}" width="{ox1 - ox0 - 7}" height="{oy1 - oy0 - 7}" rx="2" '
              f'fill="none" stroke="{BRONZE}" stroke-width="1" opacity="0.8"/>')
    rc.append(f'<rect x="{sx - 4}" y="{sy - 4}" width="{sw + 8}" height="{sh + 8}" fill="url(#recess)" '
              f'stroke="url(#bronze)" stroke-width="2"/>')
    rc.append(f'<rect x="{sx - 1}" y="{sy - 1}" width="{sw + 2}" height="{sh + 2}" fill="#0b0908" '
              f'stroke="#000" stroke-width="1"/>')
    # corner brackets
    for cx, cy, fx, fy in [(ox0, oy0, 1, 1), (ox1, oy0, -1, 1), (ox0, oy1, 1, -1), (ox1, oy1, -1, -1)]:
        rc.append(f'<g transform="translate({cx},{cy}) scale({fx},{fy})">'
                  f'<path d="M-4,-4 L30,-4 L24,4 L4,4 L4,24 L-4,30 Z" fill="url(#bronze)" stroke="{OUTLINE}" stroke-width="1.2"/>'
                  f'</g>')
        rc.append(rivet(cx + fx * 0.5, cy + fy * 0.5, 2.2))
    # crest on the top edge of the panel
    cx = sx + sw / 2
    rc.append(f'<g transform="translate({cx},{oy0 + 1})">'
              f'<path d="M-60,0 L-18,0 L-10,-9 L10,-9 L18,0 L60,0 L52,6 L-52,6 Z" fill="url(#ironBand)" '
              f'stroke="{OUTLINE}" stroke-width="1.2"/>'
              f'<path d="M0,-16 L12,-2 L0,10 L-12,-2 Z" fill="url(#bronze)" stroke="{OUTLINE}" stroke-width="1.2"/>'
              f'<path d="M0,-9 L5,-2 L0,4 L-5,-2 Z" fill="#ff9a3a"/></g>')
    b.append("".join(rc))

    # ---- left column: crest, title, service plaque ----------------------
    lc = []
    ccx = 130
    # crossed swords
    sword = (f'<path d="M-5.5,-68 L5.5,-68 L4.5,78 L0,98 L-4.5,78 Z" fill="url(#steel)" stroke="{OUTLINE}" stroke-width="1.2"/>'
             f'<path d="M0,-66 L0,80" stroke="#4a443e" stroke-width="0.8"/>'
             f'<path d="M-22,-74 C-16,-70 16,-70 22,-74 L22,-68 C16,-64 -16,-64 -22,-68 Z" fill="url(#bronze)" stroke="{OUTLINE}" stroke-width="1.2"/>'
             f'<rect x="-3.5" y="-94" width="7" height="21" fill="#3a2416" stroke="{OUTLINE}" stroke-width="1"/>'
             f'<path d="M-3.5,-88 L3.5,-86 M-3.5,-82 L3.5,-80 M-3.5,-76 L3.5,-74" stroke="#7a5232" stroke-width="1"/>'
             f'<circle cx="0" cy="-99" r="5.5" fill="url(#bronze)" stroke="{OUTLINE}" stroke-width="1.2"/>')
    for ang in (-53, 53):
        lc.append(f'<g transform="translate({ccx},{90}) rotate({ang}) scale(1.12)">{sword}</g>')
    # shield
    lc.append(f'<g transform="translate({ccx - 60},{14})">'
              f'<path d="{SHIELD}" fill="#000" opacity="0.6" transform="translate(0,3)" filter="url(#soft)"/>'
              f'<path d="{SHIELD}" fill="url(#field)"/>'
              f'<g clip-path="url(#shieldClip)">'
              f'<path d="M60,-4 L60,150" stroke="#000" stroke-width="30" opacity="0.12"/>'
              f'<path d="{SHIELD}" fill="none" stroke="#ffb070" stroke-width="2" opacity="0.25" transform="translate(0,2)"/>'
              f'</g>'
              f'<path d="{SHIELD}" fill="none" stroke="url(#ironBand)" stroke-width="8"/>'
              f'<path d="{SHIELD}" fill="none" stroke="{OUTLINE}" stroke-width="1.5"/>'
              f'<path d="{SHIELD}" fill="none" stroke="{BRONZE_L}" stroke-width="1.2" '
              f'transform="translate(60,70) scale(0.9) translate(-60,-70)"/>'
              f'<g transform="translate(22,26) scale(0.76)">'
              f'<g transform="translate(0,3)" opacity="0.5">{emblem("#000", "#000", "#000", "#000")}</g>'
              + emblem("url(#emblemGold)", "url(#flame)", "#fff0c0", "#3a0c08", OUTLINE, 2.5)
              + "</g>"
              + "".join(rivet(x, y, 2.6) for x, y in [(10, 13), (110, 13), (60, 6), (8, 60), (112, 60)])
              + "</g>")
    # title plaque
    tx0, tx1, ty0, ty1 = 12, 248, 160, 226
    tyc = (ty0 + ty1) / 2
    tp = (f"M{tx0},{tyc} L{tx0 + 20},{ty0} L{tx1 - 20},{ty0} L{tx1},{tyc} "
          f"L{tx1 - 20},{ty1} L{tx0 + 20},{ty1} Z")
    lc.append(f'<path d="{tp}" fill="#000" opacity="0.6" transform="translate(0,4)" filter="url(#glow)"/>')
    lc.append(f'<path d="{tp}" fill="url(#plaque)" stroke="{OUTLINE}" stroke-width="1.5"/>')
    lc.append(f'<path d="{tp}" fill="#2a231f" filter="url(#stone)" opacity="0.6"/>')
    ip = (f"M{tx0 + 8},{tyc} L{tx0 + 24},{ty0 + 5} L{tx1 - 24},{ty0 + 5} L{tx1 - 8},{tyc} "
          f"L{tx1 - 24},{ty1 - 5} L{tx0 + 24},{ty1 - 5} Z")
    lc.append(f'<path d="{ip}" fill="none" stroke="url(#bronze)" stroke-width="1.6"/>')
    for x in (tx0 + 13, tx1 - 13):
        lc.append(f'<path d="M{x - 4},{tyc} L{x},{tyc - 5} L{x + 4},{tyc} L{x},{tyc + 5} Z" fill="{BRONZE_L}" stroke="{OUTLINE}" stroke-width="0.8"/>')
    title = (f'x="{ccx}" y="{tyc + 15}" text-anchor="middle" font-family="{SERIF}" '
             f'font-weight="bold" font-size="46" letter-spacing="1"')
    lc.append(f'<text {title} fill="#ff7a1a" opacity="0.55" filter="url(#glow)">Varnholt</text>')
    lc.append(f'<text {title} fill="none" stroke="#000" stroke-width="4" stroke-linejoin="round">Varnholt</text>')
    lc.append(f'<text {title} fill="#fff4d6" transform="translate(0,-1)">Varnholt</text>')
    lc.append(f'<text {title} fill="url(#gold)">Varnholt</text>')
    # tagline
    tag = (f'x="{ccx}" y="{ty1 + 20}" text-anchor="middle" font-family="{SERIF}" '
           f'font-size="11" letter-spacing="2.6"')
    lc.append(f'<text {tag} fill="none" stroke="#000" stroke-width="3" opacity="0.8">REALM OF EMBER &amp; IRON</text>')
    lc.append(f'<text {tag} fill="#e0a866">REALM OF EMBER &amp; IRON</text>')

    # plaque for the customer-service button
    qx, qy, qw, qh = SERVICE
    qd = (f"M{qx - 16},{qy + qh / 2} L{qx - 6},{qy - 7} L{qx + qw + 6},{qy - 7} "
          f"L{qx + qw + 16},{qy + qh / 2} L{qx + qw + 6},{qy + qh + 7} L{qx - 6},{qy + qh + 7} Z")
    lc.append(f'<path d="{qd}" fill="#000" opacity="0.6" transform="translate(0,4)" filter="url(#glow)"/>')
    lc.append(f'<path d="{qd}" fill="url(#plaque)" stroke="{OUTLINE}" stroke-width="1.5"/>')
    lc.append(f'<path d="{qd}" fill="#2a231f" filter="url(#stone)" opacity="0.6"/>')
    lc.append(f'<rect x="{qx - 3}" y="{qy - 3}" width="{qw + 6}" height="{qh + 6}" rx="2" fill="#070605" '
              f'stroke="{BRONZE}" stroke-width="1"/>')
    for x in (qx - 10, qx + qw + 10):
        lc.append(f'<path d="M{x - 3},{qy + qh / 2} L{x},{qy + qh / 2 - 4} L{x + 3},{qy + qh / 2} '
                  f'L{x},{qy + qh / 2 + 4} Z" fill="{BRONZE_L}"/>')
    b.append("".join(lc))

    body = f'<g filter="url(#drop)">{"".join(b)}</g>'
    return doc(W, H, body, defs)


# --------------------------------------------------------------------------
# Button faces (opaque): dark iron bar, orange lettering; pressed = lit red
# --------------------------------------------------------------------------

def button(w, h, label, pressed, size, spacing):
    if pressed:
        top, midc, bot = "#b8361c", "#7e1c0e", "#4a0d06"
        rim, ink, ink2, glow = "#f0a050", "#fff0d8", "#ffd39a", 0.55
        dy = 1
    else:
        top, midc, bot = "#3d332c", "#241d19", "#15110e"
        rim, ink, ink2, glow = BRONZE, "#ffc477", "#f08a2a", 0.0
        dy = 0
    defs = f"""
<linearGradient id="face" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="{top}"/>
  <stop offset="0.5" stop-color="{midc}"/>
  <stop offset="1" stop-color="{bot}"/>
</linearGradient>
<linearGradient id="ink" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0.2" stop-color="{ink}"/>
  <stop offset="0.9" stop-color="{ink2}"/>
</linearGradient>
<radialGradient id="heat" cx="0.5" cy="0.6" r="0.6">
  <stop offset="0" stop-color="#ff7a2a" stop-opacity="{glow}"/>
  <stop offset="1" stop-color="#ff7a2a" stop-opacity="0"/>
</radialGradient>
<filter id="blur" color-interpolation-filters="sRGB" x="-20%" y="-50%" width="140%" height="200%"><feGaussianBlur stdDeviation="1.4"/></filter>
"""
    cy = h / 2
    fy = cy + size * 0.36 + dy
    body = [
        f'<rect width="{w}" height="{h}" fill="{OUTLINE}"/>',
        f'<rect x="1" y="1" width="{w - 2}" height="{h - 2}" rx="2" fill="url(#face)"/>',
        f'<rect x="1" y="1" width="{w - 2}" height="{h - 2}" rx="2" fill="url(#heat)"/>',
        f'<rect x="2.5" y="2.5" width="{w - 5}" height="{h - 5}" rx="1.5" fill="none" stroke="{rim}" stroke-width="1"/>',
        f'<path d="M4,3.5 L{w - 4},3.5" stroke="#fff" stroke-opacity="{0.22 if pressed else 0.12}" stroke-width="1"/>',
        f'<path d="M4,{h - 3.5} L{w - 4},{h - 3.5}" stroke="#000" stroke-opacity="0.45" stroke-width="1"/>',
    ]
    for x in (9, w - 9):
        body.append(f'<path d="M{x - 3.5},{cy} L{x},{cy - 3.5} L{x + 3.5},{cy} L{x},{cy + 3.5} Z" '
                    f'fill="{"#ffd08a" if pressed else BRONZE_L}" stroke="{OUTLINE}" stroke-width="0.6"/>')
    txt = (f'x="{w / 2 + spacing / 2}" y="{fy:.1f}" text-anchor="middle" font-family="{CJK}" '
           f'font-size="{size}" letter-spacing="{spacing}"')
    if pressed:
        body.append(f'<text {txt} fill="#ffb060" filter="url(#blur)">{label}</text>')
    body.append(f'<text {txt} fill="#000" opacity="0.85" transform="translate(0,1)">{label}</text>')
    # a hair of stroke gives the single-weight CJK face a little more body
    body.append(f'<text {txt} fill="url(#ink)" stroke="url(#ink)" stroke-width="0.35">{label}</text>')
    return doc(w, h, "\n".join(body), defs)


def close_button(pressed):
    w = h = 23
    if pressed:
        a, b_, c, ink, sh = "#c8401c", "#8e1e0e", "#5a0e06", "#ffe6c8", "#2a0602"
    else:
        a, b_, c, ink, sh = "#ffb45a", "#f08a2a", "#c2581a", "#2a1206", "#ffd9a0"
    defs = f"""
<linearGradient id="face" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="{a}"/>
  <stop offset="0.5" stop-color="{b_}"/>
  <stop offset="1" stop-color="{c}"/>
</linearGradient>
"""
    d = "M7,7 L16,16 M16,7 L7,16"
    # pressed: the cross sinks half a pixel
    o = 0.5 if pressed else 0
    body = [
        f'<rect width="{w}" height="{h}" fill="{OUTLINE}"/>',
        f'<rect x="1" y="1" width="21" height="21" rx="2" fill="url(#face)"/>',
        f'<rect x="1.5" y="1.5" width="20" height="20" rx="1.5" fill="none" stroke="#fff" stroke-opacity="0.25"/>',
        f'<path d="{d}" stroke="{sh}" stroke-opacity="{0.8 if pressed else 0.6}" stroke-width="2.6" '
        f'stroke-linecap="round" transform="translate(0,1)"/>',
        f'<path d="{d}" stroke="{ink}" stroke-width="2.6" stroke-linecap="round" transform="translate({o},{o})"/>',
    ]
    return doc(w, h, "\n".join(body), defs)


# --------------------------------------------------------------------------
# Window frame pieces
# --------------------------------------------------------------------------

def mix(c1, c2, t):
    a = [int(c1[i:i + 2], 16) for i in (1, 3, 5)]
    b = [int(c2[i:i + 2], 16) for i in (1, 3, 5)]
    return "#" + "".join(f"{round(x + (y - x) * t):02x}" for x, y in zip(a, b))


BAND_TOP = "#2e2622"
BAND_LOW = "#120f0c"
EDGE_IN = "#241d19"


def caption_rows(c):
    """Colour of each caption row. The rows the caption buttons cover are the
    flat BAND colour, so 161..163 can use it as their plain background."""
    rows = [OUTLINE, IRON_L]
    top = 7 if c >= 39 else 4
    rows += [mix(BAND_TOP, BAND, i / (top - 1)) for i in range(top)]
    tail = [mix(BAND, BAND_LOW, (i + 1) / 4) for i in range(4 if c >= 39 else 2)]
    tail += [BRONZE_D if c < 39 else "#0e0b09"]
    if c >= 39:
        tail += ["#7a5230"]
    tail += [OUTLINE]
    rows += [BAND] * (c - len(rows) - len(tail))
    rows += tail
    assert len(rows) == c
    return rows


def frame(w, h, c, left_w, right_w, emblem_at=None):
    """Frame template. Only these parts are used by the window code: caption
    left (0..left_w) and right (w-right_w..w) unscaled, one caption column
    stretched between them, 3-px edges stretched along their length and a
    plain body sample. So the edges are uniform along their length and all
    ornaments stay inside the unscaled caption ends."""
    b = ['<g shape-rendering="crispEdges">']
    b.append(f'<rect width="{w}" height="{h}" fill="{BODY}"/>')
    for y, col in enumerate(caption_rows(c)):
        b.append(f'<rect x="0" y="{y}" width="{w}" height="1" fill="{col}"/>')
    # side edges run through the caption too, so the corners close neatly
    for x, col in ((0, OUTLINE), (1, BRONZE_D), (2, EDGE_IN)):
        b.append(f'<rect x="{x}" y="1" width="1" height="{h - 1}" fill="{col}"/>')
        b.append(f'<rect x="{w - 1 - x}" y="1" width="1" height="{h - 1}" fill="{col}"/>')
    for y, col in ((h - 3, EDGE_IN), (h - 2, BRONZE_D), (h - 1, OUTLINE)):
        b.append(f'<rect x="{3 if y == h - 3 else 1}" y="{y}" width="{w - (6 if y == h - 3 else 2)}" height="1" fill="{col}"/>')
    b.append(f'<rect x="0" y="0" width="{w}" height="1" fill="{OUTLINE}"/>')
    b.append(f'<rect x="0" y="{h - 1}" width="{w}" height="1" fill="{OUTLINE}"/>')
    b.append(f'<rect x="0" y="0" width="1" height="{h}" fill="{OUTLINE}"/>')
    b.append(f'<rect x="{w - 1}" y="0" width="1" height="{h}" fill="{OUTLINE}"/>')
    b.append("</g>")
    # bronze corner pieces at the caption's outer top corners
    k = 9 if c >= 39 else 6
    for sx_, x0 in ((1, 1), (-1, w - 1)):
        b.append(f'<path d="M{x0},1 L{x0 + sx_ * k},1 L{x0},{1 + k} Z" fill="url(#bronze)"/>')
    if emblem_at:
        ex, ey, es = emblem_at
        # engraved in bronze rather than in colour: the window icon beside it
        # is already the coloured emblem
        b.append(f'<g transform="translate({ex},{ey + 1}) scale({es / 100})" opacity="0.9">'
                 + emblem("#000", "#000", "#000", "#000") + "</g>")
        b.append(f'<g transform="translate({ex},{ey}) scale({es / 100})">'
                 + emblem("url(#bronze)", "url(#bronze)", BAND, BAND) + "</g>")
    # size grip: decorative, never sampled by the window code
    for i in range(3):
        for j in range(3 - i):
            x = w - 7 - 4 * i
            y = h - 7 - 4 * j
            b.append(f'<rect x="{x + 1}" y="{y + 1}" width="2" height="2" fill="#000" shape-rendering="crispEdges"/>'
                     f'<rect x="{x}" y="{y}" width="2" height="2" fill="#6a5442" shape-rendering="crispEdges"/>')
    defs = """
<linearGradient id="bronze" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#f0c07a"/><stop offset="1" stop-color="#7a4c1e"/>
</linearGradient>
<linearGradient id="emblemGold" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#ffe7a8"/><stop offset="1" stop-color="#c0802e"/>
</linearGradient>
<linearGradient id="flame" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#ffd27a"/><stop offset="1" stop-color="#e0501a"/>
</linearGradient>
"""
    return doc(w, h, "\n".join(b), defs)


def caption_glyphs(kind):
    """Three 20x20 frames: normal, hover, pressed."""
    faces = [
        (None, None, "#cf9f6e"),
        (("#45392f", "#2b2420"), "#7a5a3a", "#ffe0b0"),
        (("#c0381c", "#6e160a"), "#f0a050", "#ffffff"),
    ]
    defs, body = [], [f'<rect width="60" height="20" fill="{BAND}"/>']
    for i, (grad, rim, ink) in enumerate(faces):
        ox = 20 * i
        if grad:
            defs.append(f'<linearGradient id="g{i}" x1="0" y1="0" x2="0" y2="1">'
                        f'<stop offset="0" stop-color="{grad[0]}"/><stop offset="1" stop-color="{grad[1]}"/>'
                        f'</linearGradient>')
            body.append(f'<rect x="{ox + 1.5}" y="1.5" width="17" height="17" rx="2.5" fill="url(#g{i})" '
                        f'stroke="{rim}" stroke-width="1"/>')
        if kind == "close":
            body.append(f'<path d="M{ox + 6},6 L{ox + 14},14 M{ox + 14},6 L{ox + 6},14" stroke="{ink}" '
                        f'stroke-width="1.8" stroke-linecap="square"/>')
        elif kind == "max":
            body.append(f'<g shape-rendering="crispEdges" fill="{ink}">'
                        f'<rect x="{ox + 5}" y="5" width="10" height="2"/>'
                        f'<rect x="{ox + 5}" y="14" width="10" height="1"/>'
                        f'<rect x="{ox + 5}" y="7" width="1" height="7"/>'
                        f'<rect x="{ox + 14}" y="7" width="1" height="7"/></g>')
        else:
            body.append(f'<rect x="{ox + 5}" y="12" width="10" height="2" fill="{ink}" shape-rendering="crispEdges"/>')
    return doc(60, 20, "\n".join(body), "\n".join(defs))


def text_button_faces():
    """Three 41x20 faces for caption text buttons; the label is drawn by code."""
    faces = [
        ("#362c26", "#201a16", "#4e3d2f", 0.08),
        ("#4a3c32", "#2c241f", "#8a6440", 0.14),
        ("#1a1310", "#3a1710", "#a8441e", 0.0),
    ]
    defs, body = [], [f'<rect width="123" height="20" fill="{BAND}"/>']
    for i, (a, b_, rim, hi) in enumerate(faces):
        ox = 41 * i
        defs.append(f'<linearGradient id="f{i}" x1="0" y1="0" x2="0" y2="1">'
                    f'<stop offset="0" stop-color="{a}"/><stop offset="1" stop-color="{b_}"/></linearGradient>')
        body.append(f'<rect x="{ox + 0.5}" y="0.5" width="40" height="19" rx="2.5" fill="url(#f{i})" stroke="{rim}"/>')
        if hi:
            body.append(f'<path d="M{ox + 3},1.5 L{ox + 38},1.5" stroke="#fff" stroke-opacity="{hi}"/>')
        else:
            body.append(f'<path d="M{ox + 3},1.5 L{ox + 38},1.5" stroke="#000" stroke-opacity="0.5"/>')
        body.append(f'<path d="M{ox + 3},18.5 L{ox + 38},18.5" stroke="#000" stroke-opacity="{0.35 if hi else 0.0}"/>')
    return doc(123, 20, "\n".join(body), "\n".join(defs))


# --------------------------------------------------------------------------
# Emblem glyph and application icon
# --------------------------------------------------------------------------

ICON_DEFS = """
<linearGradient id="field" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#b02a1c"/><stop offset="1" stop-color="#520d08"/>
</linearGradient>
<linearGradient id="rim" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#6a5a4e"/><stop offset="0.5" stop-color="#3a312b"/><stop offset="1" stop-color="#1d1815"/>
</linearGradient>
<linearGradient id="bronze" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#f0c07a"/><stop offset="1" stop-color="#8a5a24"/>
</linearGradient>
<linearGradient id="emblemGold" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#ffe7a8"/><stop offset="0.6" stop-color="#e6a64a"/><stop offset="1" stop-color="#a0601e"/>
</linearGradient>
<linearGradient id="flame" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#ffe08a"/><stop offset="0.55" stop-color="#ff8a2a"/><stop offset="1" stop-color="#d0400c"/>
</linearGradient>
<radialGradient id="heat" cx="0.5" cy="0.45" r="0.5">
  <stop offset="0" stop-color="#ff9a3a" stop-opacity="0.45"/><stop offset="1" stop-color="#ff9a3a" stop-opacity="0"/>
</radialGradient>
<filter id="shadow" color-interpolation-filters="sRGB" x="-20%" y="-20%" width="140%" height="140%"><feGaussianBlur stdDeviation="3"/></filter>
"""


def icon(size, detailed):
    """Emblem on the shield; the smaller variant drops rivets and thin lines."""
    sc = size / 146
    ox = (size - 120 * sc) / 2
    oy = (size - 142 * sc) / 2 + 1 * sc
    rimw = 9 if detailed else 12
    g = [f'<g transform="translate({ox:.2f},{oy:.2f}) scale({sc:.4f})">']
    if detailed:
        g.append(f'<path d="{SHIELD}" fill="#000" opacity="0.5" transform="translate(0,3)" filter="url(#shadow)"/>')
    g.append(f'<path d="{SHIELD}" fill="url(#field)"/>')
    g.append(f'<path d="{SHIELD}" fill="url(#heat)"/>')
    g.append(f'<path d="{SHIELD}" fill="none" stroke="url(#rim)" stroke-width="{rimw}"/>')
    g.append(f'<path d="{SHIELD}" fill="none" stroke="{OUTLINE}" stroke-width="{2 if detailed else 3}"/>')
    if detailed:
        g.append(f'<path d="{SHIELD}" fill="none" stroke="#d49a55" stroke-width="1.6" '
                 f'transform="translate(60,70) scale(0.88) translate(-60,-70)"/>')
    es = 0.84 if detailed else 0.9
    g.append(f'<g transform="translate({60 - 50 * es},{24 if detailed else 20}) scale({es})">')
    if detailed:
        g.append(f'<g transform="translate(0,4)" opacity="0.45">{emblem("#000", "#000", "#000", "#000")}</g>')
    g.append(emblem("url(#emblemGold)", "url(#flame)", "#fff3c8", "#3a0c08", OUTLINE, 3 if detailed else 4))
    g.append("</g>")
    if detailed:
        for x, y in [(10, 15), (110, 15), (60, 8), (8, 62), (112, 62)]:
            g.append(f'<circle cx="{x}" cy="{y + 0.8}" r="3.4" fill="#000" opacity="0.5"/>'
                     f'<circle cx="{x}" cy="{y}" r="3.4" fill="url(#bronze)"/>')
    g.append("</g>")
    return doc(size, size, "\n".join(g), ICON_DEFS)


def small_shield(ox=0, oy=0):
    """16 x 16 shield hand-placed on the pixel grid: at this size only the
    shield, the flame and the keep's battlement can survive."""
    return f"""
<g transform="translate({ox},{oy})">
<path d="M1.5,1.5 Q8,0.8 14.5,1.5 L14.5,8 C14.5,11 11.8,13.2 8,15 C4.2,13.2 1.5,11 1.5,8 Z"
      fill="url(#field)" stroke="{OUTLINE}" stroke-width="1"/>
<path d="M8,1.9 C9.1,3.2 11,4.2 11,6 C11,6.9 10.6,7.5 10.2,8 L5.8,8 C5.4,7.5 5,6.9 5,6 C5,4.8 6,4.2 6.3,3.3 C6.6,4 6.9,4.3 7.2,4.5 C7.3,3.4 7.6,2.6 8,1.9 Z" fill="#ff8a2a"/>
<path d="M8,4.4 C8.8,5.4 9.4,6 9.3,6.9 C9.2,7.5 8.7,8 8,8 C7.3,8 6.8,7.5 6.7,6.9 C6.6,6 7.2,5.4 8,4.4 Z" fill="#ffe9a0"/>
<g shape-rendering="crispEdges">
  <rect x="4" y="7" width="2" height="1" fill="#ffd98a"/>
  <rect x="7" y="7" width="2" height="1" fill="#ffd98a"/>
  <rect x="10" y="7" width="2" height="1" fill="#ffd98a"/>
  <rect x="6" y="7" width="1" height="1" fill="#b8400f"/>
  <rect x="9" y="7" width="1" height="1" fill="#b8400f"/>
  <rect x="4" y="8" width="8" height="1" fill="#f2c067"/>
  <rect x="5" y="9" width="6" height="4" fill="#e0a048"/>
  <rect x="7" y="11" width="2" height="2" fill="#3a0c08"/>
</g>
</g>
"""


def icon16():
    return doc(16, 16, small_shield(), ICON_DEFS)


def glyph18():
    return doc(18, 18, small_shield(1, 1), ICON_DEFS)


def main():
    os.makedirs(OUT, exist_ok=True)
    files = {"143.svg": launcher()}
    for normal, pressed, label in [(155, 159, "官网"), (154, 158, "充值"), (153, 157, "论坛")]:
        files[f"{normal}.svg"] = button(138, 37, label, False, 17, 6)
        files[f"{pressed}.svg"] = button(138, 37, label, True, 17, 6)
    files["156.svg"] = button(104, 31, "客服中心", False, 14, 2)
    files["160.svg"] = button(104, 31, "客服中心", True, 14, 2)
    files["135.svg"] = close_button(False)
    files["151.svg"] = close_button(True)
    files["161.svg"] = caption_glyphs("close")
    files["162.svg"] = caption_glyphs("max")
    files["163.svg"] = caption_glyphs("min")
    files["165.svg"] = text_button_faces()
    files["164.svg"] = frame(594, 229, 39, 218, 50, emblem_at=(37, 11, 17))
    files["166.svg"] = frame(194, 215, 26, 30, 30)
    files["167.svg"] = glyph18()
    files["icon-7.svg"] = icon(256, True)
    files["icon-7-48.svg"] = icon(48, False)
    files["icon-7-16.svg"] = icon16()
    for name, text in files.items():
        with open(os.path.join(OUT, name), "w", encoding="utf-8") as f:
            f.write(text)


if __name__ == "__main__":
    main()
