#!/usr/bin/env bash
# Runs scripts/check-includes on small trees made here: one that breaks each
# rule once, and the same tree without the broken includes.
set -u
check="$(cd "$(dirname "$0")/../.." && pwd)/scripts/check-includes"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
failed=0

put() {  # put FILE LINE...: a file of the fixture tree, one include a line
  mkdir -p "$tree/$(dirname "$1")"
  local file=$1; shift
  printf '%s\n' "$@" > "$tree/$file"
}
expect() {  # expect TEXT: a line of the last output holds TEXT
  grep -qF -- "$1" <<<"$out" || { echo "missing: $1"; failed=1; }
}

put src/base/inifile.h '#pragma once'
put src/classlib/control_win.h '#include <windows.h>'
put src/settings/settings.h '#include "base/inifile.h"'
put src/app/core/context.h '#include "settings/settings.h"'
put src/app/window/mainform_win.h '#include "app/core/context.h"' '#include "classlib/control_win.h"'
put src/dialogs/find/finddlg_win.cpp '#include <windows.h>' '#include "settings/settings.h"'
put src/editor/editor_win.h '#include "classlib/control_win.h"' '#include "base/inifile.h"'
put src/editor/lines.h '#include "base/inifile.h"'
put tests/support/tempfolder.h '#include "app/core/context.h"'
put tests/editor/model.h '#include "editor/lines.h"'
put tests/textcode/search_test.cpp '#include "support/tempfolder.h"' '#include <vector>'
put tests/app/window/draw_wintest.cpp '#include "editor/model.h"' '#include "app/window/mainform_win.h"'
put tests/fuzz/fuzz_wrap.cpp '#include "../editor/model.h"'

out=$("$check" "$tree" 2>&1)
[ $? -eq 0 ] || { echo "a clean tree fails:"; echo "$out"; failed=1; }
[ -z "$out" ] || { echo "a clean tree reports: $out"; failed=1; }

put src/dialogs/find/findlogic.cpp '#include <string>' '#include "app/core/context.h"'
put src/textcode/bracket.cpp '#include "classlib/control_win.h"'
put src/base/filebytes.cpp '#include <vector>' '#  include <Windows.h>'
put src/editor/paint.cpp '#include "settings/settings.h"'
put tests/textcode/detect_test.cpp '#include "editor/model.h"'
put tests/fuzz/fuzz_parser.cpp '#include <shellapi.h>'

out=$("$check" "$tree" 2>&1)
[ $? -ne 0 ] || { echo "broken rules pass"; failed=1; }
expect 'src/dialogs/find/findlogic.cpp:2: #include "app/core/context.h": dialogs may include only'
expect 'src/textcode/bracket.cpp:1: #include "classlib/control_win.h": only a *_win file may include a *_win.h header'
expect 'src/textcode/bracket.cpp:1: #include "classlib/control_win.h": textcode may include only base, textcode'
expect 'src/base/filebytes.cpp:2: #  include <Windows.h>: only a *_win file may include a Windows header'
expect 'src/editor/paint.cpp:1: #include "settings/settings.h": editor may include only base, classlib, editor, textcode'
expect 'tests/textcode/detect_test.cpp:1: #include "editor/model.h": tests/textcode may include only tests/support and tests/textcode'
expect 'tests/fuzz/fuzz_parser.cpp:1: #include <shellapi.h>: only a *_win file may include a Windows header'
[ "$(wc -l <<<"$out")" -eq 7 ] || { echo "expected 7 lines, got:"; echo "$out"; failed=1; }
exit $failed
