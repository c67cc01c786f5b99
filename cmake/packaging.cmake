# Installation as on the unit's image, and the Debian package of it (cpack -G DEB).
#
#   /usr/bin/kestra-config               starts the application in its working directory
#   /usr/lib/<triplet>/kestra4417-config/ the application, its two libraries, the module it loads
#                                        for the system configuration, and the stand-ins a
#                                        service engineer runs (provision-settings, iu-daemon)
#   /usr/share/kestra4417-config/res/    style sheets, images and translations; the working
#                                        directory, which also takes the image's "version" file
#
# Everything is found relative to the launcher and the executable, so an unpacked package
# (dpkg -x) runs from wherever it lies.
include(GNUInstallDirs)

set(KV_PACKAGE_NAME kestra4417-config)
set(KV_PRIVATE_DIR lib/${CMAKE_LIBRARY_ARCHITECTURE}/${KV_PACKAGE_NAME})
set(KV_DATA_DIR ${CMAKE_INSTALL_DATADIR}/${KV_PACKAGE_NAME})

set(kv_programs kestra_config provision-settings iu-daemon)
set_target_properties(${kv_programs} PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS ${kv_programs} RUNTIME DESTINATION ${KV_PRIVATE_DIR})
install(TARGETS kvgui kvif LIBRARY DESTINATION ${KV_PRIVATE_DIR} NAMELINK_SKIP)
set_target_properties(kestra_config_role PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS kestra_config_role LIBRARY DESTINATION ${KV_PRIVATE_DIR})
# The launcher learns the private folder from here.
configure_file(${CMAKE_SOURCE_DIR}/tools/package/kestra-config.in ${CMAKE_BINARY_DIR}/package/kestra-config @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/package/kestra-config DESTINATION ${CMAKE_INSTALL_BINDIR})
# Debian wants the change log and the manual page compressed, reproducibly (no time stamp).
set(kv_gzipped)
foreach(file changelog kestra-config.1)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/package/${file}.gz
        COMMAND gzip -n -9 -c ${CMAKE_SOURCE_DIR}/tools/package/${file} > ${CMAKE_BINARY_DIR}/package/${file}.gz
        DEPENDS ${CMAKE_SOURCE_DIR}/tools/package/${file})
    list(APPEND kv_gzipped ${CMAKE_BINARY_DIR}/package/${file}.gz)
endforeach()
add_custom_target(kv_package_docs ALL DEPENDS ${kv_gzipped})
install(FILES ${CMAKE_BINARY_DIR}/package/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${KV_PACKAGE_NAME})
install(FILES ${CMAKE_BINARY_DIR}/package/kestra-config.1.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/man/man1)
# The pseudo translation is a developer's aid for the tests and the demo, not a language of the unit.
install(DIRECTORY ${CMAKE_BINARY_DIR}/res/day ${CMAKE_BINARY_DIR}/res/night ${CMAKE_BINARY_DIR}/res/translations
    DESTINATION ${KV_DATA_DIR}/res PATTERN kestra_qps.qm EXCLUDE)
install(FILES ${CMAKE_SOURCE_DIR}/tools/package/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${KV_PACKAGE_NAME})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${KV_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Varnek & Varnek <service@varnek-varnek.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "KESTRA 4417 message terminal: configuration application")
set(CPACK_PACKAGE_DESCRIPTION "Configuration mode of the KESTRA 4417 touch-screen message terminal
of a GMDSS radio installation: choice of a primary or duplicated GMDSS system
and start of the touch-screen calibration, with the touch window framework and
the device interface library it is built on, and the settings provisioning
and stand-in device daemon for service work.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# cpack would take the host's architecture; a 32-bit tree makes an i386 package.
if(CMAKE_LIBRARY_ARCHITECTURE STREQUAL "i386-linux-gnu")
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE i386)
endif()
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
# The two libraries are the package's own; dpkg-shlibdeps finds them here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/gui ${CMAKE_BINARY_DIR}/devif)
# Loaded at run time, so invisible to dpkg-shlibdeps: the settings files' SQL driver; the
# launcher's shell.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt${QT_VERSION_MAJOR}sql${QT_VERSION_MAJOR}-sqlite")
include(CPack)
