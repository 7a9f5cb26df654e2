#!/usr/bin/env python3
"""Makes each fuzz target's seed corpus and dictionary from the shipped content.

Usage: makeSeeds.py CONTENT_DIR OUT_DIR
Writes OUT_DIR/<target>/ (the seeds) and OUT_DIR/<target>.dict (for the data files,
the element and attribute names the content uses, so the fuzzer can put them together).
The save target's seed is the running game's own save, which it offers itself.
"""
import os
import re
import sys

# Save records that only saves hold, but the universe reader builds from any file.
SAVE_ELEMENTS = ["projectileData", "shipData", "gravWallData", "notificationTextData"]


def read(content, name):
    with open(os.path.join(content, name), "rb") as f:
        return f.read()


def names_in(texts, pattern):
    found = set()
    for text in texts:
        found.update(name.decode() for name in re.findall(pattern, text))
    return sorted(found)


def write_dictionary(path, texts, extra_elements=(), extra_attributes=()):
    elements = names_in(texts, rb"<([A-Za-z][A-Za-z0-9]*)") + list(extra_elements)
    attributes = names_in(texts, rb"([A-Za-z][A-Za-z0-9]*)=\"") + list(extra_attributes)
    with open(path, "w") as f:
        for i, name in enumerate(elements):
            f.write('element%d="<%s "\n' % (i, name))
        for i, name in enumerate(attributes):
            f.write('attribute%d=" %s=\\""\n' % (i, name))
        f.write('close="/>"\nnegative="-1"\nhuge="1e39"\nnan="nan"\n')


def write_seeds(directory, seeds):
    os.makedirs(directory, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(directory, name), "wb") as f:
            f.write(data)


def data_files(content, out):
    universe = read(content, "universe.xml")
    projectiles = read(content, "projectiles.xml")
    write_seeds(os.path.join(out, "dataFilesFuzz"), {
        "shipped": universe + b"\0" + projectiles,
        "shippedUniverse": universe,
    })
    write_dictionary(os.path.join(out, "dataFilesFuzz.dict"), [universe, projectiles], SAVE_ELEMENTS, ["time"])


def save_game(content, out):
    os.makedirs(os.path.join(out, "saveGameFuzz"), exist_ok=True)
    texts = [read(content, "universe.xml"), read(content, "PlayerData.xml")]
    write_dictionary(os.path.join(out, "saveGameFuzz.dict"), texts, SAVE_ELEMENTS + ["textEntry", "textLine"], ["time"])


def main():
    content, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    data_files(content, out)
    save_game(content, out)


if __name__ == "__main__":
    main()
