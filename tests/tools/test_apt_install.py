"""tools/apt-install against a scripted apt: an index that fails to download
is reported and passed over, a version skew between the architectures is
installed again with the release's own versions, and every other failure
stops with a nonzero exit."""

import json
import os
import re
import stat
import subprocess
import sys
import tempfile
import unittest

APT_INSTALL = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools",
                           "apt-install")

# One program that plays apt-get, apt-cache and dpkg from the scenario in
# $FAKE_APT, writing each command line to $FAKE_APT.calls.
FAKE = r'''#!%s
import json, os, sys
scenario_path = os.environ["FAKE_APT"]
scenario = json.load(open(scenario_path))
tool, args = os.path.basename(sys.argv[0]), sys.argv[1:]
with open(scenario_path + ".calls", "a") as calls:
    calls.write(" ".join([tool] + args) + "\n")
if tool == "dpkg":
    print("amd64")
elif tool == "apt-cache" and args[0] == "policy":
    for package in args[1:]:
        full = package if ":" in package else package + ":amd64"
        print(package + ":\n  Installed: (none)\n  Candidate: "
              + scenario["candidates"].get(full, "(none)") + "\n  Version table:")
elif tool == "apt-cache":
    for package in args[2:]:
        name, arch = package.split(":")
        same = "\nMulti-Arch: same" if name in scenario.get("multiarch_same", []) else ""
        print("Package: " + name + "\nVersion: 1\nArchitecture: " + arch + same + "\n")
else:
    step = args[0] if "-t" not in args else "install -t " + args[args.index("-t") + 1]
    status, text = scenario[step]
    sys.stdout.write(text)
    sys.exit(status)
''' % sys.executable

FETCH_FAILED = (
    "Err:6 http://deb.debian.org/debian-security bookworm-security/main i386 Packages\n"
    "  File has unexpected size (374820 != 376004). Mirror sync in progress?\n"
    "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/"
    "binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?\n"
    "   Hashes of expected file:\n"
    "E: Some index files failed to download. They have been ignored, or old ones used instead.\n")
BROKEN = ("The following packages have unmet dependencies:\n"
          " libdw1:i386 : Depends: liblzma5:i386 (>= 5.1.1alpha+20120614) but it is not going"
          " to be installed\n"
          "               Depends: zlib1g:i386 (>= 1:1.2.2.3) but it is not going to be installed\n"
          "E: Unable to correct problems, you have held broken packages.\n")
SKEW = {"liblzma5:amd64": "5.4.1-1+deb12u2", "liblzma5:i386": "5.4.1-1+deb12u1",
        "zlib1g:amd64": "1:1.2.13.dfsg-1", "zlib1g:i386": "1:1.2.13.dfsg-1"}
SAME = {"liblzma5:amd64": "5.4.1-1+deb12u1", "liblzma5:i386": "5.4.1-1+deb12u1",
        "zlib1g:amd64": "1:1.2.13.dfsg-1", "zlib1g:i386": "1:1.2.13.dfsg-1"}


def release():
    with open("/etc/os-release", encoding="utf-8") as os_release:
        return re.search(r"^VERSION_CODENAME=(\S+)", os_release.read(), re.MULTILINE).group(1)


class AptInstall(unittest.TestCase):
    def run_with(self, scenario):
        with tempfile.TemporaryDirectory() as bin_dir:
            for tool in ("apt-get", "apt-cache", "dpkg"):
                path = os.path.join(bin_dir, tool)
                with open(path, "w", encoding="utf-8") as program:
                    program.write(FAKE)
                os.chmod(path, stat.S_IRWXU)
            scenario_path = os.path.join(bin_dir, "scenario.json")
            with open(scenario_path, "w", encoding="utf-8") as out:
                json.dump(scenario, out)
            env = dict(os.environ, FAKE_APT=scenario_path,
                       PATH=bin_dir + os.pathsep + os.environ["PATH"])
            run = subprocess.run([APT_INSTALL, "wine32:i386", "cmake"], env=env, text=True,
                                 stdout=subprocess.PIPE, stderr=subprocess.STDOUT, check=False)
            with open(scenario_path + ".calls", encoding="utf-8") as calls:
                installs = [line.split()[2:] for line in calls if line.startswith("apt-get install")]
        return run.returncode, run.stdout, installs

    def test_mirror_states(self):
        plain = ["-y", "-q", "--no-install-recommends", "wine32:i386", "cmake"]
        again = ["-y", "-q", "--no-install-recommends", "-t", release(), "wine32:i386", "cmake"]
        # (what, scenario, exit code, apt-get installs, words the output must hold)
        cases = [
            ("mirror in sync", {"update": [0, ""], "install": [0, ""]}, 0, [plain], []),
            ("an index fails to download: reported, passed over",
             {"update": [100, FETCH_FAILED], "install": [0, ""]}, 0, [plain],
             ["index not downloaded, going on without it: http://deb.debian.org/debian-security/"
              "dists/bookworm-security/main/binary-i386/Packages.xz\n"]),
            ("any other update failure stops",
             {"update": [100, "E: Malformed entry 1 in list file /etc/apt/sources.list\n"]}, 1,
             [], ["apt-get update failed (exit 100)"]),
            ("version skew: installed again with the release's versions",
             {"update": [100, FETCH_FAILED], "install": [100, BROKEN],
              "install -t " + release(): [0, ""], "candidates": SKEW,
              "multiarch_same": ["liblzma5", "zlib1g"]}, 0, [plain, again],
             ["different versions of liblzma5 (amd64 5.4.1-1+deb12u2, i386 5.4.1-1+deb12u1);",
              "(apt-get install -t " + release() + ")"]),
            ("broken packages without a skew stop",
             {"update": [0, ""], "install": [100, BROKEN], "candidates": SAME,
              "multiarch_same": ["liblzma5", "zlib1g"]}, 1, [plain],
             ["apt-get install failed (exit 100)"]),
            ("versions that differ on a library not shared between architectures stop",
             {"update": [0, ""], "install": [100, BROKEN], "candidates": SKEW}, 1, [plain],
             ["apt-get install failed (exit 100)"]),
            ("the second attempt fails too",
             {"update": [0, ""], "install": [100, BROKEN],
              "install -t " + release(): [100, BROKEN], "candidates": SKEW,
              "multiarch_same": ["liblzma5"]}, 1, [plain, again],
             ["apt-get install -t " + release() + " failed too"]),
        ]
        for what, scenario, status, installs, words in cases:
            with self.subTest(what):
                got_status, output, got_installs = self.run_with(scenario)
                self.assertEqual(status, got_status, output)
                self.assertEqual(installs, got_installs, output)
                for word in words:
                    self.assertIn(word, output)


if __name__ == "__main__":
    unittest.main()
