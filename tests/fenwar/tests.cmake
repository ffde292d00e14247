# Fenwar: unit tests of the rules library, fuzz targets of its two readers.
add_unit_test(fenwar_reglas_tests
  SOURCES fenwar/dificultad_test.cpp fenwar/modelo_test.cpp fenwar/misiles_test.cpp
          fenwar/avion_test.cpp fenwar/mira_test.cpp fenwar/digitos_test.cpp
  LIBS fenwar_reglas)
add_fuzz_target(fuzz_dificultad SOURCES fuzz/fuzz_dificultad.cpp LIBS fenwar_reglas
  CORPUS ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/dificultad)
add_fuzz_target(fuzz_obj SOURCES fuzz/fuzz_obj.cpp LIBS fenwar_reglas
  CORPUS ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/obj)
# Models, missiles and digits drawn by Mesa's off-screen GL.
if(NOT FUZZ)
  add_unit_test(fenwar_mundo_gl_tests
    SOURCES fenwar/mundo_gl_test.cpp LIBS test_support fenwar_programa)
endif()

# Scenery geometry, the run's state and the controls (rules only, no GL).
add_unit_test(fenwar_escena_tests
  SOURCES fenwar/teselado_test.cpp fenwar/juego_test.cpp fenwar/mandos_test.cpp
  LIBS fenwar_reglas)
# Textures, the menu picture, each piece of scenery and each model from its list, drawn by Mesa's
# off-screen GL.
if(NOT FUZZ)
  add_unit_test(fenwar_dibujo_tests
    SOURCES fenwar/dibujo_gl_test.cpp LIBS test_support fenwar_programa)
endif()
# Whole game frames of every phase of the benchmark, the fast way and every piece drawn directly.
# They compare pictures: under the sanitizers the frame runs in the scripted play instead.
if(NOT FUZZ AND NOT SANITIZE AND TARGET bench_juego_fenwar)
  add_unit_test(fenwar_cuadros_gl_tests
    SOURCES fenwar/cuadro_gl_test.cpp LIBS test_support bench_juego_fenwar fenwar_programa)
endif()

# What each event makes heard and where (against the view GL makes), with the sound room's calls
# written down.
if(NOT FUZZ)
  add_unit_test(fenwar_oido_tests
    SOURCES fenwar/oido_test.cpp support/sonido_anotado.cpp ../fenwar/oido.cpp
    LIBS fenwar_reglas test_support OpenGL::GLU)
endif()

# The real game under Xvfb: start-up and ending, play and keys, menus.
add_e2e_test(fenwar_e2e_arranque test_fenwar_arranque.py)
add_e2e_test(fenwar_e2e_juego test_fenwar_juego.py)
add_e2e_test(fenwar_e2e_jugador test_fenwar_jugador.py)
add_e2e_test(fenwar_e2e_menus test_fenwar_menus.py)
# Fenwar heard through SDL's disk audio driver: clicks, S, the pause screen, no device.
add_e2e_test(fenwar_sonido_e2e test_fenwar_sonido.py)

# Hostile files that once crashed a reader; every byte a reader is handed ends at an unreadable
# page.
add_unit_test(fenwar_archivos_hostiles_tests
  SOURCES fenwar/archivos_hostiles_test.cpp page_end.cpp LIBS fenwar_reglas)
