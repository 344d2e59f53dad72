#!/usr/bin/env python3
"""Writes refdata/province_table.inc, the built-in table of the province map.

Each row maps one source province id to its list of target province ids:
  one value            the source province becomes that target province;
  several values       it is split over them, the first being the main part;
  a value and a marker the source is one of several provinces merged into the
                       target; 3003 marks the main contributor, 3002 (and the
                       rare 3302 and 3303) a secondary one.

The rows in FIXED_ROWS, the ids in FIXED_ABSENT and the totals below are fixed;
everything else is drawn from a seeded generator of our own, so rerunning the
script reproduces the file byte for byte on any Python 3. Before writing, the
script checks the finished table against every fixed figure.

Usage: python3 tools/gen_province_table.py [output path]
"""

import bisect
import collections
import pathlib
import sys

FIRST_SOURCE = 8
LAST_SOURCE = 2859
ENTRY_COUNT = 2303
LAST_TARGET = 1909
USED_TARGET_COUNT = 1858
MAIN = 3003
SECONDARY = 3002
SEED = 0x51A17A5C

# Number of lists of each length, merge lists (a target and a marker) excluded.
PLAIN_LENGTHS = {1: 728, 2: 142, 3: 54, 4: 23, 5: 7, 6: 2, 7: 2, 8: 1, 9: 2, 10: 1}
# Number of merge lists per marker.
MARKER_COUNTS = {3002: 839, 3003: 498, 3302: 3, 3303: 1}

FIXED_ABSENT = [11, 23, 27, 30, 33, 34, 35]

FIXED_ROWS = {
    8: [549, 3003],
    9: [548, 547, 546, 545, 544, 543, 542, 1408],
    10: [552, 3302],
    12: [550],
    13: [549, 3002],
    14: [552, 3302],
    15: [552, 3302],
    16: [552, 3303],
    49: [1, 2],
    104: [1564, 1565, 1566, 1571, 1572, 1573, 1594, 1596, 1597, 1598],
    308: [92, 3002],
    309: [92, 3003],
    317: [111, 3003],
    326: [111, 3002],
    332: [111, 3002],
    846: [513, 3003],
    849: [513, 3003],
    1375: [1025, 3002],
    1441: [1826, 3003],
    1448: [1826, 3003],
    1449: [1826, 3003],
    1866: [1025, 3002],
    2321: [1642, 3003],
    2322: [1642, 3003],
    2324: [1642, 3003],
    2381: [822, 3002],
    2382: [822, 3002],
    2434: [835, 3003],
    2437: [835, 3003],
}

# Targets with more than one main contributor, and targets reached only through
# other markers than 3003; every other merged target has exactly one main.
SHARED_MAIN_TARGETS = {513: [846, 849], 835: [2434, 2437],
                       1642: [2321, 2322, 2324], 1826: [1441, 1448, 1449]}
MARKER_ONLY_TARGETS = {552: [10, 14, 15, 16], 822: [2381, 2382], 1025: [1375, 1866]}

# Where the numbering of the target map picks up as the source ids climb:
# (first source id, target id to continue from). Between two of these, each
# source takes the next unused target ids upwards, so neighbouring sources get
# neighbouring targets.
REGION_STARTS = [
    (17, 553),
    (50, 3),
    (105, 1567),
    (238, 33),
    (333, 112),
    (850, 514),
    (1252, 1409),
    (1376, 1026),
    (1450, 1827),
    (1603, 1643),
    (1867, 1026),
    (2325, 463),
    (2383, 823),
]


class SplitMix64:
    """A small random generator whose sequence is the same everywhere."""

    def __init__(self, seed):
        self.state = seed

    def next(self):
        self.state = (self.state + 0x9E3779B97F4A7C15) & 0xFFFFFFFFFFFFFFFF
        z = self.state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & 0xFFFFFFFFFFFFFFFF
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & 0xFFFFFFFFFFFFFFFF
        return z ^ (z >> 31)

    def below(self, n):
        return self.next() % n

    def shuffle(self, items):
        for i in range(len(items) - 1, 0, -1):
            j = self.below(i + 1)
            items[i], items[j] = items[j], items[i]


def require(condition, what):
    if not condition:
        raise SystemExit("province table: " + what)


def is_merge(values):
    return len(values) == 2 and values[1] > 3000


def choose_absent(rng):
    """Source ids without a row: the fixed ones plus short random runs."""
    wanted = (LAST_SOURCE - FIRST_SOURCE + 1) - ENTRY_COUNT
    keep = set(FIXED_ROWS) | {FIRST_SOURCE, LAST_SOURCE}
    absent = set(FIXED_ABSENT)
    while len(absent) < wanted:
        start = FIRST_SOURCE + rng.below(LAST_SOURCE - FIRST_SOURCE + 1)
        for source in range(start, min(start + 1 + rng.below(4), LAST_SOURCE + 1)):
            if len(absent) < wanted and source not in keep:
                absent.add(source)
    return absent


def free_unit_counts():
    """Plain list lengths, merge groups and secondaries the fixed rows leave."""
    plain = dict(PLAIN_LENGTHS)
    markers = dict(MARKER_COUNTS)
    for values in FIXED_ROWS.values():
        if is_merge(values):
            markers[values[1]] -= 1
        else:
            plain[len(values)] -= 1
    require(markers[3302] == 0 and markers[3303] == 0, "rare markers belong to fixed rows")
    return plain, markers[MAIN], markers[SECONDARY]


