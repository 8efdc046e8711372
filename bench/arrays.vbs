' 1,000,000 points into a plot from a VBScript array: one AddPointsToPlot call against
' 1,000,000 AddPointToPlot calls, in the same script. Prints figures; it is not a test.
' Run with: cscript //nologo arrays.vbs [N]
Option Explicit

Dim n, i, xs, ys, bulk, single, t0, t1, t2, t3, t4, t5, count
n = 1000000
If WScript.Arguments.Count > 0 Then n = CLng(WScript.Arguments(0))
ReDim xs(n - 1)
ReDim ys(n - 1)
For i = 0 To n - 1
  xs(i) = i
  ys(i) = Sin(i / 1000)
Next

Set bulk = CreateObject("Corvane.CorvaneEx")
Set single = CreateObject("Corvane.CorvaneEx")

t0 = Timer
bulk.AddPointsToPlot 1, xs, ys
t1 = Timer
bulk.AddPointsToPlot2 2, ys
t2 = Timer
For i = 0 To n - 1
  single.AddPointToPlot 1, xs(i), ys(i)
Next
t3 = Timer
For i = 0 To n - 1
Next
t4 = Timer

count = bulk.PointCount(1)
If count <> n Or single.PointCount(1) <> n Or bulk.PointCount(2) <> n Then
  WScript.Echo "point counts differ: " & count & ", " & single.PointCount(1)
  WScript.Quit 1
End If
WScript.Echo n & " points from a VBScript array:"
WScript.Echo "  AddPointsToPlot (one call)      " & FormatNumber((t1 - t0) * 1000, 1) & " ms"
WScript.Echo "  AddPointsToPlot2 (one call)     " & FormatNumber((t2 - t1) * 1000, 1) & " ms"
WScript.Echo "  AddPointToPlot (" & n & " calls) " & FormatNumber((t3 - t2) * 1000, 1) & " ms" & _
             " (the empty loop alone " & FormatNumber((t4 - t3) * 1000, 1) & " ms)"
If t1 - t0 > 0 Then
  WScript.Echo "  one array call is " & FormatNumber((t3 - t2) / (t1 - t0), 1) & "x faster"
Else
  WScript.Echo "  one array call took less than the timer's resolution"
End If
WScript.Quit 0
