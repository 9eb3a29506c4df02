#!/usr/bin/env python3
"""Writes the DXF drawings of tests/data, byte for byte, without any DXF library: each is
written the way a different kind of program writes its files, so that the reader meets them
all.

  parts-list-ruled-932.dxf   AutoCAD 2000 (AC1015), code page 932: a ruled parts list with a
                             title row, LINE rulings in a closed LWPOLYLINE frame, TEXT in the
                             cells (centred titles, left-aligned names, right-aligned counts),
                             Japanese text in Shift-JIS bytes.
  text-table-r12.dxf         AutoCAD R12 (AC1009) without handles, code page 1252: a table of
                             TEXT without rulings, the counts right-aligned, a diameter sign in
                             a code page 1252 byte.
  title-block-2007.dxf       AutoCAD 2007 (AC1021), UTF-8: a title block defined in BLOCKS
                             (LINE, TEXT and attribute definitions), two references with
                             Japanese attribute values (one scaled and turned), a MINSERT of a
                             small mark, an MTEXT note, an arc and a circle.

Run it from anywhere; it writes beside itself. The files are committed; run it again only to
change them.
"""
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))


class Dxf:
    """Group pairs, each code right-aligned in three places, lines ended by CR LF."""

    def __init__(self, encoding, handles=True):
        self.lines = []
        self.encoding = encoding
        self.handles = handles
        self.next_handle = 0x20

    def pair(self, code, value):
        self.lines.append("%3d" % code)
        self.lines.append(value if isinstance(value, str) else repr_number(value))

    def point(self, code, x, y, z=0.0):
        self.pair(code, float(x))
        self.pair(code + 10, float(y))
        self.pair(code + 20, float(z))

    def handle(self):
        self.next_handle += 1
        return "%X" % self.next_handle

    def entity(self, kind, owner="1F", subclass=None):
        self.pair(0, kind)
        if self.handles:
            self.pair(5, self.handle())
            self.pair(330, owner)
            self.pair(100, "AcDbEntity")
        self.pair(8, "0")
        if self.handles and subclass:
            self.pair(100, subclass)

    def marker(self, subclass):
        if self.handles:
            self.pair(100, subclass)

    def save(self, name):
        data = ("\r\n".join(self.lines) + "\r\n").encode(self.encoding)
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)


def repr_number(value):
    if isinstance(value, int):
        return str(value)
    text = "%.6f" % value
    return text.rstrip("0").rstrip(".") if "." in text else text


def header(d, version, codepage):
    d.pair(0, "SECTION")
    d.pair(2, "HEADER")
    d.pair(9, "$ACADVER")
    d.pair(1, version)
    d.pair(9, "$DWGCODEPAGE")
    d.pair(3, codepage)
    if d.handles:
        d.pair(9, "$HANDSEED")
        d.pair(5, "FFFF")
    d.pair(0, "ENDSEC")


def tables_with_block_records(d, blocks):
    """The block records of model space, paper space and `blocks` (name -> handle)."""
    d.pair(0, "SECTION")
    d.pair(2, "TABLES")
    d.pair(0, "TABLE")
    d.pair(2, "BLOCK_RECORD")
    d.pair(5, "1")
    d.pair(330, "0")
    d.pair(100, "AcDbSymbolTable")
    d.pair(70, 2 + len(blocks))
    for name, handle in [("*Model_Space", "1F"), ("*Paper_Space", "1E")] + list(blocks.items()):
        d.pair(0, "BLOCK_RECORD")
        d.pair(5, handle)
        d.pair(330, "1")
        d.pair(100, "AcDbSymbolTableRecord")
        d.pair(100, "AcDbBlockTableRecord")
        d.pair(2, name)
    d.pair(0, "ENDTAB")
    d.pair(0, "ENDSEC")


def block_begin(d, name, record, x=0.0, y=0.0, flags=0):
    d.entity("BLOCK", record, "AcDbBlockBegin")
    d.pair(2, name)
    d.pair(70, flags)
    d.point(10, x, y)
    d.pair(3, name)
    d.pair(1, "")


def block_end(d, record):
    d.entity("ENDBLK", record, "AcDbBlockEnd")


def line(d, x1, y1, x2, y2, owner="1F"):
    d.entity("LINE", owner, "AcDbLine")
    d.point(10, x1, y1)
    d.point(11, x2, y2)


# Alignment code -> (72, 73): the fifteen justifications of TEXT.
JUSTIFICATION = {0: (0, 0), 1: (1, 0), 2: (2, 0), 3: (3, 0), 4: (4, 0), 5: (5, 0), 6: (0, 3), 7: (1, 3), 8: (2, 3),
                 9: (0, 2), 10: (1, 2), 11: (2, 2), 12: (0, 1), 13: (1, 1), 14: (2, 1)}


