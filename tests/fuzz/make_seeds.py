#!/usr/bin/env python3
"""Writes the fuzzer's seed corpus (HostActions.h gives the format): a few ordinary sessions
and the rate-change sequence that once left the output non-finite."""
import os
import struct

OPS = {"open": 0, "close": 1, "program": 2, "programName": 5, "display": 7, "name": 8,
       "rate": 10, "block": 11, "mains": 12, "editOpen": 14, "editClose": 15, "editIdle": 19,
       "indexed": 29, "canDo": 51, "keyDown": 59}


def dispatch(op, index=0, value=0, pointer=0, fill=0, opt=0.0):
    return struct.pack("<BBiiBBf", 0, OPS[op] + 4, index, value, pointer, fill, opt)


def set_param(index, value):
    return struct.pack("<Bif", 1, index, value)


def get_param(index):
    return struct.pack("<Bi", 2, index)


def process(frames, flags=0, shape=1, level=0.5, burst=0.0, start=0, length=0):
    return struct.pack("<BHBBffHH", 3, frames, flags, shape, level, burst, start, length)


INF, NAN = float("inf"), float("nan")
SEEDS = {
    "session": dispatch("rate", opt=48000.0) + dispatch("block", value=512) +
    dispatch("program", value=4) + dispatch("mains", value=1) + process(512) +
    process(512, flags=1) + set_param(3, 0.8) + process(777, flags=2) + get_param(501),
    "suspended-burst-then-rates": dispatch("rate", opt=44100.0) +
    process(64, shape=0, burst=-INF, start=0, length=64, flags=12) +
    dispatch("rate", opt=96000.0) + dispatch("mains", value=1) + process(2000) +
    dispatch("rate", opt=8000.0) + process(2000, shape=0),
    "bursts-across-70k": dispatch("mains", value=1) + process(300, burst=NAN, start=10,
                                                               length=40, flags=5) +
    dispatch("rate", opt=70000.0) + process(500, flags=9, burst=1e-310, start=0, length=50) +
    dispatch("rate", opt=69999.0) + process(900, shape=3, level=1e20),
    "direct-burst-then-rates": dispatch("rate", opt=96000.0) + dispatch("mains", value=1) +
    process(300, burst=NAN, start=250, length=50, flags=4) + dispatch("rate", opt=44100.0) +
    process(1000) + dispatch("rate", opt=96000.0) + process(1000),
    "editor": dispatch("editOpen", pointer=4) + dispatch("editIdle") + set_param(16, 1.0) +
    dispatch("keyDown", index=0, value=1) + dispatch("editIdle") + dispatch("editClose"),
    "texts": dispatch("display", index=13, pointer=1) + dispatch("name", index=20, pointer=2) +
    dispatch("indexed", index=8, pointer=8) + dispatch("programName", pointer=20, fill=65) +
    dispatch("canDo", pointer=8, fill=120) + dispatch("close") + get_param(506),
}

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "seeds")
for name, data in SEEDS.items():
    with open(os.path.join(here, name), "wb") as f:
        f.write(data)
