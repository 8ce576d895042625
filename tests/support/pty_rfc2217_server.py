#!/usr/bin/python3
"""pyserial's example RFC 2217 server (Debian's python3-serial), run in
front of a pseudo-terminal: a pseudo-terminal has no modem lines, so the
example's calls that set or read them fail there; here they do nothing and
read as "off". Arguments as the example's own: DEVICE -p PORT."""

import runpy
import sys

import serial
import serial.serialposix

EXAMPLE = "/usr/share/doc/python3-serial/examples/rfc2217_server.py"


def tolerant(call, off=None):
    def wrapped(*args, **kwargs):
        try:
            return call(*args, **kwargs)
        except (OSError, serial.SerialException):
            return off
    return wrapped


Port = serial.serialposix.Serial
for name in ("_update_dtr_state", "_update_rts_state", "_update_break_state"):
    setattr(Port, name, tolerant(getattr(Port, name)))
for name in ("cts", "dsr", "ri", "cd"):
    setattr(Port, name, property(tolerant(getattr(Port, name).fget, False)))

sys.argv = [EXAMPLE] + sys.argv[1:]
runpy.run_path(EXAMPLE, run_name="__main__")
