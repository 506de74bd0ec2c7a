#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into tests/fuzz/corpus/<target>/.

Each seed is a meaningful case in the target's input layout (see the comment at the top of
each target). Run it again after changing a layout; the seeds are committed.
"""
import math
import os
import shutil
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def u8(v):
    return struct.pack("<B", v & 0xFF)


def u16(v):
    return struct.pack("<H", v & 0xFFFF)


def i32(v):
    return struct.pack("<i", v)


def f32(v):
    return struct.pack("<f", v)


def between(lo, hi, v):
    """The raw value FuzzInput::Between(lo, hi) turns into v."""
    raw = v - lo
    return u8(raw) if hi - lo + 1 <= 256 else u16(raw)


def small(lo, v):
    """The bytes FuzzInput::Small(lo) turns into v."""
    return u8(v - lo) if 0 <= v - lo < 64 else u8(0xE0) + i32(v)


def blob(data):
    return u8(len(data)) + data


def write(target, seeds):
    folder = os.path.join(HERE, "corpus", target)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    for name, data in seeds.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


def temporary_picture():
    def case(flags, w, h, limit, size):
        # Flag 0x80: h is the offset from the plane's capacity over w.
        height = between(-2, 2, h) if flags & 0x80 else small(-2, h)
        return (u8(flags) + small(-2, w) + height + u16(limit) +
                bytes((i * 7 + 3) & 0xFF for i in range(size)))

    return {
        "whole_4x3": case(0, 4, 3, 0, 36),
        "one_byte_short": case(0, 4, 3, 0, 35),
        "longer_file_deleted_and_written_back": case(2 | 4, 4, 3, 0, 41),
        "reads_of_five_bytes": case(0, 4, 3, 5, 36),
        "open_fails": case(1, 4, 3, 0, 36),
        "create_fails": case(4 | 8, 2, 2, 0, 12),
        "area_beyond_planes": case(0, 801, 640, 0, 16),
        "largest_layout_area": case(0, 800, 640, 0, 16),
        "one_row_as_large_as_a_plane": case(0x80, 1, 0, 0, 16),
        "just_under_a_plane": case(0x80, 7, -1, 0, 16),
        "negative_area": case(0, -3, 5, 0, 16),
        "one_pixel": case(2, 1, 1, 0, 3),
    }


def load_plan():
    def plan(nw, nh, mode, aw, ah, pw, ph, pattern=b"\x10\x80\xf0\x40", edges=0):
        # With an edge flag the height that follows is the offset from the limit over the width.
        natural = between(-2, 2, nh) if edges & 3 else i32(nh)
        picture = between(-2, 2, ph) if edges & 4 else i32(ph)
        return (u8(edges) + i32(nw) + natural + i32(mode) + u16(aw) + u16(ah) + i32(pw) + picture +
                blob(pattern))

    def resample(w, h, pw, ph, row0, col0, rows, cols, tile=b"\x00\xff\x7f\x33\xcc"):
        return (between(1, 300, w) + between(1, 300, h) + i32(pw) + i32(ph) +
                between(0, 299, row0) + between(0, 299, col0) + between(1, 300, rows) +
                between(1, 300, cols) + blob(tile))

    fit, natural, stretch = 1, 0, 2
    return {
        "camera_photo_fitted_to_800x640": plan(4000, 3000, fit, 800, 640, 800, 600) +
        resample(7, 5, 50, 33, 1, 2, 3, 4),
        "half_size_fit": plan(1600, 1280, fit, 800, 640, 0, 0) + resample(9, 6, 100, 100, 0, 0, 6, 9),
        "small_picture_never_enlarged": plan(300, 200, fit, 640, 512, 0, 0) +
        resample(300, 1, 1, 100, 0, 0, 1, 300),
        "stretched_to_picture": plan(123, 45, stretch, 640, 512, 640, 512),
        "more_than_a_hundred_areas_across": plan(100000, 1, fit, 800, 640, 0, 0),
        "natural_beyond_planes": plan(801, 641, natural, 800, 640, 0, 0),
        "natural_at_a_plane": plan(1, 0, natural, 800, 640, 0, 0, edges=1),
        "natural_at_the_drawing_limit": plan(2, 0, fit, 800, 640, 0, 0, edges=2),
        "stretched_to_a_whole_plane": plan(5, 5, stretch, 640, 512, 800, 0, edges=4),
        "tall_strip_fitted": plan(3, 70000, fit, 1024, 768, 0, 0) + resample(1, 300, 99, 1, 0, 0, 300, 1),
    }


def compositing():
    def case(pw, ph, dw, dh, x, y, rule, pattern=bytes(range(0, 256, 9))):
        choice = {0: u8(0), 4: u8(1)}.get(rule, u8(2) + i32(rule))
        return (small(-2, pw) + small(-2, ph) + small(-2, dw) + small(-2, dh) + small(-32, x) +
                small(-32, y) + choice + pattern)

    return {
        "weighted_inside": case(20, 15, 6, 4, 3, 2, 0),
        "keyed_over_top_left_corner": case(20, 15, 6, 4, -2, -3, 4),
        "keyed_over_bottom_right_corner": case(20, 15, 6, 4, 18, 13, 4),
        "decoration_larger_than_picture": case(12, 9, 30, 30, -5, -5, 0),
        "far_away": case(8, 8, 4, 4, -2147483648, 2147483647, 0),
        "unknown_rule": case(8, 8, 4, 4, 1, 1, 3),
        "empty_picture": case(0, 0, 4, 4, 0, 0, 0),
        "decoration_beyond_planes": case(8, 8, 801, 641, 0, 0, 4),
    }


def press_settings():
    def case(w, h, flags, settings=b"", raw=b"", ops=b"", pattern=bytes(range(3, 250, 11))):
        return between(0, 40, w) + between(0, 40, h) + blob(pattern) + u8(flags) + settings + raw + ops

    def near_high(offset):  # FuzzInput: choice 1 -> Between(32727, 32767)
        return u8(1) + u8(40 - offset)

    def near_low(offset):  # choice 2 -> Between(-32766, -32726)
        return u8(2) + u8(offset)

    colour_ops = bytes([0, 0, 0, 1, 8 + 2, 2, 4, 3, 3, 4, 6, 0, 5, 3, 4, 7, 6])
    warp_ops = bytes(sum(([0, c] for c in range(10)), []) + [3, 3, 3, 4, 6, 0, 0, 3, 7, 6])
    # Brightness and saturation, the hue, then tilt, turn, spin, width and height.
    high = near_high(1) + near_high(0) + between(0, 36, 36) + b"".join(
        near_high(k) for k in (0, 1, 3, 2, 0))
    low = near_low(0) + near_low(1) + between(0, 36, 0) + b"".join(
        near_low(k) for k in (0, 1, 3, 2, 0))
    raw = b"".join(f32(v) for v in (1.0, 1.0, 0.0, 0.0, 0.0, 89.9, -90.0, 45.0, math.nan, math.inf))
    big = b"".join(f32(v) for v in (1e30, -1e30, 3e38, -0.0, 1e-45, 1e9, 1e9, 1e9, 1e-30, -1e-30))
    return {
        "colour_presses_undo_redo": case(6, 5, 0, ops=colour_ops),
        "warp_every_code_odd_size": case(9, 7, 2, ops=warp_ops),
        "settings_at_the_top_guard": case(5, 4, 1 | 2, settings=high, ops=bytes([0, 0, 0, 0, 3, 6, 5] * 3)),
        "settings_at_the_bottom_guard": case(5, 4, 1, settings=low, ops=bytes([0, 1, 0, 3, 3, 6, 5, 0, 9, 6])),
        "raw_warp_with_nan_distance": case(17, 3, 4, raw=raw, ops=bytes([5, 6])),
        "raw_warp_with_huge_values": case(33, 2, 4 | 2, raw=big, ops=bytes([6])),
        "one_pixel_wide": case(1, 12, 2, ops=bytes([0, 2, 0, 6, 6, 3, 7])),
        "empty_picture": case(0, 0, 0, ops=bytes([0, 0, 6, 7])),
    }


def region_runs():
    def case(w, h, key, tolerance, pattern):
        width = u8(w) if w < 128 else u8(0xC0) + between(0, 4095, w)
        return width + between(0, 63, h) + bytes(key) + bytes(tolerance) + pattern

    black, white = bytes([0, 0, 0, 0]), bytes([255, 255, 255, 0])
    red = bytes([0, 0, 255, 0])
    return {
        "black_key_checkers": case(40, 10, [0, 0, 0], [0, 0, 0], black * 3 + white * 2 + black),
        "batches_of_two_thousand": case(4095, 3, [0, 0, 0], [8, 8, 8], black + white),
        "red_key_with_tolerance": case(64, 8, [0, 0, 255], [10, 10, 0], red * 5 + bytes([5, 9, 250, 0]) + white),
        "tolerance_past_255": case(16, 4, [250, 250, 250], [10, 10, 10], white + bytes([249, 255, 255, 0])),
        "nothing_keyed": case(33, 2, [1, 2, 3], [0, 0, 0], white),
        "empty": case(0, 5, [0, 0, 0], [0, 0, 0], white),
    }


def catalogue_paths():
    def text_case(size_choice, old, src, prefix, path):
        def part(b):
            return u16(len(b)) + b

        return u8(0) + u8(size_choice) + part(old) + part(src) + part(prefix) + part(path)

    SIZES = {0: 0, 1: 1, 2: 2, 259: 3, 260: 4, 261: 5}  # FieldSize's list
    exe = b"C:\\Program Files\\Flimmer\\flimmer.exe"

    def name(n):
        return u8(len(n)) + n

    def listing(root, root_choice, entries, earlier=(), presses=b"", weights=(), index=0, thumb=(80, 20)):
        out = u8(1) + u16(len(root)) + root + u8(root_choice) + u8(len(earlier))
        for a, b in earlier:
            out += name(a) + name(b)
        out += u8(len(entries))
        for parent, kind, n in entries:
            out += u8(parent) + u8(kind) + name(n)
        out += i32(index) + u8(len(presses)) + presses + u8(len(weights))
        for w in weights:
            out += name(w)
        return out + u16(thumb[0]) + u16(thumb[1])

    FOLDER, FILE = 1, 0  # root choice 2: a searchable folder
    tree = [(0, FILE, b"b.png"), (0, FILE, b"A.JPG"), (0, FILE, b".hidden.png"), (0, FILE, b"note.txt"),
            (0, FOLDER, b"sub"), (1, FILE, b"c.gif"), (1, FILE, b"d.bmp"), (0, FOLDER, b".git"),
            (2, FILE, b"e.png"), (1, FOLDER, b"deeper"), (3, FILE, b"f.tif")]
    root = b"C:\\Users\\me\\Pictures\\Flimmer\\Ornament"
    # Names that bring a path to exactly 259 and to 260 characters.
    fill = 259 - len(root) - 1 - len(".png")
    edge = [(0, FILE, b"x" * fill + b".png"), (0, FILE, b"y" * (fill + 1) + b".png"),
            (0, FOLDER, b"z" * (fill - 2)), (1, FILE, b"q.png")]
    many = [(0, FILE, b"p%02d.png" % k) for k in range(37)]
    return {
        "copy_into_260_from_300_unterminated": text_case(SIZES[260], b"old", b"s" * 300, b"", exe),
        "append_to_a_field_without_terminator": text_case(SIZES[259], b"d" * 300, b".png", b"C:\\", exe),
        "prefix_longer_than_the_field": text_case(SIZES[260], b"relative\\path.png", b"", b"P" * 270, b"a\\b"),
        "size_zero_everywhere": text_case(SIZES[0], b"x", b"y", b"z", exe),
        "size_one": text_case(SIZES[1], b"", b"abc", b"def", b"\\"),
        "folder_of_a_long_path": text_case(SIZES[261], b"", b"", b"", b"\\".join([b"d" * 50] * 8)),
        "breadth_first_tree": listing(root, 2, tree, presses=b"\x01\x00\x03", index=3),
        "paths_of_259_and_260": listing(root, 2, edge, index=-1),
        "three_pages": listing(root, 2, many, presses=b"\x01\x05\x01\x03\x00\x00\x06",
                               weights=[b"w%02d.png" % k for k in range(20)], index=36),
        "root_is_a_file": listing(root + b"\\pic.png", 1, tree[:2], earlier=[(b"C:\\a", b".png")]),
        "root_missing": listing(b"C:\\nowhere", 0, tree[:3]),
        "root_unsearchable": listing(root, 2 | 4, tree),
        "stale_tail_after_removing_the_only_entry": listing(root, 2 | 8, tree, earlier=[(b"C:\\gone", b".png")]),
        "root_of_300_characters": listing(b"R" * 300, 2, tree[:4]),
    }


def live_frame():
    def case(w, h, flags, cut, effect, aw, ah, pattern=bytes(range(7, 250, 13))):
        return (between(1, 200, w) + between(1, 160, h) + u8(flags) + between(0, 7, cut)
                + between(-2, 16, effect) + between(1, 900, aw) + between(1, 700, ah)
                + blob(pattern))
    return {
        "plain_fits": case(64, 48, 2, 0, -1, 640, 512),
        "padded_width_mirrored_top_down": case(63, 47, 3, 0, 6, 640, 512),
        "shrunk_to_a_small_area": case(200, 150, 2, 0, 8, 97, 61),
        "one_pixel": case(1, 1, 0, 0, 11, 1, 1),
        "short_by_one_byte": case(63, 5, 2, 1, 3, 640, 512),
        "colour_effects": case(41, 39, 1, 0, 13, 300, 300),
        "sketch_narrow_area": case(120, 90, 2, 0, 12, 5, 700),
        "effect_out_of_range": case(30, 20, 0, 0, 16, 640, 512),
    }


if __name__ == "__main__":
    write("temporary_picture", temporary_picture())
    write("load_plan", load_plan())
    write("compositing", compositing())
    write("press_settings", press_settings())
    write("region_runs", region_runs())
    write("catalogue_paths", catalogue_paths())
    write("live_frame", live_frame())
