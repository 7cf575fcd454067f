#!/usr/bin/env bash
# scripts/bench.sh: builds what the benchmarks need, runs every one of them,
# natively and under Wine, and prints one table: each figure beside its
# baseline measured in the same run and their ratio, or alone where it has
# none. Each benchmark's own report stays in build/bench-reports/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" native
"$root/scripts/build.sh" x86_64
reports="$root/build/bench-reports"
mkdir -p "$reports"
export LUMVIK_BENCH_TABLE=1

# Runs a benchmark, keeps its report and adds its figures to the table as
# lines "where|figure|ms|baseline|ms".
rows="$reports/table-rows"
: > "$rows"
run() {
  local where=$1 report=$2
  shift 2
  echo "running $report ($where)" >&2
  "$@" > "$reports/$report.txt" 2>/dev/null
  sed -n "s/^= /$where|/p" "$reports/$report.txt" >> "$rows"
}

run native document_io "$root/build/native/bench/document_io_bench"
run native editing "$root/build/native/bench/editing_bench"

export LUMVIK_WINE_DIR="$root/build/x86_64/bench-wine"
"$root/scripts/wine-session.sh" start "$LUMVIK_WINE_DIR" >/dev/null
(
  . "$root/scripts/wine-env.sh"
  run wine document_io "$WINE" "$root/build/x86_64/bench/document_io_bench.exe"
  run wine editing_window "$WINE" "$root/build/x86_64/bench/editing_window_bench.exe"
  run wine tree_display "$WINE" "$root/build/x86_64/bench/tree_display_bench.exe"
  run wine view "$WINE" "$root/build/x86_64/bench/view_bench.exe"
  run wine skinwright_refresh "$WINE" "$root/build/x86_64/bench/skinwright_refresh_bench.exe" \
    "$("$WINE" winepath -w "$root/build/x86_64/program/" 2>/dev/null </dev/null | tr -d '\r')"
)
"$root/scripts/wine-session.sh" stop "$LUMVIK_WINE_DIR" >/dev/null
run wine open "$root/bench/open_bench.sh"

python3 - "$rows" <<'PY'
import sys
# The goals the figures are held to: a ratio to the baseline, or a time.
ratio_goals = {
    "open categories-100000": 0.5,
    "flat 100 000-row category expanded": 1.25,
    "memory above the sample, 100 000 rows (MB)": 3.0,
    "start-up to the first painted tree (median)": 1.5,
    "1 000 categories of 99 tasks, finished hidden": 1.25,
    "1 000 categories of 99 tasks, finished shown again": 1.25,
    "one category of 99 999 tasks, finished hidden": 1.25,
    "one category of 99 999 tasks, finished shown again": 1.25,
}
def goal(where, figure):
    if figure in ratio_goals:
        return f"<= {ratio_goals[figure]:g} x"
    if figure.endswith("typing a search, longest step"):
        return "< 100 ms"
    if figure.startswith("rows shown, ") and where == "native":
        return "< 20 ms"
    editing = figure.endswith(", middle row") or figure.startswith(("undo ", "redo "))
    if "(project open)" in figure:
        return "as before or better" if where == "wine" else ""
    return "< 50 ms" if where == "wine" and editing else ""
print(f"{'where':7} {'figure':44} {'ms':>10}  {'baseline':30} {'ms':>10} {'ratio':>7}  goal")
for line in open(sys.argv[1], encoding="utf-8"):
    where, figure, ms, baseline, baseline_ms = line.rstrip("\n").split("|")
    figure = figure.rstrip(":")
    ms, baseline_ms = float(ms), float(baseline_ms)
    ratio = f"{ms / baseline_ms:7.2f}" if baseline and baseline_ms > 0 else ""
    shown = f"{baseline_ms:10.1f}" if baseline else ""
    print(f"{where:7} {figure:44} {ms:10.1f}  {baseline:30} {shown:>10} {ratio:>7}  "
          f"{goal(where, figure)}")
PY
