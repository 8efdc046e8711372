' Scrolling moves the segment one unit at a time while user labels lie beyond it:
' SetSegment 1, 5 shows labels 1..5, and two ScrollRight calls show 3..7.
Set chart = CreateObject("Corvane.CorvaneEx")
chart.SetSize 400, 300
chart.caption = "After two ScrollRight calls"
chart.SetUserTypeGrid
chart.AddLabelToGrid "w1"
chart.AddLabelToGrid "w2"
chart.AddLabelToGrid "w3"
chart.AddLabelToGrid "w4"
chart.AddLabelToGrid "w5"
chart.AddLabelToGrid "w6"
chart.AddLabelToGrid "w7"
chart.AddLabelToGrid "w8"
chart.AddLabelToGrid "w9"
chart.AddLabelToGrid "w10"
chart.plotsCount = 1
chart.AddPointsToPlot2 1, Array(3, 5, 4, 8, 7, 9, 6, 10, 11, 9)
chart.SetSimplePlot 1
chart.SetPointVisible 1, True
chart.SetSegment 1, 5
chart.ScrollRight
chart.ScrollRight
chart.SaveToPng WScript.Arguments(0)
