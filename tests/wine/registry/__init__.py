"""Registry operations of setup, one per run: key lists, trees, walks, ports,
the driver service and the controller."""
