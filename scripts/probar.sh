#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$raiz/scripts/instalar.sh"
bash "$raiz/scripts/compilar.sh"
cd "$raiz/build"
ctest --output-on-failure -j"$(nproc)"
