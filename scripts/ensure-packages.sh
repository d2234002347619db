# Installs the Debian packages a script needs, when any is missing, and builds. Sourced by run.sh,
# test.sh and the other scripts; each names the groups it needs: kem_ensure_packages build gui.
#   build    the compiler and build tools: all kemc needs
#   gui      Qt 6 for kemwin, with Qt's German translation, which the IDE loads
#   test     GoogleTest; the checks of the Debian package (dpkg-dev for its dependencies,
#            desktop-file-utils and shared-mime-info for its desktop entry and MIME type); vim,
#            which reads kemc's messages in a test; mame-tools, whose jedutil is a second JEDEC
#            decoder that checks the files with test vectors; iverilog, which runs the Verilog
#            models and testbenches kemc writes
#   fuzz     clang with libFuzzer
#   windows  the MinGW-w64 cross compiler and Wine for the Windows check
kem_packages_build=(cmake ninja-build g++)
kem_packages_gui=(qt6-base-dev qt6-translations-l10n)
kem_packages_test=(libgtest-dev dpkg-dev desktop-file-utils shared-mime-info vim mame-tools
  iverilog)
kem_packages_fuzz=(clang)
kem_packages_windows=(g++-mingw-w64-x86-64-posix wine64)

# kem_ensure_packages GROUP...: installs what the groups hold and is not installed yet.
kem_ensure_packages() {
  local missing=()
  local group package
  for group in "$@"; do
    declare -p "kem_packages_$group" >/dev/null 2>&1 || {
      echo "kem_ensure_packages: no package group $group" >&2
      return 2
    }
    local -n packages=kem_packages_$group
    for package in "${packages[@]}"; do
      dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
        || missing+=("$package")
    done
    unset -n packages
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    "${missing[@]}"
}

# kem_build DIR [CMAKE OPTION...] [--target TARGET...]: configures DIR and builds the targets
# named there, or everything its configuration holds.
kem_build() {
  local dir=$1
  shift
  local options=() targets=()
  while [ $# -gt 0 ] && [ "$1" != --target ]; do
    options+=("$1")
    shift
  done
  [ $# -gt 0 ] && shift
  targets=("$@")
  cmake -S . -B "$dir" -G Ninja "${options[@]}" >/dev/null
  if [ ${#targets[@]} -eq 0 ]; then
    cmake --build "$dir" -j"$(nproc)"
  else
    cmake --build "$dir" -j"$(nproc)" --target "${targets[@]}"
  fi
}

# kem_build_program TARGET: builds kemc or kemwin alone in build-run/, without the tests, for
# run.sh and the Windows check (test.sh's build/ keeps its own configuration).
kem_build_program() {
  kem_build build-run -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKEM_BUILD_TESTS=OFF --target "$1"
}
