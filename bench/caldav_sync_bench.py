"""Whole-process CalDAV sync at 10,000 tasks against a local Radicale: the first sync of a
collection into an empty list, a quiet sync, a sync after one change on each side, and the first
sync of new tasks the other way, with the requests each costs, beside the time a window takes to
show the same list (under its own Xvfb), measured in the same run. Radicale itself takes about a
second per item stored into a collection this large, so the upload is measured on a few tasks.
Usage: caldav_sync_bench.py TASKWELL [TASKS] [UPLOADS]"""
import os
import shutil
import statistics
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


def poll(seconds, command, env):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if subprocess.run(command, capture_output=True, env=env).returncode == 0:
            return True
        time.sleep(0.005)
    return False


def window_start(world, runs=3):
    """Median time from exec until the window showing a copy of the list is mapped."""
    display = next(f":{n}" for n in range(600 + os.getpid() % 200, 999)
                   if not os.path.exists(f"/tmp/.X11-unix/X{n}"))
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    env = dict(world.env(), DISPLAY=display)
    env.pop("WAYLAND_DISPLAY", None)
    copy = os.path.join(world.home, "Startup.todo")
    shutil.copy(world.list, copy)
    shown = []
    try:
        assert poll(10, ["xdpyinfo"], env), "no X display"
        for _ in range(runs):
            start = time.monotonic()
            app = subprocess.Popen([TASKWELL, copy], env=env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
            try:
                assert poll(60, ["xdotool", "search", "--onlyvisible", "--name",
                                 "^Taskwell V[0-9.]* - Startup$"], env), "no window"
                shown.append(time.monotonic() - start)
            finally:
                app.terminate()
                app.wait(30)
    finally:
        xvfb.terminate()
        xvfb.wait(10)
    return statistics.median(shown)


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
        quiet = min(quiet, timed(world, "quiet sync again"))
        lines = world.lines()
        lines[0] = lines[0].replace("Phone task", "Desk edit of phone task")
        write_lines(world, lines)
        other = lines[1].split('"')[1]
        world.edit(other, other + " edited")
        timed(world, "one change on each side")
        write_lines(world, world.lines() + [f',1,,"Desk task {i}"' for i in range(UPLOADS)])
        timed(world, f"{UPLOADS} new tasks sent")
        timed(world, "quiet, after own sends")
        quiet = min(quiet, timed(world, "quiet sync once more"))
        shown = window_start(world)
        print(f"{'window shown, same list (median of 3)':<34} {shown:7.3f} s; best quiet sync / "
              f"that: {quiet / shown:.2f}")
    finally:
        world.close()


if __name__ == "__main__":
    main()
