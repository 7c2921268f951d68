# Shared by scripts/run and scripts/test: installs what the build needs and configures it.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${PANECRAFT_BUILD_DIR:-$ROOT/build}"

PACKAGES=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev qt6-svg-dev
          zlib1g-dev locales python3 python3-ezdxf xvfb ccache clang clang-format libclang-rt-dev ghostscript
          poppler-utils qt6-wayland weston)

install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
  fi
  # The number-format tests need a decimal-comma locale.
  if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
  fi
}

configure_and_build() {
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE="${PANECRAFT_BUILD_TYPE:-RelWithDebInfo}" >/dev/null
  cmake --build "$BUILD" -j "$(nproc)"
}

# The sanitizer build has a folder of its own, and leaves out the benchmarks and fuzz targets
# to stay lean.
configure_and_build_sanitized() {
  BUILD="${PANECRAFT_SANITIZE_BUILD_DIR:-$ROOT/build-sanitize}"
  CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPANECRAFT_SANITIZE=ON -DPANECRAFT_BENCH=OFF -DPANECRAFT_FUZZ=OFF >/dev/null
  cmake --build "$BUILD" -j "$(nproc)"
}
