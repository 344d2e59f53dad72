#!/usr/bin/env python3
"""Writes a save of long lists of words drawn at random from many different
words, the one shape where each word costs the reader a lookup of its own:

    bench/word_lists.py OUT [--mb 40] [--distinct 3000] [--seed 1]

Each block holds one list of 120 words; the words are "w" and five digits, so
--distinct may go up to 100000. Give OUT to quillmere_bench_reader --file.
"""
import argparse
import random


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("out")
    parser.add_argument("--mb", type=float, default=40.0, help="size in millions of bytes")
    parser.add_argument("--distinct", type=int, default=3000, help="how many different words")
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    if not 1 <= args.distinct <= 100000:
        parser.error("--distinct must be from 1 to 100000")
    rng = random.Random(args.seed)
    words = ["w%05d" % i for i in range(args.distinct)]
    target = int(args.mb * 1e6)
    written = 0
    with open(args.out, "w", newline="\n") as out:
        while written < target:
            block = "tags=\n{ %s }\n" % " ".join(rng.choice(words) for _ in range(120))
            out.write(block)
            written += len(block)
    print("%s: %d bytes" % (args.out, written))


if __name__ == "__main__":
    main()
