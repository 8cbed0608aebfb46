list(APPEND MEMORA_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/usermgr.h ${CMAKE_CURRENT_LIST_DIR}/usermgr.cpp
    ${CMAKE_CURRENT_LIST_DIR}/helptext.h
    ${CMAKE_CURRENT_LIST_DIR}/memora_forgottenpointmodel.h
    ${CMAKE_CURRENT_LIST_DIR}/memora_forgottenpointmodel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_forgopointinput.h
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_forgopointinput.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_forgopointinput.ui
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_studyparameter.h
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_studyparameter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_studyparameter.ui
    ${CMAKE_CURRENT_LIST_DIR}/memora_login.h ${CMAKE_CURRENT_LIST_DIR}/memora_login.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_login.ui
    ${CMAKE_CURRENT_LIST_DIR}/memora_newuser.h ${CMAKE_CURRENT_LIST_DIR}/memora_newuser.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_newuser.ui
)
