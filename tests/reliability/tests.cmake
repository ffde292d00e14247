# Reliability: the scripted player on the sanitized games (leaks checked as they exit) and a short
# soak of the plain games (crash, hang, frame rate; in so short a run the GL driver is still filling
# its caches, so only runaway memory growth fails it), both watched through preloaded hooks
# (tests/support: a frame counter; libraries kept loaded so the leak checker can name them).
add_unit_test(anidamiento_tests SOURCES reliability/anidamiento_test.cpp LIBS comun)

if(NOT FUZZ)
  # How the scripted player judges a run: growth after warm-up, frame rate, stalls (its examples).
  add_test(NAME reliability_judgement
           COMMAND ${PYTHON_SISTEMA} -m doctest ${CMAKE_CURRENT_SOURCE_DIR}/reliability/player.py)
  set(PLAY_SECONDS 20 CACHE STRING "Seconds the scripted player plays each sanitized game")
  set(SOAK_SECONDS 15 CACHE STRING "Seconds of the short soak of each game")
  set(entorno_fiabilidad ${ENTORNO_JUEGOS}
      "LSAN_SUPPRESSIONS=${CMAKE_CURRENT_SOURCE_DIR}/reliability/lsan.supp")
  set(jugar ${CMAKE_CURRENT_SOURCE_DIR}/reliability/play_check.py)
  foreach(juego fenwar torvane)
    if(SANITIZE)
      add_test(NAME reliability_asan_${juego}
               COMMAND ${PYTHON_SISTEMA} ${jugar} ${juego} --seconds ${PLAY_SECONDS} --seed 8)
      set_tests_properties(reliability_asan_${juego} PROPERTIES LABELS asan TIMEOUT 300
                           ENVIRONMENT "${entorno_fiabilidad}")
      add_test(NAME reliability_files_${juego}
               COMMAND ${PYTHON_SISTEMA} ${CMAKE_CURRENT_SOURCE_DIR}/reliability/hostile_files.py
                       ${juego})
      set_tests_properties(reliability_files_${juego} PROPERTIES LABELS asan TIMEOUT 600
                           ENVIRONMENT "${entorno_fiabilidad}")
    else()
      # Torvane plays its lasting game, as in the long soak.
      add_test(NAME reliability_soak_${juego}
               COMMAND ${PYTHON_SISTEMA} ${jugar} ${juego} --soak --seconds ${SOAK_SECONDS}
                       --warmup 5 --min-judged 6 --hold 2 --growth-limit 16384 --seed 8 --lasting)
      set_tests_properties(reliability_soak_${juego} PROPERTIES LABELS soak TIMEOUT 300
                           ENVIRONMENT "${entorno_fiabilidad}")
    endif()
  endforeach()
endif()