def text(d, string, x, y, height, alignment=0, rotation=0.0, owner="1F", kind="TEXT", tag=None, prompt=None,
         vertical_code=73, width=1.0):
    """A TEXT (or ATTRIB, ATTDEF) anchored at (x, y): its insertion point for left alignment,
    otherwise its alignment point, with the insertion point estimated in front of it."""
    horizontal, vertical = JUSTIFICATION[alignment]
    d.entity(kind, owner, "AcDbText")
    length = len(string) * height * 0.8 * width
    dx = {0: 0, 1: length / 2, 2: length}[horizontal if horizontal < 3 else 2]
    dy = {0: 0, 1: 0, 2: height / 2, 3: height}[vertical]
    c, s = math.cos(math.radians(rotation)), math.sin(math.radians(rotation))
    d.point(10, x - dx * c + dy * s, y - dx * s - dy * c)
    d.pair(40, float(height))
    d.pair(1, string)
    if rotation:
        d.pair(50, float(rotation))
    if width != 1.0:
        d.pair(41, float(width))
    if horizontal:
        d.pair(72, horizontal)
    if alignment:
        d.point(11, x, y)
    if kind == "TEXT":
        d.marker("AcDbText")
        if vertical:
            d.pair(73, vertical)
    else:
        d.marker("AcDbAttributeDefinition" if kind == "ATTDEF" else "AcDbAttribute")
        if kind == "ATTDEF":
            d.pair(3, prompt)
        d.pair(2, tag)
        d.pair(70, 0)
        if vertical:
            d.pair(74, vertical)


def parts_list_ruled():
    d = Dxf("cp932")
    header(d, "AC1015", "ANSI_932")
    tables_with_block_records(d, {})
    d.pair(0, "SECTION")
    d.pair(2, "BLOCKS")
    block_begin(d, "*Model_Space", "1F")
    block_end(d, "1F")
    block_begin(d, "*Paper_Space", "1E")
    block_end(d, "1E")
    d.pair(0, "ENDSEC")
    d.pair(0, "SECTION")
    d.pair(2, "ENTITIES")
    columns = [0, 20, 90, 130, 150, 190]
    rows = [48, 40, 32, 24, 16, 8, 0]   # the title row from 48 to 40
    # The frame: one closed lightweight polyline.
    d.entity("LWPOLYLINE", "1F", "AcDbPolyline")
    d.pair(90, 4)
    d.pair(70, 1)
    for x, y in [(0, 0), (190, 0), (190, 48), (0, 48)]:
        d.pair(10, float(x))
        d.pair(20, float(y))
    for y in rows[1:-1]:
        line(d, 0, y, 190, y)
    for x in columns[1:-1]:
        line(d, x, 0, x, 48)
    titles = ["品番", "品名", "材質", "数量", "備考"]
    for c, title in enumerate(titles):
        text(d, title, (columns[c] + columns[c + 1]) / 2, 44, 4.0, alignment=10)
    parts = [["1", "六角ボルト M8x20", "SS400", "8", "三価クロメート"],
             ["2", "平座金 M8", "SS400", "8", ""],
             ["3", "ブラケット", "SPCC", "2", "t=3.2"],
             ["4", "カバー", "A5052", "1", "アルマイト"],
             ["5", "スペーサー φ10", "SUS304", "4", ""]]
    for r, part in enumerate(parts):
        middle = (rows[r + 1] + rows[r + 2]) / 2
        for c, cell in enumerate(part):
            if not cell:
                continue
            if c == 0:
                text(d, cell, (columns[0] + columns[1]) / 2, middle, 3.5, alignment=10)
            elif c == 3:
                text(d, cell, columns[4] - 2, middle, 3.5, alignment=11)
            else:
                text(d, cell, columns[c] + 2, middle, 3.5, alignment=9)
    d.pair(0, "ENDSEC")
    d.pair(0, "EOF")
    d.save("parts-list-ruled-932.dxf")


def text_table_r12():
    d = Dxf("cp1252", handles=False)
    header(d, "AC1009", "ANSI_1252")
    d.pair(0, "SECTION")
    d.pair(2, "ENTITIES")
    rows = [["No.", "Part", "Size", "Qty"],
            ["1", "Hex bolt", "M10x40", "12"],
            ["2", "Washer", "\u00d810.5", "12"],
            ["3", "Bracket", "t=6", "2"],
            ["10", "Cover plate", "200x150", "1"]]
    xs = [0, 12, 50, 80]
    for r, row in enumerate(rows):
        y = 100 - r * 7
        for c, cell in enumerate(row):
            if c in (0, 3):   # numbers stand right-aligned at the right edge of their column
                text(d, cell, xs[c] + (8 if c == 0 else 10), y, 3.0, alignment=2)
            else:
                text(d, cell, xs[c], y, 3.0)
    d.pair(0, "ENDSEC")
    d.pair(0, "EOF")
    d.save("text-table-r12.dxf")


