"""Reads the pictures the end-to-end tests take: a chart copied to the
clipboard as a .bmp or .png file, and the screen dumped by xwd.

    pictures.py discs CHART           the yellow feeder marks of the first chart
    pictures.py nocrosshairs CHART    no crosshair pixel inside its data area
    pictures.py curve SCREEN.xwd      the reference curve of the second chart
    pictures.py crosshair SCREEN.xwd  where the first chart's white crosshair is
    pictures.py readouts SCREEN.xwd   a digest of the two read-outs' pixels
    pictures.py painted SCREEN.xwd    the window's first frame is on the screen
    pictures.py menu SCREEN.xwd       the chart's popup menu is open
    pictures.py avoidbars CHART       red lengths to avoid between the discs
    pictures.py noavoidbars CHART     no red pixel in the first chart's data area
    pictures.py xlabels SCREEN.xwd    a digest of the first chart's x-axis labels

A screen dump named "-" is read from the standard input.
Each command prints what it found and exits with 1 when it is not what the
program must show."""
import struct
import sys
import zlib

YELLOW = (255, 255, 0)
RED = (255, 0, 0)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
FACE = (212, 208, 200)
DATA_AREA = (58, 110, 165)  # the first chart's background

# Points of the screen and their colours once the window is painted: the
# list box, the window's face and the first chart's data area.
PAINTED = {(124, 456): WHITE, (2, 2): FACE, (520, 210): DATA_AREA}
# The popup menu, opened at (500, 200), is white over the chart.
MENU = {(510, 204): WHITE, (600, 218): WHITE}


