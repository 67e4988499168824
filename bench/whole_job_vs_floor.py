#!/usr/bin/env python3
"""A whole job of many sources against its floor, side by side in one run.

Usage: whole_job_vs_floor.py <build dir> [sources=9998] [repeats=3]
       (repeats 0: only making the job and its first open)

Generates <sources> COBOL sources of about 10 KB (each with one COPY of 20 members),
makes the job with `korvane -batch -MakeJob`, then measures, interleaved:

  first open   opening the new job the first time (its label files are written)
               against copying the sources' bytes (cp -r)
  whole job    korvane -batch -Yes -ar Anal: open, prepare, one tool start per
               source, watching, renaming back, save
  floor        copying the sources' bytes (cp -r) plus starting the same tool as
               often, with the same arguments, by the batch runner in a copy of
               the prepared base folder

and prints each figure, the median of the ratios, and where the whole job's time
goes, from the moments its output lines arrive:

  open+prepare   start to the first tool's first console line
  tools          first to last console line (tool starts and watching)
  rename         last console line to the end-of-run verdict
  save           the verdict to the end of the process
"""

import os
import shutil
import statistics
import subprocess
import sys
import functools

print = functools.partial(print, flush=True)  # the lines show as each figure is known
import tempfile
import threading
import time


def generate(folder, count):
    body = "".join("%06d     MOVE WS-A%04d TO WS-B%04d.%s\r\n" % ((k + 2) * 100, k, k, " " * 26)
                   for k in range(130))
    for i in range(count):
        sub = os.path.join(folder, "src", "d%03d" % (i // 100))
        if i % 100 == 0:
            os.makedirs(sub)
        with open(os.path.join(sub, "P%05d.cbl" % i), "w", newline="") as source:
            source.write("000100 IDENTIFICATION DIVISION.\r\n000150     COPY REC%02d.\r\n" % (i % 20)
                         + body)
    os.makedirs(os.path.join(folder, "copylib"))
    for j in range(20):
        with open(os.path.join(folder, "copylib", "REC%02d.cpy" % j), "w", newline="") as member:
            member.write("".join("       05 F%02d-%03d PIC X(10).\r\n" % (j, k) for k in range(30)))


def korvane(build, home, args, stamps=None):
    """Runs korvane; with stamps, notes when output lines arrive."""
    root = os.path.join(build, "toolroot")
    command = [os.path.join(build, "src/korvane/korvane"), "-batch", "-Yes", "-Root", root,
               "-Ini", os.path.join(root, "Korvane.INI")] + args
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"))
    start = time.monotonic()
    process = subprocess.Popen(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    marks = {}

    def follow(stream, name):
        for line in stream:
            now = time.monotonic() - start
            if name == "out" and line.startswith((b"Orig Source File", b"Belmont")):
                marks.setdefault("first", now)
                marks["last"] = now
            if name == "err" and b"Analysis completed" in line:
                marks["verdict"] = now
            if name == "err" and stamps is None and line.startswith(b"Error"):
                sys.stderr.write(line.decode(errors="replace"))

    threads = [threading.Thread(target=follow, args=(process.stdout, "out")),
               threading.Thread(target=follow, args=(process.stderr, "err"))]
    for thread in threads:
        thread.start()
    status = process.wait()
    for thread in threads:
        thread.join()
    elapsed = time.monotonic() - start
    if status != 0:
        raise SystemExit("korvane %s ended with %d" % (" ".join(args), status))
    if stamps is not None:
        stamps.append(dict(marks, total=elapsed))
    return elapsed


def timed(work):
    start = time.monotonic()
    work()
    return time.monotonic() - start


def main():
    if len(sys.argv) < 2:
        raise SystemExit(__doc__)
    build = os.path.abspath(sys.argv[1])
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 9998
    repeats = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    runner = os.path.join(build, "src/korvane/korvane-batch-runner")
    work = tempfile.mkdtemp(prefix="korvane-whole-job-")
    try:
        home = os.path.join(work, "home")
        generate(work, count)
        job = os.path.join(work, "Whole.jwrap")
        base = os.path.join(work, "base")
        os.makedirs(base)
        made = korvane(build, home, ["-MakeJob", job, "-Product", "Cobol", "-ProductName", "big",
                                     "-SystemName", "sys", "-Base", base, "-Sources",
                                     os.path.join(work, "src"), "-Copies",
                                     os.path.join(work, "copylib"), "-WrapType", "Module"])
        copy_made = timed(lambda: subprocess.run(
            ["cp", "-r", os.path.join(work, "src"), os.path.join(work, "copy-made")], check=True))
        print("make the job (sources copied in, labels):   %6.2f s   cp -r of the sources: %6.2f s"
              % (made, copy_made))
        # The first open of a new job whose label files were never written: its
        # collections laid out by copying, as a script or an older job leaves them. (Not
        # by deleting the labels just made: creating files right after deleting
        # thousands is slow on ext4 and would measure that instead.)
        fresh = os.path.join(work, "fresh")
        os.makedirs(fresh)
        for folder in ("SourceCollection", "CopyCollection"):
            shutil.copytree(os.path.join(base, folder), os.path.join(fresh, folder))
        fresh_job = os.path.join(work, "Fresh.jwrap")
        with open(job, encoding="latin-1") as made_file:
            text = made_file.read().replace(base, fresh)
        with open(fresh_job, "w", encoding="latin-1", newline="") as fresh_file:
            fresh_file.write(text)
        first_open = korvane(build, home, ["-Proj", fresh_job])
        copy_open = timed(lambda: subprocess.run(
            ["cp", "-r", os.path.join(base, "SourceCollection"), os.path.join(work, "copy-open")],
            check=True))
        print("first open (label files written):          %6.2f s   cp -r of the sources: %6.2f s"
              % (first_open, copy_open))
        reopen = korvane(build, home, ["-Proj", job])
        print("open again and save:                       %6.2f s" % reopen)
        if repeats == 0:
            return

        stamps = []
        ratios = []
        floor_parts = []
        prepared = None
        for attempt in range(repeats + 1):
            # Interleaved: the floor right before the job, on the same disk.
            floor = None
            if prepared is not None:
                target = os.path.join(work, "floor-copy-%d" % attempt)
                copy = timed(lambda: subprocess.run(
                    ["cp", "-r", os.path.join(base, "SourceCollection"), target], check=True))
                with open(os.path.join(prepared, "Console.log"), "wb") as console:
                    starts = timed(lambda: subprocess.run([runner, "lastbatch.cmd"], cwd=prepared,
                                                          stdout=console, check=True))
                shutil.rmtree(target)
                shutil.rmtree(os.path.join(prepared, "WrapOut"))
                os.makedirs(os.path.join(prepared, "WrapOut"))
                floor = copy + starts
                floor_parts.append((copy, starts))
            whole = korvane(build, home, ["-ar", "Anal", "-Proj", job], stamps)
            if prepared is None:
                # The first run answers the new folder's question and warms the caches; the
                # floor runs in a copy of the base folder it prepared.
                prepared = os.path.join(work, "prepared")
                shutil.copytree(base, prepared, symlinks=True,
                                ignore=shutil.ignore_patterns("WrapOut", ".korvane.*"))
                os.makedirs(os.path.join(prepared, "WrapOut"), exist_ok=True)
                stamps.clear()
                print("first run (not counted):                   %6.2f s" % whole)
                continue
            ratios.append(whole / floor)
            print("run %d: whole job %6.2f s   floor %6.2f s (cp %5.2f + %d tool starts %5.2f)"
                  "   ratio %.2f" % (attempt, whole, floor, floor_parts[-1][0], count,
                                     floor_parts[-1][1], whole / floor))
        print("median ratio: %.2f  (load: %s)" % (statistics.median(ratios),
                                                   os.getloadavg()))
        for stamp in stamps:
            if "first" not in stamp or "verdict" not in stamp:
                continue
            print("breakdown: open+prepare %5.2f s, tools %5.2f s, rename %5.2f s, save %5.2f s"
                  % (stamp["first"], stamp["last"] - stamp["first"],
                     stamp["verdict"] - stamp["last"], stamp["total"] - stamp["verdict"]))
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
