"""Checks the reporter's codecs against Python's own zlib and base64 modules,
independent implementations: reads lines "kind hex-input hex-output" from the
file named on the command line and prints one line per mismatch."""
import base64
import sys
import zlib

bad = 0
for line in open(sys.argv[1]):
    kind, data, out = line.split()
    data, out = bytes.fromhex(data), bytes.fromhex(out)
    if kind == "deflate":  # raw deflate: inflates to the input
        ok = zlib.decompress(out, -15) == data
    elif kind == "zlib":  # zlib framing (PNG): header, raw deflate, Adler-32
        ok = zlib.decompress(out) == data
    elif kind == "crc32":
        ok = zlib.crc32(data) == int.from_bytes(out, "big")
    elif kind == "adler32":
        ok = zlib.adler32(data) == int.from_bytes(out, "big")
    elif kind == "base64":
        ok = base64.b64encode(data) == out and base64.b64decode(out) == data
    else:
        ok = False
    if not ok:
        bad += 1
        print("mismatch:", kind, data[:16].hex())
sys.exit(1 if bad else 0)
