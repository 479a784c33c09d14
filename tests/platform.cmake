# Tests of the platform units.
