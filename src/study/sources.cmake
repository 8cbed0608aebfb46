list(APPEND MEMORA_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/learnstate.h
    ${CMAKE_CURRENT_LIST_DIR}/hotkeys.h ${CMAKE_CURRENT_LIST_DIR}/hotkeys.cpp
    ${CMAKE_CURRENT_LIST_DIR}/study.qrc
    ${CMAKE_CURRENT_LIST_DIR}/memora_hotkeysmodel.h ${CMAKE_CURRENT_LIST_DIR}/memora_hotkeysmodel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_settinghotkeys.h
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_settinghotkeys.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_settinghotkeys.ui
    ${CMAKE_CURRENT_LIST_DIR}/myeventfilter.h ${CMAKE_CURRENT_LIST_DIR}/myeventfilter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shortcutclicker.h ${CMAKE_CURRENT_LIST_DIR}/shortcutclicker.cpp
    ${CMAKE_CURRENT_LIST_DIR}/studygeometry.h ${CMAKE_CURRENT_LIST_DIR}/studygeometry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_learnoperate.h
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_learnoperate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_learnoperate.ui
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_studyquestion.h
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_studyquestion.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_studyquestion.ui
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_learnanswer.h
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_learnanswer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_learnanswer.ui
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_learnbiginfo.h
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_learnbiginfo.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_learnbiginfo.ui
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_study.h
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_study.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_studylook.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_study.ui
)
