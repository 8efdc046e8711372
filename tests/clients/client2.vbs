' ICorvaneEx2 from VBScript: every new member called by name on the same ProgID, arrays of
' every numeric subtype, the calls that must fail whole, and the pictures read back by the
' checker program (%CORVANE_PIXEL_CHECK%) the test run provides.
' Run with: cscript //nologo client2.vbs   (files go to %CORVANE_CLIENT_OUT% or %TEMP%)
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

' The script engine reports these HRESULTs by their Visual Basic error numbers:
' E_INVALIDARG, DISP_E_TYPEMISMATCH and DISP_E_BADVARTYPE.
Const E_INVALIDARG = 5
Const DISP_E_TYPEMISMATCH = 13
Const DISP_E_BADVARTYPE = 458

Dim shell, fso, outDir, checker
Set shell = CreateObject("WScript.Shell")
Set fso = CreateObject("Scripting.FileSystemObject")
outDir = CutAtNull(shell.Environment("PROCESS")("CORVANE_CLIENT_OUT"))
If outDir = "" Then outDir = CutAtNull(shell.ExpandEnvironmentStrings("%TEMP%"))
checker = CutAtNull(shell.Environment("PROCESS")("CORVANE_PIXEL_CHECK"))

' Runs the checker; 0 means the pictures agree.
Function Pixels(args)
  If checker = "" Then
    Pixels = -1
  Else
    Pixels = shell.Run("""" & checker & """ " & args, 0, True)
  End If
End Function

Function Quoted(s)
  Quoted = """" & s & """"
End Function

Dim o, q, i, xs, ys
Set o = CreateObject("Corvane.CorvaneEx")
Set q = CreateObject("Corvane.CorvaneEx")
For Each i In Array(o, q)
  i.SetSize 240, 192
  i.plotsCount = 2
  i.SetSegment 0, 10  ' every X value in view
  i.gridVisible = 3   ' grid labels sample their background at random: no two renders agree
Next

' Every numeric subtype a VBScript array element can have.
xs = Array(CByte(1), CInt(2), CLng(3), CSng(4.5), CDbl(5.25), CCur(6.5))
ys = Array(1, -4, 9.5, 16, CCur(25.25), CSng(-36))
o.AddPointsToPlot 1, xs, ys
Check "AddPointsToPlot", Err.Number, CLng(0)
Check "PointCount after AddPointsToPlot", o.PointCount(1), CLng(6)
o.AddPointsToPlot2 2, ys
o.AddPointsToPlot2 2, Array(7, 8)
Check "PointCount after AddPointsToPlot2", o.PointCount(2), CLng(8)
For i = 0 To UBound(xs)
  q.AddPointToPlot 1, xs(i), ys(i)
  q.AddPointToPlot2 2, ys(i)
Next
q.AddPointToPlot2 2, 7
q.AddPointToPlot2 2, 8
Dim pathA, pathB
pathA = outDir & "\client2_arrays.bmp"
pathB = outDir & "\client2_points.bmp"
o.SaveToFile pathA
q.SaveToFile pathB
Check "arrays draw what one-point calls draw", Pixels("same " & Quoted(pathA) & " " & Quoted(pathB)), CLng(0)

' All or nothing.
o.AddPointsToPlot 1, Array(1, 2), Array(1)
CheckError "lengths differ", E_INVALIDARG
o.AddPointsToPlot2 1, Array(1, "two", 3)
CheckError "a string element", DISP_E_TYPEMISMATCH
Dim holes(3)
holes(0) = 1
o.AddPointsToPlot 1, holes, holes
CheckError "Empty elements", DISP_E_TYPEMISMATCH
Dim m(1, 2)
o.AddPointsToPlot2 1, m
CheckError "two dimensions", DISP_E_BADVARTYPE
o.AddPointsToPlot2 1, 5
CheckError "a number, not an array", DISP_E_TYPEMISMATCH
Check "nothing added", o.PointCount(1), CLng(6)
o.AddPointsToPlot2 1, Array()
Check "an empty array", o.PointCount(1), CLng(6)
Check "PointCount(0)", o.PointCount(0), CLng(0)
Check "PointCount(9)", o.PointCount(9), CLng(0)

' PNG: the BMP's pixels in a fraction of the bytes.
Dim png
png = outDir & "\client2.png"
o.SaveToPng png
Check "SaveToPng", Err.Number, CLng(0)
Check "PNG decodes to the BMP's pixels", Pixels("png " & Quoted(png) & " " & Quoted(pathA)), CLng(0)
Check "PNG is small", fso.GetFile(png).Size * 3 < fso.GetFile(pathA).Size, True
o.SaveToPng ""
CheckError "SaveToPng without a name", E_INVALIDARG

' The picture object: a bitmap of the chart's size (HIMETRIC at 96 pixels per inch).
Dim p
Set p = o.Picture
Check "Picture", Err.Number, CLng(0)
Check "Picture.Type is a bitmap", p.Type, CInt(1)
Check "Picture.Handle", p.Handle <> 0, True
Check "Picture.Width", p.Width, CLng(240 * 2540 / 96)
Check "Picture.Height", p.Height, CLng(192 * 2540 / 96)

' DrawTo needs a device context: a script has none, a bitmap is none.
o.DrawTo 0, 0, 0
CheckError "DrawTo without a context", E_INVALIDARG
o.DrawTo p.Handle, 0, 0
CheckError "DrawTo into a bitmap handle", E_INVALIDARG
Set p = Nothing

' The clipboard, read back by the checker.
o.CopyToClipboard
Check "CopyToClipboard", Err.Number, CLng(0)
Check "clipboard holds the BMP's pixels", Pixels("clipboard " & Quoted(pathA)), CLng(0)

fso.DeleteFile pathA
fso.DeleteFile pathB
fso.DeleteFile png
Err.Clear
Set o = Nothing
Set q = Nothing
WScript.Echo "vbscript2: " & passed & " passed, " & failed & " failed"
If failed > 0 Then WScript.Quit 1
WScript.Quit 0
