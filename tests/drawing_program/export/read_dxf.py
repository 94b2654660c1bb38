"""Reads an outline DXF with an independent DXF reader and prints its entities."""
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
kinds = [e.dxftype() for e in doc.modelspace()]
assert kinds.count("CIRCLE") == 15, kinds
assert kinds.count("POLYLINE") == 4, kinds
for e in doc.modelspace():
    assert e.dxf.layer == "0"
    if e.dxftype() == "POLYLINE":
        assert len(list(e.vertices)) >= 5
print("ok", len(kinds), "entities")
