#!/usr/bin/env bash
# Fails when the controls reach past the standard library and our own interfaces: no system,
# backend or third-party header in control/, render/, scrollbar/ or about/, so they build unchanged
# for every host. Operating-system calls belong behind platform/ or automation/ functions.
set -euo pipefail
cd "$(dirname "$0")/.."
pattern='#include <(sys/|unistd\.h|locale\.h|windows\.h|pthread|dlfcn|SDL|ft2build|freetype|png\.h|nlohmann|X11)'
if grep -rnE "$pattern" control render scrollbar about; then
  echo "the controls include a system or backend header (above): move the call behind platform/ or automation/"
  exit 1
fi
