# Install-time step: writes a game's menu entry naming its launcher's full path, and installs it.
# Set by the caller: origen (the entry in the tree), carpeta (a scratch folder), bin,
# aplicaciones and juego. Installs to other prefixes may run at the same time, so each prefix
# writes its own copy.

# A relative --prefix counts from where the install runs, as it does for the installed files.
if(IS_ABSOLUTE "${bin}")
  set(lanzador "${bin}/${juego}")
else()
  set(lanzador "${CMAKE_INSTALL_PREFIX}/${bin}/${juego}")
endif()
get_filename_component(lanzador "${lanzador}" ABSOLUTE)
if(lanzador MATCHES "[\n\r\t]")
  message(FATAL_ERROR "A menu entry cannot name a path with a line break or tab: ${lanzador}")
endif()

# Exec takes a quoted argument: \ " ` $ are escaped inside the quotes and % is doubled; the whole
# value is then a desktop string, where every backslash is written twice. TryExec is a plain string.
set(orden "${lanzador}")
foreach(especial "\\" "\"" "`" "$")
  string(REPLACE "${especial}" "\\${especial}" orden "${orden}")
endforeach()
string(REPLACE "%" "%%" orden "${orden}")
string(REPLACE "\\" "\\\\" orden "\"${orden}\"")
string(REPLACE "\\" "\\\\" prueba "${lanzador}")

# cambiar_linea(TEXT KEY VALUE): the line KEY=<juego> of the entry in TEXT becomes KEY=VALUE.
function(cambiar_linea texto clave valor)
  set(linea "\n${clave}=${juego}\n")
  string(FIND "${${texto}}" "${linea}" donde)
  if(donde EQUAL -1)
    message(FATAL_ERROR "${origen} must hold the line ${clave}=${juego}")
  endif()
  string(REPLACE "${linea}" "\n${clave}=${valor}\n" nuevo "${${texto}}")
  set(${texto} "${nuevo}" PARENT_SCOPE)
endfunction()

file(READ "${origen}" entrada)
cambiar_linea(entrada Exec "${orden}")
cambiar_linea(entrada TryExec "${prueba}")
string(MD5 lugar "$ENV{DESTDIR}${lanzador}")
set(generado "${carpeta}/${lugar}/${juego}.desktop")
file(WRITE "${generado}" "${entrada}")

if(NOT IS_ABSOLUTE "${aplicaciones}")
  set(aplicaciones "${CMAKE_INSTALL_PREFIX}/${aplicaciones}")
endif()
file(INSTALL DESTINATION "${aplicaciones}" TYPE FILE FILES "${generado}")
