# Fails when a file of the rules includes a Qt header. The rules are every source and header
# in game/ except the Qt screen that hosts them (frmGame) and its timer (TickTimer).
file(GLOB files "${GAME_DIR}/*.h" "${GAME_DIR}/*.cpp")
list(FILTER files EXCLUDE REGEX "/(frmGame|TickTimer)\\.(h|cpp)$")
foreach(f IN LISTS files)
  file(STRINGS "${f}" qt REGEX "#[ \t]*include[ \t]*[<\"]Q")
  if(qt)
    message(FATAL_ERROR "${f} includes Qt: ${qt}")
  endif()
endforeach()
list(LENGTH files n)
message(STATUS "${n} files of the rules, none includes Qt")
