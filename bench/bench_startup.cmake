memora_add_bench(bench_startup ${CMAKE_CURRENT_SOURCE_DIR}/bench_startup.cpp)
