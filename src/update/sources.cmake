# The files of this folder, appended to MEMORA_CORE_SOURCES (none yet).
