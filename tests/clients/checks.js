// The checks the JScript clients share: the counters, check, step, checkThrows and
// cutAtNull. A client reads this file with eval (see client.js).
var passed = 0, failed = 0;

function check(name, actual, expected) {
  if (typeof actual === typeof expected && actual === expected) {
    passed++;
  } else {
    failed++;
    WScript.Echo("FAIL " + name + ": got [" + actual + "] (" + typeof actual + "), want [" +
                 expected + "] (" + typeof expected + ")");
  }
}

// Runs one step; an exception is a failure of that step, not the end of the script.
function step(name, body) {
  try {
    body();
  } catch (e) {
    failed++;
    WScript.Echo("FAIL " + name + ": exception " + (e.number >>> 0).toString(16) + " " +
                 e.description);
  }
}

// The call must throw the HRESULT `code`.
function checkThrows(name, code, body) {
  var got = 0;
  try {
    body();
  } catch (e) {
    got = e.number >>> 0;
  }
  check(name, got.toString(16), code.toString(16));
}

function cutAtNull(s) {
  var at = String(s).indexOf("\u0000");
  return at >= 0 ? String(s).substring(0, at) : String(s);
}
