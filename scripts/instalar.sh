#!/usr/bin/env bash
# Installs, from Debian's archive, whatever this project needs and the machine lacks.
# Idempotent and quick when everything is already there.
set -euo pipefail

paquetes=(
  g++ cmake make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libsqlite3-dev sqlite3
  unixodbc unixodbc-dev odbcinst tdsodbc libsqliteodbc
  xvfb xauth x11-utils xdotool imagemagick
  desktop-file-utils xdg-utils
  fonts-dejavu-core
)

faltan=()
for p in "${paquetes[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done

if ((${#faltan[@]})); then
  echo "Instalando: ${faltan[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${faltan[@]}" >/dev/null
fi
