#!/usr/bin/python3
"""Writes the seed inputs of the fuzz targets into fuzz/corpus/<target>/seed-*.

The seeds are small, valid examples of each input, so that the fuzzers start from the
inside of each format. Findings are kept beside them under their own names."""
import io
import os
import struct
import sys

from PIL import Image

here = os.path.dirname(os.path.abspath(__file__))
root = os.path.dirname(here)


def put(target, name, data):
    d = os.path.join(here, 'corpus', target)
    os.makedirs(d, exist_ok=True)
    with open(os.path.join(d, 'seed-' + name), 'wb') as f:
        f.write(data if isinstance(data, bytes) else data.encode('utf-8'))


def u32(*v): return b''.join(struct.pack('<I', x & 0xFFFFFFFF) for x in v)
def u16(*v): return b''.join(struct.pack('<H', x & 0xFFFF) for x in v)


# --- .GRZ: a cut of the example sample ------------------------------------------------
grains = open(os.path.join(root, 'examples', 'grains.grz'), 'rb').read()
def grz(n, count=None):
    count = n if count is None else count
    sizes = grains[14:14 + 6 * n]
    counts = grains[60014:60014 + 2 * n]
    return grains[:12] + u16(count) + sizes + counts + b'\0\0'
put('grz', 'empty', grz(0))
put('grz', 'three', grz(3))
put('grz', 'forty', grz(40))
put('grz', 'count-past-end', grz(2, 5))

# --- PCX and the pictures read through the library --------------------------------------
def picture(mode, w, h):
    img = Image.new('RGB', (w, h))
    img.putdata([((x * 37) % 256, (y * 53) % 256, (x * y) % 256) for y in range(h) for x in range(w)])
    if mode == '1':
        return img.convert('1')
    if mode == 'P':
        return img.convert('P', palette=Image.ADAPTIVE, colors=16)
    return img
def encoded(img, fmt):
    b = io.BytesIO()
    img.save(b, fmt)
    return b.getvalue()
put('pcx', 'mono', encoded(picture('1', 19, 7), 'PCX'))
put('pcx', 'palette', encoded(picture('P', 13, 9), 'PCX'))
put('pcx', 'rgb', encoded(picture('RGB', 11, 5), 'PCX'))
# The first byte picks the extension: 0 BMP, 1 GIF, 2 ICO, 3 TIF.
put('images', 'bmp-rgb', b'\0' + encoded(picture('RGB', 11, 5), 'BMP'))
put('images', 'bmp-palette', b'\0' + encoded(picture('P', 13, 9), 'BMP'))
put('images', 'gif', b'\1' + encoded(picture('P', 13, 9), 'GIF'))
put('images', 'ico', b'\2' + encoded(picture('RGB', 16, 16), 'ICO'))
put('images', 'tif', b'\3' + encoded(picture('RGB', 11, 5), 'TIFF'))
put('images', 'tif-packbits', b'\3' + (lambda b: (picture('P', 13, 9).save(b, 'TIFF', compression='packbits'), b.getvalue())[1])(io.BytesIO()))

# --- EMF and WMF ------------------------------------------------------------------------
def dib(w, h, bpp=24):
    pal = b'' if bpp > 8 else b''.join(u32(i * 0x111111) for i in range(1 << bpp))
    info = u32(40, w, h) + u16(1, bpp) + u32(0, 0, 0, 0, 0 if bpp > 8 else 1 << bpp, 0) + pal
    stride = (w * bpp + 31) // 32 * 4
    bits = bytes((x * 7 + y * 13) % 256 for y in range(h) for x in range(stride))
    return info, bits

def emf_record(kind, params=b''):
    return u32(kind, 8 + len(params)) + params

