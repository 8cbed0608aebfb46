list(APPEND MEMORA_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/wordinfo.h
    ${CMAKE_CURRENT_LIST_DIR}/coursedb.h ${CMAKE_CURRENT_LIST_DIR}/coursedb.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fullworddb.h ${CMAKE_CURRENT_LIST_DIR}/fullworddb.cpp
)
