# The read_reply_fuzz seeds laid out as the target reads them. Bytes
# for decisions are taken from the back, reply chunks from the front.
import os
ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
OUT = ROOT + "/fuzz/corpus/read_reply_fuzz"
os.makedirs(OUT, exist_ok=True)
listing = open(ROOT + "/fuzz/corpus/readout_parser_fuzz/main-factory.txt", "rb").read()

def seed(decisions, chunks):
    back = []
    for c in chunks:
        back += [1, len(c)]  # the read does not fail; its size
    tail = bytes(reversed(decisions + back))
    return b"".join(chunks) + tail

def pieces(data, n):
    return [data[i:i + n] for i in range(0, len(data), n)]

# WaitOnPort: mode 1, poll 0, long, expected index (0 OK, 1 &Z3=, 2 CR, 3 V, 4 empty, 5 00)
seeds = {
    "long-listing-in-255s": seed([1, 0, 1, 1], pieces(listing, 255)),
    "long-listing-in-40s": seed([1, 0, 1, 1], pieces(listing, 40)),
    "short-ok": seed([1, 0, 0, 0], [b"ATZ\r\r\nOK\r\n"]),
    "short-numeric-ok": seed([1, 0, 0, 0], [b"ATS0=1\r", b"0\r"]),
    "short-error": seed([1, 0, 0, 0], [b"\r\nERROR\r\n"] + [b""] * 19),
    "poll-test-line": seed([1, 1], [b"\n12 0 x -72 1 0 24\r"]),
    # ExchangeOnChannel: mode 0, rate index, wake 1
    "wake-ok": seed([0, 3, 1], [b"\r\nOK\r\n"]),
    "wake-after-escape": seed([0, 3, 1], [b""] * 20 + [b"\r\nOK\r\n"]),
    # ExchangeOnChannel: send, command index 0 (AT&V), expected 1 (&Z3=), at 1200
    "listing-at-1200": seed([0, 0, 0, 0, 1], pieces(listing, 100)),
    "ati": seed([0, 3, 0, 1, 3], [b"ATI\r\r\nQX7T-R Radio Modem V1.95 SIM\r\n\r\nOK\r\n"]),
}
for name, data in seeds.items():
    open(f"{OUT}/{name}", "wb").write(data)
print(len(seeds))
