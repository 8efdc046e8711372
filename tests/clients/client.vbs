' What a script author does with the component: create it by ProgID, read the defaults,
' set and read back members, fit a line, save a picture. Run with: cscript //nologo client.vbs
' Writes its bitmap into %CORVANE_CLIENT_OUT% (default: the temporary folder).
Option Explicit
' A failing call must not end the script silently: every error is caught here and reported
' by the next Check.
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
  ' VBScript's And does not short-circuit: compare values only once the types agree.
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

' Some hosts hand back strings with a trailing null character.
Function CutAtNull(s)
  Dim at
  at = InStr(s, Chr(0))
  If at > 0 Then
    CutAtNull = Left(s, at - 1)
  Else
    CutAtNull = s
  End If
End Function

Dim o
Set o = CreateObject("Corvane.CorvaneEx")

' A new object.
Check "Width", o.Width, CLng(0)
Check "Height", o.Height, CLng(0)
Check "plotsCount", o.plotsCount, CLng(0)
Check "captionVisible", o.captionVisible, True
Check "arrowVisible", o.arrowVisible, True
Check "candlesticsVisible", o.candlesticsVisible, True
Check "legendVisible", o.legendVisible, True
Check "legendPosition", o.legendPosition, CLng(0)
Check "caption", o.caption, "Corvane Version 1.1"
Check "arrowCaptionX", o.arrowCaptionX, "caption X"
Check "arrowCaptionY", o.arrowCaptionY, "caption Y"
Check "preset", o.preset, CLng(1)
Check "presetName", o.presetName, "Standart"
Check "presetCount", o.presetCount, CLng(21)
Check "isDefaultGrid", o.isDefaultGrid, True
Check "isUserTypeGrid", o.isUserTypeGrid, False
Check "polygonsCount", o.polygonsCount, CLng(0)
Check "hWnd", o.hWnd, CLng(0)

' Range checks: rejected values leave the previous one.
o.plotsCount = 0
Check "plotsCount 0 ignored", o.plotsCount, CLng(0)
o.plotsCount = 9
Check "plotsCount 9 ignored", o.plotsCount, CLng(0)
o.plotsCount = 8
Check "plotsCount 8", o.plotsCount, CLng(8)
o.arrowLineWidth = 15
o.arrowLineWidth = 16
o.arrowLineWidth = 0
Check "arrowLineWidth", o.arrowLineWidth, CLng(15)
o.gridDigitsAfterPoint = 6
o.gridDigitsAfterPoint = 7
o.gridDigitsAfterPoint = -1
Check "gridDigitsAfterPoint", o.gridDigitsAfterPoint, CLng(6)
o.gridVerticalLines = 4
o.gridVerticalLines = 0
Check "gridVerticalLines", o.gridVerticalLines, CLng(4)
o.gridHorizontalLines = 3
Check "gridHorizontalLines", o.gridHorizontalLines, CLng(3)
o.preset = 5
Check "preset 5", o.preset, CLng(5)
o.preset = 22
Check "preset 22 selects the first", o.preset, CLng(1)
o.preset = 0
Check "preset 0 selects the first", o.preset, CLng(1)
o.arrowR = 6
o.arrowH = 14
Check "arrowR", o.arrowR, CLng(6)
Check "arrowH", o.arrowH, CLng(14)
o.legendPosition = 3
Check "legendPosition", o.legendPosition, CLng(3)
o.gridVisible = 2
Check "gridVisible", o.gridVisible, CLng(2)
o.SetUserTypeGrid
Check "isUserTypeGrid", o.isUserTypeGrid, True
Check "isDefaultGrid after SetUserTypeGrid", o.isDefaultGrid, False
o.SetDefaultGrid
Check "isDefaultGrid again", o.isDefaultGrid, True
o.captionVisible = False
Check "captionVisible False", o.captionVisible, False
o.captionVisible = True

' Strings.
o.caption = "Temp" & Chr(233) & "rature"
Check "caption accented", o.caption, "Temp" & Chr(233) & "rature"
o.caption = ""
Check "caption empty", o.caption, ""
Check "caption empty length", Len(o.caption), CLng(0)
o.arrowCaptionX = "time, s"
Check "arrowCaptionX", o.arrowCaptionX, "time, s"
o.caption = 42
Check "caption from a number", o.caption, "42"

