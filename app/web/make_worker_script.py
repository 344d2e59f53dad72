#!/usr/bin/env python3
"""Writes the page's worker script to standard output:
- quillmereModuleBytes, the conversion module's bytes in base64, which the
  page compiles while the worker starts and hands to it compiled;
- quillmereBundledData, the bundled Data files in base64 by name, and
  quillmereExampleSave, the small example save in base64, which the page
  decodes and hands to the worker (which converts the example to warm up);
- one function, quillmereWorker, holding emscripten's script for the module
  and the worker's own code. The page starts the worker from the function's
  text, so that nothing is fetched; the bytes stay outside it, so that the
  worker does not parse them again.

Usage: make_worker_script.py MODULE_JS MODULE_WASM WORKER_JS DATA_FOLDER EXAMPLE_SAVE
"""
import base64
import json
import pathlib
import sys


def base64_of(path):
    return base64.b64encode(path.read_bytes()).decode("ascii")


def main():
    module, wasm, worker, data, example = (pathlib.Path(arg) for arg in sys.argv[1:6])
    bundled = {path.name: base64_of(path) for path in sorted(data.iterdir()) if path.is_file()}
    sys.stdout.write('var quillmereModuleBytes = "%s";\n' % base64_of(wasm))
    sys.stdout.write("var quillmereBundledData = %s;\n" % json.dumps(bundled))
    sys.stdout.write('var quillmereExampleSave = "%s";\n' % base64_of(example))
    sys.stdout.write("function quillmereWorker() {\n")
    sys.stdout.write(module.read_text(encoding="utf-8"))
    sys.stdout.write("\n")
    sys.stdout.write(worker.read_text(encoding="utf-8"))
    sys.stdout.write("}\n")


main()
