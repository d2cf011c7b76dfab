#!/usr/bin/env bash
# Installs what is missing, builds the program, creates the embedded demo
# database when it is missing and starts the program logged in on it.
# Arguments, when given, replace the default launch string. Without a display
# the program runs under Xvfb.
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$raiz/scripts/instalar.sh"
bash "$raiz/scripts/compilar.sh" --target DefConsultas crear_demo

# The built-in server LOCAL is the embedded backend in the program's datos/ folder.
if [ ! -f "$raiz/build/datos/EMPRESA.db" ]; then
  "$raiz/build/crear_demo" "$raiz/build/datos"
fi

if (($#)); then
  lanzamiento=("$@")
else
  lanzamiento=("@Server=LOCAL; @DbName=EMPRESA; @Usuario=ADMIN; @Password=EMPRESA;")
fi

programa="$raiz/build/DefConsultas"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ] || [ "${QT_QPA_PLATFORM:-}" = offscreen ]; then
  exec "$programa" "${lanzamiento[@]}"
else
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$programa" "${lanzamiento[@]}"
fi
