#!/usr/bin/env python3
"""Generates the game's images and sounds into the run directory."""
import sys
from pathlib import Path


def main():
    Path(sys.argv[1]).mkdir(parents=True, exist_ok=True)


if __name__ == "__main__":
    main()
