#!/usr/bin/env python3
"""Fails when a file of the show's library includes a folder above its own.

The folders form one-way layers: shell -> director -> scenes, metaballs -> render -> assets ->
platform. The shared show state (time, bands, textures, models, random tables, the show's
glow and fog table) sits in a few headers every layer may read. Usage: check_includes.py ROOT
"""
import pathlib
import re
import sys

LAYERS = {
    "shell": 5,
    "director": 4,
    "scenes": 3, "metaballs": 3,
    "render": 2,
    "assets": 1,
    "platform": 0,
}
SHARED_STATE = {"director/DemoState.h", "director/DemoRandom.h", "director/ShowLook.h"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def folder(path):
    return path.split("/", 1)[0]


def violations(root):
    found = []
    for layer in LAYERS:
        for source in sorted((root / layer).rglob("*")):
            if source.suffix not in (".h", ".cpp"):
                continue
            name = source.relative_to(root).as_posix()
            for target in INCLUDE.findall(source.read_text(encoding="utf-8", errors="replace")):
                above = folder(target)
                if above not in LAYERS or above == layer or target in SHARED_STATE:
                    continue
                if name in SHARED_STATE and LAYERS[above] <= LAYERS["render"]:
                    continue  # the shared state is made of models, GL names and glow settings
                if LAYERS[above] >= LAYERS[layer]:
                    found.append(f"{name} includes {target}: {layer}/ may not reach {above}/")
    return found


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    found = violations(root)
    for line in found:
        print(line)
    print(f"{0 if found else 1} passed, {1 if found else 0} failed")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
