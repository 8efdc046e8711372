' ICorvaneEx3 from VBScript: every member by name on the same ProgID, the hit object it hands
' out, and the calls it refuses.
' Run with: cscript //nologo client3.vbs
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
  If Err.Number <> 0 Then
    ok = False
    Err.Clear
  End If
  If ok Then
    passed = passed + 1
  Else
    failed = failed + 1
    WScript.Echo "FAIL " & name & ": got [" & actual & "] (type " & VarType(actual) & _
                 "), want [" & expected & "] (type " & VarType(expected) & ")"
  End If
End Sub

' The call just made must have failed with `code`.
' Wine's environment strings may carry a NUL and what follows it.
Function CutAtNull(s)
  Dim at
  at = InStr(s, Chr(0))
  If at > 0 Then
    CutAtNull = Left(s, at - 1)
  Else
    CutAtNull = s
  End If
End Function

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

' The script engine reports E_INVALIDARG by its Visual Basic error number, E_POINTER not at all.
Const E_INVALIDARG = 5

Dim o, l, t, r, b, px, py, h
Set o = CreateObject("Corvane.CorvaneEx")
o.SetSize 400, 300
o.plotsCount = 1
o.SetSegment 1, 3
o.AddPointsToPlot2 1, Array(1, 4, 9)
o.SetSimplePlot 1
o.AddRectangle 1.2, 10, 1.6, 6, RGB(0, 128, 0), 0.5  ' its top ends the range: no margin

' The layout a render would draw with, laid out by the first read.
Check "WorldXMin", o.WorldXMin, CDbl(1)
Check "WorldXMax", o.WorldXMax, CDbl(3)
Check "WorldYMin", o.WorldYMin, CDbl(1)
Check "WorldYMax", o.WorldYMax, CDbl(10)
l = o.PlotAreaLeft
t = o.PlotAreaTop
r = o.PlotAreaRight
b = o.PlotAreaBottom
Check "PlotAreaLeft", l, CLng(65)
Check "PlotAreaTop", t, CLng(60)
Check "PlotAreaRight", r, CLng(335)
Check "PlotAreaBottom", b, CLng(265)
Check "WorldToPixelX at the window's left end", o.WorldToPixelX(1), CDbl(l)
Check "WorldToPixelY at the window's top", o.WorldToPixelY(10), CDbl(t)
px = o.WorldToPixelX(2)
py = o.WorldToPixelY(4)
Check "PixelToWorldX", o.PixelToWorldX(px), CDbl(2)
Check "PixelToWorldY", Round(o.PixelToWorldY(py), 9), CDbl(4)
Check "PointX", o.PointX(1, 3), CDbl(3)
Check "PointY", o.PointY(1, 3), CDbl(9)

' What lies under a pixel.
Set h = o.HitTest(px + 1, py, 4)
Check "HitTest finds the point", h.Kind, CLng(1)
Check "its plot", h.Plot, CLng(1)
Check "its index", h.Index, CLng(2)
Check "its X", h.X, CDbl(2)
Check "its Y", h.Y, CDbl(4)
Check "its distance", h.Distance, CDbl(1)
Set h = o.HitTest(o.WorldToPixelX(1.4), o.WorldToPixelY(7), 0)
Check "inside the rectangle", h.Kind, CLng(5)
Check "the rectangle's index", h.Index, CLng(1)
Check "distance inside an area", h.Distance, CDbl(0)
Set h = o.HitTest(r - 2, b - 2, 2)
Check "empty space", h.Kind, CLng(0)

' A plot that keeps its newest points: set by name, with the plot as its index.
Check "PlotCapacity by default", o.PlotCapacity(1), CLng(0)
o.PlotCapacity(1) = 2
Check "PlotCapacity", o.PlotCapacity(1), CLng(2)
Check "the oldest left", o.PointCount(1), CLng(2)
Check "the newest stay", o.PointX(1, 1), CDbl(2)
o.AddPointToPlot2 1, 16
Check "a stream numbers on", o.PointX(1, 2), CDbl(4)
o.PlotCapacity(1) = 0

' Antialiased geometry, set by name: a picture is still made, and turning it off comes back.
Dim shell, outDir, smooth
Set shell = CreateObject("WScript.Shell")
outDir = CutAtNull(shell.Environment("PROCESS")("CORVANE_CLIENT_OUT"))
If outDir = "" Then outDir = CutAtNull(shell.ExpandEnvironmentStrings("%TEMP%"))
smooth = outDir & "\client3_antialias.png"
Check "Antialias by default", o.Antialias, False
o.Antialias = True
Check "Antialias", o.Antialias, True
o.SaveToPng smooth
Check "an antialiased SaveToPng", Err.Number, CLng(0)
o.Antialias = 1
Check "any nonzero value turns it on", o.Antialias, True
o.Antialias = False
Check "Antialias off", o.Antialias, False

' Refused input.
Dim v
v = o.PointX(1, 4)
CheckError "PointX beyond the points", E_INVALIDARG
v = o.PointY(9, 1)
CheckError "PointY of plot 9", E_INVALIDARG
Set h = o.HitTest(1, 1, -1)
CheckError "a negative radius", E_INVALIDARG
Set h = o.HitTest(1, 1, 10001)
CheckError "a radius above 10,000", E_INVALIDARG
o.PlotCapacity(1) = -1
CheckError "a negative capacity", E_INVALIDARG
v = o.PlotCapacity(9)
CheckError "PlotCapacity of plot 9", E_INVALIDARG
o.SetSize 0, 0
v = o.PlotAreaLeft
CheckError "PlotAreaLeft without a picture", E_INVALIDARG
v = o.WorldToPixelX(1)
CheckError "WorldToPixelX without a picture", E_INVALIDARG
Set h = o.HitTest(100, 100, 5)
Check "HitTest without a picture", h.Kind, CLng(0)

Set h = Nothing
Set o = Nothing
WScript.Echo "vbscript3: " & passed & " passed, " & failed & " failed"
If failed > 0 Then WScript.Quit 1
WScript.Quit 0
