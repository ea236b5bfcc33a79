// Round-trips the forty properties: a number stays a number, a text a text,
// and each property keeps its own value.
var names = ["JavaVersion", "DiskSpaceRec", "DiskSpaceMin", "MemoryMin", "MemoryRec", "CPUMin", "CPURec",
  "BlueYRM", "RedYRM", "GreenYRM", "BlueBadYRM", "RedBadYRM", "GreenBadYRM", "BlueOkYRM", "RedOkYRM",
  "GreenOkYRM", "Blue2YRM", "Red2YRM", "Green2YRM", "Blue3YRM", "Red3YRM", "Green3YRM", "OSRec", "OSMin",
  "IEVersion", "Zip1", "Zip1URL", "Zip2", "Zip2URL", "JavaURL", "RealURL", "IEURL", "AdobeURL", "FlashURL",
  "recColorDepth", "MinColorDepth", "ScreenRecWid", "ScreenRecHgt", "ScreenMinWid", "ScreenMinHgt"];
var p = new ActiveXObject("Tallymere.Prestova");

function show(label) {
  var line = label + ":";
  for (var i = 0; i < names.length; i++) {
    var v = p[names[i]];
    line += " " + typeof v + "(" + v + ")";
  }
  WScript.Echo(line);
}

WScript.Echo("count " + names.length);
show("created");
for (var i = 0; i < names.length; i++) p[names[i]] = i + 1;
show("integer");
for (var i = 0; i < names.length; i++) p[names[i]] = i + 0.5;
show("double");
for (var i = 0; i < names.length; i++) p[names[i]] = "t" + i;
show("text");
p.CPUMin = true;
WScript.Echo("boolean: " + typeof p.CPUMin + " " + p.CPUMin);
WScript.Echo("DONE");
