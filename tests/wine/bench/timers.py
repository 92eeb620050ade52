"""Silent setup runs that wait for a completion timer's limit, with the
time each took and what it left. Such a run waits minutes, mostly idle:
several go side by side, each in its own prefix."""

from concurrent.futures import ThreadPoolExecutor

from .registry import sz
from .scenario import Scenario
from .sequence import OLD_SOURCE, launches, prepare, run_setup, source_path

# The run may end this much later than the limit: Wine's start, the
# sequence before the timer starts, and the timer's own drift.
SLACK = 40


def run_to_limit(version, standins, timeout=480):
    """(Result, seconds, launches, SourcePath afterwards) of a silent run."""
    with Scenario(version) as sc:
        prepare(sc, {"Debug": "Y"}, standins)
        result, seconds = run_setup(sc, timeout=timeout)
        return result, seconds, launches(sc), source_path(sc) == sz(OLD_SOURCE)


def runs_to_limits(runs):
    """run_to_limit(version, standins) of each run, all at once; their
    futures in order."""
    pool = ThreadPoolExecutor(len(runs))
    futures = [pool.submit(run_to_limit, version, standins) for version, standins in runs]
    pool.shutdown(wait=False)
    return futures
