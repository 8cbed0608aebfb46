list(APPEND MEMORA_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/placeholderwindow.h ${CMAKE_CURRENT_LIST_DIR}/placeholderwindow.cpp
)
