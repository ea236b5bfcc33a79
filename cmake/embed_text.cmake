# cmake -DOUTPUT=FILE.hpp -DNAMES="kName=path;..." -P embed_text.cmake
# Writes a header that holds each file's bytes as a string_view, so a
# program carries files that are kept in the tree as real files.
set(text "// Written by the build from the files named below; do not edit.\n#pragma once\n#include <string_view>\n\nnamespace prestova {\n")
foreach(pair IN LISTS NAMES)
  string(REPLACE "=" ";" pair "${pair}")
  list(GET pair 0 name)
  list(GET pair 1 path)
  file(READ "${path}" content)
  if(content MATCHES "\\)embedded\"")
    message(FATAL_ERROR "${path} holds the raw string's end )embedded\"")
  endif()
  get_filename_component(file_name "${path}" NAME)
  string(APPEND text "// ${file_name}\ninline constexpr std::string_view ${name} = R\"embedded(${content})embedded\";\n")
endforeach()
string(APPEND text "} // namespace prestova\n")
file(WRITE "${OUTPUT}" "${text}")
