# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Starts Orca and the program in the session orca.sh made, presses each key
once Orca has spoken what the one before did, and checks what Orca said.
Each step waits for a condition, with a time limit only for failing.
   orca.py <program> | orca.py --page <address>"""
import codecs
import os
import pty
import re
import signal
import subprocess
import sys
import threading
import time
import tty

import pyatspi

from reports import report_of

# The page in Chromium speaks the report from a live region, and the focus
# stays on the cell: Left, not Escape, comes after it.
PAGE = sys.argv[1] == "--page"
COMMAND = ["chromium", "--no-sandbox", "--force-renderer-accessibility", "--no-first-run", "--password-store=basic",
           f"--user-data-dir={os.environ['HOME']}/chromium", f"--app={sys.argv[2]}"] if PAGE else sys.argv[1:2]
TITLE, APP = ("Зорбелин", "chromium") if PAGE else ("нечетен брой", "zorbelin")
LIMIT = 30  # seconds any one step may take before the test fails
# What Orca says, as regular expressions for an utterance: Orca 43 says
# "Брой." and "List with 10 items." apart, "push button" and "3."; Orca 48
# "Брой List with 9 items" at once, "button", and "3." then "not selected.".
LIST = r"Брой\b.*"
ENTRY = r"3\.( not selected\.)?"
ONE = r"1 (push )?button\."
SIX = r"6 (push )?button\."
# The report of the cell right of "1" on the 3 x 3 board: its place, its row, its column.
PLACE, _, ROW, COLUMN, _ = report_of(3, "top", 6).split("\n")
# Orca 43 speaks a web button's description instead of a one-character name
# (scripts/web/script_utilities.py, preferDescriptionOverName, meant for icon
# fonts), so on the page it names the cells 1 and 6 by their places.
if PAGE:
    ONE, SIX = r"(1|Ред 1, Колона 2) (push )?button\.", r"(6|Ред 1, Колона 3) (push )?button\."


class Timeout(Exception):
    pass


class DebugLog:
    """Orca's debug log as Orca writes it. Orca does not flush its log file,
    so a file would show its lines only in large blocks; a terminal gets each
    line as it is written, so the log goes to one and is read from the other
    end."""

    def __init__(self):
        self.master, self.slave = pty.openpty()
        tty.setraw(self.slave)
        self.path = os.ttyname(self.slave)
        self.text = ""
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        decoder = codecs.getincrementaldecoder("utf-8")("replace")
        while True:
            try:
                data = os.read(self.master, 65536)
            except OSError:  # every writer has closed the terminal
                break
            if not data:
                break
            self.text += decoder.decode(data)

    def close(self):
        os.close(self.slave)
        self.reader.join(10)


LOG = DebugLog()


def speech():
    """Every utterance Orca has sent to the speech synthesiser so far."""
    return [re.sub(r"\n\s+", "\n", s)
            for s in re.findall(r"SPEECH OUTPUT: '(.*?)'\s*\{'established'", LOG.text, re.S)]


def wait(what, condition, seconds=LIMIT):
    end = time.monotonic() + seconds
    while True:
        result = condition()
        if result is not None and result is not False:
            return result
        if time.monotonic() > end:
            raise Timeout(f"{what}: not within {seconds} s")
        time.sleep(0.1)


def said(pattern, start=0):
    """Index of the first utterance from `start` on that is `pattern` (a regular expression)."""
    return next((i for i, s in enumerate(speech()) if i >= start and re.fullmatch(pattern, s.strip())), None)


def heard(what, pattern, start=0):
    return wait(f"Orca saying {what}", lambda: said(pattern, start))


def key(name):
    """A key, and the index from which Orca's answer to it is looked for."""
    mark = len(speech())
    subprocess.run(["xdotool", "key", name], check=True)
    return mark


def buttons(node, depth=0):
    """The names of the showing push buttons at or under `node`."""
    if node is None or depth > 20:
        return set()
    if node.getRole() == pyatspi.ROLE_PUSH_BUTTON:
        return {node.name} if node.getState().contains(pyatspi.STATE_SHOWING) else set()
    return set().union(*(buttons(child, depth + 1) for child in node))


def revealed(count):
    """Whether AT-SPI shows every number of the board as a showing push button."""
    apps = [a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name.lower() == APP]
    return any({str(n) for n in range(1, count + 1)} <= buttons(app) for app in apps)


