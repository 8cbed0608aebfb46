memora_add_bench(bench_course ${CMAKE_CURRENT_SOURCE_DIR}/bench_course.cpp
    ${CMAKE_SOURCE_DIR}/tests/course/coursefixture.h ${CMAKE_SOURCE_DIR}/tests/course/coursefixture.cpp)
target_include_directories(bench_course PRIVATE ${CMAKE_SOURCE_DIR}/tests/course)
