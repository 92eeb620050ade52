"""The fixture programs (tests/wine/fixtures), which run single steps of
setup's own code, and the files that tests put into a prefix."""

import os

from .scenario import FIXTURES, MEDIUM

OPERATION = r"C:\bench\files_operation.exe"


def fixture(name):
    """The bytes of a fixture build."""
    with open(os.path.join(FIXTURES, name), "rb") as f:
        return f.read()


def medium_file(name):
    """The bytes of a file of the built medium."""
    with open(os.path.join(MEDIUM, name), "rb") as f:
        return f.read()


def ini_file(sections):
    """An options file: {section: {key: value} or [(key, value)]}, CR LF lines."""
    lines = []
    for name, entries in sections.items():
        lines.append(f"[{name}]")
        lines += [f"{k}={v}" for k, v in (entries.items() if isinstance(entries, dict) else entries)]
    return ("\r\n".join(lines) + "\r\n").encode("latin-1")


def ops(sc, *steps):
    """Runs registry operations of setup one after another (registry_ops)."""
    return sc.run(r"C:\bench\registry_ops.exe", "|".join(steps))


def run_op(sc, *args, cwd=r"C:\medium"):
    """Runs one file operation (files_operation); its exit code counts the
    progress steps taken."""
    line = " ".join(f'"{a}"' if " " in a or not a else a for a in args)
    return sc.run(OPERATION, line, cwd=cwd)
