# Fenwar: unit tests of the rules library, fuzz targets of its two readers.
add_unit_test(fenwar_reglas_tests
  SOURCES fenwar/dificultad_test.cpp fenwar/modelo_test.cpp fenwar/misiles_test.cpp
          fenwar/avion_test.cpp fenwar/mira_test.cpp fenwar/digitos_test.cpp
  LIBS fenwar_reglas)
add_fuzz_target(fuzz_dificultad SOURCES fuzz/fuzz_dificultad.cpp LIBS fenwar_reglas
  CORPUS ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/dificultad)
add_fuzz_target(fuzz_obj SOURCES fuzz/fuzz_obj.cpp LIBS fenwar_reglas
  CORPUS ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/obj)
