#!/usr/bin/env bash
# The batch mode with a display: mosa shows its main window and the job's windows, writes the
# dome picture, stores its settings and ends by itself with status 0.
set -euo pipefail
xvfb_run=$1 mosa=$2 sky=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$sky" faces "$work" 64 >/dev/null
cd "$work"
HOME="$work" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb \
    timeout 120 "$xvfb_run" -a "$mosa" -5viewpolar -res 200 200 \
    left.bmp front.bmp right.bmp top.bmp back.bmp "$work/dome.tga"
test -s "$work/dome.tga" || { echo "no dome.tga written" >&2; exit 1; }
grep -q "fiveViewSweep=180.00" "$work/config/Kesto/mosa.conf" || { echo "settings not stored" >&2; exit 1; }
echo "desktop batch run wrote dome.tga and stored its settings"
