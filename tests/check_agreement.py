#!/usr/bin/env python3
"""Checks `tallymere --compare` against a computation of its own, made from the definitions alone.

Writes pairs of timelines as Tallymere exports them (CSV), random and of unequal lengths, runs the
program on each pair with no display and several window lengths, and compares every figure of its
row with the one computed here. Also checks that a wrong command line and an unreadable file end
with status 2 and one line on standard error, and that --help ends with 0.

    check_agreement.py PATH-TO-TALLYMERE
"""
import csv
import decimal
import io
import os
import random
import subprocess
import sys
import tempfile

TICK = 0.2


def seconds(ticks):
    return f"{ticks * TICK:.1f}".rstrip("0").rstrip(".")


def write_timeline(path, length, intervals, recording):
    """intervals: (channel, start tick, end tick, status)."""
    with open(path, "w", newline="", encoding="utf-8") as out:
        table = csv.writer(out, lineterminator="\r\n")
        table.writerow(["channel", "number", "start_s", "end_s", "duration_s", "status",
                        "recording", "recording_s"])
        table.writerow(["sample", 1, 0, seconds(length), seconds(length), "",
                        recording[0], recording[1]])
        numbers = {"speech": 0, "cluttering": 0}
        for channel, start, end, status in sorted(intervals, key=lambda i: i[1]):
            numbers[channel] += 1
            table.writerow([channel, numbers[channel], seconds(start), seconds(end),
                            seconds(end - start), status, "", ""])


def random_timeline(rng, length):
    intervals = []
    for channel in ("speech", "cluttering"):
        tick = rng.randrange(0, 10)
        while tick < length:
            end = min(length, tick + rng.randrange(0, 25))
            status = rng.choice(["counted"] * 6 + ["open", "dropped"])
            intervals.append((channel, tick, end, status))
            tick = end + rng.randrange(1, 30)
    return intervals


def marks(length, intervals, channel):
    marked = [False] * length
    for each, start, end, _ in intervals:
        if each == channel:
            for tick in range(start, min(end, length)):
                marked[tick] = True
    return marked


def table(a, b, span, unit):
    counts = {"both": 0, "a": 0, "b": 0, "neither": 0}
    for start in range(0, span, unit):
        by_a, by_b = any(a[start:min(span, start + unit)]), any(b[start:min(span, start + unit)])
        counts["both" if by_a and by_b else "a" if by_a else "b" if by_b else "neither"] += 1
    return counts


def f(value, decimals):
    """The value's exact binary value to `decimals`, halves away from zero."""
    if value is None:
        return ""
    rounded = decimal.Decimal(value).quantize(decimal.Decimal(1).scaleb(-decimals),
                                              rounding=decimal.ROUND_HALF_UP)
    return f"{rounded:.{decimals}f}"


