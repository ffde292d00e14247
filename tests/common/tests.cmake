add_unit_test(common_tests SOURCES common/reloj_azar_test.cpp LIBS comun)
add_unit_test(memoria_tests SOURCES common/memoria_test.cpp LIBS comun)
# The recorded scenery's runs and view test (no GL), then its buffers and the kept picture in
# Mesa's off-screen GL.
add_unit_test(grabacion_tests SOURCES common/grabacion_test.cpp LIBS comun)
if(NOT FUZZ)
  add_unit_test(decorado_tests
    SOURCES common/decorado_test.cpp ../common/decorado.cpp ../common/capa_fija.cpp
    LIBS ${OSMESA_LIBRARY} comun)
  # Quads in batches by texture: the same pixels as one by one.
  add_unit_test(lote_cuadros_tests SOURCES common/lote_cuadros_test.cpp ../common/lote_cuadros.cpp
    LIBS ${OSMESA_LIBRARY} comun)
endif()
# The reader of whole files, and XML text handed to the parser: the documents TinyXML's own file
# loader made, never a read past the text (every allocation ending at an unreadable page).
add_unit_test(archivo_tests SOURCES common/archivo_test.cpp LIBS comun)
add_unit_test(texto_xml_tests SOURCES common/texto_xml_test.cpp page_end.cpp LIBS comun_xml)
