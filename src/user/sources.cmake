list(APPEND MEMORA_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/usermgr.h ${CMAKE_CURRENT_LIST_DIR}/usermgr.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_login.h ${CMAKE_CURRENT_LIST_DIR}/memora_login.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_login.ui
    ${CMAKE_CURRENT_LIST_DIR}/memora_newuser.h ${CMAKE_CURRENT_LIST_DIR}/memora_newuser.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_newuser.ui
)