def read_bmp(path):
    data = open(path, "rb").read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    assert bits == 24, "24-bit picture expected"
    row = (width * 3 + 3) // 4 * 4

    def pixel(x, y):
        # Rows are stored bottom-up, each pixel as blue, green, red.
        b, g, r = data[offset + (height - 1 - y) * row + 3 * x:][:3]
        return (r, g, b)

    return width, height, pixel


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def unfilter(raw, height, stride, bpp):
    """The scanlines of a PNG image with their filters undone."""
    rows, prev, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            line[i] = (line[i] + (0, a, b, (a + b) // 2, paeth(a, b, c))[kind]) & 0xFF
        rows.append(line)
        prev = line
    return rows


def read_png(path):
    """8-bit RGB or RGBA, not interlaced: what the program puts on the
    clipboard."""
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "PNG file expected"
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack_from(">I4s", data, pos)
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour in (2, 6) and interlace == 0, "8-bit RGB(A) expected"
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    bpp = 3 if colour == 2 else 4
    rows = unfilter(zlib.decompress(idat), height, width * bpp, bpp)

    def pixel(x, y):
        return tuple(rows[y][bpp * x:bpp * x + 3])

    return width, height, pixel


def read_picture(path):
    with open(path, "rb") as f:
        magic = f.read(2)
    return read_bmp(path) if magic == b"BM" else read_png(path)


def read_xwd(path):
    data = sys.stdin.buffer.read() if path == "-" else open(path, "rb").read()
    if len(data) < 100:
        return 0, 0, None
    fields = struct.unpack_from(">25I", data, 0)
    header_size, width, height = fields[0], fields[4], fields[5]
    byte_order, bits, stride, ncolors = fields[7], fields[11], fields[12], fields[19]
    assert bits == 32, "32-bit screen expected"
    red_mask, green_mask, blue_mask = fields[14], fields[15], fields[16]
    start = header_size + 12 * ncolors
    fmt = "<I" if byte_order == 0 else ">I"

    def channel(value, mask):
        shift = (mask & -mask).bit_length() - 1
        return (value & mask) >> shift

    def pixel(x, y):
        value = struct.unpack_from(fmt, data, start + y * stride + 4 * x)[0]
        return (channel(value, red_mask), channel(value, green_mask), channel(value, blue_mask))

    return width, height, pixel


def discs(path):
    """Two discs 7 pixels across centred on row 289 at columns 247 and 528,
    and no other yellow pixel."""
    width, height, pixel = read_picture(path)
    yellow = {(x, y) for y in range(height) for x in range(width) if pixel(x, y) == YELLOW}
    expected = set()
    for cx in (247, 528):
        for dy, half in ((-3, 1), (-2, 2), (-1, 3), (0, 3), (1, 3), (2, 2), (3, 1)):
            expected |= {(cx + dx, 289 + dy) for dx in range(-half, half + 1)}
    print("%d x %d chart, %d yellow pixels" % (width, height, len(yellow)))
    if (width, height) != (660, 395) or yellow != expected:
        print("extra:", sorted(yellow - expected)[:10], "missing:", sorted(expected - yellow)[:10])
        return 1
    return 0


def nocrosshairs(path):
    """Inside the frame of the first chart's data area (columns 50 and 640,
    rows 20 and 355) only the chart colour, the grid and the marks: no pixel of
    the white crosshair nor of the black one."""
    width, height, pixel = read_picture(path)
    found = [(x, y) for y in range(21, 355) for x in range(51, 640)
             if pixel(x, y) in (WHITE, BLACK)]
    print("%d crosshair pixels in the data area" % len(found), found[:10])
    return 1 if found or (width, height) != (660, 395) else 0


def long_black_rows(width, height, pixel, min_run):
    """Rows holding a run of at least min_run black pixels, with the run's
    first and last column."""
    rows = []
    for y in range(height):
        run_start = None
        for x in range(width + 1):
            black = x < width and pixel(x, y) == BLACK
            if black and run_start is None:
                run_start = x
            if not black and run_start is not None:
                if x - run_start >= min_run:
                    rows.append((y, run_start, x - 1))
                run_start = None
    return rows


def curve(path):
    """The second chart's data area (its frame is the only long black line on
    the page) has a black curve pixel in nearly every column."""
    width, height, pixel = read_xwd(path)
    rows = long_black_rows(width, height, pixel, 500)
    if len(rows) < 2:
        print("no data-area frame found")
        return 1
    (top, left, right), bottom = rows[0], rows[-1][0]
    columns = range(left + 1, right)
    drawn = [x for x in columns if any(pixel(x, y) == BLACK for y in range(top + 1, bottom))]
    print("data area columns %d..%d rows %d..%d, curve in %d of %d columns"
          % (left, right, top, bottom, len(drawn), len(columns)))
    return 0 if len(drawn) >= 0.95 * len(columns) else 1


def shows(path, expected):
    """Whether the screen has the given colours at the given points."""
    width, height, pixel = read_xwd(path)
    return pixel is not None and all(
        x < width and y < height and pixel(x, y) == colour for (x, y), colour in expected.items())


def painted(path):
    """The list of feeder lengths is white and the window around it has its
    face colour: an unpainted window shows neither."""
    return 0 if shows(path, PAINTED) else 1


def menu(path):
    """The popup menu opened at the mouse (500, 200) covers the chart's data
    area there with its white face."""
    return 0 if shows(path, MENU) else 1


def first_chart_frame(width, height, pixel):
    """The first chart's data area (left, top, right, bottom), found by its
    frame: the first two long black lines on the screen (the top one may
    begin with the vertical axis's last tick)."""
    rows = long_black_rows(width, height, pixel, 500)
    if len(rows) < 2:
        return None
    (top, left1, right1), (bottom, left2, right2) = rows[:2]
    return max(left1, left2), top, min(right1, right2), bottom


def chart_on_screen(path):
    """The screen's pixels and the first chart's data area, or None (said
    so) while the chart is not on screen."""
    width, height, pixel = read_xwd(path)
    frame = first_chart_frame(width, height, pixel)
    if frame is None:
        print("no chart on screen")
        return None
    return pixel, frame


def crosshair(path):
    """Prints the column of the white vertical line and the row of the white
    horizontal line across the first chart's data area (- where there is
    none); fails while the chart is not on screen."""
    found = chart_on_screen(path)
    if found is None:
        return 1
    pixel, frame = found
    left, top, right, bottom = frame
    inside_x, inside_y = range(left + 1, right), range(top + 1, bottom)
    columns = [x for x in inside_x if sum(pixel(x, y) == WHITE for y in inside_y) >= 100]
    lines = [y for y in inside_y if sum(pixel(x, y) == WHITE for x in inside_x) >= 200]
    print("%s %s" % (columns[0] if len(columns) == 1 else "-", lines[0] if len(lines) == 1 else "-"))
    return 0


def readouts(path):
    """Prints a digest of the pixels of the two read-outs below the first
    chart (the chart sits 3 pixels into its page, the read-outs at 146, 402
    and 345, 402 of the page); fails while the chart is not on screen."""
    found = chart_on_screen(path)
    if found is None:
        return 1
    pixel, frame = found
    page_x, page_y = frame[0] - 53, frame[1] - 23
    cells = [pixel(x, y) for left, w in ((146, 177), (345, 169))
             for y in range(page_y + 402, page_y + 427) for x in range(page_x + left, page_x + left + w)]
    print("%08x" % (hash(tuple(cells)) & 0xFFFFFFFF))
    return 0


def red_in(path, columns, rows):
    width, height, pixel = read_picture(path)
    return [(x, y) for y in rows for x in columns if pixel(x, y) == RED]


def avoidbars(path):
    """On row 289 (7.1 MHz), between the discs at columns 247 and 528, the
    red bar around the voltage maximum at 22.86 m."""
    red = red_in(path, range(251, 525), [289])
    print("%d red pixels between the discs" % len(red), red[:1], red[-1:])
    return 0 if red else 1


def noavoidbars(path):
    """No red pixel inside the first chart's data area."""
    red = red_in(path, range(51, 640), range(21, 355))
    print("%d red pixels in the data area" % len(red), red[:5])
    return 1 if red else 0


def xlabels(path):
    """Prints a digest of the strip below the first chart's data area where
    the horizontal axis writes its labels; fails while the chart is not on
    screen."""
    found = chart_on_screen(path)
    if found is None:
        return 1
    pixel, frame = found
    left, _, right, bottom = frame
    cells = [pixel(x, y) for y in range(bottom + 2, bottom + 18) for x in range(left - 20, right + 20)]
    print("%08x" % (hash(tuple(cells)) & 0xFFFFFFFF))
    return 0


if __name__ == "__main__":
    commands = {"discs": discs, "nocrosshairs": nocrosshairs, "curve": curve,
                "crosshair": crosshair, "readouts": readouts, "painted": painted, "menu": menu,
                "avoidbars": avoidbars, "noavoidbars": noavoidbars, "xlabels": xlabels}
    sys.exit(commands[sys.argv[1]](sys.argv[2]))
