"""SMTP servers that misbehave, for the delivery tests: listens on a free
port of 127.0.0.1, prints the port, and serves each connection in MODE:
  split    a correct dialogue, every reply cut into pieces mid-line and sent
           with pauses (the client must join them); accepts the mail
  endless  an EHLO reply whose "250-" lines never end
  trickle  a greeting sent one byte at a time, never finished
  drop     a correct dialogue up to DATA, then the connection is dropped
           after the first bytes of the mail data
  refuse-rcpt  a correct dialogue that refuses every recipient"""
import socket
import socketserver
import sys
import time

MODE = sys.argv[1]


class Session(socketserver.BaseRequestHandler):
    def setup(self):
        self.pending = b""

    def send(self, reply):
        data = reply.encode() + b"\r\n"
        if MODE == "split":
            for cut in range(0, len(data), 3):  # three bytes at a time, mid-line and mid-code
                self.request.sendall(data[cut:cut + 3])
                time.sleep(0.002)
        else:
            self.request.sendall(data)

    def line(self):
        while b"\r\n" not in self.pending:
            chunk = self.request.recv(4096)
            if not chunk:
                raise ConnectionError
            self.pending += chunk
        line, self.pending = self.pending.split(b"\r\n", 1)
        return line.decode("latin-1")

    def handle(self):
        try:
            if MODE == "trickle":
                for c in b"220-" + b"x" * 100000:
                    self.request.sendall(bytes([c]))
                    time.sleep(0.05)
                return
            self.send("220 misbehaving ESMTP")
            while True:
                command = self.line().upper()
                if command.startswith("EHLO"):
                    if MODE == "endless":
                        while True:
                            self.request.sendall(b"250-" + b"x" * 60 + b"\r\n")
                    self.send("250-misbehaving\r\n250-8BITMIME\r\n250 HELP")
                elif command.startswith("RCPT") and MODE == "refuse-rcpt":
                    self.send("550 5.1.1 no such mailbox")
                elif command.startswith(("MAIL", "RCPT")):
                    self.send("250 OK")
                elif command == "DATA":
                    self.send("354 go ahead")
                    if MODE == "drop":
                        self.request.recv(16)
                        self.request.shutdown(socket.SHUT_RDWR)
                        return
                    while self.line() != ".":
                        pass
                    self.send("250 accepted")
                elif command == "QUIT":
                    self.send("221 bye")
                    return
                else:
                    self.send("502 unknown")
        except (ConnectionError, BrokenPipeError, OSError):
            return


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


with Server(("127.0.0.1", 0), Session) as server:
    print(server.server_address[1], flush=True)
    server.serve_forever()
