"""Commands of the bench (python3 -m bench ..., in tests/wine):

    make-template          makes the template prefix, once per test run (the
                           CTest fixture wine_template does)
    country-differential   qvsmzad against qvlint --effect on generated
                           country settings files (see country_effect.py):
        --files N          how many files (default 200)
        --seed S           the series of files (default 1); the same seed
                           gives the same files
        --first I          start at file number I (default 0)
        --case FILE        check these files instead (repeatable)
        --versions V,V     win98 and win2k by default
        --qvlint PATH      qvlint.exe of the build by default; a native
                           build is run on the host
        --save DIR         write every file that disagrees to DIR, named
                           seed<S>-file<I>.ini, ready for the kept cases
                           (tests/qvlint/effect_cases)
    Exit code 0 when every file agrees on every version (files where qvsmzad
    made keys that no REGEDIT4 file can name are listed apart), 1 otherwise.
    setup-differential     setup.exe under Wine against setup_simulate on
                           generated scenarios (see setup_differential.py):
        --scenarios N      how many scenarios (default 60); the classes take turns
        --seed S           the series (default 1); the same seed, the same scenarios
        --first I          start at scenario number I (default 0)
        --class C          only this class (95, 98, 98se, me, nt4, 2000)
        --case DIR         run this scenario directory instead (repeatable)
        --simulate PATH    setup_simulate of the native build by default
                           (BENCH_SIMULATE)
        --against-wine     a second Wine run in place of the simulator: how
                           stable the Wine side is
        --save DIR         copy every scenario that disagrees to DIR without
                           the build's files, ready for tests/wine/setup_cases
    Exit code 0 when every scenario agrees, 1 otherwise; the directories of
    the scenarios that disagree stay below BENCH_WORK/setup-scenarios.
"""

import argparse
import os
import shutil
import sys
import time

from bench.scenario import TEMPLATE, make_template


def country_differential(argv):
    from bench.country_effect import (QVLINT_EXE, VERSIONS, Differential, generated_cases,
                                      summary)
    parser = argparse.ArgumentParser(prog="python3 -m bench country-differential")
    parser.add_argument("--files", type=int, default=200, help="how many generated files")
    parser.add_argument("--seed", default="1", help="the series: the same seed, the same files")
    parser.add_argument("--first", type=int, default=0, help="the number of the first file")
    parser.add_argument("--case", action="append", default=[],
                        help="check this file instead (repeatable)")
    parser.add_argument("--versions", default=",".join(VERSIONS), help="comma-separated")
    parser.add_argument("--qvlint", default=QVLINT_EXE,
                        help="qvlint.exe (run under Wine) or a native qvlint")
    parser.add_argument("--save", help="write the files that disagree into this directory")
    args = parser.parse_args(argv)
    versions = tuple(args.versions.split(","))
    if args.case:
        cases = [(path, open(path, "rb").read()) for path in args.case]
    else:
        cases = generated_cases(args.seed, args.files, args.first)
    started = time.time()
    done = {}

    def progress(version, label, disagrees):
        done[version] = done.get(version, 0) + 1
        if disagrees:
            print(f"  {version}: {label} disagrees", flush=True)
        elif done[version] % 50 == 0:
            print(f"  {version}: {done[version]} files", flush=True)

    make_template()
    with Differential(versions, args.qvlint) as bench:
        found = bench.check_all(cases, progress)
    print(summary(found, len(cases), versions))
    print(f"\n{time.time() - started:.0f} s")
    if args.save:
        os.makedirs(args.save, exist_ok=True)
        for d in found:
            name = d.label.replace("seed ", "seed").replace(" file ", "-file") + ".ini"
            with open(os.path.join(args.save, os.path.basename(name)), "wb") as f:
                f.write(d.content)
    return 1 if any(d.differences or d.trouble for d in found) else 0


def setup_differential(argv):
    from bench.scenario import WORK
    from bench.setup_differential import (CLASSES, SIMULATE, Differential, copied_cases,
                                          generated_cases, summary)
    from bench.setup_scenarios import keep
    parser = argparse.ArgumentParser(prog="python3 -m bench setup-differential")
    parser.add_argument("--scenarios", type=int, default=60, help="how many generated scenarios")
    parser.add_argument("--seed", default="1", help="the series: the same seed, the same scenarios")
    parser.add_argument("--first", type=int, default=0, help="the number of the first scenario")
    parser.add_argument("--class", dest="osclass", choices=CLASSES, help="only this class")
    parser.add_argument("--case", action="append", default=[],
                        help="run this scenario directory instead (repeatable)")
    parser.add_argument("--simulate", default=SIMULATE, help="the setup_simulate program")
    parser.add_argument("--against-wine", action="store_true",
                        help="compare two Wine runs of each scenario")
    parser.add_argument("--save", help="copy the scenarios that disagree into this directory")
    args = parser.parse_args(argv)
    work = os.path.join(WORK, "setup-scenarios")
    if args.case:
        cases = copied_cases(args.case, work)
    else:
        cases = generated_cases(args.seed, args.scenarios, work, args.first, args.osclass)
    started = time.time()

    def progress(label, disagreement):
        print(f"  {label}: {'disagrees' if disagreement else 'agrees'}", flush=True)

    make_template()
    bench = Differential(against="wine" if args.against_wine else "simulator",
                         simulate=args.simulate)
    found = bench.check_all(cases, progress)
    print(summary(found, len(cases), bench))
    print(f"\n{time.time() - started:.0f} s")
    disagreeing = {d.directory for d in found}
    for _, directory in cases:
        if args.save and directory in disagreeing:
            keep(directory, os.path.join(args.save, os.path.basename(directory)))
        elif directory not in disagreeing:
            shutil.rmtree(directory, ignore_errors=True)
    return 1 if found else 0


if sys.argv[1:] == ["make-template"]:
    started = time.time()
    make_template()
    print(f"template prefix ready in {time.time() - started:.1f} s: {TEMPLATE}")
elif sys.argv[1:2] == ["country-differential"]:
    sys.exit(country_differential(sys.argv[2:]))
elif sys.argv[1:2] == ["setup-differential"]:
    sys.exit(setup_differential(sys.argv[2:]))
else:
    sys.exit(__doc__)
