list(APPEND MEMORA_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/placeholderwindow.h ${CMAKE_CURRENT_LIST_DIR}/placeholderwindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialogplacement.h ${CMAKE_CURRENT_LIST_DIR}/dialogplacement.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_progressdialog.h ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_progressdialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_progressdialog.ui
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_importcourse.h ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_importcourse.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_importcourse.ui
)
