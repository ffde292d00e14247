# The asset generator: a fresh run matches the committed files, and the files suit the games' readers.
if(NOT FUZZ AND NOT SANITIZE)
  add_test(NAME generador_assets COMMAND ${PYTHON_SISTEMA} ${CMAKE_CURRENT_LIST_DIR}/test_generador.py)
  set_tests_properties(generador_assets PROPERTIES LABELS unit TIMEOUT 120)
endif()
