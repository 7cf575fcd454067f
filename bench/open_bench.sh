#!/usr/bin/env bash
# bench/open_bench.sh [RUNS]: the real Lumvik opening documents of several
# shapes and sizes under Wine, from launch to its title naming the document
# (the title is set once the tree is built and painted), beside Lumvik's
# start-up with the sample plus a bare program inserting the same items in
# a bare tree view. Best of RUNS (3) launches each, in seconds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-3}
build="$root/build/x86_64"
work=$(mktemp -d)
export LUMVIK_WINE_DIR="$build/open-bench-wine"
"$root/scripts/wine-session.sh" start "$LUMVIK_WINE_DIR" >/dev/null
trap '"$root/scripts/wine-session.sh" stop "$LUMVIK_WINE_DIR" >/dev/null 2>&1; rm -rf "$work"' EXIT
. "$root/scripts/wine-env.sh"
cp -r "$build/program" "$work/program"
cp "$build/bench/bare_tree.exe" "$work/program/"

# Documents: categories of 99 tasks, one flat category, chains 1 000 deep.
python3 - "$work" <<'PY'
import sys
folder = sys.argv[1]
def line(kind, level, n):
    if kind == "c":
        return (f'<categorie nom="Category {n}" designation="Part {n}" level="{level}"'
                f' avancement="0">')
    return (f'<task nom="Task {n} call the supplier" designation="Ask" level="{level}"'
            f' importance="{1 + n % 5}" datedebut="01/12/2026"'
            f' dateecheance="{1 + n % 28:02d}/12/2026" statut="{1 + n % 5}" avancement="{n % 11}">')
def write(name, rows):
    lines = ['<xml version="2.1" logiciel="Lumvik">'] + [line(*row) for row in rows]
    open(f"{folder}/{name}.lvk", "wb").write(("\r\n".join(lines) + "\r\n").encode("cp1252"))
def categories(count):
    return [row for c in range(count)
            for row in [("c", 0, c)] + [("t", 1, c * 99 + t) for t in range(99)]]
write("categories-1000", categories(10))
write("categories-10000", categories(100))
write("categories-100000", categories(1000))
write("flat-100000", [("c", 0, 0)] + [("t", 1, t) for t in range(99999)])
write("chains-100000",
      [("c", level, chain * 1000 + level) for chain in range(100) for level in range(1000)])
PY

# Seconds from launch to a window whose title matches $2, for program $1
# with the arguments that follow; with MEMORY set, the program's resident
# memory in MB once its window is there is written to that file.
launch() {
  local program=$1 title=$2; shift 2
  local start end
  start=$(date +%s.%N)
  local traced_memory=()
  [ -z "${MEMORY:-}" ] || traced_memory=(LUMVIK_TRACE="$(wpath "$MEMORY.trace")")
  (cd "$work/program" && env "${traced_memory[@]}" setsid "$WINE" "$program" "$@" \
    >/dev/null 2>&1 &)
  until xdotool search --name "$title" >/dev/null 2>&1; do
    sleep 0.02
    if (( $(echo "$(date +%s.%N) - $start > 120" | bc) )); then
      echo "timeout: $program $*" >&2
      return 1
    fi
  done
  end=$(date +%s.%N)
  if [ -n "${MEMORY:-}" ]; then
    sleep 1  # the first paint and the recovery keeper's start settle
    sed -n 's/^memory\t//p' "$MEMORY.trace" > "$MEMORY.inside"
    local pid
    pid=$(pgrep -f -n "$program")
    awk '/^VmRSS:/ { printf "%.1f\n", $2 / 1024 }' "/proc/$pid/status" > "$MEMORY"
  fi
  pkill -f "$program" >/dev/null 2>&1 || true
  while pgrep -f "$program" >/dev/null; do sleep 0.1; done
  echo "$end - $start" | bc
}
best() {
  local best="" took
  for _ in $(seq "$runs"); do
    took=$(launch "$@")
    if [ -z "$best" ] || (( $(echo "$took < $best" | bc) )); then best=$took; fi
  done
  echo "$best"
}
wpath() { echo "Z:${1//\//\\}"; }
# A line of scripts/bench.sh's table, in ms: figure, seconds, baseline, seconds.
table() {
  [ -n "${LUMVIK_BENCH_TABLE:-}" ] || return 0
  printf "= %s|%.1f|%s|%.1f\n" "$1" "$(echo "$2 * 1000" | bc -l)" "$3" "$(echo "$4 * 1000" | bc -l)"
}

