memora_add_bench(bench_study ${CMAKE_CURRENT_SOURCE_DIR}/bench_study.cpp
    ${CMAKE_SOURCE_DIR}/tests/course/coursefixture.h ${CMAKE_SOURCE_DIR}/tests/course/coursefixture.cpp)
target_include_directories(bench_study PRIVATE ${CMAKE_SOURCE_DIR}/tests/course)
