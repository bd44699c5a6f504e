#!/usr/bin/python3
"""Makes every case folder here: in.gif of the hand-made cases byte by byte, so that disposal,
transparency, interlace and the cut-off point are exactly what each case needs; the ImageMagick
ones; and the expected N.png of all. Run from this folder; see README.md."""
import glob
import os
import shlex
import shutil
import subprocess
import sys
import tempfile
import zlib

# Colours by name keep the frames readable; every case draws with these.
C = {
    "k": (0, 0, 0), "w": (255, 255, 255), "r": (220, 30, 30), "g": (30, 180, 60),
    "b": (40, 70, 220), "y": (240, 220, 40), "m": (200, 40, 200), "c": (40, 200, 210),
    "o": (250, 140, 20), "p": (250, 160, 190), "n": (120, 70, 30), "e": (128, 128, 128),
}


def table(names):
    """Colour table bytes padded to a power of two of at least 2 entries, and its size bits."""
    bits = 1
    while (1 << bits) < len(names):
        bits += 1
    out = bytearray()
    for n in list(names) + ["k"] * ((1 << bits) - len(names)):
        out += bytes(C[n] if isinstance(n, str) else n)
    return bytes(out), bits


def lzw(pixels, min_size, breaks=()):
    """Plain LZW; the current string is also ended at every pixel position in breaks, so a code
    ends exactly there. Returns the packed bytes and the bit count at each break."""
    clear, eoi = 1 << min_size, (1 << min_size) + 1
    codes = []  # (code, width)
    size, nxt, d = min_size + 1, eoi + 1, {}

    def emit(code):
        codes.append((code, size))

    emit(clear)
    w = None
    bitpos_at = {}

    def add_entry(key):
        nonlocal nxt, size
        if key not in d:
            d[key] = nxt
        nxt += 1
        # The decoder adds each entry one code later than we do, so it widens one entry late too.
        if nxt - 1 == (1 << size) and size < 12:
            size += 1

    for i, p in enumerate(pixels):
        if w is not None and i in breaks:
            emit(d[w] if len(w) > 1 else w[0])
            add_entry(w + (p,))
            bitpos_at[i] = sum(s for _, s in codes)
            w = (p,)
            continue
        if w is None:
            w = (p,)
        elif w + (p,) in d:
            w = w + (p,)
        else:
            emit(d[w] if len(w) > 1 else w[0])
            add_entry(w + (p,))
            w = (p,)
        if nxt >= 4094:  # start over long before the 12-bit limit
            emit(d[w] if len(w) > 1 else w[0])
            w = None
            emit(clear)
            size, nxt, d = min_size + 1, eoi + 1, {}
    if w is not None:
        emit(d[w] if len(w) > 1 else w[0])
    emit(eoi)
    acc = nbits = 0
    out = bytearray()
    for code, s in codes:
        acc |= code << nbits
        nbits += s
        while nbits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8
    if nbits:
        out.append(acc & 0xFF)
    return bytes(out), bitpos_at


def sub_blocks(data, ends=()):
    """Data sub-blocks of at most 255 bytes; a block also ends at every byte offset in ends."""
    out, start = bytearray(), 0
    cuts = sorted(set(list(ends) + [len(data)]))
    for stop in cuts:
        while start < stop:
            n = min(255, stop - start)
            out += bytes([n]) + data[start:start + n]
            start += n
    return bytes(out)


def interlace_order(h):
    rows = []
    for first, step in ((0, 8), (4, 8), (2, 4), (1, 2)):
        rows += list(range(first, h, step))
    return rows


def frame(x, y, rows, **kw):
    """rows: strings of colour letters ('.' is the transparent index) or lists of indices."""
    f = dict(x=x, y=y, rows=rows, disposal=0, delay=10, gce=True)
    f.update(kw)
    return f


