#!/usr/bin/env bash
# Side by side with the tools users would otherwise reach for, as whole processes:
#   bench/peers.sh VORLIN_CLI [WORKDIR]
# Needs Python 3 with Pillow and NumPy for the pictures and the error figures; each peer
# (pngquant, ImageMagick's convert, netpbm's pnmquant) runs only when installed. Prints
# for every job the median CPU seconds (user + system) of RUNS runs (default 5) and, for
# colour reduction, the mean squared error against the photograph; then the bytes and
# time of each deflate setting on the paletted pictures. Not part of the test run.
set -euo pipefail
cli=$(realpath "$1")
work=${2:-/tmp/vorlin-peers}
here=$(cd "$(dirname "$0")" && pwd)
python=${PYTHON:-/usr/bin/python3}
mkdir -p "$work"
cd "$work"
[ -f paletted-4096.png ] || "$python" "$here/peer_pictures.py" make .

have() { command -v "$1" >/dev/null 2>&1; }
runs=${RUNS:-5}
# Median user + system seconds of $runs runs of the command.
cpu() {
    for _ in $(seq "$runs"); do
        { TIMEFORMAT='%U %S'; time "$@" >/dev/null 2>&1; } 2>&1 | awk '{print $1 + $2}'
    done | sort -n | awk '{t[NR] = $1} END {print t[int((NR + 1) / 2)]}'
}
# ImageMagick 6 as Debian installs it, else whatever convert is on the path.
im=$(command -v convert-im6.q16 || command -v convert || true)
row() {
    if [ -n "$2" ]; then printf '%-44s %8s s  %s\n' "$1" "$2" "${3:-}"
    else printf '%-44s %10s  %s\n' "$1" "" "${3:-}"; fi
}
mse() { echo "mse $("$python" "$here/peer_pictures.py" mse "$1" "$2")"; }

echo "== true-colour photo -> 256 colours (CPU, mean squared error)"
for photo in sky-1024 objects-1024 sky-2048 objects-2048; do
    src=$photo.png
    row "$photo vorlin fast" "$(cpu "$cli" convert "$src" v-fast.png)" "$(mse "$src" v-fast.png)"
    row "$photo vorlin best" "$(cpu "$cli" convert "$src" v-best.png --quantize best)" \
        "$(mse "$src" v-best.png)"
    if have pngquant; then
        row "$photo pngquant --nofs" "$(cpu pngquant --nofs -f -o pq.png 256 "$src")" \
            "$(mse "$src" pq.png)"
        row "$photo pngquant --speed 10 --nofs" \
            "$(cpu pngquant --speed 10 --nofs -f -o pq10.png 256 "$src")" "$(mse "$src" pq10.png)"
    fi
    if [ -n "$im" ]; then
        row "$photo convert +dither -colors 256" \
            "$(cpu "$im" "$src" +dither -colors 256 PNG8:im.png)" "$(mse "$src" im.png)"
    fi
    row "$photo Pillow median cut" "$(cpu "$python" -c "from PIL import Image
Image.open('$src').quantize(256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE).save('pil.png')")" \
        "$(mse "$src" pil.png)"
    if have pnmquant && have pngtopnm; then
        row "$photo netpbm pnmquant" \
            "$(cpu sh -c "pngtopnm $src | pnmquant 256 | pnmtopng > nq.png")" "$(mse "$src" nq.png)"
    fi
done

echo "== 4096 x 4096 paletted PNG <-> BMP (CPU, output bytes)"
size() { echo "$(stat -c %s "$1") bytes"; }
row "PNG->BMP vorlin" "$(cpu "$cli" convert paletted-4096.png v.bmp)" "$(size v.bmp)"
"$cli" convert map-1024.png map-1024.bmp >/dev/null
row "BMP->PNG vorlin" "$(cpu "$cli" convert v.bmp v.png)" "$(size v.png)"
row "PNG->BMP Pillow" "$(cpu "$python" -c "from PIL import Image
Image.open('paletted-4096.png').save('pil.bmp')")" "$(size pil.bmp)"
row "BMP->PNG Pillow" "$(cpu "$python" -c "from PIL import Image
Image.open('v.bmp').save('pil.png')")" "$(size pil.png)"
if [ -n "$im" ]; then
    row "PNG->BMP convert" "$(cpu "$im" paletted-4096.png BMP3:im.bmp)" "$(size im.bmp)"
    row "BMP->PNG convert" "$(cpu "$im" v.bmp PNG8:im.png)" "$(size im.png)"
fi
if have pngtopnm && have pnmtopng; then
    row "PNG->BMP netpbm" "$(cpu sh -c "pngtopnm paletted-4096.png | ppmtobmp > nb.bmp")" \
        "$(size nb.bmp)"
    row "BMP->PNG netpbm" "$(cpu sh -c "bmptopnm v.bmp | pnmtopng > nb.png")" "$(size nb.png)"
fi

echo "== GBA export of a 1024 x 1024 tile map: 4-bpp tiles, screen-block map, LZ77 (CPU)"
decode=$(cpu "$cli" convert map-1024.png m.bmp)
row "decode only (convert to BMP)" "$decode"
export4=(export map-1024.png --bpp 4 --map --map-layout sbb --img-cprs lz77 --map-cprs lz77)
greedy=$(cpu "$cli" "${export4[@]}" -o g.bin)
row "export greedy LZ77" "$greedy" "$(awk "BEGIN{printf \"%.2f x decode\", $greedy / $decode}")"
row "export, no compression" "$(cpu "$cli" export map-1024.png -o n.bin --bpp 4 --map --map-layout sbb)"
row "export smallest LZ77" "$(cpu "$cli" "${export4[@]}" -o s.bin --best)"
for block in img map; do
    row "  $block.bin greedy / smallest" "" "$(stat -c %s g.$block.bin) / $(stat -c %s s.$block.bin) bytes"
done

echo "== deflate settings on the paletted pictures' rows (bytes, CPU)"
for photo in sky-1024 objects-1024 sky-2048 objects-2048; do
    "$cli" convert $photo.png "reduced-$photo.bmp" --quantize best >/dev/null
done
"$python" "$here/png_settings.py" v.bmp map-1024.bmp reduced-*.bmp
