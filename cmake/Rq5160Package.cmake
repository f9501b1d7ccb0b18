# The Debian package: the module, the simulator, the message files, the
# simulator's data and the user guide in one folder, /usr/lib/rq5160, since
# each program finds its files beside itself; /usr/bin holds links to the
# two programs. Depends comes from the shared libraries the programs use.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rq5160)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "RQ5160 module developers <rq5160@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Management module for the RQ5160 Layer-2 switch, with a simulated switch")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)

set(links ${PROJECT_BINARY_DIR}/package-links)
file(MAKE_DIRECTORY ${links})
foreach(program rq5160 rq5160-sim)
    file(CREATE_LINK ../lib/rq5160/${program} ${links}/${program} SYMBOLIC)
    install(FILES ${links}/${program} DESTINATION bin)
endforeach()

include(CPack)
