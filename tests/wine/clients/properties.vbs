' Round-trips the forty properties through the automation interface: every
' property keeps exactly the value and type written, independently of the
' others (distinct values go to all of them before any is read back).
' Wine's VBScript has no Eval, so each property is named here.
Option Explicit
Dim p, i, values(39)
Set p = CreateObject("Tallymere.Prestova")

Sub WriteAll(v)
  p.JavaVersion = v(0)
  p.DiskSpaceRec = v(1)
  p.DiskSpaceMin = v(2)
  p.MemoryMin = v(3)
  p.MemoryRec = v(4)
  p.CPUMin = v(5)
  p.CPURec = v(6)
  p.BlueYRM = v(7)
  p.RedYRM = v(8)
  p.GreenYRM = v(9)
  p.BlueBadYRM = v(10)
  p.RedBadYRM = v(11)
  p.GreenBadYRM = v(12)
  p.BlueOkYRM = v(13)
  p.RedOkYRM = v(14)
  p.GreenOkYRM = v(15)
  p.Blue2YRM = v(16)
  p.Red2YRM = v(17)
  p.Green2YRM = v(18)
  p.Blue3YRM = v(19)
  p.Red3YRM = v(20)
  p.Green3YRM = v(21)
  p.OSRec = v(22)
  p.OSMin = v(23)
  p.IEVersion = v(24)
  p.Zip1 = v(25)
  p.Zip1URL = v(26)
  p.Zip2 = v(27)
  p.Zip2URL = v(28)
  p.JavaURL = v(29)
  p.RealURL = v(30)
  p.IEURL = v(31)
  p.AdobeURL = v(32)
  p.FlashURL = v(33)
  p.recColorDepth = v(34)
  p.MinColorDepth = v(35)
  p.ScreenRecWid = v(36)
  p.ScreenRecHgt = v(37)
  p.ScreenMinWid = v(38)
  p.ScreenMinHgt = v(39)
End Sub

Function ReadAll()
  ReadAll = Array(p.JavaVersion, p.DiskSpaceRec, p.DiskSpaceMin, p.MemoryMin, p.MemoryRec, _
    p.CPUMin, p.CPURec, p.BlueYRM, p.RedYRM, p.GreenYRM, _
    p.BlueBadYRM, p.RedBadYRM, p.GreenBadYRM, p.BlueOkYRM, p.RedOkYRM, _
    p.GreenOkYRM, p.Blue2YRM, p.Red2YRM, p.Green2YRM, p.Blue3YRM, _
    p.Red3YRM, p.Green3YRM, p.OSRec, p.OSMin, p.IEVersion, _
    p.Zip1, p.Zip1URL, p.Zip2, p.Zip2URL, p.JavaURL, _
    p.RealURL, p.IEURL, p.AdobeURL, p.FlashURL, p.recColorDepth, _
    p.MinColorDepth, p.ScreenRecWid, p.ScreenRecHgt, p.ScreenMinWid, p.ScreenMinHgt)
End Function

Sub Show(label)
  Dim line, v
  line = label & ":"
  For Each v In ReadAll()
    line = line & " " & TypeName(v) & "(" & v & ")"
  Next
  WScript.Echo line
End Sub

WScript.Echo "count " & (UBound(ReadAll()) + 1)
Show "created"
' Integers (a script's small whole numbers), then longs, doubles and texts.
For i = 0 To 39 : values(i) = i + 1 : Next
WriteAll values
Show "integer"
For i = 0 To 39 : values(i) = 70000 + i : Next
WriteAll values
Show "long"
For i = 0 To 39 : values(i) = i + 0.25 : Next
WriteAll values
Show "double"
For i = 0 To 39 : values(i) = "t" & i : Next
WriteAll values
Show "text"
For i = 0 To 39 : values(i) = Empty : Next
WriteAll values
Show "empty"
p.MemoryMin = True
WScript.Echo "boolean: " & TypeName(p.MemoryMin) & " " & p.MemoryMin
' Names are looked up without regard to case.
p.cpumin = 5
WScript.Echo "case: " & TypeName(p.CPUMIN) & " " & p.CpuMin
WScript.Echo "DONE"
