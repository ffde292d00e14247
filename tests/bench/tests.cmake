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
