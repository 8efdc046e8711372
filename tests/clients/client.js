// The component from JScript: creation by ProgID, defaults, range checks, strings, the
// fit read back through return values, overlays and a saved picture.
// Run with: cscript //nologo client.js   (bitmap goes to %CORVANE_CLIENT_OUT% or %TEMP%)

// The shared checks, evaluated in the global scope.
var fso = new ActiveXObject("Scripting.FileSystemObject");
eval(fso.OpenTextFile(fso.BuildPath(fso.GetParentFolderName(WScript.ScriptFullName), "checks.js")).ReadAll());

var o = new ActiveXObject("Corvane.CorvaneEx");

step("defaults", function () {
  check("Width", o.Width, 0);
  check("plotsCount", o.plotsCount, 0);
  check("captionVisible", o.captionVisible, true);
  check("legendVisible", o.legendVisible, true);
  check("caption", o.caption, "Corvane Version 1.1");
  check("arrowCaptionY", o.arrowCaptionY, "caption Y");
  check("preset", o.preset, 1);
  check("presetName", o.presetName, "Standart");
  check("presetCount", o.presetCount, 21);
  check("isDefaultGrid", o.isDefaultGrid, true);
  check("isUserTypeGrid", o.isUserTypeGrid, false);
  check("gridVisible type", typeof o.gridVisible, "number");
});

step("range checks", function () {
  o.plotsCount = 9;
  check("plotsCount 9 ignored", o.plotsCount, 0);
  o.plotsCount = 8;
  check("plotsCount 8", o.plotsCount, 8);
  o.arrowLineWidth = 15;
  o.arrowLineWidth = 16;
  check("arrowLineWidth", o.arrowLineWidth, 15);
  o.gridDigitsAfterPoint = 6;
  o.gridDigitsAfterPoint = -1;
  check("gridDigitsAfterPoint", o.gridDigitsAfterPoint, 6);
  o.gridHorizontalLines = 0;
  check("gridHorizontalLines 0 ignored", o.gridHorizontalLines > 0, true);
  o.preset = 21;
  check("preset 21", o.preset, 21);
  o.preset = -3;
  check("preset -3 selects the first", o.preset, 1);
  o.candlesticsVisible = false;
  check("candlesticsVisible", o.candlesticsVisible, false);
});

step("strings", function () {
  o.caption = "Temp\u00e9rature";
  check("caption accented", o.caption, "Temp\u00e9rature");
  o.caption = "";
  check("caption empty", o.caption, "");
  o.arrowCaptionX = "x";
  check("arrowCaptionX", o.arrowCaptionX, "x");
});

step("fit and plot settings", function () {
  o.SetSize(200, 100);
  check("Height", o.Height, 100);
  o.plotsCount = 1;
  o.AddPointToPlot(1, 1, 1);
  o.AddPointToPlot(1, 2, 3);
  o.AddPointToPlot(1, 3, 5);
  o.SetLinearApproximate(1);
  check("GetA", o.GetA(1), 2);
  check("GetB", o.GetB(1), -1);
  // y = A*x*x + B*x + C through points on a line: no curvature.
  o.SetSquareApproximate(1);
  check("quadratic GetA", o.GetA(1), 0);
  check("quadratic GetB", o.GetB(1), 2);
  check("quadratic GetC", o.GetC(1), -1);
  o.SetPlotColor(1, 0xFF0000);
  check("GetPlotColor", o.GetPlotColor(1), 0xFF0000);
  o.SetPointVisible(1, true);
  check("GetPointVisible", o.GetPointVisible(1), true);
  check("GetPlotVisible(42)", o.GetPlotVisible(42), false);
});

step("overlays", function () {
  o.polygonsCount = 1;
  o.AddPointToPolygon(1, 1, 1);
  o.AddPointToPolygon(1, 2, 4);
  o.SetPolygonProperties2(1, 0x00FF00, 0.4, 2, 1, 0);
  check("GetPolygonVisible", o.GetPolygonVisible(1), true);
  o.AddRectangle2(1, 4, 2, 2, 0xFFFF, 0.5, 1, 0, 0);
  o.SetRectVisible(1, false);
  check("GetRectVisible", o.GetRectVisible(1), false);
  o.AddLine(1, 1, 3, 5, 2, 1, 0);
  o.SetLineVisible(1, false);
  check("GetLineVisible", o.GetLineVisible(1), false);
  o.AddMark2(2, 3, "here");
  check("GetMarkVisible", o.GetMarkVisible(1), true);
  o.AddCandleStick(2, 2, 4, 5, 1);
  o.AddLabelToLegend(0xFF, "series");
  o.legendPosition = 2;
  check("legendPosition", o.legendPosition, 2);
});

step("SaveToFile", function () {
  var shell = new ActiveXObject("WScript.Shell");
  var dir = cutAtNull(shell.Environment("PROCESS")("CORVANE_CLIENT_OUT"));
  if (dir === "") dir = cutAtNull(shell.ExpandEnvironmentStrings("%TEMP%"));
  var path = dir + "\\client_js.bmp";
  o.SaveToFile(path);
  var fso = null;
  try {
    fso = new ActiveXObject("Scripting.FileSystemObject");
  } catch (e) {
    fso = null;
  }
  if (fso) {
    check("bitmap exists", fso.FileExists(path), true);
    // 200 pixels of 3 bytes: 600-byte rows, 100 of them, after the 54 header bytes.
    if (fso.FileExists(path)) {
      check("bitmap size", Number(fso.GetFile(path).Size), 54 + 600 * 100);
      fso.DeleteFile(path);
    }
  }
});

step("Dispose", function () {
  o.Dispose();
  check("plotsCount after Dispose", o.plotsCount, 0);
  check("polygonsCount after Dispose", o.polygonsCount, 0);
  check("Width after Dispose", o.Width, 200);
});

o = null;
WScript.Echo("jscript: " + passed + " passed, " + failed + " failed");
WScript.Quit(failed > 0 ? 1 : 0);
