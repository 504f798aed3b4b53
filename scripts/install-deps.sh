#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing. With `fuzz`, also
# the compiler and libraries of the fuzzers.
set -euo pipefail
packages=(cmake ninja-build g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          libplist-dev libplist++-dev
          # The pictures: SVG to PNG, the one JPEG through netpbm, DejaVu for their texts.
          librsvg2-bin netpbm fonts-dejavu-core
          # The live camera's server and its JSON.
          libcpp-httplib-dev nlohmann-json3-dev
          # The report's test opens it in a headless browser; the live page's test drives one.
          chromium chromium-driver python3-selenium)
if [ "${1:-}" = fuzz ]; then
    packages+=(clang-14 libfuzzer-14-dev libclang-rt-14-dev)
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
