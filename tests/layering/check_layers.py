#!/usr/bin/env python3
"""Checks the layers of the product folders against the project's layer
table (ALLOWED below; the architecture notes describe the same table).

Every #include of every .h/.cpp file in the product folders is read:
  - a quoted include names its folder ("engine/errors.h") and an existing
    file, and its folder is one the including folder may use;
  - variables/ and smartformat/ use only the interface headers of platform/;
  - Qt headers appear only where Qt is allowed, and Qt Widgets only in ui/.
Every library's links (layer_links.txt, written by CMake) follow the same
table, so a wrong link is caught even before anyone includes a header.

Exit status 0 when everything follows the table, 1 with one line per
violation otherwise.
"""
import argparse
import os
import re
import sys

# Layers and the folders each may include ("their own" included). A folder
# inside another one (ui/model, platform/qt) is a layer of its own; any other
# subfolder belongs to its parent's layer (ui/pages is part of ui).
PLATFORM_INTERFACES = "platform (interfaces)"
BASE = ["engine", "platform", "variables", "smartformat", "about"]
ALLOWED = {
    "engine": ["engine"],
    "platform": ["platform"],
    "platform/qt": ["platform", "platform/qt"],
    "variables": ["engine", "variables", PLATFORM_INTERFACES],
    "smartformat": ["engine", "variables", "smartformat", PLATFORM_INTERFACES],
    "about": ["engine", "platform", "about"],
    "tools": BASE + ["tools"],
    "webdata": BASE + ["tools", "webdata"],
    "cli": BASE + ["tools", "webdata", "platform/qt", "cli"],
    "ui": BASE + ["tools", "webdata", "platform/qt", "ui/model", "ui"],
    "ui/model": BASE + ["tools", "webdata", "ui/model"],
}

# The platform headers that variables/ and smartformat/ may include: the
# interfaces and the portable helpers. A new interface they need goes here;
# concrete implementations (POSIX shared memory, lock files, sockets, ...)
# are reached only through these interfaces, wired in by the programs.
PLATFORM_INTERFACE_HEADERS = {
    "atomic_file.h",
    "fake_title_registry.h",
    "fake_window_messages.h",
    "field_text.h",
    "ini_file.h",
    "shared_block.h",
    "title_registry.h",
    "window_messages.h",
}

# Qt: None = no Qt at all; "core" = Qt modules except Widgets; "any" = all.
# The Qt implementations of platform services live in platform/qt/ (library
# orvane_platform_qt), which only ui/ and cli/ may use.
QT_POLICY = {
    "engine": None,
    "platform": None,
    "platform/qt": "core",
    "variables": None,
    "smartformat": None,
    "about": None,
    "tools": None,
    "webdata": None,
    "cli": "core",
    "ui": "any",
    "ui/model": None,
}

SOURCE_SUFFIXES = (".h", ".hpp", ".cpp")
INCLUDE_RE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
QT_HEADER_RE = re.compile(r"^(Qt[A-Za-z0-9]+/|Q[A-Z][A-Za-z0-9]*$|Qt[A-Z][A-Za-z0-9]*$)")


def layer_of(path):
    """The layer a source-relative path belongs to, or None."""
    best = None
    for layer in ALLOWED:
        if path == layer or path.startswith(layer + "/"):
            if best is None or len(layer) > len(best):
                best = layer
    return best


def qt_module(header, widgets_headers):
    """'widgets', 'other' or None (not a Qt header)."""
    if not QT_HEADER_RE.match(header):
        return None
    if header.startswith("QtWidgets/") or header == "QtWidgets":
        return "widgets"
    if "/" not in header and header in widgets_headers:
        return "widgets"
    return "other"


def qt_allowed(layer, module):
    policy = QT_POLICY[layer]
    if policy is None:
        return False
    if policy == "core":
        return module != "widgets"
    return True


def check_includes(source, widgets_headers):
    problems = []
    files = 0
    includes = 0
    for layer in sorted(ALLOWED):
        top = os.path.join(source, layer)
        if not os.path.isdir(top):
            continue
        for folder, dirs, names in os.walk(top):
            dirs.sort()
            for name in sorted(names):
                if not name.endswith(SOURCE_SUFFIXES):
                    continue
                full = os.path.join(folder, name)
                rel = os.path.relpath(full, source)
                own = layer_of(rel)
                if own != layer:
                    continue  # a nested layer, read on its own turn
                files += 1
                with open(full, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE_RE.match(line)
                        if not m:
                            continue
                        includes += 1
                        where = f"{rel}:{number}: "
                        kind, target = m.group(1), m.group(2)
                        problem = check_one(own, kind, target, source, widgets_headers)
                        if problem:
                            problems.append(where + problem)
    return problems, files, includes


def check_one(own, kind, target, source, widgets_headers):
    if kind == "<":
        if layer_of(target):
            return f'<{target}> is a project header: include it as "{target}"'
        module = qt_module(target, widgets_headers)
        if module and not qt_allowed(own, module):
            what = "Qt Widgets" if module == "widgets" else "Qt"
            return f"<{target}>: {own}/ may not include {what}"
        return None
    if target.startswith(".") or "/" not in target:
        return f'"{target}": include project headers as "folder/file.h"'
    to = layer_of(target)
    if to is None:
        return f'"{target}" is in no product folder'
    if not os.path.isfile(os.path.join(source, target)):
        return f'"{target}" does not exist'
    allowed = ALLOWED[own]
    if to in allowed:
        return None
    if to == "platform" and PLATFORM_INTERFACES in allowed:
        if os.path.basename(target) in PLATFORM_INTERFACE_HEADERS:
            return None
        return (f'"{target}": {own}/ may use only the interfaces of platform/ '
                f"(a concrete implementation is wired in by the programs)")
    return f'"{target}": {own}/ may not include {to}/'


def check_links(links_file):
    problems = []
    with open(links_file, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            words = line.split()
            if not words:
                continue
            own, deps = words[0], words[1:]
            if own not in ALLOWED:
                continue  # test support and the like
            for dep in deps:
                where = f"{os.path.basename(links_file)}:{number}: library of {own}/ links {dep}: "
                if dep in ALLOWED:
                    ok = dep == own or dep in ALLOWED[own] or (
                        dep == "platform" and PLATFORM_INTERFACES in ALLOWED[own])
                    if not ok:
                        problems.append(where + f"{own}/ may not use {dep}/")
                elif dep.startswith("Qt6::") or dep.startswith("Qt::"):
                    module = "widgets" if dep.endswith("::Widgets") else "other"
                    if not qt_allowed(own, module):
                        what = "Qt Widgets" if module == "widgets" else "Qt"
                        problems.append(where + f"{own}/ may not link {what}")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", required=True, help="the project's source folder")
    parser.add_argument("--links", help="layer_links.txt of the build folder")
    parser.add_argument("--qt-widgets-headers",
                        help="the QtWidgets include folder (its file names are the Widgets headers)")
    args = parser.parse_args()

    widgets_headers = set()
    if args.qt_widgets_headers and os.path.isdir(args.qt_widgets_headers):
        widgets_headers = set(os.listdir(args.qt_widgets_headers))

    problems, files, includes = check_includes(args.source, widgets_headers)
    if args.links:
        problems += check_links(args.links)
    for p in problems:
        print(p)
    print(f"{files} files, {includes} includes read; {len(problems)} against the layer table")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
