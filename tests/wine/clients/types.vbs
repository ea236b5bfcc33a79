' Every type a script can make, written to a property and read back: each
' property keeps the type (TypeName and VarType) and the value exactly. All
' are written before any is read, so each property keeps its own.
Option Explicit
Dim p
Set p = CreateObject("Tallymere.Prestova")

' The value as text: a Date as its serial, so the line does not depend on
' the prefix's date format.
Function Shown(v)
  If IsNull(v) Then
    Shown = "Null"
  ElseIf VarType(v) = vbDate Then
    Shown = "serial " & CDbl(v)
  Else
    Shown = CStr(v)
  End If
End Function

' The same type, and the same value (Null and Empty have only a type).
Function Same(a, b)
  Same = False
  If VarType(a) <> VarType(b) Then Exit Function
  If IsNull(a) Or IsEmpty(a) Then
    Same = True
  Else
    Same = (a = b)
  End If
End Function

Sub Check(label, written, v)
  Dim verdict
  If Same(written, v) Then verdict = "same" Else verdict = "DIFFERENT"
  WScript.Echo label & ": " & TypeName(v) & " " & VarType(v) & " " & Shown(v) & " " & verdict
End Sub

Dim values(14)
values(0) = Empty
values(1) = Null
values(2) = CInt(-1234)
values(3) = CLng(70000)
values(4) = CSng(1.5)
values(5) = CDbl(0.1)
values(6) = CCur(1234.5)
values(7) = CDate(40000.5)
values(8) = "text"
values(9) = CBool(True)
values(10) = CByte(200)
values(11) = CCur(-1234.5678)
values(12) = CDate(-1.25)
values(13) = CByte(0)
values(14) = CBool(False)

' Wine's VBScript has no Eval, so each property is named here.
p.MemoryMin = values(0)
p.IEVersion = values(1)
p.CPUMin = values(2)
p.CPURec = values(3)
p.DiskSpaceMin = values(4)
p.DiskSpaceRec = values(5)
p.MemoryRec = values(6)
p.OSMin = values(7)
p.OSRec = values(8)
p.Zip1 = values(9)
p.RedYRM = values(10)
p.JavaVersion = values(11)
p.Zip2 = values(12)
p.GreenYRM = values(13)
p.ScreenMinWid = values(14)

Check "Empty", values(0), p.MemoryMin
Check "Null", values(1), p.IEVersion
Check "CInt", values(2), p.CPUMin
Check "CLng", values(3), p.CPURec
Check "CSng", values(4), p.DiskSpaceMin
Check "CDbl", values(5), p.DiskSpaceRec
Check "CCur", values(6), p.MemoryRec
Check "CDate", values(7), p.OSMin
Check "String", values(8), p.OSRec
Check "CBool", values(9), p.Zip1
Check "CByte", values(10), p.RedYRM
Check "CCur four decimals", values(11), p.JavaVersion
Check "CDate before 1899-12-30", values(12), p.Zip2
Check "CByte 0", values(13), p.GreenYRM
Check "CBool False", values(14), p.ScreenMinWid

' A value read back is the script's own again: it computes with it.
WScript.Echo "CCur + 1: " & TypeName(p.MemoryRec + 1) & " " & (p.MemoryRec + 1)
WScript.Echo "CByte + 1: " & TypeName(p.RedYRM + 1) & " " & (p.RedYRM + 1)
WScript.Echo "Null + 1: " & TypeName(p.IEVersion + 1)
WScript.Echo "DONE"
