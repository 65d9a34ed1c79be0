#!/usr/bin/env python3
"""Writes a PPM test picture: gradients, stripes and a little noise.
Usage: bench/test_picture.py WIDTH HEIGHT OUT.ppm"""
import os
import sys

w, h = int(sys.argv[1]), int(sys.argv[2])
base = bytes(((x * 7) ^ (x >> 4) ^ (x // 37 * 50)) % 248 for x in range(w * 3))
with open(sys.argv[3], "wb") as f:
    f.write(b"P6\n%d %d\n255\n" % (w, h))
    for y in range(h):
        s = (y * 9) % len(base)
        row = int.from_bytes(base[s:] + base[:s], "big")
        noise = int.from_bytes(os.urandom(w * 3).translate(bytes(i & 7 for i in range(256))), "big")
        f.write((row + noise).to_bytes(w * 3, "big"))
