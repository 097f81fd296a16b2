#!/usr/bin/env python3
"""Checks that every include points down the layers.

Each folder is one library and may include only itself and the folders
listed before it; model/ and exchange/ include nothing but the standard
library and model/ (no Qt). Prints each wrong include and exits 1 when
there is one. Usage: check_includes.py [source root]
"""
import pathlib
import re
import sys

LAYERS = ["model", "exchange", "platform", "resources", "view",
          "tools", "edit_tools", "annotation_tools", "dialogs", "app"]
STD_ONLY = {"model", "exchange"}

QUOTED = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
ANGLED = re.compile(r'^\s*#\s*include\s*<([^>]+)>')
QT_HEADER = re.compile(r'^(Q[A-Za-z]|Qt[A-Za-z]*/|Qt$|qt)')


def allowed_folders(folder):
    below = LAYERS[:LAYERS.index(folder) + 1]
    if folder in STD_ONLY:
        return {"model", folder}
    return set(below)


def check_file(path, folder, root):
    faults = []
    allowed = allowed_folders(folder)
    text = path.read_text(encoding="utf-8", errors="replace")
    for number, line in enumerate(text.splitlines(), 1):
        where = f"{path.relative_to(root)}:{number}"
        m = QUOTED.match(line)
        if m:
            target = m.group(1)
            top = target.split("/", 1)[0] if "/" in target else None
            if top is None:
                faults.append(f"{where}: \"{target}\" names no folder")
            elif top in LAYERS and top not in allowed:
                faults.append(f"{where}: {folder}/ includes {target}")
            elif top not in LAYERS:
                faults.append(f"{where}: {folder}/ includes {target} from outside the layers")
            continue
        m = ANGLED.match(line)
        if m and folder in STD_ONLY and QT_HEADER.match(m.group(1)):
            faults.append(f"{where}: {folder}/ includes <{m.group(1)}>")
    return faults


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    faults = []
    for folder in LAYERS:
        base = root / folder
        if not base.is_dir():
            continue
        for path in sorted(base.rglob("*")):
            if path.suffix in (".h", ".cpp") and path.is_file():
                faults.extend(check_file(path, folder, root))
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} include(s) point the wrong way", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
