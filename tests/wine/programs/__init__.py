"""The other programs: qvsmzad, qvlint and what else the medium carries."""
