#!/usr/bin/env bash
# Scripted test of the dialog program under Xvfb and wine, worked as a user
# would: through its windows, the common Open and Save As requests (typed into
# with xdotool) and the standard messages of its controls (gui_probe.exe).
#
#   1. Start-up with a Data folder that lacks Bases.txt: the message box names
#      the file, and the program ends with exit code 0.
#   2. Start-up: the status list ends with "Global data loaded!".
#   3. Convert: the Open request takes missing3.kst; the conversion leaves three
#      provinces without an owner and shows "Add Missing Provinces", labelled
#      with the names of the game folder that the registry names (32-bit view).
#      OK is refused while provinces remain; a close request to the main dialog
#      is ignored while the conversion runs; the provinces are placed with the
#      country box, "<-" and "->", then OK.
#   4. The Save As request takes the scenario's path; the status list ends with
#      "File saved successfully!" and holds the conversion's lines, in order, as
#      the console program prints them for the same save and decisions; the two
#      scenarios are equal byte for byte (and equal to the Linux program's, when
#      QUILLMERE_LINUX_CLI names it).
#   5. Quit ends the program with exit code 0.
#
# Usage: tests/windows/gui_test.sh BUILD_DIR
#   BUILD_DIR holds quillmere.exe, quillmere-cli.exe and tests/windows/gui_probe.exe;
#   WINEPREFIX names a prepared wine prefix. Screenshots and logs go to
#   BUILD_DIR/gui-test, and stay there when the test fails.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
root=$(cd "$here/../.." && pwd)
out=$build/gui-test
rm -rf "$out"
mkdir -p "$out"
work=$(mktemp -d /tmp/quillmere-gui.XXXXXX)

main='Quillmere - File Converter'
box='Quillmere - File converter'
missing='Add Missing Provinces'

xvfb_pid=""
app_pid=""

say() { echo "gui test: $*"; }
fail() {
  echo "gui test: FAILED: $*" >&2
  exit 1
}
shot() { import -window root "$out/$1.png" 2>/dev/null || true; }
probe() { timeout 120 wine "$work/gui_probe.exe" "$@" </dev/null 2>>"$out/probe.log" | tr -d '\r'; }
winpath() { winepath -w "$1" 2>/dev/null; }

