#!/usr/bin/env bash
# The timedemo, --part and --seconds on a small test show (pictures only, the
# scene parts as they are): the table against the CSV, read by Python.
# usage: timedemo.sh DEMO
source "$(dirname "$0")/../support/demo_sandbox.sh" "$1"
make_picture_show

# The whole show at 5 steps a second: each state's frames, the statistics of the table against those of the CSV.
"$demo" --timedemo-csv whole.csv --fps 5 >whole.txt 2>err.txt; status=$?
[ $status -eq 0 ] || fail "whole show: status $status: $(tail -3 err.txt)"
/usr/bin/python3 - 5 whole.txt whole.csv <<'PY' || fail "whole show table and CSV"
import csv, math, statistics, sys
fps, table, rows = int(sys.argv[1]), open(sys.argv[2]).read().splitlines(), list(csv.reader(open(sys.argv[3])))
seconds = {"loading": 3, "Natu1": 47, "Techno1": 45, "interlude": 5, "Natu2": 12, "Techno3": 20, "Techno2": 45,
           "Natu3": 20, "end": 5}
bad = []
if rows[0] != ["state", "frame", "time", "ms"]: bad.append("header %s" % rows[0])
if [int(r[1]) for r in rows[1:]] != list(range(len(rows) - 1)): bad.append("frame numbers are not 0, 1, 2, ...")
lines = [l.split() for l in table if len(l.split()) == 7 and l.split()[0] in seconds]
if [l[0] for l in lines] != list(seconds): bad.append("table states %s" % [l[0] for l in lines])
start = 0.0
for name, count, *stats in lines:
    ms = [float(r[3]) for r in rows[1:] if r[0] == name]
    times = [float(r[2]) for r in rows[1:] if r[0] == name]
    first, median, p99, worst, fps_median = map(float, stats)
    want = {"frames": (int(count), seconds[name] * fps, len(ms)), "first": (first, ms[0]),
            "median": (median, statistics.median(ms)), "p99": (p99, sorted(ms)[math.ceil(0.99 * len(ms)) - 1]),
            "worst": (worst, max(ms))}
    for what, (got, *expected) in want.items():
        if any(abs(got - e) > 0.006 for e in expected): bad.append("%s %s: %s, expected %s" % (name, what, got, expected))
    if not (min(ms) > 0 and min(ms) <= median <= p99 <= worst): bad.append("%s: statistics out of order" % name)
    if abs(fps_median - 1000 / statistics.median(ms)) > 0.06 + 1e-3 * fps_median: bad.append("%s: median fps" % name)
    t0 = 0.0 if name == "loading" else start
    if any(abs(t - (t0 + i / fps)) > 1e-3 for i, t in enumerate(times)): bad.append("%s: times %s..." % (name, times[:3]))
    start += 0 if name == "loading" else seconds[name]
for label in ("loading work: ", "whole run: ", "peak resident memory: "):
    if not any(l.startswith(label) for l in table): bad.append("no line " + label)
print("\n".join(bad))
sys.exit(1 if bad else 0)
PY

# A part by name, two seconds of it at 10 frames a second, its frames written too.
"$demo" --timedemo-csv part.csv --part TECHNO2 --seconds 2 --fps 10 --frames frames >part.txt 2>err.txt; status=$?
[ $status -eq 0 ] || fail "--part: status $status: $(tail -3 err.txt)"
[ "$(ls frames | wc -l)" -eq 20 ] || fail "--part: the 20 frames of the part, no loading frames, found $(ls frames | wc -l)"
[ "$(grep -c '^loading,' part.csv)" -eq 30 ] || fail "--part: loading rows"
[ "$(grep -c '^Techno2,' part.csv)" -eq 20 ] || fail "--part: 20 rows of the part"
[ "$(wc -l <part.csv)" -eq 51 ] || fail "--part: nothing but loading and the part"
grep -q '^Techno2,30,129\.0*,' part.csv || fail "--part: the first show frame is the part's, at its place: $(sed -n 32p part.csv)"

"$demo" --part natu4 >out.txt 2>err.txt; status=$?
[ $status -eq 2 ] || fail "a bad part name: status $status, expected 2"
grep -q "Natu1, Techno1, interlude, Natu2, Techno3, Techno2, Natu3, end" err.txt || fail "no list of names: $(cat err.txt)"
finish
