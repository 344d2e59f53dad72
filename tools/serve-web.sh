#!/usr/bin/env bash
# Builds the page (tools/build-web.sh) and serves build-web/site on this
# machine only: http://127.0.0.1:PORT/ (default port 8642).
set -euo pipefail
cd "$(dirname "$0")/.."
port=${1:-8642}
tools/build-web.sh
echo "http://127.0.0.1:$port/"
exec python3 -m http.server --bind 127.0.0.1 --directory build-web/site "$port"
