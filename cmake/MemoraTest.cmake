# Test programs land in build/tests, benchmarks in build/bench: never in the program folder.
set(MEMORA_TEST_BIN_DIR ${CMAKE_BINARY_DIR}/tests)
set(MEMORA_BENCH_BIN_DIR ${CMAKE_BINARY_DIR}/bench)
# Every test runs with its own scratch MEMORA_ROOT under build/tests/scratch, emptied before
# each ctest run, so a test that forgets its private root never touches a learner's data.
set(MEMORA_SCRATCH_DIR ${MEMORA_TEST_BIN_DIR}/scratch)

# memora_add_test(<name> <source>...): a QtTest executable linked with the core library
# and the test support code, registered with CTest under <name>, run offscreen.
function(memora_add_test name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE memora_core memora_testsupport Qt6::Test)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${MEMORA_TEST_BIN_DIR})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT
            "QT_QPA_PLATFORM=offscreen;MEMORA_BIN_DIR=${MEMORA_BIN_DIR};MEMORA_ROOT=${MEMORA_SCRATCH_DIR}/${name}"
        FIXTURES_REQUIRED memora_scratch
        TIMEOUT 300)
    set_property(GLOBAL APPEND PROPERTY MEMORA_TEST_NAMES ${name})
endfunction()

# memora_add_bench(<name> <source>...): a benchmark program printing BENCH lines.
function(memora_add_bench name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE memora_core memora_testsupport)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${MEMORA_BENCH_BIN_DIR})
endfunction()

# Called once after every test is registered: the fixture that makes the scratch roots.
function(memora_add_scratch_roots)
    get_property(names GLOBAL PROPERTY MEMORA_TEST_NAMES)
    add_test(NAME memora_scratch_roots
        COMMAND ${CMAKE_COMMAND} -DSCRATCH_DIR=${MEMORA_SCRATCH_DIR} "-DNAMES=${names}"
                -P ${CMAKE_SOURCE_DIR}/cmake/ScratchRoots.cmake)
    set_tests_properties(memora_scratch_roots PROPERTIES FIXTURES_SETUP memora_scratch)
endfunction()
