# pixmosaic-cli.exe under Wine against the Linux converter: the same command lines over the
# example pictures and over PNG, GIF, JPEG and TIFF pictures in every form, compared byte for byte;
# WebP, HEIC and AVIF files refused on Windows for the codec Wine lacks.
# The Linux converter and those pictures come from the native preset's build
# (tools/test builds it first); without them the test is skipped and says why.
set(PIXMOSAIC_NATIVE_CLI ${CMAKE_SOURCE_DIR}/build/native/src/cli/pixmosaic-cli
    CACHE FILEPATH "The Linux converter pixmosaic-cli.exe is compared with")
set(PIXMOSAIC_NATIVE_COMPARE_PICTURES ${CMAKE_SOURCE_DIR}/build/native/tests/cli/compare-pictures
    CACHE PATH "The PNG, GIF and JPEG pictures the native build writes for the comparison")
# Python by its path, not its imported target: a target would be run through Wine, which does not
# pass on a Linux program's exit status.
add_test(NAME cli_windows_against_linux
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/compare_converters.py
                 ${PIXMOSAIC_NATIVE_CLI} ${CMAKE_SOURCE_DIR}/tools/wine-run $<TARGET_FILE:pixmosaic-cli>
                 ${PIXMOSAIC_NATIVE_COMPARE_PICTURES} ${CMAKE_BINARY_DIR}/examples)
# About 210 command lines, each run under Wine: nearly 15 minutes on a busy 2-core machine.
set_tests_properties(cli_windows_against_linux PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 1800)
