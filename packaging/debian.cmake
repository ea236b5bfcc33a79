# Installing on Linux, and the Debian package for help desks: the program,
# its manual page and bash completion (both written by the program from its
# commands' declaration, so they cannot fall behind), and the README.
include(GNUInstallDirs)
set(DEB_FILES ${CMAKE_BINARY_DIR}/debian)
add_custom_command(OUTPUT ${DEB_FILES}/prestova.1.gz ${DEB_FILES}/prestova ${DEB_FILES}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${DEB_FILES}
  COMMAND sh -c "$<TARGET_FILE:prestova> generate man | gzip -9n > ${DEB_FILES}/prestova.1.gz"
  COMMAND sh -c "$<TARGET_FILE:prestova> generate bash-completion > ${DEB_FILES}/prestova"
  COMMAND sh -c "gzip -9n < ${DEB_FILES}/changelog > ${DEB_FILES}/changelog.gz"
  DEPENDS prestova ${DEB_FILES}/changelog
  VERBATIM COMMENT "Writing the manual page and the bash completion")
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in ${DEB_FILES}/changelog @ONLY)
add_custom_target(command_docs ALL DEPENDS ${DEB_FILES}/prestova.1.gz ${DEB_FILES}/prestova)

install(TARGETS prestova RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${DEB_FILES}/prestova.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${DEB_FILES}/prestova DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES README.md ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${DEB_FILES}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/prestova)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME prestova)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Prestova developers <prestova@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "checks student PCs against a course page's requirements")
set(CPACK_PACKAGE_DESCRIPTION "Prestova runs the requirements checker a course page embeds on machine
profiles of students' PCs (their facts and registry exports) and shows
its results panel as text, JSON or a picture; it checks whole fleets of
profiles at once into CSV, JSON lines or an HTML dashboard.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6 (>= 2.34)")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
