"""Whole-process CalDAV sync at 10,000 tasks against a local Radicale: the first sync of a
collection into an empty list, a quiet sync, a sync after one change on each side, and the first
sync of new tasks the other way, with the requests each costs. Radicale itself takes about a
second per item stored into a collection this large, so the upload is measured on a few tasks.
Usage: caldav_sync_bench.py TASKWELL [TASKS] [UPLOADS]"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "sync"))
from radicale_harness import World, stop_on_sigterm  # noqa: E402

TASKWELL = sys.argv[1]
TASKS = int(sys.argv[2]) if len(sys.argv) > 2 else 10000
UPLOADS = int(sys.argv[3]) if len(sys.argv) > 3 else 20


def timed(world, label, *args):
    before = len(world.proxy.requests)
    server = world.proxy.upstream_seconds
    start = time.monotonic()
    code, out = world.run(*args) if args else world.sync()
    seconds = time.monotonic() - start
    if code != 0:
        raise SystemExit(f"{label} failed: {out}")
    server = world.proxy.upstream_seconds - server
    print(f"{label:<28} {seconds:8.3f} s (server {server:7.3f} s) "
          f"{len(world.proxy.requests) - before:5d} requests  ({out.strip().splitlines()[0]})")
    return seconds


def server_items(world, count):
    """The phone's items written straight into Radicale's storage, as a large collection is."""
    folder = os.path.join(world.root, "collections", "collection-root", "ann", "tasks")
    for i in range(count):
        with open(os.path.join(folder, f"phone-{i}.ics"), "w") as f:
            f.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//phone//EN\r\nBEGIN:VTODO\r\n"
                    f"UID:phone-{i}\r\nDTSTAMP:20260601T080000Z\r\nSUMMARY:Phone task {i}\r\n"
                    "PRIORITY:2\r\nEND:VTODO\r\nEND:VCALENDAR\r\n")


def write_lines(world, lines):
    with open(world.list, "w", encoding="utf-8") as f:
        f.write('"Date","Pri","SubPri","Description"\r\n' + "\r\n".join(lines) + "\r\n")


def main():
    stop_on_sigterm()
    world = World(TASKWELL)
    world.timeout, world.run_timeout = "300", 3600
    try:
        world.write_list()
        server_items(world, TASKS)
        code, out = world.run("--sync-setup", world.url, world.list)
        assert code == 0, out
        print(f"{TASKS} tasks on the server, none in the list")
        timed(world, "first sync (all received)")
        quiet = timed(world, "quiet sync")
        timed(world, "quiet sync again")
        lines = world.lines()
        lines[0] = lines[0].replace("Phone task", "Desk edit of phone task")
        write_lines(world, lines)
        other = lines[1].split('"')[1]
        world.edit(other, other + " edited")
        timed(world, "one change on each side")
        write_lines(world, world.lines() + [f',1,,"Desk task {i}"' for i in range(UPLOADS)])
        timed(world, f"{UPLOADS} new tasks sent")
        start = time.monotonic()
        subprocess.run([TASKWELL, "--due", "0", world.list], env=world.env(),
                       capture_output=True, check=True)
        load = time.monotonic() - start
        print(f"{'a start-up without window (--due)':<34} {load:7.3f} s; quiet sync / that: "
              f"{quiet / load:.2f}")
    finally:
        world.close()


if __name__ == "__main__":
    main()
