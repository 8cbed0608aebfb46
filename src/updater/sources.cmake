# The updater's library files, appended to MEMORA_CORE_SOURCES (none yet); main.cpp is the
# MlUpdate program itself, built by the top-level CMakeLists.txt.
