"""Helpers for the tests of the setup-library stand-ins and of setup's
binding to them: the stand-ins' configuration file, their call log, and the
library_calls fixture run from the medium (beside the libraries, as
setup.exe is)."""

import os
import time

import bench

CALL_LOG = r"C:\bench\calls.log"
MODEM_9X = r"HKLM\System\CurrentControlSet\Services\Class\Modem"
MODEM_NT = r"HKLM\System\CurrentControlSet\Control\Class\{4D36E96D-E325-11CE-BFC1-08002BE10318}"
OUR_NAME = "TAVELIN Software Modem AMR"
EARLIER_NAME = "Norvik Technologies Soft Modem"


def configure(sc, sections=None, log=True):
    """Writes C:\\medium\\qvstandin.ini: {section: {key: value}}, plus the call log."""
    sections = dict(sections or {})
    if log:
        sections.setdefault("CallLog", {})["Path"] = CALL_LOG
    lines = []
    for section, keys in sections.items():
        lines.append(f"[{section}]")
        lines += [f"{key}={value}" for key, value in keys.items()]
    sc.put_file(r"C:\medium\qvstandin.ini", ("\r\n".join(lines) + "\r\n").encode("latin-1"))


def calls(sc):
    """The lines of the call log, [] when there is none."""
    if not sc.exists(CALL_LOG):
        return []
    return sc.read_file(CALL_LOG).decode("latin-1").splitlines()


def install_fixture(sc, name="library_calls.exe"):
    with open(os.path.join(bench.FIXTURES, name), "rb") as f:
        sc.put_file("C:\\medium\\" + name, f.read())


def replace_library(sc, name, fixture_file=None, medium_file=None):
    """Puts another file in place of a library on the medium: a fixture
    build, another file of the medium, or nothing at all."""
    target = "C:\\medium\\" + name
    if os.path.exists(sc.unix_path(target)):
        os.remove(sc.unix_path(target))
    if fixture_file:
        with open(os.path.join(bench.FIXTURES, fixture_file), "rb") as f:
            sc.put_file(target, f.read())
    elif medium_file:
        with open(os.path.join(bench.MEDIUM, medium_file), "rb") as f:
            sc.put_file(target, f.read())


def run_steps(sc, steps, timeout=60):
    """Runs library_calls with the steps from C:\\medium; returns the answer
    of each step (True for non-zero) and the boxes it showed."""
    result = sc.run(r"C:\medium\library_calls.exe", " ".join(steps), cwd="C:\\medium",
                    timeout=timeout)
    if result.exit_code is None:
        raise AssertionError(f"library_calls did not end: {result}")
    return [bool(result.exit_code >> i & 1) for i in range(len(steps))], result.boxes


def instances(sc, class_key):
    """{instance: {value: text}} of a class key's string values; {} when missing."""
    tree = sc.registry(class_key)
    if not tree:
        return {}
    return {name: {v: data.rstrip(b"\0").decode("latin-1") for v, (_, data) in node["values"].items()}
            for name, node in tree["keys"].items()}


def seed_instance(sc, class_key, name, subkeys=(), **values):
    sc.seed_registry(f"{class_key}\\{name}", {v: bench.sz(t) for v, t in values.items()})
    for sub in subkeys:
        sc.seed_registry(f"{class_key}\\{name}\\{sub}", {"Value": bench.sz("x")})


def wait_for(predicate, timeout, interval=1.0):
    """Polls predicate until it holds or timeout seconds pass; its last answer."""
    deadline = time.time() + timeout
    while True:
        answer = predicate()
        if answer or time.time() >= deadline:
            return answer
        time.sleep(interval)
