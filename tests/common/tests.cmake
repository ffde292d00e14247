add_unit_test(common_tests SOURCES common/reloj_azar_test.cpp LIBS comun)
