#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Grizal 2 need.
# Quiet and quick when everything is already there; safe to run again and again.
set -euo pipefail

PACKAGES=(
  # build
  g++ make cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgif-dev libtiff-dev libsane-dev libopencv-core-dev libopencv-imgproc-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # the English translation: lupdate and lrelease, and their CMake functions
  qt6-l10n-tools qt6-tools-dev
  # run: TIFF and other image plugins, Qt's own Russian texts, fonts with Cyrillic glyphs
  # and a metric-compatible "Times New Roman"
  qt6-image-formats-plugins qt6-translations-l10n
  fonts-liberation2 fonts-dejavu-core
  # tests: a display server, a real EMF writer, independent image readers and writers,
  # the scanner test backend
  xvfb xauth libemf-dev python3-pil imagemagick sane-utils libsane1
  # the sanitizer and fuzz builds: clang with its runtimes, llvm-symbolizer for the reports
  clang libclang-rt-14-dev llvm
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
