#!/usr/bin/env python3
"""A fault-injecting HTTP proxy in front of dorvex-service, for the end-to-end fault table.

    fault-proxy.py LISTEN_PORT... --upstream PORT --path PREFIX --nth N --fault KIND

Every request is passed to the service on 127.0.0.1:UPSTREAM, one connection per request. The
N-th request (from 1) whose target starts with PREFIX gets the fault instead:
  refuse     the connection is reset as soon as the request has arrived, nothing answered
  reset      the service's answer is cut in the middle of its body by a reset
  error      500 with an HTML page, as a failing web server answers
  wrongbody  200 with an HTML page (a proxy's or captive portal's), not what was asked
  stall      nothing for 8 seconds, then the service's answer
Each request is logged on standard output: "fault" or "pass", the target.
"""
import argparse
import socket
import struct
import sys
import threading
import time

HTML = b"<html><head><title>Error</title></head><body><h1>Something went wrong</h1></body></html>\r\n"


def read_head(conn):
    data = b""
    while b"\r\n\r\n" not in data:
        chunk = conn.recv(4096)
        if not chunk:
            return None
        data += chunk
    return data


def fetch_upstream(port, head):
    # One request, one connection: the service closes after answering "Connection: close".
    lines = head.split(b"\r\n")
    kept = [l for l in lines[1:] if l and not l.lower().startswith(b"connection:")]
    request = b"\r\n".join([lines[0]] + kept + [b"Connection: close", b"", b""])
    with socket.create_connection(("127.0.0.1", port)) as up:
        up.sendall(request)
        answer = b""
        while True:
            chunk = up.recv(65536)
            if not chunk:
                return answer
            answer += chunk


def reset(conn):
    conn.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
    conn.close()


def answer_page(status, body):
    return (b"HTTP/1.1 " + status + b"\r\nContent-Type: text/html\r\nContent-Length: " +
            str(len(body)).encode() + b"\r\nConnection: close\r\n\r\n" + body)


class Proxy:
    def __init__(self, args):
        self.args = args
        self.seen = 0
        self.lock = threading.Lock()

    def handle(self, conn):
        try:
            head = read_head(conn)
            if head is None:
                conn.close()
                return
            target = head.split(b" ", 2)[1].decode("latin-1")
            fault = False
            if target.startswith(self.args.path):
                with self.lock:
                    self.seen += 1
                    fault = self.seen == self.args.nth
            print(("fault " if fault else "pass ") + target, flush=True)
            kind = self.args.fault if fault else None
            if kind == "refuse":
                reset(conn)
                return
            if kind == "error":
                conn.sendall(answer_page(b"500 Internal Server Error", HTML))
                conn.close()
                return
            if kind == "wrongbody":
                conn.sendall(answer_page(b"200 OK", HTML))
                conn.close()
                return
            if kind == "stall":
                time.sleep(8)
            answer = fetch_upstream(self.args.upstream, head)
            if kind == "reset":
                split = answer.find(b"\r\n\r\n") + 4
                body = len(answer) - split
                conn.sendall(answer[: split + body // 2])
                time.sleep(0.2)
                reset(conn)
                return
            conn.sendall(answer)
            conn.close()
        except OSError as e:
            print("proxy error: %s" % e, file=sys.stderr, flush=True)
            conn.close()

    def serve(self, port):
        s = socket.socket()
        s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        s.bind(("127.0.0.1", port))
        s.listen(64)
        while True:
            conn, _ = s.accept()
            threading.Thread(target=self.handle, args=(conn,), daemon=True).start()


def main():
    p = argparse.ArgumentParser()
    p.add_argument("ports", type=int, nargs="+")
    p.add_argument("--upstream", type=int, required=True)
    p.add_argument("--path", required=True)
    p.add_argument("--nth", type=int, default=1)
    p.add_argument("--fault", choices=["refuse", "reset", "error", "wrongbody", "stall"], required=True)
    args = p.parse_args()
    proxy = Proxy(args)
    for port in args.ports[1:]:
        threading.Thread(target=proxy.serve, args=(port,), daemon=True).start()
    print("listening", flush=True)
    proxy.serve(args.ports[0])


if __name__ == "__main__":
    main()
