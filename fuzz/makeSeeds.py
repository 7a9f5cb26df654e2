#!/usr/bin/env python3
"""Makes each fuzz target's seed corpus and dictionary from the shipped content.

Usage: makeSeeds.py CONTENT_DIR OUT_DIR
Writes OUT_DIR/<target>/ (the seeds) and OUT_DIR/<target>.dict (for the data files,
the element and attribute names the content uses, so the fuzzer can put them together).
The save target's seed is the running game's own save, which it offers itself.
"""
import os
import re
import struct
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


def quoted_list(source, name):
    """The strings of the C++ array called name, in order."""
    body = re.search(name + r"\[\] = \{(.*?)\};", source, re.S).group(1)
    return re.findall(r'"([^"]*)"', body)


class HostCalls:
    """Writes call programs in hostCallsFuzz.cpp's layout: per call a function byte, an
    argument count and the arguments, each a kind byte and its payload."""

    def __init__(self, source):
        self.functions = quoted_list(source, "HOST_FUNCTIONS")
        self.keys = quoted_list(source, "TABLE_KEYS")

    def call(self, name, *arguments):
        return bytes([self.functions.index(name), len(arguments)]) + b"".join(arguments)

    @staticmethod
    def number(value):
        return b"\x03" + struct.pack("<d", value)

    @staticmethod
    def text(value):
        data = value.encode()[:255]
        return bytes([4, len(data)]) + data

    def table(self, fields):
        out = bytes([5, len(fields)])
        for key, value in fields:
            if isinstance(key, int):
                out += bytes([key + 160])
            elif key in self.keys:
                out += bytes([self.keys.index(key)])
            else:
                out += b"\xff" + self.text(key)[1:]
            out += value
        return out


def first_attributes(text, element):
    match = re.search(rb"<" + element + rb"\s([^>]*)>", text, re.S)
    return {k.decode(): v.decode() for k, v in re.findall(rb'([A-Za-z0-9]+)="([^"]*)"', match.group(1))}


def host_calls(content, out, source):
    h = HostCalls(source)
    ship = first_attributes(read(content, "shipData.xml"), b"ship")["name"]
    planet = first_attributes(read(content, "universe.xml"), b"planet")
    record = [(k, h.text(v) if k in ("name", "factionOwner") else h.number(float(v)))
              for k, v in planet.items() if k in h.keys and k not in ("radius",)]
    extra = [(k, h.text(v)) for k, v in first_attributes(read(content, "universe.xml"), b"extraData").items()]
    seeds = {name: h.call(name) for name in h.functions}
    seeds.update({
        "planetData": h.call("getPlanetData", h.number(0)) + h.call("getDecodedPlanetName", h.number(1)),
        "setPlanetData": h.call("setPlanetData", h.table(extra + [(2, h.number(3))]), h.table(record), h.number(0)),
        "tradeGoods": h.call("getPlanetTradeGoods", h.number(0)) + h.call("getPlanetEquipment", h.number(0)),
        "faction": h.call("getFactionName", h.number(1)) + h.call("getFactionData"),
        "debug": h.call("debugDisplay", h.text("hello")) + h.call("setVal", h.number(2.7)),
        "resize": h.call("resize", h.number(800), h.number(600), b"\x01\x00"),
        "input": h.call("disablePlayerInput") + h.call("getWorldData") + h.call("enablePlayerInput"),
    })
    for ai in range(5):
        spawn = [("name", h.text(ship)), ("x", h.number(500)), ("y", h.number(-400)), ("faction", h.number(2)),
                 ("AIType", h.number(ai)), ("destinationX", h.number(100)), ("destinationY", h.number(100)),
                 ("destinationShip", h.number(0)), ("destinationPlanet", h.number(1))]
        seeds["spawnShip%d" % ai] = h.call("spawnShip", h.table(spawn))
    write_seeds(os.path.join(out, "hostCallsFuzz"), seeds)


def save_game(content, out):
    os.makedirs(os.path.join(out, "saveGameFuzz"), exist_ok=True)
    texts = [read(content, "universe.xml"), read(content, "PlayerData.xml")]
    write_dictionary(os.path.join(out, "saveGameFuzz.dict"), texts, SAVE_ELEMENTS + ["textEntry", "textLine"], ["time"])


def main():
    content, out = sys.argv[1], sys.argv[2]
    here = os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)
    data_files(content, out)
    save_game(content, out)
    with open(os.path.join(here, "hostCallsFuzz.cpp")) as f:
        host_calls(content, out, f.read())


if __name__ == "__main__":
    main()
