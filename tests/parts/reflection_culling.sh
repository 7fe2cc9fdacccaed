#!/usr/bin/env bash
# The mirrored parts on their real data, headless on a fixed 1 fps clock over
# their whole camera tracks: the reflection that sends only the objects its
# mirror can show draws every frame byte for byte as the reflection of the
# whole scene (DEMO_WHOLE_REFLECTION=1) does.
# usage: reflection_culling.sh DEMO DEMO_DAT
source "$(dirname "$0")/../support/demo_sandbox.sh" "$1"
cp "$2" bin/demo.dat || fail "no data file at $2"
fps=1

for part in natu1:47 techno1:45; do
  name=${part%:*} seconds=${part#*:}
  run "$name" "$name" "$seconds"
  run "${name}_whole" "$name" "$seconds" DEMO_WHOLE_REFLECTION=1
  count=$(ls "$name" | wc -l)
  [ "$count" -eq $((seconds * fps)) ] || fail "$name: $count frames, expected $((seconds * fps))"
  diff -rq "$name" "${name}_whole" >diff.txt || fail "$name: frames differ: $(head -3 diff.txt)"
done
finish
