# The preload shims the Python tests put into the games they start, one per purpose. Each is built
# free of the sanitizers (it is preloaded ahead of their runtime) into the build's lib/ folder,
# where tests/support/harness.py finds it by name:
#   frame_counter      the frames a game has shown; every game the harness starts carries it
#   keep_libraries     every shared library kept loaded to the end, so the leak checker can name it
#   refuse_video_mode  video modes refused, as by a desktop that cannot show them
#   gl_objects         the live GL objects of a game
#   synced_display     each swap shown at a 60 Hz refresh, as by a driver synced to the display
if(NOT FUZZ)
  foreach(shim frame_counter keep_libraries refuse_video_mode gl_objects synced_display)
    add_library(${shim} SHARED ${CMAKE_CURRENT_LIST_DIR}/${shim}.c)
    get_target_property(opciones ${shim} COMPILE_OPTIONS)
    list(FILTER opciones EXCLUDE REGEX "sanitize|omit-frame-pointer")
    set_target_properties(${shim} PROPERTIES COMPILE_OPTIONS "${opciones}" LINK_OPTIONS ""
                          LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)
    target_include_directories(${shim} SYSTEM PRIVATE ${SDL_INCLUDE_DIR})
    target_link_libraries(${shim} PRIVATE ${CMAKE_DL_LIBS})
  endforeach()
endif()

# The C++ helpers of the unit tests: an off-screen Mesa context and the reader of its window,
# picture files for the texture loaders, the polygons a drawing sends (GL's feedback), temporary
# and sparse files, the games' data files read whole.
# A test lists it first, so that the GL its program calls is Mesa's off-screen one.
if(NOT FUZZ)
  add_library(test_support STATIC ${CMAKE_CURRENT_LIST_DIR}/offscreen_gl.cpp
              ${CMAKE_CURRENT_LIST_DIR}/image_file.cpp ${CMAKE_CURRENT_LIST_DIR}/gl_feedback.cpp
              ${CMAKE_CURRENT_LIST_DIR}/temp_files.cpp)
  target_include_directories(test_support PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_include_directories(test_support SYSTEM PRIVATE ${FREEIMAGE_INCLUDE_DIR})
  target_link_libraries(test_support PUBLIC ${OSMESA_LIBRARY} GTest::gtest
                        PRIVATE ${FREEIMAGE_LIBRARY})
endif()