def drive():
    mark = heard("that it is on", r"Screen reader on\.")
    if PAGE:  # Chromium's offer to translate the page would be read first
        os.makedirs(f"{os.environ['HOME']}/chromium/Default", exist_ok=True)
        with open(f"{os.environ['HOME']}/chromium/Default/Preferences", "w", encoding="utf-8") as preferences:
            preferences.write('{"translate": {"enabled": false}}')
    app = subprocess.Popen(COMMAND, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    found = subprocess.run(["timeout", str(LIMIT), "xdotool", "search", "--sync", "--onlyvisible", "--name", TITLE],
                           capture_output=True, text=True)
    if found.returncode != 0 or not found.stdout.split():
        raise Timeout(f"the program's window ({TITLE!r}) never appeared within {LIMIT} s"
                      + ("" if app.poll() is None else f"; the program ended with status {app.returncode}"))
    subprocess.run(["xdotool", "windowfocus", "--sync", found.stdout.split()[0]], check=True)
    if PAGE:
        # The page's focus is on the list from the start, read with the page
        # as it loads; moving the cursor away and back says the entry.
        heard("the page loaded", r"Finished loading .*", mark)
        heard("the last entry", r"21\.( not selected\.)?", key("End"))
        mark = key("Home")
    else:
        heard("the size list as it takes the focus", LIST, mark)
        # The cursor may be on "3" already, and Orca may have said so.
        key("Home")
    heard("the entry under the cursor", ENTRY, mark)
    heard("the first number after choosing", ONE, key("Return"))
    # The reveal's pace is the program's: the board is read until every number shows.
    wait("the whole board revealed, as AT-SPI shows it", lambda: revealed(9))
    heard("the cell to the right", SIX, key("Right"))
    heard("the report", "(?s).*" + re.escape(COLUMN), key("space"))
    if PAGE:
        heard("the cell to the left", ONE, key("Left"))
    else:
        heard("the cell again after Escape", SIX, key("Escape"))
    return app


def check(spoken):
    print("Orca said:")
    for line in spoken:
        print("  " + line.replace("\n", "\n  "))

    def index(pattern, start=0):
        return next((i for i, s in enumerate(spoken) if i >= start and re.fullmatch(pattern, s.strip())), None)

    failures = 0

    def verdict(what, ok):
        nonlocal failures
        print(("ok: " if ok else "FAIL: ") + what)
        failures += not ok

    # Orca may still be reading the cell's place when it is told to stop.
    verdict("the log is complete", "Screen reader off." in spoken[-3:])
    chosen = index(r"(?i)return")
    verdict("the Return key was heard", chosen is not None)
    if chosen is None:
        return 1
    entry = index(ENTRY, 0 if PAGE else index(LIST) or 0)
    verdict("the list names the entry under the cursor as it takes the focus", entry is not None and entry < chosen)
    one = index(ONE, chosen)
    verdict("the first number takes the focus after choosing", one is not None)
    # Only what was read between choosing and the first number can show a
    # locked control; without the first number there is nothing to look at.
    passed = spoken[chosen + 1:one] if one is not None else None
    verdict("on the way, no locked control is read: " + (" ".join(passed) if passed is not None else "(cannot tell)"),
            passed is not None and not any(s.startswith(("Брой", "Начало", "Горе", "Ляво")) for s in passed))
    space = index(r"(?i)space", chosen)
    # Orca does not echo Left; the page's next utterance is the cell it moves to.
    escape = index(ONE if PAGE else r"(?i)escape", (space or chosen) + PAGE)
    report = "\n".join(spoken[space + 1:escape]) if space is not None and escape is not None else ""
    verdict("Space speaks the report box and the whole report",
            (PAGE or "Обяснение и справка" in report) and all(line in report for line in (PLACE, ROW, COLUMN)))
    verdict("Left goes on from the cell" if PAGE else "Escape goes back to the cell",
            escape is not None and index(ONE if PAGE else SIX, escape) is not None)
    print("all checks passed" if not failures else f"{failures} failed")
    return 1 if failures else 0


def still():
    """Whether Orca's log has not grown for a third of a second."""
    length = len(LOG.text)
    time.sleep(0.3)
    return len(LOG.text) == length


def stop(orca):
    """Orca ends on SIGINT, not on SIGTERM. A signal that comes while Orca
    writes its log is lost: the handler's own first log line fails and the
    handler gives up. So the signal goes when the log has been still for a
    moment, and again if Orca has not begun to shut down."""
    for _ in range(3):
        wait("Orca's log to be still", still)
        start = len(LOG.text)
        orca.send_signal(signal.SIGINT)
        try:
            return wait("Orca to begin shutting down", lambda: "ORCA: Shutting down" in LOG.text[start:], 5)
        except Timeout:
            pass
    raise Timeout("Orca did not begin shutting down after three signals")


def main():
    orca = subprocess.Popen(["orca", f"--debug-file={LOG.path}"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    app = None
    status = 0
    try:
        app = drive()
    except Timeout as timeout:
        print(f"FAIL: {timeout}")
        status = 1
    finally:
        if orca.poll() is None:
            mark = len(speech())
            try:
                stop(orca)
                heard("that it is off", r"Screen reader off\.", mark)
                orca.wait(10)
            except (Timeout, subprocess.TimeoutExpired):
                orca.kill()
                orca.wait()
        LOG.close()
        if app is not None:
            app.terminate()
            app.wait()
    status = check(speech()) or status
    if status:
        print("The end of Orca's debug log:")
        print("\n".join(LOG.text.splitlines()[-40:]))
    return status


if __name__ == "__main__":
    sys.exit(main())