cleanup() {
  local status=$?
  if [ "$status" -ne 0 ]; then
    shot failure
    echo "gui test: screenshots and logs are in $out" >&2
  fi
  if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
  wineserver -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT

start_display() {
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && return 0
    sleep 0.1
  done
  fail "Xvfb did not start"
}

# Starts quillmere.exe in folder $1; its output goes to $out/$2.log.
start_program() {
  (cd "$1" && exec wine quillmere.exe) >"$out/$2.log" 2>&1 </dev/null &
  app_pid=$!
}

# Waits for the program to end and checks its exit code.
expect_exit_code() {
  local code=0
  wait "$app_pid" || code=$?
  app_pid=""
  [ "$code" -eq "$1" ] || fail "exit code $code, expected $1"
}

# Waits for the program's message box, checks its text and closes it with OK.
expect_message() {
  probe wait "$box" 30 || fail "no message box \"$1\""
  local text
  text=$(probe texts "$box")
  [ "$text" = "$1" ] || fail "message box says \"$text\", expected \"$1\""
  shot "message-$2"
  probe click "$box" 1
  probe wait-gone "$box" 10 || fail "the message box did not close"
}

# Types a path into the common file request titled $1 and confirms it.
answer_file_request() {
  probe wait "$1" 30 || fail "no \"$1\" request"
  local window
  window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
  [ -n "$window" ] || fail "the \"$1\" request is not an X window"
  xdotool windowfocus --sync "$window"
  xdotool type --delay 10 "$2"
  xdotool key Return
  probe wait-gone "$1" 30 || fail "the \"$1\" request did not close"
}

expect_lines() {
  local actual
  actual=$(probe lines "$1" "$2")
  [ "$actual" = "$3" ] || fail "list $2 of \"$1\" holds [$actual], expected [$3]"
}

wait_enabled() {
  for _ in $(seq 100); do
    probe enabled "$1" "$2" && return 0
    sleep 0.2
  done
  fail "control $2 of \"$1\" stays disabled"
}

install_program() {
  mkdir -p "$1"
  cp "$build/quillmere.exe" "$build/quillmere-cli.exe" "$1/"
  cp -r "$root/Data" "$1/"
}

cp "$build/tests/windows/gui_probe.exe" "$work/"
start_display
# Wine's helper processes start with the display, and with no terminal of ours
# that they could hold open.
wineserver -k 2>/dev/null || true
wineserver -w
wineserver -p 60
wine cmd /c exit </dev/null >/dev/null 2>&1

say "start-up without Data\\Bases.txt"
install_program "$work/no-bases"
rm "$work/no-bases/Data/Bases.txt"
start_program "$work/no-bases" no-bases
expect_message 'Error! Failed to locate "Data\Bases.txt"! Program is aborting...' no-bases
expect_exit_code 0

say "start-up"
install_program "$work/app"
mkdir -p "$work/saves" "$work/gui" "$work/cli" "$work/game/Config"
cp "$here/missing3.kst" "$work/saves/"
printf 'PROV550;Saltmere Flats;x\nPROV563;Brackwater;x\nPROV565;Gullhaven\n' \
  >"$work/game/Config/province_names.csv"
wine reg add 'HKLM\Software\Wendrake\Brackenfold' /v path /t REG_SZ /d "$(winpath "$work/game")" \
  /f /reg:32 </dev/null >/dev/null 2>&1
start_program "$work/app" program
probe wait "$main" 60 || fail "the main dialog did not appear"
probe wait-last "$main" 1001 "Global data loaded!" 30 || fail "the reference data did not load"
shot started

say "convert: open request"
probe click "$main" 1004
answer_file_request Open "$(winpath "$work/saves/missing3.kst")"

say "convert: missing provinces"
probe wait "$missing" 60 || fail "no \"$missing\" dialog"
shot missing-provinces
expect_lines "$missing" 1007 $'550, Saltmere Flats\n563, Brackwater\n565, Gullhaven'
expect_lines "$missing" 1008 ''
probe press "$missing" 1003
expect_message 'You must add all missing provinces!!!' provinces-left
probe wait "$missing" 0 || fail "OK closed the dialog while provinces remain"
probe close "$main"
sleep 1
probe wait "$main" 0 || fail "a close request ended the program during a conversion"
! probe enabled "$main" 1004 || fail "Convert is enabled during a conversion"

probe choose "$missing" 1006 FRA
probe select "$missing" 1007 1
probe click "$missing" 1010
expect_lines "$missing" 1007 $'550, Saltmere Flats\n565, Gullhaven'
expect_lines "$missing" 1008 '563, Brackwater'
probe choose "$missing" 1006 ENG
expect_lines "$missing" 1008 ''
probe select "$missing" 1007 0
probe click "$missing" 1010
probe click "$missing" 1010
expect_lines "$missing" 1007 ''
expect_lines "$missing" 1008 $'550, Saltmere Flats\n565, Gullhaven'
probe select "$missing" 1008 0
probe click "$missing" 1011
expect_lines "$missing" 1007 '550, Saltmere Flats'
expect_lines "$missing" 1008 '565, Gullhaven'
probe select "$missing" 1007 0
probe click "$missing" 1010
expect_lines "$missing" 1008 $'565, Gullhaven\n550, Saltmere Flats'
probe choose "$missing" 1006 FRA
expect_lines "$missing" 1008 '563, Brackwater'
printf 'FRA = { 563 }\nENG = { 565 550 }\n' >"$work/app/plan.txt"
shot provinces-placed
probe click "$missing" 1003
probe wait-gone "$missing" 10 || fail "OK did not close the dialog"

say "convert: save request"
answer_file_request 'Save As' "$(winpath "$work/gui/missing3-scenario.kst")"
probe wait-last "$main" 1001 "File saved successfully!" 60 || fail "the scenario was not saved"
wait_enabled "$main" 1004
wait_enabled "$main" 1003
main_window=$(xdotool search --onlyvisible --name "^$main\$" 2>/dev/null | head -n 1)
import -window "$main_window" "$out/after-conversion.png"
probe lines "$main" 1001 >"$out/gui-status.txt"

say "quit"
probe click "$main" 1003
expect_exit_code 0

say "the console program, same save and decisions"
(cd "$work/app" && wine quillmere-cli.exe convert "$(winpath "$work/saves/missing3.kst")" \
  "$(winpath "$work/cli/missing3-scenario.kst")" --assign plan.txt) \
  </dev/null 2>"$out/cli.err" | tr -d '\r' >"$out/cli-output.txt" || fail "the console program failed"
cmp "$work/gui/missing3-scenario.kst" "$work/cli/missing3-scenario.kst" ||
  fail "the dialog program and the console program wrote different scenarios"
# The console program's lines after start-up, without those of reading the plan.
sed '1,/^Global data loaded!$/d' "$out/cli-output.txt" |
  awk '/^Loading plan\.txt\.\.\.$/ { skip = 1 } !skip { print } skip && $0 == "" { skip = 0 }' \
    >"$out/cli-status.txt"
diff "$out/cli-status.txt" "$out/gui-status.txt" >"$out/status.diff" ||
  fail "the status lines differ from the console program's (see status.diff)"

if [ -n "${QUILLMERE_LINUX_CLI:-}" ]; then
  say "the Linux console program, same save and decisions"
  mkdir -p "$work/linux"
  (cd "$work/app" && "$QUILLMERE_LINUX_CLI" convert "$work/saves/missing3.kst" \
    "$work/linux/missing3-scenario.kst" --assign plan.txt) </dev/null >"$out/linux-output.txt" 2>&1 ||
    fail "the Linux console program failed"
  cmp "$work/gui/missing3-scenario.kst" "$work/linux/missing3-scenario.kst" ||
    fail "the Windows and Linux programs wrote different scenarios"
fi
say "passed"
