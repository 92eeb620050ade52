"""The bench itself: its agent's dialog watcher, exit codes, time limits and
registry round trip."""
