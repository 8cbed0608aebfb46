memora_add_bench(bench_import ${CMAKE_CURRENT_SOURCE_DIR}/bench_import.cpp)
