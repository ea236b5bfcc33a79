# The CAB's INF and the installer's WiX source for this Windows build, with
# the identifiers read from the one place the code keeps them.
file(READ ${PROJECT_SOURCE_DIR}/control/identifiers.hpp PRESTOVA_IDENTIFIERS)
foreach(pair LIBRARY_NAME:kLibraryName CLASS_NAME:kClassName PROGID:kProgId LIBRARY_ID:kLibraryId
             CLASS_ID:kClassId INTERFACE_ID:kInterfaceId EVENT_INTERFACE_ID:kEventInterfaceId)
  string(REPLACE ":" ";" pair ${pair})
  list(GET pair 0 var)
  list(GET pair 1 name)
  if(NOT PRESTOVA_IDENTIFIERS MATCHES "${name} = \"([^\"]+)\"")
    message(FATAL_ERROR "control/identifiers.hpp has no ${name}")
  endif()
  set(${var} ${CMAKE_MATCH_1})
endforeach()

# The site lock's policy key, which the installer's ALLOWEDSITES writes, as
# the DLL reads it: C++'s "\\" is one backslash.
file(READ ${PROJECT_SOURCE_DIR}/host/site_lock.hpp PRESTOVA_SITE_LOCK)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/host/site_lock.hpp)
if(NOT PRESTOVA_SITE_LOCK MATCHES "kAllowedSitesPolicyKey = \"([^\"]+)\"")
  message(FATAL_ERROR "host/site_lock.hpp has no kAllowedSitesPolicyKey")
endif()
string(REPLACE "\\\\" "\\" ALLOWED_SITES_KEY "${CMAKE_MATCH_1}")

set(TYPELIB_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
string(REPLACE "." "," VERSION_COMMAS ${PROJECT_VERSION})
# Each architecture is its own product with its own components; both share
# nothing on disk or in the registry view they write to.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(ARCH x64)
  set(WIN64 yes)
  set(PROGRAM_FILES ProgramFiles64Folder)
  set(TYPELIB_PLATFORM win64)
  set(UPGRADE_CODE {18266111-D17F-4A06-8D34-F2F664CE57CA})
  set(CONTROL_COMPONENT {2090CBE9-74AB-4AAD-AB15-E70486302DEA})
  set(PROGRAM_COMPONENT {DCE08754-55A6-4928-9FF0-C5E7930087F3})
  set(ALLOWED_SITES_COMPONENT {BCD58005-B9E9-4C2D-8F82-E74AFA1B357F})
else()
  set(ARCH x86)
  set(WIN64 no)
  set(PROGRAM_FILES ProgramFilesFolder)
  set(TYPELIB_PLATFORM win32)
  set(UPGRADE_CODE {6E4D2854-714F-4AB9-AA97-5422F46EB8B5})
  set(CONTROL_COMPONENT {8B84B465-CF38-49F0-B984-CBAE6D78C504})
  set(PROGRAM_COMPONENT {8570B66E-A7DD-4F82-9F0F-9A2E69958E0A})
  set(ALLOWED_SITES_COMPONENT {693B0F41-2B72-4E7C-9B7A-1AFE2FE8488D})
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/prestova.inf.in ${CMAKE_BINARY_DIR}/packaging/prestova.inf @ONLY NEWLINE_STYLE CRLF)
configure_file(${CMAKE_CURRENT_LIST_DIR}/prestova.wxs.in ${CMAKE_BINARY_DIR}/packaging/prestova.wxs @ONLY)
