"""Loopback web server for the update checker's end-to-end test.

Serves WORKDIR/www with Python's http.server on 127.0.0.1 and a port the system
chooses, written to WORKDIR/port once it listens. Two kinds of file behave like a
troubled server: names containing "slow" are sent 16 KB at a time with pauses (so a
test can cancel in the middle), names containing "short" announce twice the bytes
they send.
"""
import functools
import http.server
import os
import sys
import time


class Handler(http.server.SimpleHTTPRequestHandler):
    def send_header(self, keyword, value):
        if keyword == "Content-Length" and "short" in self.path:
            value = str(int(value) * 2)
        super().send_header(keyword, value)

    def copyfile(self, source, outputfile):
        if "slow" not in self.path:
            super().copyfile(source, outputfile)
            return
        while True:
            piece = source.read(16384)
            if not piece:
                return
            try:
                outputfile.write(piece)
                outputfile.flush()
            except (BrokenPipeError, ConnectionResetError):
                return
            time.sleep(0.05)


def main():
    work = sys.argv[1]
    www = os.path.join(work, "www")
    os.makedirs(www, exist_ok=True)
    handler = functools.partial(Handler, directory=www)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    server.daemon_threads = True
    with open(os.path.join(work, "port.tmp"), "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(os.path.join(work, "port.tmp"), os.path.join(work, "port"))
    server.serve_forever()


if __name__ == "__main__":
    main()