def expected(a, b, window):
    """Every figure of a comparison, by column, from its definition."""
    (length_a, intervals_a, recording), (length_b, intervals_b, _) = a, b
    span = min(length_a, length_b)
    row = {"a": "a.csv", "b": "b.csv", "recording": recording[0], "recording_s": recording[1],
           "a_length_s": seconds(length_a), "b_length_s": seconds(length_b),
           "span_s": seconds(span), "window_s": seconds(window)}
    totals = {}
    for channel, prefix in (("speech", "speech_"), ("cluttering", "clutter_")):
        ma, mb = marks(length_a, intervals_a, channel), marks(length_b, intervals_b, channel)
        ta, tb = sum(ma[:span]), sum(mb[:span])
        na = sum(1 for c, s, _, st in intervals_a if c == channel and st == "counted" and s < span)
        nb = sum(1 for c, s, _, st in intervals_b if c == channel and st == "counted" and s < span)
        totals[channel] = (ta, tb)
        row[prefix + "a_s"], row[prefix + "b_s"] = seconds(ta), seconds(tb)
        row[prefix + "a_n"], row[prefix + "b_n"] = str(na), str(nb)
        row[prefix + "a_mean_s"] = f(ta / (na * 5) if na else None, 2)
        row[prefix + "b_mean_s"] = f(tb / (nb * 5) if nb else None, 2)
        row[prefix + "total_agreement_pct"] = f(
            min(ta, tb) * 100 / max(ta, tb) if max(ta, tb) else None, 1)
        w = table(ma, mb, span, window)
        units = sum(w.values())
        row[prefix + "windows"] = str(units)
        row[prefix + "windows_both"], row[prefix + "windows_only_a"] = str(w["both"]), str(w["a"])
        row[prefix + "windows_only_b"] = str(w["b"])
        row[prefix + "windows_neither"] = str(w["neither"])
        row[prefix + "window_agreement_pct"] = f(
            (w["both"] + w["neither"]) * 100 / units if units else None, 1)
        marked = w["both"] + w["a"] + w["b"]
        row[prefix + "occurrence_agreement_pct"] = f(w["both"] * 100 / marked if marked else None, 1)
        for unit, name in ((1, "tick_"), (5, "second_")):
            t = table(ma, mb, span, unit)
            n = sum(t.values())
            po = (t["both"] + t["neither"]) / n
            pa, pb = (t["both"] + t["a"]) / n, (t["both"] + t["b"]) / n
            pe = pa * pb + (1 - pa) * (1 - pb)
            row[prefix + name + "kappa"] = f((po - pe) / (1 - pe) if pe < 1 else None, 3)
            row[prefix + name + "po"], row[prefix + name + "pe"] = f(po, 3), f(pe, 3)
            row[prefix + name + "a_share"], row[prefix + name + "b_share"] = f(pa, 3), f(pb, 3)
            row[prefix + name + "prevalence"] = f(abs(t["both"] - t["neither"]) / n, 3)
    (sa, sb), (ca, cb) = totals["speech"], totals["cluttering"]
    for name, pa, pb in (("spoken_pct", sa * 100 / span, sb * 100 / span),
                         ("cluttered_sample_pct", ca * 100 / span, cb * 100 / span),
                         ("cluttered_talk_pct", ca * 100 / sa if sa else None,
                          cb * 100 / sb if sb else None)):
        row["a_" + name], row["b_" + name] = f(pa, 1), f(pb, 1)
        row["difference_" + name] = f(pb - pa if pa is not None and pb is not None else None, 1)
    return row


def run(program, *arguments):
    environment = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    environment.pop("QT_QPA_PLATFORM", None)
    return subprocess.run([program, *arguments], capture_output=True, text=True, timeout=60,
                          env=environment)


def main():
    program = sys.argv[1]
    rng = random.Random(20261210)
    failures = 0
    with tempfile.TemporaryDirectory() as folder:
        a_path, b_path = os.path.join(folder, "a.csv"), os.path.join(folder, "b.csv")
        for case in range(40):
            length_a = rng.randrange(1, 600)
            length_b = length_a if case % 3 else rng.randrange(1, 600)
            recording = ("sample.wav", "123.456") if case % 2 else ("", "")
            a = (length_a, random_timeline(rng, length_a), recording)
            b = (length_b, random_timeline(rng, length_b), recording)
            write_timeline(a_path, *a)
            write_timeline(b_path, *b)
            window = rng.choice([5, 12, 25, 50])
            done = run(program, "--compare", a_path, b_path, "--interval", seconds(window))
            if done.returncode != 0:
                print(f"case {case}: exit {done.returncode}: {done.stderr}")
                failures += 1
                continue
            got = next(csv.DictReader(io.StringIO(done.stdout)))
            for column, value in expected(a, b, window).items():
                if got.get(column) != value:
                    print(f"case {case}: {column} is {got.get(column)!r}, computed {value!r}")
                    failures += 1
        for arguments in (["--compare", a_path], ["--compare", a_path, b_path, "--interval", "0.5"],
                          ["--compare", a_path, os.path.join(folder, "missing.csv")]):
            done = run(program, *arguments)
            if done.returncode != 2 or done.stdout or len(done.stderr.splitlines()) != 1:
                print(f"{arguments}: exit {done.returncode}, stderr {done.stderr!r}")
                failures += 1
        done = run(program, "--help")
        if done.returncode != 0 or "--compare" not in done.stdout:
            print(f"--help: exit {done.returncode}")
            failures += 1
    print("failures:", failures)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
