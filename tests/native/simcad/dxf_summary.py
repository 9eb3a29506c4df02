#!/usr/bin/env python3
"""What an independent reader (ezdxf, Debian's python3-ezdxf) finds in a DXF file, printed in
the form the simulated CAD's reader tests print their own reading in, so that the two can be
compared line by line:

  COUNT <type> <n>     model-space entities by type, types in sorted order
  ATTRIB <n>           the attributes of all block references in model space
  BLOCKS <n>           block definitions, without those of model space and paper space

With --strict the file is read without repairs and ezdxf's audit follows: AUDIT <errors> <fixes>.

With --values, then every TEXT, block reference and attribute of model space in drawing order:

  TEXT <x> <y> <alignment code> <height> <text>
  INSERT <name> <x> <y>
  ATTRIB <tag> <x> <y> <alignment code> <text>

x and y are the text's anchor in world coordinates (its insertion point when it is left-aligned,
otherwise its alignment point). Fields are TAB-separated; a backslash, TAB or line end in a text
is written \\\\, \\t, \\n, \\r.
"""
import io
import sys

import ezdxf
from ezdxf import recover


def load(path):
    with open(path, "rb") as f:
        data = f.read()
    try:
        doc, _ = recover.read(io.BytesIO(data))
    except ValueError:
        # ezdxf 0.18 stops at "\U+" escapes with lower-case hex digits (int() of the rest of the
        # string). Read once more with the escapes put out of its way: no count depends on them.
        doc, _ = recover.read(io.BytesIO(data.replace(b"\\U+", b"\\u+")))
    return doc


def alignment_code(horizontal, vertical):
    if horizontal < 0 or horizontal > 5:
        horizontal = 0
    if vertical < 0 or vertical > 3:
        vertical = 0
    if horizontal >= 3 or vertical == 0:
        return horizontal
    return [[0, 1, 2], [12, 13, 14], [9, 10, 11], [6, 7, 8]][vertical][horizontal]


def number(value):
    text = "%.3f" % value
    return "0.000" if text == "-0.000" else text


def escaped(text):
    return text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n").replace("\r", "\\r")


def anchor(entity):
    code = alignment_code(entity.dxf.get("halign", 0), entity.dxf.get("valign", 0))
    point = entity.dxf.insert
    if code != 0 and entity.dxf.hasattr("align_point"):
        point = entity.dxf.align_point
    return code, entity.ocs().to_wcs(point)


def main():
    values = "--values" in sys.argv
    strict = "--strict" in sys.argv
    paths = [a for a in sys.argv[1:] if not a.startswith("--")]
    doc = ezdxf.readfile(paths[0]) if strict else load(paths[0])
    msp = doc.modelspace()
    counts = {}
    for e in msp:
        counts[e.dxftype()] = counts.get(e.dxftype(), 0) + 1
    out = []
    for kind in sorted(counts):
        out.append("COUNT\t%s\t%d" % (kind, counts[kind]))
    out.append("ATTRIB\t%d" % sum(len(e.attribs) for e in msp if e.dxftype() == "INSERT"))
    layouts = ("*MODEL_SPACE", "*PAPER_SPACE")
    out.append("BLOCKS\t%d" % sum(1 for b in doc.blocks if not b.name.upper().startswith(layouts)))
    if strict:
        auditor = doc.audit()
        out.append("AUDIT\t%d\t%d" % (len(auditor.errors), len(auditor.fixes)))
    if values:
        for e in msp:
            if e.dxftype() == "TEXT":
                code, p = anchor(e)
                out.append("TEXT\t%s\t%s\t%d\t%s\t%s" % (number(p.x), number(p.y), code, number(e.dxf.height),
                                                        escaped(e.dxf.text)))
            elif e.dxftype() == "INSERT":
                p = e.ocs().to_wcs(e.dxf.insert)
                out.append("INSERT\t%s\t%s\t%s" % (escaped(e.dxf.name), number(p.x), number(p.y)))
                for a in e.attribs:
                    code, p = anchor(a)
                    out.append("ATTRIB\t%s\t%s\t%s\t%d\t%s" % (escaped(a.dxf.tag), number(p.x), number(p.y), code,
                                                             escaped(a.dxf.text)))
    sys.stdout.buffer.write(("\n".join(out) + "\n").encode("utf-8"))


if __name__ == "__main__":
    main()
