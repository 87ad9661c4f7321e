#!/usr/bin/env bash
# The trellis program is a host of the plug-in, not a copy of it: it links
# no code of the plug-in and includes no header of the plug-in but the one
# the plug-in publishes. Checks both on the build in build/ (or $BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
program="$BUILD_DIR/app/trellis"
plugin_code="$BUILD_DIR/plugin/libtrellis_core.a"
for f in "$program" "$plugin_code"; do
  [ -f "$f" ] || { echo "check-host-boundary: $f is missing; build first" >&2; exit 1; }
done

failed=0

# Every strong symbol the plug-in's code defines (its classes, the builder's
# walks, the panel's procedures) must be absent from the program. Local
# symbols and the weak copies of header code that both share are left out.
strong_symbols() { nm -C --defined-only "$1" 2>/dev/null | awk '$2 ~ /^[TDBR]$/ { $1 = ""; $2 = ""; sub(/^  /, ""); print }' | sort -u; }
shared=$(comm -12 <(strong_symbols "$plugin_code") <(strong_symbols "$program"))
if [ -n "$shared" ]; then
  echo "check-host-boundary: $program carries code of the plug-in:" >&2
  echo "$shared" | head -20 >&2
  failed=1
fi
# The names a reader looks for first, in case the plug-in's code changed shape.
if nm -C "$program" | grep -E '\b(TrellisObject|TrellisClassDesc|TrellisCreateCallBack|SectionChooser|SectionListDlgProc)::|\b(walkChains|linkCopies|walkFractions)\(' >&2; then
  echo "check-host-boundary: $program defines or uses plug-in classes or builder functions" >&2
  failed=1
fi

# Headers: app/ may include the plug-in's published interface and the
# resource ids of its panel, nothing else of the plug-in.
if grep -rnE '#include "(builder|object|panel|plugin)/' app | grep -v '#include "object/itrellis_cage.h"' >&2; then
  echo "check-host-boundary: app/ includes headers of the plug-in beyond its published interface" >&2
  failed=1
fi

[ "$failed" -eq 0 ] && echo "check-host-boundary: the program holds no plug-in code and includes only its published interface"
exit "$failed"
