# Checks that no file of a layer includes a layer above it:
#   cmake -DQUELLEN=<src> -DSCHICHTEN="record;settings;context;formats;control;ui" -P schichten.cmake
# The build already refuses such an include in a source file; this also finds it in a header
# that only higher layers happen to compile.
set(fehler "")
list(LENGTH SCHICHTEN anzahl)
foreach(schicht ${SCHICHTEN})
  list(FIND SCHICHTEN ${schicht} stufe)
  file(GLOB_RECURSE dateien ${QUELLEN}/${schicht}/*.h ${QUELLEN}/${schicht}/*.cpp)
  foreach(datei ${dateien})
    file(STRINGS ${datei} zeilen REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(zeile ${zeilen})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]*)/.*$" "\\1" ziel "${zeile}")
      list(FIND SCHICHTEN "${ziel}" zielstufe)
      if(zielstufe GREATER stufe)
        string(APPEND fehler "${datei}: ${zeile} (${schicht} includes ${ziel})\n")
      endif()
    endforeach()
  endforeach()
endforeach()
if(fehler)
  message(FATAL_ERROR "Includes that run upward:\n${fehler}")
endif()
