"""What the GIMP tests share: the converter run as a process, and GIMP run headless in batch mode
with the resave procedures of gimp/koala-resave.scm loaded."""
import os
import subprocess

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "gimp", "koala-resave.scm")


def converter(path, *args):
    result = subprocess.run([path, *args], capture_output=True, text=True)
    if result.returncode != 0:
        raise AssertionError(f"pixmosaic-cli {' '.join(args)}: {result.stderr}")
    return result.stdout


def scheme_text(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def run_gimp(gimp, home, calls):
    """Runs GIMP once on the Scheme calls given (text); home keeps its caches between runs (its
    first start takes a minute). Returns GIMP's standard error, for a failure's message."""
    batch = f"(begin (load {scheme_text(SCRIPT)}) {' '.join(calls)})"
    os.makedirs(home, exist_ok=True)
    result = subprocess.run([gimp, "-i", "-d", "-f", "-b", batch, "-b", "(gimp-quit 0)"],
                            capture_output=True, text=True, env={**os.environ, "HOME": home}, timeout=600)
    return result.stderr
