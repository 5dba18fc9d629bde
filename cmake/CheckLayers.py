#!/usr/bin/python3
"""The layering rules, checked by CTest ("layering").

1. Nothing under platform/ or engine/ includes a Qt header or a header of host/gui/.
2. No target defined under platform/ or engine/ links a Qt target, directly or through its
   dependencies (the link closures come from cmake/QelLayers.cmake at configure time).
3. A layer's private headers (named *Internal.h) are included only by the layer itself and by
   its own tests (tests/<name> for the layer engine/<name>, platform/<name> or host/<name>).

Prints every violation with its file and line and exits with 1 when there is any.
--self-test runs on a fixture tree that holds one violation of each kind and exits with 0 only
when every one of them is reported.
"""

import argparse
import re
import sys
from pathlib import Path

SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc", ".inc"}
ENGINE_ROOTS = ("platform", "engine")
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]')
# <QString>, <QtCore/QObject>, <QtWidgets>: Qt's class headers and module directories.
QT_HEADER = re.compile(r"^(Qt[A-Za-z0-9]*(/|$)|Q[A-Z][A-Za-z0-9]*(\.h)?$)")
QT_LINK = re.compile(r"(^|[\s/:])(Qt[0-9]*::|lib[Qq]t[0-9])|^-lQt")


def layer_of(rel):
    """engine/vm for engine/vm/X.cpp; tests/vm for tests/vm/X.cpp; None for top-level files."""
    parts = Path(rel).parts
    return "/".join(parts[:2]) if len(parts) > 2 else None


def may_include_private(file_layer, header_layer):
    if file_layer == header_layer:
        return True
    return file_layer == "tests/" + header_layer.split("/")[1]


def source_files(root):
    for path in sorted(root.rglob("*")):
        rel = path.relative_to(root).as_posix()
        if rel.startswith(("build", "tests/layering/")):  # build trees; the check's own fixture
            continue
        if path.suffix in SOURCE_SUFFIXES and path.is_file():
            yield path, rel


def check_includes(root):
    problems = []
    for path, rel in source_files(root):
        in_engine = rel.split("/")[0] in ENGINE_ROOTS
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            header = match.group(1)
            where = f"{rel}:{number}"
            if in_engine and QT_HEADER.match(header):
                problems.append(f"{where}: includes the Qt header <{header}>")
            if in_engine and header.startswith("host/gui/"):
                problems.append(f"{where}: includes the GUI host header {header}")
            if header.endswith("Internal.h") and "/" in header:
                header_layer = layer_of(header)
                if header_layer and not may_include_private(layer_of(rel), header_layer):
                    problems.append(f"{where}: includes {header}, private to {header_layer}")
    return problems


def check_links(links_file):
    problems = []
    for line in Path(links_file).read_text().splitlines():
        if ":" not in line:
            continue
        head, deps = line.split(":", 1)
        directory, target = head.split()
        if directory.split("/")[0] not in ENGINE_ROOTS:
            continue
        for dep in deps.split():
            if QT_LINK.search(dep):
                problems.append(f"{directory}: target {target} links {dep}")
    return problems


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", type=Path, required=True)
    parser.add_argument("--links", type=Path, required=True)
    parser.add_argument("--self-test", action="store_true")
    args = parser.parse_args(argv)
    problems = check_includes(args.root) + check_links(args.links)
    if args.self_test:
        wanted = ["Qt header", "GUI host header", "private to", "links Qt6::Core",
                  "links Qt6::Widgets"]
        missing = [w for w in wanted if not any(w in p for p in problems)]
        for p in problems:
            print("caught:", p)
        for w in missing:
            print("NOT CAUGHT:", w)
        return 1 if missing else 0
    for p in problems:
        print(p)
    print(f"layering: {len(problems)} problem(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
