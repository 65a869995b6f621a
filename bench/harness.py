#!/usr/bin/env python3
"""Benchmark harness: runs murex over the real datasets and records wall time,
peak memory, iterations and good pairs in one table.

    bench/harness.py --murex BUILD/murex [--convert BUILD/murex-convert]
                     [--data ../shared/data/raw] [--work /tmp/murex-bench]
                     [--datasets Mutagenicity,NCI1,...] [--beams 1,5]
                     [--repeat 3] [--scaling 1,2,4,...,64] [--out bench/results]

Every dataset is converted once (with murex-convert when given, else with
bench/tu_to_murex.py), then murex runs with `#CEVALFUNC frequency 0.1` and
`#GEVALFUNC info_gain 0.0` in all four -d/-s modes at every beam width, plus
the -b 0 run (reading, counting and the initial report only: the floor the
search cannot beat). Each configuration runs --repeat times; the table keeps
the fastest time and the largest peak memory.

Writes <out>/results.csv and <out>/results.md; with --scaling also
<out>/scaling.csv, <out>/scaling.md and <out>/scaling.svg (gnuplot)."""
import argparse
import csv
import os
import platform
import re
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
MODES = [("0", "0", "undirected induced"), ("0", "1", "undirected subgraph"),
         ("1", "0", "directed induced"), ("1", "1", "directed subgraph")]
INI = "#CEVALFUNC frequency 0.1\n#GEVALFUNC info_gain 0.0\n"


def convert(args, dataset, dest, copies=1):
    """Converts a TU folder; returns the -f list of class files."""
    src = os.path.join(args.data, dataset)
    stamp = os.path.join(dest, ".files")
    if os.path.exists(stamp):
        return open(stamp).read().strip()
    os.makedirs(dest, exist_ok=True)
    if args.convert and copies == 1:
        subprocess.run([args.convert, "tu", src, "-o", dest], check=True,
                       stdout=subprocess.DEVNULL)
        with open(os.path.join(dest, "graph_map.tsv")) as f:
            next(f)
            files = []
            for line in f:
                name = line.split("\t", 1)[0]
                if name not in files:
                    files.append(name)
        files = ",".join(files)
    else:
        files = subprocess.run([sys.executable, os.path.join(HERE, "tu_to_murex.py"),
                                src, dest, str(copies)], check=True,
                               capture_output=True, text=True).stdout.strip()
    with open(os.path.join(dest, "murex.ini"), "w") as f:
        f.write(INI)
    with open(stamp, "w") as f:
        f.write(files)
    return files


def run_once(murex, folder, files, d, s, beam):
    """Runs murex once in `folder`; returns (wall seconds, peak KiB, stdout).
    The peak comes from /usr/bin/time, whose own footprint is tiny (a forked
    Python child would report the interpreter's memory instead)."""
    argv = [murex, "-c", str(files.count(",") + 1), "-f", files, "-d", d, "-s", s,
            "-b", str(beam)]
    rss_path = os.path.join(folder, ".maxrss")
    start = time.perf_counter()
    proc = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", rss_path] + argv,
                          cwd=folder, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                          text=True)
    wall = time.perf_counter() - start
    if proc.returncode != 0:
        raise RuntimeError(f"{' '.join(argv)} failed in {folder}: {proc.stderr}")
    with open(rss_path) as f:
        return wall, int(f.read().split()[-1]), proc.stdout


def measure(args, folder, files, d, s, beam, repeat=None):
    """Runs one configuration --repeat times (the scaling runs, long enough
    to be steady, once); keeps the fastest time and the largest peak memory."""
    best, peak, out = None, 0, ""
    for _ in range(repeat or args.repeat):
        wall, rss, out = run_once(args.murex, folder, files, d, s, beam)
        best = wall if best is None else min(best, wall)
        peak = max(peak, rss)
    with open(os.path.join(folder, "timelog.out")) as f:
        read = re.search(r"Read data : ([0-9.e+-]+) s", f.read())
    with open(os.path.join(folder, "good_pair.out")) as f:
        good = sum(1 for line in f if line.startswith("evaluation= "))
    return {"seconds": round(best, 3), "peak_mb": round(peak / 1024, 1),
            "read_s": float(read.group(1)) if read else "",
            "iterations": out.count("Clone end"), "good_pairs": good}


def count_graphs(folder, files):
    """Graphs in the class files: runs of non-blank lines."""
    total = 0
    for name in files.split(","):
        inside = False
        with open(os.path.join(folder, name)) as f:
            for line in f:
                blank = not line.strip()
                if not blank and not inside:
                    total += 1
                inside = not blank
    return total


def write_table(path_base, rows, title, note):
    keys = list(rows[0].keys())
    with open(path_base + ".csv", "w", newline="") as f:
        w = csv.DictWriter(f, fieldnames=keys)
        w.writeheader()
        w.writerows(rows)
    with open(path_base + ".md", "w") as f:
        f.write(f"## {title}\n\n{note}\n\n")
        f.write("| " + " | ".join(keys) + " |\n")
        f.write("|" + "---|" * len(keys) + "\n")
        for r in rows:
            f.write("| " + " | ".join(str(r[k]) for k in keys) + " |\n")


