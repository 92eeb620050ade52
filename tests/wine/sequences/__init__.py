"""Silent runs of setup.exe: each platform class's sequence, the start-up,
hostile media and the installation log."""
