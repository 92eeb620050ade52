"""The setup-library stand-ins, and setup's binding to them."""
