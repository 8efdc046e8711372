' The axes of ICorvaneEx3 from VBScript: each axis member set and read by name on the same
' ProgID, the ticks read back for a date axis and a logarithmic one, and the values refused.
' Run with: cscript //nologo client_axes.vbs
Option Explicit
On Error Resume Next

Dim passed, failed
passed = 0
failed = 0

Sub Check(name, actual, expected)
  Dim ok
  ok = False
  If Err.Number <> 0 Then
    failed = failed + 1
    WScript.Echo "FAIL " & name & ": error " & Hex(Err.Number) & " " & Err.Description
    Err.Clear
    Exit Sub
  End If
  If VarType(actual) = VarType(expected) Then ok = (actual = expected)
  If ok Then
    passed = passed + 1
  Else
    failed = failed + 1
    WScript.Echo "FAIL " & name & ": got [" & actual & "] (type " & VarType(actual) & _
                 "), want [" & expected & "] (type " & VarType(expected) & ")"
  End If
End Sub

Sub CheckError(name, code)
  Dim got
  got = Err.Number
  Err.Clear
  If got = code Then
    passed = passed + 1
  Else
    failed = failed + 1
    WScript.Echo "FAIL " & name & ": error " & Hex(got) & ", want " & Hex(code)
  End If
End Sub

' The script engine reports E_INVALIDARG by its Visual Basic error number.
Const E_INVALIDARG = 5

Dim o, v, k, day
Set o = CreateObject("Corvane.CorvaneEx")
o.SetSize 500, 400
Check "XAxisType by default", o.XAxisType, CLng(0)
Check "YAxisType by default", o.YAxisType, CLng(0)
Check "XLabelFormat by default", o.XLabelFormat, ""

' The quick start's points lie at X = 1..6: fitting the window to them.
o.plotsCount = 1
o.SetSimplePlot 1
For k = 1 To 6
  o.AddPointToPlot 1, k, k * k
Next
o.FitSegmentToData
Check "FitSegmentToData: left", o.WorldXMin, CDbl(1)
Check "FitSegmentToData: right", o.WorldXMax, CDbl(6)
Check "type 0 ticks: the window's left end first", o.TickValue(0, 1), CDbl(1)

' A day across a leap day's midnight on a date axis.
o.XAxisType = 2
Check "XAxisType", o.XAxisType, CLng(2)
day = CDbl(DateSerial(2024, 2, 28))
o.SetSegment day + 0.5, day + 1.5
Check "date ticks", o.TickCount(0), CLng(5)
Check "first date tick", o.TickLabel(0, 1), "28 Feb 2024 12:00"
Check "the date where it changes", o.TickLabel(0, 3), "29 Feb 00:00"
Check "midnight of the leap day", o.TickValue(0, 3), CDbl(DateSerial(2024, 2, 29))
o.XLabelFormat = "hh:nn"
Check "XLabelFormat", o.XLabelFormat, "hh:nn"
Check "shorter labels: more ticks", o.TickCount(0), CLng(9)
Check "a formatted tick", o.TickLabel(0, 2), "15:00"

' Logarithmic vertical axis: decades, the range widened to them.
o.YAxisType = 4
Check "YAxisType", o.YAxisType, CLng(4)
Check "log ticks from", o.TickValue(1, 1), CDbl(1)
Check "log range widened", o.WorldYMax, CDbl(100)
o.YLabelFormat = "0.0"
Check "YLabelFormat", o.YLabelFormat, "0.0"
Check "a formatted decade", o.TickLabel(1, 2), "10.0"

' Refused: nothing changes.
o.XAxisType = 5
CheckError "XAxisType 5", E_INVALIDARG
Check "XAxisType stays", o.XAxisType, CLng(2)
o.YAxisType = -1
CheckError "YAxisType -1", E_INVALIDARG
o.XLabelFormat = "zz"
CheckError "an unknown code", E_INVALIDARG
Check "XLabelFormat stays", o.XLabelFormat, "hh:nn"
o.YLabelFormat = String(5000, "0")
CheckError "a 5000-character code", E_INVALIDARG
v = o.TickCount(2)
CheckError "TickCount of axis 2", E_INVALIDARG
v = o.TickValue(0, 0)
CheckError "TickValue 0", E_INVALIDARG
v = o.TickLabel(1, 99)
CheckError "TickLabel 99", E_INVALIDARG

Set o = Nothing
WScript.Echo "vbscriptaxes: " & passed & " passed, " & failed & " failed"
If failed > 0 Then WScript.Quit 1
WScript.Quit 0
