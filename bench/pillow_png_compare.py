"""Pillow's 256-colour PNG of the picture that quorScreenshot_bench saves
(--save_picture=FILE): quantize() and save(optimize=True), the median wall
and processor time of several runs and the file size, for comparison with
BM_ColorPng's Time, CPU and png_bytes. Needs Debian's python3-pil: run it
with /usr/bin/python3."""
import io
import statistics
import sys
import time

from PIL import Image

RUNS = 9

picture = Image.open(sys.argv[1]).convert("RGB")
picture.load()
wall, cpu, size = [], [], 0
for _ in range(RUNS):
    start, start_cpu = time.perf_counter(), time.process_time()
    out = io.BytesIO()
    picture.quantize().save(out, "PNG", optimize=True)
    wall.append(time.perf_counter() - start)
    cpu.append(time.process_time() - start_cpu)
    size = out.tell()
print(f"Pillow {Image.__version__} ({picture.width}x{picture.height}): "
      f"{statistics.median(wall) * 1000:.1f} ms, CPU {statistics.median(cpu) * 1000:.1f} ms, {size} bytes")
