// ICorvaneEx3 from JScript: every member by name, the hit object, the refused calls.
// Run with: cscript //nologo client3.js

// The shared checks, evaluated in the global scope.
var fso = new ActiveXObject("Scripting.FileSystemObject");
eval(fso.OpenTextFile(fso.BuildPath(fso.GetParentFolderName(WScript.ScriptFullName), "checks.js")).ReadAll());

var E_INVALIDARG = 0x80070057;
var o = new ActiveXObject("Corvane.CorvaneEx");
o.SetSize(400, 300);
o.plotsCount = 2;
o.SetSegment(0, 4);
o.AddPointsToPlot(2, [1, 2, 3], [2, 3, 2]);
o.SetSimplePlot(2);
o.SetPointVisible(2, true);
o.AddMark(3.5, 2.5);

step("layout", function () {
  check("WorldXMin", o.WorldXMin, 0);
  check("WorldXMax", o.WorldXMax, 4);
  check("WorldYMin", Math.abs(o.WorldYMin - 1.9) < 1e-12, true);
  check("WorldYMax", Math.abs(o.WorldYMax - 3.1) < 1e-12, true);
  check("PlotAreaRight", o.PlotAreaRight, 335);
  check("PlotAreaBottom - PlotAreaTop", o.PlotAreaBottom - o.PlotAreaTop, 205);
  check("WorldToPixelX", o.WorldToPixelX(2), 65 + 135);
  check("round trip in y", Math.abs(o.PixelToWorldY(o.WorldToPixelY(2.75)) - 2.75) < 1e-9, true);
  check("PointX", o.PointX(2, 2), 2);
  check("PointY", o.PointY(2, 2), 3);
  check("PlotCapacity", o.PlotCapacity(2), 0);  // JScript reads it; client3.vbs sets it
  check("Antialias", o.Antialias, false);
  o.Antialias = true;
  check("Antialias set", o.Antialias, true);
  o.Antialias = false;
  check("PixelScale", o.PixelScale, 1);
  o.PixelScale = 2;  // the margins double within the same 400 device pixels
  check("PixelScale set", o.PixelScale, 2);
  check("PlotAreaRight at scale 2", o.PlotAreaRight, 400 - 130);
  o.PixelScale = 1;
  check("PlotAreaRight at scale 1", o.PlotAreaRight, 335);
});

step("hits", function () {
  var h = o.HitTest(o.WorldToPixelX(1.5), o.WorldToPixelY(2.5), 3);
  check("the line between points 1 and 2", h.Kind, 2);
  check("plot", h.Plot, 2);
  check("first point", h.Index, 1);
  h = o.HitTest(o.WorldToPixelX(3.5) + 2, o.WorldToPixelY(2.5), 3);
  check("the mark", h.Kind, 3);
  check("mark index", h.Index, 1);
  check("mark X", h.X, 3.5);
  h = o.HitTest(0, 0, 0);
  check("nothing in the corner", h.Kind, 0);
});

checkThrows("PointX(2, 0)", E_INVALIDARG, function () { return o.PointX(2, 0); });
checkThrows("HitTest with a NaN", E_INVALIDARG, function () { return o.HitTest(NaN, 1, 1); });
checkThrows("WorldToPixelY(Infinity)", E_INVALIDARG, function () { return o.WorldToPixelY(Infinity); });
checkThrows("PixelScale = 5", E_INVALIDARG, function () { o.PixelScale = 5; });
checkThrows("PlotCapacity(9)", E_INVALIDARG, function () { return o.PlotCapacity(9); });

o = null;
WScript.Echo("jscript3: " + passed + " passed, " + failed + " failed");
WScript.Quit(failed > 0 ? 1 : 0);
