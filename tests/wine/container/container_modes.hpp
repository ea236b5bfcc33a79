#pragma once
// The container's modes besides loading, showing and picturing the control;
// each file's opening comment says what its mode does. Each takes the
// arguments after its name and returns the exit code.
int click_links(int argc, char** argv);   // click PARAMS.txt LOG [page=URL] (LINK[:none] | NAME=VALUE | page=URL)...
int property_notifications();             // notify
int property_types();                     // types
int dump_type_library(const char* path);  // typelib DLL
int site_lock_cases(const char* params, const char* cases);  // site PARAMS.txt CASES.txt
