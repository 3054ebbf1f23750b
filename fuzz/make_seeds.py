#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz targets, one folder per target, into OUT_DIR:
- fuzz_load: the first 15000 bytes of each corpus photograph, a well-formed small Exif
  file and small malformed files, each aimed at one fault class;
- fuzz_text_ops: texts at the edges of the conversion and file-name rules;
- fuzz_print_cut: lines with tabs and double-byte characters at the cut.
Deterministic: the same files every run, so that the bytes stay reviewable instead of
being opaque blobs.

usage: make_seeds.py OUT_DIR [CORPUS_DIR]
"""

import os
import struct
import sys

MAX_LEN = 15000


def le16(v):
    return struct.pack("<H", v & 0xFFFF)


def le32(v):
    return struct.pack("<I", v & 0xFFFFFFFF)


class Tiff:
    """A TIFF structure in Intel byte order; offsets count from the header."""

    def __init__(self):
        self.data = bytearray(b"II*\x00" + le32(8))

    def put(self, at, raw):
        if len(self.data) < at + len(raw):
            self.data.extend(b"\x00" * (at + len(raw) - len(self.data)))
        self.data[at:at + len(raw)] = raw
        return self

    def ifd(self, at, entries, link, count=None):
        raw = le16(len(entries) if count is None else count)
        for tag, typ, cnt, val in entries:
            raw += le16(tag) + le16(typ) + le32(cnt) + le32(val)
        return self.put(at, raw + le32(link))


def jpeg(tiff, jfif_first=False):
    out = b"\xFF\xD8"
    if jfif_first:
        out += b"\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00"
    length = 2 + 6 + len(tiff.data)
    return out + b"\xFF\xE1" + struct.pack(">H", length & 0xFFFF) + b"Exif\x00\x00" + bytes(tiff.data) + b"\xFF\xD9"


def sample(make_count=6, exif_value=0xB0, link=0x32, sub_count=None, ifd1_count=None,
           rational=(1, 60), date_count=20, date_value=0xF2, make_value=0x80):
    """The small well-formed file: Make, Model and the Exif pointer in IFD0, a two-entry
    IFD1, a SubIFD with the five interpreted tags. Parameters bend single fields."""
    t = Tiff()
    t.ifd(0x08, [(0x010F, 2, make_count, make_value), (0x0110, 2, 10, 0x86),
                 (0x8769, 4, 1, exif_value)], link)
    t.ifd(0x32, [(0x0103, 3, 1, 6), (0x0201, 4, 1, 0x200)], 0, count=ifd1_count)
    t.put(0x80, b"MAKER\x00").put(0x86, b"MODEL 123\x00")
    t.put(0xA0, le32(rational[0]) + le32(rational[1])).put(0xA8, le32(28) + le32(10))
    t.ifd(0xB0, [(0x829A, 5, 1, 0xA0), (0x829D, 5, 1, 0xA8), (0x8827, 3, 1, 100),
                 (0x9003, 2, date_count, date_value), (0x9207, 3, 1, 5)], 0, count=sub_count)
    t.put(0xF2, b"2010:03:26 12:34:56\x00")
    return t


def load_seeds():
    good = jpeg(sample())
    yield "sample", good                                                # well-formed, every line kind
    yield "jfif_first", jpeg(sample(), jfif_first=True)                 # TIFF header not at offset 12
    yield "empty", b""                                                  # nothing read at all
    yield "exif_only", b"Exif"                                          # signature without TIFF header
    yield "exif_midbyte", bytes.fromhex("0457869660") + b"II*\x00"      # signature across byte boundaries
    yield "motorola", good.replace(b"II*\x00", b"MM\x00*")              # Motorola byte order
    yield "header_at_end", b"Exif" + b"\x00" * 9990 + b"II*\x00"        # TIFF header at the 10000-byte edge
    for cut in (11, 12, 13, 20, 21, 30, 50, 100):
        yield "truncated_%d" % cut, good[:cut]                          # truncation inside the markers / IFD0
    yield "sub_pointer_last_byte", jpeg(sample(exif_value=MAX_LEN - 13))  # SubIFD at the buffer's last byte
    yield "ascii_near_end", jpeg(sample(make_value=MAX_LEN - 12 - 3))   # ASCII value 3 bytes before the end
    for value in (0x7FFFFFFF, 0x80000000, 0xFFFFFFF0, 0xFFFFFFFF):
        yield "value_offset_%08x" % value, jpeg(sample(date_value=value))  # wrapping value offsets
        yield "exif_offset_%08x" % value, jpeg(sample(exif_value=value))   # wrapping directory offsets
        yield "link_%08x" % value, jpeg(sample(link=value))                # wrapping IFD1 link
    for count in (0x20000000, 0x80000000, 0xFFFFFFFF):
        yield "count_%08x" % count, jpeg(sample(make_count=count))      # huge ASCII counts
        yield "date_count_%08x" % count, jpeg(sample(date_count=count))  # huge ASCII counts via SubIFD
    yield "ifd1_count_ffff", jpeg(sample(ifd1_count=0xFFFF))            # 65535 IFD1 entries, past the buffer
    yield "sub_count_ff", jpeg(sample(sub_count=0xFF))                  # SubIFD count beyond its entries
    yield "link_to_ifd0", jpeg(sample(link=8))                          # IFD0 link back at IFD0
    yield "link_to_header", jpeg(sample(link=0))                        # IFD0 link at the TIFF header (0)
    yield "rational_1_0", jpeg(sample(rational=(1, 0)))                 # zero denominator
    yield "rational_0_0", jpeg(sample(rational=(0, 0)))                 # zero over zero
    yield "rational_min_neg1", jpeg(sample(rational=(0x80000000, 0xFFFFFFFF)))  # INT_MIN / -1
    t = sample()
    t.put(0x80, b"<b>x</b>\x01\x1b\x7f\x00")
    yield "make_markup", jpeg(t)                                        # markup and control characters in a value
    t = sample()
    t.ifd(0x08, [(0x8769, 4, 1, 0xB0)] * 60, 0x32)
    yield "ifd0_many_pointers", jpeg(t)                                 # more entries than a table's 50 rows
    yield "ifd0_count_ff", jpeg(sample().put(0x08, b"\xFF"))            # IFD0 count reads past its entries


def text_seeds():
    """12 bytes of numbers (value, index, count), a split byte, then the text."""
    numbers = le32(0x80000000) + le32(0xFFFFFFFF) + le32(5)
    texts = [
        b"0x7FFFFFFF", b"0x80000000", b"0xFFFFFFFF", b"0x100000000",  # hex width edges
        b"2147483647", b"2147483648", b"-2147483648", b"-2147483649",  # decimal overflow edges
        b"  -$ff", b"+0X1f", b"-x10", b"0x", b"$", b"12 ", b"",  # prefixes, signs, refusals
        b"C:\\photos\\IMG.JpG", b"a.jpg/b", b"name.",  # extensions and separators
        b"a\x83\x5Cb.jpg", b"\x83\x5C.jpg", b"x.\x83\x5C",  # trail byte 5C is no separator
    ]
    for i, text in enumerate(texts):
        yield "text_%02d" % i, numbers + b"\x00" + text


def print_seeds():
    """One byte of characters per line, then the line."""
    lines = [
        (92, b"\t" + b"a" * 84),  # a tab fills one row exactly
        (92, b"a" * 91 + b"\x82\xa0"),  # a double-byte character across the cut
        (4, b"\x81\x81\x81\x81\x81"),  # lead-class trail bytes
        (0, b"abc"),  # a page too narrow for two characters
        (1, b"\x82"),  # a lone lead byte at the end
        (2, b"\t\t\x88\x9f\x88\x9f"),  # tabs and kanji
    ]
    for i, (cpl, line) in enumerate(lines):
        yield "line_%02d" % i, bytes([cpl]) + line


def write_all(folder, named):
    os.makedirs(folder, exist_ok=True)
    for name, data in named:
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data[:MAX_LEN])


def main():
    out_dir = sys.argv[1]
    corpus = sys.argv[2] if len(sys.argv) > 2 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "shared", "corpus")
    write_all(os.path.join(out_dir, "fuzz_load"), ((n + ".jpg", d) for n, d in load_seeds()))
    write_all(os.path.join(out_dir, "fuzz_text_ops"), text_seeds())
    write_all(os.path.join(out_dir, "fuzz_print_cut"), print_seeds())
    if os.path.isdir(corpus):
        photos = []
        for name in sorted(os.listdir(corpus)):
            if name.lower().endswith(".jpg"):
                with open(os.path.join(corpus, name), "rb") as src:
                    photos.append(("corpus_" + name, src.read(MAX_LEN)))
        write_all(os.path.join(out_dir, "fuzz_load"), photos)


if __name__ == "__main__":
    main()
