#!/usr/bin/env python3
"""Writes the seed inputs of the mail plug-in's fuzz targets into fuzz/corpus/<target>/.

The seeds are the native tests' own cases in the form each target reads: account
files built field by field, POP3 sessions (script line, then the server's bytes), raw
messages, and SMTP sessions. Run it from anywhere; it rewrites only these folders.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("latin-1")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# --- account files ---------------------------------------------------------------

def counted(text, form=None):
    n = len(text)
    if form is None:
        form = 1 if n < 255 else 3 if n < 65534 else 7
    if form == 1:
        return bytes([n]) + text
    if form == 3:
        return b"\xff" + struct.pack("<H", n) + text
    return b"\xff\xff\xff" + struct.pack("<I", n) + text


def account(name=b"home", messages=(), version=1, count=None, reserved5=b"last"):
    out = struct.pack("<i", version)
    out += counted(name) + counted(b"127.0.0.1")
    out += struct.pack("<ii", 1110, 15)
    out += counted(b"alice") + counted(b"p\0w\xff")
    out += struct.pack("<I", 0xFEDCBA98)
    out += counted(b"Alice") + counted(b"alice@example.org")
    out += b"".join(counted(b"") for _ in range(5)) + counted(reserved5)
    out += struct.pack("<i", len(messages) if count is None else count)
    for uid, is_new, raw in messages:
        out += counted(raw) + counted(uid) + struct.pack("<ii", 7, is_new)
    return out


def account_file(accounts, count=None):
    return struct.pack("<i", len(accounts) if count is None else count) + b"".join(accounts)


def account_seeds():
    t = "account_file_fuzz"
    msgs = [(b"uid%d" % i, i % 2, b"Subject: %d\r\n\r\nbody\r\n" % i) for i in range(3)]
    write(t, "empty_list", account_file([]))
    write(t, "one_account_no_messages", account_file([account()]))
    write(t, "one_account_three_messages", account_file([account(messages=msgs)]))
    write(t, "two_accounts", account_file([account(b"home", msgs[:1]), account(b"work")]))
    long_text = b"x" * 300
    write(t, "medium_length_string", account_file([account(messages=[(b"u", 1, long_text)])]))
    # Lengths written in a longer form than needed: legal to read, rewritten shortest.
    odd = struct.pack("<i", 1) + account().replace(counted(b"home"), counted(b"home", 3), 1)
    write(t, "long_form_for_short_name", odd)
    seven = struct.pack("<i", 1) + account().replace(counted(b"home"), counted(b"home", 7), 1)
    write(t, "seven_byte_form_for_short_name", seven)
    full = account_file([account(messages=msgs), account(b"work")])
    write(t, "cut_in_second_account", full[: len(full) - 9])
    write(t, "trailing_byte", full + b"\0")
    write(t, "wrong_version", account_file([account(version=2)]))
    write(t, "huge_account_count", account_file([account()], count=0x7FFFFFFF))
    write(t, "negative_account_count", account_file([account()], count=-1))
    write(t, "huge_message_count", account_file([account(count=0x7FFFFFFF)]))
    write(t, "length_past_end", struct.pack("<ii", 1, 1) + b"\xff\xff\xff\xff\xff\xff\x7f")


# --- POP3 sessions ---------------------------------------------------------------

LOGIN = "+OK ready\r\n+OK\r\n+OK logged in\r\n"


def pop3_seeds():
    t = "pop3_replies_fuzz"
    write(t, "login_quit", "Q\n" + LOGIN + "+OK bye\r\n")
    write(t, "wrong_password", "S\n+OK ready\r\n+OK\r\n-ERR [AUTH] Authentication failed.\r\n"
          "+OK bye\r\n")
    write(t, "replies_together_in_one_piece", "S#\n+OK hi\r\n+OK user\r\n-ERR pass\r\n")
    write(t, "stat_values", "SSS\n" + LOGIN + "+OK 0 0\r\n+OK 2147483647 99\r\n+OK 2147483648 1\r\n")
    write(t, "stat_malformed", "SSSSS\n" + LOGIN + "+OK\r\n+OK 3\r\n+ok 1 2\r\n+OK x 1\r\n"
          "-ERR 1 2\r\n")
    mailbox = "+OK 3 600\r\n+OK 3 messages\r\n2 200\r\n1 100\r\n3 300\r\n.\r\n"
    write(t, "list_sizes_in_slots", "z1z3z4z0\n" + LOGIN + mailbox)
    for name, listing in [("list_short", "1 100\r\n2 200\r\n"),
                          ("list_number_twice", "1 100\r\n1 200\r\n3 300\r\n"),
                          ("list_out_of_range", "1 100\r\n2 200\r\n9 300\r\n"),
                          ("list_no_size", "1 100\r\n2\r\n3 300\r\n")]:
        write(t, name, "L\n" + LOGIN + "+OK 3 600\r\n+OK\r\n" + listing + ".\r\n")
    write(t, "huge_stat_count", "LU\n" + LOGIN + "+OK 2147483647 1\r\n+OK\r\n1 100\r\n.\r\n"
          "+OK\r\n1 a\r\n.\r\n")
    write(t, "uidl_ids", "f2u3u4\n" + LOGIN + "+OK 3 600\r\n+OK\r\n1 aaa\r\n2 bbb\r\n3 ccc\r\n.\r\n")
    write(t, "uidl_long_id", "u1\n" + LOGIN + "+OK 1 1\r\n+OK\r\n1 " + "u" * 71 + "\r\n.\r\n")
    body = "..x\r\n.y\r\nz\0w\r\n"
    write(t, "top_unstuffs_dots", "T1\n" + LOGIN + "+OK 1 20\r\n+OK\r\n1 20\r\n.\r\n+OK\r\n" + body
          + ".\r\n")
    write(t, "top_in_one_byte_pieces", "t1#\x01\n" + LOGIN + "+OK 1 5\r\n+OK\r\n1 5\r\n.\r\n"
          "+OK\r\nabc\r\n.\r\n")
    write(t, "top_in_odd_pieces", "t1#\x03\x07\x02\n" + LOGIN + "+OK 1 5\r\n+OK\r\n1 5\r\n.\r\n"
          "+OK\r\nabc\r\n.\r\n")
    write(t, "top_refused", "t1t1\n" + LOGIN + "+OK 1 5\r\n+OK\r\n1 5\r\n.\r\n"
          "-ERR no such message\r\n+OK\r\n.\r\n")
    write(t, "delete_then_quit", "D3D2Q\n" + LOGIN + "+OK 2 300\r\n+OK\r\n1 100\r\n2 200\r\n.\r\n"
          "+OK deleted\r\n+OK bye\r\n")
    write(t, "quit_and_login_again", "z1QGz1\n" + LOGIN + "+OK 1 100\r\n+OK\r\n1 100\r\n.\r\n"
          "+OK bye\r\n" + LOGIN + "+OK 1 100\r\n+OK\r\n1 7\r\n.\r\n")
    write(t, "bytes_after_listing_wait", "Lu1\n" + LOGIN + "+OK 1 5\r\n"
          "+OK\r\n1 5\r\n.\r\n+OK\r\n1 abc\r\n.\r\n")
    check = ("C\n" + LOGIN + "+OK 3 30\r\n+OK\r\n1 a\r\n2 b\r\n3 c\r\n.\r\n"
             "+OK\r\n1 10\r\n2 10\r\n3 10\r\n.\r\n"
             "+OK\r\nmessage 1\r\n.\r\n-ERR gone\r\n+OK\r\n.dot\r\n.\r\n")
    write(t, "check_mailbox", check)
    write(t, "check_mailbox_in_pieces", check.replace("C\n", "C#\x05\x01\x0b\n", 1))
    write(t, "endless_status_line", "S\n" + LOGIN + "A" * 5000)
    write(t, "listing_beyond_its_bound", "L\n" + LOGIN + "+OK 0 0\r\n+OK\r\n" +
          "x" * 3000 + "\r\n.\r\n")
    # Sessions that once went wrong: a status line with a bare LF in it, a second STAT
    # with more messages than the listings read, a login over an open connection, and
    # a made-up count with no ids to be had.
    write(t, "status_line_with_bare_lf", "z1t1\n" + LOGIN + "+OK 1 20\r\n+OK 1\n1 999\r\n"
          "1 5\r\n.\r\n+OK\r'\n..x\r\n.y\r\n.\r\n")
    write(t, "stat_grows_after_listing", "z1Sz2\n" + LOGIN + "+OK 1 5\r\n+OK\r\n1 5\r\n.\r\n"
          "+OK 2 10\r\n+OK\r\n1 5\r\n2 5\r\n.\r\n")
    write(t, "login_over_open_connection", "z1Gz1#\x01\n" + LOGIN + "+OK 1 5\r\n+OK\r\n1 5\r\n"
          ".\r\n" + LOGIN + "+OK 1 7\r\n+OK\r\n1 7\r\n.\r\n")
    write(t, "check_huge_count_without_ids", "C\n" + LOGIN + "+OK 2147483647 0\r\n-ERR\r\n")
    write(t, "peer_leaves_mid_reply", "SL\n" + LOGIN + "+OK 1 5\r\n+OK\r\n1 5\r\n")


def main():
    account_seeds()
    pop3_seeds()


if __name__ == "__main__":
    main()
