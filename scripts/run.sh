#!/usr/bin/env bash
# Starts Korvale on the sample database, making the database first when it is absent.
# Without a display it runs the headless tour of korvale-cli instead.
set -euo pipefail
build=${1:-build/release}
sample=${2:-sample}
cli="$build/src/cli/korvale-cli"
gui="$build/src/ui/korvale"

if [ ! -f "$sample/KorvaleEx.DIC" ] && "$cli" sample --help >/dev/null 2>&1; then
  echo "making the sample database in $sample/"
  "$cli" sample "$sample"
fi
mkdir -p "$sample"
if [ -x "$gui" ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  cd "$sample" && exec "$OLDPWD/$gui"
fi
if [ -x "$gui" ]; then
  echo "no display available (DISPLAY is not set): running the headless tour instead"
fi
if "$cli" demo --help >/dev/null 2>&1; then
  exec "$cli" demo --root "$sample"
fi
echo "the desktop program is not built yet; korvale-cli commands on $sample:"
exec "$cli" settings --root "$sample"
