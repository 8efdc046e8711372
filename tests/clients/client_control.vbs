' Corvane.ChartControl from VBScript, outside any container (CreateObject, as a script does):
' it works as Corvane.CorvaneEx does -- the same members, the same pictures -- and its own
' members start off and refuse values outside their range.
' Run with: cscript //nologo client_control.vbs
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

Function CutAtNull(s)
  Dim at
  at = InStr(s, Chr(0))
  If at > 0 Then
    CutAtNull = Left(s, at - 1)
  Else
    CutAtNull = s
  End If
End Function

Function Quoted(s)
  Quoted = """" & s & """"
End Function

Const E_INVALIDARG = 5

Dim shell, fso, outDir, checker
Set shell = CreateObject("WScript.Shell")
Set fso = CreateObject("Scripting.FileSystemObject")
outDir = CutAtNull(shell.Environment("PROCESS")("CORVANE_CLIENT_OUT"))
If outDir = "" Then outDir = CutAtNull(shell.ExpandEnvironmentStrings("%TEMP%"))
checker = CutAtNull(shell.Environment("PROCESS")("CORVANE_PIXEL_CHECK"))

Function Pixels(args)
  If checker = "" Then
    Pixels = -1
  Else
    Pixels = shell.Run("""" & checker & """ " & args, 0, True)
  End If
End Function

' The same calls on both classes.
Sub Build(o)
  o.SetSize 320, 200
  o.plotsCount = 2
  o.preset = 12
  o.caption = "both classes"
  o.AddPointsToPlot2 1, Array(3, 5, 4, 7, 6, 9, 8)
  o.AddPointsToPlot 2, Array(1, 2, 3, 4, 5, 6, 7), Array(2, 3, 2, 4, 3, 5, 4)
  o.SetSimplePlot 1
  o.SetPointVisible 1, True
  o.legendVisible = True
  o.AddLabelToLegend RGB(255, 0, 0), "first"
  o.AddMark 3, 4
  o.SetSegment 1, 7
End Sub

Dim control, chart, pathA, pathB
Set control = CreateObject("Corvane.ChartControl")
Check "CreateObject(""Corvane.ChartControl"")", IsObject(control), True
Set chart = CreateObject("Corvane.CorvaneEx")
Check "every interaction starts off: ZoomMode", control.ZoomMode, CLng(0)
Check "PanMode", control.PanMode, CLng(0)
Check "HoverInfo", control.HoverInfo, False
Check "Crosshair", control.Crosshair, False
Check "the automation class's defaults: caption", control.caption, chart.caption
Check "presetCount", control.presetCount, CLng(21)

Build control
Build chart
Check "Width", control.Width, CLng(320)
Check "WorldXMax", control.WorldXMax, chart.WorldXMax
Check "WorldYMin", control.WorldYMin, chart.WorldYMin
Check "PointY", control.PointY(2, 4), CDbl(4)
Check "HitTest", control.HitTest(control.WorldToPixelX(3), control.WorldToPixelY(4), 6).Kind, _
      chart.HitTest(chart.WorldToPixelX(3), chart.WorldToPixelY(4), 6).Kind
pathA = fso.BuildPath(outDir, "control_a.bmp")
pathB = fso.BuildPath(outDir, "control_b.bmp")
control.SaveToFile pathA
chart.SaveToFile pathB
Check "SaveToFile draws what Corvane.CorvaneEx draws", _
      Pixels("same " & Quoted(pathA) & " " & Quoted(pathB)), CLng(0)
control.SaveToPng fso.BuildPath(outDir, "control_a.png")
Check "SaveToPng", Pixels("png " & Quoted(fso.BuildPath(outDir, "control_a.png")) & " " & Quoted(pathB)), CLng(0)

' Its own members: in range they are kept, outside E_INVALIDARG and the old value stays.
control.ZoomMode = 2
Check "ZoomMode = 2", control.ZoomMode, CLng(2)
control.ZoomMode = 3
CheckError "ZoomMode = 3", E_INVALIDARG
Check "ZoomMode after 3", control.ZoomMode, CLng(2)
control.ZoomMode = -1
CheckError "ZoomMode = -1", E_INVALIDARG
control.PanMode = 1
Check "PanMode = 1", control.PanMode, CLng(1)
control.PanMode = 2
CheckError "PanMode = 2", E_INVALIDARG
Check "PanMode after 2", control.PanMode, CLng(1)
control.HoverInfo = True
Check "HoverInfo = True", control.HoverInfo, True
control.Crosshair = 5
Check "Crosshair = 5 is True", control.Crosshair, True
' Without a window Refresh paints where Show would (nowhere here), ResetZoom finds no zoom.
control.Refresh
Check "Refresh without a window", Err.Number, CLng(0)
control.ResetZoom
Check "ResetZoom goes back to the host's segment", control.WorldXMin, CDbl(1)
' The settings change nothing in the picture.
control.SaveToFile pathA
Check "the control's own settings leave the picture alone", _
      Pixels("same " & Quoted(pathA) & " " & Quoted(pathB)), CLng(0)

fso.DeleteFile pathA
fso.DeleteFile pathB
fso.DeleteFile fso.BuildPath(outDir, "control_a.png")
Set control = Nothing
Set chart = Nothing
WScript.Echo "vbscriptcontrol: " & passed & " passed, " & failed & " failed"
If failed > 0 Then WScript.Quit 1
WScript.Quit 0
