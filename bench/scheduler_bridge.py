#!/usr/bin/env python3
"""scheduler_bridge.py --reader CLASS_READER_EXE [--state FILE] [--mode apply|watch] [--period MS] [--verbose]

For benchmarks only, never part of the program: makes the priority classes of the Wine processes
of one prefix ($WINEPREFIX) reach the Linux scheduler, which the Wine of Debian does not do (it keeps
a class in its server only). It emulates the mapping of upstream Wine (10.1 on): Windows base
priority 1-15 linearly onto nice 19 ... -19, which for a thread of normal priority gives the nice
values of NICE below. Every thread of a process gets its class's value.

The Windows half, bench/win32/class_reader.exe, runs in the prefix and writes every process it sees
and every class change; this half finds each process's Linux id by its command line
(/proc/<pid>/cmdline holds the Windows arguments; among processes of the same command line the one
started closest to the Windows start time) and sets the nice value of every thread with
setpriority(). A process back at NORMAL gets its threads' own values back.

Modes: "apply" (the default) renices; "watch" follows the classes but leaves every thread at its
own value, the control of a benchmark. SIGUSR1 switches to apply, SIGUSR2 to watch; after each
switch the mode is written to --state. SIGTERM, SIGINT or the reader's end put every thread back and
end the bridge.
"""
import argparse
import os
import select
import signal
import subprocess
import sys
import time

NICE = {"IDLE": 11, "BELOW_NORMAL": 6, "NORMAL": 0, "ABOVE_NORMAL": -5, "HIGH": -13, "REALTIME": -19}
STATEMENT = ("scheduler bridge: emulates upstream Wine's mapping of priority classes onto Linux nice values "
             "(IDLE +11, BELOW_NORMAL +6, NORMAL 0, ABOVE_NORMAL -5, HIGH -13, REALTIME -19), "
             "which the Wine in use does not make")
EPOCH_1601 = 11644473600  # seconds from 1601-01-01 to 1970-01-01
MAP_TRIES = 50


def linux_arguments(pid):
    """A Linux process's arguments without the padding Wine leaves when it writes the Windows ones."""
    with open(f"/proc/{pid}/cmdline", "rb") as f:
        parts = f.read().decode("utf-8", "replace").split("\0")
    while parts and parts[-1] == "":
        parts.pop()
    return parts


def same_arguments(windows, linux):
    """The first argument may name the program with or without its folder; the rest must agree."""
    if not windows or len(windows) != len(linux):
        return False
    base = lambda path: path.replace("/", "\\").rsplit("\\", 1)[-1].lower()
    return base(windows[0]) == base(linux[0]) and windows[1:] == linux[1:]


def boot_time():
    with open("/proc/stat") as f:
        for line in f:
            if line.startswith("btime "):
                return int(line.split()[1])
    return 0


def linux_start(pid, btime, hz):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return btime + int(fields[19]) / hz  # starttime, the 22nd field


def in_prefix(pid, prefix):
    with open(f"/proc/{pid}/environ", "rb") as f:
        return f"WINEPREFIX={prefix}".encode() in f.read().split(b"\0")


def find_linux_ids(wanted, prefix, taken):
    """wanted: {windows pid: (arguments, start in 100 ns since 1601)}; answers {windows pid: linux pid}
    for those found among the processes of the prefix, none given twice."""
    candidates = []
    for name in os.listdir("/proc"):
        if not name.isdigit() or int(name) in taken:
            continue
        try:
            arguments = linux_arguments(name)
            matches = [w for w, (args, _) in wanted.items() if same_arguments(args, arguments)]
            if matches and in_prefix(name, prefix):
                candidates.append((int(name), matches))
        except OSError:
            continue
    btime, hz, found = boot_time(), os.sysconf("SC_CLK_TCK"), {}
    for pid, matches in candidates:
        try:
            started = linux_start(pid, btime, hz)
        except OSError:
            continue
        for windows_pid in matches:
            gap = abs(started - (wanted[windows_pid][1] / 1e7 - EPOCH_1601))
            if windows_pid not in found or gap < found[windows_pid][1]:
                found[windows_pid] = (pid, gap)
    return {w: pid for w, (pid, _) in found.items()}


