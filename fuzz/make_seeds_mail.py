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
    write(t, "top_of_a_huge_listed_size", "t1\n" + LOGIN + "+OK 1 1\r\n+OK\r\n1 2147483647\r\n"
          ".\r\n+OK\r\nshort\r\n.\r\n")
    write(t, "peer_leaves_mid_reply", "SL\n" + LOGIN + "+OK 1 5\r\n+OK\r\n1 5\r\n")


# --- SMTP sessions ---------------------------------------------------------------

GOOD = "220 sink ready\r\n250 hello\r\n250 ok\r\n250 ok\r\n354 go ahead\r\n250 queued\r\n" \
       "221 bye\r\n"


def smtp_seeds():
    t = "smtp_reply_fuzz"
    write(t, "one_recipient_delivered", "1|Subject: hi\r\n\r\nHello\n" + GOOD)
    write(t, "two_recipients_delivered", "2|.\nsecond\n" + GOOD + GOOD)
    write(t, "two_recipients_in_pieces", "2|x#\x01\x05\x02\n" + GOOD + GOOD)
    refused = GOOD.replace("250 ok\r\n354", "550 no such user\r\n221", 1)
    write(t, "rejected_recipient_then_next", "2|text\n" + refused.split("221 bye")[0] + "221 bye\r\n"
          + GOOD)
    for verb, bad in [("helo", "451 later\r\n"), ("mail", "451 later\r\n"),
                      ("data_with_2xx", "250 fine\r\n")]:
        lines = GOOD.split("\r\n")
        index = {"helo": 1, "mail": 2, "data_with_2xx": 4}[verb]
        lines[index] = bad[:-2]
        write(t, "refused_" + verb, "1|t\n" + "\r\n".join(lines))
    write(t, "text_refused_multiline", "1|t\n" + GOOD.replace("250 queued\r\n",
          "554-content\r\n554 rejected\r\n"))
    write(t, "greeting_refused", "2|t\n554 not today\r\n221 bye\r\n")
    write(t, "silent_after_mail", "2|t\n220 hi\r\n250 hello\r\n")
    write(t, "server_closes", "1x|t\n220 hi\r\n250 hello\r\n250 o")
    write(t, "no_sender", "2e|t\n" + GOOD + GOOD)
    write(t, "overlong_reply_line", "1|t\n220 hi\r\n250-" + "x" * 4100 + "\r\n250 ok\r\n")
    write(t, "garbled_reply", "1|t\n220 hi\r\nhello there\r\n")
    write(t, "many_continuation_lines", "1|t\n220 hi\r\n" + "250-x\r\n" * 70 + "250 ok\r\n")
    write(t, "bare_code_lines", "1|t\n220\r\n250\r\n250\r\n250\r\n354\r\n250\r\n221\r\n")
    write(t, "dots_and_bare_line_ends", "1|.a\r.\r..c\n" + GOOD)
    write(t, "server_setting_with_port", "127.0.0.2:2525\n" + GOOD)
    write(t, "server_setting_bad_port", "host:99999999999\n" + GOOD)


# --- messages --------------------------------------------------------------------

ALTERNATIVE = ("From: Ann <ann@example.com>\r\nTo: bob@example.com\r\nSubject: Both\r\n"
               "MIME-Version: 1.0\r\nContent-Type: multipart/alternative; boundary=\"alt\"\r\n"
               "\r\npreamble\r\n--alt\r\nContent-Type: text/plain; charset=ISO-8859-1\r\n"
               "Content-Transfer-Encoding: quoted-printable\r\n\r\n"
               "Gr=FC=DFe, a long line that goes=\r\n on.\r\n--alt\r\n"
               "Content-Type: text/html; charset=UTF-8\r\nContent-Transfer-Encoding: base64\r\n"
               "\r\nPHA+R3LDvMOfZTwvcD4=\r\n--alt--\r\n")

