#!/usr/bin/python3
"""Port servers that misbehave, for tests: each listens on 127.0.0.1:PORT
and serves one client at a time, for ever.

  keeps-rate DEVICE  RFC 2217 in front of DEVICE (raw, 9600 N-8-1) that
                     acknowledges every SET-BAUDRATE with 9600 and never
                     changes its port's rate
  flood              a stream of 0xFF bytes, and no answer to anything
  in-use             says "Port already in use" and closes
  mute               takes what comes and says nothing
  closes             closes at once
  stream             sends bytes without end, as fast as they are taken,
                     answering nothing
  stream-after-purge RFC 2217 that answers the option and every setting,
                     and once it has answered a purge sends bytes without end

Standard library only."""

import os
import select
import socket
import sys
import termios
import tty

IAC, SB, SE, WILL, WONT, DO, DONT = 255, 250, 240, 251, 252, 253, 254
COM_PORT, BINARY, SGA = 44, 0, 3
SET_BAUDRATE, PURGE_DATA = 1, 12
KEPT_RATE = 9600
CHUNK = b"0123456789" * 6554  # some 64 KiB: the client never finds the stream dry


def open_device(path):
    fd = os.open(path, os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK)
    tty.setraw(fd)
    attrs = termios.tcgetattr(fd)
    attrs[4] = attrs[5] = termios.B9600
    termios.tcsetattr(fd, termios.TCSANOW, attrs)
    return fd


class Rfc2217:
    """The server's side of the Telnet stream: data out to the device,
    option requests agreed, line settings answered."""

    def __init__(self, client, kept_rate=None):
        self.client = client
        self.kept_rate = kept_rate
        self.purged = False
        self.state = "data"
        self.verb = 0
        self.sub = bytearray()
        self.agreed = set()

    def feed(self, wire):
        data = bytearray()
        for b in wire:
            if self.state == "data":
                if b == IAC:
                    self.state = "iac"
                else:
                    data.append(b)
            elif self.state == "iac":
                if b == IAC:
                    data.append(b)
                    self.state = "data"
                elif b in (WILL, WONT, DO, DONT):
                    self.verb, self.state = b, "verb"
                elif b == SB:
                    self.sub, self.state = bytearray(), "sub"
                else:
                    self.state = "data"
            elif self.state == "verb":
                self.option(self.verb, b)
                self.state = "data"
            elif self.state == "sub":
                if b == IAC:
                    self.state = "subiac"
                else:
                    self.sub.append(b)
            elif self.state == "subiac":
                if b == SE:
                    self.answer(bytes(self.sub))
                    self.state = "data"
                else:
                    self.sub.append(b)
                    self.state = "sub"
        return bytes(data)

    def option(self, verb, option):
        if (verb, option) in self.agreed or verb in (WONT, DONT):
            return
        self.agreed.add((verb, option))
        known = option in (COM_PORT, BINARY, SGA)
        reply = {WILL: DO if known else DONT, DO: WILL if known else WONT}[verb]
        self.client.sendall(bytes([IAC, reply, option]))

    def answer(self, sub):
        if len(sub) < 2 or sub[0] != COM_PORT:
            return
        code, value = sub[1], sub[2:]
        if code == SET_BAUDRATE and self.kept_rate:
            value = self.kept_rate.to_bytes(4, "big")
        self.purged = self.purged or code == PURGE_DATA
        value = value.replace(bytes([IAC]), bytes([IAC, IAC]))
        self.client.sendall(bytes([IAC, SB, COM_PORT, code + 100]) + value + bytes([IAC, SE]))


def relay(client, device):
    telnet = Rfc2217(client, KEPT_RATE)
    while True:
        ready, _, _ = select.select([client, device], [], [])
        if client in ready:
            wire = client.recv(4096)
            if not wire:
                return
            data = telnet.feed(wire)
            if data:
                os.write(device, data)
        if device in ready:
            try:
                data = os.read(device, 4096)
            except BlockingIOError:
                continue
            client.sendall(data.replace(bytes([IAC]), bytes([IAC, IAC])))


def stream_after_purge(client):
    telnet = Rfc2217(client)
    while True:
        ready, _, _ = select.select([client], [], [], 0 if telnet.purged else None)
        if ready:
            wire = client.recv(4096)
            if not wire:
                return
            telnet.feed(wire)
        if telnet.purged:
            client.sendall(CHUNK)


def serve(mode, client, device):
    if mode == "keeps-rate":
        relay(client, device)
    elif mode == "flood":
        while True:
            client.sendall(bytes([IAC]) * 65536)
    elif mode == "in-use":
        client.sendall(b"Port already in use\r\n")
    elif mode == "mute":
        while client.recv(4096):
            pass
    elif mode == "stream":
        while True:
            client.sendall(CHUNK)
    elif mode == "stream-after-purge":
        stream_after_purge(client)


def main():
    mode, port = sys.argv[1], int(sys.argv[2])
    device = open_device(sys.argv[3]) if mode == "keeps-rate" else None
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", port))
    listener.listen(4)
    while True:
        client, _ = listener.accept()
        client.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        try:
            serve(mode, client, device)
        except OSError:
            pass
        client.close()


if __name__ == "__main__":
    main()
