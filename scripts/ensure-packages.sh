# Installs the Debian packages the build needs, when any is missing. Sourced by run.sh, test.sh and
# the other scripts, which may set kem_packages to a list of their own afterwards.
# The IDE loads Qt's German translation. The tests also check the Debian package (dpkg-dev for its
# dependencies, desktop-file-utils and shared-mime-info for its desktop entry and MIME type) and
# read kemc's messages with vim; mame-tools brings jedutil, a second JEDEC decoder that checks the
# files with test vectors.
kem_packages=(cmake ninja-build g++ libgtest-dev qt6-base-dev qt6-translations-l10n dpkg-dev
  desktop-file-utils shared-mime-info vim mame-tools)

kem_ensure_packages() {
  local missing=()
  local package
  for package in "${kem_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
      || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    "${missing[@]}"
}

# kem_build DIR [cmake options...]: configures (once) and builds into DIR.
kem_build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j"$(nproc)"
}
