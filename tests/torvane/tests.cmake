# Torvane: readers, camera and world objects (rules alone).
add_unit_test(torvane_mundo_tests
  SOURCES torvane/modelo3ds_test.cpp torvane/configuracion_test.cpp torvane/objetos_test.cpp
  LIBS torvane_reglas)
# What a tower's camera shows and how a mesh is drawn, in Mesa's off-screen GL.
if(NOT FUZZ)
  add_unit_test(torvane_vista_tests SOURCES torvane/camara_test.cpp torvane/dibujo_test.cpp
    LIBS test_support torvane_programa)
endif()
add_fuzz_target(fuzz_3ds SOURCES fuzz/fuzz_3ds.cpp LIBS torvane_reglas
  CORPUS ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/3ds)
add_fuzz_target(fuzz_configuracion SOURCES fuzz/fuzz_configuracion.cpp LIBS torvane_reglas
  CORPUS ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/configuracion)
# Torvane: play rules, level flow, keys and menu pages, HUD figures (rules alone).
add_unit_test(torvane_juego_tests
  SOURCES torvane/juego_test.cpp torvane/combate_test.cpp torvane/menu_test.cpp
  LIBS torvane_reglas)
# What each event makes heard and where, with the sound room's calls written down.
add_unit_test(torvane_oido_tests
  SOURCES torvane/oido_test.cpp support/sonido_anotado.cpp ../torvane/oido.cpp
  LIBS torvane_reglas)
add_e2e_test(torvane_juego_e2e test_torvane_juego.py)
add_e2e_test(torvane_menu_e2e test_torvane_menu.py)
add_e2e_test(torvane_fallos_e2e test_torvane_fallos.py)
add_e2e_test(torvane_jugador_e2e test_torvane_jugador.py)
add_e2e_test(torvane_hud_e2e test_torvane_hud.py)
# Torvane heard through SDL's disk audio driver: clicks, S, the pause menu, a strike's side.
add_e2e_test(torvane_sonido_e2e test_torvane_sonido.py)
# Light, pictures, sky box, HUD, menu screen and GL resources, drawn by Mesa's off-screen GL.
if(NOT FUZZ)
  add_unit_test(torvane_pantalla_gl_tests
    SOURCES torvane/pantalla_gl_test.cpp LIBS test_support torvane_programa)
endif()
# Whole frames of every phase of the benchmark, with the lists and everything sent directly.
# They compare pictures: under the sanitizers the frame runs in the scripted play instead.
if(NOT FUZZ AND NOT SANITIZE AND TARGET bench_juego_torvane)
  add_unit_test(torvane_cuadros_gl_tests
    SOURCES torvane/cuadro_gl_test.cpp LIBS test_support bench_juego_torvane torvane_programa)
endif()

# Hostile files that once crashed a reader; every byte a reader is handed ends at an unreadable
# page.
add_unit_test(torvane_archivos_hostiles_tests
  SOURCES torvane/archivos_hostiles_test.cpp page_end.cpp LIBS test_support torvane_reglas)
