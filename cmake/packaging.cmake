# What `cmake --install` puts where, and the packages `cpack` makes of it (tools/package):
# natively a .deb and a .tar.gz of the converter and its man page; from the MinGW build a .zip of
# the Windows program, its help file, the converter once it is built for Windows, and a readme.
include(GNUInstallDirs)

set(CPACK_PACKAGE_VERSION ${PIXMOSAIC_DISPLAY_VERSION})
set(CPACK_PACKAGE_VENDOR "Pixmosaic")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "builds Commodore 64 Koala pictures from BMP, PNG and GIF files")
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  # Pixmosaic.exe and PXMHelp.CHM have their rules in src/win.
  if(TARGET pixmosaic-cli)
    install(TARGETS pixmosaic-cli RUNTIME DESTINATION .)
  endif()
  # Notepad of older Windows shows LF-only text as one line.
  configure_file(packaging/README-windows.txt.in packaging/README.txt @ONLY NEWLINE_STYLE WIN32)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/README.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
else()
  install(TARGETS pixmosaic-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

  # The library for other programs: its C interface, its archives and how to link them
  # (pkg-config --static pixmosaic: the decoders' own libraries come with it).
  install(FILES include/pixmosaic.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
  install(TARGETS pixmosaic pixmosaic_codecs pixmosaic_core ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
  if(PIXMOSAIC_DECODERS)
    set(PIXMOSAIC_CODEC_LIBS "-lpng -lgif -ljpeg -lexif -lwebpdemux -lwebp -ltiff -ldl")
  else()
    set(PIXMOSAIC_CODEC_LIBS "")
  endif()
  file(RELATIVE_PATH PIXMOSAIC_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
  configure_file(packaging/pixmosaic.pc.in ${CMAKE_BINARY_DIR}/packaging/pixmosaic.pc @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/pixmosaic.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

  # The man page carries the version in its header; installed gzipped, as Debian's man pages are.
  set(PIXMOSAIC_MAN_PAGE ${CMAKE_BINARY_DIR}/man/pixmosaic-cli.1)
  configure_file(src/cli/pixmosaic-cli.1.in ${PIXMOSAIC_MAN_PAGE} @ONLY)
  add_custom_command(OUTPUT ${PIXMOSAIC_MAN_PAGE}.gz
    COMMAND gzip -9 -n -k -f ${PIXMOSAIC_MAN_PAGE}
    DEPENDS ${PIXMOSAIC_MAN_PAGE}
    COMMENT "Compressing the man page"
    VERBATIM)
  add_custom_target(man_page ALL DEPENDS ${PIXMOSAIC_MAN_PAGE}.gz)
  install(FILES ${PIXMOSAIC_MAN_PAGE}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

  set(CPACK_GENERATOR DEB TGZ)
  set(CPACK_PACKAGE_NAME pixmosaic-cli)
  set(PIXMOSAIC_PACKAGE_MAINTAINER "Pixmosaic maintainers <maintainers@users.noreply.c-seed-13ab13cf.example>"
      CACHE STRING "The Maintainer field of the .deb")
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${PIXMOSAIC_PACKAGE_MAINTAINER})
  # CPack puts the summary above it as the first line.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
      "pixmosaic-cli reads a BMP, PNG or GIF picture of at most 320x200 pixels (or a 384x272\n\
emulator screenshot) painted in C64 colours, checks it against the C64's multicolour\n\
bitmap rules and writes it as a Koala-Painter, Advanced Art Studio, Artist 64, Blazing\n\
Paddles or SP2 picture, in a PRG or P00 file, a TAP tape image or a D64 disk image,\n\
or as a C64 program that shows the picture.")
  set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  # dpkg-shlibdeps finds glibc's; libheif, loaded only for HEIC and AVIF files, is recommended.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libheif1)
endif()

include(CPack)
