#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# What the Orca screen reader says while a pupil chooses "3" from the
# keyboard, waits for the reveal, moves Right, asks for the report with Space
# and goes back with Escape. Orca runs as on a desktop, in a private X
# server, D-Bus session and home, and switches the program's accessibility
# on itself. Prints Orca's speech and checks it.   orca.sh <program>
set -uo pipefail
program=$(readlink -f "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/session.sh" <<'SESSION'
set -u
work=$1
program=$2
export GSETTINGS_BACKEND=memory HOME="$work/home" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM QT_LINUX_ACCESSIBILITY_ALWAYS_ON
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
sleep 0.5
orca --debug-file="$work/orca.log" >/dev/null 2>&1 &
orca=$!
for _ in $(seq 100); do grep -q 'Screen reader on' "$work/orca.log" 2>/dev/null && break; sleep 0.1; done
sleep 1
"$program" >/dev/null 2>&1 &
app=$!
window=""
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name 'нечетен брой' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
done
xdotool windowfocus --sync "$window"
sleep 1.5
for step in Home Return wait:4 Right space wait:1.5 Escape; do
    case $step in
    wait:*) sleep "${step#wait:}" ;;
    *) xdotool key "$step"; sleep 0.8 ;;
    esac
done
sleep 1
kill -INT $orca
for _ in $(seq 50); do grep -q 'Screen reader off' "$work/orca.log" && break; sleep 0.1; done
sleep 0.3
kill $app $orca 2>/dev/null
# The speech-dispatcher that Orca started in this private home.
for pid in $(pgrep -f "speech-dispatcher.*$work" 2>/dev/null); do kill "$pid"; done
kill $bus 2>/dev/null
SESSION

timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" dbus-run-session bash "$work/session.sh" "$work" "$program" \
    >/dev/null 2>&1
[ -f "$work/orca.log" ] || { echo "FAIL: Orca wrote no log"; exit 1; }

python3 - "$work/orca.log" <<'PY'
import re
import sys

log = open(sys.argv[1], encoding="utf-8", errors="replace").read()
speech = [re.sub(r"\n\s+", "\n", s) for s in re.findall(r"SPEECH OUTPUT: '(.*?)'\s*\{'established'", log, re.S)]
print("Orca said:")
for line in speech:
    print("  " + line.replace("\n", "\n  "))

def after(marker, start=0):
    for i in range(start, len(speech)):
        if speech[i].strip() == marker.strip():
            return i
    raise SystemExit(f"FAIL: Orca never said {marker!r}")

passes, failures = [], []
def check(what, ok):
    print(("ok: " if ok else "FAIL: ") + what)
    (passes if ok else failures).append(what)

check("the log is complete", speech[-1:] == ["Screen reader off."])
if failures:
    sys.exit(1)
check("the list names the entry under the cursor as it takes the focus",
      "3." in speech[:after("return ")])
chosen = after("return ")
one = next((i for i in range(chosen, len(speech)) if speech[i] == "1 push button."), None)
check("the first number takes the focus after choosing", one is not None)
passed = speech[chosen + 1:one or chosen]
check("on the way, no locked control is read: " + " ".join(passed),
      not any(s.startswith(("Начало", "Горе", "Ляво")) for s in passed))
space = after("space ", chosen)
report = "\n".join(speech[space + 1:after("escape ", space)])
check("Space speaks the report box and the whole report",
      "Обяснение и справка" in report and "Ред: 1, Колона: 3" in report
      and "Ред: 8 + 1 + 6 = 15" in report and "Колона: 6 + 7 + 2 = 15" in report)
check("Escape goes back to the cell", "6 push button." in speech[after("escape ", space):])
print(f"{len(passes)} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
PY
