#!/usr/bin/python3
"""Drives qeldap as an editor would: Debug Adapter Protocol requests through a pipe to the
real program, checking the responses and events of debugging sessions of dap/sample.pas and
dap/uncaught.pas and dap/running.pas (lines from 1, as editors count them)."""

import json
import queue
import subprocess
import sys
import threading
from pathlib import Path

SAMPLE = Path(__file__).resolve().parent / "dap" / "sample.pas"
UNCAUGHT = Path(__file__).resolve().parent / "dap" / "uncaught.pas"
RUNNING = Path(__file__).resolve().parent / "dap" / "running.pas"
WAIT = 60  # seconds before a missing message fails the test (a guard, not a measurement)


class Adapter:
    def __init__(self, program):
        self.proc = subprocess.Popen([program], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        self.messages = queue.Queue()
        self.events = []
        self.seq = 0
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        out = self.proc.stdout
        while True:
            header = {}
            while True:
                line = out.readline()
                if not line:
                    self.messages.put(None)
                    return
                line = line.decode().strip()
                if not line:
                    break
                key, _, value = line.partition(":")
                header[key.strip()] = value.strip()
            self.messages.put(json.loads(out.read(int(header["Content-Length"]))))

    def _next(self):
        message = self.messages.get(timeout=WAIT)
        if message is None:
            raise AssertionError("the adapter closed its output")
        return message

    def request(self, command, arguments=None, success=True):
        self.seq += 1
        body = {"seq": self.seq, "type": "request", "command": command}
        if arguments is not None:
            body["arguments"] = arguments
        data = json.dumps(body).encode()
        self.proc.stdin.write(b"Content-Length: %d\r\n\r\n" % len(data) + data)
        self.proc.stdin.flush()
        while True:
            message = self._next()
            if message["type"] == "event":
                self.events.append(message)
            elif message.get("request_seq") == self.seq:
                check(message["command"] == command, "response to " + command, message)
                check(message["success"] == success, command + " success", message)
                return message.get("body", {}) if success else message

    def event(self, name):
        """The first not yet taken event of that name, waiting for it when needed."""
        while True:
            for i, event in enumerate(self.events):
                if event["event"] == name:
                    return self.events.pop(i)
            message = self._next()
            if message["type"] == "event":
                self.events.append(message)


FAILURES = []


def check(condition, what, detail=None):
    if not condition:
        FAILURES.append("%s: %s" % (what, json.dumps(detail) if detail is not None else ""))
        print("FAIL", what, detail, file=sys.stderr)


def uncaught_session(program):
    """Stop on uncaught errors: the error caught by an except block runs on, the one a finally
    block only passes on stops where it was raised, with its frames, then ends the run."""
    dap = Adapter(program)
    caps = dap.request("initialize", {"adapterID": "qel", "linesStartAt1": True})
    filters = [f["filter"] for f in caps.get("exceptionBreakpointFilters", [])]
    check(filters == ["uncaught"] and caps.get("supportsExceptionInfoRequest"), "error filters", caps)
    dap.event("initialized")
    dap.request("launch", {"program": str(UNCAUGHT)})
    dap.request("setExceptionBreakpoints", {"filters": ["uncaught"]})
    dap.request("configurationDone")

    stopped = dap.event("stopped")["body"]
    check(stopped["reason"] == "exception" and "bad 2" in stopped.get("text", ""),
          "stopped on the uncaught error", stopped)
    frames = dap.request("stackTrace", {"threadId": 1})["stackFrames"]
    check([(f["name"], f["line"]) for f in frames] == [("Fail", 3), ("Main", 14)],
          "stack where the error was raised", frames)
    value = dap.request("evaluate", {"expression": "n", "frameId": 1, "context": "watch"})
    check(value["result"] == "2", "the raising frame's parameter", value)
    info = dap.request("exceptionInfo", {"threadId": 1})
    check(info["exceptionId"] == "Exception" and "bad 2" in info["description"]
          and info["breakMode"] == "unhandled", "exception info", info)

    dap.request("continue", {"threadId": 1})
    exited = dap.event("exited")["body"]
    check(exited["exitCode"] == 1, "the error ends the run", exited)
    outputs = [e["body"] for e in dap.events if e["event"] == "output"]
    printed = "".join(o["output"] for o in outputs if o["category"] == "stdout")
    check(printed == "caught\nfinally\n", "output around the error", outputs)
    errors = "".join(o["output"] for o in outputs if o["category"] == "stderr")
    check("bad 2" in errors, "the error reported", outputs)
    check(not any(e["event"] == "stopped" for e in dap.events), "one stop only", dap.events)
    dap.request("exceptionInfo", {"threadId": 1}, success=False)
    dap.request("disconnect")
    check(dap.proc.wait(timeout=WAIT) == 1, "the adapter exits with the script's code")


def running_session(program):
    """Breakpoints set while the script runs: a loop that only a changed variable ends stops at
    the breakpoint set after it started, and runs to its end once the breakpoint is gone."""
    dap = Adapter(program)
    dap.request("initialize", {"adapterID": "qel", "linesStartAt1": True})
    dap.event("initialized")
    dap.request("launch", {"program": str(RUNNING)})
    dap.request("configurationDone")
    check(dap.event("output")["body"]["output"] == "running\n", "the loop runs")
    bps = dap.request("setBreakpoints", {"source": {"path": str(RUNNING)},
                                         "breakpoints": [{"line": 8}]})
    check([b["verified"] for b in bps["breakpoints"]] == [True], "set while running", bps)
    stopped = dap.event("stopped")["body"]
    check(stopped["reason"] == "breakpoint", "stopped in the loop", stopped)
    frames = dap.request("stackTrace", {"threadId": 1})["stackFrames"]
    check([(f["name"], f["line"]) for f in frames] == [("Main", 8)], "stack in the loop", frames)
    scopes = dap.request("scopes", {"frameId": 1})["scopes"]
    dap.request("setVariable", {"variablesReference": scopes[0]["variablesReference"],
                                "name": "stop", "value": "1"})
    dap.request("setBreakpoints", {"source": {"path": str(RUNNING)}, "breakpoints": []})
    dap.request("continue", {"threadId": 1})
    check(dap.event("exited")["body"]["exitCode"] == 0, "the loop ended")
    outputs = [e["body"] for e in dap.events if e["event"] == "output"]
    check("".join(o["output"] for o in outputs if o["category"] == "stdout") == "done\n",
          "output after the stop", outputs)
    check(not any(e["event"] == "stopped" for e in dap.events), "one stop only", dap.events)
    dap.request("disconnect")
    check(dap.proc.wait(timeout=WAIT) == 0, "adapter exit code")


def main():
    uncaught_session(sys.argv[1])
    running_session(sys.argv[1])
    dap = Adapter(sys.argv[1])
    caps = dap.request("initialize", {"adapterID": "qel", "linesStartAt1": True})
    check(caps.get("supportsConditionalBreakpoints") and caps.get("supportsLogPoints"),
          "capabilities", caps)
    dap.event("initialized")
    dap.request("launch", {"program": str(SAMPLE), "procedure": "Main", "args": ["dap"]})
    bps = dap.request("setBreakpoints", {
        "source": {"path": str(SAMPLE)},
        "breakpoints": [{"line": 10},
                        {"line": 3, "condition": "a > 100"},  # never true: Twice(10), Twice(20)
                        {"line": 13, "logMessage": "at thirteen"}]})
    check([b["verified"] for b in bps["breakpoints"]] == [True, True, True], "verified", bps)
    dap.request("configurationDone")

    stopped = dap.event("stopped")["body"]
    check(stopped["reason"] == "breakpoint", "stopped at the breakpoint", stopped)
    threads = dap.request("threads")["threads"]
    check(len(threads) == 1, "one thread", threads)
    frames = dap.request("stackTrace", {"threadId": 1})["stackFrames"]
    check([(f["name"], f["line"]) for f in frames] == [("Main", 10)], "stack at line 10", frames)

    scopes = dap.request("scopes", {"frameId": frames[0]["id"]})["scopes"]
    check([s["name"] for s in scopes] == ["Locals"], "scopes", scopes)
    variables = dap.request("variables", {"variablesReference": scopes[0]["variablesReference"]})
    shown = [(v["name"], v["value"], v["type"]) for v in variables["variables"]]
    check(shown == [("name", "'dap'", "String"), ("x", "20", "Integer"),
                    ("y", "Unassigned", "Unassigned")], "locals", shown)
    value = dap.request("evaluate", {"expression": "x * 2", "frameId": 1, "context": "watch"})
    check(value["result"] == "40" and value["type"] == "Integer", "evaluate", value)
    failed = dap.request("evaluate", {"expression": "nosuch + 1", "frameId": 1}, success=False)
    check("nosuch" in failed.get("message", ""), "evaluation error", failed)

    dap.request("stepIn", {"threadId": 1})
    check(dap.event("stopped")["body"]["reason"] == "step", "step in stops")
    frames = dap.request("stackTrace", {"threadId": 1})["stackFrames"]
    check([(f["name"], f["line"]) for f in frames] == [("Twice", 3), ("Main", 10)],
          "stack in the callee", frames)

    dap.request("stepOut", {"threadId": 1})
    check(dap.event("stopped")["body"]["reason"] == "step", "step out stops")
    frames = dap.request("stackTrace", {"threadId": 1})["stackFrames"]
    check([(f["name"], f["line"]) for f in frames] == [("Main", 11)], "back in the caller", frames)

    scopes = dap.request("scopes", {"frameId": 1})["scopes"]
    changed = dap.request("setVariable", {"variablesReference": scopes[0]["variablesReference"],
                                          "name": "y", "value": "99"})
    check(changed["value"] == "99", "set variable", changed)

    dap.request("next", {"threadId": 1})
    check(dap.event("stopped")["body"]["reason"] == "step", "next stops")
    frames = dap.request("stackTrace", {"threadId": 1})["stackFrames"]
    check(frames[0]["line"] == 12, "next lands on the next line", frames)

    dap.request("continue", {"threadId": 1})
    exited = dap.event("exited")["body"]
    check(exited["exitCode"] == 0, "exit code", exited)
    dap.event("terminated")
    outputs = [e["body"] for e in dap.events if e["event"] == "output"]
    printed = "".join(o["output"] for o in outputs if o["category"] == "stdout")
    check(printed == "dap\n99\n", "MessageList output", outputs)
    logged = "".join(o["output"] for o in outputs if o["category"] == "console")
    check("Breakpoint message: at thirteen" in logged, "log point", outputs)
    check(not any(e["event"] == "stopped" for e in dap.events), "no stop after continue", dap.events)

    dap.request("disconnect")
    check(dap.proc.wait(timeout=WAIT) == 0, "adapter exit code")
    if FAILURES:
        print("%d check(s) failed" % len(FAILURES))
        return 1
    print("DAP session passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
