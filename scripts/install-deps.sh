#!/usr/bin/env bash
# Installs the Debian packages Vornak needs to build, test and run; does
# nothing when they are all present. Uses sudo when not run as root.
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libfontconfig-dev libgtest-dev
          fonts-thai-tlwg clang-format xvfb xauth desktop-file-utils appstream dpkg-dev file
          clang libclang-rt-14-dev time gettext qt6-translations-l10n
          qt6-multimedia-dev nlohmann-json3-dev)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
