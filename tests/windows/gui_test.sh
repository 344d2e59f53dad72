#!/usr/bin/env bash
# Scripted test of the dialog program under Xvfb and wine, worked as a user
# would: through its windows, the keyboard (xdotool), the common Open and Save
# As requests and the standard messages of its controls (gui_probe.exe).
#
#   1. Start-up with a Data folder that lacks Bases.txt: the message box names
#      the file, and the program ends with exit code 0.
#   2. Start-up: the status list ends with "Global data loaded!"; every text of
#      the main dialog fits its control.
#   3. Convert, then cancel the Open request: the controls come back and the
#      status list is untouched. Convert a file that is not a save: its
#      message box, and nothing is asked for saving.
#   4. Convert missing3.kst in the same run of the program: the status list
#      starts afresh and the conversion leaves three provinces without an owner.
#      "Add Missing Provinces" shows them with the names of the game folder
#      that the registry names (32-bit view), and "PROV565" for the one the
#      names file lacks; every text fits its control. OK is refused while
#      provinces remain; a close request to the main dialog is ignored. A
#      province chosen before its country goes to that country; a tag typed
#      in full in the country box is used, any other text moves nothing.
#   5. The scenario is saved under a long name: the status list ends with
#      "File saved successfully!" and scrolls far enough to show its widest
#      line; its lines are, in order, those the console program prints for the
#      same save and decisions, and the two scenarios are equal byte for byte
#      (and equal to the Linux program's, when QUILLMERE_LINUX_CLI names it).
#   6. A save whose countries own nothing leaves some 1,800 provinces: five
#      selected with shift+Down go to the country at once, in order, and come
#      back with ctrl+A and "->"; ctrl+A and "<-" place them all. Cancelling the
#      Save As request adds "Save aborted...".
#   7. Quit ends the program with exit code 0.
#   8. Without the registry key, labels are bare ids. A close request to "Add
#      Missing Provinces", and Esc in it when the save offers no country (the
#      box is empty and nothing can be placed), abandon the conversion: a line
#      in the status list says why, the run's message box follows, nothing is
#      asked for saving, and Quit ends the program.
#
# Every wait is bounded; tools/ci-windows.sh also runs the whole script under
# one time limit.
#
# Usage: tests/windows/gui_test.sh BUILD_DIR
#   BUILD_DIR holds quillmere.exe, quillmere-cli.exe and tests/windows/gui_probe.exe;
#   WINEPREFIX names a prepared wine prefix. Screenshots and logs go to
#   BUILD_DIR/gui-test, and stay there when the test fails.
set -Eeuo pipefail
# A command that fails where no check says why still says where.
trap 'echo "gui test: FAILED at line $LINENO: $BASH_COMMAND" >&2' ERR
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
shot() { timeout 30 import -window root "$out/$1.png" 2>/dev/null || true; }
probe() { timeout 60 wine "$work/gui_probe.exe" "$@" </dev/null 2>>"$out/probe.log" | tr -d '\r'; }
winpath() { timeout 30 winepath -w "$1" 2>/dev/null; }

