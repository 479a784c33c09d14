# Benchmarks of the packer units.
