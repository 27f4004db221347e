#!/usr/bin/env python3
"""A printer on loopback for the whole-program CUPS tests: it listens on a free port, writes that port
to WORK/port, and keeps every connection's bytes in WORK/job-N.bin, in order. Each file appears
whole (written under a temporary name, then renamed), so a test can wait for it and compare."""
import os
import socket
import sys

work = sys.argv[1]
listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
listener.bind(("127.0.0.1", 0))
listener.listen(4)
with open(os.path.join(work, "port.tmp"), "w") as f:
    f.write(str(listener.getsockname()[1]))
os.rename(os.path.join(work, "port.tmp"), os.path.join(work, "port"))
n = 0
while True:
    connection, _ = listener.accept()
    n += 1
    data = b""
    while True:
        chunk = connection.recv(65536)
        if not chunk:
            break
        data += chunk
    connection.close()
    with open(os.path.join(work, "job-%d.tmp" % n), "wb") as f:
        f.write(data)
    os.rename(os.path.join(work, "job-%d.tmp" % n), os.path.join(work, "job-%d.bin" % n))
