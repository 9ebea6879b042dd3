#!/usr/bin/env bash
# Sets up, builds and starts Peekwell, optionally on a file: scripts/run.sh [FILE]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting under Xvfb (xvfb-run)." >&2
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$root/build/bin/peekwell" "$@"
fi
exec "$root/build/bin/peekwell" "$@"
