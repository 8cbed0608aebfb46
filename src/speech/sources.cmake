list(APPEND MEMORA_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/cspeakbase.h ${CMAKE_CURRENT_LIST_DIR}/cspeakbase.cpp
    ${CMAKE_CURRENT_LIST_DIR}/speechsynthesizer.h ${CMAKE_CURRENT_LIST_DIR}/speechsynthesizer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/qtspeechsynthesizer.h ${CMAKE_CURRENT_LIST_DIR}/qtspeechsynthesizer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cwttsspeak.h ${CMAKE_CURRENT_LIST_DIR}/cwttsspeak.cpp
    ${CMAKE_CURRENT_LIST_DIR}/externalviewer.h ${CMAKE_CURRENT_LIST_DIR}/externalviewer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/externalviewerdeleter.h ${CMAKE_CURRENT_LIST_DIR}/externalviewerdeleter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mp3player.h ${CMAKE_CURRENT_LIST_DIR}/mp3player.cpp
    ${CMAKE_CURRENT_LIST_DIR}/voicecache.h ${CMAKE_CURRENT_LIST_DIR}/voicecache.cpp
    ${CMAKE_CURRENT_LIST_DIR}/speakrealpeoplevoice.h ${CMAKE_CURRENT_LIST_DIR}/speakrealpeoplevoice.cpp
    ${CMAKE_CURRENT_LIST_DIR}/speakyoudaodict.h ${CMAKE_CURRENT_LIST_DIR}/speakyoudaodict.cpp
    ${CMAKE_CURRENT_LIST_DIR}/speakdictcn.h ${CMAKE_CURRENT_LIST_DIR}/speakdictcn.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_settingstudy.h
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_settingstudy.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memora_mainwindow_settingstudy.ui
)
