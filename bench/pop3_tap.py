#!/usr/bin/python3
"""A recording relay between the mail plug-in and the loopback POP3 server (soak run).

  pop3_tap.py serve UPSTREAM_PORT DIR DELAY...

Listens on 127.0.0.1 at one free port per DELAY (seconds), written to DIR/port.0,
DIR/port.1, ... A session on port i waits DELAY[i] seconds before it passes on the
server's greeting, so that accounts on different ports finish their checks apart.
Every session is relayed command by command to 127.0.0.1:UPSTREAM_PORT and, when it
ends, appended to DIR/sessions.txt as one JSON line:
  {"port": i, "start": t, "end": t, "user": "bob", "count": n,
   "messages": [[uid, subject], ...], "quit": true, "complete": true}
"messages" holds, in server order, the id the UIDL reply gave each message and the
Subject of the header its TOP (or RETR) reply brought (null when none did); "quit"
says that the server accepted QUIT, "complete" that besides every message the STAT
reply counted got both.
"""
import json
import os
import socket
import sys
import threading
import time

MULTI_LINE = {"CAPA", "TOP", "RETR"}  # LIST and UIDL only without an argument
lock = threading.Lock()


def multi_line(command):
    words = command.split()
    if not words:
        return False
    verb = words[0].upper()
    return verb in MULTI_LINE or (verb in ("LIST", "UIDL") and len(words) == 1)


def subject_of(lines):
    for line in lines:
        if line in (b"\r\n", b"\n"):
            break
        if line.lower().startswith(b"subject:"):
            return line[8:].strip().decode("latin-1")
    return ""


def relay(client, upstream_port, delay, index, out_dir):
    record = {"port": index, "start": time.time(), "user": None, "count": None,
              "messages": {}, "subjects": {}, "quit": False}
    try:
        server = socket.create_connection(("127.0.0.1", upstream_port), timeout=30)
        from_server = server.makefile("rb")
        from_client = client.makefile("rb")
        greeting = from_server.readline()
        time.sleep(delay)
        client.sendall(greeting)
        while True:
            command = from_client.readline()
            if not command:
                break
            server.sendall(command)
            text = command.decode("latin-1").strip()
            reply = [from_server.readline()]
            if reply[0].startswith(b"+OK") and multi_line(text):
                while True:
                    line = from_server.readline()
                    reply.append(line)
                    if not line or line == b".\r\n":
                        break
            client.sendall(b"".join(reply))
            note(record, text, reply)
            if text.upper() == "QUIT":
                break
    except OSError:
        pass
    finally:
        client.close()
    record["end"] = time.time()
    write(record, out_dir)


def note(record, command, reply):
    words = command.split()
    verb = words[0].upper() if words else ""
    ok = reply[0].startswith(b"+OK")
    first = reply[0].decode("latin-1").split()
    if verb == "USER" and len(words) > 1:
        record["user"] = words[1]
    elif verb == "STAT" and ok and len(first) >= 2:
        record["count"] = int(first[1])
    elif verb == "UIDL" and len(words) == 2 and ok and len(first) >= 3:
        record["messages"][int(words[1])] = first[2]
    elif verb == "UIDL" and len(words) == 1 and ok:
        for line in reply[1:]:
            entry = line.decode("latin-1").split()
            if len(entry) == 2 and entry[0].isdigit():
                record["messages"][int(entry[0])] = entry[1]
    elif verb in ("TOP", "RETR") and len(words) >= 2 and ok:
        record["subjects"][int(words[1])] = subject_of(reply[1:])
    elif verb == "QUIT":
        record["quit"] = ok


def write(record, out_dir):
    count = record["count"] or 0
    numbers = range(1, count + 1)
    complete = (record["count"] is not None and record["quit"] and
                all(n in record["messages"] and n in record["subjects"] for n in numbers))
    line = {"port": record["port"], "start": record["start"], "end": record["end"],
            "user": record["user"], "count": record["count"], "quit": record["quit"],
            "messages": [[record["messages"].get(n), record["subjects"].get(n)] for n in numbers],
            "complete": complete}
    with lock, open(os.path.join(out_dir, "sessions.txt"), "a") as f:
        f.write(json.dumps(line) + "\n")


def listen(index, delay, upstream_port, out_dir):
    listener = socket.socket()
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    with open(os.path.join(out_dir, f"port.{index}"), "w") as f:
        f.write(str(listener.getsockname()[1]))
    while True:
        client, _ = listener.accept()
        threading.Thread(target=relay, args=(client, upstream_port, delay, index, out_dir),
                         daemon=True).start()


def main():
    if len(sys.argv) < 5 or sys.argv[1] != "serve":
        sys.stderr.write(__doc__)
        return 2
    upstream_port, out_dir = int(sys.argv[2]), sys.argv[3]
    os.makedirs(out_dir, exist_ok=True)
    threads = [threading.Thread(target=listen, args=(i, float(d), upstream_port, out_dir),
                                daemon=True) for i, d in enumerate(sys.argv[4:])]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    return 0


if __name__ == "__main__":
    sys.exit(main())
