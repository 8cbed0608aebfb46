memora_add_bench(bench_charts ${CMAKE_CURRENT_SOURCE_DIR}/bench_charts.cpp)
