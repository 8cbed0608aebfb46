# memora_add_test(<name> <source>...): a QtTest executable linked with the core library
# and the test support code, registered with CTest under <name>, run offscreen.
function(memora_add_test name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE memora_core memora_testsupport Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;MEMORA_BIN_DIR=${MEMORA_BIN_DIR}"
        TIMEOUT 300)
endfunction()

# memora_add_bench(<name> <source>...): a benchmark program printing BENCH lines.
function(memora_add_bench name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE memora_core memora_testsupport)
endfunction()
