#!/usr/bin/env bash
# The Windows programs in continuous integration, on Debian: cross-builds the
# whole tree with mingw-w64 into build-win (the dialog program quillmere.exe,
# the console program quillmere-cli.exe and every test), checks that the
# programs need only system DLLs, runs the test suite under wine through ctest,
# runs every golden case against the console program under wine, runs the
# scripted test of the dialog program under Xvfb and wine
# (tests/windows/gui_test.sh) and makes the release package.
# Installs what it needs; the wine prefix lives under /tmp and is removed at
# the end, and wine's server is always stopped.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-win
deps=$root/build-win-deps
began=$(date +%s)
phase() { echo "== $1 (at $(($(date +%s) - began)) s)"; }

packages=(cmake ninja-build g++-mingw-w64-x86-64-posix wine wine64 fonts-wine xvfb xauth xdotool
  imagemagick googletest libcli11-dev nlohmann-json3-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

export WINEPREFIX=/tmp/quillmere-wine-$$ WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
stop_wine() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap stop_wine EXIT
phase "wine prefix $WINEPREFIX"
(
  unset DISPLAY
  wineboot -i </dev/null >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
  # A program that crashes ends instead of waiting for a debugger.
  wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f \
    </dev/null >/dev/null 2>&1
  wineserver -w
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
)

toolchain=$root/cmake/mingw-w64-x86_64.cmake
# GoogleTest alone: the tests do not use GoogleMock.
if [ ! -f "$deps/lib/cmake/GTest/GTestConfig.cmake" ]; then
  phase "googletest for Windows"
  cmake -S /usr/src/googletest -B "$deps/googletest" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps" -DBUILD_GMOCK=OFF >/dev/null
  cmake --build "$deps/googletest"
  cmake --install "$deps/googletest" >/dev/null
fi
# CLI11 and nlohmann-json are header-only; the cross-build sees only their own
# folders of /usr/include.
mkdir -p "$deps/include"
rm -rf "$deps/include/CLI" "$deps/include/nlohmann"
cp -r /usr/include/CLI /usr/include/nlohmann "$deps/include/"

# Wine's helper services inherit the standard output of what starts them
# first: started here, not by a test, whose output ctest would then wait for.
start_wine_services() {
  wineserver -p 60 || true  # fails when a server runs already, which is as good
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

phase "build"
# Test discovery runs the test program under wine during the build.
start_wine_services
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DGTest_DIR="$deps/lib/cmake/GTest" -DCLI11_INCLUDE_DIR="$deps/include" \
  -DNLOHMANN_JSON_INCLUDE_DIR="$deps/include" >/dev/null
cmake --build "$build"

phase "the programs need only system DLLs"
for exe in quillmere.exe quillmere-cli.exe; do
  imports=$(x86_64-w64-mingw32-objdump -p "$build/$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort)
  echo "$exe: $(echo $imports)"
  for dll in $imports; do
    case "$dll" in
      kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | comctl32.dll | comdlg32.dll | msvcrt.dll) ;;
      *) echo "$exe needs $dll, which Windows does not have by itself" >&2; exit 1 ;;
    esac
  done
done

phase "tests under wine"
# Wine now and then fails to start a program at all: a failed test runs again.
ctest --test-dir "$build" --output-on-failure -j2 --timeout 120 --repeat until-pass:2

phase "golden cases against the console program under wine"
# A Unix terminal is no Windows console: the cases typed on one are skipped.
start_wine_services
tools/run-golden.sh "$build/quillmere-cli.exe" --emulator wine \
  --shown-as "$(winepath -w "$build/quillmere-cli.exe")" --no-terminal --retry

phase "dialog program under Xvfb and wine"
linux_cli=""
[ -x "$root/build/quillmere" ] && linux_cli=$root/build/quillmere
# Every wait of the test is bounded; a hang it did not foresee still ends here.
QUILLMERE_LINUX_CLI=$linux_cli timeout --kill-after=20 300 tests/windows/gui_test.sh "$build"

phase "package"
tools/package-windows.sh "$build"

echo "== Windows CI done in $(($(date +%s) - began)) s"
