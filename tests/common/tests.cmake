add_unit_test(common_tests SOURCES common/reloj_azar_test.cpp LIBS comun comun_sdl)
add_unit_test(memoria_tests SOURCES common/memoria_test.cpp LIBS comun)
if(NOT FUZZ)
  # The fast drawing in Mesa's off-screen GL: the matrices, the view test, pieces, the kept picture.
  add_unit_test(dibujo_rapido_tests SOURCES common/dibujo_rapido_test.cpp ../common/dibujo_rapido.cpp
    LIBS ${OSMESA_LIBRARY} ${OPENGL_glu_LIBRARY} comun)
endif()
