#!/usr/bin/env python3
"""Runs tests/cli/expect_refusal.py as a process: it passes only the expected status together
with the expected message, and fails a success, a crash and any other message."""
import os
import subprocess
import sys
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "expect_refusal.py")
REFUSAL = "Error: refused\\.\nbecause\\.\n"


def expect(status, pattern, program):
    """expect_refusal.py's exit status for a Python program run as the command."""
    return subprocess.run([sys.executable, SCRIPT, str(status), pattern, sys.executable, "-c", program],
                          capture_output=True, text=True).returncode


def program(status, stderr):
    return f"import sys; sys.stderr.write({stderr!r}); sys.exit({status})"


class ExpectRefusalTest(unittest.TestCase):
    def test_status_and_message_as_expected_pass(self):
        self.assertEqual(expect(1, REFUSAL, program(1, "Error: refused.\nbecause.\n")), 0)

    def test_other_status_fails(self):
        self.assertEqual(expect(1, REFUSAL, program(0, "Error: refused.\nbecause.\n")), 1)
        self.assertEqual(expect(1, REFUSAL, program(2, "Error: refused.\nbecause.\n")), 1)

    def test_crash_fails(self):
        crash = "import os, sys; sys.stderr.write('Error: refused.\\nbecause.\\n'); sys.stderr.flush(); os.abort()"
        self.assertEqual(expect(1, REFUSAL, crash), 1)

    def test_other_or_incomplete_message_fails(self):
        self.assertEqual(expect(1, REFUSAL, program(1, "Error: refused.\n")), 1)
        self.assertEqual(expect(1, REFUSAL, program(1, "Error: refused.\nbecause.\nand more\n")), 1)
        self.assertEqual(expect(1, REFUSAL, program(1, "")), 1)

    def test_missing_arguments_are_a_usage_error(self):
        run = subprocess.run([sys.executable, SCRIPT, "1", REFUSAL], capture_output=True, text=True)
        self.assertEqual(run.returncode, 2)


if __name__ == "__main__":
    unittest.main()
