#!/usr/bin/env python3
"""Writes the page's worker script to standard output: one function,
quillmereWorker, holding the conversion module (emscripten's script with the
module's bytes inside), the bundled Data files and the worker's own code. The
page starts the worker from the function's text, so that nothing is fetched.

Usage: make_worker_script.py MODULE_JS WORKER_JS DATA_FOLDER
"""
import base64
import json
import pathlib
import sys


def main():
    module, worker, data = (pathlib.Path(arg) for arg in sys.argv[1:4])
    bundled = {path.name: base64.b64encode(path.read_bytes()).decode("ascii")
               for path in sorted(data.iterdir()) if path.is_file()}
    sys.stdout.write("function quillmereWorker() {\n")
    sys.stdout.write(module.read_text(encoding="utf-8"))
    sys.stdout.write("\nvar bundledData = %s;\n" % json.dumps(bundled))
    sys.stdout.write(worker.read_text(encoding="utf-8"))
    sys.stdout.write("}\n")


main()
