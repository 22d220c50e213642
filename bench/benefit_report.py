#!/usr/bin/env python3
"""benefit_report.py RESULTS [--docs PERFORMANCE_MD] --chart-ja PNG --chart-en PNG

Turns the raw lines of scripts/benefit.sh (build/benefit/results.txt) into the tables it prints,
the figures section of docs/performance.md (between the markers below, replaced whole on every run)
and the chart of how late the program in front woke, drawn with ImageMagick in Japanese and in
English. Every figure is the median over the rounds with the smallest and the largest in brackets;
"against off" is a ratio to Kestrune not running in the same round at the same load.
"""
import argparse
import os
import statistics

BEGIN = "<!-- benefit figures: written by scripts/benefit.sh, replaced on every run -->"
END = "<!-- end of benefit figures -->"
CONFIGS = ["off", "normal", "extreme", "normal+restraint", "restraint"]
LEVELS = {"spare": "one core spare", "1x": "1 busy thread per core", "2x": "2 busy threads per core",
          "4x": "4 busy threads per core"}
GAIN, FLOOR = 1.25, 1.1  # a gain: a median ratio of GAIN or more, and no round at FLOOR or less


def parse(path):
    meta, results, hists = {}, [], []
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("# "):
                key, _, value = line[2:].partition(": ")
                meta[key] = value.strip()
            elif line.startswith("result "):
                results.append(dict(f.split("=", 1) for f in line.split()[1:] if "=" in f))
            elif line.startswith("hist "):
                fields = line.split()[1:]
                record = dict(f.split("=", 1) for f in fields if "=" in f)
                record["counts"] = {int(a): int(b) for a, b in (f.split(":") for f in fields if ":" in f)}
                hists.append(record)
    return meta, results, hists


def span(values, digits=2, unit=""):
    """median (min-max) of the rounds' values."""
    values = [v for v in values if v is not None]
    if not values:
        return "-"
    f = lambda v: f"{v:.{digits}f}{unit}"
    if len(values) == 1:
        return f(values[0])
    return f"{f(statistics.median(values))} ({f(min(values))}-{f(max(values))})"


class Figures:
    def __init__(self, results):
        self.results = results
        self.levels = [l for l in LEVELS if any(r["level"] == l for r in results)]
        self.rows = []  # (configuration, bridge) in the order they are shown
        for config in CONFIGS:
            if any(r["config"] == config and r["bridge"] == "on" for r in results):
                self.rows.append((config, "on"))
        for config in CONFIGS:
            if any(r["config"] == config and r["bridge"] == "off" for r in results):
                self.rows.append((config, "off"))

    def runs(self, level, config, bridge, kind):
        return [r for r in self.results if (r["level"], r["config"], r["bridge"], r["kind"]) == (level, config, bridge, kind)]

    def values(self, level, config, bridge, kind, key, scale=1.0):
        return [float(r[key]) * scale for r in self.runs(level, config, bridge, kind) if key in r]

    def ratios(self, level, config, bridge, kind, key):
        """Each round's figure against "off" in the same round at the same load."""
        out = []
        for r in self.runs(level, config, bridge, kind):
            off = [o for o in self.runs(level, "off", "on", kind) if o["round"] == r["round"]]
            if off and key in r and float(off[0].get(key, 0)) > 0:
                out.append(float(r[key]) / float(off[0][key]))
        return out

    def classes(self, level, config, bridge, kind, key):
        seen = sorted({r.get(key, "-") for r in self.runs(level, config, bridge, kind)})
        return ", ".join(seen) or "-"

    def unsettled(self):
        return [r for r in self.results if r.get("settled") != "1"]


def row_name(config, bridge):
    return config if bridge == "on" else f"{config}, bridge watching"


def table(figures, kind, header, cells):
    lines = ["| load | configuration | " + " | ".join(header) + " |", "|---|---|" + "---|" * len(header)]
    for level in figures.levels:
        for config, bridge in figures.rows:
            if not figures.runs(level, config, bridge, kind):
                continue
            lines.append(f"| {level} | {row_name(config, bridge)} | " +
                         " | ".join(cell(level, config, bridge) for cell in cells) + " |")
    return "\n".join(lines)


