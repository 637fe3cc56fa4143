#!/usr/bin/python3
"""Loopback SMTP sink (aiosmtpd) for the mail plug-in's sending tests.

  smtp_sink.py start WORKDIR [--reject ADDRESS]
  smtp_sink.py stop WORKDIR

start runs aiosmtpd on 127.0.0.2 at a free port with the RejectingMailbox handler
below: RCPT TO the rejected address gets 550, every other recipient is taken, and
each delivery lands in the maildir WORKDIR/maildir with aiosmtpd's X-RcptTo field.
It leaves in WORKDIR: port, pid. stop ends the server by that pid.
"""
import argparse
import os
import shutil
import signal
import socket
import subprocess
import sys
import time

from aiosmtpd.handlers import Mailbox

HOST = "127.0.0.2"


class RejectingMailbox(Mailbox):
    """A maildir sink that refuses one recipient as an unknown user."""

    def __init__(self, mail_dir, rejected=""):
        super().__init__(mail_dir)
        self.rejected = rejected.lower()

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if self.rejected and address.lower() == self.rejected:
            return "550 5.1.1 No such user here"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    @classmethod
    def from_cli(cls, parser, *args):
        if not 1 <= len(args) <= 2:
            parser.error("usage: MAILDIR [REJECTED_ADDRESS]")
        return cls(*args)


def free_port():
    s = socket.socket()
    s.bind((HOST, 0))
    port = s.getsockname()[1]
    s.close()
    return port


def wait_listening(port, proc, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if proc.poll() is not None:
            return False
        try:
            with socket.create_connection((HOST, port), timeout=1) as s:
                s.recv(512)
                return True
        except OSError:
            time.sleep(0.1)
    return False


def start(work, rejected):
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    maildir = os.path.join(work, "maildir")
    port = free_port()
    env = dict(os.environ, PYTHONPATH=os.path.dirname(os.path.abspath(__file__)))
    args = ["/usr/bin/python3", "-m", "aiosmtpd", "-n", "-l", f"{HOST}:{port}",
            "-c", "smtp_sink.RejectingMailbox", maildir]
    if rejected:
        args.append(rejected)
    log = open(os.path.join(work, "server.log"), "wb")
    proc = subprocess.Popen(args, env=env, stdout=log, stderr=subprocess.STDOUT,
                            start_new_session=True)
    if not wait_listening(port, proc):
        proc.kill()
        sys.exit("smtp_sink: aiosmtpd did not start; see " + log.name)
    with open(os.path.join(work, "port"), "w") as f:
        f.write(str(port))
    with open(os.path.join(work, "pid"), "w") as f:
        f.write(str(proc.pid))


def stop(work):
    try:
        with open(os.path.join(work, "pid")) as f:
            pid = int(f.read())
    except (OSError, ValueError):
        return
    try:
        os.kill(pid, signal.SIGTERM)
    except ProcessLookupError:
        pass


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("action", choices=["start", "stop"])
    parser.add_argument("work")
    parser.add_argument("--reject", default="")
    options = parser.parse_args()
    if options.action == "start":
        start(options.work, options.reject)
    else:
        stop(options.work)


if __name__ == "__main__":
    main()
