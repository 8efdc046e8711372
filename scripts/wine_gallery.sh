#!/usr/bin/env bash
# Runs every gallery script (docs/gallery/gallery.txt) through Wine's cscript against the
# registered Corvane.dll, writing the pictures into OUT_DIR, and compares their pixels with
# the committed ones (the PNG bytes of WIC and libpng differ, the pixels may not).
# The Wine prefix must be set up and the DLL registered (scripts/wine_tests.sh does both).
#   scripts/wine_gallery.sh GALLERY_TOOL OUT_DIR
# GALLERY_TOOL is the native corvane_gallery; prints one summary line, exit 1 on a difference.
set -u -o pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
tool=${1:?native corvane_gallery}
out=${2:?output directory}
gallery="$root/docs/gallery"
# shellcheck source=wine_env.sh
. "$here/wine_env.sh"

mkdir -p "$out"
failed=0
while read -r picture script argument; do
  rm -f "$out/$picture"
  source="$gallery/$script"
  # The antialiased pictures: the same script with Antialias turned on right after the chart
  # is made (the native runner sets it on the chart before the script runs).
  if [[ $picture == *_antialiased.png ]]; then
    source="$out/antialiased_$script"
    sed 's/^Set chart = CreateObject("Corvane.CorvaneEx")\r\{0,1\}$/&\nchart.Antialias = True/' \
      "$gallery/$script" >"$source"
  fi
  # The high-DPI pictures: antialiased at pixel scale 2 as well, every SetSize twice as large
  # (the native runner rewrites the SetSize lines alike).
  if [[ $picture == *_hidpi.png ]]; then
    source="$out/hidpi_$script"
    sed 's/^Set chart = CreateObject("Corvane.CorvaneEx")\r\{0,1\}$/&\nchart.Antialias = True\nchart.PixelScale = 2/' \
      "$gallery/$script" |
      awk '/^chart\.SetSize [0-9]+, [0-9]+\r?$/ {
             cr = sub(/\r$/, ""); split(substr($0, 15), n, ", ")
             $0 = "chart.SetSize " n[1] * 2 ", " n[2] * 2 (cr ? "\r" : "")
           } { print }' >"$source"
  fi
  # A loaded machine now and then fails to start cscript at all ("Application could not be
  # started", or nothing run and nothing reported): a script that never ran is run once
  # more; a script that ran and failed is not.
  for attempt in 1 2; do
    # shellcheck disable=SC2086  # the argument is one word or none
    corvane_wine cscript //nologo "$(winepath -w "$source" 2>/dev/null)" \
      "$(winepath -w "$out/$picture" 2>/dev/null)" $argument >"$out/$picture.log" 2>&1
    status=$?
    [ $attempt = 2 ] && break
    if [ $status -ne 0 ]; then
      grep -q "could not be started" "$out/$picture.log" || break
    else
      [ -s "$out/$picture" ] && break
    fi
    echo "  $script $argument: cscript did not run; once more"
  done
  if [ $status -ne 0 ]; then
    echo "  $script $argument: cscript failed"
    tr -d '\r' <"$out/$picture.log" | tail -3 | sed 's/^/    /'
    failed=1
  fi
done < <("$tool" list "$gallery")
"$tool" compare "$gallery" "$out" | sed 's/^gallery pictures/gallery pictures under Wine/' || failed=1
exit $failed
