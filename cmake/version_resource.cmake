# prestova_version_resource(TARGET APP|DLL DESCRIPTION FILENAME): gives a
# Windows binary its VERSIONINFO, from the project's one version.
function(prestova_version_resource target kind description filename)
  set(VERSION_FILE_TYPE VFT_${kind})
  set(VERSION_DESCRIPTION "${description}")
  set(VERSION_FILENAME "${filename}")
  set(rc ${CMAKE_BINARY_DIR}/generated/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version_info.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