def write_gif(path, width, height, global_names, frames, bg=0, comment=None, filled=False):
    """filled: instead of cutting the stream, write the cut-off frame whole with its rows that
    the cut file never delivers transparent (the picture our rule expects)."""
    gct, gbits = table(global_names) if global_names else (b"", 0)
    out = bytearray(b"GIF89a")
    flags = (0x80 | 0x70 | (gbits - 1)) if global_names else 0
    out += width.to_bytes(2, "little") + height.to_bytes(2, "little") + bytes([flags, bg, 0])
    out += gct
    for n, f in enumerate(frames):
        names = f.get("local") or global_names
        index = {name: i for i, name in enumerate(names)}
        trans = f.get("trans")
        if filled and f.get("cut_rows"):
            trans = 0  # the case leaves index 0 unused for the rows that never arrive
        rows = [[trans if ch == "." else index[ch] for ch in r] if isinstance(r, str) else list(r)
                for r in f["rows"]]
        fw, fh = len(rows[0]), len(rows)
        if f["gce"]:
            packed = (f["disposal"] << 2) | (1 if f.get("trans_flag", trans is not None) else 0)
            out += b"\x21\xf9\x04" + bytes([packed]) + f["delay"].to_bytes(2, "little")
            out += bytes([trans or 0, 0])
        if comment and n == 1:
            out += b"\x21\xfe" + bytes([len(comment)]) + comment + b"\x00"
        lflags = 0
        lct = b""
        if f.get("local"):
            lct, lbits = table(f["local"])
            lflags = 0x80 | (lbits - 1)
        if f.get("interlace"):
            lflags |= 0x40
            rows = [rows[r] for r in interlace_order(fh)]
        out += b"\x2c" + b"".join(v.to_bytes(2, "little") for v in (f["x"], f["y"], fw, fh))
        out += bytes([lflags]) + lct
        bits = max(2, (len(f.get("local") or global_names) - 1).bit_length())
        pixels = [p for r in rows for p in r]
        cut = f.get("cut_rows")
        if cut and filled:
            pixels[cut * fw:] = [trans] * (len(pixels) - cut * fw)
            cut = None
        data, at = lzw(pixels, bits, breaks=(cut * fw,) if cut else ())
        out += bytes([bits])
        if cut:
            # End the file with the sub-block that holds the code closing row `cut`.
            end = (at[cut * fw] + 7) // 8
            out += sub_blocks(data, ends=(end,))[: end + (end + 254) // 255]
            break
        out += sub_blocks(data) + b"\x00"
    else:
        out += b"\x3b"
    with open(path, "wb") as fh:
        fh.write(out)


def pattern(w, h, letters, seed=0):
    """A picture whose every row and column differ, so misplaced pixels show."""
    return ["".join(letters[(x * 3 + y * 5 + (x * y) // 3 + seed) % len(letters)]
                    for x in range(w)) for y in range(h)]


def solid(w, h, ch):
    return [ch * w] * h


def holes(rows, every=3):
    """Punches a diagonal lattice of transparent pixels into rows."""
    return ["".join("." if (x + 2 * y) % every == 0 else c for x, c in enumerate(r))
            for y, r in enumerate(rows)]


def cases():
    yield "transparency", dict(
        width=16, height=12, global_names=["w", "b", "r", "g"], bg=2, frames=[
            # Transparent pixels in the first frame: nothing behind them, alpha 0.
            frame(0, 0, holes(pattern(16, 12, "wb"), 4), trans=3, disposal=1),
            # Another transparent index (0, white) on a later frame: frame 1 shows through.
            frame(0, 0, holes(solid(16, 12, "r"), 2), trans=0, disposal=1),
            # The index field says 3 but the flag is off: green stays opaque.
            frame(4, 3, pattern(8, 6, "gr"), trans=3, trans_flag=False, disposal=1),
        ])
    yield "disposal-leave", dict(
        width=16, height=12, global_names=["e", "r", "b", "y", "k", "w"], comment=b"leave",
        frames=[
            frame(0, 0, pattern(16, 12, "ew"), disposal=0),
            frame(2, 2, pattern(6, 5, "rk"), disposal=1),
            frame(8, 4, holes(pattern(6, 6, "bk")), trans=5, disposal=0),
            # No graphic control block at all: leave, nothing transparent.
            frame(5, 7, pattern(4, 4, "yw"), gce=False),
        ])
    yield "disposal-background", dict(
        # The background index names an opaque colour that must never appear.
        width=16, height=12, global_names=["c", "r", "y", "k", "m", "w"], bg=4, frames=[
            frame(0, 0, pattern(16, 12, "cw"), disposal=1),
            frame(3, 2, holes(pattern(8, 6, "rk")), trans=5, disposal=2),
            frame(12, 8, pattern(4, 4, "yk"), disposal=2),
            frame(0, 0, solid(2, 2, "k"), disposal=1),
        ])
    yield "disposal-previous", dict(
        width=16, height=12, global_names=["w", "e", "r", "b", "g", "y", "m", "k"], bg=7,
        frames=[
            frame(0, 0, pattern(16, 12, "we"), disposal=1),
            frame(1, 1, solid(5, 5, "r"), disposal=2),
            # Restores what was there before it: frame 1 with frame 2's area cleared.
            frame(3, 3, holes(pattern(6, 6, "bk")), trans=0, disposal=3),
            # Two in a row: the second restores the canvas as the first left it.
            frame(8, 1, pattern(6, 4, "gk"), disposal=3),
            frame(9, 7, pattern(5, 4, "yk"), disposal=1),
            frame(0, 9, solid(4, 3, "m"), disposal=0),
        ])
    yield "previous-first", dict(
        # Disposal 3 on frame 1 restores what lay before it: the empty canvas, not frame 1.
        width=12, height=8, global_names=["w", "b", "r", "k"], frames=[
            frame(0, 0, pattern(12, 8, "wb"), disposal=3),
            frame(2, 2, pattern(4, 3, "rk"), disposal=1),
            frame(7, 4, solid(3, 3, "b"), disposal=1),
        ])
    yield "wide-strip", dict(
        # 65535 x 1: few pixels however long a side, so it is drawn, not refused.
        width=65535, height=1, global_names=["r", "g", "b", "y"], frames=[
            frame(0, 0, pattern(65535, 1, "rgby"), disposal=1),
        ])
    yield "subrect-offsets", dict(
        # Frame 1 covers only part of the canvas; the rest has nothing drawn, whatever the
        # background index says.
        width=20, height=14, global_names=["r", "b", "w", "g", "y", "k"], bg=0, frames=[
            frame(2, 1, pattern(8, 6, "bw"), disposal=1),
            frame(12, 6, pattern(8, 8, "gw"), disposal=1),
            frame(0, 10, pattern(3, 4, "yk"), disposal=1),
            frame(19, 0, ["k"], disposal=0),
        ])
    yield "local-tables", dict(
        width=16, height=12, global_names=["k", "w"], frames=[
            frame(0, 0, pattern(16, 12, "kw"), disposal=1),
            frame(4, 2, pattern(8, 8, "rgbymcop"), local=["r", "g", "b", "y", "m", "c", "o", "p"],
                  disposal=1),
            # Three colours padded to four; index 1 is transparent.
            frame(0, 0, holes(pattern(6, 6, "nc"), 4), local=["n", "e", "c"], trans=1,
                  disposal=1),
            # Back to the global table after two local ones.
            frame(10, 6, pattern(6, 6, "wk"), disposal=1),
            # 256 entries, 8-bit codes.
            frame(0, 8, [[(x * 16 + y * 64 + 7) % 256 for x in range(16)] for y in range(4)],
                  local=[(i, 255 - i, (i * 7) % 256) for i in range(256)], disposal=1),
        ])
    names16 = list(C) + ["k"] * 4
    yield "interlace", dict(
        width=16, height=13, global_names=names16, frames=[
            # Every row its own colour so a row in the wrong place shows.
            frame(0, 0, ["".join(list(C)[(y + (x // 5)) % 12] for x in range(16))
                         for y in range(13)], interlace=True, disposal=1),
            frame(5, 4, holes(pattern(6, 3, "kwr")), trans=15, interlace=True, disposal=1),
            frame(1, 7, pattern(4, 5, "ym"), disposal=1),
            frame(6, 8, ["".join(list(C)[(y * 2 + x // 3) % 12] for x in range(10))
                         for y in range(5)], interlace=True, disposal=1),
            frame(0, 12, [pattern(16, 1, "bc")[0]], interlace=True, disposal=1),
        ])
    yield "cut-off", dict(
        # Index 0 (yellow) is used by no pixel, so it cannot show by mistake.
        width=16, height=12, global_names=["y", "k", "w", "r", "b", "g"], frames=[
            frame(0, 0, pattern(16, 12, "bw"), disposal=1),
            frame(1, 1, pattern(6, 6, "gk"), disposal=1),
            # The file ends right after the code that completes row 4 of this frame.
            frame(2, 2, pattern(12, 9, "rgkw"), disposal=1, cut_rows=4),
        ])
    yield "cut-off-covering", dict(
        # Two frames that each cover the canvas need no canvas, until the second breaks off.
        width=10, height=8, global_names=["y", "k", "w", "r", "g"], frames=[
            frame(0, 0, pattern(10, 8, "kw")), frame(0, 0, pattern(10, 8, "rg"), cut_rows=5)])


# Made by ImageMagick rather than by hand: its own encoder, local tables and layer optimizer.
IM_CASES = {
    "loop-count": [
        "-delay", "20", "-loop", "3", "-size", "12x10", "xc:navy",
        "(", "-clone", "0", "-fill", "gold", "-draw", "rectangle 1,2 4,7", ")",
        "(", "-clone", "0", "-fill", "gold", "-draw", "rectangle 7,2 10,7", ")",
        "-set", "comment", "three times", "in.gif"],
    "optimized": [
        "-delay", "8", "-loop", "0", "-size", "24x16", "gradient:skyblue-navy", "+antialias",
        "(", "-clone", "0", "-fill", "red", "-draw", "circle 5,8 7,8", ")",
        "(", "-clone", "0", "-fill", "red", "-draw", "circle 11,8 13,8", ")",
        "(", "-clone", "0", "-fill", "red", "-draw", "circle 17,8 19,8", ")",
        "(", "-clone", "0", "-fill", "orange", "-draw", "rectangle 20,2 22,4", ")",
        "-delete", "0", "-layers", "Optimize", "in.gif"],
}
CONVERT = "convert-im6.q16"


def write_png_rows(path, width, rows):
    """An RGBA PNG of opaque rows of (r, g, b)."""
    raw = b"".join(b"\0" + bytes(v for rgb in row for v in (*rgb, 255)) for row in rows)

    def chunk(kind, data):
        return (len(data).to_bytes(4, "big") + kind + data +
                zlib.crc32(kind + data).to_bytes(4, "big"))
    header = width.to_bytes(4, "big") + len(rows).to_bytes(4, "big") + bytes([8, 6, 0, 0, 0])
    with open(path, "wb") as fh:
        fh.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                 chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def run(args, cwd):
    print("(cd %s && %s)" % (cwd, " ".join(shlex.quote(a) for a in args)))
    subprocess.run(args, cwd=cwd, check=True)


def coalesce(case, source):
    for old in glob.glob(os.path.join(case, "[0-9]*.png")):
        os.remove(old)
    # -scene 1 numbers the files from 1; -strip keeps dates out so a rerun changes nothing.
    run([CONVERT, source, "-coalesce", "+repage", "-strip", "-scene", "1", "PNG32:%d.png"], case)


if __name__ == "__main__":
    only = sys.argv[1:]
    for name, layout in cases():
        if only and name not in only:
            continue
        os.makedirs(name, exist_ok=True)
        w, h = layout.pop("width"), layout.pop("height")
        write_gif(os.path.join(name, "in.gif"), w, h, **layout)
        if name == "wide-strip":
            # ImageMagick's policy refuses a side this long; the one opaque row is written here.
            write_png_rows(os.path.join(name, "1.png"), w,
                           [[C[ch] for ch in row] for row in layout["frames"][0]["rows"]])
            continue
        if any(f.get("cut_rows") for f in layout["frames"]):
            # ImageMagick rejects the cut file whole, so the frames come from the filled one.
            with tempfile.TemporaryDirectory() as tmp:
                filled = os.path.join(tmp, "filled.gif")
                write_gif(filled, w, h, filled=True, **layout)
                coalesce(name, filled)
        else:
            coalesce(name, "in.gif")
    for name, args in IM_CASES.items():
        if only and name not in only:
            continue
        os.makedirs(name, exist_ok=True)
        run([CONVERT] + args, name)
        coalesce(name, "in.gif")
    if not only or "deferred-clear" in only:
        # The tests' own writer made it: 16 colours, the table full for most of the frame.
        os.makedirs("deferred-clear", exist_ok=True)
        shutil.copy("../fixtures/lzw_deferred_clear.gif", "deferred-clear/in.gif")
        coalesce("deferred-clear", "in.gif")
    if not only or "not-a-gif" in only:
        # No frames expected: the tool must refuse the file.
        os.makedirs("not-a-gif", exist_ok=True)
        with open(os.path.join("not-a-gif", "in.gif"), "wb") as fh:
            fh.write(b"plain text, not a picture\n")
