"""pset's actions, one module each, listed in psetlib/cli.py. An action imports the library
(psetlib/), never another action."""
