#!/usr/bin/env bash
# Installs those of the named Debian packages that are missing, with apt-get: as root directly,
# otherwise through sudo; without sudo it says what to do instead. Usage: apt-install.sh PACKAGE...
set -euo pipefail
missing=()
for p in "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo > /dev/null; then
    echo "These packages are missing: ${missing[*]}" >&2
    echo "Installing them needs root, and sudo is not installed. Run this again as root, or install" >&2
    echo "sudo as root and let yourself use it, then log in again and rerun:" >&2
    echo "    su -c 'apt-get install sudo && adduser $(id -un) sudo'" >&2
    exit 1
  fi
  sudo=(sudo)
fi
"${sudo[@]}" apt-get update
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
