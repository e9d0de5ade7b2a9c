#!/usr/bin/env python3
"""Writes the four sort-glyph pictures of the grid as XPM files (16 colours at
most, aqua background drawn transparent). Run it here after editing a picture."""

COLOURS = {
    '.': '#00FFFF',  # aqua: transparent
    'g': '#808080',  # grey
    's': '#C0C0C0',  # silver
    'w': '#FFFFFF',  # white
    'k': '#000000',  # black
    'r': '#FF0000',  # red
    'n': '#000080',  # navy
}

SORTUP = [
    "...ws...",
    "...sw...",
    "..sggw..",
    "..sggw..",
    ".sggggw.",
    ".sggggw.",
    "swwwwwww",
]

SORTDN = [
    "ssssssss",
    "sggggggw",
    ".sggggw.",
    ".sggggw.",
    "..sggw..",
    "..sggw..",
    "...sw...",
]

A = [
    "..kk..",
    ".k..k.",
    ".k..k.",
    "kkkkkk",
    "k....k",
    "k....k",
    "k....k",
]

Z = [
    "rrrrrr",
    "....r.",
    "...r..",
    "..r...",
    ".r....",
    "r.....",
    "rrrrrr",
]

ARROW_DOWN = [
    "..n..",
    "..n..",
    "..n..",
    "..n..",
    "..n..",
    "..n..",
    "..n..",
    "..n..",
    "..n..",
    "..n..",
    "..n..",
    "nnnnn",
    ".nnn.",
    "..n..",
]


def letters(top, bottom, arrow):
    rows = []
    for y in range(16):
        line = ['.'] * 16
        if 1 <= y <= 7:
            for x, c in enumerate(top[y - 1]):
                line[1 + x] = c
        if 8 <= y <= 14:
            for x, c in enumerate(bottom[y - 8]):
                line[1 + x] = c
        if 1 <= y <= 14:
            for x, c in enumerate(arrow[y - 1]):
                if c != '.':
                    line[10 + x] = c
        rows.append(''.join(line))
    return rows


def write(name, rows):
    used = sorted({c for row in rows for c in row})
    with open(name + '.xpm', 'w', encoding='ascii') as f:
        f.write('/* XPM */\n')
        f.write('static const char *%s[] = {\n' % name.lower())
        f.write('"%d %d %d 1",\n' % (len(rows[0]), len(rows), len(used)))
        for c in used:
            f.write('"%s c %s",\n' % (c, COLOURS[c]))
        f.write(',\n'.join('"%s"' % row for row in rows))
        f.write('\n};\n')


write('SORTUP', SORTUP)
write('SORTDN', SORTDN)
write('SORTAZ', letters(A, Z, ARROW_DOWN))
write('SORTZA', letters(Z, A, ARROW_DOWN[::-1]))
