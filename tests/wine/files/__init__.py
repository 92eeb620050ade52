"""File operations of setup, one per run: copies, deletions, the driver sets,
the copy and launch lists."""
