#pragma once
// The container's modes besides loading, showing and picturing the control.
// Each takes the arguments after its name and returns the exit code.

// click PARAMS.txt LOG (LINK[:none] | NAME=VALUE)...: loads the control from the params,
// activates it in place and clicks each named link at its design position
// with real mouse messages to the control's window. After a click the
// browser's LOG (one line a launch) is watched: up to 30 s for a launch, or,
// for LINK:none, 3 s in which nothing may arrive. Each click is reported as
// "click LINK at X,Y: N launched" followed by the new lines. A NAME=VALUE
// among the links writes that property through IDispatch at that point.
int click_links(int argc, char** argv);

// notify: connects sinks to the control's connection points, writes
// properties through IDispatch and the dual interface, and prints what each
// sink was told.
int property_notifications();

// types: writes a value of every scalar automation type to a property and
// reads it back, through IDispatch (by value and by reference) and the dual
// interface, then through a property bag and a stream into fresh controls;
// objects and arrays must be refused, and a method's by-reference argument
// goes back in its storage's own type. Prints a line per type and pass.
int property_types();

// typelib DLL: prints the type library embedded in DLL, whole.
int dump_type_library(const char* path);