' Plots and the fit, read back through the return value. Colours come back as OLE_COLOR, an
' unsigned 32-bit value, which VBScript compares after CLng.
o.SetSize 400, 300
Check "Width", o.Width, CLng(400)
Check "Height", o.Height, CLng(300)
o.plotsCount = 2
o.AddPointToPlot 1, 1, 1
o.AddPointToPlot 1, 2, 3
o.AddPointToPlot 1, 3, 5
o.SetLinearApproximate 1
Check "GetA", o.GetA(1), CDbl(2)
Check "GetB", o.GetB(1), CDbl(-1)
o.SetPlotColor 2, &HFF00&
Check "GetPlotColor", CLng(o.GetPlotColor(2)), CLng(&HFF00&)
o.SetPlotWidth 2, 3
Check "GetPlotWidth", o.GetPlotWidth(2), CLng(3)
o.SetPlotVisible 2, False
Check "GetPlotVisible", o.GetPlotVisible(2), False
o.SetPointVisible 2, True
Check "GetPointVisible", o.GetPointVisible(2), True
o.SetPointColor 2, RGB(1, 2, 3)
Check "GetPointColor", CLng(o.GetPointColor(2)), CLng(RGB(1, 2, 3))
Dim i
For i = 1 To 20
  o.AddPointToPlot2 2, Sin(i / 3)
Next
Check "GetA out of range", o.GetA(99), CDbl(0)
Check "GetPlotVisible(0)", o.GetPlotVisible(0), False

' Overlays.
o.polygonsCount = 2
Check "polygonsCount", o.polygonsCount, CLng(2)
o.AddPointToPolygon 1, 1, 1
o.AddPointToPolygon 1, 3, 5
o.AddPointToPolygon 1, 3, 1
o.SetPolygonProperties 1, RGB(0, 0, 255), 0.5
o.SetPolygonVisible 2, False
Check "GetPolygonVisible 1", o.GetPolygonVisible(1), True
Check "GetPolygonVisible 2", o.GetPolygonVisible(2), False
o.AddMark 2, 3
o.AddMark2 3, 5, "peak"
o.SetMarkVisible 1, False
Check "GetMarkVisible 1", o.GetMarkVisible(1), False
Check "GetMarkVisible 2", o.GetMarkVisible(2), True
o.AddRectangle 1, 4, 2, 2, RGB(200, 200, 0), 0.3
Check "GetRectVisible", o.GetRectVisible(1), True
o.AddLine 1, 1, 3, 5, 0, 9, RGB(0, 0, 0)
Check "GetLineVisible", o.GetLineVisible(1), True
o.AddCandleStick 2, 2, 4, 5, 1
o.AddLabelToGrid "one"
o.AddLabelToLegend RGB(255, 0, 0), "fit"
o.SetSegment 1, 3

' Saving a picture.
Dim fso, shell, outDir, path
Set shell = CreateObject("WScript.Shell")
outDir = CutAtNull(shell.Environment("PROCESS")("CORVANE_CLIENT_OUT"))
Set fso = CreateObject("Scripting.FileSystemObject")
If Err.Number <> 0 Then Set fso = Nothing
Err.Clear
If outDir = "" Then outDir = CutAtNull(shell.ExpandEnvironmentStrings("%TEMP%"))
path = outDir & "\client_vbs.bmp"
o.SaveToFile path
If Not fso Is Nothing Then
  Check "bitmap exists", fso.FileExists(path), True
  If fso.FileExists(path) Then
    Check "bitmap size", CDbl(fso.GetFile(path).Size), CDbl(54 + 1200 * 300)
    fso.DeleteFile path
  End If
End If

' A picture of no size cannot be saved; the call says so.
o.SetSize 0, 0
o.SaveToFile outDir & "\client_vbs_empty.bmp"
Dim saveError
saveError = Err.Number
Err.Clear
Check "SaveToFile of an empty picture fails", saveError <> 0, True

' Dispose keeps the settings and drops the data.
o.Dispose
Check "plotsCount after Dispose", o.plotsCount, CLng(0)
Check "polygonsCount after Dispose", o.polygonsCount, CLng(0)
Check "caption after Dispose", o.caption, "42"
Check "arrowR after Dispose", o.arrowR, CLng(6)

Set o = Nothing
WScript.Echo "vbscript: " & passed & " passed, " & failed & " failed"
If failed > 0 Then WScript.Quit 1
WScript.Quit 0
