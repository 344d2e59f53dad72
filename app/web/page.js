// The page: picks the files, runs the conversion in a worker (worker.js, from
// the text of quillmereWorker, so that the page also works opened from disk),
// shows its status lines, lets the player place the provinces left without an
// owner, and offers the results. Texts from the save and the files are only
// ever set as text, never as markup. <body data-state> tells where it stands:
// loading, ready, converting, placing, done or failed.
"use strict";

(function () {
  var byId = function (id) { return document.getElementById(id); };
  var utf8 = new TextDecoder("utf-8", {fatal: true});
  var windows1252 = new TextDecoder("windows-1252");

  var worker = null;
  var requests = {};
  var nextRequest = 1;
  var ownData = null;    // null: the bundled Data files
  var names = null;      // bytes of province_names.csv
  var saveName = "";
  var downloads = [];    // Blob URLs of the results
  var placing = null;    // the provinces being placed (see startPlacing)
  var report = null;

  // Status lines are bytes: the command line's texts, file names (UTF-8) and
  // text from the save (Windows-1252).
  function textOf(bytes) {
    try {
      return utf8.decode(bytes);
    } catch (error) {
      return windows1252.decode(bytes);
    }
  }

  function setState(state) {
    document.body.setAttribute("data-state", state);
    byId("save-input").disabled = state === "loading" || state === "converting";
  }

  function showError(message) {
    byId("error").textContent = message;
    byId("error").hidden = !message;
  }

  // Lines come faster than frames: the box scrolls to its end once a frame,
  // as reading its height makes the browser lay out the page each time.
  var scrollPending = false;
  function addStatusLine(line) {
    var status = byId("status");
    status.appendChild(document.createTextNode(line + "\n"));
    if (scrollPending) return;
    scrollPending = true;
    requestAnimationFrame(function () {
      scrollPending = false;
      status.scrollTop = status.scrollHeight;
    });
  }

  // The worker ------------------------------------------------------------

  // The module is compiled once, here, while the first worker starts; every
  // worker (a new one replaces one that crashed) gets it compiled.
  var compiledModule = null;

  function bytesOfBase64(text) {
    if (Uint8Array.fromBase64) return Uint8Array.fromBase64(text);
    var binary = atob(text);
    var bytes = new Uint8Array(binary.length);
    for (var i = 0; i < binary.length; i++) bytes[i] = binary.charCodeAt(i);
    return bytes;
  }

  // The bundled Data files, bytes by file name.
  function bundledFiles() {
    var files = {};
    Object.keys(quillmereBundledData).forEach(function (name) {
      files[name] = bytesOfBase64(quillmereBundledData[name]);
    });
    return files;
  }

  function startWorker() {
    if (!compiledModule) compiledModule = WebAssembly.compile(bytesOfBase64(quillmereModuleBytes));
    var source = "(" + quillmereWorker.toString() + ")();";
    worker = new Worker(URL.createObjectURL(new Blob([source], {type: "text/javascript"})));
    var started = worker;
    compiledModule.then(function (module) {
      started.postMessage({command: "start", module: module, bundled: bundledFiles(),
                           example: bytesOfBase64(quillmereExampleSave)});
    }, function (error) {
      crashed({request: null, message: String(error && error.message || error)});
    });
    worker.onmessage = function (event) {
      var message = event.data;
      if (message.type === "status") addStatusLine(textOf(message.bytes));
      else if (message.type === "ready" && document.body.getAttribute("data-state") === "loading") setState("ready");
      else if (message.type === "done") finishRequest(message.request, message);
      else if (message.type === "crashed") crashed(message);
    };
    worker.onerror = function (event) {
      event.preventDefault();
      crashed({request: null, message: event.message || "The converter stopped."});
    };
  }

  // A worker whose module failed cannot be used again: a new one is started,
  // which takes the next save. A module that cannot even start is not retried.
  function crashed(message) {
    worker.terminate();
    requests = {};
    if (document.body.getAttribute("data-state") === "loading") {
      byId("no-webassembly").hidden = false;
      failed("The converter could not start: " + message.message);
      byId("save-input").disabled = true;
      return;
    }
    startWorker();
    failed(/memory/i.test(message.message) ? "Not enough memory: the file is too large for this machine."
                                           : "Error (Exception thrown) while converting file! (" + message.message + ")");
  }

  function ask(message, transfer) {
    return new Promise(function (resolve) {
      message.request = nextRequest++;
      requests[message.request] = resolve;
      worker.postMessage(message, transfer || []);
    });
  }

  function finishRequest(request, message) {
    var resolve = requests[request];
    delete requests[request];
    if (resolve) resolve(message);
  }

  function readFile(file) {
    return file.arrayBuffer();
  }

  // Converting ------------------------------------------------------------

  function resetResults() {
    downloads.forEach(function (url) { URL.revokeObjectURL(url); });
    downloads = [];
    report = null;
    placing = null;
    byId("results").hidden = true;
    byId("placing").hidden = true;
    byId("report-view").textContent = "";
    byId("province-lookup-result").textContent = "";
    byId("plan-messages").hidden = true;
    showError("");
  }

  function convertFile(file) {
    var state = document.body.getAttribute("data-state");
    if (state === "loading" || state === "converting") return;
    resetResults();
    byId("status").textContent = "";
    saveName = file.name;
    setState("converting");
    readFile(file).then(function (bytes) {
      return ask({command: "convert", saveName: saveName, save: bytes, data: ownData, names: names}, [bytes]);
    }, function () {
      failed("Could not load the Saltmarch savegame file!");
    }).then(function (answer) {
      if (answer) converted(answer);
    });
  }

  function failed(message) {
    placing = null;
    byId("placing").hidden = true;
    showError(message);
    setState("failed");
  }

  // Stages of web_session.h: 0 failed, 1 placing, 2 done.
  function converted(answer) {
    if (answer.result === 0 || answer.result < 0) {
      failed(textOf(answer.outputs.message) || "There were errors when converting this file!");
    } else if (answer.result === 1) {
      startPlacing(JSON.parse(textOf(answer.outputs.missing)));
    } else {
      showResults(answer.outputs);
    }
  }

  function baseName(name) {
    return name.replace(/\.kst$/i, "");
  }

  function offer(id, bytes, type, name) {
    var url = URL.createObjectURL(new Blob([bytes], {type: type}));
    downloads.push(url);
    var link = byId(id);
    link.href = url;
    link.download = name;
    link.textContent = name;
  }

  function showResults(outputs) {
    placing = null;
    byId("placing").hidden = true;
    offer("scenario-download", outputs.scenario, "application/octet-stream", saveName);
    offer("report-md-download", outputs["report-md"], "text/markdown", baseName(saveName) + "-report.md");
    offer("report-json-download", outputs["report-json"], "application/json", baseName(saveName) + "-report.json");
    report = JSON.parse(textOf(outputs["report-json"]));
    showReport(report);
    byId("results").hidden = false;
    setState("done");
  }

  // Placing the provinces left without an owner -----------------------------
  //
  // entries: one per missing province, in the conversion's order, {id, label,
  // move} (move: the index in moves of the move that placed it, or -1);
  // moves: {tag, entries, how}, undone from the last; shown: entry indexes
  // the filter lets through; selected: entry indexes; focus, anchor: entry
  // indexes in the list.

  function startPlacing(missing) {
    placing = {
      tags: missing.tags,
      entries: missing.ids.map(function (id, i) { return {id: id, label: missing.labels[i], move: -1}; }),
      moves: [],
      history: [],
      shown: [],
      selected: new Set(),
      focus: -1,
      anchor: -1
    };
    var select = byId("country-select");
    select.textContent = "";
    missing.tags.forEach(function (tag, i) {
      var option = document.createElement("option");
      option.value = tag;
      option.textContent = tag;
      option.setAttribute("data-index", String(i));
      select.appendChild(option);
    });
    byId("missing-filter").value = "";
    byId("placing").hidden = false;
    setState("placing");
    renderPlacing();
  }

  function unplacedIndexes() {
    var indexes = [];
    placing.entries.forEach(function (entry, i) { if (entry.move < 0) indexes.push(i); });
    return indexes;
  }

  function matchesFilter(entry, filter) {
    return !filter || String(entry.id).indexOf(filter) === 0 || entry.label.toLowerCase().indexOf(filter) >= 0;
  }

  function renderPlacing() {
    var filter = byId("missing-filter").value.trim().toLowerCase();
    var list = byId("missing-list");
    var unplaced = unplacedIndexes();
    placing.shown = unplaced.filter(function (i) { return matchesFilter(placing.entries[i], filter); });
    placing.selected.forEach(function (i) {
      if (placing.entries[i].move >= 0) placing.selected.delete(i);
    });
    if (placing.shown.indexOf(placing.focus) < 0) placing.focus = placing.shown.length ? placing.shown[0] : -1;
    list.textContent = "";
    placing.shown.forEach(function (i) {
      var entry = placing.entries[i];
      var item = document.createElement("li");
      item.id = "missing-" + i;
      item.setAttribute("role", "option");
      item.setAttribute("data-province-id", String(entry.id));
      item.setAttribute("data-entry", String(i));
      item.setAttribute("aria-selected", placing.selected.has(i) ? "true" : "false");
      if (i === placing.focus) item.className = "focused";
      item.textContent = entry.label;
      list.appendChild(item);
    });
    if (placing.focus >= 0) list.setAttribute("aria-activedescendant", "missing-" + placing.focus);
    else list.removeAttribute("aria-activedescendant");
    byId("missing-count").textContent = unplaced.length + " of " + placing.entries.length + " left to place.";
    byId("assign-button").disabled = placing.selected.size === 0 || !placing.tags.length;
    byId("rest-button").disabled = unplaced.length === 0 || !placing.tags.length;
    byId("undo-button").disabled = placing.history.length === 0;
    byId("finish-button").disabled = unplaced.length > 0;
    renderPlaced();
  }

  function renderPlaced() {
    var list = byId("placed-list");
    list.textContent = "";
    placementOf().forEach(function (assignment) {
      var item = document.createElement("li");
      item.textContent = placing.tags[assignment.tag] + ": " + assignment.ids.join(" ");
      list.appendChild(item);
    });
  }

  function selectedTag() {
    var select = byId("country-select");
    return select.selectedIndex;
  }

  // One step that undo takes back: some moves.
  function record(moves) {
    if (!moves.length) return;
    placing.history.push(moves.length);
    moves.forEach(function (move) {
      move.entries.forEach(function (i) { placing.entries[i].move = placing.moves.length; });
      placing.moves.push(move);
    });
    renderPlacing();
  }

  function giveSelected() {
    var tag = selectedTag();
    if (tag < 0 || !placing.selected.size) return;
    var chosen = unplacedIndexes().filter(function (i) { return placing.selected.has(i); });
    placing.selected.clear();
    record([{tag: tag, entries: chosen, how: "dialog"}]);
  }

  function giveRest() {
    var tag = selectedTag();
    if (tag < 0) return;
    placing.selected.clear();
    record([{tag: tag, entries: unplacedIndexes(), how: "dialog"}]);
  }

  function undo() {
    var count = placing.history.pop();
    if (!count) return;
    placing.moves.splice(placing.moves.length - count, count).forEach(function (move) {
      move.entries.forEach(function (i) { placing.entries[i].move = -1; });
    });
    renderPlacing();
  }

  // The placement as the conversion takes it: per country and way of giving,
  // in the order they first received a province, the ids in the order given.
  function placementOf() {
    var placement = [];
    placing.moves.forEach(function (move) {
      var found = placement.filter(function (a) { return a.tag === move.tag && a.how === move.how; })[0];
      if (!found) {
        found = {tag: move.tag, ids: [], how: move.how};
        placement.push(found);
      }
      move.entries.forEach(function (i) { found.ids.push(placing.entries[i].id); });
    });
    return placement;
  }

  function finishPlacing() {
    if (!placing || unplacedIndexes().length) return;
    var placement = placementOf();
    setState("converting");
    ask({command: "finish", placement: placement}).then(converted);
  }

  // Selection in the list: click, Shift+click, Ctrl+click; keys.
  function selectRange(from, to) {
    var a = placing.shown.indexOf(from), b = placing.shown.indexOf(to);
    if (a < 0) a = b;
    placing.shown.slice(Math.min(a, b), Math.max(a, b) + 1).forEach(function (i) { placing.selected.add(i); });
  }

  function choose(entry, event) {
    if (event.shiftKey && placing.anchor >= 0) {
      if (!(event.ctrlKey || event.metaKey)) placing.selected.clear();
      selectRange(placing.anchor, entry);
    } else if (event.ctrlKey || event.metaKey) {
      if (placing.selected.has(entry)) placing.selected.delete(entry);
      else placing.selected.add(entry);
      placing.anchor = entry;
    } else {
      placing.selected.clear();
      placing.selected.add(entry);
      placing.anchor = entry;
    }
    placing.focus = entry;
    renderPlacing();
    var item = byId("missing-" + entry);
    if (item) item.scrollIntoView({block: "nearest"});
  }

  function onListClick(event) {
    var item = event.target.closest("li[data-entry]");
    if (!item || !placing) return;
    byId("missing-list").focus();
    choose(Number(item.getAttribute("data-entry")), event);
  }

  function onListKey(event) {
    if (!placing || !placing.shown.length) return;
    var at = placing.shown.indexOf(placing.focus);
    var moves = {ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: placing.shown.length - 1,
                 PageDown: at + 10, PageUp: at - 10};
    if (event.key in moves) {
      var to = placing.shown[Math.max(0, Math.min(placing.shown.length - 1, moves[event.key]))];
      if (event.shiftKey) {
        choose(to, {shiftKey: true, ctrlKey: true});
      } else {
        placing.focus = to;
        renderPlacing();
        var item = byId("missing-" + to);
        if (item) item.scrollIntoView({block: "nearest"});
      }
    } else if (event.key === " ") {
      choose(placing.focus, {ctrlKey: true});
    } else if ((event.key === "a" || event.key === "A") && (event.ctrlKey || event.metaKey)) {
      selectShown();
    } else if (event.key === "Enter") {
      giveSelected();
    } else {
      return;
    }
    event.preventDefault();
  }

  function selectShown() {
    placing.shown.forEach(function (i) { placing.selected.add(i); });
    renderPlacing();
  }

  // Plans, in the format of quillmere convert --assign ----------------------

  function showPlanMessages(lines) {
    byId("plan-messages").textContent = lines.join("\n");
    byId("plan-messages").hidden = !lines.length;
  }

  function importPlan(file) {
    if (!placing) return;
    readFile(file).then(function (bytes) {
      return ask({command: "read-plan", plan: bytes, planName: file.name}, [bytes]);
    }).then(function (answer) {
      if (answer.result !== 0) {
        showPlanMessages(textOf(answer.outputs.messages).replace(/\n$/, "").split("\n"));
        return;
      }
      carryOutPlan(file.name, JSON.parse(textOf(answer.outputs.plan)));
    });
  }

  // As the command line carries out a plan: every entry's country must be
  // offered; ids are given to their first unplaced province; ids that are not
  // missing, or more often named than missing, are passed over with a warning.
  function carryOutPlan(name, entries) {
    var unknown = entries.filter(function (entry) { return entry.tag < 0; })[0];
    if (unknown) {
      showPlanMessages(["The plan " + name + " gives provinces to " + unknown.tagText +
                        ", which the scenario does not offer. Offered: " + placing.tags.join(" ")]);
      return;
    }
    var taken = new Set();
    var notMissing = [], repeated = [];
    var moves = entries.map(function (entry) {
      var move = {tag: entry.tag, entries: [], how: "plan"};
      entry.ids.forEach(function (id) {
        var found = placing.entries.findIndex(function (e, i) { return e.id === id && e.move < 0 && !taken.has(i); });
        if (found >= 0) {
          taken.add(found);
          move.entries.push(found);
        } else {
          var missing = placing.entries.some(function (e) { return e.id === id; });
          (missing ? repeated : notMissing).push(id);
        }
      });
      return move;
    }).filter(function (move) { return move.entries.length; });
    var lines = [];
    if (notMissing.length)
      lines.push("Warning: the plan " + name + " names provinces that are not missing; passed over: " +
                 notMissing.join(" "));
    if (repeated.length)
      lines.push("Warning: the plan " + name + " names provinces more often than they are missing; the first " +
                 "entries count, passed over: " + repeated.join(" "));
    showPlanMessages(lines);
    placing.selected.clear();
    record(moves);
  }

  function exportPlan() {
    if (!placing) return;
    var unplaced = unplacedIndexes().map(function (i) { return placing.entries[i].id; });
    ask({command: "write-plan", placement: placementOf(), unplaced: unplaced}).then(function (answer) {
      var url = URL.createObjectURL(new Blob([answer.outputs.plan], {type: "text/plain"}));
      var link = document.createElement("a");
      link.href = url;
      link.download = baseName(saveName) + "-plan.txt";
      document.body.appendChild(link);
      link.click();
      link.remove();
      setTimeout(function () { URL.revokeObjectURL(url); }, 60000);
    });
  }

  // The report ------------------------------------------------------------

  function table(caption, headings, rows) {
    var section = document.createElement("section");
    var title = document.createElement("h4");
    title.textContent = caption + " (" + rows.length + ")";
    section.appendChild(title);
    if (!rows.length) {
      var none = document.createElement("p");
      none.textContent = "None.";
      section.appendChild(none);
      return section;
    }
    var wrapper = document.createElement("div");
    wrapper.className = "table-wrapper";
    var element = document.createElement("table");
    var head = element.createTHead().insertRow();
    headings.forEach(function (heading) {
      var cell = document.createElement("th");
      cell.scope = "col";
      cell.textContent = heading;
      head.appendChild(cell);
    });
    var body = element.createTBody();
    rows.forEach(function (row) {
      var line = body.insertRow();
      row.forEach(function (value) { line.insertCell().textContent = value === undefined ? "" : String(value); });
    });
    wrapper.appendChild(element);
    section.appendChild(wrapper);
    return section;
  }

  function showReport(data) {
    var view = byId("report-view");
    view.textContent = "";
    var countries = data.countries || [];
    var kept = countries.filter(function (c) { return c.fate !== "dropped"; });
    var dropped = countries.filter(function (c) { return c.fate === "dropped"; });
    view.appendChild(table("Countries of the save",
      ["Source", "Fate", "Target", "Provinces", "Divisions", "Naval units", "Industrial capacity"],
      kept.map(function (c) {
        return [c.source, c.fate, c.target, c.provincesFromItsLists, c.divisions, c.navalUnits, c.industrialCapacity];
      })));
    view.appendChild(table("Dropped countries", ["Source", "Provinces held", "Units"],
      dropped.map(function (c) { return [c.source, c.heldProvinces, c.heldUnits]; })));
    view.appendChild(table("Countries of the scenario", ["Tag", "Provinces owned", "Industrial capacity"],
      (data.scenarioCountries || []).map(function (c) { return [c.tag, c.provincesOwned, c.industrialCapacity]; })));
    view.appendChild(table("Unmapped provinces of the save", ["Source province"],
      (data.unmappedProvinces || []).map(function (id) { return [id]; })));
    view.appendChild(table("Contests", ["Province", "Shares", "Winner"],
      (data.contests || []).map(function (c) {
        return [c.province, c.shares.map(function (s) { return s.country + " " + s.weight; }).join(", "), c.winner];
      })));
    view.appendChild(table("Placed provinces", ["Province", "Country", "How"],
      (data.placedProvinces || []).map(function (p) { return [p.province, p.country, p.how]; })));
    view.appendChild(table("Alliances", ["Name", "Leader", "Members"],
      (data.alliances || []).map(function (a) { return [a.name, a.leader, a.members.join(", ")]; })));
  }

  function lookUp() {
    var result = byId("province-lookup-result");
    var id = Number(byId("province-lookup").value);
    if (!report || !byId("province-lookup").value) {
      result.textContent = "";
      return;
    }
    var province = (report.provinces || []).filter(function (p) { return p.id === id; })[0];
    if (!province) {
      result.textContent = "The scenario has no province " + byId("province-lookup").value + ".";
      return;
    }
    result.textContent = "Province " + province.id + ": owner " + (province.owner || "none") +
      ", controller " + (province.controller || "none") +
      ", from source provinces " + (province.sources.length ? province.sources.join(", ") : "none") +
      (province.reason ? "; why: " + province.reason : "") + ".";
  }

  // Data files and names --------------------------------------------------

  var dataKeyOf = {"provinces.txt": "provinces", "countries.txt": "countries", "bases.txt": "bases", "data.txt": "data"};

  function chooseData(fileList) {
    var files = Array.prototype.slice.call(fileList).filter(function (file) {
      return dataKeyOf[file.name.toLowerCase()] !== undefined;
    });
    if (!files.length) {
      byId("data-choice").textContent = "None of the files picked is Countries.txt, Bases.txt, Data.txt or Provinces.txt; " +
        (ownData ? "still using the data given before." : "still using the bundled Data files.");
      return;
    }
    var path = files[0].webkitRelativePath || "";
    var folder = path.indexOf("/") > 0 ? path.slice(0, path.lastIndexOf("/")) : "";
    Promise.all(files.map(readFile)).then(function (contents) {
      var given = {folder: folder || "Data", files: {}};
      files.forEach(function (file, i) {
        given.files[dataKeyOf[file.name.toLowerCase()]] = {name: file.webkitRelativePath || file.name, bytes: contents[i]};
      });
      ownData = given;
      byId("data-choice").textContent = "Using my own data: " +
        files.map(function (file) { return file.webkitRelativePath || file.name; }).join(", ") + ".";
      checkData();
    });
  }

  // The findings of quillmere check-data, shown when own data is chosen.
  function checkData() {
    ask({command: "check-data", data: copyOf(ownData)}).then(function (answer) {
      var findings = byId("data-findings");
      var text = textOf(answer.outputs.findings);
      findings.textContent = text || "No findings: the data is fine.";
      findings.hidden = false;
      byId("options").open = true;
    });
  }

  // The data stays with the page for later conversions: the worker gets copies.
  function copyOf(data) {
    if (!data) return null;
    var files = {};
    Object.keys(data.files).forEach(function (key) {
      files[key] = {name: data.files[key].name, bytes: data.files[key].bytes.slice(0)};
    });
    return {folder: data.folder, files: files};
  }

  function chooseNames(file) {
    readFile(file).then(function (bytes) {
      names = bytes;
      if (!placing) return;
      ask({command: "names", names: bytes.slice(0)}).then(function (answer) {
        JSON.parse(textOf(answer.outputs.missing)).labels.forEach(function (label, i) {
          placing.entries[i].label = label;
        });
        renderPlacing();
      });
    });
  }

  // Wiring ----------------------------------------------------------------

  function wire() {
    byId("save-input").addEventListener("change", function (event) {
      if (event.target.files.length) convertFile(event.target.files[0]);
      event.target.value = "";
    });
    var zone = document.body;
    zone.addEventListener("dragover", function (event) {
      event.preventDefault();
      byId("drop-zone").classList.add("dragging");
    });
    zone.addEventListener("dragleave", function () { byId("drop-zone").classList.remove("dragging"); });
    zone.addEventListener("drop", function (event) {
      event.preventDefault();
      byId("drop-zone").classList.remove("dragging");
      if (event.dataTransfer.files.length) convertFile(event.dataTransfer.files[0]);
    });
    byId("data-input").addEventListener("change", function (event) { chooseData(event.target.files); });
    byId("data-folder-input").addEventListener("change", function (event) { chooseData(event.target.files); });
    byId("bundled-data-button").addEventListener("click", function () {
      ownData = null;
      byId("data-input").value = "";
      byId("data-folder-input").value = "";
      byId("data-findings").hidden = true;
      byId("data-choice").textContent = "Using the bundled Data files.";
    });
    byId("names-input").addEventListener("change", function (event) {
      if (event.target.files.length) chooseNames(event.target.files[0]);
    });
    byId("missing-list").addEventListener("click", onListClick);
    byId("missing-list").addEventListener("mousedown", function (event) {
      if (event.shiftKey) event.preventDefault();  // no text selection
    });
    byId("missing-list").addEventListener("keydown", onListKey);
    byId("missing-filter").addEventListener("input", function () { if (placing) renderPlacing(); });
    byId("select-shown-button").addEventListener("click", function () { if (placing) selectShown(); });
    byId("assign-button").addEventListener("click", function () { if (placing) giveSelected(); });
    byId("rest-button").addEventListener("click", function () { if (placing) giveRest(); });
    byId("undo-button").addEventListener("click", function () { if (placing) undo(); });
    byId("finish-button").addEventListener("click", finishPlacing);
    byId("plan-input").addEventListener("change", function (event) {
      if (event.target.files.length) importPlan(event.target.files[0]);
      event.target.value = "";
    });
    byId("plan-export").addEventListener("click", exportPlan);
    byId("province-lookup").addEventListener("input", lookUp);
  }

  if (typeof WebAssembly !== "object" || typeof Worker !== "function") {
    byId("no-webassembly").hidden = false;
    document.body.setAttribute("data-state", "failed");
    return;
  }
  wire();
  startWorker();
})();
