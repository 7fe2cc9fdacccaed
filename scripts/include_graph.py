#!/usr/bin/python3
"""The source tree's include graph by folder: what each folder includes from
the others, the includes that run from a lower floor to a higher one, and the
cycles between files and between folders.

usage: scripts/include_graph.py [--check]
The floors are the library folders of DEMO_SUBSYSTEMS in the root
CMakeLists.txt, from the ground up, then tools and content; tests, bench and
fuzz stand above them all. With --check, the status is 1 when an include runs
upward or a cycle exists.
"""
import collections
import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
TOP = ["tools", "content", "tests", "bench", "fuzz"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def floors():
    cmake = (ROOT / "CMakeLists.txt").read_text()
    subsystems = re.search(r"set\(DEMO_SUBSYSTEMS ([^)]*)\)", cmake).group(1).split()
    return subsystems + TOP


def sources(order):
    for folder in order:
        for path in sorted((ROOT / folder).rglob("*")):
            if path.suffix in (".h", ".cpp", ".c", ".cc"):
                yield path.relative_to(ROOT).as_posix()


def resolve(source, name, known):
    """The tree path an include names: beside the source, or from the root."""
    beside = (Path(source).parent / name).as_posix()
    if beside in known:
        return beside
    return name if name in known else None


def folder_of(path, depth):
    return "/".join(path.split("/")[:depth])


def cycles(graph):
    """Strongly connected groups of more than one node (Tarjan)."""
    index, low, stack, on, found = {}, {}, [], set(), []
    counter = [0]

    def visit(node):
        index[node] = low[node] = counter[0]
        counter[0] += 1
        stack.append(node)
        on.add(node)
        for nxt in graph.get(node, ()):
            if nxt not in index:
                visit(nxt)
                low[node] = min(low[node], low[nxt])
            elif nxt in on:
                low[node] = min(low[node], index[nxt])
        if low[node] == index[node]:
            group = []
            while True:
                top = stack.pop()
                on.discard(top)
                group.append(top)
                if top == node:
                    break
            if len(group) > 1:
                found.append(sorted(group))

    sys.setrecursionlimit(10000)
    for node in sorted(graph):
        if node not in index:
            visit(node)
    return found


def main():
    order = floors()
    rank = {folder: i for i, folder in enumerate(order)}
    files = list(sources(order))
    known = set(files)
    edges = collections.defaultdict(set)
    for source in files:
        for name in INCLUDE.findall((ROOT / source).read_text(errors="replace")):
            target = resolve(source, name, known)
            if target and target != source:
                edges[source].add(target)

    by_folder = collections.defaultdict(collections.Counter)
    upward = []
    for source, targets in edges.items():
        for target in targets:
            a, b = folder_of(source, 1), folder_of(target, 1)
            if a != b:
                by_folder[a][b] += 1
                if rank[b] > rank[a]:
                    upward.append((source, target))

    print("floors, ground up: " + " ".join(order))
    for folder in order:
        uses = ", ".join("%s %d" % (b, n) for b, n in sorted(by_folder[folder].items(), key=lambda x: rank[x[0]]))
        print("  %-9s includes %s" % (folder, uses or "nothing outside itself"))
    for source, target in sorted(upward):
        print("upward: %s -> %s" % (source, target))

    problems = len(upward)
    grouping = (("files", lambda path: path), ("folders", lambda path: path.rsplit("/", 1)[0]),
                ("floors", lambda path: folder_of(path, 1)))
    for what, group_of in grouping:
        graph = collections.defaultdict(set)
        for source, targets in edges.items():
            for target in targets:
                a, b = group_of(source), group_of(target)
                if a != b:
                    graph[a].add(b)
        for group in cycles(graph):
            problems += 1
            print("cycle between %s: %s" % (what, " ".join(group)))
    print("%d upward includes, %d problems" % (len(upward), problems))
    return 1 if problems and "--check" in sys.argv else 0


if __name__ == "__main__":
    sys.exit(main())
