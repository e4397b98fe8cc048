#!/usr/bin/env bash
# Installs what is missing, builds and starts Tesmara from the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --run
scripts/build.sh
exec "${BUILD_DIR:-build}/stage/tesmara"
