"""Reads an exported timeline CSV with Python's csv module and lists it as the TextGrid listing
does: channel, status, start and end in seconds, a line a row, tab-separated."""
import csv
import sys

with open(sys.argv[1], newline="", encoding="utf-8") as table:
    for row in csv.DictReader(table):
        assert float(row["duration_s"]) == round(float(row["end_s"]) - float(row["start_s"]), 1)
        print("\t".join([row["channel"], row["status"], row["start_s"], row["end_s"]]))
