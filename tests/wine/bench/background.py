"""Programs that run beside the one under test: a run started on another
thread, and the other_program fixture playing another program of the
machine (a held file, the mark of a running setup, a refused end of the
session)."""

import os
from concurrent.futures import ThreadPoolExecutor

from .standins import wait_for

OTHER = r"C:\bench\other_program.exe"
READY = r"C:\bench\ready.txt"


def in_background(sc, program, args, timeout, cwd=None):
    """Starts sc.run(...) on another thread; its future. The caller waits
    for a sign that it is under way before it runs anything else."""
    pool = ThreadPoolExecutor(1)
    future = pool.submit(sc.run, program, args, cwd=cwd, timeout=timeout)
    pool.shutdown(wait=False)
    return future


def start_other_program(sc, *args):
    """Starts other_program with a mode that stays (hold, refuse) and waits
    until it is in place; its future."""
    if sc.exists(READY):
        os.remove(sc.unix_path(READY))
    future = in_background(sc, OTHER, " ".join(args), timeout=120)
    if not wait_for(lambda: sc.exists(READY) or future.done(), 30) or future.done():
        raise AssertionError(f"other_program {args} is not in place: {future.result()}")
    return future