ATTACHMENTS = ("Subject: files\r\nContent-Type: multipart/mixed; boundary=\"=_b\"\r\n\r\n"
               "--=_b\r\nContent-Type: text/html\r\n\r\n<img src=\"cid:Pic1@Example\"> 3D=20view\r\n"
               "--=_b\r\nContent-Type: application/pdf\r\n"
               "Content-Disposition: attachment; filename=\"..\\\\..\\\\report.pdf\"\r\n"
               "Content-Transfer-Encoding: base64\r\n\r\nAAECAwQFBgcICQoLDA0ODyVQREYtMS40\r\n"
               "--=_b\r\nContent-Type: text/plain; name=\"notes.txt\"\r\n\r\ntext parts\r\n"
               "--=_b\r\nContent-Type: image/png; name=\"CON.png\"\r\nContent-ID: <pic1@example>\r\n"
               "Content-Transfer-Encoding: quoted-printable\r\n\r\n=89PNG\r\n"
               "--=_b\r\nContent-Type: audio/x-wav\r\n\r\nRIFF\r\n--=_b--\r\n")


def nested(levels, close=True):
    head, tail = "Subject: deep\r\n", ""
    for i in range(levels):
        b = "b%d" % i
        head += "Content-Type: multipart/mixed; boundary=\"%s\"\r\n\r\n--%s\r\n" % (b, b)
        if close:
            tail = "\r\n--%s--\r\n" % b + tail
    return head + "Content-Type: text/plain\r\n\r\ninnermost text" + tail


def message_seeds():
    t = "mail_message_fuzz"
    write(t, "plain.eml", "Subject: x\r\n\r\nbody")
    write(t, "encoded_headers.eml", "From: =?UTF-8?Q?Zo=C3=AB?= <zoe@example.com>\r\n"
          "To: a@example.com, \"B, Bee\" <b@example.com>\r\n"
          "Subject: =?ISO-8859-1?Q?=C0_bient=F4t?=\r\nDate: Tue, 1 Oct 2024 10:00:00 +0200\r\n"
          "\r\nHi\r\n")
    write(t, "reply_to_list.eml", "From: ann@example.com\r\n"
          "Reply-To: \"Smith, Jane\" <jane@example.com>, desk@example.com,\r\n"
          "  \"Doe; John\" <john@example.com>\r\n\r\n")
    write(t, "return_path_only.eml", "Return-Path: <r@example.com>\r\n\r\n")
    write(t, "quoted_printable.eml", "Content-Type: text/plain; charset=iso-8859-1\r\n"
          "Content-Transfer-Encoding: quoted-printable\r\n\r\ncaf=E9 =3D soft=\r\nbreak\r\n")
    write(t, "base64_utf8.eml", "Content-Type: text/plain; charset=\"utf-8\"\r\n"
          "Content-Transfer-Encoding: BASE64\r\n\r\n"
          "Wm/DqyBzYXlzIGhlbGxvLg0KTGluZSB0d28g4oCTIGRhc2guDQo=\r\n")
    write(t, "unknown_encoding.eml", "Content-Transfer-Encoding: x-rot13\r\n\r\nuryyb")
    write(t, "alternative.eml", ALTERNATIVE)
    write(t, "one_level_in.eml", "Content-Type: multipart/mixed; boundary=outer\r\n\r\n"
          "--outer\r\nContent-Type: multipart/alternative; boundary=inner\r\n\r\n"
          "--inner\r\nContent-Type: text/plain\r\n\r\nplain text\r\n"
          "--inner\r\nContent-Type: text/html\r\n\r\n<b>html</b>\r\n--inner--\r\n--outer--\r\n")
    write(t, "attachments.eml", ATTACHMENTS)
    write(t, "same_names.eml", "Content-Type: multipart/mixed; boundary=b\r\n\r\n"
          "--b\r\nContent-Type: image/gif; name=\"x.gif\"\r\n\r\n1\r\n"
          "--b\r\nContent-Type: image/gif; name=\"X.gif\"\r\n\r\n2\r\n--b--\r\n")
    write(t, "accented_names.eml", "Content-Type: multipart/mixed; boundary=b\r\n\r\n"
          "--b\r\nContent-Type: image/gif; name=\"\xe9t\xe9.gif\"\r\n\r\n1\r\n"
          "--b\r\nContent-Type: image/gif; name=\"\xc9T\xc9.gif\"\r\n\r\n2\r\n--b--\r\n")
    write(t, "whole_message_attachment.eml", "Content-Type: application/octet-stream; "
          "name=\"data.bin\"\r\nContent-Transfer-Encoding: base64\r\n\r\nAAEC\r\n")
    write(t, "charsets.eml", "From: =?KOI8-R?Q?=F0=D2=C9?= <ivan@example.ru>\r\n"
          "Subject: =?ISO-8859-15?Q?Preis_5_=A4?=\r\nContent-Type: multipart/mixed; boundary=mix\r\n"
          "\r\n--mix\r\nContent-Type: multipart/alternative; boundary=alt\r\n\r\n--alt\r\n"
          "Content-Type: text/plain; charset=iso-8859-15\r\n"
          "Content-Transfer-Encoding: quoted-printable\r\n\r\n5 =A4 f=FCr dich\r\n--alt\r\n"
          "Content-Type: text/html; charset=iso-8859-2\r\n\r\n<p>\xe9\xb1</p>\r\n--alt--\r\n"
          "--mix\r\nContent-Type: application/zip; name=\"a.zip\"\r\n"
          "Content-Transfer-Encoding: base64\r\n\r\nUEsDBA==\r\n--mix--\r\n")
    write(t, "nested_7.eml", nested(7))
    write(t, "nested_7_unclosed.eml", nested(7, False))
    write(t, "nested_51.eml", nested(51))
    bare = "Subject: deep\r\n" + "Content-Type: multipart/mixed; boundary=x\r\n\r\n" * 9
    write(t, "nested_without_delimiters.eml", bare + "Content-Type: text/plain\r\n\r\nend")
    write(t, "no_boundary_named.eml", "Content-Type: multipart/mixed\r\n\r\n--guess\r\n"
          "Content-Type: multipart/mixed\r\n\r\n--inner\r\n\r\nx\r\n--inner--\r\n--guess--\r\n")
    levels = "Content-Type: multipart/mixed\r\n\r\n" * 3 + "Content-Type: text/plain\r\n\r\nx\r\n"
    write(t, "guessed_boundary_8bit.eml", levels + "--\xa9b\r\nafter\r\n")
    write(t, "guessed_boundary_ascii.eml", levels + "--b\xa9\r\nafter\r\n")
    write(t, "hostile_names.eml", "Content-Type: multipart/mixed; boundary=b\r\n\r\n"
          "--b\r\nContent-Type: application/x; name=\"C:autoexec.bat\"\r\n\r\n1\r\n"
          "--b\r\nContent-Type: application/x\r\nContent-Disposition: attachment; "
          "filename=\"notes.txt::$DATA\"\r\n\r\n2\r\n"
          "--b\r\nContent-Type: application/x; name=\"nul.txt\"\r\n\r\n3\r\n"
          "--b\r\nContent-Type: application/x; name=\" . .\"\r\n\r\n4\r\n--b--\r\n")
    write(t, "long_device_name_line", "CON." + "x" * 250 + "\n")
    write(t, "long_device_name.eml", "Content-Type: application/x; name=\"CON." + "x" * 250 +
          "\"\r\n\r\n1\r\n")


