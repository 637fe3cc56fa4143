#!/usr/bin/python3
"""Checks the log files of a soak run (scripts/soak): every update left its record.

  soak_logs.py FOLDER MINUTES

The CPU graph updates every second and the drive meter every minute, each writing a
record at every update. A log passes when it has at least the records its meter's
updates make in MINUTES (the CPU graph 55 a minute, allowing for the start) and no two
records are further apart than a few of its updates (records carry whole seconds).
"""
import datetime
import os
import sys

KINDS = (("CPU", 55, 5), ("Drive", 1, 90))  # name in the file, records a minute, widest gap


def stamps(path, problems):
    times = []
    for line in open(path, encoding="cp1252"):
        stamp = line.replace("\t", ",").split(",")[0].strip()
        try:
            times.append(datetime.datetime.strptime(stamp, "%m/%d/%y %H:%M:%S"))
        except ValueError:
            problems.append(f"unreadable record {line.strip()!r}")
    return times


def main():
    if len(sys.argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    folder, minutes = sys.argv[1], int(sys.argv[2])
    names = sorted(os.listdir(folder))
    ok = True
    for kind, per_minute, widest in KINDS:
        files = [n for n in names if n.startswith(kind + " ")]
        if not files:
            print(f"{kind}: no log file among {names}")
            ok = False
            continue
        problems, times = [], []
        for name in files:
            times += stamps(os.path.join(folder, name), problems)
        gap = max(((b - a).total_seconds() for a, b in zip(times, times[1:])), default=0)
        least = per_minute * minutes
        print(f"{kind}: {', '.join(files)}: {len(times)} records, widest gap {gap:.0f} s "
              f"(at least {least} records and gaps up to {widest} s expected)")
        for p in problems[:5]:
            print(f"  {p}")
        ok = ok and not problems and len(times) >= least and gap <= widest
    print("logs: " + ("passed" if ok else "FAILED"))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
