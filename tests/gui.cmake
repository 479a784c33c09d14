# Tests of the gui units.
