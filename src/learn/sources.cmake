list(APPEND MEMORA_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/learncodes.h
    ${CMAKE_CURRENT_LIST_DIR}/studywordrow.h
    ${CMAKE_CURRENT_LIST_DIR}/learnschedule.h ${CMAKE_CURRENT_LIST_DIR}/learnschedule.cpp
    ${CMAKE_CURRENT_LIST_DIR}/learncoursedbbase.h ${CMAKE_CURRENT_LIST_DIR}/learncoursedbbase.cpp
    ${CMAKE_CURRENT_LIST_DIR}/learncoursedb.h ${CMAKE_CURRENT_LIST_DIR}/learncoursedb.cpp
    ${CMAKE_CURRENT_LIST_DIR}/learningrecordreader.h ${CMAKE_CURRENT_LIST_DIR}/learningrecordreader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/learncoursedbmemory.h ${CMAKE_CURRENT_LIST_DIR}/learncoursedbmemory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/learnsetmgr.h ${CMAKE_CURRENT_LIST_DIR}/learnsetmgr.cpp
    ${CMAKE_CURRENT_LIST_DIR}/learnreportmgr.h ${CMAKE_CURRENT_LIST_DIR}/learnreportmgr.cpp
    ${CMAKE_CURRENT_LIST_DIR}/learnchartdata.h ${CMAKE_CURRENT_LIST_DIR}/learnchartdata.cpp
    ${CMAKE_CURRENT_LIST_DIR}/learnskillmgr.h ${CMAKE_CURRENT_LIST_DIR}/learnskillmgr.cpp
    ${CMAKE_CURRENT_LIST_DIR}/learnmethodbase.h ${CMAKE_CURRENT_LIST_DIR}/learnmethodbase.cpp
    ${CMAKE_CURRENT_LIST_DIR}/freelearnmethod.h ${CMAKE_CURRENT_LIST_DIR}/freelearnmethod.cpp
    ${CMAKE_CURRENT_LIST_DIR}/planlearnmethod.h ${CMAKE_CURRENT_LIST_DIR}/planlearnmethod.cpp
    ${CMAKE_CURRENT_LIST_DIR}/learnmethodfactory.h ${CMAKE_CURRENT_LIST_DIR}/learnmethodfactory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/recordwriter.h ${CMAKE_CURRENT_LIST_DIR}/recordwriter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/learnmgr.h ${CMAKE_CURRENT_LIST_DIR}/learnmgr.cpp
)
