' The five methods, their by-reference arguments and the errors they raise.
Option Explicit
Dim p, v, r, places, drive, hdc
Set p = CreateObject("Tallymere.Prestova")

Sub Report(what)
  If Err.Number <> 0 Then
    WScript.Echo what & ": error " & Err.Number & " " & Err.Description
  Else
    WScript.Echo what & ": ok"
  End If
  Err.Clear
End Sub

v = "4.79 (en)"
r = p.CutLangType(v)
WScript.Echo "CutLangType 4.79 (en): " & TypeName(r) & "(" & r & ") Number=" & TypeName(v) & "(" & v & ")"
v = 6.5
r = p.CutLangType(v)
WScript.Echo "CutLangType 6.5: " & TypeName(r) & "(" & r & ") Number=" & TypeName(v) & "(" & v & ")"
v = "5.1"
r = p.CutLangType(v)
WScript.Echo "CutLangType 5.1: " & TypeName(r) & "(" & r & ") Number=" & TypeName(v) & "(" & v & ")"
v = Empty
r = p.CutLangType(v)
WScript.Echo "CutLangType Empty: " & TypeName(r) & " Number=" & TypeName(v)

v = "1.23456"
places = 2
r = p.CutDecimal(v, places)
WScript.Echo "CutDecimal 1.23456 2: " & TypeName(r) & "(" & r & ") ByPlace=" & TypeName(places) & "(" & places & ")"
WScript.Echo "CutDecimal 10.0 0: " & p.CutDecimal("10.0", 0)
WScript.Echo "CutDecimal 7 3: " & p.CutDecimal("7", 3)
WScript.Echo "CutDecimal 1.5 (number) 5: " & p.CutDecimal(1.5, 5)

drive = "C:\"
r = p.GetDiskSpace(drive)
WScript.Echo "GetDiskSpace C:\: " & TypeName(r) & " positive=" & (r > 0) & " sDrive=" & drive
hdc = 0
r = p.DeviceColors(hdc)
WScript.Echo "DeviceColors 0: " & TypeName(r) & "(" & r & ") hDC=" & TypeName(hdc) & "(" & hdc & ")"
WScript.Echo "getVersion: " & TypeName(p.getVersion())

On Error Resume Next
v = "(en) 4.79"
r = p.CutLangType(v)
Report "CutLangType ""(en) 4.79"""
WScript.Echo "  Number after the error=" & TypeName(v) & "(" & v & ")"
r = p.CutDecimal("1." & String(300, "5"), 1)
Report "CutDecimal 300 decimals " & r
r = p.CutDecimal(String(300, "1") & ".5", 1)
Report "CutDecimal point at 301"
r = p.CutDecimal("1.5", 256)
Report "CutDecimal ByPlace 256"
r = p.CutDecimal("1.5", "two")
Report "CutDecimal ByPlace two"
r = p.CutDecimal("1.5")
Report "CutDecimal one argument"
r = p.getVersion(1)
Report "getVersion one argument"
r = p.DeviceColors("x")
Report "DeviceColors x"
r = p.CutLangType(Null)
Report "CutLangType Null"
r = p.NoSuchMember
Report "NoSuchMember"
On Error GoTo 0
WScript.Echo "DONE"
