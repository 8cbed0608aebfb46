memora_add_bench(bench_course ${CMAKE_CURRENT_SOURCE_DIR}/bench_course.cpp)
