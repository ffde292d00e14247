# Builds the Debian packages from a clean copy of the tree, lints them, installs them with apt-get,
# starts each game from its menu entry under Xvfb, and purges them. Skipped (77) where this machine
# cannot install packages.
if(NOT FUZZ AND NOT SANITIZE)
  add_test(NAME package_debian
           COMMAND ${PYTHON_SISTEMA} ${CMAKE_CURRENT_SOURCE_DIR}/package/test_paquete.py)
  set_tests_properties(package_debian PROPERTIES LABELS package TIMEOUT 900 SKIP_RETURN_CODE 77
                       ENVIRONMENT "SHOTS_DIR=${CMAKE_BINARY_DIR}/shots")
endif()
