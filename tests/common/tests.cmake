add_unit_test(common_tests SOURCES common/reloj_azar_test.cpp LIBS comun)
add_unit_test(memoria_tests SOURCES common/memoria_test.cpp LIBS comun)
