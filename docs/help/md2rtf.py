#!/usr/bin/env python3
"""Turns the help text (a small Markdown subset, UTF-8) into an RTF document.

The result is saved as Info_Help.doc: Word, WordPad and LibreOffice open RTF
content whatever the extension says. The output depends only on the input
and the version given, so the same source always gives the same bytes.

Understood markup:
  # / ## / ###      headings
  blank line        ends a paragraph; lines of one paragraph are joined
  - item            bullet item (continued by lines indented with blanks)
  1. item           numbered item (the number is kept as written)
  | a | b |         table; a line of dashes after the first row makes it a
                    header row
  > text            note (indented, italic)
  ```               starts and ends a block shown line by line in a fixed font
  **bold**, `code`  inline
  {{VERSION}}       replaced by the version given on the command line
"""
import re
import sys

# Page: A4 with 2.5 cm margins, in twips (1/1440 inch).
PAGE = r"\paperw11906\paperh16838\margl1417\margr1417\margt1417\margb1134"
TEXT_WIDTH = 11906 - 2 * 1417
# Width of a character of 10-point Arial, with room for the wider fonts
# that stand in for Arial where it is missing, and a cell's padding.
CHAR_WIDTH = 120
CELL_PADDING = 240

FONTS = (r"{\fonttbl{\f0\fswiss\fcharset0 Arial;}"
         r"{\f1\fmodern\fcharset0 Courier New;}}")
# 1 = heading blue, 2 = table header grey, 3 = note grey
COLOURS = (r"{\colortbl;\red31\green73\blue125;\red217\green217\blue217;"
           r"\red89\green89\blue89;}")

BODY = r"\f0\fs20"                   # 10 pt
HEADINGS = {
    1: r"\pard\plain\sb0\sa240\keepn\f0\fs36\b\cf1 ",
    2: r"\pard\plain\sb360\sa120\keepn\f0\fs28\b\cf1 ",
    3: r"\pard\plain\sb240\sa80\keepn\f0\fs22\b\cf1 ",
}


def escape(text):
    """RTF text: specials escaped, Windows-1252 as \\'xx, the rest as \\uN?."""
    out = []
    for ch in text:
        code = ord(ch)
        if ch in "\\{}":
            out.append("\\" + ch)
        elif 32 <= code < 127:
            out.append(ch)
        elif ch == "\t":
            out.append(r"\tab ")
        else:
            try:
                byte = ch.encode("cp1252")
                out.append("\\'%02x" % byte[0])
            except UnicodeEncodeError:
                signed = code if code < 32768 else code - 65536
                out.append("\\u%d?" % signed)
    return "".join(out)


INLINE = re.compile(r"(\*\*.+?\*\*|`[^`]+`)")


def inline(text):
    parts = []
    for piece in INLINE.split(text):
        if not piece:
            continue
        if piece.startswith("**") and piece.endswith("**") and len(piece) > 4:
            parts.append(r"{\b " + inline(piece[2:-2]) + "}")
        elif piece.startswith("`") and piece.endswith("`") and len(piece) > 2:
            parts.append(r"{\f1\fs19 " + escape(piece[1:-1]) + "}")
        else:
            parts.append(escape(piece))
    return "".join(parts)


def paragraph(text):
    return r"\pard\plain\sa120\sl276\slmult1" + BODY + " " + inline(text) + r"\par" + "\n"


def note(text):
    return (r"\pard\plain\li425\sa120\sl276\slmult1" + BODY + r"\i\cf3 " +
            inline(text) + r"\par" + "\n")


def bullet(text):
    # \'95 is the bullet of Windows-1252.
    return (r"\pard\plain\fi-284\li568\sa60\tx568" + BODY + r" \'95\tab " +
            inline(text) + r"\par" + "\n")


def numbered(number, text):
    return (r"\pard\plain\fi-340\li624\sa60\tx624" + BODY + " " + escape(number) +
            r"\tab " + inline(text) + r"\par" + "\n")


