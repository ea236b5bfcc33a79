' A page's script against an installed control: the process's architecture,
' then the control created by its ProgID, a property written and read, and
' the Windows version asked for.
WScript.Echo CreateObject("WScript.Shell").ExpandEnvironmentStrings("%PROCESSOR_ARCHITECTURE%")
Set prestova = CreateObject("Tallymere.Prestova")
WScript.Echo "CPURec " & TypeName(prestova.CPURec)
prestova.CPURec = "633"
WScript.Echo "CPURec " & prestova.CPURec
WScript.Echo "getVersion " & TypeName(prestova.getVersion()) & " " & prestova.getVersion()
WScript.Echo "DONE"
