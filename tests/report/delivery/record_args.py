"""A stand-in mail program for the Windows tests: writes the arguments it
was started with (after the output file) to that file, one per line."""
import sys

with open(sys.argv[1] + ".part", "w") as out:
    out.write("\n".join(sys.argv[2:]))
import os

os.rename(sys.argv[1] + ".part", sys.argv[1])
