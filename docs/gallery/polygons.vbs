' Polygons in world coordinates. SetPolygonProperties index, colour, opacity fills without
' a border (opacity 1 is opaque, 0.3 lets 70 % of what lies under show through);
' SetPolygonProperties2 adds a border of a width, dash style and colour.
Set chart = CreateObject("Corvane.CorvaneEx")
chart.SetSize 400, 300
chart.caption = "Polygons"
chart.polygonsCount = 3

' Opaque, no border.
chart.AddPointToPolygon 1, 1, 1
chart.AddPointToPolygon 1, 4, 2
chart.AddPointToPolygon 1, 2, 7
chart.SetPolygonProperties 1, RGB(0, 96, 192), 1

' Half transparent with a dashed border 2 pixels wide, over the first.
chart.AddPointToPolygon 2, 2, 3
chart.AddPointToPolygon 2, 7, 2
chart.AddPointToPolygon 2, 8, 6
chart.AddPointToPolygon 2, 5, 8
chart.SetPolygonProperties2 2, RGB(255, 160, 0), 0.5, 2, 1, RGB(128, 64, 0)

' Mostly transparent with a solid border.
chart.AddPointToPolygon 3, 6, 0.5
chart.AddPointToPolygon 3, 9.5, 1
chart.AddPointToPolygon 3, 9, 4.5
chart.SetPolygonProperties2 3, RGB(0, 160, 0), 0.3, 1, 0, RGB(0, 96, 0)
chart.SetSegment 0, 10
chart.SaveToPng WScript.Arguments(0)
