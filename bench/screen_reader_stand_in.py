"""A stand-in for a screen reader while the benchmarks run (bench/run.sh with
ACCESSIBILITY=1): it listens on the accessibility bus for the events a screen reader follows,
so that the programs measured send them, and counts them until it is ended (SIGTERM), when
it prints the counts.

    /usr/bin/python3 bench/screen_reader_stand_in.py
"""

import collections
import signal
import sys

import pyatspi

EVENTS = ["object:state-changed", "object:text-changed", "object:text-caret-moved",
          "object:selection-changed", "object:property-change", "window"]

heard = collections.Counter()


def hear(event):
    heard[event.type.split(":")[0] + ":" + event.type.split(":")[1]] += 1


def stop(*_):
    print("screen reader stand-in heard: " +
          (", ".join(f"{kind} {count}" for kind, count in sorted(heard.items())) or "nothing"))
    sys.stdout.flush()
    pyatspi.Registry.stop()


pyatspi.Registry.registerEventListener(hear, *EVENTS)
signal.signal(signal.SIGTERM, stop)
pyatspi.Registry.start()
