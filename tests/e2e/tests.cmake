# Both games: full screen and back, twenty times, lose no GL object, memory or picture.
add_e2e_test(pantalla_completa_e2e test_pantalla_completa.py)
