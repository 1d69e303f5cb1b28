#!/bin/sh
# Re-renders every artwork export into res/images/ from the sources here.
#
#   sh res/art/render.sh
#
# Needs python3, rsvg-convert (librsvg2-bin), ImageMagick 6 and the fonts
# fonts-urw-base35 (P052, the title face), fonts-wqy-microhei (button labels).
# The output is byte-for-byte stable: fixed seeds in gen.py, and -strip plus
# no date chunks so PNGs carry no timestamps.
set -eu

ART=$(cd "$(dirname "$0")" && pwd)
IMAGES=$(cd "$ART/../images" 2>/dev/null && pwd || { mkdir -p "$ART/../images" && cd "$ART/../images" && pwd; })
# /usr/local/bin may hold a stand-in convert; the real one is wanted here.
CONVERT=${CONVERT:-/usr/bin/convert}
IDENTIFY=${IDENTIFY:-/usr/bin/identify}

TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

python3 "$ART/gen.py" "$ART/svg"

# name  format  size
LIST='
143        rgba 1016x680
135        rgb  23x23
151        rgb  23x23
153        rgb  138x37
154        rgb  138x37
155        rgb  138x37
157        rgb  138x37
158        rgb  138x37
159        rgb  138x37
156        rgb  104x31
160        rgb  104x31
161        rgb  60x20
162        rgb  60x20
163        rgb  60x20
164        rgba 594x229
165        rgb  123x20
166        rgba 194x215
167        rgba 18x18
icon-7     rgba 256x256
icon-7-48  rgba 48x48
icon-7-16  rgba 16x16
'

echo "$LIST" | while read -r name fmt size; do
    [ -n "$name" ] || continue
    rsvg-convert "$ART/svg/$name.svg" -o "$TMP/$name.png"
    out="$IMAGES/$name.png"
    if [ "$fmt" = rgb ]; then
        # Opaque faces: flatten onto the outline colour (only the anti-aliased
        # rim of a rounded corner is affected) and drop the alpha channel.
        "$CONVERT" "$TMP/$name.png" -background '#0b0908' -alpha remove -alpha off \
            -strip -define png:exclude-chunks=date,time -define png:bit-depth=8 \
            -define png:color-type=2 "PNG24:$out"
    else
        "$CONVERT" "$TMP/$name.png" -strip -define png:exclude-chunks=date,time \
            -define png:bit-depth=8 -define png:color-type=6 "PNG32:$out"
    fi
    got=$("$IDENTIFY" -format '%wx%h %[channels]' "$out")
    want_ch=$([ "$fmt" = rgb ] && echo srgb || echo srgba)
    case "$got" in
        "$size $want_ch"*) printf '%-10s %-9s %s\n' "$name" "$size" "$fmt" ;;
        *) echo "$name: got '$got', want '$size $want_ch'" >&2; exit 1 ;;
    esac
done
