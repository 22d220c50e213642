#!/usr/bin/env python3
"""scheduler_bridge_smoke.py BIN_DIR: the benchmark's scheduler bridge carries a class change to Linux.

A Wine program (benefit_load.exe --classes) sets its own priority class, one class after another;
each time, every one of its Linux threads must show the nice value upstream Wine gives that class
within a second. Then the control: in watch mode the threads keep their own value, back in apply
mode they take the class's again, and when the bridge ends they have their own values back. Needs
WINEPREFIX (and a display, as any Wine run here). Prints each change's delay; exits 1 on a failure.
"""
import os
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "bench"))
import scheduler_bridge  # noqa: E402

LIMIT = 1.0  # seconds
# (class set by the program, or a signal to the bridge; the nice value every thread must reach)
STEPS = [("HIGH", -13), ("IDLE", 11), ("REALTIME", -19), ("BELOW_NORMAL", 6), ("ABOVE_NORMAL", -5),
         ("NORMAL", 0), ("HIGH", -13), ("watch", 0), ("apply", -13), ("end", 0)]


def linux_id(token, prefix):
    for _ in range(300):
        for name in filter(str.isdigit, os.listdir("/proc")):
            try:
                if scheduler_bridge.linux_arguments(name)[1:] == ["--classes", token] and \
                        scheduler_bridge.in_prefix(name, prefix):
                    return int(name)
            except (OSError, IndexError):
                continue
        time.sleep(0.05)
    return None


def nice_values(pid):
    values = []
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            values.append(os.getpriority(os.PRIO_PROCESS, int(tid)))
        except OSError:
            pass
    return values


def wait_for(pid, nice):
    """Seconds until every thread shows nice, or None after LIMIT."""
    start = time.monotonic()
    while time.monotonic() - start < LIMIT:
        values = nice_values(pid)
        if values and all(v == nice for v in values):
            return time.monotonic() - start
        time.sleep(0.001)
    return None


SIGNALS = {"watch": signal.SIGUSR2, "apply": signal.SIGUSR1, "end": signal.SIGTERM}


def step(name, program, bridge):
    """Sets a class through the program, or switches or ends the bridge; False when refused."""
    if name in SIGNALS:
        bridge.send_signal(SIGNALS[name])
        if name == "end":
            bridge.wait(timeout=15)
        return True
    program.stdin.write(name + "\n")
    program.stdin.flush()
    return program.stdout.readline().strip() == f"set {name}"


def main():
    bin_dir, prefix = sys.argv[1], os.environ["WINEPREFIX"]
    token = f"smoke-{os.getpid()}"
    bridge = subprocess.Popen([sys.executable, scheduler_bridge.__file__, "--reader",
                               os.path.join(bin_dir, "class_reader.exe")],
                              stdout=subprocess.PIPE, text=True)
    program = subprocess.Popen(["wine", "benefit_load.exe", "--classes", token], cwd=bin_dir, stdin=subprocess.PIPE,
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    failures = []
    try:
        ready = program.stdout.readline()
        pid = linux_id(token, prefix)
        if not ready.startswith("ready") or pid is None:
            failures.append("the class changer did not start")
        time.sleep(1)  # the bridge lists new processes every 200 ms
        for name, nice in STEPS if not failures else []:
            if not step(name, program, bridge):
                failures.append(f"{name}: the program could not set it")
                continue
            took = wait_for(pid, nice)
            shown = ", ".join(str(v) for v in sorted(set(nice_values(pid))))
            print(f"bridge smoke: {name:<13} nice {nice:+d} on every thread: "
                  + (f"after {took * 1000:.1f} ms" if took is not None else f"NOT within {LIMIT:.0f} s (threads at {shown})"))
            if took is None:
                failures.append(name)
        said = bridge.stdout.read() if bridge.poll() is not None else ""
        if "emulates upstream Wine's mapping" not in said:
            failures.append("the bridge did not say that it emulates upstream Wine's mapping")
    finally:
        program.stdin.close()
        program.wait(timeout=15)
        if bridge.poll() is None:
            bridge.terminate()
            bridge.wait(timeout=15)
    print(f"bridge smoke: {'passed' if not failures else 'FAILED: ' + '; '.join(failures)}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