def machine_note():
    cpu = ""
    try:
        for line in open("/proc/cpuinfo"):
            if line.startswith("model name"):
                cpu = line.split(":", 1)[1].strip()
                break
    except OSError:
        pass
    mem = os.sysconf("SC_PAGE_SIZE") * os.sysconf("SC_PHYS_PAGES") / 2**30
    return (f"Measured {time.strftime('%Y-%m-%d')} on {platform.node()}: {cpu}, "
            f"{os.cpu_count()} cores, {mem:.0f} GiB, one thread. "
            f"seconds = fastest wall time, peak_mb = peak resident memory.")


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--murex", required=True)
    ap.add_argument("--convert")
    ap.add_argument("--data", default=os.path.join(HERE, "..", "..", "shared", "data", "raw"))
    ap.add_argument("--work", default="/tmp/murex-bench")
    ap.add_argument("--datasets", default="Mutagenicity,NCI1,NCI109,AIDS,MUTAG,PTC_MR")
    ap.add_argument("--beams", default="1,5")
    ap.add_argument("--modes", default="all", help="'all' or e.g. 0/1 for -d 0 -s 1")
    ap.add_argument("--repeat", type=int, default=3)
    ap.add_argument("--scaling", default="", help="replication factors, e.g. 1,2,4,8,16,32,64")
    ap.add_argument("--scaling-dataset", default="Mutagenicity")
    ap.add_argument("--out", default=os.path.join(HERE, "results"))
    args = ap.parse_args()
    args.murex = os.path.abspath(args.murex)
    if args.convert:
        args.convert = os.path.abspath(args.convert)
    os.makedirs(args.out, exist_ok=True)
    modes = MODES if args.modes == "all" else [
        m for m in MODES if f"{m[0]}/{m[1]}" in args.modes.split(",")]

    rows = []
    for dataset in [x for x in args.datasets.split(",") if x]:
        if not os.path.isdir(os.path.join(args.data, dataset)):
            print(f"skipping {dataset}: not under {args.data}", file=sys.stderr)
            continue
        folder = os.path.join(args.work, dataset)
        files = convert(args, dataset, folder)
        graphs = count_graphs(folder, files)
        for d, s, mode in modes:
            for beam in [0] + [int(b) for b in args.beams.split(",")]:
                r = measure(args, folder, files, d, s, beam)
                row = {"dataset": dataset, "graphs": graphs, "mode": mode,
                       "beam": beam, **r}
                rows.append(row)
                print(", ".join(f"{k}={v}" for k, v in row.items()), flush=True)
    if rows:
        write_table(os.path.join(args.out, "results"), rows,
                    "Real datasets: frequency 0.1, info_gain 0.0",
                    machine_note() + " Beam 0 is the read-and-count floor.")

    if args.scaling:
        srows = []
        for k in [int(x) for x in args.scaling.split(",")]:
            folder = os.path.join(args.work, f"{args.scaling_dataset}_x{k}")
            files = convert(args, args.scaling_dataset, folder, copies=k)
            for beam in [int(b) for b in args.beams.split(",")]:
                r = measure(args, folder, files, "0", "1", beam, repeat=1)
                graphs = count_graphs(folder, files)
                row = {"copies": k, "graphs": graphs, "beam": beam, **r}
                srows.append(row)
                print(", ".join(f"{k2}={v}" for k2, v in row.items()), flush=True)
            if k != 1 and os.path.isdir(folder):
                shutil.rmtree(folder)  # the large copies are cheap to make again
        write_table(os.path.join(args.out, "scaling"), srows,
                    f"Scaling: {args.scaling_dataset} replicated, undirected subgraph",
                    machine_note())
        plot(args.out, srows)


def plot(out, rows):
    if not shutil.which("gnuplot"):
        print("gnuplot not found: no scaling plot", file=sys.stderr)
        return
    beams = sorted({r["beam"] for r in rows})
    dat = os.path.join(out, "scaling.dat")
    with open(dat, "w") as f:
        for b in beams:
            f.write(f"# beam {b}\n")
            for r in rows:
                if r["beam"] == b:
                    f.write(f"{r['graphs']} {r['seconds']} {r['peak_mb']}\n")
            f.write("\n\n")
    series_t = ", ".join(f"'{dat}' index {i} using 1:2 with linespoints title 'time, beam {b}'"
                         for i, b in enumerate(beams))
    series_m = ", ".join(f"'{dat}' index {i} using 1:3 with linespoints title 'memory, beam {b}'"
                         for i, b in enumerate(beams))
    script = f"""set terminal svg size 900,420 dynamic background rgb 'white'
set output '{os.path.join(out, 'scaling.svg')}'
set multiplot layout 1,2
set logscale xy
set xlabel 'graphs'
set ylabel 'seconds'
set key top left
plot {series_t}
set ylabel 'peak MB'
plot {series_m}
unset multiplot
"""
    subprocess.run(["gnuplot"], input=script, text=True, check=True)


if __name__ == "__main__":
    main()
