list(APPEND MEMORA_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/updateinstaller.h ${CMAKE_CURRENT_LIST_DIR}/updateinstaller.cpp
    ${CMAKE_CURRENT_LIST_DIR}/updatedialog.h ${CMAKE_CURRENT_LIST_DIR}/updatedialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/updaterprogram.h ${CMAKE_CURRENT_LIST_DIR}/updaterprogram.cpp
)
