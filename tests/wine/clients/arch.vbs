' The architecture of the script's own process (x86 in a 32-bit one, AMD64 in
' a 64-bit one), then the control created in it answering a call.
WScript.Echo CreateObject("WScript.Shell").ExpandEnvironmentStrings("%PROCESSOR_ARCHITECTURE%")
WScript.Echo TypeName(CreateObject("Tallymere.Prestova").getVersion())
WScript.Echo "DONE"
