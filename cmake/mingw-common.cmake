# Cross-compiling with the posix-thread flavour of MinGW-w64; test programs
# run through Wine.
set(CMAKE_C_COMPILER   ${TARVELO_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARVELO_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${TARVELO_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TARVELO_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# (through a script that tries a start Wine's loader gave up on once more)
set(CMAKE_CROSSCOMPILING_EMULATOR bash ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-start.sh)
