"""The scenario: a template prefix made once per test run, one fresh clone of
it per Scenario with the Windows version set, and the winrun agent driven
inside it to run programs and to read and write the registry.

The prefix is a 64-bit Wine prefix in which our 32-bit programs run. Every
program that reads or writes the registry here (the programs under test and
winrun) is 32-bit, so all of them see the same 32-bit view of it; on the
disk, the 32-bit system directory is "syswow64", which unix_path() maps.
"""

import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest

from .agent import (Result, job_file, parse_boxes, parse_dialog_records, parse_registry_dump,
                    seed_file)
from .registry import sz

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver64"
# Where the windows preset builds; the BENCH_* variables (set by CTest)
# override each place.
BUILD = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "build", "windows")
WORK = os.environ.get("BENCH_WORK", os.path.join(BUILD, "wine"))
MEDIUM = os.environ.get("BENCH_MEDIUM", os.path.join(BUILD, "medium"))
WINRUN = os.environ.get("BENCH_WINRUN", os.path.join(BUILD, "tests", "wine", "agent", "winrun.exe"))
DIALOG_HOOK = os.path.join(os.path.dirname(WINRUN), "dialog_hook.dll")  # winrun loads it
FIXTURES = os.environ.get("BENCH_FIXTURES", os.path.join(BUILD, "tests", "wine"))  # fixture programs
TEMPLATE = os.path.join(WORK, "template")
TEMPLATE_READY = os.path.join(TEMPLATE, "bench-ready")

# Directories shared with the template by hard links: Wine's own binaries,
# which the programs under test only ever add files beside.
SHARED_DIRS = ("drive_c/windows/system32", "drive_c/windows/syswow64", "drive_c/windows/winsxs")

VERSIONS = ("win95", "win98", "winme", "nt40", "win2k")

# The restart request: what the stand-in for wineboot.exe records, and the
# exit code of the programs that the session's end ended.
RESTART_LOG = r"C:\bench\restart.log"
SESSION_END_EXIT = 0x5E55


class BenchError(Exception):
    pass


