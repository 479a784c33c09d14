# Benchmarks of the packer units.
brelvik_bench(bench_pack SOURCES bench_pack.cpp)
target_compile_definitions(bench_pack PRIVATE BRELVIK_PACK_PROGRAM="$<TARGET_FILE:brelvik-pack>")
add_dependencies(bench_pack brelvik-pack)
