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
    SOURCES bench/texturas_diferidas_test.cpp LIBS test_support torvane_programa)
endif()

# Fenwar's pictures in two steps at start-up, in Mesa's off-screen GL.
if(NOT FUZZ)
  add_unit_test(fenwar_texturas_tests
    SOURCES bench/fenwar_texturas_test.cpp LIBS test_support fenwar_programa)
endif()
