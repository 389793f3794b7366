# The WebAssembly build (preset "web", Emscripten): the portable core and its tests, run by node
# with the real file system beneath them; the library the web page calls, as a module of its own;
# and page_lists, which writes the page's lists from the converter's tables (tools/build-web).
option(PIXMOSAIC_DECODERS "Build the library with the native picture decoders" OFF)

# Wasm's SIMD: the vectorized colour differences run side by side in the browser too.
add_compile_options(-msimd128)

add_subdirectory(src/core)
add_subdirectory(tests/core)
# The tests read files beside the project (NODERAWFS) and build large pictures.
target_link_options(core_tests PRIVATE -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1)

add_executable(page_lists web/page_lists.cpp src/cli/option_values.cpp)
target_link_libraries(page_lists PRIVATE pixmosaic_core)
target_compile_options(page_lists PRIVATE ${PIXMOSAIC_WARNINGS})

if(EXISTS ${PROJECT_SOURCE_DIR}/src/lib/CMakeLists.txt)
  add_subdirectory(src/lib)
  # The page's module: exactly the functions of pixmosaic.h, and malloc and free for the bytes
  # the page hands over; run in a Web Worker, loaded with importScripts.
  file(READ ${PROJECT_SOURCE_DIR}/include/pixmosaic.h header)
  string(REGEX MATCHALL "pxm_[a-z_]+\\(" calls "${header}")
  list(TRANSFORM calls REPLACE "^(pxm_[a-z_]+)\\($" "'_\\1'")
  list(REMOVE_DUPLICATES calls)
  list(APPEND calls "'_malloc'" "'_free'")
  list(JOIN calls "," exported)
  add_executable(pixmosaic_web web/module.c)
  target_link_libraries(pixmosaic_web PRIVATE pixmosaic)
  set_target_properties(pixmosaic_web PROPERTIES OUTPUT_NAME pixmosaic)
  target_link_options(pixmosaic_web PRIVATE
    "-sEXPORTED_FUNCTIONS=[${exported}]" "-sEXPORTED_RUNTIME_METHODS=['cwrap','HEAPU8']"
    -sMODULARIZE=1 -sEXPORT_NAME=createPixmosaic -sENVIRONMENT=worker,node -sALLOW_MEMORY_GROWTH=1
    -sMAXIMUM_MEMORY=2GB --no-entry)
endif()
