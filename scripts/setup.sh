#!/usr/bin/env bash
# Installs what building, running and testing need, once; a second run finds it all
# in place and does nothing. Run as root on Debian 12.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# Installed without recommends, so the X libraries and fonts Wine draws with are named here.
packages=(
  cmake make g++ googletest                                      # build, native tests
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64           # Windows build, objdump
  wine wine64 fonts-wine libxrender1 libxrandr2 libxcursor1 libxi6 libxinerama1
  libxcomposite1 libxfixes3 libxxf86vm1                          # Wine and what it draws with
  locales fonts-arphic-gbsn00lp                                  # code page 936, 宋体 stand-in
  xvfb xauth xfonts-base x11-utils xdotool imagemagick           # virtual display, screenshots
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The ANSI code page under Wine comes from the locale: zh_CN.UTF-8 gives 936. The program is also
# tested, and tried by hand, under system languages whose code page is another.
locales=(zh_CN en_US de_DE)
for l in "${locales[@]}"; do
  if ! locale -a 2>/dev/null | grep -qi "^$l\.utf-\?8\$"; then
    echo "setup: generating the $l.UTF-8 locale"
    sed -i "s/^# *\($l.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$l.UTF-8 UTF-8" /etc/locale.gen || echo "$l.UTF-8 UTF-8" >> /etc/locale.gen
    generate=1
  fi
done
if [ -n "${generate:-}" ]; then locale-gen >/dev/null; fi

# The project's own Wine prefix, made once.
prefix="${WINEPREFIX:-$root/build/wineprefix}"
# A new stamp makes the set-up below run again on prefixes made before its last change.
stamp="$prefix/.namegen-ready-4"
if [ ! -f "$stamp" ]; then
  echo "setup: setting up the Wine prefix in $prefix"
  mkdir -p "$prefix"
  "$root/scripts/wine-run" wineboot --init >/dev/null 2>&1 || true
  # The layout is drawn for 宋体 at -13 measuring 13 pixels; this font has those metrics.
  for face in 宋体 SimSun; do
    "$root/scripts/wine-run" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" \
      /t REG_SZ /d 'AR PL SungtiL GB' /f >/dev/null 2>&1
  done
  # A crashing program ends at once: the crash debugger is a program that does not exist, so none
  # starts. (Without the value Wine falls back to its own debugger, which waits.)
  "$root/scripts/wine-run" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
    /v Debugger /t REG_SZ /d 'no-crash-debugger.exe' /f >/dev/null 2>&1
  # Ending the server writes the registry out.
  "$root/scripts/wine-run" --kill-server
  touch "$stamp"
fi
