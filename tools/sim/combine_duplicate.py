#!/usr/bin/env python3
"""Combines duplicate-tournament reports of zarn-sim run on different seeds into one report.

Each report's lines "  <label>  <mean> +- <ci>  (n <n>)" are independent samples of the same
quantities; the combined mean weights each report by its n, and the 95 % interval comes from the
reports' standard errors (ci / 1.96) added in quadrature with the same weights.
"""
import math
import re
import sys

LINE = re.compile(r"^\s+(.+?)\s+(-?\d+\.\d+) \+-\s+(\d+\.\d+)\s+\(n (\d+)\)$")


def main(paths):
    sums = {}
    order = []
    for path in paths:
        with open(path) as report:
            for line in report:
                match = LINE.match(line.rstrip("\n"))
                if not match:
                    continue
                label, mean, ci, n = match.group(1), float(match.group(2)), float(match.group(3)), int(match.group(4))
                if label not in sums:
                    sums[label] = []
                    order.append(label)
                sums[label].append((mean, ci / 1.96, n))
    print(f"combined from {len(paths)} reports: {' '.join(paths)}")
    means = {}
    for label in order:
        parts = sums[label]
        total = sum(n for _, _, n in parts)
        mean = sum(m * n for m, _, n in parts) / total
        se = math.sqrt(sum((se * n / total) ** 2 for _, se, n in parts))
        means[label] = mean
        print(f"  {label:<30} {mean:8.2f} +- {1.96 * se:7.2f}  (n {total})")
    expert = means.get("Expert penalty points/match")
    classic = means.get("Classic penalty points/match")
    if expert is not None and classic:
        print(f"  penalty points saved           {100.0 * (1.0 - expert / classic):6.1f} %")


if __name__ == "__main__":
    main(sys.argv[1:])