# --- texts of a message ----------------------------------------------------------

def text_seeds():
    t = "message_texts_fuzz"
    write(t, "ascii.txt", "Hello\r\nworld\n")
    write(t, "latin1.txt", "caf\xe9 \x80 \x8a\x9f \xff")
    write(t, "utf8.txt", "Zo\xc3\xab says hello \xe2\x80\x93 dash")
    write(t, "malformed_utf8.txt", "\xc3\x28 \xe2\x82 \xf0\x9f\x98\x80 \xed\xa0\x80")
    write(t, "base64.txt", "Wm/DqyBzYXlzIGhlbGxvLg0KTGluZSB0d28g4oCTIGRhc2guDQo=\r\n")
    write(t, "quoted_printable.txt", "caf=E9 =3D soft=\r\nbreak =\r\n=ZZ =4\r\n")
    write(t, "line_breaks.txt", "a\rb\nc\r\nd\r\r\ne\n\r")
    write(t, "html.html", "<html><head><title>t</title><style>p{}</style></head><body>"
          "<p>One&nbsp;&amp;&lt;two&gt;</p><br><table><tr><td>x</td></tr></table>"
          "<script>alert(1)</script><img src=\"cid:Pic1@Example\"> 3D=20view=\r\n</body>")
    write(t, "unclosed_tags.html", "<p<br <script>never closed &amp &#65; &#x41;")


def main():
    account_seeds()
    pop3_seeds()
    smtp_seeds()
    message_seeds()
    text_seeds()


if __name__ == "__main__":
    main()
