#!/usr/bin/env python3
"""Fails when the #include lines of src/ make a circle between groups.

A group is one folder's core files or one folder's Win32 files (names ending in
_win.cpp or _win.h). With no circle, the groups form a stack in which every
include points down; the stack is printed from the top, so a newcomer can see
where a file may reach.

    python3 tools/check_layers.py [SRC_FOLDER]
"""

import re
import sys
from pathlib import Path

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def group_of(path):
    """'skin/skin_win.cpp' -> 'skin (win32)'; 'skin/file_kind.h' -> 'skin (core)'."""
    folder = path.parent.as_posix()
    kind = "win32" if path.stem.endswith("_win") else "core"
    return f"{folder} ({kind})"


def include_graph(src):
    """Edges between groups, each with one include line that makes it."""
    edges = {}
    groups = set()
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".cpp", ".h"):
            continue
        rel = path.relative_to(src)
        here = group_of(rel)
        groups.add(here)
        for target in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
            if not (src / target).exists():
                continue
            there = group_of(Path(target))
            groups.add(there)
            if there != here:
                edges.setdefault(here, {}).setdefault(there, f"{rel.as_posix()} includes {target}")
    return groups, edges


def find_circle(groups, edges):
    """One circle as a list of groups, or None (depth-first search with colours)."""
    state = {}
    stack = []

    def visit(g):
        state[g] = "open"
        stack.append(g)
        for nxt in sorted(edges.get(g, {})):
            if state.get(nxt) == "open":
                return stack[stack.index(nxt):] + [nxt]
            if nxt not in state:
                found = visit(nxt)
                if found:
                    return found
        stack.pop()
        state[g] = "done"
        return None

    for g in sorted(groups):
        if g not in state:
            found = visit(g)
            if found:
                return found
    return None


def layers(groups, edges):
    """Each group's height: 0 for groups that include no other group."""
    height = {}

    def h(g):
        if g not in height:
            height[g] = 1 + max((h(n) for n in edges.get(g, {})), default=-1)
        return height[g]

    for g in groups:
        h(g)
    return height


def main():
    src = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "src")
    groups, edges = include_graph(src)
    circle = find_circle(groups, edges)
    if circle:
        print("include circle between groups:")
        for a, b in zip(circle, circle[1:]):
            print(f"  {a} -> {b}: {edges[a][b]}")
        return 1
    height = layers(groups, edges)
    for level in sorted(set(height.values()), reverse=True):
        print(f"layer {level}: " + ", ".join(sorted(g for g in groups if height[g] == level)))
    print(f"include check: {len(groups)} groups, no circle")
    return 0


if __name__ == "__main__":
    sys.exit(main())
