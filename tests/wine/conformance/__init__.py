"""The conformance cases of the seam's calls (tests/conformance/cases) run by
simulate-calls.exe under Wine, held against what the cases expect of Wine."""