class Bridge:
    def __init__(self, prefix, verbose):
        self.prefix, self.verbose = prefix, verbose
        self.apply = True
        self.processes = {}  # windows pid -> {"args", "start", "class", "linux", "tries"}
        self.original = {}  # (linux pid, tid) -> the thread's own nice value
        self.changes = 0

    def log(self, text):
        if self.verbose:
            print(f"{time.monotonic():.4f} {text}", flush=True)

    def threads(self, linux):
        try:
            return [int(t) for t in os.listdir(f"/proc/{linux}/task")]
        except OSError:
            return []

    def renice(self, windows_pid):
        """Every thread of the process to its class's value (or its own again at NORMAL)."""
        process = self.processes.get(windows_pid)
        if not process or process["linux"] is None:
            return
        linux, wanted = process["linux"], NICE.get(process["class"])
        if wanted is None:
            return
        for tid in self.threads(linux):
            key = (linux, tid)
            try:
                if not self.apply or wanted == 0:
                    if key in self.original:
                        os.setpriority(os.PRIO_PROCESS, tid, self.original.pop(key))
                    continue
                if key not in self.original:
                    self.original[key] = os.getpriority(os.PRIO_PROCESS, tid)
                if os.getpriority(os.PRIO_PROCESS, tid) != wanted:
                    os.setpriority(os.PRIO_PROCESS, tid, wanted)
                    self.changes += 1
            except OSError:
                self.original.pop(key, None)  # the thread has ended

    def line(self, text):
        fields = text.rstrip("\r\n").split("\t")
        kind, windows_pid = fields[0], int(fields[1]) if len(fields) > 1 else 0
        if kind == "+" and len(fields) >= 4:
            self.processes[windows_pid] = {"args": fields[4:], "start": int(fields[2]), "class": fields[3],
                                           "linux": None, "tries": 0}
            self.log(f"seen {windows_pid} {fields[3]} {' '.join(fields[4:])}")
        elif kind == "=" and windows_pid in self.processes:
            self.processes[windows_pid]["class"] = fields[2]
            self.log(f"class {windows_pid} {fields[2]}")
            self.renice(windows_pid)
        elif kind == "-" and windows_pid in self.processes:
            linux = self.processes.pop(windows_pid)["linux"]
            self.original = {k: v for k, v in self.original.items() if k[0] != linux}

    def map_new(self):
        wanted = {w: (p["args"], p["start"]) for w, p in self.processes.items()
                  if p["linux"] is None and p["tries"] < MAP_TRIES}
        if not wanted:
            return
        taken = {p["linux"] for p in self.processes.values() if p["linux"] is not None}
        for windows_pid, linux in find_linux_ids(wanted, self.prefix, taken).items():
            self.processes[windows_pid]["linux"] = linux
            self.log(f"mapped {windows_pid} -> {linux}")
            self.renice(windows_pid)
        for windows_pid in wanted:
            self.processes[windows_pid]["tries"] += 1

    def refresh(self):
        """Threads started since the last look get their process's value too."""
        for windows_pid, process in self.processes.items():
            if process["class"] != "NORMAL":
                self.renice(windows_pid)

    def set_mode(self, apply):
        self.apply = apply
        for windows_pid in list(self.processes):
            self.renice(windows_pid)
        if not apply:
            self.restore()

    def restore(self):
        for (linux, tid), nice in self.original.items():
            if os.path.exists(f"/proc/{linux}/task/{tid}"):
                try:
                    os.setpriority(os.PRIO_PROCESS, tid, nice)
                except OSError:
                    pass
        self.original.clear()

    def unmapped(self):
        return sorted(" ".join(p["args"][:1]) or str(w) for w, p in self.processes.items() if p["linux"] is None)


def main():
    parser = argparse.ArgumentParser(description="Priority classes of a Wine prefix onto Linux nice values")
    parser.add_argument("--reader", required=True, help="class_reader.exe")
    parser.add_argument("--state", help="file that receives the mode after each switch")
    parser.add_argument("--mode", choices=("apply", "watch"), default="apply")
    parser.add_argument("--period", type=int, default=2, help="milliseconds between two readings of the classes")
    parser.add_argument("--verbose", action="store_true")
    options = parser.parse_args()
    prefix = os.environ.get("WINEPREFIX")
    if not prefix:
        sys.exit("scheduler_bridge.py: WINEPREFIX is not set")
    print(STATEMENT, flush=True)
    bridge = Bridge(prefix, options.verbose)
    bridge.apply = options.mode == "apply"
    reader = subprocess.Popen(["wine", os.path.basename(options.reader), "--period", str(options.period)],
                              cwd=os.path.dirname(os.path.abspath(options.reader)), stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL)
    pending = []

    def write_state():
        if options.state:
            with open(options.state + ".new", "w") as f:
                f.write(("apply" if bridge.apply else "watch") + "\n")
            os.replace(options.state + ".new", options.state)

    def on_signal(number, _frame):
        pending.append(number)

    for number in (signal.SIGUSR1, signal.SIGUSR2, signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(number, on_signal)
    wake_read, wake_write = os.pipe()  # a signal ends the wait at once
    os.set_blocking(wake_write, False)
    signal.set_wakeup_fd(wake_write)
    write_state()
    running, unread, stream = True, b"", reader.stdout.fileno()
    try:
        while running:
            # Unbuffered reads: a line waiting in a buffer that select() cannot see would wait for the next one.
            ready = select.select([stream, wake_read], [], [], 0.1)[0]
            if wake_read in ready:
                os.read(wake_read, 64)
            if stream in ready:
                chunk = os.read(stream, 65536)
                if not chunk:
                    break
                *lines, unread = (unread + chunk).split(b"\n")
                for text in lines:
                    bridge.line(text.decode("utf-8", "replace"))
            bridge.map_new()
            bridge.refresh()
            while pending:
                number = pending.pop(0)
                if number in (signal.SIGUSR1, signal.SIGUSR2):
                    bridge.set_mode(number == signal.SIGUSR1)
                    write_state()
                else:
                    running = False
    finally:
        bridge.restore()
        reader.terminate()
        try:
            reader.wait(timeout=10)
        except subprocess.TimeoutExpired:
            reader.kill()
        left = bridge.unmapped()
        print(f"scheduler bridge: ended, {bridge.changes} thread changes made and every thread given back"
              + (f"; never found on Linux: {', '.join(left)}" if left else ""), flush=True)


if __name__ == "__main__":
    main()
