# Puts the built-in level pack into the program folder (cmake -P, at every build):
# the repository's data/ogpice.cdn when there is one, otherwise (and only when the program
# folder has none yet) a small stand-in pack of three levels, so Play always has a pack.
# The pack's stored solutions (par and the quick hints) go with the real pack only.
#   -DSOURCE=<repository>/data/ogpice.cdn -DTARGET=<dist>/data/ogpice.cdn
#   -DSOLUTIONS=<repository>/data/ogpice.solutions -DSOLUTIONS_TARGET=<dist>/data/ogpice.solutions
if(EXISTS "${SOURCE}")
  file(COPY_FILE "${SOURCE}" "${TARGET}" ONLY_IF_DIFFERENT)
  if(SOLUTIONS AND EXISTS "${SOLUTIONS}")
    file(COPY_FILE "${SOLUTIONS}" "${SOLUTIONS_TARGET}" ONLY_IF_DIFFERENT)
  elseif(SOLUTIONS_TARGET)
    file(REMOVE "${SOLUTIONS_TARGET}")
  endif()
  return()
endif()
if(SOLUTIONS_TARGET)
  file(REMOVE "${SOLUTIONS_TARGET}")
endif()
if(EXISTS "${TARGET}")
  return()
endif()
set(rows1
  "XXXXXXXXXXXXXXX" "X.............X" "X.............X" "X.............X" "X.............X"
  "X.............X" "X.............X" "X..R........rXX" "X.............X" "X.............X"
  "X.............X" "X.............X" "X.............X" "X.............X" "XXXXXXXXXXXXXXX")
set(rows2
  "XXXXXXXXXXXXXXX" "X.............X" "X..G..........X" "X.............X" "X.............X"
  "X.............X" "X.............X" "X.............X" "X..g..........X" "X..X..........X"
  "X.........B..bX" "X.............X" "X.............X" "X.............X" "XXXXXXXXXXXXXXX")
set(rows3
  "XXXXXXXXXXXXXXX" "X.............X" "X.H...........X" "X.............X" "X.............X"
  "X.............X" "X.............X" "X.............X" "X.............X" "X.............X"
  "X.............X" "X............hX" "X.X...........X" "X.............X" "XXXXXXXXXXXXXXX")
set(text "[PackHeader]\r\nCollectionName=Frostlide: Ice\r\nAuthor=The Frostlide developers\r\n")
string(APPEND text "Comment=A stand-in until the real levels arrive\r\nNumberOfLevels=3\r\n\r\n")
foreach(level 1 2 3)
  string(APPEND text "[Level${level}Data]\r\n")
  foreach(row ${rows${level}})
    string(APPEND text "${row}\r\n")
  endforeach()
  string(APPEND text "\r\n")
endforeach()
get_filename_component(dir "${TARGET}" DIRECTORY)
file(MAKE_DIRECTORY "${dir}")
file(WRITE "${TARGET}" "${text}")
