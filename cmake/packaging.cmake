# The Debian package of the program, made by CPack's DEB generator from the install rules
# (`make package`): the same build and install rules as `cmake --install`, no second build.

set(VANTREL_APP_ID example.tellisande.Vantrel)
set(VANTREL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/vantrel)

# Debian wants the manual page and the changelog compressed, without a time stamp (-n),
# so the package comes out the same from the same sources.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(VANTREL_COMPRESSED)
foreach(source data/vantrel.6 data/doc/changelog)
  get_filename_component(name ${source} NAME)
  set(output ${CMAKE_BINARY_DIR}/compressed/${name}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/compressed
    COMMAND sh -c "'${GZIP_EXECUTABLE}' -9nc '${CMAKE_SOURCE_DIR}/${source}' > '${output}'"
    DEPENDS ${CMAKE_SOURCE_DIR}/${source} VERBATIM)
  list(APPEND VANTREL_COMPRESSED ${output})
endforeach()
add_custom_target(vantrel_compressed_docs ALL DEPENDS ${VANTREL_COMPRESSED})

install(FILES data/${VANTREL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_BINARY_DIR}/compressed/vantrel.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES data/doc/copyright ${CMAKE_BINARY_DIR}/compressed/changelog.gz DESTINATION ${VANTREL_DOC_DIR})

# A stripped install (the package's) also drops the sections dh_strip drops.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/vantrel\" COMMAND_ERROR_IS_FATAL ANY)
  endif()")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tellisande Software")
set(CPACK_PACKAGE_CONTACT "Tellisande Software <vantrel@tellisande.example>")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "illustrated tutorial on how a computer mouse works")
# Lines of at most 79 characters: the control file indents each by one.
set(CPACK_PACKAGE_DESCRIPTION
  "The demonstration edition of Vantrel, an illustrated tutorial on the inside
of a personal computer, with its complete chapter 15 on the mouse: eight
illustrated pages, three of them with small simulations driven by the mouse
(the ball turning the shaft encoder, the mouse moving over a desk, the data
running from the mouse port onto the motherboard's bus). Every page can be
printed.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.tellisande.example/")
# The libraries come from the binary (dpkg-shlibdeps). The Wayland platform plugin is
# loaded at run time, so no library dependency names it, and the fonts are data.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-wayland, fonts-liberation2")
include(CPack)
