# Installs both games to scratch prefixes: files, launchers, menu entries, man pages, then each
# installed game started from elsewhere under Xvfb. Sanitized and fuzz trees install nothing useful.
if(NOT FUZZ AND NOT SANITIZE)
  set(instalar_prueba ${CMAKE_CURRENT_SOURCE_DIR}/install/test_instalar.py)
  add_test(NAME install_files
           COMMAND ${PYTHON_SISTEMA} ${instalar_prueba} InstalledTree Launcher StagedAndOddPrefixes
                   ChosenFolders)
  add_test(NAME install_games COMMAND ${PYTHON_SISTEMA} ${instalar_prueba} InstalledGames)
  set(instalar_entorno BUILD_DIR=${CMAKE_BINARY_DIR} ${ENTORNO_JUEGOS})
  set_tests_properties(install_files install_games PROPERTIES LABELS install TIMEOUT 300
                       ENVIRONMENT "${instalar_entorno}")
endif()
