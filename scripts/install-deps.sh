#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with, only those that are missing.
set -euo pipefail
packages=(
  build-essential g++ cmake ninja-build pkg-config ccache
  clang libclang-rt-14-dev
  libsqlite3-dev libicu-dev libxml2-dev libical-dev libstb-dev
  libfreetype-dev fonts-dejavu-core
  libebook-contacts1.2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
