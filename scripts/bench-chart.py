#!/usr/bin/env python3
"""Draws the side-by-side benchmark figures as one bar chart per workload.

Reads the folded results of one run of the peer comparison (RESULTS/<peer>.json and
RESULTS/machine.txt) and writes a PNG: per workload, one bar per toolkit (Qt 5, FLTK, Tavrin)
with its figure divided by the plain C++ floor of that workload, on a logarithmic scale, so that
the floor is 1 and the distance of each toolkit from what the raw work costs reads directly.

Usage: bench-chart.py RESULTS_DIR OUT.png
"""
import json
import os
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

# Workload, its floor (the first plain C++ baseline) and the target Tavrin is held to.
WORKLOADS = [
    ("memory", "memory", "<= 80 B/item"),
    ("fill", "vector_fill", "<= FLTK"),
    ("clear", "vector_clear", "<= FLTK"),
    ("order", "sort_std", "<= 1.2x"),
    ("find_miss", "find_miss_fold", "<= 1.3x"),
    ("find_hit_last", "find_hit_last_fold", "<= 1.3x"),
    ("paint_view", "paint_view_floor", "<= 1.3x"),
    ("scroll_step", "scroll_step_floor", "<= 3x"),
    ("page_step", "page_step_floor", "<= 1.3x"),
    ("select_all", "select_all_floor", "<= 1.3x"),
]
PEERS = [("qt", "Qt 5", "#6f9fd8"), ("fltk", "FLTK", "#e0a040"), ("tavrin", "Tavrin", "#3a9a5a")]


def load(results):
    figures = {}
    for name in os.listdir(results):
        if not name.endswith(".json"):
            continue
        with open(os.path.join(results, name), encoding="utf-8") as f:
            folded = json.load(f)
        figures[folded["peer"]] = {w["workload"]: w for w in folded["workloads"]}
    return figures


def value(entry):
    if entry is None:
        return None
    if "median_us" in entry:
        return entry["median_us"]
    return entry.get("bytes_per_item")


def label(entry, v):
    if "bytes_per_item" in entry and "median_us" not in entry:
        return f"{v:.0f} B"
    if v >= 1e6:
        return f"{v / 1e6:.3g} s"
    if v >= 1000:
        return f"{v / 1000:.3g} ms"
    return f"{v:.3g} us"


def times(ratio):
    return f"{ratio:.0f}x" if ratio >= 10 else f"{ratio:.2g}x"


def machine_line(results):
    path = os.path.join(results, "machine.txt")
    facts = {}
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            for line in f:
                key, _, rest = line.partition(":")
                facts[key.strip()] = rest.strip()
    return ", ".join(v for v in (facts.get("date"), facts.get("cpu"), facts.get("kernel")) if v)


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    results, out = sys.argv[1], sys.argv[2]
    figures = load(results)
    floors = figures.get("limits", {})
    shown = [w for w in WORKLOADS if value(floors.get(w[1])) and any(value(figures.get(p, {}).get(w[0]))
                                                                       for p, _, _ in PEERS)]
    if not shown:
        print("no workload has both a floor and a toolkit figure", file=sys.stderr)
        return 1

    columns = 5
    rows = (len(shown) + columns - 1) // columns
    fig, axes = plt.subplots(rows, columns, figsize=(3.0 * columns, 3.3 * rows + 0.8), squeeze=False)
    for ax in axes.flat[len(shown):]:
        ax.set_visible(False)
    for ax, (workload, floor_name, target) in zip(axes.flat, shown):
        floor_entry = floors[floor_name]
        floor = value(floor_entry)
        names, ratios, colours, texts = [], [], [], []
        for peer, title, colour in PEERS:
            entry = figures.get(peer, {}).get(workload)
            v = value(entry)
            if v is None or v <= 0:
                continue
            names.append(title)
            ratios.append(v / floor)
            colours.append(colour)
            texts.append(label(entry, v))
        bars = ax.bar(names, ratios, color=colours, edgecolor="#333333", linewidth=0.6)
        ax.set_yscale("log")
        ax.axhline(1.0, color="#aa2222", linewidth=1.0, linestyle="--")
        low = min(ratios + [1.0]) / 3
        high = max(ratios + [1.0]) * 6
        ax.set_ylim(low, high)
        for bar, ratio, text in zip(bars, ratios, texts):
            ax.text(bar.get_x() + bar.get_width() / 2, ratio * 1.15, f"{times(ratio)}\n{text}",
                    ha="center", va="bottom", fontsize=7)
        ax.set_title(f"{workload}\nfloor {label(floor_entry, floor)}, target {target}", fontsize=9)
        ax.tick_params(axis="both", labelsize=8)
        ax.grid(axis="y", which="major", color="#dddddd", linewidth=0.5)
        ax.set_axisbelow(True)
    axes[0][0].set_ylabel("figure / plain C++ floor (log)", fontsize=8)
    fig.suptitle("Tavrin beside Qt 5 and FLTK: each workload as a multiple of its plain C++ floor "
                 "(dashed line; lower is better)\n" + machine_line(results), fontsize=10)
    fig.tight_layout(rect=(0, 0, 1, 0.93))
    fig.savefig(out, dpi=90)
    print(f"wrote {out}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
