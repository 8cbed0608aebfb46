memora_add_bench(bench_learn ${CMAKE_CURRENT_SOURCE_DIR}/bench_learn.cpp)