cleanup() {
  local status=$?
  if [ "$status" -ne 0 ]; then
    shot failure
    echo "gui test: screenshots and logs are in $out" >&2
  fi
  if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
  timeout 30 wineserver -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT
trap 'fail "stopped by a signal (the time limit of the whole test?)"' TERM INT

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

# Waits (at most 30 s) for the program to end and checks its exit code.
expect_exit_code() {
  for _ in $(seq 150); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.2
  done
  kill -0 "$app_pid" 2>/dev/null && fail "the program did not end"
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

# Gives the keyboard focus to the shown window captioned $1.
focus_window() {
  local window
  window=$(timeout 10 xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
  [ -n "$window" ] || fail "\"$1\" is not an X window"
  timeout 10 xdotool windowfocus --sync "$window" || fail "\"$1\" did not take the focus"
}

# Presses keys in control $2 of the window captioned $1.
keys_in() {
  local caption=$1 control=$2
  shift 2
  focus_window "$caption"
  probe focus "$caption" "$control" || fail "control $control of \"$caption\" did not take the focus"
  timeout 30 xdotool key --delay 20 "$@" || fail "the keys $* did not reach \"$caption\""
}

# Types over the text of combo box $2 of the window captioned $1.
type_in_box() {
  keys_in "$1" "$2" End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
  timeout 30 xdotool type --delay 20 "$3" || fail "\"$3\" could not be typed into \"$1\""
}

# Types a path into the common file request titled $1 and confirms it.
answer_file_request() {
  probe wait "$1" 30 || fail "no \"$1\" request"
  focus_window "$1"
  timeout 30 xdotool type --delay 10 "$2"
  timeout 10 xdotool key Return
  probe wait-gone "$1" 30 || fail "the \"$1\" request did not close"
}

cancel_file_request() {
  probe wait "$1" 30 || fail "no \"$1\" request"
  focus_window "$1"
  timeout 10 xdotool key Escape
  probe wait-gone "$1" 30 || fail "the \"$1\" request did not close"
}

expect_lines() {
  local actual
  actual=$(probe lines "$1" "$2")
  [ "$actual" = "$3" ] || fail "list $2 of \"$1\" holds [$actual], expected [$3]"
}

expect_selected() {
  local actual
  actual=$(probe selected "$1" "$2" | tr '\n' ' ')
  [ "$actual" = "$3" ] || fail "list $2 of \"$1\" has [$actual] selected, expected [$3]"
}

wait_enabled() {
  for _ in $(seq 100); do
    probe enabled "$1" "$2" && return 0
    sleep 0.2
  done
  fail "control $2 of \"$1\" stays disabled"
}

# The run has ended: Convert and Quit are enabled again.
wait_run_ended() {
  wait_enabled "$main" 1004
  wait_enabled "$main" 1003
}

expect_layout() {
  probe layout "$1" "$(winpath "$work/app/quillmere.exe")" "$2" >"$out/layout-$2.txt" ||
    fail "a text of \"$1\" does not fit its control (see layout-$2.txt)"
}

# A conversion abandoned in "Add Missing Provinces": the line that says why,
# the run's message box, no Save As request, and the program idle again.
expect_abandoned() {
  probe wait-gone "$missing" 10 || fail "\"$missing\" did not close"
  expect_message 'There were errors when converting this file!' "$2"
  wait_run_ended
  [ "$(probe lines "$main" 1001 | tail -n 2)" = "$1"$'\nError! Conversion aborted...' ] ||
    fail "the status list does not end with \"$1\" and the abort line"
  ! probe wait 'Save As' 0 || fail "a Save As request after an abandoned conversion"
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
timeout 30 wineserver -k 2>/dev/null || true
timeout 60 wineserver -w
wineserver -p 60
timeout 60 wine cmd /c exit </dev/null >/dev/null 2>&1

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
printf 'a = 1\n' >"$work/saves/not-a-save.kst"
# The countries own nothing: every province of the map is missing.
awk '/ownedprovinces = \{/ { print "    ownedprovinces = { }"; skip = 1; next }
     skip && /^    \}/ { skip = 0; next } !skip' "$here/missing3.kst" >"$work/saves/most-missing.kst"
# The header offers no country.
sed 's/selectable = { ENG FRA }/selectable = { }/' "$here/missing3.kst" >"$work/saves/no-country.kst"
printf 'PROV550;Saltmere Flats;x\nPROV563;Brackwater;x\n' >"$work/game/Config/province_names.csv"
timeout 60 wine reg add 'HKLM\Software\Wendrake\Brackenfold' /v path /t REG_SZ /d "$(winpath "$work/game")" \
  /f /reg:32 </dev/null >/dev/null 2>&1
start_program "$work/app" program
probe wait "$main" 60 || fail "the main dialog did not appear"
probe wait-last "$main" 1001 "Global data loaded!" 30 || fail "the reference data did not load"
shot started
expect_layout "$main" 101
start_lines=$(probe lines "$main" 1001)

say "convert: cancelled open request"
probe click "$main" 1004
cancel_file_request Open
wait_run_ended
expect_lines "$main" 1001 "$start_lines"

say "convert: not a save"
probe click "$main" 1004
answer_file_request Open "$(winpath "$work/saves/not-a-save.kst")"
expect_message 'ERROR! NOT A SALTMARCH SAVE GAME FILE!' not-a-save
wait_run_ended
! probe wait 'Save As' 0 || fail "a Save As request for a file that is not a save"

say "convert: missing provinces"
probe click "$main" 1004
answer_file_request Open "$(winpath "$work/saves/missing3.kst")"
probe wait "$missing" 60 || fail "no \"$missing\" dialog"
shot missing-provinces
expect_lines "$main" 1001 $'Loading missing3.kst...\n14.4 kb loaded.\n\nConverting file...'
expect_layout "$missing" 112
expect_lines "$missing" 1007 $'550, Saltmere Flats\n563, Brackwater\n565, PROV565'
expect_lines "$missing" 1008 ''
probe press "$missing" 1003
expect_message 'You must add all missing provinces!!!' provinces-left
probe wait "$missing" 0 || fail "OK closed the dialog while provinces remain"
probe close "$main"
sleep 1
probe wait "$main" 0 || fail "a close request ended the program during a conversion"
! probe enabled "$main" 1004 || fail "Convert is enabled during a conversion"

# The province first, then the country (ENG is the box's first entry).
probe select "$missing" 1007 1
probe choose "$missing" 1006 FRA
expect_selected "$missing" 1007 '1 '
probe click "$missing" 1010
expect_lines "$missing" 1007 $'550, Saltmere Flats\n565, PROV565'
expect_lines "$missing" 1008 '563, Brackwater'
expect_selected "$missing" 1007 '1 '
# A tag typed over the chosen one.
probe choose "$missing" 1006 ENG
expect_lines "$missing" 1008 ''
type_in_box "$missing" 1006 FRA
expect_lines "$missing" 1008 '563, Brackwater'
probe select "$missing" 1007 0
probe click "$missing" 1010
expect_lines "$missing" 1007 '565, PROV565'
expect_lines "$missing" 1008 $'563, Brackwater\n550, Saltmere Flats'
# Text that is no offered tag.
for text in FRAX fra; do
  type_in_box "$missing" 1006 "$text"
  expect_lines "$missing" 1008 ''
  probe select "$missing" 1007 0
  probe click "$missing" 1010
  expect_lines "$missing" 1007 '565, PROV565'
  expect_lines "$missing" 1008 ''
done
probe choose "$missing" 1006 ENG
probe select "$missing" 1007 0
probe click "$missing" 1010
expect_lines "$missing" 1007 ''
expect_lines "$missing" 1008 '565, PROV565'
printf 'FRA = { 563 550 }\nENG = { 565 }\n' >"$work/app/plan.txt"
shot provinces-placed
probe click "$missing" 1003
probe wait-gone "$missing" 10 || fail "OK did not close the dialog"

say "convert: save request, a long name"
long_name='Scenario converted from the 1921 hotseat campaign.kst'
answer_file_request 'Save As' "$(winpath "$work/gui/$long_name")"
probe wait-last "$main" 1001 "File saved successfully!" 60 || fail "the scenario was not saved"
wait_run_ended
probe extent "$main" 1001 "$(winpath "$work/app/quillmere.exe")" 101 >"$out/extent.txt" ||
  fail "the status list cannot be scrolled to its widest line: $(cat "$out/extent.txt")"
main_window=$(timeout 10 xdotool search --onlyvisible --name "^$main\$" 2>/dev/null | head -n 1)
timeout 30 import -window "$main_window" "$out/after-conversion.png"
probe lines "$main" 1001 >"$out/gui-status.txt"

say "convert: hundreds of provinces"
probe click "$main" 1004
answer_file_request Open "$(winpath "$work/saves/most-missing.kst")"
probe wait "$missing" 60 || fail "no \"$missing\" dialog"
probe lines "$missing" 1007 >"$out/most-labels.txt"
label_count=$(wc -l <"$out/most-labels.txt")
[ "$label_count" -gt 1000 ] || fail "only $label_count provinces are missing"
first_five=$(head -n 5 "$out/most-labels.txt")
keys_in "$missing" 1007 Home shift+Down shift+Down shift+Down shift+Down
expect_selected "$missing" 1007 '0 1 2 3 4 '
probe click "$missing" 1010
expect_lines "$missing" 1008 "$first_five"
[ "$(probe lines "$missing" 1007)" = "$(tail -n +6 "$out/most-labels.txt")" ] ||
  fail "the Not Added list lost more than the five provinces moved"
keys_in "$missing" 1008 ctrl+a
probe click "$missing" 1011
expect_lines "$missing" 1008 ''
[ "$(probe lines "$missing" 1007 | tail -n 5)" = "$first_five" ] || fail "the five did not come back in order"
keys_in "$missing" 1007 ctrl+a
probe click "$missing" 1010
expect_lines "$missing" 1007 ''
[ "$(probe lines "$missing" 1008 | wc -l)" -eq "$label_count" ] || fail "not every province went to the country"
probe click "$missing" 1003
probe wait-gone "$missing" 10 || fail "OK did not close the dialog"
cancel_file_request 'Save As'
probe wait-last "$main" 1001 "Save aborted..." 30 || fail "no \"Save aborted...\" line"
wait_run_ended

say "quit"
probe click "$main" 1003
expect_exit_code 0

say "the console program, same save and decisions"
(cd "$work/app" && timeout 120 wine quillmere-cli.exe convert "$(winpath "$work/saves/missing3.kst")" \
  "$(winpath "$work/cli/$long_name")" --assign plan.txt) \
  </dev/null 2>"$out/cli.err" | tr -d '\r' >"$out/cli-output.txt" || fail "the console program failed"
cmp "$work/gui/$long_name" "$work/cli/$long_name" ||
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
  (cd "$work/app" && timeout 120 "$QUILLMERE_LINUX_CLI" convert "$work/saves/missing3.kst" \
    "$work/linux/$long_name" --assign plan.txt) </dev/null >"$out/linux-output.txt" 2>&1 ||
    fail "the Linux console program failed"
  cmp "$work/gui/$long_name" "$work/linux/$long_name" ||
    fail "the Windows and Linux programs wrote different scenarios"
fi

say "abandoned conversions, without the registry key"
timeout 60 wine reg delete 'HKLM\Software\Wendrake\Brackenfold' /f /reg:32 </dev/null >/dev/null 2>&1
rm -f "$work/gui/"*
start_program "$work/app" abandoned
probe wait "$main" 60 || fail "the main dialog did not appear"
probe wait-last "$main" 1001 "Global data loaded!" 30 || fail "the reference data did not load"
probe click "$main" 1004
answer_file_request Open "$(winpath "$work/saves/missing3.kst")"
probe wait "$missing" 60 || fail "no \"$missing\" dialog"
expect_lines "$missing" 1007 $'550\n563\n565'
probe close "$missing"
expect_abandoned 'Add Missing Provinces was closed with provinces left: nothing is written.' closed

probe click "$main" 1004
answer_file_request Open "$(winpath "$work/saves/no-country.kst")"
probe wait "$missing" 60 || fail "no \"$missing\" dialog"
shot no-country
probe select "$missing" 1007 0
probe click "$missing" 1010
expect_lines "$missing" 1007 $'550\n563\n565'
focus_window "$missing"
timeout 10 xdotool key Escape
expect_abandoned 'The save offers no country to give the missing provinces to: nothing is written.' no-country
[ -z "$(ls "$work/gui")" ] || fail "an abandoned conversion wrote $(ls "$work/gui")"
probe click "$main" 1003
expect_exit_code 0
say "passed"
