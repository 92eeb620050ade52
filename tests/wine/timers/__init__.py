"""Runs that wait for a completion timer's limit, minutes each: they start
first."""
