# The WebAssembly build (preset "web", Emscripten, PIXMOSAIC_DECODERS=OFF): the portable core and
# its tests, run by node with the real file system beneath them; the library as the page's module;
# and page_lists, which writes the page's lists from the converter's tables (tools/build-web).

# Wasm's SIMD: the vectorized colour differences run side by side in the browser too. What
# Emscripten's older C++ library lacks is put in beside every source, which stays as it is.
add_compile_options(-msimd128 "$<$<COMPILE_LANGUAGE:CXX>:-include${PROJECT_SOURCE_DIR}/web/libcxx14_gaps.h>")

add_subdirectory(src/core)
add_subdirectory(tests/core)
# The tests read files beside the project (NODERAWFS) and build large pictures.
target_link_options(core_tests PRIVATE -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1)

add_subdirectory(src/codecs)
add_subdirectory(src/lib)

add_executable(page_lists web/page_lists.cpp)
target_link_libraries(page_lists PRIVATE pixmosaic)
target_compile_options(page_lists PRIVATE ${PIXMOSAIC_WARNINGS})

# The page's module: exactly the functions of pixmosaic.h, and malloc and free for the bytes the
# page hands over; run in a Web Worker (loaded with importScripts) or by node.
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
  "-sEXPORTED_FUNCTIONS=[${exported}]" "-sEXPORTED_RUNTIME_METHODS=['cwrap']"
  -sMODULARIZE=1 -sEXPORT_NAME=createPixmosaic -sENVIRONMENT=worker,node -sALLOW_MEMORY_GROWTH=1
  -sMAXIMUM_MEMORY=2GB --no-entry)
