#!/usr/bin/env python3
"""Writes the seed inputs of meter_options_fuzz, settings_registry_fuzz, perf_data_fuzz
and version_file_fuzz into fuzz/corpus/<target>/, from the cases of the native tests.
Run from anywhere; the files are committed, this only remakes them."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def u32(v):
    return struct.pack("<I", v & 0xFFFFFFFF)


# Bytes at the end of an input that FuzzedDataProvider hands out, in consumption order:
# (value, byte count) pairs; each value's most significant byte is consumed first.
def fdp_tail(values):
    seq = []
    for value, n in values:
        seq.extend(value.to_bytes(n, "big"))
    return bytes(reversed(seq))


# ---- meter options: kind, flags (bit 0 Win9x, bits 1-2 shape, bits 4-7 value type),
# record length (16 bits), record, setter values.
KIND_SIZES = [20, 20, 20, 32, 24, 20, 20, 20, 20, 20, 28, 16, 1620, 20]


def head(kind, active, tray, timer=1):
    return bytes([2, 0, 0, 0]) + u32(kind) + bytes([active, 0, tray, 0]) + u32(timer)


DEFAULTS = {
    0: head(0, 1, 1) + bytes([1, 0, 70, 0]),
    1: head(1, 1, 0) + bytes([1, 1, 1, 0]),
    3: head(3, 0, 0) + bytes([1, 1, 70, 0]) + u32(0xFFFFFFFF) + bytes(8),
    4: head(4, 0, 0) + bytes([1, 1, 70, 0]) + bytes(4),
    5: head(5, 1, 0) + bytes([3, 0, 0, 0]),
    6: head(6, 1, 0) + bytes([1, 0, 70, 0]),
    10: head(10, 0, 0) + bytes([4]) + bytes(11),
    11: head(11, 1, 0),
    13: head(13, 1, 0) + bytes([1, 0, 0, 0]),
}


def options_seed(kind, record, flags=0, tail=b"\x01\x02\x03\x04\x05\x06\x07"):
    return bytes([kind, flags]) + struct.pack("<H", len(record)) + record + tail


def meter_options_seeds():
    t = "meter_options_fuzz"
    for kind, record in DEFAULTS.items():
        write(t, "default_kind_%d" % kind, options_seed(kind, record))
    net = bytearray(DEFAULTS[3])
    net[8] = 1
    net[25] = 0xAB  # padding
    net[28:32] = u32(8000)
    write(t, "net_stored_padding", options_seed(3, bytes(net)))
    write(t, "net_short", options_seed(3, bytes(net[:-1])))
    write(t, "net_long", options_seed(3, bytes(net) + b"\0"))
    v1 = bytearray(net)
    v1[0] = 1
    write(t, "net_version_1", options_seed(3, bytes(v1)))
    other = bytearray(net)
    other[4] = 4
    write(t, "net_other_kind", options_seed(3, bytes(other)))
    high = bytearray(net)
    high[7] = 1
    write(t, "net_high_kind_byte", options_seed(3, bytes(high)))
    write(t, "net_as_text_value", options_seed(3, bytes(net), flags=0x10))
    ping = bytearray(head(12, 0, 0) + u32(750) + bytes(1600))
    ping[20:29] = b"127.0.0.1"
    ping[100:112] = b"example.test"
    ping[260:271] = b"after-a-gap"
    write(t, "ping_hosts_gap", options_seed(12, bytes(ping), tail=b"\x05" + b"h" * 100 + b"\x01\x02"))
    unterminated = bytearray(ping)
    unterminated[20:100] = b"x" * 80
    write(t, "ping_unterminated_slot", options_seed(12, bytes(unterminated)))
    write(t, "resources_placeholder_nt", options_seed(13, DEFAULTS[13]))
    write(t, "resources_win9x", options_seed(13, DEFAULTS[13], flags=1))
    write(t, "cpu1_placeholder_win9x", options_seed(8, head(8, 0, 1) + bytes([1, 0, 70, 0]), flags=1))
    write(t, "process_fixed_header", options_seed(10, b"\xff" * 28, flags=4))
    write(t, "empty_record", options_seed(11, b""))


# ---- settings: flags (bit 0 Win9x, bit 1 earlier product's key, bit 2 profile, bits
# 3-7 a text limit), then values: name index, type (0 sz, 1 binary, 2 dword, 3-7 others;
# 0x80 upper-cases the name), 16-bit length, data.
NAMES = ["X", "Y", "CX", "CY", "Meter Order", "Booleans", "Remote Computer",
         "Log Files Folder", "Log File Buffer", "Timer Times", "Drive Update Time",
         "UsageMeterUpdateTime", "Column Order", "Column Positions", "Num Drives Displayed",
         "Volume Warning Sound", "Colors", "Volume Count", "Bar Graph Limits",
         "Volume Alert Exe", "Volume Alert Options", "Hot Key", "Text Align"]
NAMES += ["Meter Options %d" % i for i in range(14)]
for _i in range(8):
    for _stem in ["Volume ", "User Name ", "Volume Warning ", "Volume In ToolTip "]:
        NAMES.append(_stem + str(_i))

SZ, BIN, DW = 0, 1, 2


def val(name, typ, data):
    return bytes([NAMES.index(name), typ]) + struct.pack("<H", len(data)) + data


def dword(name, v):
    return val(name, DW, u32(v))


def text(name, s, nul=True):
    return val(name, SZ, s + (b"\0" if nul else b""))


def words(name, ws):
    return val(name, BIN, b"".join(u32(w) for w in ws))


def settings_seeds():
    t = "settings_registry_fuzz"
    order = [11, 5, 0, 8, 9, 1, 2, 7, 6, 3, 4, 10, 12, 13]
    unusual = (dword("X", -40) + dword("Y", 25) + dword("CX", 300) + dword("CY", 400)
               + words("Meter Order", order[::-1]) + dword("Booleans", 0x0400000F)
               + text("Remote Computer", b"\\\\Server7") + text("Log Files Folder", b"D:\\Logs\\")
               + dword("Log File Buffer", 2) + words("Timer Times", [30, 2, 7])
               + words("Column Order", [4, 3, 2, 1, 0]) + words("Column Positions", [4, 3, 2, 1, 0])
               + dword("Num Drives Displayed", 1) + dword("Volume Warning Sound", 1)
               + words("Colors", [0x00FF00, 0xFF, 0xFF00, 0, 0xFFFFFF, 0x808080, 0x10])
               + dword("Volume Count", 2) + text("Volume 0", b"C:\\") + text("User Name 0", b"System")
               + dword("Volume Warning 0", 500) + dword("Volume In ToolTip 0", 1)
               + text("Volume 1", b"\\\\srv\\docs") + dword("Bar Graph Limits", 0x3C50)
               + text("Volume Alert Exe", b"alert.exe") + text("Volume Alert Options", b"%V %F")
               + words("Hot Key", [65, 3]) + dword("Text Align", 2))
    write(t, "unusual_own_key", b"\x00" + unusual)
    write(t, "unusual_imported", b"\x02" + unusual)
    write(t, "unusual_profile_win9x", b"\x05" + unusual)
    write(t, "timer_fallback", b"\x00" + dword("Drive Update Time", 90) + dword("UsageMeterUpdateTime", 3))
    write(t, "timer_zero_and_huge", b"\x00" + words("Timer Times", [0, 0xFFFFFFFF, 86401]))
    write(t, "texts_unterminated", b"\xf8" + text("Volume Alert Exe", b"a.exe", False)
          + val("Volume Alert Options", SZ, b"-q\0junk") + text("Log Files Folder", b"L" * 259, False))
    write(t, "texts_at_the_limit", b"\x00" + dword("Volume Count", 3) + text("Volume 0", b"a" * 259, False)
          + text("Volume 1", b"a" * 258) + text("Volume 2", b"a" * 258 + b"\\")
          + text("Remote Computer", b"a" * 258))
    write(t, "text_align_out_of_range", b"\x00" + dword("Text Align", 3))
    write(t, "volume_without_path", b"\x00" + dword("Volume Count", 3) + text("Volume 0", b"C:\\")
          + text("User Name 1", b"orphan") + dword("Volume Warning 1", 10) + text("Volume 2", b"E:\\")
          + text("User Name 2", b"Media") + dword("Volume In ToolTip 2", 5) + text("Volume 3", b"F:\\"))
    write(t, "volume_count_huge", b"\x00" + dword("Volume Count", 0xFFFFFFFF) + text("Volume 0", b"C:\\")
          + dword("Num Drives Displayed", 0xFFFFFFFF))
    write(t, "wrong_types_and_sizes", b"\x00" + val("Remote Computer", BIN, b"\\\\x\0")
          + val("Booleans", BIN, u32(1)) + val("Hot Key", BIN, u32(66)) + val("Text Align", DW, b"\x01\x00")
          + val("Timer Times", BIN, u32(5) * 4) + val("X", 5, u32(3)) + val("Meter Order", DW, u32(3)))
    write(t, "names_in_capitals", b"\x00" + val("Booleans", DW | 0x80, u32(0xFFFFFFFF))
          + val("Text Align", DW | 0x80, u32(0)))
    write(t, "meter_order_damaged", b"\x00" + words("Meter Order", [13, 13, -1, 99, 5] + list(range(9))))
    net = bytearray(DEFAULTS[3])
    net[25] = 0xAB
    write(t, "meter_options_records", b"\x00" + val("Meter Options 9", BIN, bytes(net))
          + val("Meter Options 0", BIN, DEFAULTS[11]) + val("Meter Options 13", BIN, DEFAULTS[13])
          + val("Meter Options 1", BIN, DEFAULTS[5][:-1]))
    write(t, "position_without_size", b"\x00" + dword("X", 10) + dword("Y", 20) + dword("CX", 30))


# ---- performance data: mode byte 0 counter names, 1 a block with its two indexes.
def multi(entries):
    return b"".join(e + b"\0" for e in entries) + b"\0"


def put32(b, at, v):
    b[at:at + 4] = u32(v)


def build_block(objects):
    """The layout of tests/native/perf_data_builder.h: objects of (name index, id index,
    instances [(name, pid)], no instances)."""
    b = bytearray(88)
    for i, c in enumerate("PERF"):
        b[2 * i:2 * i + 2] = struct.pack("<H", ord(c))
    put32(b, 8, 1)
    put32(b, 24, 88)
    put32(b, 28, len(objects))
    for index, id_index, instances, none in objects:
        start = len(b)
        counters = 2 if id_index else 1
        definition = 64 + counters * 40
        b.extend(bytes(definition))
        put32(b, start + 4, definition)
        put32(b, start + 8, 64)
        put32(b, start + 12, index)
        put32(b, start + 32, counters)
        put32(b, start + 40, 0xFFFFFFFF if none else len(instances))
        for n, (ci, size, offset) in enumerate([(6, 8, 8)] + ([(id_index, 4, 16)] if id_index else [])):
            at = start + 64 + 40 * n
            put32(b, at, 40)
            put32(b, at + 4, ci)
            put32(b, at + 32, size)
            put32(b, at + 36, offset)
        for name, pid in ([] if none else instances):
            at = len(b)
            name_bytes = (len(name) + 1) * 2
            length = 24 + (name_bytes + 7) // 8 * 8
            b.extend(bytes(length))
            put32(b, at, length)
            put32(b, at + 16, 24)
            put32(b, at + 20, name_bytes)
            b[at + 24:at + 24 + 2 * len(name)] = name.encode("utf-16-le")
            cb = len(b)
            b.extend(bytes(24))
            put32(b, cb, 24)
            put32(b, cb + 16, pid)
        if none:
            cb = len(b)
            b.extend(bytes(24))
            put32(b, cb, 24)
        put32(b, start, len(b) - start)
    put32(b, 20, len(b))
    return bytes(b)


def perf_seeds():
    t = "perf_data_fuzz"
    write(t, "names_full", b"\x00" + multi([b"1", b"1847", b"2", b"System", b"230", b"Process",
                                            b"232", b"Thread", b"784", b"ID Process"]))
    write(t, "names_case_and_bad_index", b"\x00" + multi([b"x1", b"process", b"7", b"PROCESS", b"9",
                                                          b"id PROCESS"]))
    write(t, "names_unterminated", b"\x00" + b"230\0Process\0")
    write(t, "names_junk_after_end", b"\x00" + b"1\0System\0\0junk\0\0")
    three = [("idle", 0), ("svchost", 412), ("explorer", 1288), ("_Total", 0)]
    idx = u32(230) + u32(784)
    write(t, "block_three", b"\x01" + idx + build_block([(230, 784, three, False)]))
    write(t, "block_among_others", b"\x01" + idx + build_block(
        [(238, 784, [("cpu0", 1), ("cpu1", 2)], False), (230, 784, three, False)]))
    write(t, "block_no_instances", b"\x01" + idx + build_block([(230, 784, [], True)]))
    write(t, "block_only_total", b"\x01" + idx + build_block([(230, 784, [("_Total", 0)], False)]))
    write(t, "block_no_id_counter", b"\x01" + idx + build_block([(230, 0, three, False)]))
    write(t, "block_names_latin", b"\x01" + idx + build_block(
        [(230, 784, [("\u00e9t\u00e9", 5), ("\u20ac\u4e2d", 6), ("x" * 300, 7)], False)]))
    block = bytearray(build_block([(230, 784, three, False)]))
    write(t, "block_cut", b"\x01" + idx + bytes(block[:-9]))
    lying = bytearray(block)
    put32(lying, 88 + 40, 0x7FFFFFFF)  # instance count
    write(t, "block_huge_instance_count", b"\x01" + idx + bytes(lying))
    lying = bytearray(block)
    put32(lying, 88 + 64 + 40 + 40 + 16, 0xFFFFFFF0)  # first instance's name offset
    write(t, "block_lying_name_offset", b"\x01" + idx + bytes(lying))
    write(t, "built_block", b"\x02" + bytes(range(1, 120)))
    write(t, "tracker_lists", b"\x03" + bytes((i * 37) % 251 for i in range(200)))


# ---- update checker: mode 0 version file, 1 texts, 2 transfer; for 0 and 2: read size,
# failing point (2n^2), repetitions (bit 6 with the largest reads: 300), deadline, version length, body length (16 bits),
# version, body, then further choices.
def body_seed(mode, body, current=b"2.6.0", piece=7, fail=0, repeat=0, deadline=0, tail=b""):
    return (bytes([mode, piece, fail, repeat, deadline, len(current)]) + struct.pack("<H", len(body))
            + current + body + tail)


DIGEST = bytes("0123456789abcdef" * 4, "ascii")


def version_seeds():
    t = "version_file_fuzz"
    full = b"1\n2.7.0\nMarch 3, 2003\nhttp://p/new.html\nhttp://d/x/setup.exe\n"
    write(t, "file_details", body_seed(0, full + b"extra\n"))
    write(t, "file_digest", body_seed(0, full + b"sha256=" + DIGEST.upper() + b"\n"))
    write(t, "file_digest_short", body_seed(0, full + b"sha256=abc\n"))
    write(t, "file_crlf", body_seed(0, b"1\r\n2.7.0\r\nMay\r\nhttp://p\r\nhttp://d/s.exe\r\n", piece=1))
    write(t, "file_same_version_case", body_seed(0, b"1\n2.6.0B\n", current=b"2.6.0b"))
    write(t, "file_not_ours", body_seed(0, b"<html><body>404 Not Found</body></html>"))
    write(t, "file_two_lines", body_seed(0, b"1\n2.7.0\n"))
    write(t, "file_only_marker", body_seed(0, b"1"))
    write(t, "file_cut_by_failure", body_seed(0, full, fail=5))
    write(t, "file_slow_server", body_seed(0, full, piece=1, deadline=5))
    write(t, "file_endless", body_seed(0, b"z" * 3600, piece=0, repeat=0x40))
    write(t, "file_lines_then_endless", body_seed(0, b"1\n" + b"z" * 3600, piece=0, repeat=0x40))
    write(t, "file_overstated_reads", body_seed(0, full, piece=0, repeat=0xC0))
    write(t, "texts_digest_and_versions", b"\x01" + b"sha256=" + DIGEST + b"\\x2.6.0B\\x2.6.0b\\x"
          + bytes(range(64)) + b"\x40\x00\x01\x00\x00\x00")

    def transfer(status200, length_total, max_size, cancel=0, status=200, length=0):
        values = [(7, 1)]
        values.append((1 if status200 else 0, 1))
        if not status200:
            values.append((status, 2))
        values.append((max_size, 3))
        values.append((7, 1))
        values.append((1 if length_total else 0, 1))
        if not length_total:
            values.append((length, 4))
        values.append((cancel, 1))
        return fdp_tail(values)

    pattern = bytes((i * 7 + i // 251) & 0xFF for i in range(1024))
    write(t, "transfer_exact_chunks", body_seed(2, pattern, piece=0, repeat=47, tail=transfer(True, True, 1 << 20)))
    write(t, "transfer_remainder", body_seed(2, bytes(range(256)) * 6, piece=0, tail=transfer(True, True, 1 << 20)))
    write(t, "transfer_chunk_and_more", body_seed(2, pattern[:100], piece=0, repeat=0x40,
                                                  tail=transfer(True, True, 1 << 20)))
    write(t, "transfer_cancel", body_seed(2, pattern, piece=200, repeat=0x3F, tail=transfer(True, True, 1 << 20, cancel=2)))
    write(t, "transfer_not_found", body_seed(2, pattern, tail=transfer(False, True, 1 << 20, status=404)))
    write(t, "transfer_short_body", body_seed(2, pattern, repeat=1, tail=transfer(True, False, 1 << 20, length=4 * 1024 + 5)))
    write(t, "transfer_too_large", body_seed(2, pattern[:10], tail=transfer(True, False, 1 << 20, length=0xFFFFFFFF)))
    write(t, "transfer_failing_reads", body_seed(2, pattern, fail=30, repeat=5, tail=transfer(True, True, 1 << 20)))


meter_options_seeds()
settings_seeds()
perf_seeds()
version_seeds()
