#!/usr/bin/python3
"""Loopback POP3 server (dovecot) for the mail plug-in's tests and benchmarks.

  pop3_server.py start WORKDIR [--messages N] [--size BYTES] [--big MB]
  pop3_server.py stop WORKDIR

start writes a dovecot configuration into a fresh folder under /tmp (dovecot's own
login users must be able to read it, which rules out a home folder such as /root),
creates three users with plain-text passwords, fills their maildirs with CRLF
messages and starts dovecot on 127.0.0.1 at a free port. It leaves in WORKDIR:
  port       the server's port
  down_port  a loopback port nobody listens on
  root       the server's folder (configuration, mail, logs, master pid)
  expected   what Python's poplib sees as alice: "count total", then one line per
             message "number size uid" and the message's TOP text as a file
             expected.N (CRLF lines, dot-unstuffed)
Users: alice (password "secret", 4 messages, read-only for the tests), bob (same
password, 3 messages, for deletions), carol (N messages of BYTES for benchmarks,
plus an optional big message of --big megabytes).
stop ends the dovecot master by its pid and removes the server's folder.
"""
import argparse
import grp
import os
import poplib
import pwd
import shutil
import socket
import subprocess
import sys
import tempfile
import time

PASSWORD = "secret"


def free_port():
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    port = s.getsockname()[1]
    s.close()
    return port


def message_text(n, body_bytes, tag):
    head = (f"From: Sender {n} <sender{n}@example.org>\r\n"
            f"To: {tag}@example.org\r\n"
            f"Subject: Test message {n} for {tag}\r\n"
            f"Message-ID: <{tag}.{n}@example.org>\r\n"
            "\r\n")
    lines = [f"Line {i} of message {n}." for i in range(3)]
    # A line that starts with a dot makes the server stuff it on the wire.
    lines.append(".hidden dot line")
    lines.append("..two dots")
    body = "\r\n".join(lines) + "\r\n"
    filler = "0123456789abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ !?\r\n"
    while len(head) + len(body) < body_bytes:
        body += filler
    return (head + body).encode("ascii")


def big_message(megabytes):
    head = ("From: big@example.org\r\nTo: carol@example.org\r\nSubject: Big\r\n\r\n")
    line = ("x" * 76 + "\r\n").encode("ascii")
    count = megabytes * 1024 * 1024 // len(line)
    return head.encode("ascii") + line * count


def fill(maildir, messages):
    for sub in ("new", "cur", "tmp"):
        os.makedirs(os.path.join(maildir, sub), exist_ok=True)
    for i, data in enumerate(messages, start=1):
        # Names sort in delivery order, so message numbers follow the list.
        name = f"{1000000000 + i}.M{i}P1.brellixtest"
        with open(os.path.join(maildir, "new", name), "wb") as f:
            f.write(data)


def write_config(root, port, mail_user):
    me = pwd.getpwuid(os.getuid())
    lines = [
        f"base_dir = {root}/run",
        f"state_dir = {root}/state",
        f"log_path = {root}/dovecot.log",
        f"info_log_path = {root}/dovecot.log",
        "protocols = pop3",
        "listen = 127.0.0.1",
        "ssl = no",
        "disable_plaintext_auth = no",
        "auth_mechanisms = plain",
        f"mail_location = maildir:{root}/mail/%u/Maildir",
        "pop3_uidl_format = %08Xu%08Xv",
        "first_valid_uid = 1",
        "passdb {",
        "  driver = passwd-file",
        f"  args = scheme=PLAIN username_format=%u {root}/passwd",
        "}",
        "userdb {",
        "  driver = static",
        f"  args = uid={mail_user.pw_uid} gid={mail_user.pw_gid} home={root}/mail/%u",
        "}",
        "service pop3-login {",
        "  inet_listener pop3 {",
        "    address = 127.0.0.1",
        f"    port = {port}",
        "  }",
        "}",
        "service imap-login {",
        "  inet_listener imap {",
        "    port = 0",
        "  }",
        "}",
    ]
    if os.getuid() != 0:
        # Without root nobody can switch users: every process runs as the caller.
        lines += [f"default_login_user = {me.pw_name}",
                  f"default_internal_user = {me.pw_name}",
                  f"default_internal_group = {grp.getgrgid(me.pw_gid).gr_name}",
                  # chroot needs root.
                  "service pop3-login {", "  chroot =", "}",
                  "service anvil {", "  chroot =", "}"]
    with open(os.path.join(root, "dovecot.conf"), "w") as f:
        f.write("\n".join(lines) + "\n")


