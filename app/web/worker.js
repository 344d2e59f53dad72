// The page's worker: runs the conversion module (web_bridge.cpp) on what the
// page sends, and answers with the status lines as they come and then the
// results. It runs inside the function quillmereWorker (make_worker_script.py),
// beside QuillmereModule. The page's first message, {command: "start",
// module, bundled, example}, gives it the compiled module, the bundled Data
// files (bytes by file name) and the example save; it answers {type:
// "ready"} when the module runs.
// Then messages from the page, each answered by {type: "done", request,
// result, outputs}:
//   {request, command: "convert", saveName, save, data, names}
//   {request, command: "finish", placement}
//   {request, command: "names", names}
//   {request, command: "check-data", data}
//   {request, command: "read-plan", planName, plan}
//   {request, command: "write-plan", placement, unplaced}
// data is null for the bundled Data files, or {folder, files: {countries:
// {name, bytes}, ...}}; bytes are ArrayBuffers. A module that crashes answers
// {type: "crashed", request, message}; the page then starts a new worker.
"use strict";

var encoder = new TextEncoder();
var dataKeys = ["provinces", "countries", "bases", "data"];
var dataFileNames = {provinces: "Provinces.txt", countries: "Countries.txt", bases: "Bases.txt", data: "Data.txt"};
var outputsOf = {
  "convert": ["message", "missing", "scenario", "report-md", "report-json"],
  "finish": ["message", "missing", "scenario", "report-md", "report-json"],
  "names": ["missing"],
  "check-data": ["findings"],
  "read-plan": ["plan", "messages"],
  "write-plan": ["plan"]
};

function put(module, key, bytes) {
  var view = bytes instanceof Uint8Array ? bytes : new Uint8Array(bytes);
  var at = module._malloc(Math.max(view.length, 1));
  if (!at) throw new Error("Not enough memory: the file is too large for this machine.");
  module.HEAPU8.set(view, at);
  module.ccall("quillmere_put", null, ["string", "number", "number"], [key, at, view.length]);
}

function putText(module, key, text) {
  put(module, key, encoder.encode(text));
}

var bundled = null;  // the bundled Data files as data is given (below)

function bundledData(files) {
  var data = {folder: "Data", files: {}};
  dataKeys.forEach(function (key) {
    var bytes = files[dataFileNames[key]];
    if (bytes) data.files[key] = {name: "Data/" + dataFileNames[key], bytes: bytes};
  });
  return data;
}

function putData(module, data) {
  var given = data || bundled;
  dataKeys.forEach(function (key) {
    var file = given.files[key];
    putText(module, key + "-name", file ? file.name : given.folder + "/" + dataFileNames[key]);
    if (file) put(module, key, file.bytes);
  });
  putText(module, "data-folder", given.folder);
}

function putInputs(module, message) {
  if (message.command === "convert" || message.command === "check-data") putData(module, message.data);
  if (message.save) put(module, "save", message.save);
  if (message.saveName !== undefined) putText(module, "save-name", message.saveName);
  if (message.names) put(module, "names", message.names);
  if (message.plan) put(module, "plan", message.plan);
  if (message.planName !== undefined) putText(module, "plan-name", message.planName);
  if (message.placement) putText(module, "placement", JSON.stringify(message.placement));
  if (message.unplaced) putText(module, "unplaced", JSON.stringify(message.unplaced));
}

function output(module, key) {
  var at = module.ccall("quillmere_output", "number", ["string"], [key]);
  var size = module.ccall("quillmere_output_size", "number", ["string"], [key]);
  return module.HEAPU8.slice(at, at + size);
}

// Starts the module on the WebAssembly.Module the page compiled.
function start(compiled) {
  return QuillmereModule({
    instantiateWasm: function (imports, receive) {
      WebAssembly.instantiate(compiled, imports).then(function (instance) { receive(instance, compiled); });
      return {};
    },
    onStatusLine: function (bytes) {
      if (!warming) postMessage({type: "status", bytes: bytes}, [bytes.buffer]);
    }
  });
}

// Runs a command of the page's on the module; answers {result, outputs}.
function runCommand(module, message) {
  putInputs(module, message);
  var result = module.ccall("quillmere_run", "number", ["string"], [message.command]);
  var outputs = {};
  outputsOf[message.command].forEach(function (key) { outputs[key] = output(module, key); });
  return {result: result, outputs: outputs};
}

// A fresh module's first conversion is several times slower than the next
// ones: its code is compiled a function at a time as it is first called, and
// on some systems every fresh page of its memory faults in, slowly (a 40 MB
// save grows the heap by some 100 MB). While the worker waits for the player,
// it converts the small example save once, placing what it leaves to the
// first country offered and dropping the results and status lines, and then
// touches the memory above the heap's end, into which the next conversion
// grows, a slice at a time. Each step is a task of its own, so that a message
// from the page waits for one step at most; once one comes, the warming
// stops. The memory beyond the heap's end belongs to no one and is zero; it
// stays zero.
var warming = false;
var warmLimit = 128 << 20;
var warmSlice = 2 << 20;
var warmedTo = 0;

// Runs one step of the warming unless a message from the page came first;
// each step schedules the next. A step that fails ends the warming, unseen.
function warmStep(step, module, argument) {
  if (!warming) return;
  try {
    step(module, argument);
  } catch (error) {
    warming = false;
  }
}

function warmConvert(module, example) {
  var stage = runCommand(module, {command: "convert", saveName: "example.kst", save: example, data: null});
  var missing = stage.result === 1 ? JSON.parse(new TextDecoder().decode(stage.outputs.missing)).ids : [];
  setTimeout(warmStep, 0, warmFinish, module, missing);
}

function warmFinish(module, missing) {
  if (missing.length) runCommand(module, {command: "finish", placement: [{tag: 0, ids: missing, how: "dialog"}]});
  setTimeout(warmStep, 0, warmHeap, module);
}

function warmHeap(module) {
  var from = Math.max(module._sbrk(0), warmedTo);
  var to = Math.min(from + warmSlice, warmLimit, module.HEAPU8.length);
  if (from >= to) {
    warming = false;
    return;
  }
  module.HEAPU8.fill(0, from, to);
  warmedTo = to;
  setTimeout(warmStep, 0, warmHeap, module);
}

var modulePromise = null;

onmessage = function (event) {
  var message = event.data;
  if (message.command === "start") {
    bundled = bundledData(message.bundled);
    modulePromise = start(message.module);
    modulePromise.then(function (module) {
      postMessage({type: "ready"});
      warming = true;
      setTimeout(warmStep, 0, warmConvert, module, message.example);
    }, function (error) {
      postMessage({type: "crashed", request: null, message: String(error && error.message || error)});
    });
    return;
  }
  warming = false;
  modulePromise.then(function (module) {
    try {
      var answer = runCommand(module, message);
      var transfer = Object.keys(answer.outputs).map(function (key) { return answer.outputs[key].buffer; });
      postMessage({type: "done", request: message.request, result: answer.result, outputs: answer.outputs}, transfer);
    } catch (error) {
      postMessage({type: "crashed", request: message.request, message: String(error && error.message || error)});
    }
  });
};