def wine_env(prefix):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WINEARCH", "WAYLAND_DISPLAY")}
    env.update(WINEPREFIX=prefix, WINELOADER=WINE, WINESERVER=WINESERVER, WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=")
    return env


def check_platform():
    """32-bit Wine must be able to start; say why not in one line otherwise."""
    for path in (WINE, WINESERVER, "/usr/lib/wine/wine"):
        if not os.path.exists(path):
            raise BenchError(f"{path} is missing: run tools/install-deps")
    probe = subprocess.run(["/usr/lib/wine/wine", "--version"], capture_output=True, timeout=60)
    if probe.returncode != 0:
        raise BenchError("32-bit Wine does not start here: run tools/install-deps "
                         "(it registers qemu-i386 where the kernel runs no 32-bit code)")


def make_template():
    if os.path.exists(TEMPLATE_READY):
        return
    check_platform()
    os.makedirs(WORK, exist_ok=True)
    building = tempfile.mkdtemp(prefix="template-", dir=WORK)
    env = wine_env(building)
    try:
        quiet = dict(stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        subprocess.run([WINE, "wineboot", "-i"], env=env, timeout=600, **quiet)
        subprocess.run([WINE, "reg", "add", r"HKCU\Software\Wine\Drivers", "/v", "Graphics",
                        "/d", "null", "/f"], env=env, timeout=120, **quiet)
        subprocess.run([WINESERVER, "-w"], env=env, timeout=120)
    except subprocess.TimeoutExpired as e:
        subprocess.run([WINESERVER, "-k"], env=env, timeout=60)
        raise BenchError(f"making the template prefix timed out: {e}")
    if not os.path.exists(os.path.join(building, "drive_c/windows/syswow64/kernel32.dll")):
        raise BenchError("the template prefix has no 32-bit system directory")
    with open(os.path.join(building, "bench-ready"), "w") as marker:
        marker.write(time.strftime("%Y-%m-%d %H:%M:%S\n"))
    shutil.rmtree(TEMPLATE, ignore_errors=True)
    os.rename(building, TEMPLATE)


class Scenario:
    """A fresh prefix cloned from the template, with the Windows version set,
    the medium at C:\\medium and the agent at C:\\bench."""

    def __init__(self, version="win2k", medium=True, display=False, language=None):
        self.version = version
        self.with_medium = medium
        self.display = display
        self.language = language
        self.prefix = None
        self.xvfb = None
        self._jobs = 0

    def __enter__(self):
        make_template()
        os.makedirs(os.path.join(WORK, "scenarios"), exist_ok=True)
        self.prefix = tempfile.mkdtemp(prefix=f"{self.version}-", dir=os.path.join(WORK, "scenarios"))
        os.rmdir(self.prefix)
        self._clone()
        self.env = wine_env(self.prefix)
        self.set_language(self.language)
        if self.display:
            self._start_display()
        # A 32-bit Windows has system32\drivers; Wine's 32-bit view of a
        # 64-bit prefix lacks it.
        os.makedirs(self.unix_path(r"C:\windows\system32\drivers"), exist_ok=True)
        subprocess.run([WINESERVER, "-p"], env=self.env, timeout=60, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        bench_dir = self.unix_path("C:\\bench")
        os.makedirs(bench_dir, exist_ok=True)
        fixtures = [os.path.join(FIXTURES, f) for f in os.listdir(FIXTURES)
                    if f.endswith(".exe")] if FIXTURES else []
        for program in [WINRUN, DIALOG_HOOK] + fixtures:
            shutil.copy(program, bench_dir)
        if self.with_medium:
            shutil.copytree(MEDIUM, self.unix_path("C:\\medium"))
        self.seed_registry(r"HKCU\Software\Wine", {"Version": ("REG_SZ", self.version.encode() + b"\0")})
        return self

    def __exit__(self, *exc):
        try:
            subprocess.run([WINESERVER, "-k"], env=self.env, timeout=60)
        finally:
            if self.xvfb:
                self.xvfb.terminate()
                self.xvfb.wait(timeout=30)
            if not os.environ.get("BENCH_KEEP"):
                shutil.rmtree(self.prefix, ignore_errors=True)
        return False

    def _clone(self):
        os.makedirs(self.prefix)
        for entry in os.listdir(TEMPLATE):
            if entry != "drive_c":
                subprocess.run(["cp", "-a", os.path.join(TEMPLATE, entry), self.prefix], check=True,
                               timeout=300)
        drive = os.path.join(TEMPLATE, "drive_c")
        for root, dirs, files in os.walk(drive):
            rel = os.path.relpath(root, TEMPLATE)
            shared = any(rel == d or rel.startswith(d + "/") for d in SHARED_DIRS)
            os.makedirs(os.path.join(self.prefix, rel), exist_ok=True)
            for name in files + [d for d in dirs if os.path.islink(os.path.join(root, d))]:
                src, dst = os.path.join(root, name), os.path.join(self.prefix, rel, name)
                if os.path.islink(src):
                    os.symlink(os.readlink(src), dst)
                elif shared:
                    os.link(src, dst)
                else:
                    shutil.copy2(src, dst)

    # Display and language ----------------------------------------------------

    def _start_display(self):
        """A private Xvfb server, and Wine's X11 driver in place of the
        template's null driver (set before any program starts the desktop)."""
        reading, writing = os.pipe()
        with open(os.path.join(self.prefix, "xvfb.log"), "ab") as log:
            self.xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(writing), "-screen", "0", "1024x768x24", "-nolisten",
                 "tcp"], pass_fds=(writing,), stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        os.close(writing)
        with os.fdopen(reading) as number:
            display = number.readline().strip()
        if not display:
            raise BenchError("Xvfb did not start: see xvfb.log in the scenario")
        self.env["DISPLAY"] = f":{display}"
        # A virtual desktop: Wine then draws the windows' frames and captions
        # itself, as Windows would, where no window manager runs.
        user_reg = os.path.join(self.prefix, "user.reg")
        with open(user_reg, encoding="latin-1") as f:
            text = f.read().replace('"Graphics"="null"', '"Graphics"="x11"')
        text += ('\n[Software\\\\Wine\\\\Explorer]\n"Desktop"="Default"\n'
                 '\n[Software\\\\Wine\\\\Explorer\\\\Desktops]\n"Default"="1024x768"\n')
        with open(user_reg, "w", encoding="latin-1") as f:
            f.write(text)

    def set_language(self, language):
        """The locale of the programs started from now on (Wine takes it
        from LANG/LC_ALL at each start), e.g. "ja_JP.UTF-8"; None: the host's."""
        self.language = language
        for name in ("LANG", "LC_ALL"):
            if language:
                self.env[name] = language
            else:
                self.env.pop(name, None)
                if name in os.environ:
                    self.env[name] = os.environ[name]

    def screenshot(self, png_path):
        """The whole Xvfb screen as a PNG file (needs display=True)."""
        subprocess.run(["import", "-display", self.env["DISPLAY"], "-window", "root", png_path],
                       check=True, timeout=60, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    # The restart request ---------------------------------------------------

    def _wineboot(self):
        # ExitWindowsEx starts it from the 64-bit system directory, hard-linked
        # to the template's: unlink it before anything is written there.
        return os.path.join(self.prefix, "drive_c", "windows", "system32", "wineboot.exe")

    def record_restarts(self):
        """Puts the restart_recorder fixture in place of wineboot.exe."""
        self.refuse_restarts()
        shutil.copy(os.path.join(FIXTURES, "restart_recorder.exe"), self._wineboot())
        # Wine runs its built-in wineboot unless told to run the file.
        self.seed_registry(r"HKCU\Software\Wine\DllOverrides", {"wineboot.exe": sz("native")})

    def refuse_restarts(self):
        """Removes wineboot.exe, so that ExitWindowsEx fails."""
        if os.path.lexists(self._wineboot()):
            os.unlink(self._wineboot())

    def restart_log(self, settle=10):
        """The recorder's lines since the last call; waits up to settle
        seconds for one that is still at work (its starter does not wait
        for it)."""
        deadline = time.time() + settle
        while True:
            lines = self.read_file(RESTART_LOG).decode("latin-1").splitlines() \
                if self.exists(RESTART_LOG) else []
            if (lines and lines[-1] == "done") or time.time() >= deadline:
                if lines:
                    os.remove(self.unix_path(RESTART_LOG))
                return [line for line in lines if line != "done"]
            time.sleep(0.5)

    # Files -----------------------------------------------------------------

    def unix_path(self, win_path):
        """The host path of a Windows path inside the prefix, in the 32-bit view."""
        drive, rest = win_path[0].lower(), win_path[2:].lstrip("\\")
        parts = [p for p in rest.split("\\") if p]
        if drive == "c" and len(parts) >= 2 and parts[0].lower() == "windows" \
                and parts[1].lower() == "system32":
            parts[1] = "syswow64"
        base = os.path.join(self.prefix, "dosdevices", f"{drive}:")
        return os.path.join(os.path.realpath(base), *parts)

    @staticmethod
    def windows_path(rel):
        """The Windows path, in the 32-bit view, of a path relative to the
        prefix's drive C: (slashes or the host's separators): unix_path the
        other way round, "windows/syswow64/x" being C:\\windows\\system32\\x."""
        rel = re.sub(r"(?i)^windows/syswow64(?=/|$)", "windows/system32", rel.replace(os.sep, "/"))
        return "C:\\" + rel.replace("/", "\\")

    def put_file(self, win_path, data):
        path = self.unix_path(win_path)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)

    def read_file(self, win_path):
        with open(self.unix_path(win_path), "rb") as f:
            return f.read()

    def exists(self, win_path):
        return os.path.lexists(self.unix_path(win_path))

    def files(self, win_dir):
        """Relative paths of every file below a directory, sorted; None when it is missing."""
        top = self.unix_path(win_dir)
        if not os.path.isdir(top):
            return None
        found = []
        for root, _, names in os.walk(top):
            found += [os.path.relpath(os.path.join(root, n), top).replace("/", "\\") for n in names]
        return sorted(found)

    def map_drive(self, letter, host_dir):
        """Makes host_dir the drive letter: (a medium at a drive root)."""
        os.makedirs(host_dir, exist_ok=True)
        link = os.path.join(self.prefix, "dosdevices", f"{letter.lower()}:")
        if os.path.lexists(link):
            os.remove(link)
        os.symlink(os.path.abspath(host_dir), link)

    # The agent -------------------------------------------------------------

    def _agent(self, args, timeout):
        # Output goes to a file: Wine's background processes inherit it and
        # would hold a pipe open long after the agent has ended.
        try:
            with open(os.path.join(self.prefix, "wine.log"), "ab") as log:
                done = subprocess.run([WINE, "C:\\bench\\winrun.exe"] + args, env=self.env,
                                      stdout=log, stderr=log, stdin=subprocess.DEVNULL,
                                      timeout=timeout)
        except subprocess.TimeoutExpired:
            raise BenchError(f"winrun {args[0]} did not end within {timeout} s")
        return done.returncode

    def _job_file(self, suffix):
        self._jobs += 1
        return f"C:\\bench\\{self._jobs:03d}-{suffix}"

    def run(self, program, args="", cwd=None, timeout=60, answers=None, commandline=None,
            keys=(), cut=None):
        """Runs a program with the command line "program args" (or commandline
        verbatim), presses OK in every message box (or the button that answers
        maps its caption to), and returns its Result.

        Setup's dialogs are named "#1000" (welcome), "#1001" (restart) and
        "#1002" (progress): answers maps them to a button id, or to (button
        id, delay in ms after the dialog appeared); 0 presses nothing. By
        default welcome and restart get OK, the progress dialog nothing.
        keys: (dialog, virtual key, delay ms) tuples, each key posted once to
        the dialog's focused control as soon as the program takes messages
        after the delay. cut: where the agent ends the program with
        TerminateProcess, (caption, n) at the n-th message box of that
        caption or ("tick", n) at its n-th completion timer tick; the Result's
        outcome is then "cut"."""
        outputs = {name: self._job_file(f"{name}.txt") for name in ("result", "boxes", "dialogs")}
        if commandline is None:
            name = program.rsplit("\\", 1)[-1]
            commandline = f"{name} {args}" if args else name
        job = self._job_file("job.txt")
        self.put_file(job, job_file(program, commandline, timeout, outputs, cwd, answers, keys, cut))
        self._agent(["run", job], timeout + 90)
        # winrun opens the box log before it starts the program: without it,
        # Wine never ran winrun (seen on a loaded machine), and nothing ran.
        if not self.exists(outputs["result"]) and not self.exists(outputs["boxes"]):
            self._agent(["run", job], timeout + 90)
        if not self.exists(outputs["result"]):
            raise BenchError(f"winrun left no result for {commandline!r}")
        texts = {name: self.read_file(path).decode("utf-8" if name == "dialogs" else "latin-1")
                 if self.exists(path) else "" for name, path in outputs.items()}
        return Result(texts["result"].strip(), parse_boxes(texts["boxes"]),
                      parse_dialog_records(texts["dialogs"]))

    def run_console(self, args, cwd):
        """Starts a console program (args[0], a Windows path) through Wine
        itself in the Windows directory cwd, its output going to a file, so
        that it is read as the program wrote it; returns (exit code, output
        bytes)."""
        path = os.path.join(self.prefix, "console.out")
        with open(path, "wb") as out:
            done = subprocess.run([WINE, *args], env=self.env, cwd=self.unix_path(cwd), stdout=out,
                                  stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL, timeout=120)
        with open(path, "rb") as out:
            return done.returncode, out.read()

    def end_session(self):
        """Ends every program of the prefix, as a restart of Windows does
        (background work of a cut run included); the registry stays."""
        subprocess.run([WINESERVER, "-k"], env=self.env, timeout=60)
        subprocess.run([WINESERVER, "-w"], env=self.env, timeout=60)
        subprocess.run([WINESERVER, "-p"], env=self.env, timeout=60, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def registry(self, path):
        return self.registries([path])[path]

    def registries(self, paths, top=()):
        """{path: tree} of several trees, dumped by one start of the agent.
        A path also in `top` gives only its key's values and its subkeys'
        names (each an empty node)."""
        outs = [self._job_file("dump.txt") for _ in paths]
        args = [arg for path, out in zip(paths, outs)
                for arg in (["--top"] if path in top else []) + [path, out]]
        # The agent writes every file it is asked for; none at all means
        # Wine did not start it (seen on a loaded machine): the dump only
        # reads, so one more start is safe.
        for _ in range(2):
            self._agent(["regdump"] + args, 120)
            if all(self.exists(out) for out in outs):
                break
        else:
            raise BenchError(f"winrun regdump left no dump of {paths!r}")
        return {path: parse_registry_dump(self.read_file(out).decode("latin-1"))
                for path, out in zip(paths, outs)}

    def seed_records(self, records):
        """Applies registry records: ("K", path), ("V", path, name, type, data),
        ("D", path) deletes a tree, ("X", path, name) deletes a value."""
        seed = self._job_file("seed.txt")
        self.put_file(seed, seed_file(records))
        # Seeding the same records again gives the same registry: a start
        # of the agent that Wine did not make (seen on a loaded machine) is
        # tried once more.
        if self._agent(["regseed", seed], 120) != 0 and self._agent(["regseed", seed], 120) != 0:
            raise BenchError(f"seeding the registry failed: {records!r}")

    def seed_registry(self, path, values=None):
        """Creates the key and sets the values: {name: (type name, bytes)}."""
        records = [("K", path)] + [("V", path, n, t, d) for n, (t, d) in (values or {}).items()]
        self.seed_records(records)

    def delete_key(self, path):
        self.seed_records([("D", path)])


class ScenarioTestCase(unittest.TestCase):
    """Tests that share one scenario, made before the first test and removed
    after the last: class Tests(ScenarioTestCase, version="win98")."""

    def __init_subclass__(cls, version="win2k", medium=True, **kwargs):
        super().__init_subclass__(**kwargs)
        cls.version, cls.medium = version, medium

    @classmethod
    def setUpClass(cls):
        cls.sc = Scenario(cls.version, cls.medium).__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.sc.__exit__(None, None, None)
