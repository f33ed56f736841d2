"""Starts Orca as the tests need it: speech on, its debug file written line by line (Orca
writes it block by block, so a test could not read it while Orca runs)."""

import builtins
import runpy
import sys

_apri = builtins.open


def apri(file, mode="r", *args, **kwargs):
    if "w" in mode and not args and "buffering" not in kwargs:
        kwargs["buffering"] = 1
    return _apri(file, mode, *args, **kwargs)


builtins.open = apri
sys.argv = ["orca"] + sys.argv[1:]
runpy.run_path("/usr/bin/orca", run_name="__main__")
