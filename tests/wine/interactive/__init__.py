"""Interactive runs of setup.exe: its welcome, progress and restart dialogs,
in every language."""
