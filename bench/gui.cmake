# Benchmarks of the gui units.
