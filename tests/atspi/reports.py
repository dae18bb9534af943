# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
"""The cell reports of tests/reports.txt, with the line ends a screen reader gets."""
import os

FIXTURE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "reports.txt")


def report_of(n, orientation, cell):
    with open(FIXTURE, encoding="utf-8") as fixture:
        for line in fixture:
            fields = line.rstrip("\n").split("\t")
            if not line.startswith("#") and fields[:3] == [str(n), orientation, str(cell)]:
                return fields[3].replace("\\r\\n", "\n")
    raise KeyError(f"reports.txt has no report for cell {cell} of {n}, {orientation}")
