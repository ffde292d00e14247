# Install rules: launchers, the programs, their shared data folder, menu entries, software-centre
# metadata, icons, man pages.
include(GNUInstallDirs)

# One data folder serves both games, as assets/ does in the tree; the man pages name it. Both
# folders are relative to the prefix unless absolute. Debian's games layout:
#   -DCMAKE_INSTALL_BINDIR=games -DJUEGOS_DATOS=share/games/fenwar-torvane
#   -DJUEGOS_PROGRAMAS=lib/games/fenwar-torvane
set(JUEGOS_DATOS ${CMAKE_INSTALL_DATADIR}/fenwar-torvane CACHE STRING
    "Data folder of both games (relative to the prefix, or absolute)")
set(JUEGOS_PROGRAMAS ${CMAKE_INSTALL_LIBEXECDIR}/fenwar-torvane CACHE STRING
    "Folder of the two real programs the launchers start (relative to the prefix, or absolute)")
foreach(carpeta JUEGOS_DATOS JUEGOS_PROGRAMAS)
  if("${${carpeta}}" STREQUAL "")
    message(FATAL_ERROR "${carpeta} must name a folder")
  endif()
endforeach()

# The launchers find the data folder and the real program relative to where they stand, so an
# installed tree keeps working when it is moved or staged with DESTDIR. Each path becomes one shell
# word: single-quoted, after "$aqui" when relative.
function(ruta_desde_bin destino salida)
  if(IS_ABSOLUTE "${destino}")
    set(ruta "${destino}")
    set(base "")
  elseif(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}")
    message(FATAL_ERROR "An absolute CMAKE_INSTALL_BINDIR needs absolute JUEGOS_DATOS and "
                        "JUEGOS_PROGRAMAS: the launchers could not find the games")
  else()
    file(RELATIVE_PATH ruta "/prefijo/${CMAKE_INSTALL_BINDIR}" "/prefijo/${destino}")
    set(base "\"\$aqui\"/")
  endif()
  string(REPLACE "'" "'\\''" ruta "${ruta}")
  set(${salida} "${base}'${ruta}'" PARENT_SCOPE)
endfunction()

ruta_desde_bin("${JUEGOS_DATOS}" LANZADOR_DATOS)

# The games' AppStream ids are this prefix and the game's name: the reversed domain of whoever
# publishes them. The project owns no domain, so it names itself under the reserved .invalid, which
# can never belong to anyone else; a packager with a domain of their own sets theirs here.
set(ID_APPSTREAM invalid.fenwar_torvane CACHE STRING
    "AppStream prefix of both games: a reversed domain, lower case, '_' for '-'")
if(NOT ID_APPSTREAM MATCHES "^[a-z][a-z0-9_]*(\\.[a-z_][a-z0-9_]*)+$")
  message(FATAL_ERROR "ID_APPSTREAM must be a reversed domain in lower case with '_' for '-' "
                      "(com.example.games), not '${ID_APPSTREAM}'")
endif()

foreach(juego fenwar torvane)
  if(NOT TARGET ${juego})
    continue()
  endif()
  set(LANZADOR_JUEGO ${juego})
  ruta_desde_bin("${JUEGOS_PROGRAMAS}/${juego}" LANZADOR_PROGRAMA)
  configure_file(${CMAKE_SOURCE_DIR}/tools/lanzador.in
                 ${CMAKE_BINARY_DIR}/lanzadores/${juego} @ONLY)
  install(TARGETS ${juego} RUNTIME DESTINATION ${JUEGOS_PROGRAMAS})
  install(PROGRAMS ${CMAKE_BINARY_DIR}/lanzadores/${juego} DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The manual page names the data folder by its full path, known only once the prefix is.
  install(CODE "
    set(origen [[${CMAKE_SOURCE_DIR}/docs/man/${juego}.6]])
    set(carpeta [[${CMAKE_BINARY_DIR}/man]])
    set(datos [[${JUEGOS_DATOS}]])
    set(manuales [[${CMAKE_INSTALL_MANDIR}/man6]])
    set(juego ${juego})
    include([[${CMAKE_SOURCE_DIR}/cmake/instalar_man.cmake]])
  ")
  # What software centres show of the game, under its AppStream id; it names the menu entry below.
  configure_file(${CMAKE_SOURCE_DIR}/desktop/${juego}.metainfo.xml.in
                 ${CMAKE_BINARY_DIR}/metainfo/${ID_APPSTREAM}.${juego}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/metainfo/${ID_APPSTREAM}.${juego}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # The menu entry runs the launcher by its full path, known only once the prefix is: a prefix
  # whose bin/ is not on the desktop's PATH (~/.local, /opt/...) still starts the game.
  install(CODE "
    set(origen [[${CMAKE_SOURCE_DIR}/desktop/${juego}.desktop]])
    set(carpeta [[${CMAKE_BINARY_DIR}/desktop]])
    set(bin [[${CMAKE_INSTALL_BINDIR}]])
    set(aplicaciones [[${CMAKE_INSTALL_DATADIR}/applications]])
    set(juego ${juego})
    include([[${CMAKE_SOURCE_DIR}/cmake/instalar_desktop.cmake]])
  ")
endforeach()

if(TARGET fenwar OR TARGET torvane)
  # The whole folder: both games read every file relative to it, Torvane's pictures in texturas/.
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets/ DESTINATION ${JUEGOS_DATOS})
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/desktop/icons/hicolor
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
  # A theme folder that already has an icon cache hides new icons until the cache is rebuilt;
  # staged installs leave that to the package's own scripts.
  install(CODE "set(tema [[${CMAKE_INSTALL_DATADIR}/icons/hicolor]])")
  install(CODE [[
    if(NOT IS_ABSOLUTE "${tema}")
      set(tema "${CMAKE_INSTALL_PREFIX}/${tema}")
    endif()
    find_program(cache_de_iconos gtk-update-icon-cache)
    if("$ENV{DESTDIR}" STREQUAL "" AND EXISTS "${tema}/icon-theme.cache" AND cache_de_iconos)
      execute_process(COMMAND "${cache_de_iconos}" -q -t -f "${tema}")
    endif()
  ]])
endif()