def wait_for(port, log):
    for _ in range(200):
        try:
            with socket.create_connection(("127.0.0.1", port), timeout=1) as s:
                if s.recv(100).startswith(b"+OK"):
                    return
        except OSError:
            pass
        time.sleep(0.05)
    sys.stderr.write("pop3_server: dovecot did not answer\n")
    if os.path.exists(log):
        sys.stderr.write(open(log).read())
    sys.exit(1)


def record_expected(work, port):
    box = poplib.POP3("127.0.0.1", port, timeout=10)
    box.user("alice")
    box.pass_(PASSWORD)
    count, total = box.stat()
    lines = [f"{count} {total}"]
    sizes = {int(x.split()[0]): int(x.split()[1]) for x in box.list()[1]}
    uids = {int(x.split()[0]): x.split()[1].decode() for x in box.uidl()[1]}
    for n in range(1, count + 1):
        lines.append(f"{n} {sizes[n]} {uids[n]}")
        text = b"".join(line + b"\r\n" for line in box.top(n, 2147483647)[1])
        with open(os.path.join(work, f"expected.{n}"), "wb") as f:
            f.write(text)
    box.quit()
    with open(os.path.join(work, "expected"), "w") as f:
        f.write("\n".join(lines) + "\n")


def start(args):
    stop(args)
    os.makedirs(args.work, exist_ok=True)
    root = tempfile.mkdtemp(prefix="brellix-pop3-", dir="/tmp")
    with open(os.path.join(args.work, "root"), "w") as f:
        f.write(root + "\n")
    # The login processes run as dovecot's own users and must reach the folder.
    os.chmod(root, 0o755)
    mail_user = pwd.getpwuid(os.getuid()) if os.getuid() != 0 else pwd.getpwnam("nobody")
    with open(os.path.join(root, "passwd"), "w") as f:
        for user in ("alice", "bob", "carol"):
            f.write(f"{user}:{{PLAIN}}{PASSWORD}::::::\n")
    os.chmod(os.path.join(root, "passwd"), 0o644)
    fill(f"{root}/mail/alice/Maildir", [message_text(n, 600 * n, "alice") for n in range(1, 5)])
    fill(f"{root}/mail/bob/Maildir", [message_text(n, 300, "bob") for n in range(1, 4)])
    carol = [message_text(n, args.size, "carol") for n in range(1, args.messages + 1)]
    if args.big:
        carol.append(big_message(args.big))
    fill(f"{root}/mail/carol/Maildir", carol)
    if os.getuid() == 0:
        subprocess.run(["chown", "-R", f"{mail_user.pw_uid}:{mail_user.pw_gid}",
                        f"{root}/mail"], check=True)
    port = free_port()
    write_config(root, port, mail_user)
    subprocess.run(["/usr/sbin/dovecot", "-c", f"{root}/dovecot.conf"], check=True,
                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    wait_for(port, f"{root}/dovecot.log")
    with open(os.path.join(args.work, "port"), "w") as f:
        f.write(f"{port}\n")
    with open(os.path.join(args.work, "down_port"), "w") as f:
        f.write(f"{free_port()}\n")
    record_expected(args.work, port)
    print(f"pop3_server: dovecot on 127.0.0.1:{port}, folder {root}")


def stop(args):
    root_file = os.path.join(args.work, "root")
    if not os.path.exists(root_file):
        return
    root = open(root_file).read().strip()
    pid_file = os.path.join(root, "run", "master.pid")
    if os.path.exists(pid_file):
        pid = int(open(pid_file).read().strip())
        try:
            os.kill(pid, 15)
            for _ in range(100):
                os.kill(pid, 0)
                time.sleep(0.05)
        except ProcessLookupError:
            pass
    if root.startswith("/tmp/brellix-pop3-"):
        shutil.rmtree(root, ignore_errors=True)
    os.remove(root_file)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("action", choices=["start", "stop"])
    parser.add_argument("work")
    parser.add_argument("--messages", type=int, default=5)
    parser.add_argument("--size", type=int, default=3500)
    parser.add_argument("--big", type=int, default=0)
    args = parser.parse_args()
    args.work = os.path.abspath(args.work)
    start(args) if args.action == "start" else stop(args)


if __name__ == "__main__":
    main()
