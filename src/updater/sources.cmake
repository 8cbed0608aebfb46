list(APPEND MEMORA_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/updateinstaller.h ${CMAKE_CURRENT_LIST_DIR}/updateinstaller.cpp
)
