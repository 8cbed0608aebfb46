memora_add_bench(bench_study ${CMAKE_CURRENT_SOURCE_DIR}/bench_study.cpp)
