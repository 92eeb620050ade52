"""python3 -m bench make-template (in tests/wine): makes the template prefix,
once per test run (the CTest fixture wine_template does)."""

import sys
import time

from bench.scenario import TEMPLATE, make_template

if sys.argv[1:] != ["make-template"]:
    sys.exit("usage: python3 -m bench make-template")
started = time.time()
make_template()
print(f"template prefix ready in {time.time() - started:.1f} s: {TEMPLATE}")
