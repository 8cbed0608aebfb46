memora_add_bench(bench_learn ${CMAKE_CURRENT_SOURCE_DIR}/bench_learn.cpp
    ${PROJECT_SOURCE_DIR}/tests/course/coursefixture.cpp)
target_include_directories(bench_learn PRIVATE ${PROJECT_SOURCE_DIR}/tests/course)
