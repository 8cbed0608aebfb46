list(APPEND MEMORA_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/mlfiledownload.h ${CMAKE_CURRENT_LIST_DIR}/mlfiledownload.cpp
    ${CMAKE_CURRENT_LIST_DIR}/updatemgr.h ${CMAKE_CURRENT_LIST_DIR}/updatemgr.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_bubbletooltip.h
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_bubbletooltip.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_bubbletooltip.ui
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_update.h
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_update.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_update.ui
)
