list(APPEND MEMORA_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/apppath.h ${CMAKE_CURRENT_LIST_DIR}/apppath.cpp
    ${CMAKE_CURRENT_LIST_DIR}/clock.h ${CMAKE_CURRENT_LIST_DIR}/clock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/messagelog.h ${CMAKE_CURRENT_LIST_DIR}/messagelog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/psqlite.h ${CMAKE_CURRENT_LIST_DIR}/psqlite.cpp
    ${CMAKE_CURRENT_LIST_DIR}/remoteservices.h ${CMAKE_CURRENT_LIST_DIR}/remoteservices.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings.h ${CMAKE_CURRENT_LIST_DIR}/settings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/singleapplication.h ${CMAKE_CURRENT_LIST_DIR}/singleapplication.cpp
    ${CMAKE_CURRENT_LIST_DIR}/startup.h ${CMAKE_CURRENT_LIST_DIR}/startup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/userfolder.h ${CMAKE_CURRENT_LIST_DIR}/userfolder.cpp
)