def title_block_2007():
    d = Dxf("utf-8")
    header(d, "AC1021", "ANSI_932")   # from 2007 on the strings are UTF-8 whatever this says
    tables_with_block_records(d, {"TITLE": "1A0", "MARK": "1A1"})
    d.pair(0, "SECTION")
    d.pair(2, "BLOCKS")
    block_begin(d, "*Model_Space", "1F")
    block_end(d, "1F")
    block_begin(d, "*Paper_Space", "1E")
    block_end(d, "1E")
    # The title block: a 180 x 32 frame, labels and five attribute definitions.
    block_begin(d, "TITLE", "1A0", flags=2)
    for x1, y1, x2, y2 in [(0, 0, 180, 0), (180, 0, 180, 32), (180, 32, 0, 32), (0, 32, 0, 0),
                           (0, 16, 180, 16), (30, 0, 30, 32), (120, 0, 120, 32), (140, 0, 140, 16)]:
        line(d, x1, y1, x2, y2, owner="1A0")
    for label, x, y in [("図名", 15, 24), ("図番", 15, 8), ("尺度", 130, 8), ("作成", 150, 24)]:
        text(d, label, x, y, 3.5, alignment=10, owner="1A0")
    attributes = [("TITLE", "図名", 75, 24, 10), ("DRAWING_NO", "図番", 75, 8, 10), ("SCALE", "尺度", 160, 8, 10),
                  ("DRAWN", "作成者", 165, 24, 9), ("DATE", "日付", 132, 24, 9)]
    for tag, prompt, x, y, alignment in attributes:
        text(d, "?", x, y, 3.5, alignment=alignment, owner="1A0", kind="ATTDEF", tag=tag, prompt=prompt,
             vertical_code=74)
    block_end(d, "1A0")
    # A small mark: a circle with a centred letter.
    block_begin(d, "MARK", "1A1", x=5, y=5)
    d.entity("CIRCLE", "1A1", "AcDbCircle")
    d.point(10, 5, 5)
    d.pair(40, 4.0)
    text(d, "A", 5, 5, 3.0, alignment=10, owner="1A1")
    block_end(d, "1A1")
    d.pair(0, "ENDSEC")

    d.pair(0, "SECTION")
    d.pair(2, "ENTITIES")
    values = {"TITLE": "ブラケット組立図", "DRAWING_NO": "K-2024-017", "SCALE": "1:2", "DRAWN": "山田", "DATE": "2024-05-01"}
    for (x0, y0), scale, rotation in [((200, 0), 1.0, 0.0), ((0, 100), 0.5, 90.0)]:
        d.entity("INSERT", "1F", "AcDbBlockReference")
        d.pair(66, 1)
        d.pair(2, "TITLE")
        d.point(10, x0, y0)
        if scale != 1.0:
            d.pair(41, scale)
            d.pair(42, scale)
            d.pair(43, scale)
        if rotation:
            d.pair(50, rotation)
        c, s = math.cos(math.radians(rotation)), math.sin(math.radians(rotation))
        for tag, _prompt, x, y, alignment in attributes:
            ax, ay = x0 + scale * (x * c - y * s), y0 + scale * (x * s + y * c)
            text(d, values[tag], ax, ay, 3.5 * scale, alignment=alignment, rotation=rotation, kind="ATTRIB", tag=tag,
                 vertical_code=74)
        d.entity("SEQEND", "1F")
    # Three columns and two rows of the mark.
    d.entity("INSERT", "1F", "AcDbMInsertBlock")
    d.pair(2, "MARK")
    d.point(10, 200, 60)
    d.pair(70, 3)
    d.pair(71, 2)
    d.pair(44, 15.0)
    d.pair(45, 12.0)
    d.entity("MTEXT", "1F", "AcDbMText")
    d.point(10, 200, 50)
    d.pair(40, 3.0)
    d.pair(41, 120.0)
    d.pair(71, 1)
    d.pair(1, "注記：\\Pはめあい公差は JIS B 0401 による。")
    d.entity("ARC", "1F", "AcDbCircle")
    d.point(10, 250, 80)
    d.pair(40, 10.0)
    d.marker("AcDbArc")
    d.pair(50, 0.0)
    d.pair(51, 90.0)
    d.entity("CIRCLE", "1F", "AcDbCircle")
    d.point(10, 280, 80)
    d.pair(40, 5.0)
    d.pair(0, "ENDSEC")
    d.pair(0, "EOF")
    d.save("title-block-2007.dxf")


if __name__ == "__main__":
    parts_list_ruled()
    text_table_r12()
    title_block_2007()
