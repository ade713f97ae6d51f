"""An HTTP server for the upload tests (Python's http.server; the multipart
body is read by the email package, an independent MIME reader). Listens on a
free port of 127.0.0.1, prints the port, answers every POST with STATUS
(302 adds "Location: LOCATION"; "stall" never answers), and writes what it
received to REPORT, one fact per line, texts in hexadecimal:
  line HEX                    the request line
  header NAME HEX             Host, Content-Type, Authorization, From
  length N                    Content-Length as announced; "body N" as read
  field NAMEHEX VALUEHEX      each form field
  file NAMEHEX FILENAMEHEX BYTESHEX   each file
Usage: http_peer.py REPORT STATUS [LOCATION]"""
import email
import email.policy
import http.server
import os
import sys
import time

REPORT, STATUS = sys.argv[1], sys.argv[2]
LOCATION = sys.argv[3] if len(sys.argv) > 3 else ""


def hexed(value):
    if isinstance(value, str):
        value = value.encode("latin-1")
    return value.hex() or "-"


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def do_POST(self):
        facts = ["line " + hexed(self.requestline)]
        for name in ("Host", "Content-Type", "Authorization", "From"):
            facts.append("header %s %s" % (name, hexed(self.headers.get(name, ""))))
        length = int(self.headers.get("Content-Length", "0"))
        body = self.rfile.read(length)
        facts.append("length %d" % length)
        facts.append("body %d" % len(body))
        head = b"Content-Type: " + self.headers.get("Content-Type", "").encode("latin-1") + b"\r\n\r\n"
        message = email.message_from_bytes(head + body, policy=email.policy.HTTP)
        for part in message.iter_parts():
            name = part.get_param("name", header="content-disposition")
            filename = part.get_filename()
            data = part.get_payload(decode=True)
            if filename is None:
                facts.append("field %s %s" % (hexed(name), hexed(data)))
            else:
                facts.append("file %s %s %s" % (hexed(name), hexed(filename), hexed(data)))
        for defect in message.defects:
            facts.append("defect " + type(defect).__name__)
        with open(REPORT + ".part", "w") as out:
            out.write("\n".join(facts) + "\n")
        os.rename(REPORT + ".part", REPORT)
        if STATUS == "stall":
            time.sleep(3600)
        self.send_response(int(STATUS))
        if STATUS == "302":
            self.send_header("Location", LOCATION)
        body = b"" if STATUS == "204" else b"received\n"
        if STATUS != "204":
            self.send_header("Content-Length", str(len(body)))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(body)


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
server.daemon_threads = True
print(server.server_address[1], flush=True)
server.serve_forever()
