' Corvane from VBScript: what lies under a pixel, and a cross-hair moved there, as a host does
' on a mouse move. Register the DLL once (regsvr32 Corvane.dll), then:
'   cscript //nologo crosshair.vbs 229 160 crosshair.png
Option Explicit
Dim chart, i, mouseX, mouseY, path, hit, x, y
mouseX = 229 : mouseY = 160 : path = "crosshair.png"
If WScript.Arguments.Count >= 2 Then
  mouseX = CDbl(WScript.Arguments(0))
  mouseY = CDbl(WScript.Arguments(1))
End If
If WScript.Arguments.Count >= 3 Then path = WScript.Arguments(2)

Set chart = CreateObject("Corvane.CorvaneEx")
chart.SetSize 480, 320
chart.caption = "Move the mouse over a point"
chart.plotsCount = 1
For i = 1 To 12
  chart.AddPointToPlot 1, i, 5 + 3 * Sin(i / 2)
Next
chart.SetSimplePlot 1
chart.SetPointVisible 1, True
chart.SetSegment 0, 13

' The point within 8 pixels of the mouse, else the world position under it.
Set hit = chart.HitTest(mouseX, mouseY, 8)
If hit.Kind = 1 Then
  x = hit.X : y = hit.Y
  WScript.Echo "point " & hit.Index & " of plot " & hit.Plot & ": (" & x & ", " & _
               FormatNumber(y, 3) & "), " & FormatNumber(hit.Distance, 1) & " pixels away"
Else
  x = chart.PixelToWorldX(mouseX) : y = chart.PixelToWorldY(mouseY)
  WScript.Echo "no point under (" & mouseX & ", " & mouseY & "): world (" & _
               FormatNumber(x, 3) & ", " & FormatNumber(y, 3) & ")"
End If

' The cross-hair: two dashed lines through it, across the whole window.
chart.AddLine chart.WorldXMin, y, chart.WorldXMax, y, 1, 2, RGB(0, 120, 0)
chart.AddLine x, chart.WorldYMin, x, chart.WorldYMax, 1, 2, RGB(0, 120, 0)
chart.SaveToPng path
