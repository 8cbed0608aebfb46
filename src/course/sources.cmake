list(APPEND MEMORA_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/wordinfo.h
    ${CMAKE_CURRENT_LIST_DIR}/coursedb.h ${CMAKE_CURRENT_LIST_DIR}/coursedb.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fullworddb.h ${CMAKE_CURRENT_LIST_DIR}/fullworddb.cpp
    ${CMAKE_CURRENT_LIST_DIR}/categorycoursedbbase.h ${CMAKE_CURRENT_LIST_DIR}/categorycoursedbbase.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ocategorycoursedb.h ${CMAKE_CURRENT_LIST_DIR}/ocategorycoursedb.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ucategorycoursedb.h ${CMAKE_CURRENT_LIST_DIR}/ucategorycoursedb.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mcategorycoursedb.h ${CMAKE_CURRENT_LIST_DIR}/mcategorycoursedb.cpp
    ${CMAKE_CURRENT_LIST_DIR}/courseheadercaptions.h ${CMAKE_CURRENT_LIST_DIR}/courseheadercaptions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mlbasesqlquerymodel.h ${CMAKE_CURRENT_LIST_DIR}/mlbasesqlquerymodel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/coursesqlquerymodel.h ${CMAKE_CURRENT_LIST_DIR}/coursesqlquerymodel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_tableviewcourselist.h ${CMAKE_CURRENT_LIST_DIR}/memora_tableviewcourselist.cpp
    ${CMAKE_CURRENT_LIST_DIR}/learningrecordsummary.h
    ${CMAKE_CURRENT_LIST_DIR}/coursecategorymgr.h ${CMAKE_CURRENT_LIST_DIR}/coursecategorymgr.cpp
    ${CMAKE_CURRENT_LIST_DIR}/youdaowordbookreader.h ${CMAKE_CURRENT_LIST_DIR}/youdaowordbookreader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/courseconvertbase.h ${CMAKE_CURRENT_LIST_DIR}/courseconvertbase.cpp
    ${CMAKE_CURRENT_LIST_DIR}/courseconvertyoudao.h ${CMAKE_CURRENT_LIST_DIR}/courseconvertyoudao.cpp
    ${CMAKE_CURRENT_LIST_DIR}/courseconvertmgr.h ${CMAKE_CURRENT_LIST_DIR}/courseconvertmgr.cpp
    ${CMAKE_CURRENT_LIST_DIR}/unzip.h ${CMAKE_CURRENT_LIST_DIR}/unzip.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ocoursedownmgr.h ${CMAKE_CURRENT_LIST_DIR}/ocoursedownmgr.cpp
)
