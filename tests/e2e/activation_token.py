#!/usr/bin/env python3
"""Asks the Wayland compositor for an xdg-activation token, as a launcher does, and prints it.

Speaks the Wayland wire protocol directly: a registry, one bind, one token request.
"""
import os
import socket
import struct
import sys


def message(obj, opcode, payload=b''):
    return struct.pack('<II', obj, (8 + len(payload)) << 16 | opcode) + payload


def string(text):
    data = text.encode() + b'\0'
    return struct.pack('<I', len(data)) + data + b'\0' * (-len(data) % 4)


def read_string(payload, at):
    (length,) = struct.unpack_from('<I', payload, at)
    text = payload[at + 4:at + 4 + length - 1].decode()
    return text, at + 4 + length + (-length % 4)


class Connection:
    def __init__(self, path):
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.settimeout(5)
        self.sock.connect(path)
        self.buffer = b''

    def send(self, data):
        self.sock.sendall(data)

    def events(self):
        while True:
            while len(self.buffer) >= 8:
                obj, word = struct.unpack_from('<II', self.buffer)
                size = word >> 16
                if len(self.buffer) < size:
                    break
                payload, self.buffer = self.buffer[8:size], self.buffer[size:]
                yield obj, word & 0xffff, payload
            chunk = self.sock.recv(65536)
            if not chunk:
                raise SystemExit('the compositor closed the connection')
            self.buffer += chunk


def main():
    runtime = os.environ['XDG_RUNTIME_DIR']
    display = os.environ.get('WAYLAND_DISPLAY', 'wayland-0')
    wl = Connection(os.path.join(runtime, display))
    registry, callback, activation, token = 2, 3, 4, 5
    wl.send(message(1, 1, struct.pack('<I', registry)) + message(1, 0, struct.pack('<I', callback)))
    name = None
    for obj, opcode, payload in wl.events():
        if obj == registry and opcode == 0:
            (global_name,) = struct.unpack_from('<I', payload)
            interface, _ = read_string(payload, 4)
            if interface == 'xdg_activation_v1':
                name = global_name
        elif obj == callback:
            break
    if name is None:
        raise SystemExit('the compositor offers no xdg_activation_v1')
    wl.send(message(registry, 0, struct.pack('<I', name) + string('xdg_activation_v1') +
                    struct.pack('<II', 1, activation)))
    wl.send(message(activation, 1, struct.pack('<I', token)))
    wl.send(message(token, 1, string(sys.argv[1] if len(sys.argv) > 1 else 'taskwell')))
    wl.send(message(token, 3))
    for obj, opcode, payload in wl.events():
        if obj == token and opcode == 0:
            print(read_string(payload, 0)[0])
            return 0
        if obj == 1 and opcode == 0:
            raise SystemExit('protocol error from the compositor')


if __name__ == '__main__':
    sys.exit(main())
