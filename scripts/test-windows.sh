#!/usr/bin/env bash
# The plug-in and the program on Windows: builds the stand-in SDK,
# trellisObject.dlo, trellis.exe and their tests with Debian's mingw-w64 in
# build-windows/, then runs the tests with ctest under wine (64-bit loader,
# null graphics driver, a private prefix inside the build folder). trellis.exe
# is compared with the trellis program built for Linux from the same
# sources: the one of the Linux build folder TRELLIS_LINUX_BUILD names (it
# is brought up to date), else one built in build-windows/linux/. Nothing is
# fetched but Debian packages.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-windows

missing=()
command -v x86_64-w64-mingw32-g++-posix > /dev/null || missing+=(mingw-w64)
dpkg -s wine > /dev/null 2>&1 || missing+=(wine)
dpkg -s wine64 > /dev/null 2>&1 || missing+=(wine64)
command -v cmake > /dev/null || missing+=(cmake)
command -v ninja > /dev/null || missing+=(ninja-build)
[ -d /usr/src/googletest ] || missing+=(libgtest-dev)
command -v g++ > /dev/null || missing+=(g++)
dpkg -s nlohmann-json3-dev > /dev/null 2>&1 || missing+=(nlohmann-json3-dev)
dpkg -s libcli11-dev > /dev/null 2>&1 || missing+=(libcli11-dev)
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" > /dev/null
fi

# Debian keeps the 64-bit loader off the PATH.
wine64=$(dpkg -L wine64 | grep '/wine64$' | head -n 1)
wineserver=$(dpkg -L wine64 | grep '/wineserver64$' | head -n 1)
[ -x "$wine64" ] && [ -x "$wineserver" ] || { echo "test-windows: no wine64 loader" >&2; exit 1; }

mkdir -p "$build"
export WINEPREFIX=$build/wine-prefix
export WINEDEBUG=-all
# No debugger and no browser may ever start: a crash ends the program, and
# iexplore.exe is only ever the tests' recording program, never wine's own.
export WINEDLLOVERRIDES="winedbg.exe=d;winebrowser.exe=d;mscoree=d;mshtml=d;iexplore.exe=n"

# The runner ctest puts before every test program.
runner=$build/run-wine.sh
cat > "$runner.tmp" << RUNNER
#!/bin/sh
export WINEPREFIX='$WINEPREFIX' WINEDEBUG='$WINEDEBUG' WINEDLLOVERRIDES='$WINEDLLOVERRIDES'
exec '$wine64' "\$@"
RUNNER
chmod +x "$runner.tmp"
mv "$runner.tmp" "$runner"

# The prefix is made once, under a lock, so two runs never build it together.
(
  flock 9
  if [ ! -f "$WINEPREFIX/.trellis-ready" ]; then
    rm -rf "$WINEPREFIX"
    "$wine64" wineboot --init > /dev/null 2>&1
    "$wine64" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f > /dev/null 2>&1
    "$wine64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f > /dev/null 2>&1
    "$wineserver" -w
    touch "$WINEPREFIX/.trellis-ready"
  fi
) 9> "$build/wine-prefix.lock"

# The Linux program the Windows one is compared with.
linux_build=${TRELLIS_LINUX_BUILD:-$build/linux}
linux_build=$(realpath -m "$linux_build")
if [ ! -f "$linux_build/CMakeCache.txt" ]; then
  cmake -S . -B "$linux_build" -G Ninja -DTRELLIS_TESTS=OFF > /dev/null
fi
cmake --build "$linux_build" -j2 --target trellis

cmake -S tests/windows -B "$build" -G Ninja \
  --toolchain "$root/cmake/mingw-w64-x86_64.cmake" -DTRELLIS_WINE_RUNNER="$runner" \
  -DTRELLIS_LINUX_PROGRAM="$linux_build/app/trellis" > /dev/null
cmake --build "$build" -j2

# One server for the whole run, started away from ctest's pipes: a server a
# test starts would keep its output open for seconds after the test ends.
# The first program also starts wine's services, so it runs here too.
"$wineserver" -p > /dev/null 2>&1 < /dev/null || true  # one may be running already
"$runner" cmd /c exit > /dev/null 2>&1 < /dev/null
trap '"$wineserver" -k > /dev/null 2>&1 || true' EXIT
ctest --test-dir "$build" --output-on-failure -j2
