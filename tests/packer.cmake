# Tests of the packer units.
