' Marks point at a value: AddMark draws dotted guides from the point to both axes with the
' values at their ends; AddMark2 adds a text beside the point. Marks join the picture at
' the next change of the layout: here SetSegment comes after them.
Set chart = CreateObject("Corvane.CorvaneEx")
chart.SetSize 400, 300
chart.caption = "Marks"
chart.plotsCount = 1
chart.AddPointsToPlot2 1, Array(4, 6, 9, 7, 5, 8, 12, 10, 9, 11)
chart.SetSimplePlot 1
chart.AddMark 3, 9
chart.AddMark2 7, 12, "record"
chart.AddMark2 5, 5, "dip"
chart.SetSegment 1, 10
chart.SaveToPng WScript.Arguments(0)
