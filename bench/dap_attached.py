#!/usr/bin/python3
"""Times the bench programs run under the debug adapter (a debugger attached, no breakpoint):
the same wall clock per process as bench/run measures for qelrun, so the two compare.

  bench/dap_attached.py [--reps N] [--lang pas|vb] QELDAP"""

import argparse
import json
import statistics
import subprocess
import time
from pathlib import Path

PROGRAMS = Path(__file__).resolve().parent / "programs"


def send(proc, seq, command, arguments=None):
    body = {"seq": seq, "type": "request", "command": command}
    if arguments is not None:
        body["arguments"] = arguments
    data = json.dumps(body).encode()
    proc.stdin.write(b"Content-Length: %d\r\n\r\n" % len(data) + data)
    proc.stdin.flush()


def read(proc):
    length = 0
    while True:
        line = proc.stdout.readline()
        if not line:
            return None
        line = line.strip()
        if not line:
            break
        if line.startswith(b"Content-Length:"):
            length = int(line.split(b":")[1])
    return json.loads(proc.stdout.read(length))


def run_once(qeldap, program):
    start = time.perf_counter()
    proc = subprocess.Popen([qeldap], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    send(proc, 1, "initialize", {"adapterID": "bench"})
    send(proc, 2, "launch", {"program": str(program)})
    send(proc, 3, "configurationDone")
    exit_code = None
    while exit_code is None:
        message = read(proc)
        if message is None:
            raise SystemExit("qeldap ended early on " + program.name)
        if message.get("event") == "exited":
            exit_code = message["body"]["exitCode"]
    send(proc, 4, "disconnect")
    proc.wait()
    if exit_code != 0:
        raise SystemExit("%s failed under the adapter" % program.name)
    return time.perf_counter() - start


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--reps", type=int, default=3)
    parser.add_argument("--lang", default="pas")
    parser.add_argument("qeldap")
    args = parser.parse_args()
    programs = sorted(p for p in PROGRAMS.glob("*." + args.lang))
    times = {p.stem: [] for p in programs}
    for _ in range(args.reps):
        for program in programs:
            times[program.stem].append(run_once(args.qeldap, program))
    print("| program | attached s |\n|---|---:|")
    for name, values in times.items():
        print("| %s | %.3f |" % (name, statistics.median(values)))


if __name__ == "__main__":
    main()
