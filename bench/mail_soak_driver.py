#!/usr/bin/python3
"""The mail half of the soak run (scripts/soak with BRELLIX_SOAK_MAIL=1).

  mail_soak_driver.py accounts FILE PORT      writes the plug-in's account file: two
                                              accounts on 127.0.0.1:PORT (bob, carol),
                                              each checked every minute
  mail_soak_driver.py drive ROOT SECONDS      delivers and deletes messages in both
                                              maildirs for SECONDS, logging each step
  mail_soak_driver.py verify FILE ROOT        compares the saved account file with the
                                              maildirs after a quiet spell

ROOT is the dovecot folder pop3_server.py made. Delivery every 20 s to one of the
two users in turn; every 50 s one message of a user is deleted from the maildir, and
a mailbox past 15 messages loses one at every delivery, so that it stays near that
size. The
verification runs after at least two checks of an unchanged mailbox: every message
on the server must be in the file (none lost) and none may still be new (a message
is new at one check only).
"""
import os
import random
import struct
import sys
import time

USERS = ("bob", "carol")
MAILBOX_CAP = 15


def counted(text):
    data = text.encode("cp1252")
    n = len(data)
    if n < 255:
        return bytes([n]) + data
    if n <= 65533:
        return b"\xff" + struct.pack("<H", n) + data
    return b"\xff" + struct.pack("<HI", 65535, n) + data


def accounts(path, port):
    out = struct.pack("<i", len(USERS))
    for user in USERS:
        out += struct.pack("<i", 1)
        out += counted("Soak " + user) + counted("127.0.0.1")
        out += struct.pack("<ii", int(port), 1)
        out += counted(user) + counted("secret")
        out += struct.pack("<I", 0)
        out += counted("") + counted("")
        out += b"".join(counted("") for _ in range(6))
        out += struct.pack("<i", 0)
    with open(path, "wb") as f:
        f.write(out)


class Reader:
    def __init__(self, data):
        self.data, self.at = data, 0

    def take(self, n):
        if self.at + n > len(self.data):
            raise ValueError("short file")
        chunk = self.data[self.at:self.at + n]
        self.at += n
        return chunk

    def int32(self):
        return struct.unpack("<i", self.take(4))[0]

    def text(self):
        n = self.take(1)[0]
        if n == 255:
            n = struct.unpack("<H", self.take(2))[0]
            if n == 65535:
                n = struct.unpack("<I", self.take(4))[0]
        return self.take(n).decode("cp1252")


def read_accounts(path):
    r = Reader(open(path, "rb").read())
    result = {}
    for _ in range(r.int32()):
        r.int32()
        name, _server = r.text(), r.text()
        r.int32(), r.int32()
        user, _password = r.text(), r.text()
        r.take(4)
        for _ in range(8):
            r.text()
        messages = []
        for _ in range(r.int32()):
            raw, uid = r.text(), r.text()
            r.int32()
            messages.append((subject(raw), uid, r.int32()))
        result[user] = messages
    if r.at != len(r.data):
        raise ValueError("bytes after the last account")
    return result


def subject(raw):
    for line in raw.split("\r\n"):
        if line == "":
            break
        if line.lower().startswith("subject:"):
            return line[8:].strip()
    return ""


def maildir_files(root, user):
    base = os.path.join(root, "mail", user, "Maildir")
    return [os.path.join(base, sub, name) for sub in ("new", "cur")
            for name in sorted(os.listdir(os.path.join(base, sub)))]


def maildir_subjects(root, user):
    return sorted(subject(open(f, "rb").read().decode("cp1252")) for f in maildir_files(root, user))


def deliver(root, user, serial):
    base = os.path.join(root, "mail", user, "Maildir")
    name = f"{int(time.time())}.M{serial}P{os.getpid()}.soak"
    text = (f"From: soak@example.org\r\nTo: {user}@example.org\r\n"
            f"Subject: soak {serial}\r\n\r\nMessage {serial} of the soak run.\r\n")
    tmp = os.path.join(base, "tmp", name)
    with open(tmp, "wb") as f:
        f.write(text.encode("ascii"))
    os.rename(tmp, os.path.join(base, "new", name))


def drive(root, seconds):
    rng = random.Random(1)
    start = time.time()
    serial = 0
    next_delete = start + 50
    while time.time() - start < seconds:
        serial += 1
        user = USERS[serial % len(USERS)]
        deliver(root, user, serial)
        print(f"{time.time() - start:7.1f} s: delivered 'soak {serial}' to {user}", flush=True)
        # A mailbox that keeps growing would make the plug-in's memory grow with it:
        # past its cap, every delivery is matched by a deletion.
        files = maildir_files(root, user)
        if len(files) > MAILBOX_CAP:
            gone = files[rng.randrange(len(files))]
            os.remove(gone)
            print(f"{time.time() - start:7.1f} s: deleted {os.path.basename(gone)} of {user}",
                  flush=True)
        if time.time() >= next_delete:
            victim = USERS[rng.randrange(len(USERS))]
            files = maildir_files(root, victim)
            if files:
                gone = files[rng.randrange(len(files))]
                os.remove(gone)
                print(f"{time.time() - start:7.1f} s: deleted {os.path.basename(gone)} of {victim}",
                      flush=True)
            next_delete += 50
        time.sleep(20)
    print(f"delivered {serial} messages", flush=True)


def verify(path, root):
    saved = read_accounts(path)
    ok = True
    for user in USERS:
        listed = saved.get(user, [])
        on_server = maildir_subjects(root, user)
        in_file = sorted(s for s, _, _ in listed)
        ids = [uid for _, uid, _ in listed]
        still_new = [s for s, _, new in listed if new]
        lost = sorted(set(on_server) - set(in_file))
        extra = sorted(set(in_file) - set(on_server))
        print(f"{user}: {len(on_server)} on the server, {len(listed)} in the account file, "
              f"{len(set(ids))} distinct ids, lost {lost or 'none'}, "
              f"not on the server {extra or 'none'}, still new {still_new or 'none'}")
        if lost or extra or still_new or len(set(ids)) != len(ids):
            ok = False
    print("verify: " + ("passed" if ok else "FAILED"))
    return 0 if ok else 1


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "accounts":
        accounts(sys.argv[2], sys.argv[3])
        return 0
    if len(sys.argv) == 4 and sys.argv[1] == "drive":
        drive(sys.argv[2], int(sys.argv[3]))
        return 0
    if len(sys.argv) == 4 and sys.argv[1] == "verify":
        return verify(sys.argv[2], sys.argv[3])
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main())
