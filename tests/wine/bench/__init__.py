"""The Wine test bench: a template prefix, one fresh clone per scenario, and
the winrun agent that runs programs, answers their dialogs and reads and
writes the registry inside the prefix.

    with Scenario("win98") as sc:
        sc.put_file(r"C:\\medium\\qvsetup.ini", b"[INSTALL_OPTIONS]\\r\\nDebug=Y\\r\\n")
        sc.seed_registry(r"HKLM\\Software\\X", {"Name": ("REG_SZ", b"abc\\0")})
        r = sc.run(r"C:\\medium\\setup.exe", "S")
        r.exit_code          # unsigned 32-bit exit code
        r.boxes              # [(caption, text)] of every message box, in order
        r.dialogs            # [DialogRecord] of setup's own dialogs, in order
        sc.registry(r"HKLM\\Software\\X")   # None, or {"values": {...}, "keys": {...}}

Setup's welcome, restart and progress dialogs (WELCOME, RESTART, PROGRESS)
are seen from inside the program by winrun's dialog hook, even while setup
is too busy to answer messages; answers and keys script them (see
Scenario.run). Scenario(display=True) runs the programs on a private Xvfb
server with Wine's X11 driver instead of the null driver;
Scenario(language="de_DE.UTF-8") (or set_language) gives them that locale.

Modules: scenario (prefixes and the agent's commands), agent (its file
formats), registry (keys, modem names, values), fixtures (the fixture
programs), background (runs beside the one under test, another program of
the machine), standins (the setup-library stand-ins), sequence (silent runs of
setup), interactive (its dialogs), timers (runs to a timer's limit), interrupted
(runs cut off and run again, and what a run leaves),
country (runs of qvsmzad), languages (setup's texts in its 19 languages),
country_files (generated country settings files), country_effect (qvsmzad
against qvlint --effect), setup_scenarios (generated silent runs of setup as
scenario directories), setup_differential (setup.exe against the simulated
Windows).
Outside the tests, put tests/wine on sys.path and import from bench.
"""

from .registry import sz
from .scenario import MEDIUM, VERSIONS, WINE, Scenario, ScenarioTestCase

__all__ = ["MEDIUM", "VERSIONS", "WINE", "Scenario", "ScenarioTestCase", "sz"]
