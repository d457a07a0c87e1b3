#!/usr/bin/env bash
# Shared by scripts/run and scripts/test: installs missing Debian packages, configures and builds.
# Usage: source scripts/setup.sh; korvelan_setup [BUILD_DIR] [extra cmake args...]
set -euo pipefail

KORVELAN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# qt6-translations-l10n: Qt's German texts for the dialogs (the program works without it).
KORVELAN_PAKETE=(qt6-base-dev cmake g++ make libgtest-dev xvfb xauth poppler-utils qt6-translations-l10n)

korvelan_install() {
  local fehlend=()
  for p in "${KORVELAN_PAKETE[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || fehlend+=("$p")
  done
  if [ "${#fehlend[@]}" -gt 0 ]; then
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installiere: ${fehlend[*]}" >&2
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q >&2
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${fehlend[@]}" >&2
  fi
}

korvelan_build() {
  local dir="$1"
  shift
  cmake -S "$KORVELAN_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >&2
  cmake --build "$dir" -j2 >&2
}
