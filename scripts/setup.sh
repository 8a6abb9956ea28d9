#!/usr/bin/env bash
# Installs, from Debian's archive, whatever the project needs that this machine lacks:
# with --run, only what building and running the programs needs; without an option, what the
# tests and benchmarks need too; with --checks, also the tools of CI's static checks and fuzzing.
set -euo pipefail

packages=(
    g++ make cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev libofx-dev
    fonts-liberation
)
if [ "${1:-}" != "--run" ]; then
    packages+=(
        libgtest-dev libgmock-dev googletest libbenchmark-dev libinih-dev
        xvfb xauth imagemagick poppler-utils appstream man-db time
    )
fi
# What CI adds: the static checks and the fuzzing run.
if [ "${1:-}" = "--checks" ]; then
    packages+=(clang clang-format clang-tidy libclang-rt-14-dev git)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    echo "These packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
    exit 1
fi
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
