"""The setup-library stand-ins on the medium: their configuration file,
their call log, and the library_calls fixture run from the medium (beside
the libraries, as setup.exe is)."""

import os
import time

from . import fixtures

CALL_LOG = r"C:\bench\calls.log"


def configure(sc, sections=None, log=True):
    """Writes C:\\medium\\qvstandin.ini: {section: {key: value}}, plus the call log."""
    sections = dict(sections or {})
    if log:
        sections.setdefault("CallLog", {})["Path"] = CALL_LOG
    sc.put_file(r"C:\medium\qvstandin.ini", fixtures.ini_file(sections))


def calls(sc):
    """The lines of the call log, [] when there is none."""
    if not sc.exists(CALL_LOG):
        return []
    return sc.read_file(CALL_LOG).decode("latin-1").splitlines()


def entries(sc):
    """The call log reduced to the entry names, in order."""
    return [line.split("(", 1)[0] for line in calls(sc)]


def install_fixture(sc, name="library_calls.exe"):
    sc.put_file("C:\\medium\\" + name, fixtures.fixture(name))


def replace_library(sc, name, fixture_file=None, medium_file=None):
    """Puts another file in place of a library on the medium: a fixture
    build, another file of the medium, or nothing at all."""
    target = "C:\\medium\\" + name
    if os.path.exists(sc.unix_path(target)):
        os.remove(sc.unix_path(target))
    if fixture_file:
        sc.put_file(target, fixtures.fixture(fixture_file))
    elif medium_file:
        sc.put_file(target, fixtures.medium_file(medium_file))


def run_steps(sc, steps, timeout=60):
    """Runs library_calls with the steps from C:\\medium; returns the answer
    of each step (True for non-zero) and the boxes it showed."""
    result = sc.run(r"C:\medium\library_calls.exe", " ".join(steps), cwd="C:\\medium",
                    timeout=timeout)
    if result.exit_code is None:
        raise AssertionError(f"library_calls did not end: {result}")
    return [bool(result.exit_code >> i & 1) for i in range(len(steps))], result.boxes


def wait_for(predicate, timeout, interval=1.0):
    """Polls predicate until it holds or timeout seconds pass; its last answer."""
    deadline = time.time() + timeout
    while True:
        answer = predicate()
        if answer or time.time() >= deadline:
            return answer
        time.sleep(interval)
