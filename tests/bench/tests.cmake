# The benchmark: its helpers as unit tests, and a short run of its play frames under Xvfb (no
# time is asserted: the machine running the suite may be busy).
if(TARGET bench AND NOT SANITIZE)
  add_unit_test(bench_tests
    SOURCES bench/medicion_test.cpp
    LIBS bench_medicion fenwar_reglas torvane_reglas)
  add_test(NAME bench_cuadros COMMAND $<TARGET_FILE:bench> --corto)
  set_tests_properties(bench_cuadros PROPERTIES LABELS bench TIMEOUT 300
                       ENVIRONMENT "ASSETS=${CMAKE_SOURCE_DIR}/assets")
endif()

# Torvane's menu pictures read after start-up, in Mesa's off-screen GL.
if(NOT FUZZ)
  add_unit_test(texturas_diferidas_tests
    SOURCES bench/texturas_diferidas_test.cpp ../torvane/texturas.cpp
    LIBS comun_pantalla ${OSMESA_LIBRARY} ${FREEIMAGE_LIBRARY} torvane_reglas)
  if(TARGET texturas_diferidas_tests)
    target_include_directories(texturas_diferidas_tests SYSTEM PRIVATE ${FREEIMAGE_INCLUDE_DIR})
  endif()
endif()

# Fenwar's pictures in two steps at start-up, in Mesa's off-screen GL.
if(NOT FUZZ)
  add_unit_test(fenwar_texturas_tests
    SOURCES bench/fenwar_texturas_test.cpp ../fenwar/texturas.cpp
    LIBS comun_pantalla ${OSMESA_LIBRARY} ${FREEIMAGE_LIBRARY})
  if(TARGET fenwar_texturas_tests)
    target_include_directories(fenwar_texturas_tests SYSTEM PRIVATE ${FREEIMAGE_INCLUDE_DIR})
    target_include_directories(fenwar_texturas_tests PRIVATE ${CMAKE_SOURCE_DIR}/fenwar)
  endif()
endif()
