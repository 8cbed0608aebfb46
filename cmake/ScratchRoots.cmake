# cmake -DSCRATCH_DIR=<folder> -DNAMES=<test;names> -P ScratchRoots.cmake
# Empties the scratch folder and makes one empty root per test in it.
file(REMOVE_RECURSE ${SCRATCH_DIR})
foreach(name IN LISTS NAMES)
    file(MAKE_DIRECTORY ${SCRATCH_DIR}/${name})
endforeach()