# Start-up as each program's own trace tells it: milliseconds from the
# process's creation to the end of the first paint of its tree (Lumvik's
# with the sample's rows), the median of 10 launches, with the median of
# each of Lumvik's steps.
traced() {
  local program=$1 last=$2; shift 2
  local trace="$work/trace-$program-$RANDOM.txt"
  local start=$SECONDS
  (cd "$work/program" && LUMVIK_TRACE="$(wpath "$trace")" setsid "$WINE" "$program" "$@" \
    >/dev/null 2>&1 &)
  until grep -q "$last" "$trace" 2>/dev/null; do
    sleep 0.05
    if (( SECONDS - start > 120 )); then
      echo "timeout: $program $*" >&2
      return 1
    fi
  done
  pkill -f "$program" >/dev/null 2>&1 || true
  while pgrep -f "$program" >/dev/null; do sleep 0.1; done
  echo "$trace"
}
lumvik_traces=() bare_traces=()
for _ in $(seq 10); do
  lumvik_traces+=("$(traced Lumvik.exe "rows painted" "$(wpath "$work/program/Sample.lvk")")")
  bare_traces+=("$(traced bare_tree.exe "tree painted")")
done
python3 - "${lumvik_traces[*]}" "${bare_traces[*]}" <<'PY'
import os, statistics, sys
def steps(traces):
    runs = []
    for trace in traces.split():
        lines = [line.rstrip("\n").split("\t") for line in open(trace)]
        runs.append({what: float(ms) for ms, what in lines if ms.strip()[0].isdigit()})
    # The steps every run went through, in the order of the first.
    return [(what, statistics.median(run[what] for run in runs))
            for what in runs[0] if all(what in run for run in runs)]
lumvik, bare = steps(sys.argv[1]), steps(sys.argv[2])
print("start-up steps of Lumvik with the sample (median of 10, ms since the process was made):")
for what, ms in lumvik:
    print(f"  {ms:9.1f}  {what}")
first, yardstick = lumvik[-1][1], bare[-1][1]
print(f"start-up to the first painted tree: Lumvik {first:.1f} ms, the bare program {yardstick:.1f} ms"
      f" ({first / yardstick:.2f} x)")
if os.environ.get("LUMVIK_BENCH_TABLE"):
    print(f"= start-up to the first painted tree (median)|{first:.1f}|bare program's tree|{yardstick:.1f}")
PY

startup=$(best Lumvik.exe "Sample.lvk" "$(wpath "$work/program/Sample.lvk")")
bare_window=$(best bare_tree.exe "bare tree ready")
printf "start-up: Lumvik with the sample %.2f s, the bare program's window %.2f s (%.2f x)\n" \
  "$startup" "$bare_window" "$(echo "$startup / $bare_window" | bc -l)"
table "start-up to the first painted window" "$startup" "bare program's window" "$bare_window"
printf "%-20s %8s %12s %12s %8s\n" "document" "open" "bare tree" "start+bare" "ratio"
for name in categories-1000 categories-10000 categories-100000 flat-100000 chains-100000; do
  file=$(wpath "$work/$name.lvk")
  open=$(best Lumvik.exe "$name.lvk" "$file")
  bare=$(best bare_tree.exe "bare tree ready" "$file")
  baseline=$(echo "$startup + $bare" | bc -l)
  printf "%-20s %8.2f %12.2f %12.2f %8.2f\n" "$name" "$open" "$bare" "$baseline" \
    "$(echo "$open / $baseline" | bc -l)"
  table "open $name" "$open" "start-up + bare tree" "$baseline"
done

# The memory Lumvik holds with the largest document open, beside the sample:
# the difference is what the rows cost, beside the size of their file.
MEMORY="$work/sample.mb" launch Lumvik.exe "Sample.lvk" "$(wpath "$work/program/Sample.lvk")" \
  >/dev/null
MEMORY="$work/large.mb" launch Lumvik.exe "categories-100000.lvk" \
  "$(wpath "$work/categories-100000.lvk")" >/dev/null
sample_mb=$(cat "$work/sample.mb")
large_mb=$(cat "$work/large.mb")
file_mb=$(echo "$(stat -c %s "$work/categories-100000.lvk") / 1048576" | bc -l)
printf "resident memory: %.1f MB with 100 000 rows, %.1f MB with the sample, file %.1f MB:" \
  "$large_mb" "$sample_mb" "$file_mb"
printf " %.2f x the file above the sample\n" "$(echo "($large_mb - $sample_mb) / $file_mb" | bc -l)"
printf "as Lumvik tells it at its first paint: with 100 000 rows %s; with the sample %s\n" \
  "$(cat "$work/large.mb.inside")" "$(cat "$work/sample.mb.inside")"
if [ -n "${LUMVIK_BENCH_TABLE:-}" ]; then
  printf "= memory above the sample, 100 000 rows (MB)|%.1f|the file's size (MB)|%.1f\n" \
    "$(echo "$large_mb - $sample_mb" | bc -l)" "$file_mb"
fi
