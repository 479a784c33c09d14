# Tests of the core units.
