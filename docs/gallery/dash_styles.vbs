' Line overlays: AddLine x1, y1, x2, y2, width, style, colour in world coordinates, clipped
' to the plot area. Styles: 0 solid, 1 dashed, 2 dash-dot, 3 dash-dot-dot, 4 dotted; the
' dashes grow with the pen width. Left: width 1; right: width 3.
Set chart = CreateObject("Corvane.CorvaneEx")
chart.SetSize 400, 300
chart.caption = "Dash styles 0 to 4"
chart.gridVisible = 3
chart.arrowVisible = False
chart.AddLine 0, 5, 4.8, 5, 1, 0, RGB(0, 0, 0)
chart.AddLine 0, 4, 4.8, 4, 1, 1, RGB(0, 0, 192)
chart.AddLine 0, 3, 4.8, 3, 1, 2, RGB(0, 128, 0)
chart.AddLine 0, 2, 4.8, 2, 1, 3, RGB(192, 0, 0)
chart.AddLine 0, 1, 4.8, 1, 1, 4, RGB(128, 0, 128)
chart.AddLine 5.2, 5, 10, 5, 3, 0, RGB(0, 0, 0)
chart.AddLine 5.2, 4, 10, 4, 3, 1, RGB(0, 0, 192)
chart.AddLine 5.2, 3, 10, 3, 3, 2, RGB(0, 128, 0)
chart.AddLine 5.2, 2, 10, 2, 3, 3, RGB(192, 0, 0)
chart.AddLine 5.2, 1, 10, 1, 3, 4, RGB(128, 0, 128)
' A diagonal: the dashes follow the line's direction.
chart.AddLine 0, 0.5, 10, 5.5, 2, 1, RGB(128, 128, 128)
chart.SetSegment 0, 10
chart.SaveToPng WScript.Arguments(0)
