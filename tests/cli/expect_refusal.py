#!/usr/bin/env python3
"""Runs a command that must be refused: passes only when it exits with the expected status AND
its whole stderr matches the expected regular expression. A crash, a success or another message
fails, unlike ctest's WILL_FAIL.

usage: expect_refusal.py STATUS STDERR_REGEX COMMAND [ARGUMENT...]
"""
import re
import subprocess
import sys


def check(status, stderr_pattern, command):
    """The reasons the command's run differs from the expectation; empty when it matches."""
    run = subprocess.run(command, capture_output=True, text=True, errors="replace")
    problems = []
    if run.returncode != status:
        problems.append(f"exit status {run.returncode}, expected {status}")
    if not re.fullmatch(stderr_pattern, run.stderr):
        problems.append(f"stderr does not match {stderr_pattern!r}:\n{run.stderr}")
    return problems


def main(argv):
    if len(argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    problems = check(int(argv[1]), argv[2], argv[3:])
    for problem in problems:
        print(f"expect_refusal: {problem}", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