def shuffled_units(rng):
    """Units in map order: ("plain", length) or ("merge", secondaries)."""
    plain, groups, secondaries = free_unit_counts()
    units = [("plain", length) for length, count in plain.items() for _ in range(count)]
    sizes = [1] * groups
    for _ in range(secondaries - groups):
        sizes[rng.below(groups)] += 1
    units += [("merge", size) for size in sizes]
    rng.shuffle(units)
    return units


def lay_out_units(rng, units, present):
    """Gives each unit its source ids: one for a plain list, a run for a merge."""
    free_sources = [s for s in sorted(present) if s not in FIXED_ROWS]
    placed = []
    position = 0
    for kind, size in units:
        if kind == "plain":
            placed.append((kind, size, free_sources[position:position + 1], 0))
            position += 1
        else:
            members = free_sources[position:position + size + 1]
            placed.append((kind, size, members, rng.below(size + 1)))
            position += size + 1
    require(position == len(free_sources), "every source id gets a row")
    return placed


def unused_targets(rng):
    """Target ids that no list reaches, drawn among those no fixed row uses."""
    fixed = {v for values in FIXED_ROWS.values() for v in values if v <= 3000}
    candidates = [t for t in range(1, LAST_TARGET) if t not in fixed]
    rng.shuffle(candidates)
    return set(candidates[:LAST_TARGET - USED_TARGET_COUNT])


def assign_targets(placed, gaps):
    """Fills in the rows of the placed units, walking the source ids upwards."""
    fixed = {v for values in FIXED_ROWS.values() for v in values if v <= 3000}
    pool = [t for t in range(1, LAST_TARGET + 1) if t not in fixed and t not in gaps]
    starts = collections.deque(REGION_STARTS)
    cursor = 1
    rows = dict(FIXED_ROWS)
    for kind, size, members, main in placed:
        while starts and starts[0][0] <= members[0]:
            cursor = starts.popleft()[1]
        taken = []
        for _ in range(size if kind == "plain" else 1):
            index = bisect.bisect_left(pool, cursor)
            taken.append(pool.pop(index if index < len(pool) else 0))
            cursor = taken[-1] + 1
        if kind == "plain":
            rows[members[0]] = taken
        else:
            for i, source in enumerate(members):
                rows[source] = [taken[0], MAIN if i == main else SECONDARY]
    require(not pool, "every target id but the unused ones is reached")
    return rows


def build_rows():
    rng = SplitMix64(SEED)
    absent = choose_absent(rng)
    present = [s for s in range(FIRST_SOURCE, LAST_SOURCE + 1) if s not in absent]
    placed = lay_out_units(rng, shuffled_units(rng), present)
    return assign_targets(placed, unused_targets(rng))


def merge_sources(rows, wanted):
    """Target id to the sorted sources whose merge marker is `wanted`."""
    found = collections.defaultdict(list)
    for source in sorted(rows):
        values = rows[source]
        if is_merge(values) and wanted(values[1]):
            found[values[0]].append(source)
    return found


def check(rows):
    """Fails unless the table holds every fixed figure."""
    sources = sorted(rows)
    require(len(sources) == ENTRY_COUNT, "entry count")
    require(sources[0] == FIRST_SOURCE and sources[-1] == LAST_SOURCE, "source id range")
    require(not set(FIXED_ABSENT) & set(rows), "absent source ids")
    for source, values in FIXED_ROWS.items():
        require(rows[source] == values, "fixed row %d" % source)

    targets = {v for values in rows.values() for v in values if v <= 3000}
    require(len(targets) == USED_TARGET_COUNT, "distinct target ids")
    require(min(targets) == 1 and max(targets) == LAST_TARGET, "target id range")

    plain = collections.Counter(len(v) for v in rows.values() if not is_merge(v))
    require(dict(plain) == PLAIN_LENGTHS, "list lengths")
    markers = collections.Counter(v[1] for v in rows.values() if is_merge(v))
    require(dict(markers) == MARKER_COUNTS, "marker counts")
    require(all(v <= 3000 for values in rows.values() if not is_merge(values) for v in values),
            "markers only second of two values")

    mains = merge_sources(rows, lambda m: m == MAIN)
    require({t: s for t, s in mains.items() if len(s) > 1} == SHARED_MAIN_TARGETS,
            "targets with several main contributors")
    reached = {v for values in rows.values() if not is_merge(values) for v in values}
    reached |= set(mains)
    others = merge_sources(rows, lambda m: m != MAIN)
    require({t: s for t, s in others.items() if t not in reached} == MARKER_ONLY_TARGETS,
            "targets reached only through other markers")


def render(rows):
    lines = [
        "// Generated by tools/gen_province_table.py; change the script and rerun it",
        "// rather than editing this file. One row per source province id:",
        "// {source id, {target ids}}. A second value above 3000 is a merge marker.",
    ]
    for source in sorted(rows):
        lines.append("{%d, {%s}}," % (source, ", ".join(str(v) for v in rows[source])))
    return "\n".join(lines) + "\n"


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    output = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else root / "refdata" / "province_table.inc"
    rows = build_rows()
    check(rows)
    output.write_bytes(render(rows).encode("ascii"))


if __name__ == "__main__":
    main()
