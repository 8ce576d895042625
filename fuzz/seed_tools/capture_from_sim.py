# Usage: python3 fuzz/seed_tools/capture_from_sim.py [BIN_DIR]  (qxsim from BIN_DIR, default build/bin)
# Captures module answers from qxsim for the fuzz seed corpora.
import os, sys, termios, tty, time, subprocess, tempfile, select

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
B = sys.argv[1] if len(sys.argv) > 1 else ROOT + "/build/bin"
OUT = ROOT + "/fuzz/corpus"

def start(args):
    d = tempfile.mkdtemp()
    link = d + "/m"
    p = subprocess.Popen([B + "/qxsim", "--link", link] + args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    p.stdout.readline()
    fd = os.open(link, os.O_RDWR | os.O_NOCTTY)
    tty.setraw(fd)
    return p, fd

def exchange(fd, cmd, window=1.0, until=b"OK\r\n"):
    termios.tcflush(fd, termios.TCIFLUSH)
    os.write(fd, cmd)
    data = b""
    end = time.time() + window
    while time.time() < end:
        r, _, _ = select.select([fd], [], [], 0.05)
        if r:
            data += os.read(fd, 4096)
            if until and until in data:
                break
    return data

def save(target, name, data):
    os.makedirs(f"{OUT}/{target}", exist_ok=True)
    with open(f"{OUT}/{target}/{name}", "wb") as f:
        f.write(data)

def stop(p, fd):
    os.close(fd)
    p.terminate()
    p.wait()

def test_line_seed(test, pieces):
    # Laid out as the target reads it: the pieces from the front; from the
    # back the test number, then each piece's length (two bytes).
    tail = b""
    for piece in pieces:
        n = len(piece)
        assert n <= 300
        tail = bytes([n & 0xFF, n >> 8]) + tail
    return b"".join(pieces) + tail + bytes([test - 1])

cases = [
    ("main-factory", [], []),
    ("basic-factory", ["--model", "QX5T"], []),
    ("main-old-firmware", ["--firmware", "1.85"], []),
    ("numeric", ["--fault", "numeric"], []),
    ("controlled-single", [], [b"AT&M3&L2\r", b"ATS21=7\r", b"AT&Z0=4,5,9\r", b"AT&Z2=1,0,3\r", b"AT&K3\r"]),
    ("master-repeaters", [], [b"AT&M2\r", b"AT&Z1=1,2,3,4,5,6\r", b"AT&Z3=200\r", b"ATS18=247S19=34\r", b"AT&S254\r"]),
    ("echo-off-quiet", [], [b"ATE0\r", b"ATX3&G255&U255\\T255\r"]),
]
for name, args, setup in cases:
    p, fd = start(args)
    for c in setup:
        exchange(fd, c)
    listing = exchange(fd, b"AT&V\r", 2.0, b"OK\r\n" if "numeric" not in name else b"\r0\r")
    save("readout_parser_fuzz", name + ".txt", listing)
    ident = exchange(fd, b"ATI\r", 2.0, b"OK\r\n" if "numeric" not in name else b"0\r")
    save("firmware_identification_fuzz", name + ".txt", ident)
    stop(p, fd)

for test in (1, 2, 3):
    p, fd = start([])
    stream = exchange(fd, b"AT&T%d\r" % test, 1.3, None)
    stop(p, fd)
    whole = stream[:300]
    save("test_line_fuzz", f"test{test}-whole", test_line_seed(test, [whole]))
    cuts = [whole[i:i + 7] for i in range(0, len(whole), 7)]
    save("test_line_fuzz", f"test{test}-pieces", test_line_seed(test, cuts))
    # Every CR at the end of a piece, its LF starting the next one.
    crcut = []
    start_i = 0
    for i, ch in enumerate(whole):
        if ch == 13:
            crcut.append(whole[start_i:i + 1]); start_i = i + 1
    crcut.append(whole[start_i:])
    save("test_line_fuzz", f"test{test}-cr-cut", test_line_seed(test, crcut))
print("ok")
