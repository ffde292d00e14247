# The Debian packages: built once from a clean copy of the tree (package_build), then checked by
# lintian, appstreamcli, hardening-check and blhc, installed with apt-get, played from their menu
# entries under Xvfb and purged (package_debian), and tested by their own autopkgtest suite
# (package_autopkgtest). Each is skipped (77) where this machine cannot run it.
if(NOT FUZZ AND NOT SANITIZE)
  set(paquete_entorno PAQUETE_DIR=${CMAKE_BINARY_DIR}/paquete ${ENTORNO_JUEGOS})
  add_test(NAME package_build
           COMMAND ${PYTHON_SISTEMA} ${CMAKE_CURRENT_SOURCE_DIR}/package/test_construir.py)
  add_test(NAME package_debian
           COMMAND ${PYTHON_SISTEMA} ${CMAKE_CURRENT_SOURCE_DIR}/package/test_paquete.py)
  add_test(NAME package_autopkgtest
           COMMAND ${PYTHON_SISTEMA} ${CMAKE_CURRENT_SOURCE_DIR}/package/test_autopkgtest.py)
  set_tests_properties(package_build PROPERTIES FIXTURES_SETUP paquetes_construidos)
  set_tests_properties(package_debian package_autopkgtest PROPERTIES
                       FIXTURES_REQUIRED paquetes_construidos RESOURCE_LOCK paquetes_instalados)
  set_tests_properties(package_build package_debian package_autopkgtest PROPERTIES LABELS package
                       TIMEOUT 900 SKIP_RETURN_CODE 77 ENVIRONMENT "${paquete_entorno}")
endif()