def emf(w, h, records):
    body = b''.join(records) + emf_record(14, u32(0, 0, 20))
    head = u32(1, 88, 0, 0, w - 1, h - 1, 0, 0, w * 2540 // 96, h * 2540 // 96)
    head += u32(0x464D4520, 0x10000, 88 + len(body), len(records) + 2) + u16(1, 0) + u32(0, 0, 0, 960, 960, 254, 254)
    return head + body

def stretch_dibits(x, y, w, h, info, bits):
    p = u32(0, 0, 0, 0, x, y, 0, 0, 4, 3, 80, len(info), 80 + len(info), len(bits), 0, 0x00CC0020, w, h)
    return emf_record(81, p + info + bits)

info, bits = dib(4, 3)
pinfo, pbits = dib(8, 8, 1)
put('metafile', 'emf-shapes', emf(64, 48, [
    emf_record(38, u32(1, 0, 2, 0, 0x0000FF)),            # pen 1
    emf_record(39, u32(2, 0, 0x00FF00, 0)),               # solid brush 2
    emf_record(37, u32(1)), emf_record(37, u32(2)),
    emf_record(43, u32(2, 2, 30, 20)),                    # rectangle
    emf_record(42, u32(20, 10, 60, 40)),                  # ellipse
    emf_record(44, u32(5, 25, 40, 45, 6, 6)),             # round rectangle
    emf_record(3, u32(0, 0, 0, 0, 3, 10, 10, 50, 10, 30, 40)),      # polygon
    emf_record(86, u32(0, 0, 0, 0, 3) + u16(1, 1, 60, 1, 30, 47)),  # polygon16
    emf_record(45, u32(0, 0, 40, 40, 40, 20, 20, 0)),     # arc
    emf_record(47, u32(10, 10, 50, 40, 50, 25, 30, 10)),  # pie
]))
put('metafile', 'emf-bitmaps', emf(64, 48, [
    stretch_dibits(2, 2, 20, 15, info, bits),
    emf_record(94, u32(3, 0, 28, len(pinfo), 28 + len(pinfo), len(pbits)) + pinfo + pbits),  # pattern brush 3
    emf_record(37, u32(3)),
    emf_record(43, u32(30, 2, 62, 46)),
]))
put('metafile', 'emf-paths-clips', emf(64, 48, [
    emf_record(33), emf_record(30, u32(0, 0, 40, 40)),   # save, intersect
    emf_record(59), emf_record(27, u32(5, 5)), emf_record(54, u32(50, 5)), emf_record(54, u32(25, 40)),
    emf_record(61), emf_record(60), emf_record(37, u32(0x80000004)), emf_record(62, u32(0, 0, 0, 0)),
    emf_record(34, u32(0xFFFFFFFF)),                      # restore
    emf_record(17, u32(8)), emf_record(9, u32(100, 100)), emf_record(11, u32(64, 48)),
    emf_record(35, struct.pack('<6f', 1, 0.2, -0.2, 1, 3, 4)),
    emf_record(43, u32(10, 10, 90, 90)),
    emf_record(75, u32(48, 1) + u32(32, 1, 1, 16, 0, 0, 32, 32) + u32(0, 0, 32, 32)),
]))
for name in ('mapping.emf', 'shapes.emf'):
    put('metafile', name, open(os.path.join(root, 'tests', 'data', 'image_files', name), 'rb').read())

def wmf_record(func, params=(), raw=b''):
    return u32(3 + len(params) + len(raw) // 2) + u16(func) + u16(*params) + raw

def wmf(records, placeable=True):
    body = b''.join(records) + wmf_record(0)
    head = u32(0x9AC6CDD7) + u16(0, 0, 0, 1000, 500, 1000) + u32(0) + u16(0) if placeable else b''
    return head + u16(1, 9, 0x300) + u32(9 + len(body) // 2) + u16(8) + u32(20) + u16(0) + body

packed = info + bits
put('metafile', 'wmf-shapes', wmf([
    wmf_record(0x02FC, (0,), u32(0x0000FF) + u16(0)),     # brush
    wmf_record(0x02FA, (0, 3, 0), u32(0xFF0000)),         # pen
    wmf_record(0x012D, (0,)), wmf_record(0x012D, (1,)),
    wmf_record(0x041B, (200, 500, 20, 100)),              # rectangle
    wmf_record(0x0418, (400, 900, 100, 600)),             # ellipse
    wmf_record(0x0324, (3, 20, 10, 60, 10, 20, 40)),      # polygon
    wmf_record(0x0538, (2, 3, 3, 0, 0, 10, 0, 0, 10, 5, 5, 15, 5, 5, 15)),
    wmf_record(0x081A, (100, 300, 450, 700, 400, 800, 300, 600)),  # pie
    wmf_record(0x01F0, (0,)),
]))
put('metafile', 'wmf-bitmaps', wmf([
    wmf_record(0x020B, (0, 0)), wmf_record(0x020C, (48, 64)),
    wmf_record(0x0F43, (0x0020, 0x00CC, 0, 3, 4, 0, 0, 20, 30, 2, 2), packed),      # STRETCHDIB
    wmf_record(0x0940, (0x0020, 0x00CC, 0, 0, 3, 4, 20, 30), packed),               # DIBBITBLT
    wmf_record(0x0142, (5, 0), pinfo + pbits), wmf_record(0x012D, (0,)),            # pattern brush
    wmf_record(0x061D, (0x0021, 0x00F0, 20, 20, 40, 10)),                            # PATBLT
], placeable=False))

# --- texts ------------------------------------------------------------------------------
put('paste', 'comma', '\x001,5\t3\r\n2,25\t\n\t7\n0,001\t1\n')
put('paste', 'point', '\x011.5\t3\n1e3\t2\n-4\tx\n\n5\t1')
put('paste', 'wide', '\x00' + '\t'.join(['1', '2', '3']) + '\n' + 'Ж\tä\n' * 3)
for i, t in enumerate(['1,5', ' -12.25E-3 ', '1E4932', '1,18973149535723176502E4932', '2147483647',
                       '-2147483648', '+0', '0,000001', '1e-4951', '12345678901234567890']):
    put('numbers', str(i), t)
put('calc', 'sum', bytes([0, 1, 2, 11, 3, 10, 5, 0x1F]))
put('calc', 'divide-zero', bytes([1, 7, 14, 0, 0xFF, 0x2F]))
put('calc', 'roots', bytes([0, 9, 0x0F, 0x1F, 12, 4, 0x0F, 13, 9, 9, 9, 9, 0xFF]))
put('settings', 'plain', '[Options]\nKPix=1,5\nGrizal2Directory=/opt/grizal2\nSizeFlag=1\nAddFuncFlag=0\n')
put('settings', 'edited', '[Options]\r\nKPix="0.25"\r\nSizeFlag = 2 \r\n; a comment\r\nAddFuncFlag=@Invalid()\r\n[Other]\nx=1\n')
put('settings', 'list', '[Options]\nKPix=1, 5\nSizeFlag=1,2\n')
