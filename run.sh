#!/usr/bin/env bash
# Builds the program (installing what is missing) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh release

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Kein Bildschirm gefunden (DISPLAY ist nicht gesetzt): Quirlwerk braucht eine grafische Sitzung." >&2
    exit 1
fi
exec build/bin/quirlwerk "$@"
