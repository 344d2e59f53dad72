// The page's worker: runs the conversion module (web_bridge.cpp) on what the
// page sends, and answers with the status lines as they come and then the
// results. It runs inside the function quillmereWorker (make_worker_script.py),
// beside QuillmereModule. The page's first message, {command: "start",
// module, bundled}, gives it the compiled module and the bundled Data files
// (bytes by file name); it answers {type: "ready"} when the module runs.
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
      postMessage({type: "status", bytes: bytes}, [bytes.buffer]);
    }
  });
}

var modulePromise = null;

onmessage = function (event) {
  var message = event.data;
  if (message.command === "start") {
    bundled = bundledData(message.bundled);
    modulePromise = start(message.module);
    modulePromise.then(function () {
      postMessage({type: "ready"});
    }, function (error) {
      postMessage({type: "crashed", request: null, message: String(error && error.message || error)});
    });
    return;
  }
  modulePromise.then(function (module) {
    try {
      putInputs(module, message);
      var result = module.ccall("quillmere_run", "number", ["string"], [message.command]);
      var outputs = {};
      var transfer = [];
      outputsOf[message.command].forEach(function (key) {
        outputs[key] = output(module, key);
        transfer.push(outputs[key].buffer);
      });
      postMessage({type: "done", request: message.request, result: result, outputs: outputs}, transfer);
    } catch (error) {
      postMessage({type: "crashed", request: message.request, message: String(error && error.message || error)});
    }
  });
};
