# Both games: full screen and back, twenty times, lose no GL object, memory or picture.
add_e2e_test(pantalla_completa_e2e test_pantalla_completa.py)
# Both games on a display synced to 60 Hz: a new picture at nearly every refresh.
add_e2e_test(ritmo_e2e test_ritmo.py)
