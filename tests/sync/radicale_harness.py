"""A real Radicale on a free loopback port, a phone-like second client (python3-caldav), and a
small proxy in front of the server that can answer 503, cut an answer short, or stall."""
import http.client
import os
import shutil
import signal
import socket
import socketserver
import subprocess
import tempfile
import threading
import time
import http.server

import caldav

USER, PASSWORD = "ann", "s3cret-pass"


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_for_port(port, deadline=20.0):
    end = time.monotonic() + deadline
    while time.monotonic() < end:
        try:
            with socket.create_connection(("127.0.0.1", port), timeout=0.5):
                return
        except OSError:
            time.sleep(0.1)
    raise RuntimeError(f"nothing listens on port {port}")


class Proxy(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True

    def __init__(self, upstream):
        self.upstream = upstream
        self.mode = "pass"          # pass, 503, cut, stall
        self.fail_method = None     # only requests of this method fail (None: all)
        self.requests = []          # (method, path) of every request seen
        self.upstream_seconds = 0.0  # time the server took for them
        self.before_put = None      # a callable run once before the next If-Match PUT
        self.hold_put = None        # an Event: the n-th PUT waits for it
        self.hold_after = 0
        self.put_seen = threading.Event()
        self.moves = {}             # a path prefix: (status, the address it moved to)
        self.delay = 0.0            # seconds every answer waits
        super().__init__(("127.0.0.1", 0), Handler)


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def handle(self):
        try:
            super().handle()
        except (BrokenPipeError, ConnectionResetError):
            pass  # the client gave up on a stalled answer, as it should

    def handle_one(self):
        proxy = self.server
        body = self.rfile.read(int(self.headers.get("Content-Length", 0) or 0))
        proxy.requests.append((self.command, self.path))
        time.sleep(proxy.delay)
        failing = proxy.fail_method in (None, self.command)
        for prefix, (status, target) in proxy.moves.items():
            if self.path.startswith(prefix):
                return self.answer(status, {"Location": target + self.path[len(prefix):]}, b"")
        if proxy.mode == "503" and failing:
            return self.answer(503, {}, b"busy")
        if proxy.mode == "stall" and failing:
            time.sleep(6)
            return self.answer(503, {}, b"late")
        if self.command == "PUT":
            puts = sum(1 for m, _ in proxy.requests if m == "PUT")
            if proxy.hold_put is not None and puts > proxy.hold_after:
                proxy.put_seen.set()
                proxy.hold_put.wait(30)
                return
            if proxy.before_put is not None and "If-Match" in self.headers:
                hook, proxy.before_put = proxy.before_put, None
                hook()
        conn = http.client.HTTPConnection("127.0.0.1", proxy.upstream, timeout=600)
        headers = {k: v for k, v in self.headers.items() if k.lower() not in ("host", "connection")}
        headers["Connection"] = "close"
        started = time.monotonic()
        try:
            conn.request(self.command, self.path, body=body, headers=headers)
            reply = conn.getresponse()
            data = reply.read()
        finally:
            conn.close()  # Radicale serves a few connections at a time
            proxy.upstream_seconds += time.monotonic() - started
        extra = {k: v for k, v in reply.getheaders()
                 if k.lower() not in ("content-length", "connection", "transfer-encoding")}
        if proxy.mode == "cut" and failing and len(data) > 20:
            self.send_response(reply.status)
            for k, v in extra.items():
                self.send_header(k, v)
            self.send_header("Content-Length", str(len(data)))
            self.send_header("Connection", "close")
            self.end_headers()
            self.wfile.write(data[: len(data) // 2])
            self.wfile.flush()
            self.close_connection = True
            return
        self.answer(reply.status, extra, data)

    def answer(self, status, headers, data):
        self.send_response(status)
        for k, v in headers.items():
            self.send_header(k, v)
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    do_GET = do_PUT = do_DELETE = do_REPORT = do_PROPFIND = do_OPTIONS = handle_one


class World:
    """A temporary home, a Radicale with one task collection, the proxy and the phone."""

    def __init__(self, taskwell, home=None):
        self.taskwell = taskwell
        self.timeout = "3"  # seconds a request may stay silent
        self.run_timeout = 60
        self.root = tempfile.mkdtemp(prefix="taskwell-sync-")
        self.home = home or os.path.join(self.root, "home")
        os.makedirs(self.home, exist_ok=True)
        users = os.path.join(self.root, "users")
        with open(users, "w") as f:
            f.write(f"{USER}:{PASSWORD}\n")
        self.servers = []
        self.session = {}
        try:
            self.port = self.start_server()
            self.proxy = Proxy(self.port)
            threading.Thread(target=self.proxy.serve_forever, daemon=True).start()
            client = caldav.DAVClient(f"http://127.0.0.1:{self.port}/{USER}/",
                                      username=USER, password=PASSWORD)
            self.phone = client.principal().make_calendar(
                name="Tasks", cal_id="tasks", supported_calendar_component_set=["VTODO"])
        except BaseException:
            self.close()
            raise
        netrc = os.path.join(self.home, ".netrc")
        with open(netrc, "w") as f:
            f.write(f"machine 127.0.0.1 login {USER} password {PASSWORD}\n")
        os.chmod(netrc, 0o600)
        self.list = os.path.join(self.home, "list.todo")
        self.url = f"http://{USER}@127.0.0.1:{self.proxy.server_address[1]}/{USER}/tasks/"

    def start_server(self, *extra):
        """A Radicale on the shared storage; returns its port once it listens."""
        port = free_port()
        self.servers.append(subprocess.Popen(
            ["radicale", "--server-hosts", f"127.0.0.1:{port}",
             "--storage-filesystem-folder", os.path.join(self.root, "collections"),
             "--auth-type", "htpasswd", "--auth-htpasswd-filename",
             os.path.join(self.root, "users"), "--auth-htpasswd-encryption", "plain",
             "--logging-level", "error", *extra],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_for_port(port)
        return port

    def start_tls_server(self):
        """A second Radicale on the same storage, speaking TLS with a self-signed certificate;
        returns the collection's https address."""
        cert, key = (os.path.join(self.root, name) for name in ("cert.pem", "key.pem"))
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1",
                        "-subj", "/CN=127.0.0.1", "-keyout", key, "-out", cert],
                       check=True, capture_output=True, timeout=60)
        port = self.start_server("--server-ssl", "True", "--server-certificate", cert,
                                 "--server-key", key)
        return f"https://{USER}@127.0.0.1:{port}/{USER}/tasks/"

    def point_setting_to(self, url):
        """Points the list's recorded address elsewhere, keeping the sync state."""
        conf = os.path.join(self.home, ".config", "taskwell", "sync.conf")
        with open(conf) as f:
            lines = [line.split(" ")[0] + " " + url + "\n" for line in f]
        with open(conf, "w") as f:
            f.writelines(lines)

    def close(self):
        # A SIGTERM now must not leave the server behind: it is stopped first, and waited for.
        if threading.current_thread() is threading.main_thread():
            signal.signal(signal.SIGTERM, signal.SIG_IGN)
        for server in self.servers:
            server.send_signal(signal.SIGTERM)
            try:
                server.wait(10)
            except subprocess.TimeoutExpired:
                server.kill()
                server.wait(10)
        if hasattr(self, "proxy"):
            self.proxy.shutdown()
            self.proxy.server_close()
        shutil.rmtree(self.root, ignore_errors=True)

    def env(self):
        env = {k: v for k, v in os.environ.items() if not k.startswith(("DBUS", "XDG"))}
        env.update(HOME=self.home, XDG_CONFIG_HOME=os.path.join(self.home, ".config"),
                   XDG_STATE_HOME=os.path.join(self.home, ".state"),
                   XDG_RUNTIME_DIR=self.root, LANG="C.UTF-8", LC_ALL="C.UTF-8",
                   TASKWELL_SYNC_TIMEOUT=self.timeout)
        env.update(self.session)
        return env

    def start_keyring(self, password="keyring-pass"):
        """A private session bus with a real Secret Service (gnome-keyring), unlocked with
        `password`; the programs run from now on see it."""
        env = dict(self.env(), XDG_DATA_HOME=os.path.join(self.home, ".local", "share"))
        # No service folders: nothing is started on demand behind the test's back.
        conf = os.path.join(self.root, "bus.conf")
        with open(conf, "w") as f:
            f.write("<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>"
                    "<policy context='default'><allow send_destination='*' eavesdrop='true'/>"
                    "<allow eavesdrop='true'/><allow own='*'/></policy></busconfig>")
        bus = subprocess.Popen(["dbus-daemon", f"--config-file={conf}", "--nofork",
                                "--print-address=1"], env=env, stdout=subprocess.PIPE, text=True,
                               stderr=subprocess.DEVNULL)
        self.servers.append(bus)
        env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
        bus.stdout.close()
        keyring = subprocess.Popen(["gnome-keyring-daemon", "--foreground", "--unlock",
                                    "--components=secrets"], env=env, stdin=subprocess.PIPE,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, text=True)
        self.servers.insert(0, keyring)
        keyring.stdin.write(password)
        keyring.stdin.close()
        self.session = {k: env[k] for k in ("DBUS_SESSION_BUS_ADDRESS", "XDG_DATA_HOME")}
        end = time.monotonic() + 20
        while "true" not in subprocess.run(
                ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                 "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
                 "string:org.freedesktop.secrets"], env=env, capture_output=True, text=True).stdout:
            if time.monotonic() > end:
                raise RuntimeError("the keyring did not come up")
            time.sleep(0.1)

    def run(self, *args, wait=True, input=""):
        command = [self.taskwell, *args]
        if not wait:
            return subprocess.Popen(command, env=self.env(), stdout=subprocess.PIPE,
                                    stderr=subprocess.PIPE, text=True)
        done = subprocess.run(command, env=self.env(), capture_output=True, text=True,
                              input=input, timeout=self.run_timeout)
        return done.returncode, done.stdout + done.stderr

    def sync(self):
        return self.run("--sync", self.list)

    def lines(self):
        with open(self.list, encoding="utf-8") as f:
            return f.read().splitlines()[1:]

    def write_list(self, *descriptions):
        with open(self.list, "w", encoding="utf-8") as f:
            f.write('"Date","Pri","SubPri","Description"\r\n')
            for text in descriptions:
                f.write(f',1,,"{text}"\r\n')

    def todos(self):
        return self.phone.todos(include_completed=True)

    def summaries(self):
        found = []
        for todo in self.todos():
            component = todo.icalendar_component
            if str(component.get("status", "")).upper() != "COMPLETED":
                found.append(str(component.get("summary")))
        return sorted(found)

    def find(self, summary):
        for todo in self.todos():
            if str(todo.icalendar_component.get("summary")) == summary:
                return todo
        raise KeyError(summary)

    def add(self, summary, extra=""):
        uid = f"phone-{summary.replace(' ', '-')}"
        self.phone.save_todo(
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//phone//EN\r\nBEGIN:VTODO\r\n"
            f"UID:{uid}\r\nDTSTAMP:20260601T080000Z\r\nSUMMARY:{summary}\r\nPRIORITY:2\r\n{extra}"
            "END:VTODO\r\nEND:VCALENDAR\r\n")

    def edit(self, summary, new_summary):
        todo = self.find(summary)
        todo.icalendar_component["summary"] = new_summary
        todo.save()

    def snapshot(self):
        return sorted((str(t.url), t.data) for t in self.todos())


def stop_on_sigterm():
    """A SIGTERM ends the program through its finally blocks, so the server goes with it."""
    def end(*_):
        raise SystemExit(1)
    signal.signal(signal.SIGTERM, end)


def serve(home, ready_file):
    """For a journey in another language: a World for `home`, its address written to
    `ready_file`, phone commands read from stdin one a line ("add TEXT", "summaries" into
    ready_file + ".out"), until stdin ends."""
    import sys
    stop_on_sigterm()
    world = World(None, home)
    try:
        with open(ready_file + ".tmp", "w") as f:
            f.write(world.url + "\n")
        os.rename(ready_file + ".tmp", ready_file)
        for line in sys.stdin:
            command, _, text = line.rstrip("\n").partition(" ")
            if command == "add":
                world.add(text)
            elif command == "summaries":
                with open(ready_file + ".out.tmp", "w") as f:
                    f.write("\n".join(world.summaries()) + "\n")
                os.rename(ready_file + ".out.tmp", ready_file + ".out")
            elif command == "slow":
                world.proxy.delay = float(text)
            elif command == "quit":
                break
    finally:
        world.close()


if __name__ == "__main__":
    import sys
    serve(sys.argv[1], sys.argv[2])
