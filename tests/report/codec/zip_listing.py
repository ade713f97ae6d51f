"""Lists a zip archive through Python's zipfile module, an independent reader:
one line per entry with the name, size and CRC-32 of the extracted data, the
method, the external attributes, the host system and the modification time.
Fails when the archive or any entry's CRC is bad."""
import sys
import zipfile
import zlib

with zipfile.ZipFile(sys.argv[1]) as archive:
    bad = archive.testzip()
    if bad is not None:
        sys.exit(f"bad entry {bad}")
    for info in archive.infolist():
        data = archive.read(info)
        stamp = "%04d-%02d-%02d %02d:%02d:%02d" % info.date_time
        print(f"{info.filename}|{len(data)}|{zlib.crc32(data):08x}|{info.compress_type}"
              f"|{info.external_attr:x}|{info.create_system}|{stamp}")
