"""Reads a DXF file with ezdxf, lists its entities and audits it.

Prints "errors N" (the audit's errors), then one line per entity of the model space, fields
separated by tabs: type, layer, line type, colour number, then the coordinates and sizes.
The entities are listed before the audit, which may drop undefined line types.
"""
import sys

import ezdxf


def numbers(entity):
    kind = entity.dxftype()
    d = entity.dxf
    if kind == "LINE":
        values = [d.start.x, d.start.y, d.end.x, d.end.y]
    elif kind == "CIRCLE":
        values = [d.center.x, d.center.y, d.radius]
    elif kind == "ARC":
        values = [d.center.x, d.center.y, d.radius, d.start_angle, d.end_angle]
    else:
        values = []
    return " ".join("%.10f" % v for v in values)


def main(path):
    doc = ezdxf.readfile(path)
    lines = []
    for entity in doc.modelspace():
        d = entity.dxf
        lines.append("\t".join([entity.dxftype(), d.layer, d.get("linetype", ""), str(d.get("color", 256)),
                                numbers(entity)]))
    auditor = doc.audit()
    print("errors %d" % len(auditor.errors))
    for line in lines:
        print(line)


if __name__ == "__main__":
    main(sys.argv[1])
