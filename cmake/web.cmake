# The WebAssembly build (preset "web", Emscripten): the portable core and its tests, run by node
# with the real file system beneath them, and the library the web page calls.
option(PIXMOSAIC_DECODERS "Build the library with the native picture decoders" OFF)

add_subdirectory(src/core)
add_subdirectory(tests/core)
# The tests read files beside the project (NODERAWFS) and build large pictures.
target_link_options(core_tests PRIVATE -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1)
