"""Writes the DXF benchmark's entities with ezdxf and prints the seconds and CPU seconds it took.

The same lines and circular arcs, layers, colours and line types as dxf_bench.cpp makes; the
time runs from the new document to the saved file, leaving out the interpreter's start and the
import.
"""
import sys
import time

import ezdxf

LAYERS = [("A-Glaz-Prht", 2, "Continuous"), ("A-Glaz-Sill", 5, "Continuous"), ("A-Glaz-Elev", 1, "Dashed")]


def main(count, path):
    start = time.perf_counter()
    start_cpu = time.process_time()
    doc = ezdxf.new("R12")
    msp = doc.modelspace()
    for i in range(count):
        layer, color, linetype = LAYERS[i % 3]
        attribs = {"layer": layer, "color": color, "linetype": linetype}
        if i % 4 == 3:
            msp.add_arc((i * 0.25, (i % 53) * 0.75), 1.0 + (i % 7) * 0.5, float(i % 360), float((i + 90) % 360),
                        dxfattribs=attribs)
        else:
            msp.add_line((i * 0.5, (i % 97) * 0.25), (i * 0.5 + 3.0, (i % 89) * 0.5), dxfattribs=attribs)
    doc.saveas(path)
    print("%.9f %.9f" % (time.perf_counter() - start, time.process_time() - start_cpu))


if __name__ == "__main__":
    main(int(sys.argv[1]), sys.argv[2])