def tables(figures):
    ms = lambda key, kind: lambda l, c, b: span(figures.values(l, c, b, kind, key, 1e-3), 2)
    vs_off = lambda key, kind: lambda l, c, b: "1" if c == "off" else span(figures.ratios(l, c, b, kind, key), 2)
    out = []
    out.append(("The throughput front program (one thread working as fast as it can): the processor it got, in "
                "cores, and its work against Kestrune not running",
                table(figures, "throughput", ["front program (cores)", "work against off", "its class"],
                      [lambda l, c, b: span(figures.values(l, c, b, "throughput", "front_cpu"), 2),
                       vs_off("front_rate", "throughput"),
                       lambda l, c, b: figures.classes(l, c, b, "throughput", "front_class")])))
    out.append(("The responsive front program: how late it woke, in ms (p50, p99 and the latest wake-up), every "
                "1 ms through its message wait (input handling) and every 16.7 ms through Sleep (a frame loop)",
                table(figures, "responsive", ["1 ms p50", "1 ms p99", "1 ms worst", "16.7 ms p50", "16.7 ms p99",
                                              "16.7 ms worst"],
                      [ms(f"{w}_{p}", "responsive") for w in ("input", "frame") for p in ("p50", "p99", "worst")])))
    out.append(("The front program whose work runs in a child process of the same executable (a browser's "
                "renderer): the processor the child got, its work against off, and the classes of the window's "
                "process and of the child",
                table(figures, "child", ["child (cores)", "work against off", "window's class", "child's class"],
                      [lambda l, c, b: span(figures.values(l, c, b, "child", "front_cpu"), 2),
                       vs_off("front_rate", "child"),
                       lambda l, c, b: figures.classes(l, c, b, "child", "front_class"),
                       lambda l, c, b: figures.classes(l, c, b, "child", "child_class")])))
    out.append(("The price: the background's work against off and the normal-class canary's lateness (p99, ms), "
                "while the throughput front program ran and while the responsive one ran; background processes "
                "restrained",
                table(figures, "throughput", ["background work against off", "canary p99 (throughput)",
                                              "canary p99 (responsive)", "restrained"],
                      [vs_off("bg_rate", "throughput"), ms("canary_p99", "throughput"),
                       ms("canary_p99", "responsive"),
                       lambda l, c, b: figures.classes(l, c, b, "throughput", "restrained")])))
    return out


def verdict(ratios):
    if not ratios:
        return None, "-"
    median = statistics.median(ratios)
    word = "gain" if median >= GAIN and min(ratios) > FLOOR else "no gain"
    return word, f"{word} (x{median:.2f}, {min(ratios):.2f}-{max(ratios):.2f})"


def control(figures):
    """The check the benchmark exists for: normal acceleration against off, bridge applying and watching."""
    lines = ["| load | normal, bridge applying | normal, bridge watching (the control) |", "|---|---|---|"]
    for level in figures.levels:
        cells = [verdict(figures.ratios(level, "normal", bridge, "throughput", "front_rate"))[1] for bridge in ("on", "off")]
        lines.append(f"| {level} | {cells[0]} | {cells[1]} |")
    return "\n".join(lines)


def markdown(meta, figures):
    parts = [f"Measured {meta.get('date', '?')}, {meta.get('wine', '?')}, {meta.get('machine', '?')}; load average "
             f"{meta.get('load before', '?')} before and {meta.get('load after', '?')} after. Command: "
             f"`{meta.get('command', '?')}`.", "",
             "The throughput front program's work with 普通加速 against Kestrune not running (a gain: a median "
             f"ratio of {GAIN} or more and every round above {FLOOR}):", "", control(figures)]
    for title, body in tables(figures):
        parts += ["", title + ":", "", body]
    unsettled = figures.unsettled()
    if unsettled:
        parts += ["", f"{len(unsettled)} measured periods began before Kestrune had done what its configuration "
                  "asks within 30 s: " + ", ".join(sorted({f"{r['level']} {r['config']} {r['kind']}" for r in unsettled}))]
    return "\n".join(parts) + "\n"


def write_docs(path, text, chart):
    with open(path, encoding="utf-8") as f:
        page = f.read()
    if BEGIN not in page or END not in page:
        raise SystemExit(f"{path}: the markers of the benefit figures are missing")
    head, rest = page.split(BEGIN, 1)
    tail = rest.split(END, 1)[1]
    section = f"{BEGIN}\n{text}\n![How late the program in front woke]({chart})\n{END}"
    with open(path, "w", encoding="utf-8") as f:
        f.write(head + section + tail)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("results")
    parser.add_argument("--docs")
    parser.add_argument("--chart-ja", required=True)
    parser.add_argument("--chart-en", required=True)
    options = parser.parse_args()
    meta, results, hists = parse(options.results)
    figures = Figures(results)
    text = markdown(meta, figures)
    print(text)
    import benefit_chart  # beside this file
    for language, path in (("ja", options.chart_ja), ("en", options.chart_en)):
        benefit_chart.draw(hists, language, path, meta)
        print(f"chart: {path}")
    if options.docs:
        chart = os.path.relpath(options.chart_en, os.path.dirname(os.path.abspath(options.docs)))
        write_docs(options.docs, text, chart)
        print(f"figures written to {options.docs}")


if __name__ == "__main__":
    main()
