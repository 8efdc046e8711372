' Rectangles: AddRectangle left, top, right, bottom, colour, opacity in world coordinates;
' AddRectangle2 adds a border of a width, dash style and colour. They are clipped to the
' plot area; SetRectVisible hides one by its number (1 = the first added).
Set chart = CreateObject("Corvane.CorvaneEx")
chart.SetSize 400, 300
chart.caption = "Rectangles"
chart.plotsCount = 1
chart.AddPointsToPlot2 1, Array(2, 4, 3, 6, 5, 7, 6, 8, 7, 9)
chart.SetSimplePlot 1
chart.SetPlotWidth 1, 2
chart.AddRectangle 1, 9, 4, 5, RGB(255, 0, 0), 0.25
chart.AddRectangle2 3, 6, 7, 2, RGB(0, 0, 255), 0.4, 2, 2, RGB(0, 0, 128)
chart.AddRectangle2 6, 10, 9.5, 7, RGB(255, 255, 255), 1, 1, 4, RGB(0, 0, 0)
chart.AddRectangle 8, 4, 10, 1, RGB(0, 255, 0), 0.5
chart.SetRectVisible 4, False
chart.SetSegment 1, 10
chart.SaveToPng WScript.Arguments(0)
