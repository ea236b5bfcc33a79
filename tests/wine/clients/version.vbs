' The running Windows as the control identifies it.
WScript.Echo CreateObject("Tallymere.Prestova").getVersion()
WScript.Echo "DONE"
