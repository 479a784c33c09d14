# Benchmarks of the core units.
