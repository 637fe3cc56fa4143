#!/usr/bin/python3
"""The mail half of the soak run (scripts/soak with BRELLIX_SOAK_MAIL=1).

  mail_soak_driver.py accounts FILE PORT [PORT2]
        writes the plug-in's account file: two accounts (bob on 127.0.0.1:PORT, carol
        on PORT2 or PORT), each checked every minute
  mail_soak_driver.py fill ROOT [EVENTS]
        delivers to both maildirs until each holds as many messages as the driver keeps
        them near, so that memory is measured at that size from the start
  mail_soak_driver.py drive ROOT SECONDS [EVENTS]
        delivers and deletes messages in both maildirs for SECONDS, logging each step,
        and each as a JSON line in EVENTS
  mail_soak_driver.py verify FILE ROOT
        compares the saved account file with the maildirs after a quiet spell
  mail_soak_driver.py announcements SESSIONS NOTICES EVENTS
        compares what the plug-in announced (NOTICES, from brellix_soak_monitor watch)
        with what each of its checks received (SESSIONS, from pop3_tap.py) and with
        what was delivered (EVENTS)

ROOT is the dovecot folder pop3_server.py made. Delivery every 20 s to one of the
two users in turn; every 50 s one message of a user is deleted from the maildir, and
a mailbox past 15 messages loses one at every delivery, so that it stays near that
size. The
verification runs after at least two checks of an unchanged mailbox: every message
on the server must be in the file (none lost) and none may still be new (a message
is new at one check only).
"""
import json
import os
import random
import re
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


def accounts(path, ports):
    out = struct.pack("<i", len(USERS))
    for user, port in zip(USERS, ports):
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


class Events:
    def __init__(self, path):
        self.file = open(path, "a") if path else None

    def add(self, event, user, subject_text):
        if self.file:
            self.file.write(json.dumps({"t": time.time(), "event": event, "user": user,
                                        "subject": subject_text}) + "\n")
            self.file.flush()


def remove(path, user, events):
    gone = subject(open(path, "rb").read().decode("cp1252"))
    os.remove(path)
    events.add("deleted", user, gone)


def fill(root, events_path=None):
    events = Events(events_path)
    for user in USERS:
        serial = 0
        while len(maildir_files(root, user)) < MAILBOX_CAP:
            serial += 1
            deliver(root, user, f"{user}-{serial}")
            events.add("delivered", user, f"soak {user}-{serial}")
        print(f"{user}: {len(maildir_files(root, user))} messages", flush=True)


def drive(root, seconds, events_path=None):
    events = Events(events_path)
    rng = random.Random(1)
    start = time.time()
    serial = 0
    next_delete = start + 50
    while time.time() - start < seconds:
        serial += 1
        user = USERS[serial % len(USERS)]
        deliver(root, user, serial)
        events.add("delivered", user, f"soak {serial}")
        print(f"{time.time() - start:7.1f} s: delivered 'soak {serial}' to {user}", flush=True)
        # A mailbox that keeps growing would make the plug-in's memory grow with it:
        # past its cap, every delivery is matched by a deletion.
        files = maildir_files(root, user)
        if len(files) > MAILBOX_CAP:
            gone = files[rng.randrange(len(files))]
            remove(gone, user, events)
            print(f"{time.time() - start:7.1f} s: deleted {os.path.basename(gone)} of {user}",
                  flush=True)
        if time.time() >= next_delete:
            victim = USERS[rng.randrange(len(USERS))]
            files = maildir_files(root, victim)
            if files:
                gone = files[rng.randrange(len(files))]
                remove(gone, victim, events)
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


def json_lines(path):
    with open(path) as f:
        return [json.loads(line) for line in f if line.strip()]


def announcements(sessions_path, notices_path, events_path):
    """A check announces when it received a message that the check before it had not, and
    only then, so that each message is announced once; the notice counts the messages
    in the account's list after the check, all of them. A message that stayed on the
    server through a whole check is received by it (not lost)."""
    sessions = json_lines(sessions_path)
    events = json_lines(events_path)
    notices = []
    for line in open(notices_path):
        m = re.match(r"t=(\S+) text=(\d+) new message\(s\) in your Soak (\w+) account", line)
        if m:
            notices.append((float(m.group(1)), m.group(3), int(m.group(2))))
    ok = True
    for user in USERS:
        checks = sorted((s for s in sessions if s["user"] == user), key=lambda s: s["start"])
        # A check that ended before QUIT changes nothing. Within a check, a message whose
        # header could not be fetched (deleted meanwhile) is kept only if it was known.
        finished = [s for s in checks if s["quit"] and s["count"] is not None]
        complete = [s for s in finished if s["complete"]]
        expected, known = [], set()
        for s in finished:
            fetched = {uid for uid, subj in s["messages"] if uid is not None and subj is not None}
            failed = {uid for uid, subj in s["messages"] if uid is not None and subj is None}
            listed = fetched | (failed & known)
            if fetched - known:
                expected.append(len(listed))
            known = listed
        announced = [n for _, who, n in notices if who == user]
        # Lifetimes of the delivered messages: on the server from delivery to deletion.
        born = {e["subject"]: e["t"] for e in events if e["user"] == user and e["event"] == "delivered"}
        died = {e["subject"]: e["t"] for e in events if e["user"] == user and e["event"] == "deleted"}
        lost = []
        for subject_text, t0 in born.items():
            t1 = died.get(subject_text, float("inf"))
            for s in complete:
                if s["start"] > t0 + 0.5 and s["end"] < t1 - 0.5:
                    if subject_text not in {subj for _, subj in s["messages"]}:
                        lost.append(subject_text)
                    break
        seen = {subj for s in complete for _, subj in s["messages"]}
        print(f"{user}: {len(checks)} checks ({len(finished) - len(complete)} with a message "
              f"gone meanwhile, {len(checks) - len(finished)} unfinished), "
              f"{len(born)} delivered, {len(seen)} received, {len(announced)} announcements "
              f"({len(expected)} expected), lost {lost or 'none'}")
        if announced != expected:
            print(f"  announced {announced}")
            print(f"  expected  {expected}")
            ok = False
        if lost or len(finished) < len(checks) or not complete:
            ok = False
    print("announcements: " + ("passed" if ok else "FAILED"))
    return 0 if ok else 1


def main():
    if len(sys.argv) in (4, 5) and sys.argv[1] == "accounts":
        accounts(sys.argv[2], [sys.argv[3], sys.argv[-1]])
        return 0
    if len(sys.argv) in (3, 4) and sys.argv[1] == "fill":
        fill(sys.argv[2], sys.argv[3] if len(sys.argv) == 4 else None)
        return 0
    if len(sys.argv) in (4, 5) and sys.argv[1] == "drive":
        drive(sys.argv[2], int(sys.argv[3]), sys.argv[4] if len(sys.argv) == 5 else None)
        return 0
    if len(sys.argv) == 5 and sys.argv[1] == "announcements":
        return announcements(sys.argv[2], sys.argv[3], sys.argv[4])
    if len(sys.argv) == 4 and sys.argv[1] == "verify":
        return verify(sys.argv[2], sys.argv[3])
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main())