def column_widths(rows, columns):
    """Widths in twips. Where they fit in two thirds of the page, all but
    the last column keep their texts on one line and the last one takes the
    rest (WordPad draws rows badly when an earlier cell wraps). Otherwise
    each column is at least as wide as its longest word, and what the page
    has left goes to the columns by how much more their longest text needs."""
    def width(chars):
        return CHAR_WIDTH * chars + CELL_PADDING

    natural = [0] * columns
    least = [0] * columns
    for row in rows:
        for i, cell in enumerate(row):
            plain = cell.replace("**", "").replace("`", "")
            natural[i] = max(natural[i], width(len(plain)))
            longest_word = max((len(w) for w in plain.split()), default=1)
            least[i] = max(least[i], width(longest_word))
    if sum(natural[:-1]) <= TEXT_WIDTH * 2 // 3:
        widths = natural[:-1] + [0]
    else:
        room = TEXT_WIDTH - sum(least)
        want = [n - l for n, l in zip(natural, least)]
        total = sum(want) or 1
        widths = [l + room * w // total for l, w in zip(least, want)]
    widths[-1] += TEXT_WIDTH - sum(widths)
    widths[-1] = max(widths[-1], least[-1])
    return widths


def table(rows, header):
    columns = max(len(r) for r in rows)
    widths = column_widths(rows, columns)
    out = []
    for index, row in enumerate(rows):
        is_header = header and index == 0
        out.append(r"\trowd\trgaph85\trleft0")
        if is_header:
            out.append(r"\trhdr")
        right = 0
        for width in widths:
            right += width
            out.append(r"\clbrdrt\brdrs\brdrw10\clbrdrl\brdrs\brdrw10"
                       r"\clbrdrb\brdrs\brdrw10\clbrdrr\brdrs\brdrw10")
            if is_header:
                out.append(r"\clcbpat2")
            out.append(r"\cellx%d" % right)
        out.append("\n")
        for i in range(columns):
            cell = row[i] if i < len(row) else ""
            style = r"\b " if is_header else " "
            out.append(r"\pard\plain\intbl\sa40" + BODY + style + inline(cell) + r"\cell" + "\n")
        out.append(r"\row" + "\n")
    out.append(r"\pard\plain\sa120" + BODY + r"\par" + "\n")
    return "".join(out)


def code_block(lines):
    body = r"\line ".join(escape(l) for l in lines)
    return (r"\pard\plain\li425\sa120\keep\f1\fs19 " + body + r"\par" + "\n")


def split_row(line):
    cells = line.strip()
    if cells.startswith("|"):
        cells = cells[1:]
    if cells.endswith("|") and not cells.endswith("\\|"):
        cells = cells[:-1]
    # "\|" is a bar inside a cell, as in GitHub's tables.
    return [c.strip().replace("\\|", "|") for c in re.split(r"(?<!\\)\|", cells)]


def convert(source, version):
    source = source.replace("{{VERSION}}", version)
    lines = source.splitlines()
    out = []
    buffer = []      # lines of the current block
    kind = None      # "para", "bullet", "numbered", "note"
    number = ""
    table_rows = []
    table_header = False

    def flush():
        nonlocal buffer, kind, table_rows, table_header
        text = " ".join(s.strip() for s in buffer)
        if kind == "para":
            out.append(paragraph(text))
        elif kind == "bullet":
            out.append(bullet(text))
        elif kind == "numbered":
            out.append(numbered(number, text))
        elif kind == "note":
            out.append(note(text))
        elif kind == "table":
            out.append(table(table_rows, table_header))
        buffer, kind, table_rows, table_header = [], None, [], False

    code = None      # lines of an open ``` block
    for line in lines:
        stripped = line.strip()
        if stripped.startswith("```"):
            if code is None:
                flush()
                code = []
            else:
                out.append(code_block(code))
                code = None
            continue
        if code is not None:
            code.append(line)
            continue
        if not stripped:
            flush()
            continue
        heading = re.match(r"^(#{1,3})\s+(.*)$", line)
        if heading:
            flush()
            level = len(heading.group(1))
            out.append(HEADINGS[level] + inline(heading.group(2)) + r"\par" + "\n")
            continue
        if stripped.startswith("|"):
            if kind != "table":
                flush()
                kind = "table"
            if re.match(r"^\|?[\s:|-]+\|?$", stripped) and "-" in stripped:
                table_header = len(table_rows) == 1
            else:
                table_rows.append(split_row(stripped))
            continue
        if kind == "table":
            flush()
        item = re.match(r"^- (.*)$", line)
        if item:
            flush()
            kind, buffer = "bullet", [item.group(1)]
            continue
        item = re.match(r"^(\d+\.) (.*)$", line)
        if item:
            flush()
            kind, number, buffer = "numbered", item.group(1), [item.group(2)]
            continue
        if line.startswith("> "):
            if kind != "note":
                flush()
                kind = "note"
            buffer.append(line[2:])
            continue
        if kind in ("bullet", "numbered") and line.startswith(" "):
            buffer.append(line)
            continue
        if kind not in ("para",):
            flush()
            kind = "para"
        buffer.append(line)
    flush()

    title = "Tarvelo - Hilfe"
    head = (r"{\rtf1\ansi\ansicpg1252\deff0\deflang1031\uc1" + FONTS + COLOURS + "\n" +
            r"{\info{\title " + escape(title) + r"}{\author Tarvelo}}" + "\n" +
            PAGE + r"\widowctrl\viewkind4" + "\n")
    return head + "".join(out) + "}\n"


def main(argv):
    if len(argv) != 4:
        sys.stderr.write("usage: md2rtf.py SOURCE.md OUT.doc VERSION\n")
        return 2
    with open(argv[1], encoding="utf-8") as f:
        source = f.read()
    rtf = convert(source, argv[3])
    # RTF is 7-bit text; CR LF as Windows tools write it.
    data = rtf.replace("\n", "\r\n").encode("ascii")
    with open(argv[2], "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
