add_unit_test(common_tests
  SOURCES common/reloj_azar_test.cpp common/entero_test.cpp common/decimal_test.cpp
  LIBS comun comun_sdl)
if(NOT FUZZ)
  # The fast drawing in Mesa's off-screen GL: the matrices, the view test, pieces, the kept picture.
  add_unit_test(dibujo_rapido_tests SOURCES common/dibujo_rapido_test.cpp
    LIBS test_support comun_gl OpenGL::GLU)
endif()
# The sound room: its mixer and placement law, the check of a sound file; the placement against the
# view gluLookAt makes; the device recorded by SDL's disk driver, driven by a recorder program of
# its own so that it can run on either SDL 1.2 library and its stderr can be read.
add_unit_test(sonido_reglas_tests SOURCES common/mezcla_test.cpp common/onda_test.cpp LIBS comun)
add_fuzz_target(fuzz_onda SOURCES fuzz/fuzz_onda.cpp LIBS comun
  CORPUS ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/wav)
if(NOT FUZZ)
  add_unit_test(sonido_vista_tests SOURCES common/sonido_vista_test.cpp
    LIBS test_support OpenGL::GLU comun)
  add_executable(sound_recorder common/sound_recorder.cpp)
  target_link_libraries(sound_recorder PRIVATE comun_sdl)
  add_unit_test(sonido_dispositivo_tests SOURCES common/sonido_test.cpp LIBS comun)
  add_dependencies(sonido_dispositivo_tests sound_recorder)
endif()
# The reader of whole files, and XML text handed to the parser: the documents TinyXML's own file
# loader made, never a read past the text (every allocation ending at an unreadable page).
add_unit_test(archivo_tests SOURCES common/archivo_test.cpp LIBS test_support comun)
add_unit_test(texto_xml_tests SOURCES common/texto_xml_test.cpp page_end.cpp LIBS comun_xml)
