#!/usr/bin/env bash
# Builds the Debian package of the three programs: a Release build with
# Debian's hardening flags, cpack -G DEB, then lintian on the package.
# Prints the package's path and whatever lintian still says.
#
#   scripts/package.sh            # build folder build-deb
#   BUILD_DIR=DIR scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

build=${BUILD_DIR:-build-deb}
jobs=${JOBS:-2}
# The files of the package get the permissions Debian expects.
umask 022

# Debian's compiler and linker flags (fortified functions, stack
# protector, read-only relocations, immediate binding). CMake does not read
# CPPFLAGS, so they join the compiler flags.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
export CFLAGS="$CPPFLAGS $CFLAGS" CXXFLAGS="$CPPFLAGS $CXXFLAGS" LDFLAGS

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTT_BENCHMARKS=OFF
cmake --build "$build" -j"$jobs"
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/*.deb)
echo
echo "Package: $deb"
dpkg-deb --field "$deb" Package Version Depends Recommends
echo
echo "lintian:"
# --fail-on error: only errors fail the script; warnings and the rest are
# printed for a look.
if lintian --fail-on error --display-info "$deb"; then
  echo "lintian: no errors"
else
  echo "lintian found errors" >&2
  exit 1
fi
