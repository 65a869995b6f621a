#!/usr/bin/env python3
"""Converts a TU graph-classification folder into murex data files, one per
graph class, for the benchmarks (label numbers are kept as label names).

    bench/tu_to_murex.py <TU folder> <output folder> [copies]

Writes class_<value>.txt for every graph label value (in ascending order) and
prints the -f list. With copies > 1 every class file holds the graphs that
many times over (the scaling runs)."""
import os
import sys
from collections import defaultdict


def read_ints(path):
    with open(path) as f:
        return [int(line.strip()) for line in f if line.strip()]


def main():
    src, out = sys.argv[1], sys.argv[2]
    copies = int(sys.argv[3]) if len(sys.argv) > 3 else 1
    ds = os.path.basename(os.path.normpath(src))
    p = lambda s: os.path.join(src, f"{ds}_{s}.txt")
    indicator = read_ints(p("graph_indicator"))
    graph_labels = read_ints(p("graph_labels"))
    node_labels = read_ints(p("node_labels"))
    edge_labels = read_ints(p("edge_labels")) if os.path.exists(p("edge_labels")) else None
    links = defaultdict(list)  # node -> [(target, label)]
    with open(p("A")) as f:
        for i, line in enumerate(f):
            if not line.strip():
                continue
            a, b = (int(x) for x in line.split(","))
            if a < b:  # each undirected edge once
                links[a].append((b, edge_labels[i] if edge_labels else 0))
    nodes_of = defaultdict(list)
    for node, g in enumerate(indicator, start=1):
        nodes_of[g].append(node)
    os.makedirs(out, exist_ok=True)
    classes = sorted(set(graph_labels))
    files = {c: open(os.path.join(out, f"class_{c}.txt"), "w") for c in classes}
    blocks = defaultdict(list)
    for g in range(1, len(graph_labels) + 1):
        nodes = nodes_of[g]
        local = {n: i for i, n in enumerate(nodes, start=1)}
        lines = []
        for n in nodes:
            parts = [str(local[n]), str(node_labels[n - 1])]
            parts += [f"{local[t]}({l})" for t, l in links[n]]
            lines.append(" ".join(parts))
        blocks[graph_labels[g - 1]].append("\n".join(lines) + "\n")
    for c in classes:
        files[c].write("\n".join(blocks[c] * copies))
        files[c].close()
    print(",".join(f"class_{c}.txt" for c in classes))


if __name__ == "__main__":
    main()
