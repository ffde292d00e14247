# Install-time step: writes a game's manual page naming the full path of its data folder, and
# installs it. Set by the caller: origen (the page in the tree), carpeta (a scratch folder), datos,
# manuales and juego. The page holds @CARPETA_DATOS@ where the folder is named.

# A relative --prefix counts from where the install runs, as it does for the installed files.
if(IS_ABSOLUTE "${datos}")
  set(ruta "${datos}")
else()
  set(ruta "${CMAKE_INSTALL_PREFIX}/${datos}")
endif()
get_filename_component(ruta "${ruta}" ABSOLUTE)
if(ruta MATCHES "[\n\r]")
  message(FATAL_ERROR "A manual page cannot name a path with a line break: ${ruta}")
endif()

# In roff a backslash is written \e and a hyphen \- (the page puts the path inside \fI...\fR on a
# line of its own).
string(REPLACE "\\" "\\e" escrita "${ruta}")
string(REPLACE "-" "\\-" escrita "${escrita}")

file(READ "${origen}" pagina)
string(FIND "${pagina}" "@CARPETA_DATOS@" donde)
if(donde EQUAL -1)
  message(FATAL_ERROR "${origen} must name its data folder as @CARPETA_DATOS@")
endif()
string(REPLACE "@CARPETA_DATOS@" "${escrita}" pagina "${pagina}")
string(MD5 lugar "$ENV{DESTDIR}${ruta}")
set(generada "${carpeta}/${lugar}/${juego}.6")
file(WRITE "${generada}" "${pagina}")

if(NOT IS_ABSOLUTE "${manuales}")
  set(manuales "${CMAKE_INSTALL_PREFIX}/${manuales}")
endif()
file(INSTALL DESTINATION "${manuales}" TYPE FILE FILES "${generada}")
