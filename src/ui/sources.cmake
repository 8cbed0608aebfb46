list(APPEND MEMORA_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/placeholderwindow.h ${CMAKE_CURRENT_LIST_DIR}/placeholderwindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialogplacement.h ${CMAKE_CURRENT_LIST_DIR}/dialogplacement.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_progressdialog.h ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_progressdialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_progressdialog.ui
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_importcourse.h ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_importcourse.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_importcourse.ui
    ${CMAKE_CURRENT_LIST_DIR}/studyhost.h ${CMAKE_CURRENT_LIST_DIR}/studyhost.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_home.h ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_home.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_home.ui
    ${CMAKE_CURRENT_LIST_DIR}/memora_homechartpanel.h ${CMAKE_CURRENT_LIST_DIR}/memora_homechartpanel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_course.h ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_course.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_course.ui
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindows.h ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindows.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindows.ui
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_setting.h ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_setting.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_setting.ui
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_settinggeneral.h
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_settinggeneral.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_settinggeneral.ui
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_settingadvanced.h
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_settingadvanced.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_settingadvanced.ui
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_setttingthemes.h
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_setttingthemes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_setttingthemes.ui
)
